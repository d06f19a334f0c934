#include "core/palette/PaletteEditRules.h"

#include "core/palette/CPalette.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

// Each row of the bars picture as "<index> x <run length>" of its leading bar and whether the
// rest is black, so a 256-pixel row reads in one short string.
std::string DescribeRow(const Image8& picture, int y) {
    const uint8_t* row = picture.ScanLine(y);
    const uint8_t bar = row[0];
    int run = 0;
    while (run < picture.Width() && row[run] == bar)
        ++run;
    for (int x = run; x < picture.Width(); ++x)
        if (row[x] != BarsBlack)
            return "mixed";
    if (bar == BarsBlack)
        return "black";
    return std::to_string(bar) + "x" + std::to_string(run);
}

TEST(PaletteEditRules, SetChannelReplacesOneChannelAndKeepsTheOthers) {
    CPalette palette;
    palette.SetColor(7, MakeColour(0x11, 0x22, 0x33));
    SetChannel(palette, 7, ChannelRed, 0xA0);
    EXPECT_EQ(palette.GetColor(7), MakeColour(0xA0, 0x22, 0x33));
    SetChannel(palette, 7, ChannelGreen, 0xB1);
    EXPECT_EQ(palette.GetColor(7), MakeColour(0xA0, 0xB1, 0x33));
    SetChannel(palette, 7, ChannelBlue, 0xC2);
    EXPECT_EQ(palette.GetColor(7), MakeColour(0xA0, 0xB1, 0xC2));
    // Neighbouring entries are untouched.
    EXPECT_EQ(palette.GetColor(6), 0u);
    EXPECT_EQ(palette.GetColor(8), 0u);
}

TEST(PaletteEditRules, SetChannelHoldsTheValueWithinAByte) {
    CPalette palette;
    palette.SetColor(0, MakeColour(0x40, 0x50, 0x60));
    SetChannel(palette, 0, ChannelGreen, 300);
    EXPECT_EQ(palette.GetColor(0), MakeColour(0x40, 0xFF, 0x60));
    SetChannel(palette, 0, ChannelBlue, -4);
    EXPECT_EQ(palette.GetColor(0), MakeColour(0x40, 0xFF, 0x00));
}

TEST(PaletteEditRules, SetChannelIgnoresNoChannelAndEntriesOutsideThePalette) {
    CPalette palette;
    for (int i = 0; i < CPalette::Count; ++i)
        palette.SetColor(i, MakeColour(i, 255 - i, i / 2));
    const CPalette before = palette;
    SetChannel(palette, 3, ChannelNone, 0x80);
    SetChannel(palette, 3, 3, 0x80);
    SetChannel(palette, -1, ChannelRed, 0x80);
    SetChannel(palette, 256, ChannelRed, 0x80);
    EXPECT_EQ(palette, before);
}

TEST(PaletteEditRules, ChannelFromTheRowRoundsTowardZero) {
    EXPECT_EQ(BarChannelAt(-16), ChannelNone);
    EXPECT_EQ(BarChannelAt(-100), ChannelNone);
    // The rows just above the picture count as red.
    EXPECT_EQ(BarChannelAt(-15), ChannelRed);
    EXPECT_EQ(BarChannelAt(-1), ChannelRed);
    EXPECT_EQ(BarChannelAt(0), ChannelRed);
    EXPECT_EQ(BarChannelAt(15), ChannelRed);
    EXPECT_EQ(BarChannelAt(16), ChannelGreen);
    EXPECT_EQ(BarChannelAt(31), ChannelGreen);
    EXPECT_EQ(BarChannelAt(32), ChannelBlue);
    EXPECT_EQ(BarChannelAt(47), ChannelBlue);
    EXPECT_EQ(BarChannelAt(48), ChannelNone);
    EXPECT_EQ(BarChannelAt(500), ChannelNone);
}

TEST(PaletteEditRules, ValueFromTheColumnIsHeldWithin0To255) {
    EXPECT_EQ(BarValueAt(-1000), 0);
    EXPECT_EQ(BarValueAt(-1), 0);
    EXPECT_EQ(BarValueAt(0), 0);
    EXPECT_EQ(BarValueAt(0x7F), 0x7F);
    EXPECT_EQ(BarValueAt(255), 255);
    EXPECT_EQ(BarValueAt(256), 255);
    EXPECT_EQ(BarValueAt(4000), 255);
}

