#pragma once

#include "core/formats/CFormat.h"

#include <cstdint>

namespace tavrin {

// What the tile view decodes a page with, shared by the window and the command-line tool.
struct PageSettings {
    int32_t address = 0;
    int32_t colourOffset = 0;         // group base of the selected palette-set entry
    int rotateIndex = 0;              // "0", "90", "180", "270"
    int mirrorIndex = 0;              // "None", "Horizontal", "Vertical", "Both"
    const uint8_t* pattern = nullptr; // 256 tile indices, or null
    // The colour-set group of each of the 256 tiles from the address on, by tile index, or null.
    const uint8_t* tilePalettes = nullptr;
};

// Page geometry of a format, derived from bits per pixel alone as for 8 x 8 tiles.
constexpr int RowBytesFor(int bitsPerPixel) {
    return 128 * bitsPerPixel;
}
constexpr int PageBytesFor(int bitsPerPixel) {
    return 2048 * bitsPerPixel;
}

// The rotation code that undoes the display rotation: index 0, 1, 2, 3 -> 0, 3, 2, 1.
constexpr uint8_t EncodeRotationCode(int rotateIndex) {
    return static_cast<uint8_t>((4 - (rotateIndex & 3)) & 3);
}

// Decodes the page at settings.address of bytes into the 128 x 128 tile image. The caller
// guarantees that a whole page from the address lies inside the buffer.
void DecodePage(CFormat& format, uint8_t* bytes, const PageSettings& settings, Image8& tileImage);
// Encodes the tile image back into the page (colour offset and tile palettes are not used).
// Neither lets an exception of the format through. A page of 8 bits per pixel is 16384 bytes.
void EncodePage(CFormat& format, uint8_t* bytes, const PageSettings& settings, Image8& tileImage);

} // namespace tavrin
