#include "core/edit/CPen.h"
#include "core/edit/CPenTable.h"

#include "core/platform/Cp932.h"
#include "core/views/CBitmapEdit.h"
#include "core/views/PixelRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::FromRows;
using test::Rows;
using Picture = std::vector<std::string>;

constexpr int Left = 1;
constexpr int Right = 2;

// An event as the edit view builds it: the drag rectangle spans start and current point.
PenEvent Event(int button, int x, int y, int startX, int startY, int prevX, int prevY,
               PixelRect area = {0, 0, 128, 128}) {
    return MakePenEvent(button, x, y, startX, startY, prevX, prevY, area);
}

// A press without movement: start, previous and current point are the same.
PenEvent Click(int button, int x, int y, PixelRect area = {0, 0, 128, 128}) {
    return Event(button, x, y, x, y, x, y, area);
}

// A drag step from start to (x, y), the previous point being the start.
PenEvent Drag(int startX, int startY, int x, int y) {
    return Event(Left, x, y, startX, startY, startX, startY);
}

std::string Flags(const PenResult& r) {
    std::string s;
    s += r.redraw ? 'R' : '-';
    s += r.commit ? 'C' : '-';
    s += r.picked ? 'P' : '-';
    s += r.showRect ? 'S' : '-';
    return s;
}

struct Drawn {
    PenResult result{};
    uint8_t colour = 0;
};

Drawn DrawWith(CPen& pen, Image8& image, uint8_t colour, const PenEvent& event) {
    Drawn d;
    d.colour = colour;
    pen.Draw(image, d.colour, d.result, event);
    return d;
}

std::string NameOf(const CPen& pen) {
    return Cp932ToUtf8(pen.GetInfo()->name);
}

class PenTableTest : public ::testing::Test {
protected:
    CPen& Pen(int n) { return *table.Get(n); }
    CPenTable table;
};

// ---- The table and the pens' records ----

TEST_F(PenTableTest, HoldsTheTenPensInOrderWithTheirNames) {
    const char* names[] = {"スタンプ",     "ペン",       "ペン(市松)", "線",     "長方形(塗り)",
                           "長方形(市松)", "長方形(線)", "円(塗り)",   "円(線)", "塗り潰し"};
    ASSERT_EQ(table.Count(), 10);
    for (int i = 0; i < 10; ++i) {
        ASSERT_NE(table.Get(i), nullptr) << i;
        const PenInfo* info = Pen(i).GetInfo();
        EXPECT_EQ(info->mode, 0) << i;
        EXPECT_EQ(NameOf(Pen(i)), names[i]) << i;
        // The rest of the record after the name is zero.
        const size_t length = std::strlen(info->name);
        for (size_t k = length; k < sizeof info->name; ++k)
            ASSERT_EQ(info->name[k], 0) << i << " byte " << k;
    }
    // The records hold cp932: "ペン" is two double-byte characters.
    EXPECT_STREQ(Pen(1).GetInfo()->name, "\x83\x79\x83\x93");
}

TEST_F(PenTableTest, GetOutsideTheTableIsNull) {
    EXPECT_EQ(table.Get(-1), nullptr);
    EXPECT_EQ(table.Get(10), nullptr);
    EXPECT_EQ(table.Get(16), nullptr);
    EXPECT_EQ(table.Get(INT32_MIN), nullptr);
}

TEST_F(PenTableTest, AddRefusesTheSeventeenthPen) {
    std::vector<CPen1> extra(7);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(table.Add(&extra[static_cast<size_t>(i)])) << i;
    EXPECT_EQ(table.Count(), 16);
    EXPECT_EQ(table.Get(15), &extra[5]);
    EXPECT_FALSE(table.Add(&extra[6]));
    EXPECT_EQ(table.Count(), 16);
    EXPECT_EQ(table.Get(15), &extra[5]);
    EXPECT_EQ(table.Get(16), nullptr);
    // The built-in pens keep their places.
    EXPECT_EQ(NameOf(*table.Get(9)), "塗り潰し");
}

// ---- What every pen does with each button ----

