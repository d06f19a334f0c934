#pragma once

#include "core/formats/PageCodec.h"

#include <cstdint>
#include <optional>

namespace tavrin {

class CFormat;

// The tile of the page drawn at one pixel of the tile image.
struct TileSpot {
    int slot = 0;        // the cell on screen, row-major (0-255 for 8 x 8 tiles)
    int tile = 0;        // the tile of the page drawn there (the pattern's entry for the slot)
    int64_t address = 0; // the file address of the tile's first byte
    bool operator==(const TileSpot&) const = default;
};

// Which tile the page at settings.address in format draws at pixel (x, y) of the 128 x 128
// tile image: the cell under the pixel, the pattern's tile for that cell and the format's
// address of that tile. Rotation and mirroring turn each tile within its own cell, so they
// do not move a tile to another cell. None outside the cells of the page.
std::optional<TileSpot> TileAtPixel(CFormat& format, const PageSettings& settings, int x, int y);

// The tile's number counted in tiles of tileBytes from the start address: the page's
// distance from there in tiles plus the tile's index in the page. None before the start.
std::optional<int64_t> TileNumber(const PageSettings& settings, const TileSpot& spot,
                                  int32_t startAddress, int tileBytes);

} // namespace tavrin