TEST(PaletteEditRules, BarsAreAsLongAsTheChannelValues) {
    const Image8 picture = PaletteBarsPicture(MakeColour(3, 0, 255));
    ASSERT_EQ(picture.Width(), 256);
    ASSERT_EQ(picture.Height(), 48);
    std::vector<std::string> rows;
    for (int y = 0; y < 48; ++y)
        rows.push_back(DescribeRow(picture, y));
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(rows[static_cast<size_t>(y)], "1x3") << "row " << y;
    for (int y = 16; y < 32; ++y)
        EXPECT_EQ(rows[static_cast<size_t>(y)], "black") << "row " << y;
    for (int y = 32; y < 48; ++y)
        EXPECT_EQ(rows[static_cast<size_t>(y)], "3x255") << "row " << y;
    // The right edge is exclusive: a value of 255 leaves the last column black.
    EXPECT_EQ(picture.Pixel(254, 40), BarsBlue);
    EXPECT_EQ(picture.Pixel(255, 40), BarsBlack);
}

TEST(PaletteEditRules, BarsPictureCarriesPureColours) {
    const Image8 picture = PaletteBarsPicture(MakeColour(0x80, 0x40, 0x01));
    EXPECT_EQ(picture.Colours()[BarsBlack], MakeColour(0, 0, 0));
    EXPECT_EQ(picture.Colours()[BarsRed], MakeColour(255, 0, 0));
    EXPECT_EQ(picture.Colours()[BarsGreen], MakeColour(0, 255, 0));
    EXPECT_EQ(picture.Colours()[BarsBlue], MakeColour(0, 0, 255));
    EXPECT_EQ(DescribeRow(picture, 8), "1x128");
    EXPECT_EQ(DescribeRow(picture, 20), "2x64");
    EXPECT_EQ(DescribeRow(picture, 47), "3x1");
}

class PaletteBarDragTest : public ::testing::Test {
protected:
    void SetUp() override { palette.SetColor(Entry, MakeColour(0x10, 0x20, 0x30)); }

    static constexpr int Entry = 0x42;
    CPalette palette;
    PaletteBarDrag drag;
};

TEST_F(PaletteBarDragTest, DraggingToTheFarRightSets255AndToTheFarLeft0) {
    EXPECT_FALSE(drag.Press(0));
    EXPECT_TRUE(drag.Dragging());
    EXPECT_TRUE(drag.Move(palette, Entry, 900, 20));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x10, 0xFF, 0x30));
    EXPECT_TRUE(drag.Move(palette, Entry, -900, 40));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x10, 0xFF, 0x00));
    EXPECT_TRUE(drag.Move(palette, Entry, 0xC3, 3));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0xC3, 0xFF, 0x00));
}

TEST_F(PaletteBarDragTest, RowsAboveThePictureCountAsRedAndBelowNothing) {
    drag.Press(0);
    EXPECT_TRUE(drag.Move(palette, Entry, 0x77, -15));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x77, 0x20, 0x30));
    // Out of reach of every bar: the colour stays, but the dialog still refreshes.
    EXPECT_TRUE(drag.Move(palette, Entry, 0x99, -16));
    EXPECT_TRUE(drag.Move(palette, Entry, 0x99, 48));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x77, 0x20, 0x30));
}

TEST_F(PaletteBarDragTest, MovesWithoutADragChangeNothing) {
    EXPECT_FALSE(drag.Move(palette, Entry, 200, 5));
    drag.Press(0);
    drag.Release();
    EXPECT_FALSE(drag.Move(palette, Entry, 200, 5));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x10, 0x20, 0x30));
}

TEST_F(PaletteBarDragTest, OtherButtonsAskToCloseWithoutStartingADrag) {
    EXPECT_TRUE(drag.Press(1));
    EXPECT_FALSE(drag.Dragging());
    EXPECT_FALSE(drag.Move(palette, Entry, 200, 5));
    EXPECT_TRUE(drag.Press(2));
    EXPECT_FALSE(drag.Dragging());
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x10, 0x20, 0x30));
}

TEST_F(PaletteBarDragTest, ResetForgetsADragWhoseReleaseNeverCame) {
    drag.Press(0);
    drag.Reset();
    EXPECT_FALSE(drag.Move(palette, Entry, 200, 5));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x10, 0x20, 0x30));
}

} // namespace
} // namespace tavrin
