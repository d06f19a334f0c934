#include "core/app/DataPages.h"
#include "core/app/FilePicture.h"
#include "core/app/Workspace.h"

#include "core/dib/DibBuilder.h"

#include <gtest/gtest.h>

using namespace tavrin;
using namespace tavrin::test;

namespace {

Image8::Palette Grey() {
    Image8::Palette p{};
    for (int i = 0; i < 256; ++i)
        p[static_cast<size_t>(i)] = MakeColour(i, i, i);
    return p;
}

std::string Row(const Image8& image, int y) {
    return Digits(image.ScanLine(y), image.Width());
}

} // namespace

// 32-bit and 24-bit bitmaps keep their colours; 4-bit ones their indices and colours.
TEST(FilePicture, BitmapsKeepColoursOrIndices) {
    DibSpec rgb;
    rgb.width = 2;
    rgb.height = 1;
    rgb.bitCount = 32;
    rgb.bits = PackValueRows({{0x112233, 0x0000FF}}, 32, false);
    FilePicture picture = BitmapFilePicture(BuildBitmapFile(rgb));
    ASSERT_TRUE(picture.trueColour);
    EXPECT_EQ(picture.colours.Pixel(0, 0), MakeColour(0x11, 0x22, 0x33));
    EXPECT_EQ(picture.colours.Pixel(1, 0), MakeColour(0, 0, 0xFF));

    DibSpec indexed;
    indexed.width = 3;
    indexed.height = 2;
    indexed.bitCount = 4;
    indexed.colours = {Rgb(0, 0, 0), Rgb(9, 9, 9), Rgb(1, 2, 3)};
    indexed.bits = PackIndexRows({"012", "210"}, 4, false);
    picture = BitmapFilePicture(BuildBitmapFile(indexed));
    ASSERT_FALSE(picture.trueColour);
    EXPECT_EQ(Row(picture.indexed, 0), "012");
    EXPECT_EQ(Row(picture.indexed, 1), "210");
    EXPECT_EQ(picture.indexed.Colours()[2], MakeColour(1, 2, 3));
}

// A true colour becomes the index of the entry of exactly that colour, the preferred entries
// first; an indexed picture keeps its indices whatever its palette.
TEST(FilePicture, TrueColoursTakeTheIndexOfTheirEntry) {
    Image8::Palette palette = Grey();
    palette[0x15] = MakeColour(7, 7, 7); // 7 twice: entries 7 and 0x15
    FilePicture picture;
    picture.trueColour = true;
    picture.colours = ImageRgb(3, 1);
    picture.colours.SetPixel(0, 0, MakeColour(7, 7, 7));
    picture.colours.SetPixel(1, 0, MakeColour(0x16, 0x16, 0x16));
    picture.colours.SetPixel(2, 0, MakeColour(0xFF, 0xFF, 0xFF));
    struct Case {
        int first;
        int count;
        std::vector<int> expected;
    };
    for (const Case& c : {Case{0, 4, {7, 0x16, 0xFF}}, Case{0x14, 4, {0x15, 0x16, 0xFF}}}) {
        Image8 out;
        ASSERT_FALSE(PictureToIndices(picture, palette, c.first, c.count, out));
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(out.Pixel(x, 0), c.expected[static_cast<size_t>(x)]) << x;
        EXPECT_EQ(out.Colours(), palette);
    }

    // The first colour (row by row) that no entry has is named, and out is left alone.
    picture.colours = ImageRgb(2, 2);
    picture.colours.SetPixel(1, 1, MakeColour(1, 2, 3));
    picture.colours.SetPixel(0, 1, MakeColour(4, 5, 6));
    Image8 out(5, 5);
    const auto miss = PictureToIndices(picture, palette, 0, 4, out);
    ASSERT_TRUE(miss);
    EXPECT_EQ(miss->x, 0);
    EXPECT_EQ(miss->y, 1);
    EXPECT_EQ(miss->colour, MakeColour(4, 5, 6));
    EXPECT_EQ(out.Width(), 5);

    FilePicture indexed;
    indexed.indexed = Image8(2, 1);
    indexed.indexed.SetPixel(1, 0, 0xEE);
    ASSERT_FALSE(PictureToIndices(indexed, palette, 0, 4, out));
    EXPECT_EQ(out, indexed.indexed);
}

// "all" counts the pages that start inside the data and before the end address.
TEST(DataPages, AllCountsThePagesThatStartInsideTheData) {
    const auto ines = [](int program, int character, size_t fileSize) {
        std::vector<uint8_t> bytes(fileSize, 0);
        if (fileSize >= 6) {
            std::copy_n("NES\x1A", 4, bytes.begin());
            bytes[4] = static_cast<uint8_t>(program);
            bytes[5] = static_cast<uint8_t>(character);
        }
        return bytes;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int first;
        long long pages;
    };
    const std::vector<Case> cases = {
        {"plain, one byte past two pages", std::vector<uint8_t>(8193), 0, 3},
        {"plain, from the last byte", std::vector<uint8_t>(8193), 8192, 1},
        {"empty", {}, 0, 0},
        {"iNES, one bank of characters", ines(2, 1, 16 + 32768 + 8192), 0x8010, 2},
        {"iNES claiming 4 banks, holding 1", ines(2, 4, 16 + 32768 + 8192), 0x8010, 2},
        {"iNES whose characters lie past the end", ines(2, 1, 16 + 100), 0x8010, 0},
        {"iNES with bytes past its characters", ines(0, 1, 16 + 8192 + 5000), 16, 2},
    };
    for (const Case& c : cases) {
        Workspace ws;
        ASSERT_TRUE(ws.Document().LoadBytes(c.bytes.data(), c.bytes.size(), "x.nes")) << c.what;
        EXPECT_EQ(PagesInData(ws, c.first), c.pages) << c.what;
    }
}
