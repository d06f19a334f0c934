#include "core/views/CImageEdit.h"

#include "core/views/EditArea.h"
#include "core/views/PixelRows.h"
#include "core/views/TileViewGeometry.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrin {
namespace {

using test::Rows;
using Picture = std::vector<std::string>;

Image8::Palette TestPalette() {
    Image8::Palette palette{};
    palette[1] = MakeColour(0, 0, 200);
    palette[3] = MakeColour(200, 0, 0);
    palette[6] = MakeColour(0, 250, 250);
    palette[7] = MakeColour(255, 255, 255);
    return palette;
}

struct EditViewFixture : ::testing::Test {
    EditViewFixture() : tile(128, 128), display(128, 128), working(128, 128) {
        view.SetImages(&tile, &display, &working);
        view.SetPalette(TestPalette());
        view.SetEditSize(16);
        view.SetArea(EditArea{2, 1, 3, 2}.Pixels());
    }

    void FillRandom(Image8& image, unsigned seed) {
        std::mt19937 random(seed);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                image.SetPixel(x, y, static_cast<uint8_t>(random() % 5 + 8));
    }

    Image8 tile, display, working;
    CImageEdit view;
};

TEST_F(EditViewFixture, ScaleFollowsTheEditSize) {
    for (int zoom = 0; zoom < 5; ++zoom) {
        view.SetEditSize(ZoomEditSize(zoom));
        EXPECT_EQ(view.Scale(), 2 << zoom);
    }
    view.SetEditSize(0);
    EXPECT_EQ(view.Scale(), 0);
}

TEST_F(EditViewFixture, ViewPositionToPixel) {
    view.SetArea({24, 8, 40, 24});
    int x = 0;
    int y = 0;
    view.ViewToPixel(40, 200, x, y);
    EXPECT_EQ(x, 26);
    EXPECT_EQ(y, 20);
    // A pointer outside the view gives the border pixel.
    view.ViewToPixel(-30, 900, x, y);
    EXPECT_EQ(x, 24);
    EXPECT_EQ(y, 23);
}

TEST_F(EditViewFixture, NormalRenderEnlargesTheEditAreaOfTheTileImage) {
    FillRandom(tile, 5);
    view.Redraw();
    const PixelRect area = view.Area();
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(view.Picture().Pixel(x, y),
                      tile.Pixel(area.left + x / 16, area.top + y / 16));
    EXPECT_EQ(display, tile);
    EXPECT_EQ(view.Picture().Colours(), TestPalette());
}

TEST_F(EditViewFixture, DotGridMarksTileCornersWithIndexThree) {
    view.SetGridFlag(true);
    view.SetGridType(0);
    view.Redraw();
    EXPECT_EQ(Rows(view.Picture(), 0, 0, 2, 2), (Picture{"3.", ".."}));
    EXPECT_EQ(Rows(view.Picture(), 15, 15, 3, 3), (Picture{"...", ".1.", "..."}));
    EXPECT_EQ(view.Picture().Pixel(128, 16), 3);
    EXPECT_EQ(view.Picture().Pixel(16, 128), 3);
    EXPECT_EQ(view.Picture().Pixel(144, 144), 1);
}

TEST_F(EditViewFixture, AGridTypeOutsideTheListDrawsNoGrid) {
    view.SetGridFlag(true);
    for (int type : {-1, 4, 7}) {
        view.SetGridType(type);
        view.Redraw();
        EXPECT_EQ(Rows(view.Picture(), 0, 0, 2, 2), (Picture{"..", ".."})) << type;
        EXPECT_EQ(view.Picture().Pixel(128, 16), 0) << type;
    }
}

TEST_F(EditViewFixture, LineGridAtZoomX8) {
    view.SetGridFlag(true);
    view.SetGridType(3);
    view.SetGridPattern({true, true, true, true});
    view.Redraw();
    EXPECT_EQ(Rows(view.Picture(), 14, 14, 4, 4), (Picture{"..1.", "..1.", "1111", "..1."}));
    EXPECT_EQ(Rows(view.Picture(), 126, 14, 4, 4), (Picture{"..3.", "..3.", "1131", "..3."}));
    EXPECT_EQ(Rows(view.Picture(), 0, 0, 3, 3), (Picture{"333", "3..", "3.."}));
}

TEST_F(EditViewFixture, DashedLineGridUsesTheGivenPattern) {
    view.SetGridFlag(true);
    view.SetGridType(2);
    view.SetGridPattern({true, true, false, false});
    view.Redraw();
    EXPECT_EQ(Rows(view.Picture(), 14, 14, 6, 6),
              (Picture{"......", "......", "..11..", "..1...", "......", "......"}));
}

TEST_F(EditViewFixture, AtZoomX2OnlyTileBoundaryLinesAppear) {
    view.SetEditSize(ZoomEditSize(1));
    view.SetArea({0, 0, 64, 64});
    view.SetGridFlag(true);
    view.SetGridType(3);
    view.SetGridPattern({true, true, true, true});
    view.Redraw();
    for (int x = 1; x < 256; ++x)
        EXPECT_EQ(view.Picture().Pixel(x, 5), x % 32 == 0 ? 3 : 0) << x;
}

TEST_F(EditViewFixture, AtZoomX4PixelLinesAppearEveryEightScreenPixels) {
    view.SetEditSize(ZoomEditSize(2));
    view.SetArea({0, 0, 32, 32});
    view.SetGridFlag(true);
    view.SetGridType(3);
    view.SetGridPattern({true, true, true, true});
    view.Redraw();
    for (int x = 1; x < 256; ++x)
        EXPECT_EQ(view.Picture().Pixel(x, 5), x % 64 == 0 ? 3 : (x % 8 == 0 ? 1 : 0)) << x;
}

TEST_F(EditViewFixture, StampRegionIsOutlinedOnlyForTheStampPen) {
    view.Stamp().regionExists = true;
    view.Stamp().region = {18, 10, 20, 12};
    view.SetPenNumber(1);
    view.Redraw();
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 0, 0, 0, 0, 0));
    view.SetPenNumber(0);
    view.Redraw();
    // Area starts at (16, 8), scale 16: the region covers view (32, 32) .. (64, 64).
    EXPECT_EQ(Rows(view.Picture(), 30, 30, 6, 5),
              (Picture{"......", "......", "..7.7.", "......", "..7..."}));
    EXPECT_EQ(view.Picture().Pixel(63, 63), 7);
    EXPECT_EQ(view.Picture().Pixel(62, 63), 0);
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 32, 32, 64, 64, 0));
}