TEST_F(PenTableTest, LeftButtonFlagsPerPen) {
    // A click on an even pixel (so the checker pen draws too) over a blank image.
    const char* expected[] = {"R---", "RC--", "RC--", "R---", "R--S",
                              "R--S", "R--S", "R--S", "R--S", "R---"};
    for (int i = 0; i < 10; ++i) {
        Image8 image(16, 16);
        const Drawn d = DrawWith(Pen(i), image, 3, Drag(4, 4, 6, 6));
        EXPECT_EQ(Flags(d.result), expected[i]) << i;
        EXPECT_EQ(d.colour, 3) << "a left event keeps the colour, pen " << i;
    }
}

TEST_F(PenTableTest, RightButtonPicksTheColourUnderTheCursorForEveryPen) {
    std::mt19937 random(11);
    for (int i = 0; i < 10; ++i) {
        Image8 image(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.SetPixel(x, y, static_cast<uint8_t>(random()));
        image.SetPixel(5, 9, 0x27);
        const Image8 before = image;
        // A right press during a left drag keeps the start point elsewhere; only x, y count.
        const Drawn d = DrawWith(Pen(i), image, 0x01, Event(Right, 5, 9, 1, 1, 2, 2));
        EXPECT_EQ(d.colour, 0x27) << i;
        EXPECT_EQ(Flags(d.result), "--P-") << i;
        EXPECT_EQ(image, before) << "picking draws nothing, pen " << i;
    }
}

TEST_F(PenTableTest, NoButtonDoesNothing) {
    for (int i = 0; i < 10; ++i) {
        Image8 image(16, 16);
        image.SetPixel(3, 3, 9);
        const Image8 before = image;
        const Drawn d = DrawWith(Pen(i), image, 0x05, Event(0, 3, 3, 0, 0, 1, 1));
        EXPECT_EQ(d.colour, 0x05) << i;
        EXPECT_EQ(Flags(d.result), "----") << i;
        EXPECT_EQ(image, before) << i;
    }
}

TEST_F(PenTableTest, ASingleClickSetsExactlyTheClickedPixel) {
    for (int i : {1, 3, 4, 5, 6}) {
        for (const auto& [x, y] : {std::pair{3, 2}, std::pair{0, 0}, std::pair{7, 5}}) {
            Image8 image(8, 6);
            DrawWith(Pen(i), image, 0x16, Click(Left, x, y));
            Image8 expected(8, 6);
            expected.SetPixel(x, y, 0x16);
            EXPECT_EQ(Rows(image), Rows(expected)) << "pen " << i << " at " << x << "," << y;
            EXPECT_EQ(image.Pixel(x, y), 0x16) << "the whole colour byte is written";
        }
    }
}

TEST_F(PenTableTest, TheStampPenDrawsNothing) {
    Image8 image(8, 8);
    const Drawn d = DrawWith(Pen(0), image, 7, Drag(1, 1, 6, 5));
    EXPECT_EQ(Rows(image), Rows(Image8(8, 8)));
    EXPECT_EQ(Flags(d.result), "R---");
}

// ---- Lines ----

TEST_F(PenTableTest, FreehandDrawsFromThePreviousPointAndCoversBothEnds) {
    Image8 image(8, 4);
    // Start point far away: the freehand pen only uses the previous point.
    DrawWith(Pen(1), image, 2, Event(Left, 6, 1, 0, 3, 2, 1));
    EXPECT_EQ(Rows(image), (Picture{
                               "........",
                               "..22222.",
                               "........",
                               "........",
                           }));
    // Strokes accumulate when the caller commits each event.
    DrawWith(Pen(1), image, 3, Event(Left, 6, 3, 0, 3, 6, 1));
    EXPECT_EQ(Rows(image), (Picture{
                               "........",
                               "..22223.",
                               "......3.",
                               "......3.",
                           }));
}

TEST_F(PenTableTest, TheLinePenDrawsFromTheStartPoint) {
    Image8 image(6, 6);
    DrawWith(Pen(3), image, 1, Event(Left, 4, 4, 0, 0, 4, 0));
    EXPECT_EQ(Rows(image), (Picture{
                               "1.....",
                               ".1....",
                               "..1...",
                               "...1..",
                               "....1.",
                               "......",
                           }));
    // Backwards, right to left along a column.
    Image8 column(3, 5);
    DrawWith(Pen(3), column, 4, Event(Left, 1, 0, 1, 4, 1, 1));
    EXPECT_EQ(Rows(column), (Picture{".4.", ".4.", ".4.", ".4.", ".4."}));
}

// ---- Checker pen ----

TEST_F(PenTableTest, TheCheckerPenSetsOnlyPixelsOfEvenParity) {
    Image8 image(8, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x) {
            const Drawn d = DrawWith(Pen(2), image, 5, Event(Left, x, y, 0, 0, x, y));
            const bool even = (x + y) % 2 == 0;
            EXPECT_EQ(Flags(d.result), even ? "RC--" : "----") << x << "," << y;
        }
    EXPECT_EQ(Rows(image), (Picture{"5.5.5.5.", ".5.5.5.5"}));
}

TEST_F(PenTableTest, TheCheckerPenLeavesGapsOnAFastDrag) {
    Image8 image(8, 1);
    DrawWith(Pen(2), image, 1, Event(Left, 0, 0, 0, 0, 0, 0));
    DrawWith(Pen(2), image, 1, Event(Left, 6, 0, 0, 0, 0, 0));
    EXPECT_EQ(Rows(image), (Picture{"1.....1."}));
}

TEST_F(PenTableTest, TheCheckerPhaseIsFixedInImageCoordinates) {
    // Whatever the drag, pixel (3, 2) is never set and (3, 3) is.
    Image8 image(8, 8);
    DrawWith(Pen(2), image, 1, Event(Left, 3, 2, 3, 2, 3, 2));
    EXPECT_EQ(image.Pixel(3, 2), 0);
    DrawWith(Pen(2), image, 1, Event(Left, 3, 3, 1, 0, 3, 2));
    EXPECT_EQ(image.Pixel(3, 3), 1);
}

// ---- Rectangles ----

TEST_F(PenTableTest, TheFilledRectangleCoversTheDragWhicheverWayItGoes) {
    for (const auto& [sx, sy, x, y] : {std::array{1, 1, 4, 3}, std::array{4, 3, 1, 1},
                                       std::array{1, 3, 4, 1}, std::array{4, 1, 1, 3}}) {
        Image8 image(6, 5);
        DrawWith(Pen(4), image, 9, Drag(sx, sy, x, y));
        EXPECT_EQ(Rows(image), (Picture{
                                   "......",
                                   ".9999.",
                                   ".9999.",
                                   ".9999.",
                                   "......",
                               }))
            << sx << "," << sy << " to " << x << "," << y;
    }
}

TEST_F(PenTableTest, TheCheckerRectangleAlwaysSetsItsTopLeftCorner) {
    // Odd top-left corner (1, 1): the image's own checker would leave it clear.
    Image8 image(8, 6);
    DrawWith(Pen(5), image, 6, Drag(6, 5, 1, 1));
    EXPECT_EQ(Rows(image), (Picture{
                               "........",
                               ".6.6.6..",
                               "..6.6.6.",
                               ".6.6.6..",
                               "..6.6.6.",
                               ".6.6.6..",
                           }));
    // Corner (2, 1): the same phase relative to the corner.
    Image8 shifted(8, 3);
    DrawWith(Pen(5), shifted, 6, Drag(2, 1, 5, 2));
    EXPECT_EQ(Rows(shifted), (Picture{"........", "..6.6...", "...6.6.."}));
}

TEST_F(PenTableTest, TheRectangleOutlineLeavesTheInsideAndSetsTheCurrentPixel) {
    Image8 image = FromRows({
        "777777",
        "777777",
        "777777",
        "777777",
        "777777",
    });
    DrawWith(Pen(6), image, 2, Drag(4, 3, 1, 0));
    EXPECT_EQ(Rows(image), (Picture{
                               "722227",
                               "727727",
                               "727727",
                               "722227",
                               "777777",
                           }));
    // One row high: a line whose both ends are set.
    Image8 flat(6, 1);
    DrawWith(Pen(6), flat, 1, Drag(1, 0, 4, 0));
    EXPECT_EQ(Rows(flat), (Picture{".1111."}));
}

// ---- Ellipses ----

// The bounding box of the pixels that differ from 0, right and bottom exclusive.
PixelRect Extent(const Image8& image) {
    PixelRect r{image.Width(), image.Height(), 0, 0};
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Pixel(x, y) != 0) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
    return r;
}

