#pragma once

#include "core/formats/TileCodec.h"

namespace tavrin::codec {

// Formats that pack several whole pixels into each byte.

// 16 bytes: row r is the little-endian word at 2r; pixel c in word bits 15 - 2c, 14 - 2c.
void Decode2NGP(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode2NGP(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 16 bytes: row r is the little-endian word at 2r; pixel c in word bits 2c + 1, 2c.
void Decode2VB(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode2VB(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 32 bytes: byte 4r + k holds pixel 2k in its low nibble and pixel 2k + 1 in its high one.
void Decode4GBA(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode4GBA(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

// 32 bytes: byte 4r + k holds pixel 2k in its high nibble and pixel 2k + 1 in its low one.
void Decode4MSX(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset);
void Encode4MSX(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

} // namespace tavrin::codec
