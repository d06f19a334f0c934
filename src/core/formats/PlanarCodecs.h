#pragma once

#include "core/formats/TileCodec.h"

namespace tavrin::codec {

// Formats that keep each value bit of a row in its own plane byte (bit 7 = leftmost pixel).

// 8 bytes: byte r is row r.
void Decode1bpp(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode1bpp(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 16 bytes: byte r value bit 0, byte 8 + r value bit 1.
void Decode2NES(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode2NES(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// Bytes 0-7 and 32-39 of a 64-byte group of four tiles: byte r value bit 0, 32 + r bit 1.
void Decode2MSX(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode2MSX(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 16 bytes: byte 2r value bit 0, byte 2r + 1 value bit 1.
void Decode2GB(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode2GB(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 24 bytes: bytes 2r and 2r + 1 value bits 0 and 1, byte 16 + r value bit 2.
void Decode3SNES(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode3SNES(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 32 bytes: bytes 2r, 2r + 1 value bits 0, 1; bytes 16 + 2r, 17 + 2r value bits 2, 3.
void Decode4SNES(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode4SNES(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 32 bytes: bytes 4r to 4r + 3 value bits 0 to 3 of row r.
void Decode4SMS(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode4SMS(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 16 x 16, 32 bytes: byte 2r columns 0-7, byte 2r + 1 columns 8-15 of row r.
void Decode1bpp16(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode1bpp16(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 16 x 16, 128 bytes: plane p at 32p; in it row r is a little-endian word at 2r whose high
// byte (2r + 1) holds columns 0-7.
void Decode4PceSG(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode4PceSG(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

} // namespace tavrin::codec
