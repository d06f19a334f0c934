#include "core/edit/ReplaceColourModel.h"

#include "core/palette/CPalette.h"
#include "core/views/PixelRows.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using Row = ReplaceColourModel::Row;
using test::FromRows;
using test::Rows;
using Picture = std::vector<std::string>;

constexpr int Left = 0;
constexpr int Right = 1;
constexpr Colour White = MakeColour(255, 255, 255);

// Master colours with a letter each, so a row of squares reads as a word: group entry k of the
// tests' palette group points at master index 0x10 + k, coloured as letter 'A' + k.
Colour LetterColour(int k) {
    return MakeColour(10 * k + 5, 0x40, 0x80);
}

CPalette LetterPalette() {
    CPalette palette;
    for (int k = 0; k < 20; ++k)
        palette.SetColor(0x10 + k, LetterColour(k));
    return palette;
}

std::array<uint8_t, 256> LetterGroupEntries() {
    std::array<uint8_t, 256> entries{};
    for (int k = 0; k < 20; ++k)
        entries[static_cast<size_t>(k)] = static_cast<uint8_t>(0x10 + k);
    return entries;
}

// A row picture square by square: the letter of its fill colour, in brackets when it wears
// the white frame ('?' for a colour of no letter, '!' for a frame that is not whole).
std::string Describe(const ImageRgb& picture) {
    std::string text;
    for (int top = 0; top < picture.Height(); top += 16) {
        for (int left = 0; left < picture.Width(); left += 16) {
            char letter = '?';
            const Colour inside = picture.Pixel(left + 8, top + 8);
            for (int k = 0; k < 20; ++k)
                if (inside == LetterColour(k))
                    letter = static_cast<char>('A' + k);
            if (inside == 0)
                letter = '.';
            int white = 0;
            for (int i = 0; i < 16; ++i) {
                white += picture.Pixel(left + i, top) == White;
                white += picture.Pixel(left + i, top + 15) == White;
                white += picture.Pixel(left, top + i) == White;
                white += picture.Pixel(left + 15, top + i) == White;
            }
            if (white == 0)
                text += letter;
            else if (white == 64)
                text += std::string("[") + letter + "]";
            else
                text += '!';
        }
        if (top + 16 < picture.Height())
            text += '/';
    }
    return text;
}

class ReplaceColourModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.SetColourCount(4);
        model.SetMasterColours(&palette);
        model.Prepare(entries.data());
        model.Show();
    }

    // Step one on the after row, step two on the before row, each a left click on a square.
    void Assign(int from, int to) {
        model.Press(Row::After, Left, 16 * from + 3, 5);
        model.Release(Row::After);
        model.Press(Row::Before, Left, 16 * to + 12, 9);
        model.Release(Row::Before);
    }

    CPalette palette = LetterPalette();
    std::array<uint8_t, 256> entries = LetterGroupEntries();
    ReplaceColourModel model;
};

TEST(ReplaceColourModelDefaults, FourColoursNoDragAndAMapThatChangesNothing) {
    const ReplaceColourModel model;
    EXPECT_EQ(model.ColourCount(), 4);
    EXPECT_EQ(model.ColourMask(), 3);
    EXPECT_EQ(model.Cursor(), 0);
    EXPECT_FALSE(model.Dragging(Row::Before));
    EXPECT_FALSE(model.Dragging(Row::After));
    EXPECT_EQ(model.GroupEntries(), (std::array<uint8_t, 256>{}));
    Image8 image = FromRows({"0123", "4567"});
    EXPECT_EQ(model.Apply(image, {0, 0, 4, 2}), 0);
    EXPECT_EQ(Rows(image), (Picture{".123", "4567"}));
    // Without a palette every square is black.
    EXPECT_EQ(Describe(model.RenderRow(Row::Before)), "[.]...");
}

TEST(ReplaceColourModelDefaults, ColourCountIsHeldWithin1To256) {
    ReplaceColourModel model;
    model.SetColourCount(0);
    EXPECT_EQ(model.ColourCount(), 1);
    model.SetColourCount(-3);
    EXPECT_EQ(model.ColourCount(), 1);
    model.SetColourCount(1000);
    EXPECT_EQ(model.ColourCount(), 256);
    EXPECT_EQ(model.ColourMask(), 255);
}

TEST_F(ReplaceColourModelTest, ImageAndClientWidthFollowTheColourCount) {
    struct Case {
        int n, width, height, client;
    };
    // Panel at 8, image at 4 inside it: a margin of 2 * (8 + 4 + 4) = 32.
    for (const Case c :
         {Case{2, 32, 16, 160}, Case{4, 64, 16, 160}, Case{8, 128, 16, 160}, Case{16, 256, 16, 288},
          Case{32, 256, 32, 288}, Case{256, 256, 256, 288}}) {
        SCOPED_TRACE(c.n);
        model.SetColourCount(c.n);
        EXPECT_EQ(model.ImageWidth(), c.width);
        EXPECT_EQ(model.ImageHeight(), c.height);
        EXPECT_EQ(model.ClientWidth(8, 4), c.client);
    }
    model.SetColourCount(8);
    EXPECT_EQ(model.ClientWidth(20, 10), 128 + 2 * 34);
}