TEST_F(PenTableTest, EllipsesStayInsideTheirBoxAndTouchEverySide) {
    struct Box {
        int sx, sy, x, y;
    };
    // Boxes one pixel thin, and larger ones; a two-pixel-wide box may leave its end rows
    // empty, which the narrow case below covers.
    const Box boxes[] = {{2, 3, 17, 12}, {17, 12, 2, 3}, {0, 0, 19, 19},
                         {3, 8, 15, 8},  {9, 1, 9, 17},  {12, 2, 4, 5}};
    for (const Box& b : boxes) {
        const PixelRect box{std::min(b.sx, b.x), std::min(b.sy, b.y), std::max(b.sx, b.x) + 1,
                            std::max(b.sy, b.y) + 1};
        Image8 filled(20, 20);
        Image8 outline(20, 20);
        DrawWith(Pen(7), filled, 4, Drag(b.sx, b.sy, b.x, b.y));
        DrawWith(Pen(8), outline, 4, Drag(b.sx, b.sy, b.x, b.y));
        EXPECT_EQ(Extent(filled), box) << box.left << "," << box.top;
        EXPECT_EQ(Extent(outline), box) << box.left << "," << box.top;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                if (outline.Pixel(x, y) != 0) {
                    ASSERT_EQ(filled.Pixel(x, y), 4) << "the outline is the filled shape's edge";
                }
            }
    }
}

