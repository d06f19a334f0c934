#include "core/views/CImageEdit.h"

#include "core/edit/CPenTable.h"
#include "core/views/PixelRows.h"
#include "core/views/TileViewGeometry.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

// The edit view's mouse steps: pixels under the pointer, the working copy, the pen calls and
// what the main window is told after each step.

namespace tavrin {
namespace {

using test::Rows;
using Picture = std::vector<std::string>;

// A pen that remembers every call and answers with the flags it is given; with the left
// button it sets the current pixel of the image it was handed.
class RecordingPen : public CPen {
public:
    RecordingPen() : CPen("rec") {}
    void Draw(Image8& image, uint8_t& colour, PenResult& result, const PenEvent& event) override {
        events.push_back(event);
        images.push_back(&image);
        colours.push_back(colour);
        if (event.button == 1) {
            image.SetPixel(event.x, event.y, colour);
            result = answer;
        }
        CPen::Draw(image, colour, result, event);
    }

    std::vector<PenEvent> events;
    std::vector<const Image8*> images;
    std::vector<int> colours;
    PenResult answer{1, 0, 0, 0};
};

std::string EventText(const PenEvent& e) {
    return "b" + std::to_string(e.button) + " at " + std::to_string(e.x) + "," +
           std::to_string(e.y) + " rect " + std::to_string(e.left) + "," + std::to_string(e.top) +
           "-" + std::to_string(e.right) + "," + std::to_string(e.bottom) + " start " +
           std::to_string(e.startX) + "," + std::to_string(e.startY) + " prev " +
           std::to_string(e.prevX) + "," + std::to_string(e.prevY) + " area " +
           std::to_string(e.viewLeft) + "," + std::to_string(e.viewTop) + "-" +
           std::to_string(e.viewRight) + "," + std::to_string(e.viewBottom);
}

Image8::Palette StrokePalette() {
    Image8::Palette palette{};
    palette[2] = MakeColour(200, 0, 0);
    palette[6] = MakeColour(0, 250, 250);
    palette[7] = MakeColour(255, 255, 255);
    return palette;
}

struct EditStrokeTest : ::testing::Test {
    EditStrokeTest() : tile(128, 128), display(128, 128), working(128, 128) {
        view.SetImages(&tile, &display, &working);
        view.SetPalette(StrokePalette());
        view.SetPaletteSet(&paletteSet);
        paletteSet.SetBpp(2);
        paletteSet.SetSelectedEntry(3);
        // Zoom "x8": two tiles square, 16 screen pixels per image pixel.
        view.SetEditSize(16);
        view.SetArea({16, 8, 32, 24});
        view.SetPen(&pen);
        view.SetPenNumber(1);
    }

    // The view position of the centre of an image pixel in the current area.
    int ViewX(int x) const { return (x - view.Area().left) * view.Scale() + view.Scale() / 2; }
    int ViewY(int y) const { return (y - view.Area().top) * view.Scale() + view.Scale() / 2; }

    // What the main window does: a press runs the move step at the same position, and a
    // picked colour is selected.
    void Press(EditButton button, int x, int y) {
        view.Press(button, ViewX(x), ViewY(y));
        MoveTo(x, y);
    }
    void MoveTo(int x, int y) {
        view.Move(ViewX(x), ViewY(y));
        if (view.Result().picked)
            paletteSet.SetSelectedEntry(view.Result().pickedEntry);
    }

    void FillRandom(Image8& image, unsigned seed) {
        std::mt19937 random(seed);
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                image.SetPixel(x, y, static_cast<uint8_t>(random() % 3 + 8));
    }

    // Pixels of the picture in the given palette index.
    int CountIndex(uint8_t index) const {
        int n = 0;
        for (int y = 0; y < CImageEdit::ViewSize; ++y)
            for (int x = 0; x < CImageEdit::ViewSize; ++x)
                n += view.Picture().Pixel(x, y) == index ? 1 : 0;
        return n;
    }