TEST_F(ReplaceColourModelTest, RowsShowTheGroupThroughTheMasterPalette) {
    EXPECT_EQ(Describe(model.RenderRow(Row::Before)), "[A]BCD");
    EXPECT_EQ(Describe(model.RenderRow(Row::After)), "[A]BCD");
    model.SetColourCount(16);
    EXPECT_EQ(Describe(model.RenderRow(Row::Before)), "[A]BCDEFGHIJKLMNOP");
}

TEST_F(ReplaceColourModelTest, FramesFollowTheCursorAndItsReplacement) {
    Assign(1, 3);
    EXPECT_EQ(model.Cursor(), 1);
    EXPECT_EQ(model.Map()[1], 3);
    // Before: the frame marks what the cursor becomes. After: the cursor, showing its new
    // colour.
    EXPECT_EQ(Describe(model.RenderRow(Row::Before)), "ABC[D]");
    EXPECT_EQ(Describe(model.RenderRow(Row::After)), "A[D]CD");
}

TEST_F(ReplaceColourModelTest, MasterColoursAreReadInPlace) {
    palette.SetColor(0x12, LetterColour(7));
    EXPECT_EQ(Describe(model.RenderRow(Row::Before)), "[A]BHD");
}

TEST_F(ReplaceColourModelTest, PrepareCopiesTheEntriesAndResetsTheMap) {
    Assign(0, 2);
    Assign(3, 1);
    std::array<uint8_t, 256> other = LetterGroupEntries();
    other[0] = 0x13;
    model.Prepare(other.data());
    other[0] = 0x10; // the model kept its own copy
    model.Show();
    EXPECT_EQ(model.Map()[0], 0);
    EXPECT_EQ(model.Map()[3], 3);
    EXPECT_EQ(Describe(model.RenderRow(Row::After)), "[D]BCD");
    model.Prepare(nullptr);
    EXPECT_EQ(model.GroupEntries(), (std::array<uint8_t, 256>{}));
}

TEST_F(ReplaceColourModelTest, ShowPutsTheCursorBackAndForgetsHeldButtons) {
    Assign(2, 0);
    model.Press(Row::After, Left, 40, 8);
    model.Press(Row::Before, Left, 0, 8);
    model.Show();
    EXPECT_EQ(model.Cursor(), 0);
    EXPECT_FALSE(model.Dragging(Row::Before));
    EXPECT_FALSE(model.Dragging(Row::After));
    // A move without a new press is only the pointer passing by.
    EXPECT_FALSE(model.Move(Row::After, 60, 8));
    EXPECT_EQ(model.Cursor(), 0);
    // The map is kept until the next Prepare.
    EXPECT_EQ(model.Map()[2], 0);
}

TEST_F(ReplaceColourModelTest, AfterRowDragMovesTheCursorWithThePointerClamped) {
    EXPECT_TRUE(model.Press(Row::After, Left, 20, 3));
    EXPECT_EQ(model.Cursor(), 1);
    EXPECT_TRUE(model.Dragging(Row::After));
    EXPECT_FALSE(model.Move(Row::After, 31, 15)); // same square: nothing to redraw
    EXPECT_TRUE(model.Move(Row::After, 500, -40));
    EXPECT_EQ(model.Cursor(), 3);
    EXPECT_TRUE(model.Move(Row::After, -500, 90));
    EXPECT_EQ(model.Cursor(), 0);
    model.Release(Row::After);
    EXPECT_FALSE(model.Move(Row::After, 40, 8));
    EXPECT_EQ(model.Cursor(), 0);
    EXPECT_EQ(model.Map()[0], 0);
}

TEST_F(ReplaceColourModelTest, BeforeRowDragSetsTheCursorsReplacement) {
    model.Press(Row::After, Left, 50, 8);
    model.Release(Row::After);
    ASSERT_EQ(model.Cursor(), 3);
    EXPECT_TRUE(model.Press(Row::Before, Left, 0, 0));
    EXPECT_EQ(model.Map()[3], 0);
    EXPECT_FALSE(model.Move(Row::Before, 15, 15));
    EXPECT_TRUE(model.Move(Row::Before, 16, 0));
    EXPECT_EQ(model.Map()[3], 1);
    EXPECT_TRUE(model.Move(Row::Before, 9999, 9999));
    EXPECT_EQ(model.Map()[3], 3);
    model.Release(Row::Before);
    EXPECT_EQ(model.Cursor(), 3);
    // The other entries stay the identity.
    EXPECT_EQ(model.Map()[0], 0);
    EXPECT_EQ(model.Map()[1], 1);
    EXPECT_EQ(model.Map()[2], 2);
}

TEST_F(ReplaceColourModelTest, OtherButtonsEndTheDragAndDoNothing) {
    model.Press(Row::After, Left, 20, 8);
    EXPECT_FALSE(model.Press(Row::After, Right, 40, 8));
    EXPECT_FALSE(model.Dragging(Row::After));
    EXPECT_EQ(model.Cursor(), 1);
    EXPECT_FALSE(model.Move(Row::After, 40, 8));
    EXPECT_FALSE(model.Press(Row::Before, 2, 40, 8));
    EXPECT_FALSE(model.Dragging(Row::Before));
    EXPECT_EQ(model.Map()[1], 1);
}