TEST_F(EditViewFixture, MovedStampOutlinesTheMovedRectangle) {
    view.SetPenNumber(0);
    view.Stamp() = {{18, 10, 20, 12}, {16, 8, 18, 10}, true, true};
    view.Redraw();
    EXPECT_EQ(view.Picture().Pixel(0, 0), 7);
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 0, 0, 32, 32, 0));
    view.ClearStamp();
    view.Redraw();
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 0, 0, 0, 0, 0));
}

TEST_F(EditViewFixture, EditSizeZeroStillCopiesButDrawsNoFrames) {
    FillRandom(tile, 9);
    view.SetEditSize(0);
    view.SetPenNumber(0);
    view.SetGridFlag(true);
    view.Stamp() = {{18, 10, 20, 12}, {}, true, false};
    view.Redraw();
    EXPECT_EQ(display, tile);
    Image8 expected(256, 256);
    expected.StretchFrom(tile, 16, 8, 16, 16, 0, 0, 256, 256);
    for (int y = 0; y < 256; y += 7)
        for (int x = 0; x < 256; x += 5)
            ASSERT_EQ(view.Picture().Pixel(x, y), expected.Pixel(x, y));
}

TEST_F(EditViewFixture, StrokePreviewShowsTheWorkingCopyAndTheMarquee) {
    FillRandom(tile, 1);
    working.Fill(0);
    view.SetFrameFlag(true);
    view.SetMarquee({17, 9, 18, 10}); // inclusive: view (16, 16) .. (48, 48)
    view.RenderStrokePreview();
    EXPECT_EQ(Rows(view.Picture(), 15, 15, 5, 4), (Picture{".....", ".6.6.", ".....", ".6..."}));
    EXPECT_EQ(view.Picture().Pixel(47, 47), 6);
    EXPECT_EQ(view.Picture().Pixel(46, 47), 0);
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 16, 16, 48, 48, 0));
    EXPECT_EQ(display, working);
}

TEST_F(EditViewFixture, NoMarqueeForAFlatRectangleOrWithTheFrameOff) {
    view.SetFrameFlag(true);
    view.SetMarquee({17, 9, 19, 9});
    view.RenderStrokePreview();
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 0, 0, 0, 0, 0));
    view.SetFrameFlag(false);
    view.SetMarquee({17, 9, 18, 10});
    view.RenderStrokePreview();
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 0, 0, 0, 0, 0));
}

TEST_F(EditViewFixture, StrokePreviewShowsARegionBeingMarkedWithTheStampPen) {
    view.SetPenNumber(0);
    view.Stamp().region = {16, 8, 17, 9};
    view.RenderStrokePreview();
    EXPECT_EQ(Rows(view.Picture(), 0, 0, 4, 2), (Picture{"7.7.", "...."}));
}

} // namespace
} // namespace tavrin

namespace tavrin {
namespace {

struct PastePreviewFixture : EditViewFixture {};

TEST_F(PastePreviewFixture, ShowsTheClipboardImageAtScaleTwoWithTheColourOffset) {
    tile.Fill(9);
    view.SetEditSize(ZoomEditSize(4));
    const Image8 clip = test::FromRows({"123", "3.1"});
    view.RenderPastePreview(&clip, 0x14);
    EXPECT_EQ(display.Pixel(0, 0), 0x15);
    EXPECT_EQ(display.Pixel(1, 1), 0x14);
    EXPECT_EQ(display.Pixel(3, 0), 0);
    EXPECT_EQ(display.Pixel(0, 2), 0);
    // Frame (0, 0) .. (6, 4) in white (7) over the doubled pixels.
    EXPECT_EQ(Rows(view.Picture(), 0, 0, 8, 5),
              (Picture{"777777..", "7####7..", "7####7..", "777777..", "........"}));
}

TEST_F(PastePreviewFixture, LargeClipboardImagesAreCutToTheDisplayImage) {
    Image8 clip(300, 20);
    clip.Fill(2);
    view.RenderPastePreview(&clip, 0);
    EXPECT_EQ(display.Pixel(127, 19), 2);
    EXPECT_EQ(display.Pixel(127, 20), 0);
    EXPECT_EQ(view.Picture().Pixel(255, 39), 7); // the frame is cut at 255 wide
    EXPECT_EQ(view.Picture().Pixel(254, 39), 7);
    EXPECT_EQ(view.Picture().Pixel(255, 38), 2);
}

TEST_F(PastePreviewFixture, WithoutAClipboardImageOnlyATinyFrameShows) {
    tile.Fill(9);
    view.RenderPastePreview(nullptr, 0x14);
    EXPECT_EQ(Rows(view.Picture(), 0, 0, 3, 3), (Picture{"77.", "77.", "..."}));
    EXPECT_TRUE(test::AllOutsideEqual(view.Picture(), 0, 0, 2, 2, 0));
}

} // namespace
} // namespace tavrin
