#include "core/views/CBitmapEdit.h"

#include "core/views/PixelRows.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrin {
namespace {

using test::FromRows;
using test::Rows;
using Picture = std::vector<std::string>;

constexpr DashPattern Dotted{true, false, true, false};
constexpr DashPattern Dashed{true, true, false, false};

TEST(CBitmapEdit, ClampRectHoldsEachCoordinateInsideTheImage) {
    const Image8 image(128, 64);
    EXPECT_EQ(CBitmapEdit::ClampRect(image, {-5, -1, 200, 70}), (PixelRect{0, 0, 128, 64}));
    EXPECT_EQ(CBitmapEdit::ClampRect(image, {8, 16, 24, 32}), (PixelRect{8, 16, 24, 32}));
    EXPECT_EQ(CBitmapEdit::ClampRect(image, {130, 70, 140, 80}), (PixelRect{128, 64, 128, 64}));
}

TEST(CBitmapEdit, PatternLineHorizontalUsesTheXPhase) {
    Image8 image(8, 3);
    EXPECT_TRUE(CBitmapEdit::PatternLine(image, 1, &Dotted, 0, 0, 8, 0));
    EXPECT_TRUE(CBitmapEdit::PatternLine(image, 2, &Dashed, 1, 1, 8, 1));
    EXPECT_TRUE(CBitmapEdit::PatternLine(image, 3, nullptr, 2, 2, 6, 2));
    EXPECT_EQ(Rows(image), (Picture{"1.1.1.1.", ".2..22..", "..3333.."}));
}

TEST(CBitmapEdit, PatternLineVerticalUsesTheYPhaseAndLeavesOutTheEnd) {
    Image8 image(3, 6);
    CBitmapEdit::PatternLine(image, 1, &Dotted, 0, 0, 0, 6);
    CBitmapEdit::PatternLine(image, 2, &Dashed, 1, 1, 1, 6);
    CBitmapEdit::PatternLine(image, 3, nullptr, 2, 1, 2, 4);
    EXPECT_EQ(Rows(image), (Picture{"1..", ".23", "1.3", "..3", "12.", ".2."}));
}

TEST(CBitmapEdit, PatternLineClampsCoordinatesAndRefusesAPoint) {
    Image8 image(4, 2);
    // Clamped to (0, 1) .. (4, 1); the row y = 2 after clamping would be outside.
    EXPECT_TRUE(CBitmapEdit::PatternLine(image, 5, nullptr, -10, 1, 50, 1));
    EXPECT_TRUE(CBitmapEdit::PatternLine(image, 6, nullptr, 0, 9, 4, 9));
    EXPECT_FALSE(CBitmapEdit::PatternLine(image, 7, nullptr, 2, 0, 2, 0));
    // Both ends clamp to the same corner.
    EXPECT_FALSE(CBitmapEdit::PatternLine(image, 7, nullptr, 10, 10, 20, 30));
    EXPECT_EQ(Rows(image), (Picture{"....", "5555"}));
    Image8 empty;
    EXPECT_FALSE(CBitmapEdit::PatternLine(empty, 1, nullptr, 0, 0, 5, 0));
}

TEST(CBitmapEdit, PatternLineSlopedStepsTheLongerAxisForwardOnly) {
    Image8 image(5, 5);
    CBitmapEdit::PatternLine(image, 1, nullptr, 0, 0, 4, 4);
    CBitmapEdit::PatternLine(image, 2, &Dotted, 0, 4, 4, 2);
    EXPECT_EQ(Rows(image), (Picture{"1....", ".1...", "..1..", "..21.", "2...."}));
    // A line running towards smaller x along its longer axis draws nothing.
    Image8 other(5, 5);
    EXPECT_TRUE(CBitmapEdit::PatternLine(other, 1, nullptr, 4, 0, 0, 2));
    EXPECT_EQ(Rows(other), (Picture{".....", ".....", ".....", ".....", "....."}));
}

TEST(CBitmapEdit, CopyRectAndMasksAndClipsToBothImages) {
    const Image8 src = FromRows({"1234", "5678", "9ABC"});
    Image8 dst(4, 3);
    dst.Fill(0xF);
    CBitmapEdit::CopyRectAnd(dst, 2, 1, src, {0, 0, 4, 3}, 0x3);
    EXPECT_EQ(Rows(dst), (Picture{"FFFF", "FF12", "FF12"}));
    Image8 dst2(3, 2);
    CBitmapEdit::CopyRectAnd(dst2, -1, -1, src, {1, 0, 9, 9}, 0xFF);
    EXPECT_EQ(Rows(dst2), (Picture{"78.", "BC."}));
}

TEST(CBitmapEdit, RotateTurnsASquareAndRefusesOtherShapes) {
    Image8 image = FromRows({"12.", "34.", "..."});
    EXPECT_TRUE(CBitmapEdit::Rotate(image, {0, 0, 2, 2}, true));
    EXPECT_EQ(Rows(image), (Picture{"31.", "42.", "..."}));
    EXPECT_TRUE(CBitmapEdit::Rotate(image, {0, 0, 2, 2}, false));
    EXPECT_EQ(Rows(image), (Picture{"12.", "34.", "..."}));
    EXPECT_TRUE(CBitmapEdit::Rotate(image, {0, 0, 2, 2}, false));
    EXPECT_EQ(Rows(image), (Picture{"24.", "13.", "..."}));
    const Image8 before = image;
    EXPECT_FALSE(CBitmapEdit::Rotate(image, {0, 0, 3, 2}, true));
    EXPECT_EQ(image, before);
    // Clamped to the image first: (1,1)-(3,3) stays square.
    Image8 corner = FromRows({"...", ".12", ".34"});
    EXPECT_TRUE(CBitmapEdit::Rotate(corner, {1, 1, 3, 3}, true));
    EXPECT_EQ(Rows(corner), (Picture{"...", ".31", ".42"}));
}

TEST(CBitmapEdit, MirrorWorksOnTheWholeRectangleAndTwiceRestores) {
    Image8 image = FromRows({"1234", "5678", "9ABC"});
    CBitmapEdit::Mirror(image, {1, 0, 4, 3}, MirrorAxis::Horizontal);
    EXPECT_EQ(Rows(image), (Picture{"1432", "5876", "9CBA"}));
    CBitmapEdit::Mirror(image, {1, 0, 4, 3}, MirrorAxis::Horizontal);
    CBitmapEdit::Mirror(image, {0, 0, 4, 3}, MirrorAxis::Vertical);
    EXPECT_EQ(Rows(image), (Picture{"9ABC", "5678", "1234"}));
}

TEST(CBitmapEdit, ShiftWrapsTheOutgoingRowOrColumnAround) {
    Image8 image = FromRows({"123", "456", "789"});
    CBitmapEdit::Shift(image, {0, 0, 3, 3}, ShiftDirection::Left);
    EXPECT_EQ(Rows(image), (Picture{"231", "564", "897"}));
    CBitmapEdit::Shift(image, {0, 0, 3, 3}, ShiftDirection::Right);
    CBitmapEdit::Shift(image, {0, 0, 3, 3}, ShiftDirection::Up);
    EXPECT_EQ(Rows(image), (Picture{"456", "789", "123"}));
    CBitmapEdit::Shift(image, {0, 0, 3, 3}, ShiftDirection::Down);
    EXPECT_EQ(Rows(image), (Picture{"123", "456", "789"}));
    CBitmapEdit::Shift(image, {1, 1, 3, 3}, ShiftDirection::Down);
    EXPECT_EQ(Rows(image), (Picture{"123", "489", "756"}));
}

TEST(CBitmapEdit, EightShiftsOverEightPixelsRestoreTheImage) {
    std::mt19937 random(7);
    Image8 image(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.SetPixel(x, y, static_cast<uint8_t>(random()));
    const Image8 start = image;
    for (ShiftDirection d :
         {ShiftDirection::Up, ShiftDirection::Down, ShiftDirection::Left, ShiftDirection::Right}) {
        for (int i = 0; i < 8; ++i)
            CBitmapEdit::Shift(image, {4, 4, 12, 12}, d);
        EXPECT_EQ(image, start);
    }
}

TEST(CBitmapEdit, ReplacePixelsThroughAColourMapKeepsTheGroupBits) {
    Image8 image = FromRows({"0123", "4567"});
    std::array<uint8_t, 256> map{};
    for (int k = 0; k < 256; ++k)
        map[k] = static_cast<uint8_t>(k);
    map[1] = 3;
    map[3] = 0;
    const auto table = CBitmapEdit::ColourMapTable(map, 0x3);
    EXPECT_EQ(CBitmapEdit::ReplacePixels(image, {1, 0, 4, 2}, table), 4);
    EXPECT_EQ(Rows(image), (Picture{".32.", "4764"}));
    EXPECT_EQ(CBitmapEdit::ReplacePixels(image, {-3, -3, 0, 9}, table), 0);
}

TEST(CBitmapEdit, LineLeavesOutItsEndPoint) {
    Image8 image(5, 4);
    CBitmapEdit::Line(image, 0, 0, 3, 0, 1);
    CBitmapEdit::Line(image, 4, 3, 4, 1, 2);
    CBitmapEdit::Line(image, 2, 2, 2, 2, 3); // a point: nothing
    EXPECT_EQ(Rows(image), (Picture{"111..", ".....", "....2", "....2"}));
}

TEST(CBitmapEdit, LineSlopesRoundToTheNearestRow) {
    Image8 image(5, 3);
    CBitmapEdit::Line(image, 0, 0, 4, 2, 1);
    EXPECT_EQ(Rows(image), (Picture{"1....", ".11..", "...1."}));
    Image8 back(5, 3);
    CBitmapEdit::Line(back, 4, 2, 0, 0, 1);
    EXPECT_EQ(Rows(back), (Picture{".1...", "..11.", "....1"}));
    Image8 steep(3, 5);
    CBitmapEdit::Line(steep, 0, 0, 2, 4, 1);
    EXPECT_EQ(Rows(steep), (Picture{"1..", ".1.", ".1.", "..1", "..."}));
}

TEST(CBitmapEdit, LineIsClippedAndFarEndsAreCheap) {
    Image8 image(6, 3);
    CBitmapEdit::Line(image, -1000000000, 1, 1000000000, 1, 4);
    CBitmapEdit::Line(image, 3, -50, 3, 50, 5);
    CBitmapEdit::Line(image, -10, -10, -2, -2, 6);
    EXPECT_EQ(Rows(image), (Picture{"...5..", "444544", "...5.."}));
}

TEST(CBitmapEdit, BoxesExcludeTheirRightAndBottomEdges) {
    Image8 image(6, 5);
    CBitmapEdit::FillBox(image, {1, 1, 3, 3}, 1);
    CBitmapEdit::BoxOutline(image, {2, 0, 6, 5}, 2);
    CBitmapEdit::BoxOutline(image, {0, 4, 0, 5}, 3); // empty
    EXPECT_EQ(Rows(image), (Picture{"..2222", ".12..2", ".12..2", "..2..2", "..2222"}));
}

TEST(CBitmapEdit, BoxOutlineIsClippedAtTheEdges) {
    Image8 image(4, 3);
    CBitmapEdit::BoxOutline(image, {-2, 1, 2, 9}, 1);
    CBitmapEdit::FillBox(image, {3, -4, 99, 1}, 2);
    EXPECT_EQ(Rows(image), (Picture{"...2", "11..", ".1.."}));
}

TEST(CBitmapEdit, DottedBoxOutlineStartsOnAtTheTopLeft) {
    Image8 image(6, 5);
    CBitmapEdit::DottedBoxOutline(image, {1, 0, 6, 5}, 1);
    EXPECT_EQ(Rows(image), (Picture{".1.1.1", "......", ".1...1", "......", ".1.1.1"}));
}

TEST(CBitmapEdit, TinyEllipses) {
    Image8 one(3, 3);
    CBitmapEdit::FillEllipse(one, {1, 1, 2, 2}, 1);
    EXPECT_EQ(Rows(one), (Picture{"...", ".1.", "..."}));
    Image8 two(2, 2);
    CBitmapEdit::EllipseOutline(two, {0, 0, 2, 2}, 1);
    EXPECT_EQ(Rows(two), (Picture{"11", "11"}));
    Image8 flat(4, 1);
    CBitmapEdit::FillEllipse(flat, {0, 0, 3, 1}, 1);
    EXPECT_EQ(Rows(flat), (Picture{"111."}));
    Image8 none(4, 4);
    CBitmapEdit::FillEllipse(none, {1, 1, 1, 3}, 1);
    CBitmapEdit::EllipseOutline(none, {3, 1, 2, 3}, 1);
    EXPECT_EQ(Rows(none), (Picture{"....", "....", "....", "...."}));
}

TEST(CBitmapEdit, EllipseFillAndOutlineShareTheirBorder) {
    Image8 fill(5, 5);
    CBitmapEdit::FillEllipse(fill, {0, 0, 5, 5}, 1);
    EXPECT_EQ(Rows(fill), (Picture{".111.", "11111", "11111", "11111", ".111."}));
    Image8 outline(5, 5);
    CBitmapEdit::EllipseOutline(outline, {0, 0, 5, 5}, 1);
    EXPECT_EQ(Rows(outline), (Picture{".111.", "1...1", "1...1", "1...1", ".111."}));
    Image8 four(4, 4);
    CBitmapEdit::EllipseOutline(four, {0, 0, 4, 4}, 2);
    EXPECT_EQ(Rows(four), (Picture{".22.", "2..2", "2..2", ".22."}));
    Image8 wide(8, 3);
    CBitmapEdit::EllipseOutline(wide, {0, 0, 8, 3}, 3);
    EXPECT_EQ(Rows(wide), (Picture{".333333.", "3......3", ".333333."}));
}

TEST(CBitmapEdit, EllipseIsClippedAtTheEdges) {
    Image8 image(3, 3);
    CBitmapEdit::FillEllipse(image, {-2, -2, 3, 3}, 1);
    EXPECT_EQ(Rows(image), (Picture{"111", "111", "11."}));
    Image8 ring(3, 3);
    CBitmapEdit::EllipseOutline(ring, {-2, -2, 3, 3}, 1);
    EXPECT_EQ(Rows(ring), (Picture{"..1", "..1", "11."}));
}

TEST(CBitmapEdit, FloodFillFollowsOnlyHorizontalAndVerticalNeighbours) {
    Image8 image = FromRows({"..1..", "..1..", "11...", "...1.", "..1.."});
    EXPECT_EQ(CBitmapEdit::FloodFill(image, 4, 0, 2), 15);
    // The pocket at the top left touches the filled area only diagonally, at (1,1)-(2,2).
    EXPECT_EQ(Rows(image), (Picture{"..122", "..122", "11222", "22212", "22122"}));
}

TEST(CBitmapEdit, FloodFillOnTheFillColourOrOutsideChangesNothing) {
    Image8 image = FromRows({"12", "21"});
    const Image8 before = image;
    EXPECT_EQ(CBitmapEdit::FloodFill(image, 0, 0, 1), 0);
    EXPECT_EQ(CBitmapEdit::FloodFill(image, -1, 0, 3), 0);
    EXPECT_EQ(CBitmapEdit::FloodFill(image, 2, 0, 3), 0);
    EXPECT_EQ(image, before);
    EXPECT_EQ(CBitmapEdit::FloodFill(image, 1, 0, 3), 1);
    EXPECT_EQ(Rows(image), (Picture{"13", "21"}));
}

TEST(CBitmapEdit, FloodFillMatchesANaiveFillOnRandomImages) {
    std::mt19937 random(11);
    for (int round = 0; round < 50; ++round) {
        Image8 image(17, 13);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 17; ++x)
                image.SetPixel(x, y, static_cast<uint8_t>(random() % 3));
        const int sx = static_cast<int>(random() % 17);
        const int sy = static_cast<int>(random() % 13);
        Image8 expected = image;
        const uint8_t seed = image.Pixel(sx, sy);
        int count = 0;
        if (seed != 9) {
            std::vector<std::pair<int, int>> todo{{sx, sy}};
            while (!todo.empty()) {
                auto [x, y] = todo.back();
                todo.pop_back();
                if (x < 0 || y < 0 || x >= 17 || y >= 13 || expected.Pixel(x, y) != seed)
                    continue;
                expected.SetPixel(x, y, 9);
                ++count;
                todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
            }
        }
        EXPECT_EQ(CBitmapEdit::FloodFill(image, sx, sy, 9), count);
        EXPECT_EQ(image, expected);
    }
}

} // namespace
} // namespace tavrin