TEST_F(PenTableTest, ANarrowEllipseStaysInsideItsBox) {
    Image8 filled(20, 20);
    Image8 outline(20, 20);
    DrawWith(Pen(7), filled, 4, Drag(5, 5, 6, 14));
    DrawWith(Pen(8), outline, 4, Drag(5, 5, 6, 14));
    for (const Image8* image : {&filled, &outline}) {
        const PixelRect extent = Extent(*image);
        EXPECT_EQ(extent.left, 5);
        EXPECT_EQ(extent.right, 7);
        EXPECT_GE(extent.top, 5);
        EXPECT_LE(extent.bottom, 15);
        EXPECT_EQ(image->Pixel(5, 10), 4);
        EXPECT_EQ(image->Pixel(6, 9), 4);
    }
}

TEST_F(PenTableTest, TheFilledEllipseIsSolidAndTheOutlineIsHollow) {
    Image8 filled(16, 12);
    Image8 outline(16, 12);
    DrawWith(Pen(7), filled, 1, Drag(1, 1, 14, 10));
    DrawWith(Pen(8), outline, 1, Drag(1, 1, 14, 10));
    // Every row of the filled ellipse is one run, symmetric about the box's centre.
    for (int y = 1; y <= 10; ++y) {
        const std::string row = Rows(filled)[static_cast<size_t>(y)];
        const size_t first = row.find('1');
        const size_t last = row.rfind('1');
        ASSERT_NE(first, std::string::npos) << y;
        EXPECT_EQ(row.substr(first, last - first + 1), std::string(last - first + 1, '1')) << y;
        EXPECT_EQ(first - 1, 14 - last) << "row " << y;
    }
    EXPECT_EQ(filled.Pixel(7, 5), 1);
    EXPECT_EQ(outline.Pixel(7, 5), 0);
    EXPECT_EQ(outline.Pixel(1, 5), 1);
    EXPECT_EQ(outline.Pixel(14, 6), 1);
    EXPECT_EQ(outline.Pixel(0, 5), 0);
    // Corners of the box lie outside the ellipse.
    EXPECT_EQ(filled.Pixel(1, 1), 0);
    EXPECT_EQ(filled.Pixel(14, 10), 0);
}

