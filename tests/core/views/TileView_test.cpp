#include "core/views/TileView.h"

#include "core/views/CGrid.h"
#include "core/views/PixelRows.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrin {
namespace {

using test::Rows;
using Picture = std::vector<std::string>;

constexpr uint8_t White = 7;

Image8::Palette TestPalette() {
    Image8::Palette palette{};
    palette[1] = MakeColour(0, 0, 255);
    palette[3] = MakeColour(255, 0, 0);
    palette[White] = MakeColour(255, 255, 255);
    return palette;
}

TileViewOptions Grid(int type, int pattern) {
    TileViewOptions options;
    options.grid = true;
    options.gridType = type;
    options.pattern = CGrid::Pattern(pattern);
    return options;
}

// The edit area far from the windows the tests look at.
constexpr EditArea FarArea{10, 10, 11, 11};

TEST(TileView, StartsAsA256SquareOfIndexZero) {
    TileView view;
    EXPECT_EQ(view.Picture().Width(), 256);
    EXPECT_EQ(view.Picture().Height(), 256);
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 0, 0, 0, 0, 0));
}

TEST(TileView, DoublesTheTileImageLikeAPlainStretch) {
    std::mt19937 random(3);
    Image8 tile(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            tile.SetPixel(x, y, static_cast<uint8_t>(random()));
    TileView view;
    view.Draw(tile, FarArea, {});
    Image8 expected(256, 256);
    expected.StretchFrom(tile, 0, 0, 128, 128, 0, 0, 256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            // The white frame and the dark line around it.
            const bool onFrame =
                (x >= 159 && x < 193 && (y == 159 || y == 160 || y == 191 || y == 192)) ||
                (y >= 159 && y < 193 && (x == 159 || x == 160 || x == 191 || x == 192));
            if (!onFrame) {
                ASSERT_EQ(view.Picture().Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
            }
        }
}

TEST(TileView, FramesTheEditAreaInWhiteRightAndBottomExclusive) {
    TileView view;
    view.SetPalette(TestPalette());
    Image8 tile(128, 128);
    view.Draw(tile, {1, 2, 2, 3}, {});
    EXPECT_EQ(Rows(view.Picture(), 14, 30, 6, 5),
              (Picture{"......", "......", "..7777", "..7...", "..7..."}));
    EXPECT_EQ(Rows(view.Picture(), 45, 61, 5, 4), (Picture{"..7..", "..7..", "777..", "....."}));
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 16, 32, 48, 64, 0));
}

TEST(TileView, TheFrameStaysVisibleOverWhiteTiles) {
    TileView view;
    view.SetPalette(TestPalette());
    Image8 tile(128, 128);
    tile.Fill(White);
    view.Draw(tile, {1, 2, 2, 3}, {});
    const uint8_t dark = view.Picture().Pixel(15, 31);
    EXPECT_NE(dark, White);
    for (const auto& [x, y] : {std::pair{15, 40}, {20, 31}, {48, 40}, {20, 64}})
        EXPECT_EQ(view.Picture().Pixel(x, y), dark) << x << "," << y;
    EXPECT_EQ(view.Picture().Pixel(16, 40), White) << "the frame itself";
    EXPECT_EQ(view.Picture().Pixel(17, 40), White) << "the tile inside";
}

TEST(TileView, FrameAtThePageEdgeStaysInsideThePicture) {
    TileView view;
    view.SetPalette(TestPalette());
    view.Draw(Image8(128, 128), {14, 14, 15, 15}, {});
    EXPECT_EQ(Rows(view.Picture(), 252, 252, 4, 4), (Picture{"...7", "...7", "...7", "7777"}));
}

TEST(TileView, GridTypeZeroSetsTheTileCornersWhite) {
    TileView view;
    view.SetPalette(TestPalette());
    view.Draw(Image8(128, 128), FarArea, Grid(0, 2));
    EXPECT_EQ(Rows(view.Picture(), 15, 15, 3, 3), (Picture{"...", ".7.", "..."}));
    EXPECT_EQ(Rows(view.Picture(), 0, 0, 2, 2), (Picture{"7.", ".."}));
    EXPECT_EQ(view.Picture().Pixel(240, 240), White);
    EXPECT_EQ(view.Picture().Pixel(128, 0), White);
    EXPECT_EQ(view.Picture().Pixel(128, 1), 0);
}

TEST(TileView, DottedGridLines) {
    TileView view;
    view.SetPalette(TestPalette());
    view.Draw(Image8(128, 128), FarArea, Grid(1, 0));
    EXPECT_EQ(Rows(view.Picture(), 14, 14, 6, 6),
              (Picture{"..1...", "......", "1.1.1.", "......", "..1...", "......"}));
    // The middle lines use index 3 and win where they cross.
    EXPECT_EQ(Rows(view.Picture(), 126, 14, 6, 6),
              (Picture{"..3...", "......", "1.3.1.", "......", "..3...", "......"}));
    EXPECT_EQ(Rows(view.Picture(), 126, 126, 6, 6),
              (Picture{"..3...", "......", "3.3.3.", "......", "..3...", "......"}));
}

TEST(TileView, DashedAndSolidGridLines) {
    TileView view;
    view.SetPalette(TestPalette());
    view.Draw(Image8(128, 128), FarArea, Grid(2, 1));
    EXPECT_EQ(Rows(view.Picture(), 14, 14, 6, 6),
              (Picture{"......", "......", "..11..", "..1...", "......", "......"}));
    view.Draw(Image8(128, 128), FarArea, Grid(3, 2));
    EXPECT_EQ(Rows(view.Picture(), 14, 14, 4, 4), (Picture{"..1.", "..1.", "1111", "..1."}));
    EXPECT_EQ(Rows(view.Picture(), 0, 0, 3, 3), (Picture{"111", "1..", "1.."}));
    EXPECT_EQ(view.Picture().Pixel(255, 128), 3);
}

TEST(TileView, NoGridWhenSwitchedOff) {
    TileView view;
    view.SetPalette(TestPalette());
    TileViewOptions options = Grid(3, 2);
    options.grid = false;
    view.Draw(Image8(128, 128), FarArea, options);
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 160, 160, 192, 192, 0));
}

TEST(TileView, WhiteIsTheNearestEntryOfAHalvedPalette) {
    Image8::Palette halved{};
    for (int i = 0; i < 256; ++i)
        halved[i] = MakeColour(i / 2, i / 4, (i * 7 % 256) / 2);
    halved[200] = MakeColour(127, 127, 127);
    TileView view;
    view.SetPalette(halved);
    EXPECT_EQ(view.WhiteIndex(), 200);
    EXPECT_EQ(view.Picture().Colours(), halved);
    view.Draw(Image8(128, 128), {0, 0, 0, 0}, {});
    EXPECT_EQ(view.Picture().Pixel(0, 0), 200);
}

TEST(TileView, ATileImageOfAnotherSizeIsStretched) {
    Image8 small(2, 2);
    small.SetPixel(1, 0, 5);
    TileView view;
    view.SetPalette(TestPalette());
    view.Draw(small, FarArea, {});
    EXPECT_EQ(view.Picture().Pixel(127, 127), 0);
    EXPECT_EQ(view.Picture().Pixel(128, 0), 5);
    EXPECT_EQ(view.Picture().Pixel(255, 127), 5);
    EXPECT_EQ(view.Picture().Pixel(255, 128), 0);
}

} // namespace
} // namespace tavrin
