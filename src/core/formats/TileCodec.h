#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrin {

// One built-in codec is a pair of pure functions over one tile: bytes is the tile's first
// byte in the document, cell the top-left pixel of its cell in the tile image and stride the
// distance between image rows. Decoding ORs the colour offset into every pixel; encoding
// keeps only the low bits of each pixel that the format stores and rewrites every byte of the
// tile's layout. The caller has checked that both sides lie inside their buffers.
using TileDecoder = void (*)(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride,
                             uint8_t colourOffset);
using TileEncoder = void (*)(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes);

} // namespace tavrin
