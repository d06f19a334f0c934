#include "core/nav/TileAtPoint.h"

#include "core/formats/CFormatTable.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tavrin {
namespace {

// For every built-in format, pattern, rotation and mirror: changing the bytes at the address
// the rule names changes the pixels of the cell under the point and nothing else.
TEST(TileAtPoint, TheAddressIsWhereTheCellIsDecodedFrom) {
    CFormatTable table;
    std::mt19937 rng(5);
    std::vector<uint8_t> pattern(256);
    for (size_t i = 0; i < 256; ++i)
        pattern[i] = static_cast<uint8_t>((i * 37 + 11) & 0xFF);
    for (int f = 0; f < table.Count(); ++f) {
        CFormat& format = *table.Get(f);
        format.Activate();
        const BlockGeometry g = GetBlockGeometry(*format.GetInfo());
        for (int k = 0; k < 8; ++k) {
            std::vector<uint8_t> bytes(70000);
            for (uint8_t& b : bytes)
                b = static_cast<uint8_t>(rng());
            PageSettings settings;
            settings.address = static_cast<int32_t>(rng() % 1000);
            settings.rotateIndex = k % 4;
            settings.mirrorIndex = (k / 2) % 4;
            settings.pattern = k % 3 == 0 ? nullptr : pattern.data();
            Image8 before(128, 128);
            Image8 after(128, 128);
            DecodePage(format, bytes.data(), settings, before);
            const int x = static_cast<int>(rng() % 128);
            const int y = static_cast<int>(rng() % 128);
            const std::optional<TileSpot> spot = TileAtPixel(format, settings, x, y);
            ASSERT_TRUE(spot.has_value()) << format.Name();
            EXPECT_EQ(spot->slot, (y / g.tileHeight) * g.columns + x / g.tileWidth);
            // Every byte of the tile flipped: its cell must look different (the MSX layout
            // keeps a tile's two planes 32 bytes apart, so both halves are flipped).
            const bool msx = format.Name() == "2BPP MSX";
            for (int b = 0; b < (msx ? 8 : g.bytesPerTile); ++b) {
                bytes[static_cast<size_t>(spot->address + b)] ^= 0xFF;
                if (msx)
                    bytes[static_cast<size_t>(spot->address + 32 + b)] ^= 0xFF;
            }
            DecodePage(format, bytes.data(), settings, after);
            bool cellChanged = false;
            bool otherChanged = false;
            for (int py = 0; py < 128; ++py) {
                for (int px = 0; px < 128; ++px) {
                    const bool inCell = px / g.tileWidth == x / g.tileWidth &&
                                        py / g.tileHeight == y / g.tileHeight;
                    const bool differs = before.ScanLine(py)[px] != after.ScanLine(py)[px];
                    // The same tile may be drawn in other cells too by a pattern.
                    const std::optional<TileSpot> there = TileAtPixel(format, settings, px, py);
                    if (inCell)
                        cellChanged = cellChanged || differs;
                    else if (differs && there && there->tile != spot->tile)
                        otherChanged = true;
                }
            }
            EXPECT_TRUE(cellChanged) << format.Name() << " rotation " << k;
            EXPECT_FALSE(otherChanged) << format.Name() << " rotation " << k;
        }
        format.Deactivate();
    }
}

TEST(TileAtPoint, OutsideThePageAndNumbers) {
    CFormatTable table;
    CFormat& nes = *table.Get(1);
    PageSettings settings;
    settings.address = 0x1010;
    EXPECT_EQ(TileAtPixel(nes, settings, 128, 0), std::nullopt);
    EXPECT_EQ(TileAtPixel(nes, settings, 0, -1), std::nullopt);
    EXPECT_EQ(TileAtPixel(nes, settings, 127, 127), (TileSpot{255, 255, 0x1010 + 255 * 16}));
    const TileSpot spot = *TileAtPixel(nes, settings, 20, 9); // column 2, row 1
    EXPECT_EQ(spot, (TileSpot{18, 18, 0x1010 + 18 * 16}));
    struct Case {
        int32_t start;
        int tileBytes;
        std::optional<int64_t> number;
    };
    const Case cases[] = {
        {0x10, 16, (0x1000 / 16) + 18}, // an iNES file's CHR from 0x10
        {0, 16, 0x101 + 18},            // 0x1010 is tile 0x101
        {0x1015, 16, 17},               // page starts 5 bytes before: rounded down
        {0x2000, 16, std::nullopt},     // before the start
        {0, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TileNumber(settings, spot, c.start, c.tileBytes), c.number) << c.start;
}

} // namespace
} // namespace tavrin
