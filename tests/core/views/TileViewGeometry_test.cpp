#include "core/views/TileViewGeometry.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(TileViewGeometry, ZoomGivesTheEditSize) {
    EXPECT_EQ(ZoomEditSize(0), 128);
    EXPECT_EQ(ZoomEditSize(1), 64);
    EXPECT_EQ(ZoomEditSize(2), 32);
    EXPECT_EQ(ZoomEditSize(3), 16);
    EXPECT_EQ(ZoomEditSize(4), 8);
    EXPECT_EQ(ZoomEditSize(-3), 128);
    EXPECT_EQ(ZoomEditSize(9), 8);
}

TEST(TileViewGeometry, ResizeKeepsTheFirstTileWhileItFits) {
    EXPECT_EQ(ResizeEditArea({3, 4, 3, 4}, 32), (EditArea{3, 4, 6, 7}));
    EXPECT_EQ(ResizeEditArea({3, 4, 9, 9}, 8), (EditArea{3, 4, 3, 4}));
}

TEST(TileViewGeometry, ResizePullsTheAreaBackInsideThePage) {
    EXPECT_EQ(ResizeEditArea({14, 15, 14, 15}, 64), (EditArea{8, 8, 15, 15}));
    EXPECT_EQ(ResizeEditArea({5, 0, 5, 0}, 128), (EditArea{0, 0, 15, 15}));
}

TEST(TileViewGeometry, ClampPushesAnAreaBeforeThePageForward) {
    EXPECT_EQ(ClampEditArea({-2, -1, 1, 0}), (EditArea{0, 0, 3, 1}));
    EXPECT_EQ(ClampEditArea({2, 3, 10, 7}), (EditArea{2, 3, 10, 7}));
}

TEST(TileViewGeometry, LeftDragAtZoomX1AlwaysCoversThePage) {
    for (int x : {0, 77, 255, 400})
        EXPECT_EQ(LeftDragArea(x, x / 2, ZoomEditSize(0)), (EditArea{0, 0, 15, 15}));
}

TEST(TileViewGeometry, LeftDragAtEachZoom) {
    // Column 15, row 2 under the mouse.
    const int x = 15 * 16 + 3;
    const int y = 2 * 16 + 15;
    EXPECT_EQ(LeftDragArea(x, y, ZoomEditSize(1)), (EditArea{8, 2, 15, 9}));
    EXPECT_EQ(LeftDragArea(x, y, ZoomEditSize(2)), (EditArea{12, 2, 15, 5}));
    EXPECT_EQ(LeftDragArea(x, y, ZoomEditSize(3)), (EditArea{14, 2, 15, 3}));
    EXPECT_EQ(LeftDragArea(x, y, ZoomEditSize(4)), (EditArea{15, 2, 15, 2}));
    EXPECT_EQ(LeftDragArea(-40, 300, ZoomEditSize(3)), (EditArea{0, 14, 1, 15}));
}

TEST(TileViewGeometry, RightDragSpansAnyRectangle) {
    const TilePos anchor{10, 3};
    const EditArea area = RightDragArea(anchor, 2 * 16 + 5, 7 * 16 + 9);
    EXPECT_EQ(area, (EditArea{2, 3, 10, 7}));
    EXPECT_FALSE(area.IsSquare());
    EXPECT_EQ(RightDragArea(anchor, 10 * 16, 3 * 16), (EditArea{10, 3, 10, 3}));
    EXPECT_EQ(RightDragArea({0, 0}, 999, 999), (EditArea{0, 0, 15, 15}));
}

TEST(TileViewGeometry, ScreenTileIndexOfTheCellUnderTheMouse) {
    EXPECT_EQ(ScreenTileIndex(0, 0), 0);
    EXPECT_EQ(ScreenTileIndex(17, 0), 1);
    EXPECT_EQ(ScreenTileIndex(15, 16), 16);
    EXPECT_EQ(ScreenTileIndex(255, 255), 255);
    EXPECT_EQ(ScreenTileIndex(-5, 300), 240);
}

TEST(TileViewGeometry, EditAreaInPixels) {
    const EditArea area{2, 3, 10, 7};
    EXPECT_EQ(area.Pixels(), (PixelRect{16, 24, 88, 64}));
    EXPECT_EQ(area.Columns(), 9);
    EXPECT_EQ(area.Rows(), 5);
}

TEST(TileViewGeometry, PageGeometryFollowsBitsPerPixel) {
    EXPECT_EQ(PageGeometryFor(1), (PageGeometry{128, 2048}));
    EXPECT_EQ(PageGeometryFor(2), (PageGeometry{256, 4096}));
    EXPECT_EQ(PageGeometryFor(3), (PageGeometry{384, 6144}));
    EXPECT_EQ(PageGeometryFor(4), (PageGeometry{512, 8192}));
    EXPECT_EQ(PageGeometryFor(0, {384, 6144}), (PageGeometry{384, 6144}));
    EXPECT_EQ(PageGeometry{}.RowsPerPage(), 16);
}

TEST(TileViewGeometry, ChrScrollRange) {
    const PageGeometry p2 = PageGeometryFor(2);
    EXPECT_EQ(ChrScrollRange(262144, p2), (ScrollBarRange{0, 1024, 17, 1, 16}));
    EXPECT_EQ(ChrScrollRange(8191, p2), (ScrollBarRange{0, 16, 17, 1, 16}));
    EXPECT_EQ(ChrScrollRange(8192, p2), (ScrollBarRange{0, 32, 17, 1, 16}));
    EXPECT_EQ(ChrScrollRange(40976, PageGeometryFor(4)), (ScrollBarRange{0, 80, 17, 1, 16}));
}

TEST(TileViewGeometry, ChrScrollPositionAndAddress) {
    const PageGeometry p2 = PageGeometryFor(2);
    EXPECT_EQ(ChrScrollPosition(0x8010, 16, p2), 0x80);
    EXPECT_EQ(ChrScrollPosition(0x8011, 16, p2), 0x80);
    EXPECT_EQ(ChrScrollAddress(0x80, 16, p2), 0x8010);
    EXPECT_EQ(ChrScrollPosition(0, 16, p2), 0);
}

TEST(TileViewGeometry, ChrScrollDragStaysWithinTheLastPage) {
    const PageGeometry p2 = PageGeometryFor(2);
    const ScrollBarRange range = ChrScrollRange(65536, p2);
    EXPECT_EQ(ClampChrScrollPosition(300, range, p2), 256 - 16);
    EXPECT_EQ(ClampChrScrollPosition(-1, range, p2), 0);
    EXPECT_EQ(ClampChrScrollPosition(17, range, p2), 17);
    // A document smaller than a page cannot scroll at all.
    const PageGeometry p8 = PageGeometryFor(8);
    EXPECT_EQ(ClampChrScrollPosition(3, ChrScrollRange(9000, p8), p8), 0);
}

} // namespace
} // namespace tavrin
