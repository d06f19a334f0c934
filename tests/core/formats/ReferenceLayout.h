#pragma once

// Test helper: where each value bit of each pixel of a built-in format lives, written
// straight from the layout table, one bit at a time. The fast codecs are checked against it.

#include "core/formats/CFormatTable.h"
#include "support/RandomBytes.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tavrin::test {

enum BuiltinIndex {
    Fmt1bpp,
    Fmt2NES,
    Fmt2GB,
    Fmt2NGP,
    Fmt2VB,
    Fmt2MSX,
    Fmt3SNES,
    Fmt4SNES,
    Fmt4GBA,
    Fmt4SMS,
    Fmt4MSX,
    Fmt4PceSG,
    Fmt1bpp16,
    BuiltinCount
};

struct BitPlace {
    int byte; // offset from the tile's first byte
    int bit;  // 7 = most significant
};

inline int TileSize(int format) {
    return format == Fmt4PceSG || format == Fmt1bpp16 ? 16 : 8;
}

inline int Depth(int format) {
    switch (format) {
    case Fmt1bpp:
    case Fmt1bpp16:
        return 1;
    case Fmt3SNES:
        return 3;
    case Fmt4SNES:
    case Fmt4GBA:
    case Fmt4SMS:
    case Fmt4MSX:
    case Fmt4PceSG:
        return 4;
    default:
        return 2;
    }
}

// Bytes from the tile's first byte to one past its last (MSX: the tile's bits 1 lie 32 on).
inline int TileSpan(int format) {
    return format == Fmt2MSX ? 40 : TileSize(format) * TileSize(format) * Depth(format) / 8;
}

inline BitPlace PlaceOf(int format, int r, int c, int k) {
    const auto word = [r](int w) { return BitPlace{2 * r + w / 8, w % 8}; };
    switch (format) {
    case Fmt1bpp:
        return {r, 7 - c};
    case Fmt2NES:
        return {8 * k + r, 7 - c};
    case Fmt2GB:
        return {2 * r + k, 7 - c};
    case Fmt2NGP:
        return word(k == 1 ? 15 - 2 * c : 14 - 2 * c);
    case Fmt2VB:
        return word(2 * c + k);
    case Fmt2MSX:
        return {32 * k + r, 7 - c};
    case Fmt3SNES:
        return k < 2 ? BitPlace{2 * r + k, 7 - c} : BitPlace{16 + r, 7 - c};
    case Fmt4SNES:
        return k < 2 ? BitPlace{2 * r + k, 7 - c} : BitPlace{16 + 2 * r + (k - 2), 7 - c};
    case Fmt4GBA:
        return {4 * r + c / 2, (c % 2) * 4 + k};
    case Fmt4SMS:
        return {4 * r + k, 7 - c};
    case Fmt4MSX:
        return {4 * r + c / 2, (c % 2 == 0 ? 4 : 0) + k};
    case Fmt4PceSG:
        return c < 8 ? BitPlace{32 * k + 2 * r + 1, 7 - c} : BitPlace{32 * k + 2 * r, 15 - c};
    default: // Fmt1bpp16
        return c < 8 ? BitPlace{2 * r, 7 - c} : BitPlace{2 * r + 1, 15 - c};
    }
}

// Pixel values of one tile, row-major, read bit by bit.
inline std::vector<uint8_t> ReferenceDecode(int format, const uint8_t* tile, uint8_t offset) {
    const int n = TileSize(format);
    std::vector<uint8_t> pixels(static_cast<size_t>(n * n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            int v = 0;
            for (int k = 0; k < Depth(format); ++k) {
                const BitPlace place = PlaceOf(format, r, c, k);
                v |= ((tile[place.byte] >> place.bit) & 1) << k;
            }
            pixels[static_cast<size_t>(r * n + c)] = static_cast<uint8_t>(v | offset);
        }
    return pixels;
}

// Writes the pixel values' low bits into the tile's bits, one at a time.
inline void ReferenceEncode(int format, const std::vector<uint8_t>& pixels, uint8_t* tile) {
    const int n = TileSize(format);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            for (int k = 0; k < Depth(format); ++k) {
                const BitPlace place = PlaceOf(format, r, c, k);
                const int bit = (pixels[static_cast<size_t>(r * n + c)] >> k) & 1;
                tile[place.byte] = static_cast<uint8_t>((tile[place.byte] & ~(1 << place.bit)) |
                                                        (bit << place.bit));
            }
}

// One image row of a cell as digits, e.g. "01233210" (values above 9 as letters).
inline std::string CellRow(const Image8& image, int x0, int y, int width) {
    std::string row;
    for (int c = 0; c < width; ++c) {
        const int v = image.Pixel(x0 + c, y);
        row += static_cast<char>(v < 10 ? '0' + v : 'A' + v - 10);
    }
    return row;
}

inline std::vector<std::string> CellRows(const Image8& image, int x0, int y0, int size) {
    std::vector<std::string> rows;
    for (int r = 0; r < size; ++r)
        rows.push_back(CellRow(image, x0, y0 + r, size));
    return rows;
}

} // namespace tavrin::test