// ---- Flood fill ----

const PixelRect FillArea{2, 2, 10, 8}; // the edit area of the fill tests

TEST_F(PenTableTest, TheFillIsBoundedByTheEditArea) {
    Image8 image(12, 10);
    const Drawn d = DrawWith(Pen(9), image, 3, Click(Left, 5, 4, FillArea));
    EXPECT_EQ(Flags(d.result), "R---");
    // The frame around the area takes the fill colour in the working copy; it never reaches
    // the tile image, which only receives the area.
    EXPECT_EQ(Rows(image), (Picture{
                               "............",
                               ".3333333333.",
                               ".3333333333.",
                               ".3333333333.",
                               ".3333333333.",
                               ".3333333333.",
                               ".3333333333.",
                               ".3333333333.",
                               ".3333333333.",
                               "............",
                           }));
}

TEST_F(PenTableTest, ARegionThatLeavesTheAreaIsFilledOnlyWhereConnectedInside) {
    // The 1s form one region in the image, joined through the rows and columns outside the
    // area (x 0-1 and 10-11, y 0-1 and 8-9), but inside the area they are two pieces.
    Image8 image = FromRows({
        "111111111111",
        "1..........1",
        "11111..11111",
        "....1..1...1",
        "....1..1...1",
        "....1..1...1",
        "....1..11111",
        "..111..1...1",
        "1..........1",
        "111111111111",
    });
    DrawWith(Pen(9), image, 5, Click(Left, 4, 4, FillArea));
    EXPECT_EQ(Rows(image, 2, 2, 8, 6), (Picture{
                                           "555..111",
                                           "..5..1..",
                                           "..5..1..",
                                           "..5..1..",
                                           "..5..111",
                                           "555..1..",
                                       }));
}

TEST_F(PenTableTest, DiagonalNeighboursDoNotCarryTheFill) {
    Image8 image = FromRows({
        "........",
        ".1......",
        "..1.....",
        "...1....",
        "..1.1...",
        "........",
    });
    DrawWith(Pen(9), image, 7, Click(Left, 3, 3, {0, 0, 8, 6}));
    EXPECT_EQ(Rows(image), (Picture{
                               "........",
                               ".1......",
                               "..1.....",
                               "...7....",
                               "..1.1...",
                               "........",
                           }));
}

TEST_F(PenTableTest, FillingWithTheSeedColourChangesNothingInTheArea) {
    std::mt19937 random(7);
    Image8 image(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            image.SetPixel(x, y, static_cast<uint8_t>(random() % 3));
    image.SetPixel(6, 5, 2);
    const Image8 before = image;
    DrawWith(Pen(9), image, 2, Click(Left, 6, 5, FillArea));
    EXPECT_EQ(Rows(image, 2, 2, 8, 6), Rows(before, 2, 2, 8, 6));
}

TEST_F(PenTableTest, AFillOverTheWholeImageClipsItsFrame) {
    Image8 image = FromRows({
        "....",
        ".11.",
        "....",
    });
    DrawWith(Pen(9), image, 4, Click(Left, 0, 0, {0, 0, 4, 3}));
    EXPECT_EQ(Rows(image), (Picture{"4444", "4114", "4444"}));
}

TEST_F(PenTableTest, TheFillKeepsThePaletteGroupOfOtherPixels) {
    // A seed of 0x15 fills only 0x15, not 0x05 or 0x25 with the same colour number.
    Image8 image(4, 1);
    image.SetPixel(0, 0, 0x15);
    image.SetPixel(1, 0, 0x15);
    image.SetPixel(2, 0, 0x05);
    image.SetPixel(3, 0, 0x25);
    DrawWith(Pen(9), image, 0x13, Click(Left, 0, 0, {0, 0, 4, 1}));
    EXPECT_EQ(image.Pixel(0, 0), 0x13);
    EXPECT_EQ(image.Pixel(1, 0), 0x13);
    EXPECT_EQ(image.Pixel(2, 0), 0x05);
    EXPECT_EQ(image.Pixel(3, 0), 0x25);
}

} // namespace
} // namespace tavrin
