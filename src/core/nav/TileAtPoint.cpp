#include "core/nav/TileAtPoint.h"

#include "core/formats/CFormat.h"
#include "core/formats/CFormatSimple.h"

namespace tavrin {

std::optional<TileSpot> TileAtPixel(CFormat& format, const PageSettings& settings, int x, int y) {
    const FormatInfo* info = nullptr;
    try {
        info = format.GetInfo();
    } catch (...) {
        return std::nullopt;
    }
    if (info == nullptr || x < 0 || y < 0)
        return std::nullopt;
    const BlockGeometry g = GetBlockGeometry(*info);
    const int column = x / g.tileWidth;
    const int row = y / g.tileHeight;
    if (column >= g.columns || row >= g.rows)
        return std::nullopt;
    TileSpot spot;
    spot.slot = row * g.columns + column;
    // The decode's own choice of tile: a format may refuse patterns.
    spot.tile = info->disableAdfPattern == 0 && settings.pattern != nullptr
                    ? settings.pattern[spot.slot & 0xFF]
                    : spot.slot & 0xFF;
    if (const auto* simple = dynamic_cast<const CFormatSimple*>(&format))
        spot.address = simple->TileAddress(settings.address, spot.tile, g.bytesPerTile);
    else
        spot.address = int64_t{settings.address} + int64_t{spot.tile} * g.bytesPerTile;
    return spot;
}

std::optional<int64_t> TileNumber(const PageSettings& settings, const TileSpot& spot,
                                  int32_t startAddress, int tileBytes) {
    if (tileBytes <= 0 || spot.address < startAddress)
        return std::nullopt;
    const int64_t distance = int64_t{settings.address} - startAddress;
    // Rounded down also below zero, so a page just before the start still counts right.
    const int64_t pageTiles =
        distance >= 0 ? distance / tileBytes : -((-distance + tileBytes - 1) / tileBytes);
    const int64_t number = pageTiles + spot.tile;
    if (number < 0)
        return std::nullopt;
    return number;
}

} // namespace tavrin