    Image8 tile, display, working;
    CDatPalette paletteSet;
    RecordingPen pen;
    CPenTable pens;
    CImageEdit view;
};

// ---- Pixels under the pointer ----

TEST_F(EditStrokeTest, ViewPositionsMapToPixelsAtEveryZoom) {
    struct Case {
        int zoom;
        PixelRect area;
        int viewX, viewY;
        int x, y;
    };
    const Case cases[] = {
        {0, {0, 0, 128, 128}, 255, 1, 127, 0},   {0, {0, 0, 128, 128}, 3, 254, 1, 127},
        {1, {64, 32, 128, 96}, 7, 8, 65, 34},    {1, {64, 32, 128, 96}, 255, 255, 127, 95},
        {2, {96, 96, 128, 128}, 8, 15, 97, 97},  {2, {96, 96, 128, 128}, 0, 255, 96, 127},
        {3, {24, 8, 40, 24}, 40, 200, 26, 20},   {3, {24, 8, 40, 24}, 15, 16, 24, 9},
        {4, {120, 0, 128, 8}, 31, 32, 120, 1},   {4, {120, 0, 128, 8}, 255, 0, 127, 0},
        {4, {120, 0, 128, 8}, 224, 223, 127, 6},
    };
    for (const Case& c : cases) {
        view.SetEditSize(ZoomEditSize(c.zoom));
        view.SetArea(c.area);
        pen.events.clear();
        view.Move(c.viewX, c.viewY);
        ASSERT_EQ(pen.events.size(), 1u);
        EXPECT_EQ(pen.events[0].x, c.x) << "zoom " << c.zoom << " at " << c.viewX;
        EXPECT_EQ(pen.events[0].y, c.y) << "zoom " << c.zoom << " at " << c.viewY;
    }
}

TEST_F(EditStrokeTest, PositionsOutsideTheViewAreHeldAtTheBorderPixel) {
    Press(EditButton::Left, 20, 10);
    view.Move(-40, 900);
    view.Move(300, -1);
    ASSERT_EQ(pen.events.size(), 3u);
    EXPECT_EQ(EventText(pen.events[1]),
              "b1 at 16,23 rect 16,10-20,23 start 20,10 prev 20,10 area 16,8-32,24");
    EXPECT_EQ(EventText(pen.events[2]),
              "b1 at 31,8 rect 20,8-31,10 start 20,10 prev 16,23 area 16,8-32,24");
    // The press itself is held the same way.
    view.Release(EditButton::Left);
    pen.events.clear();
    view.Press(EditButton::Left, 5000, -5000);
    view.Move(5000, -5000);
    EXPECT_EQ(EventText(pen.events[0]),
              "b1 at 31,8 rect 31,8-31,8 start 31,8 prev 31,8 area 16,8-32,24");
}

TEST_F(EditStrokeTest, EventsCarryStartPreviousPointAndTheDragRectangle) {
    paletteSet.SetSelectedEntry(0x16);
    Press(EditButton::Left, 25, 12);
    MoveTo(20, 17);
    MoveTo(28, 9);
    ASSERT_EQ(pen.events.size(), 3u);
    EXPECT_EQ(EventText(pen.events[0]),
              "b1 at 25,12 rect 25,12-25,12 start 25,12 prev 25,12 area 16,8-32,24");
    EXPECT_EQ(EventText(pen.events[1]),
              "b1 at 20,17 rect 20,12-25,17 start 25,12 prev 25,12 area 16,8-32,24");
    EXPECT_EQ(EventText(pen.events[2]),
              "b1 at 28,9 rect 25,9-28,12 start 25,12 prev 20,17 area 16,8-32,24");
    // The colour byte is the whole selected entry, taken at each event.
    EXPECT_EQ(pen.colours, (std::vector<int>{0x16, 0x16, 0x16}));
    // The pen draws into the working copy.
    for (const Image8* image : pen.images)
        EXPECT_EQ(image, &working);
}

TEST_F(EditStrokeTest, ButtonsAsThePenSeesThem) {
    Press(EditButton::Right, 20, 10);
    view.Release(EditButton::Right);
    Press(EditButton::Middle, 20, 10);
    view.Release(EditButton::Middle);
    MoveTo(21, 11); // no button
    ASSERT_EQ(pen.events.size(), 3u);
    EXPECT_EQ(pen.events[0].button, 2);
    EXPECT_EQ(pen.events[1].button, 0);
    EXPECT_EQ(pen.events[2].button, 0);
    EXPECT_EQ(view.ButtonState(), EditButton::None);
}

// ---- The working copy ----

TEST_F(EditStrokeTest, ALeftPressCopiesTheTileImageIntoTheWorkingCopy) {
    FillRandom(tile, 3);
    working.Fill(1);
    view.Press(EditButton::Left, 10, 10);
    EXPECT_EQ(working, tile);
    EXPECT_TRUE(pen.events.empty()) << "the press alone calls no pen";
}

TEST_F(EditStrokeTest, TheWorkingCopyIsResetBeforeEveryEventWhileAButtonIsHeld) {
    FillRandom(tile, 4);
    const Image8 original = tile;
    Press(EditButton::Left, 18, 10);
    MoveTo(22, 12);
    MoveTo(26, 14);
    // Only the last event's pixel is in the working copy; the tile image is untouched.
    Image8 expected = original;
    expected.SetPixel(26, 14, 3);
    EXPECT_EQ(working, expected);
    EXPECT_EQ(tile, original);
    EXPECT_TRUE(view.Result().redrawn);
    // The release copies the edit area of the working copy into the tile image.
    view.Release(EditButton::Left);
    EXPECT_TRUE(view.Result().changed);
    EXPECT_EQ(tile, expected);
}

TEST_F(EditStrokeTest, ACommittingPenAccumulatesItsStroke) {
    pen.answer = {1, 1, 0, 0};
    Press(EditButton::Left, 18, 10);
    MoveTo(22, 12);
    MoveTo(26, 14);
    EXPECT_EQ(tile.Pixel(18, 10), 3);
    EXPECT_EQ(tile.Pixel(22, 12), 3);
    EXPECT_EQ(tile.Pixel(26, 14), 3);
    EXPECT_EQ(working, tile);
}

TEST_F(EditStrokeTest, MovingWithoutAButtonKeepsTheWorkingCopy) {
    working.SetPixel(20, 20, 9);
    MoveTo(21, 11);
    EXPECT_EQ(working.Pixel(20, 20), 9);
    EXPECT_FALSE(view.Result().redrawn) << "the pen drew nothing without a button";
}

TEST_F(EditStrokeTest, TheReleaseCopiesOnlyTheEditArea) {
    // The fill's frame lies just outside the area in the working copy.
    view.SetPen(pens.Get(9));
    view.SetPenNumber(9);
    tile.Fill(0);
    Press(EditButton::Left, 20, 12);
    EXPECT_EQ(working.Pixel(15, 12), 3);
    EXPECT_EQ(working.Pixel(32, 12), 3);
    view.Release(EditButton::Left);
    EXPECT_TRUE(test::AllOutsideEqual(tile, 16, 8, 32, 24, 0));
    EXPECT_EQ(Rows(tile, 15, 7, 18, 1), (Picture{".................."}));
    EXPECT_EQ(Rows(tile, 15, 8, 18, 1), (Picture{".3333333333333333."}));
    EXPECT_EQ(Rows(tile, 15, 23, 18, 2), (Picture{".3333333333333333.", ".................."}));
}

// ---- Cancelling ----

TEST_F(EditStrokeTest, ARightPressDuringALeftDragCancelsIt) {
    view.SetPen(pens.Get(4));
    view.SetPenNumber(4);
    const Image8 original = tile;
    Press(EditButton::Left, 17, 9);
    MoveTo(25, 20);
    EXPECT_EQ(working.Pixel(20, 15), 3);
    view.Press(EditButton::Right, ViewX(25), ViewY(20));
    EXPECT_EQ(view.ButtonState(), EditButton::None);
    MoveTo(27, 22);
    EXPECT_FALSE(view.Result().redrawn) << "the pen gets no button after the cancel";
    view.Release(EditButton::Right);
    EXPECT_FALSE(view.Result().changed);
    view.Release(EditButton::Left);
    EXPECT_FALSE(view.Result().changed);
    EXPECT_EQ(tile, original) << "the release copies nothing";
}

TEST_F(EditStrokeTest, ACancelledFreehandStrokeReportsNoChange) {
    view.SetPen(pens.Get(1));
    Press(EditButton::Left, 17, 9);
    MoveTo(20, 9);
    // The freehand pen commits as it goes; the main window decodes the page again after the
    // release, which removes these pixels.
    EXPECT_EQ(Rows(tile, 16, 9, 6, 1), (Picture{".3333."}));
    view.Press(EditButton::Right, ViewX(20), ViewY(9));
    view.Release(EditButton::Left);
    EXPECT_FALSE(view.Result().changed);
}

TEST_F(EditStrokeTest, CancelStrokeDropsTheHeldStroke) {
    view.SetPen(pens.Get(4));
    const Image8 original = tile;
    Press(EditButton::Left, 17, 9);
    MoveTo(25, 20);
    view.CancelStroke();
    EXPECT_EQ(view.ButtonState(), EditButton::None);
    view.Release(EditButton::Left);
    EXPECT_FALSE(view.Result().changed);
    EXPECT_EQ(tile, original);
}

// ---- Colour pick ----

TEST_F(EditStrokeTest, ARightClickPicksTheColourNumberAndKeepsTheGroup) {
    view.SetPen(pens.Get(4));
    paletteSet.SetSelectedEntry(0x15); // group 5, colour 1
    tile.SetPixel(22, 14, 0x2B);       // group 10, colour 3
    Press(EditButton::Right, 22, 14);
    EXPECT_TRUE(view.Result().picked);
    EXPECT_EQ(paletteSet.SelectedEntry(), 0x17);
    MoveTo(23, 14); // still held: the pixel there is 0
    EXPECT_TRUE(view.Result().picked);
    EXPECT_EQ(paletteSet.SelectedEntry(), 0x14);
    view.Release(EditButton::Right);
    EXPECT_FALSE(view.Result().picked);
    EXPECT_FALSE(view.Result().changed);
    // With four bits per pixel the low four bits are taken.
    paletteSet.SetBpp(4);
    paletteSet.SetSelectedEntry(0x35);
    Press(EditButton::Right, 22, 14);
    EXPECT_EQ(paletteSet.SelectedEntry(), 0x3B);
}

// ---- Stamp ----

struct StampTest : EditStrokeTest {
    StampTest() {
        view.SetPen(pens.Get(0));
        view.SetPenNumber(0);
        view.SetArea({0, 0, 16, 16});
        tile = test::FromRows({
            "................",
            "................",
            "..123...........",
            "..456...........",
            "................",
        });
        tile.Resize(128, 128);
        const Image8 small = test::FromRows({"123", "456"});
        tile.CopyRect(small, 0, 0, 3, 2, 2, 2);
    }
};

TEST_F(StampTest, AFirstDragMarksARegionAndChangesNothing) {
    const Image8 original = tile;
    Press(EditButton::Left, 4, 3);
    MoveTo(2, 2);
    EXPECT_FALSE(view.Stamp().regionExists);
    EXPECT_EQ(view.Stamp().region, (PixelRect{2, 2, 5, 4}));
    EXPECT_TRUE(view.Result().redrawn);
    view.Release(EditButton::Left);
    EXPECT_FALSE(view.Result().changed) << "a release without a copy commits nothing";
    EXPECT_TRUE(view.Stamp().regionExists);
    EXPECT_FALSE(view.Stamp().moved);
    EXPECT_EQ(tile, original);
}

TEST_F(StampTest, ADragFromInsideTheRegionPlacesACopyAndMovesTheRegion) {
    Press(EditButton::Left, 2, 2);
    MoveTo(4, 3);
    view.Release(EditButton::Left);
    ASSERT_EQ(view.Stamp().region, (PixelRect{2, 2, 5, 4}));

    Press(EditButton::Left, 3, 3);
    MoveTo(9, 7);
    EXPECT_TRUE(view.Stamp().moved);
    EXPECT_EQ(view.Stamp().movedRect, (PixelRect{8, 6, 11, 8}));
    MoveTo(11, 8); // only the copy at the current offset shows
    EXPECT_EQ(view.Stamp().movedRect, (PixelRect{10, 7, 13, 9}));
    EXPECT_EQ(Rows(working, 0, 0, 16, 10), (Picture{
                                               "................",
                                               "................",
                                               "..123...........",
                                               "..456...........",
                                               "................",
                                               "................",
                                               "................",
                                               "..........123...",
                                               "..........456...",
                                               "................",
                                           }));
    EXPECT_EQ(Rows(tile, 0, 7, 16, 1), (Picture{"................"}));
    view.Release(EditButton::Left);
    EXPECT_TRUE(view.Result().changed);
    EXPECT_EQ(view.Stamp().region, (PixelRect{10, 7, 13, 9}));
    EXPECT_TRUE(view.Stamp().regionExists);
    EXPECT_FALSE(view.Stamp().moved);
    EXPECT_EQ(Rows(tile, 0, 0, 16, 10), Rows(working, 0, 0, 16, 10));

    // The next copy is taken from where the region now lies.
    tile.SetPixel(10, 7, 9);
    Press(EditButton::Left, 10, 7);
    MoveTo(10, 11);
    view.Release(EditButton::Left);
    EXPECT_EQ(Rows(tile, 10, 11, 3, 2), (Picture{"923", "456"}));
    EXPECT_EQ(view.Stamp().region, (PixelRect{10, 11, 13, 13}));
}

TEST_F(StampTest, ADragFromOutsideTheRegionReplacesIt) {
    Press(EditButton::Left, 2, 2);
    MoveTo(4, 3);
    view.Release(EditButton::Left);
    const Image8 original = tile;
    Press(EditButton::Left, 12, 12);
    EXPECT_FALSE(view.Stamp().regionExists);
    MoveTo(7, 14);
    EXPECT_EQ(view.Stamp().region, (PixelRect{7, 12, 13, 15}));
    view.Release(EditButton::Left);
    EXPECT_FALSE(view.Result().changed);
    EXPECT_TRUE(view.Stamp().regionExists);
    EXPECT_EQ(tile, original);
}

TEST_F(StampTest, ACopyReachingPastTheAreaIsCutAtItsEdge) {
    Press(EditButton::Left, 2, 2);
    MoveTo(4, 3);
    view.Release(EditButton::Left);
    Press(EditButton::Left, 2, 2);
    MoveTo(15, 15);
    view.Release(EditButton::Left);
    EXPECT_TRUE(view.Result().changed);
    EXPECT_EQ(view.Stamp().region, (PixelRect{15, 15, 18, 17}));
    EXPECT_EQ(tile.Pixel(15, 15), 1);
    EXPECT_EQ(tile.Pixel(16, 15), 0) << "outside the edit area";
    EXPECT_EQ(tile.Pixel(15, 16), 0) << "outside the edit area";
}

TEST_F(StampTest, ClearingTheStampForgetsTheRegion) {
    Press(EditButton::Left, 2, 2);
    MoveTo(4, 3);
    view.Release(EditButton::Left);
    view.ClearStamp();
    EXPECT_FALSE(view.Stamp().regionExists);
    // A drag from where the region was marks a new one.
    Press(EditButton::Left, 3, 3);
    MoveTo(5, 5);
    view.Release(EditButton::Left);
    EXPECT_FALSE(view.Result().changed);
    EXPECT_EQ(view.Stamp().region, (PixelRect{3, 3, 6, 6}));
}

TEST_F(StampTest, OtherPenNumbersDoNotStamp) {
    Press(EditButton::Left, 2, 2);
    MoveTo(4, 3);
    view.Release(EditButton::Left);
    const StampState before = view.Stamp();
    view.SetPenNumber(4);
    view.SetPen(pens.Get(4));
    Press(EditButton::Left, 3, 3);
    MoveTo(9, 9);
    EXPECT_EQ(view.Stamp().region, before.region);
    EXPECT_FALSE(view.Stamp().moved);
    view.Release(EditButton::Left);
    EXPECT_TRUE(view.Result().changed);
}

// ---- Marquee ----

TEST_F(EditStrokeTest, TheMarqueeFollowsPensThatAskForIt) {
    view.SetFrameFlag(true);
    ASSERT_EQ(view.AquaIndex(), 6);
    view.SetPen(pens.Get(4));
    Press(EditButton::Left, 18, 10);
    MoveTo(21, 13);
    EXPECT_EQ(view.Marquee(), (PixelRect{18, 10, 21, 13}));
    EXPECT_GT(CountIndex(6), 0);
    // From (2 x 16, 2 x 16) to (6 x 16, 6 x 16) in view pixels, dotted.
    EXPECT_EQ(view.Picture().Pixel(32, 32), 6);
    EXPECT_EQ(view.Picture().Pixel(95, 95), 6);
    EXPECT_EQ(view.Picture().Pixel(40, 40), 3) << "inside: the rectangle being drawn";
    EXPECT_EQ(view.Picture().Pixel(96, 96), 0) << "outside: the tile image";
    view.Release(EditButton::Left);

    // The freehand pen shows none.
    view.SetPen(pens.Get(1));
    Press(EditButton::Left, 18, 10);
    MoveTo(21, 13);
    EXPECT_EQ(view.Marquee(), PixelRect{});
    EXPECT_EQ(CountIndex(6), 0);
}

TEST_F(EditStrokeTest, TheMarqueeNeedsTheFrameFlagAndTwoRowsAndColumns) {
    view.SetPen(pens.Get(7));
    view.SetFrameFlag(false);
    Press(EditButton::Left, 18, 10);
    MoveTo(24, 15);
    EXPECT_EQ(view.Marquee(), (PixelRect{18, 10, 24, 15})) << "kept, but not shown";
    EXPECT_EQ(CountIndex(6), 0);
    view.Release(EditButton::Left);
    view.SetFrameFlag(true);
    Press(EditButton::Left, 18, 10);
    MoveTo(24, 10); // one row
    EXPECT_EQ(CountIndex(6), 0);
    MoveTo(24, 15);
    EXPECT_GT(CountIndex(6), 0);
}

// ---- Input that is ignored ----

TEST_F(EditStrokeTest, ThePastePreviewIgnoresAllInput) {
    FillRandom(tile, 8);
    const Image8 original = tile;
    working.Fill(1);
    view.SetPastePreview(true);
    view.Press(EditButton::Left, 30, 30);
    view.Move(30, 30);
    view.Move(100, 100);
    EXPECT_TRUE(pen.events.empty());
    EXPECT_EQ(view.ButtonState(), EditButton::None);
    EXPECT_FALSE(view.Result().tileChanged);
    view.Release(EditButton::Left);
    EXPECT_FALSE(view.Result().changed);
    EXPECT_EQ(tile, original);
    EXPECT_EQ(working.Pixel(0, 0), 1);
}

TEST_F(EditStrokeTest, EditSizeZeroIgnoresAllInput) {
    const Image8 original = tile;
    view.SetEditSize(0);
    view.Press(EditButton::Left, 30, 30);
    view.Move(30, 30);
    view.Release(EditButton::Left);
    EXPECT_TRUE(pen.events.empty());
    EXPECT_FALSE(view.Result().changed);
    EXPECT_EQ(tile, original);
}

TEST_F(EditStrokeTest, WithoutAPenMovesDoNothing) {
    view.SetPen(nullptr);
    Press(EditButton::Left, 20, 10);
    EXPECT_FALSE(view.Result().redrawn);
    EXPECT_FALSE(view.Result().tileChanged);
    view.Release(EditButton::Left);
    EXPECT_TRUE(view.Result().changed) << "the release still copies the working copy back";
}

// ---- Flags for the main window ----

TEST_F(EditStrokeTest, TileChangedReportsANewTileUnderThePointer) {
    view.SetArea({0, 0, 16, 16});
    MoveTo(3, 3);
    EXPECT_TRUE(view.Result().tileChanged);
    EXPECT_EQ(view.Result().tileUnderMouse, 0);
    MoveTo(7, 0);
    EXPECT_FALSE(view.Result().tileChanged);
    EXPECT_EQ(view.Result().tileUnderMouse, 0);
    MoveTo(8, 0);
    EXPECT_TRUE(view.Result().tileChanged);
    EXPECT_EQ(view.Result().tileUnderMouse, 1);
    MoveTo(8, 9);
    EXPECT_TRUE(view.Result().tileChanged);
    EXPECT_EQ(view.Result().tileUnderMouse, 17);
    view.SetArea({112, 112, 128, 128});
    MoveTo(127, 127);
    EXPECT_EQ(view.Result().tileUnderMouse, 255);
    // A release clears the flags but remembers the tile.
    view.Release(EditButton::Left);
    EXPECT_FALSE(view.Result().tileChanged);
    MoveTo(126, 120);
    EXPECT_FALSE(view.Result().tileChanged);
}

TEST_F(EditStrokeTest, EveryStepClearsTheFlagsOfTheLastOne) {
    view.SetPen(pens.Get(1));
    Press(EditButton::Right, 20, 10);
    ASSERT_TRUE(view.Result().picked);
    view.Release(EditButton::Right);
    EXPECT_FALSE(view.Result().picked);
    Press(EditButton::Left, 20, 10);
    ASSERT_TRUE(view.Result().redrawn);
    view.Release(EditButton::Left);
    ASSERT_TRUE(view.Result().changed);
    MoveTo(21, 10);
    EXPECT_FALSE(view.Result().changed);
    EXPECT_FALSE(view.Result().redrawn);
}

} // namespace
} // namespace tavrin