TEST_F(ReplaceColourModelTest, RowsAreIndependent) {
    model.Press(Row::After, Left, 20, 8);
    // A move reported for the other row (its button not held) changes nothing.
    EXPECT_FALSE(model.Move(Row::Before, 40, 8));
    EXPECT_EQ(model.Map()[1], 1);
}

TEST_F(ReplaceColourModelTest, MoreThan16ColoursWrapToRowsOf16) {
    model.SetColourCount(32);
    EXPECT_EQ(model.SquareAt(20, 40), 16 + 1);
    EXPECT_EQ(model.SquareAt(255, 0), 15);
    EXPECT_EQ(model.SquareAt(0, 16), 16);
    EXPECT_EQ(model.SquareAt(999, 999), 31);
    model.Press(Row::After, Left, 40, 20);
    EXPECT_EQ(model.Cursor(), 18);
    model.Release(Row::After);
    model.Press(Row::Before, Left, 8, 24);
    EXPECT_EQ(model.Map()[18], 16);
    // Entries 16 and up point at black in this palette.
    EXPECT_EQ(Describe(model.RenderRow(Row::Before)), "ABCDEFGHIJKLMNOP/[Q]RST............");
    EXPECT_EQ(Describe(model.RenderRow(Row::After)), "ABCDEFGHIJKLMNOP/QR[Q]T............");
}

TEST_F(ReplaceColourModelTest, APartlyFilledLastBandHasNoSquaresPastTheCount) {
    model.SetColourCount(20);
    EXPECT_EQ(model.ImageHeight(), 32);
    EXPECT_EQ(model.SquareAt(3 * 16 + 2, 20), 19);
    EXPECT_EQ(model.SquareAt(4 * 16, 20), -1);
    EXPECT_FALSE(model.Press(Row::After, Left, 200, 20));
    EXPECT_EQ(model.Cursor(), 0);
    EXPECT_EQ(Describe(model.RenderRow(Row::After)), "[A]BCDEFGHIJKLMNOP/QRST............");
}

TEST_F(ReplaceColourModelTest, SwappingTwoColoursTakesTwoAssignmentsAndIsExact) {
    Image8 image = FromRows({
        "01230123",
        "33221100",
        "12121212",
    });
    Assign(1, 2);
    Assign(2, 1);
    EXPECT_EQ(model.Apply(image, {0, 0, 8, 3}), 16);
    EXPECT_EQ(Rows(image), (Picture{
                               ".213.213",
                               "331122..",
                               "21212121",
                           }));
    // Applying the same swap again brings the picture back.
    EXPECT_EQ(model.Apply(image, {0, 0, 8, 3}), 16);
    EXPECT_EQ(Rows(image), (Picture{".123.123", "332211..", "12121212"}));
}

TEST_F(ReplaceColourModelTest, GroupBitsAreKeptAndOnlyTheAreaChanges) {
    // 2-bit colours in groups 0, 1, 2 and 3 (values 0-3, 4-7, 8-B, C-F).
    Image8 image = FromRows({
        "0123",
        "4567",
        "89AB",
        "CDEF",
    });
    Assign(3, 0);
    EXPECT_EQ(model.Apply(image, {1, 1, 4, 3}), 2);
    EXPECT_EQ(Rows(image), (Picture{
                               ".123",
                               "4564",
                               "89A8",
                               "CDEF",
                           }));
}

TEST_F(ReplaceColourModelTest, TheIdentityChangesNothing) {
    std::mt19937 random(1234);
    Image8 image(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            image.SetPixel(x, y, static_cast<uint8_t>(random()));
    const Image8 before = image;
    // A click on a square and back on its own colour leaves the identity.
    Assign(2, 2);
    EXPECT_EQ(model.Apply(image, {0, 0, 128, 128}), 0);
    EXPECT_EQ(image, before);
}

TEST_F(ReplaceColourModelTest, ARandomMapMatchesThePixelByPixelRule) {
    std::mt19937 random(99);
    model.SetColourCount(16);
    model.Prepare(entries.data());
    model.Show();
    for (int k = 0; k < 16; ++k)
        Assign(k, static_cast<int>(random() % 16));
    Image8 image(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            image.SetPixel(x, y, static_cast<uint8_t>(random()));
    Image8 expected = image;
    const PixelRect area{8, 4, 40, 24};
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const int c = expected.Pixel(x, y);
            const int k = c & 15;
            if (model.Map()[static_cast<size_t>(k)] != k) {
                expected.SetPixel(
                    x, y, static_cast<uint8_t>(model.Map()[static_cast<size_t>(k)] | (c & ~15)));
                ++count;
            }
        }
    ASSERT_GT(count, 0);
    EXPECT_EQ(model.Apply(image, area), count);
    EXPECT_EQ(image, expected);
}

} // namespace
} // namespace tavrin
