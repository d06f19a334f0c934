#include "core/set/SetDocument.h"
#include "core/set/SetImage.h"

#include "SetTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavrin;

namespace {

Image8 RandomSource(uint32_t seed) {
    Image8 image(128, 128);
    const std::vector<uint8_t> bytes = test::RandomBytes(128 * 128, seed);
    std::copy(bytes.begin(), bytes.end(), image.Bits());
    for (int i = 0; i < 256; ++i)
        image.Colours()[i] = MakeColour(i, 255 - i, i / 2);
    return image;
}

// A document whose 64 sprites all lie below the screen.
SetDocument NoSprites() {
    SetDocument doc;
    for (int s = 0; s < 64; ++s)
        doc.SetSprite(s, {240, 0, 0, 0});
    return doc;
}

// Sprite tile t given colour number c in every pixel (2BPP NES planes).
void SolidSpriteTile(SetDocument& doc, int t, int c) {
    std::fill_n(doc.SpriteTileBytes().begin() + t * 16, 8, (c & 1) ? 0xFF : 0);
    std::fill_n(doc.SpriteTileBytes().begin() + t * 16 + 8, 8, (c & 2) ? 0xFF : 0);
}

} // namespace

TEST(SetImage, TileNumberNamesColumnAndRowOfTheSourceInTheCellsGroup) {
    const Image8 source = RandomSource(1);
    SetDocument doc;
    doc.SetName(0, 0, 0x37);
    doc.SetPalette(0, 0, 66); // 66 x 4 wraps to 8
    const Image8 image = RenderSetImage(doc, source, false);
    ASSERT_EQ(image.Width(), 256);
    ASSERT_EQ(image.Height(), 240);
    EXPECT_EQ(image.Colours(), source.Colours());
    int differsFromTransposed = 0;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            ASSERT_EQ(image.Pixel(c, r), (source.Pixel(56 + c, 24 + r) & 3) | 8) << c << "," << r;
            differsFromTransposed += image.Pixel(c, r) != ((source.Pixel(24 + c, 56 + r) & 3) | 8);
        }
    EXPECT_GT(differsFromTransposed, 0);
}

TEST(SetImage, SpritesAreClippedAtTheRightAndBottom) {
    struct Case {
        int x, y, rows, columns;
    };
    const Case cases[] = {{0, 228, 12, 8}, {0, 236, 4, 8}, {252, 0, 16, 4}, {0, 240, 0, 0}};
    for (const Case& c : cases) {
        SetDocument doc = NoSprites();
        SolidSpriteTile(doc, 7, 1);
        SolidSpriteTile(doc, 8, 1);
        doc.SetSprite(0, {static_cast<uint8_t>(c.y), 7, 0, static_cast<uint8_t>(c.x)});
        const Image8 image = RenderSetImage(doc, Image8(128, 128), true);
        std::vector<bool> rows(240), columns(256);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 256; ++x)
                if (image.Pixel(x, y) == GroupPixel(1, 4))
                    rows[y] = columns[x] = true;
        EXPECT_EQ(std::count(rows.begin(), rows.end(), true), c.rows) << "Y " << c.y;
        EXPECT_EQ(std::count(columns.begin(), columns.end(), true), c.columns) << "X " << c.x;
    }
}

TEST(SetImage, Tile255IsFollowedByTile0) {
    SetDocument doc = NoSprites();
    SolidSpriteTile(doc, 255, 1);
    SolidSpriteTile(doc, 0, 2);
    doc.SetSprite(0, {0, 255, 0x03, 0});
    const Image8 image = RenderSetImage(doc, Image8(128, 128), true);
    EXPECT_EQ(image.Pixel(0, 7), GroupPixel(1, 7));
    EXPECT_EQ(image.Pixel(7, 8), GroupPixel(2, 7));
    EXPECT_EQ(image.Pixel(0, 15), GroupPixel(2, 7));
    EXPECT_EQ(image.Pixel(0, 16), 0);
}

TEST(SetImage, LaterSpritesCoverEarlierOnesAndColourZeroIsClear) {
    const Image8 source = RandomSource(3);
    SetDocument doc = NoSprites();
    SolidSpriteTile(doc, 1, 1);
    SolidSpriteTile(doc, 5, 3);
    SolidSpriteTile(doc, 6, 3);
    doc.SetSprite(0, {10, 5, 0xFC, 20}); // x 20-27; other attribute bits are not drawn
    doc.SetSprite(1, {10, 1, 0x01, 24}); // x 24-31, its lower tile 2 clear
    const Image8 withSprites = RenderSetImage(doc, source, true);
    const Image8 background = RenderSetImage(doc, source, false);
    EXPECT_EQ(withSprites.Pixel(23, 17), GroupPixel(3, 4));
    EXPECT_EQ(withSprites.Pixel(24, 10), GroupPixel(1, 5));
    EXPECT_EQ(withSprites.Pixel(27, 17), GroupPixel(1, 5));
    EXPECT_EQ(withSprites.Pixel(24, 18), GroupPixel(3, 4));
    EXPECT_EQ(withSprites.Pixel(28, 18), background.Pixel(28, 18));
    EXPECT_EQ(withSprites.Pixel(20, 26), background.Pixel(20, 26));
}
