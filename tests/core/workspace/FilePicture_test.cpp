#include "core/workspace/FilePicture.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tavrin;

// A true colour becomes the index of the entry of exactly that colour, the preferred entries
// first; the first colour no entry has is named and leaves out alone; an indexed picture keeps
// its indices whatever its palette.
TEST(FilePicture, TrueColoursTakeTheIndexOfTheirEntry) {
    Image8::Palette palette{};
    for (int i = 0; i < 256; ++i)
        palette[static_cast<size_t>(i)] = MakeColour(i, i, i);
    palette[0x15] = MakeColour(7, 7, 7); // 7 twice: entries 7 and 0x15
    FilePicture picture;
    picture.trueColour = true;
    picture.colours = ImageRgb(3, 2);
    picture.colours.SetPixel(0, 0, MakeColour(7, 7, 7));
    picture.colours.SetPixel(1, 0, MakeColour(0x16, 0x16, 0x16));
    picture.colours.SetPixel(2, 0, MakeColour(0xFF, 0xFF, 0xFF));
    for (const auto& [first, expected] : {std::pair{0, std::vector<int>{7, 0x16, 0xFF}},
                                          std::pair{0x14, std::vector<int>{0x15, 0x16, 0xFF}}}) {
        Image8 out;
        ASSERT_FALSE(PictureToIndices(picture, palette, first, 4, out));
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(out.Pixel(x, 0), expected[static_cast<size_t>(x)]) << first << " " << x;
        EXPECT_EQ(out.Colours(), palette);
    }
    picture.colours.SetPixel(2, 1, MakeColour(1, 2, 3));
    picture.colours.SetPixel(1, 1, MakeColour(4, 5, 6));
    Image8 out(5, 5);
    const auto miss = PictureToIndices(picture, palette, 0, 4, out);
    ASSERT_TRUE(miss);
    EXPECT_EQ(std::tuple(miss->x, miss->y, miss->colour), std::tuple(1, 1, MakeColour(4, 5, 6)));
    EXPECT_EQ(out.Width(), 5);

    FilePicture indexed;
    indexed.indexed = Image8(2, 1);
    indexed.indexed.SetPixel(1, 0, 0xEE);
    ASSERT_FALSE(PictureToIndices(indexed, palette, 0, 4, out));
    EXPECT_EQ(out, indexed.indexed);
}
