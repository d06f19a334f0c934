#include "core/dib/BitmapFile.h"

#include "core/dib/DibBuilder.h"
#include "core/dib/DibError.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <unistd.h>

namespace tavrin {
namespace {

using test::BuildBitmapFile;
using test::DibSpec;
using test::Hex;
using test::PackIndexRows;
using test::PackValueRows;
using test::Rgb;

class BitmapFileTest : public test::TempFolderTest {
protected:
    std::string PathOf(const std::string& name) const { return Path(name); }
};

Image8 RandomImage(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Image8 image(width, height);
    for (Colour& c : image.Colours()) {
        c = random() & 0xFFFFFF;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, static_cast<uint8_t>(random()));
        }
    }
    return image;
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
    try {
        Image8 image;
        BitmapFileToImage8(bytes, image);
    } catch (const DibError& e) {
        return e.what();
    }
    return "(no error)";
}

std::vector<std::string> Rows(const Image8& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.Height(); ++y) {
        rows.push_back(test::Digits(image.ScanLine(y), image.Width()));
    }
    return rows;
}

TEST_F(BitmapFileTest, WriteThenReadKeepsIndicesAndPaletteExactly) {
    for (auto [w, h] : {std::pair{128, 128}, {5, 3}, {1, 1}, {6, 7}}) {
        const Image8 image = RandomImage(w, h, static_cast<unsigned>(w * 1000 + h));
        const std::string path = PathOf("chr000.bmp");
        ASSERT_TRUE(WriteBitmapFile(path, image));
        Image8 back;
        ASSERT_TRUE(ReadBitmapFile(path, back));
        EXPECT_EQ(back, image) << w << " x " << h;
    }
}

TEST_F(BitmapFileTest, WrittenBytesAreAnEightBitBottomUpBitmap) {
    Image8 image(3, 2);
    image.Colours()[1] = MakeColour(0x11, 0x22, 0x33);
    image.SetPixel(0, 0, 1);
    image.SetPixel(2, 1, 0xFE);
    const std::vector<uint8_t> bytes = Image8ToBitmapFile(image);
    ASSERT_EQ(bytes.size(), 14u + 40u + 1024u + 8u);
    EXPECT_EQ(Hex(bytes.data(), 14), "42 4D 3E 04 00 00 00 00 00 00 36 04 00 00");
    EXPECT_EQ(Hex(bytes.data() + 14, 16), "28 00 00 00 03 00 00 00 02 00 00 00 01 00 08 00");
    EXPECT_EQ(Hex(bytes.data() + 14 + 32, 4), "00 01 00 00"); // 256 colours used
    EXPECT_EQ(Hex(bytes.data() + 54 + 4, 4), "33 22 11 00");
    EXPECT_EQ(Hex(bytes.data() + 1078, 8), "00 00 FE 00 01 00 00 00");

    const std::string path = PathOf("snap.bmp");
    ASSERT_TRUE(WriteFileSafely(path, std::string(5000, 'x').data(), 5000));
    ASSERT_TRUE(WriteBitmapFile(path, image));
    std::vector<uint8_t> written;
    ASSERT_TRUE(ReadWholeFile(path, written));
    EXPECT_EQ(written, bytes); // a longer old file is replaced, not overwritten in part
}

TEST_F(BitmapFileTest, MissingFileAndEmptyImageAreFailuresWithoutException) {
    Image8 out(2, 2);
    out.SetPixel(0, 0, 5);
    EXPECT_FALSE(ReadBitmapFile(PathOf("none.bmp"), out));
    EXPECT_EQ(out.Pixel(0, 0), 5);
    EXPECT_FALSE(WriteBitmapFile(PathOf("empty.bmp"), Image8()));
    EXPECT_FALSE(FileExists(PathOf("empty.bmp")));
    EXPECT_FALSE(WriteBitmapFile(PathOf("no/such/folder/x.bmp"), out));
}

TEST_F(BitmapFileTest, MalformedFileThrowsTheContainersText) {
    const std::string path = PathOf("bad.bmp");
    ASSERT_TRUE(WriteFileSafely(path, "BMxxxxxxxxxxxxxxxxx", 19));
    Image8 out;
    try {
        ReadBitmapFile(path, out);
        ADD_FAILURE() << "no error";
    } catch (const DibError& e) {
        EXPECT_STREQ(e.what(), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    }
}

TEST(BitmapFile, ReadsEveryHeaderKind) {
    const std::vector<std::string> rows = {"0123", "3210"};
    for (uint32_t headerSize : {12u, 40u, 52u, 56u, 108u, 124u}) {
        DibSpec s;
        s.headerSize = headerSize;
        s.width = 4;
        s.height = 2;
        s.bitCount = 4;
        s.colours = {Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(10, 11, 12)};
        s.colours.resize(16, Rgb(0, 0, 0)); // a core header's table has all 16
        s.bits = PackIndexRows(rows, 4, false);
        Image8 image;
        BitmapFileToImage8(BuildBitmapFile(s), image);
        EXPECT_EQ(Rows(image), rows) << headerSize;
        EXPECT_EQ(image.Colours()[3], MakeColour(10, 11, 12)) << headerSize;
    }
}

TEST(BitmapFile, LongHeaderCarriesItsOwnMasks) {
    DibSpec s;
    s.headerSize = 124;
    s.width = 2;
    s.height = -1;
    s.bitCount = 32;
    s.compression = BiBitfields;
    s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}; // red low, then alpha
    s.bits = PackValueRows({{0xFF0000FF, 0x00FF0000}}, 32, true);
    Image8 image;
    BitmapFileToImage8(BuildBitmapFile(s), image);
    EXPECT_EQ(Rows(image), std::vector<std::string>{"01"});
    EXPECT_EQ(image.Colours()[0], MakeColour(255, 0, 0));
    EXPECT_EQ(image.Colours()[1], MakeColour(0, 0, 255));
}

TEST(BitmapFile, PixelOffsetOfTheFileHeaderIsHonoured) {
    DibSpec s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 8;
    s.colours = {Rgb(0, 0, 0), Rgb(1, 1, 1)};
    s.bits = {0x01, 0x00, 0x00, 0x00};
    Image8 image;
    BitmapFileToImage8(BuildBitmapFile(s, 6), image);
    EXPECT_EQ(Rows(image), std::vector<std::string>{"10"});
    // An offset into the headers means "right after the colours".
    BitmapFileToImage8(BuildBitmapFile(s, 0, 0), image);
    EXPECT_EQ(Rows(image), std::vector<std::string>{"10"});
    BitmapFileToImage8(BuildBitmapFile(s, 0, 20), image);
    EXPECT_EQ(Rows(image), std::vector<std::string>{"10"});
    EXPECT_EQ(ErrorOf(BuildBitmapFile(s, 0, 1000)),
              "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    EXPECT_EQ(ErrorOf(BuildBitmapFile(s, 0, 0xFFFFFFFF)),
              "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
}

TEST(BitmapFile, NotABitmapFile) {
    EXPECT_EQ(ErrorOf(test::Bytes({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})),
              "TNkDIB.LoadFromStream: Invalid Bitmap File");
    std::vector<uint8_t> bytes = Image8ToBitmapFile(Image8(2, 2));
    bytes[1] = 'A';
    EXPECT_EQ(ErrorOf(bytes), "TNkDIB.LoadFromStream: Invalid Bitmap File");
    EXPECT_EQ(ErrorOf({}), "TNkDIB.LoadFromStream: Invalid Bitmap File");
}

TEST(BitmapFile, TwentyFourBitAndRleFilesBecomeIndices) {
    DibSpec rgb;
    rgb.width = 3;
    rgb.height = 1;
    rgb.bitCount = 24;
    rgb.bits = PackValueRows({{0xFF0000, 0x00FF00, 0xFF0000}}, 24, false);
    Image8 image;
    BitmapFileToImage8(BuildBitmapFile(rgb), image);
    EXPECT_EQ(Rows(image), std::vector<std::string>{"101"});
    EXPECT_EQ(image.Colours()[0], MakeColour(0, 255, 0));
    EXPECT_EQ(image.Colours()[1], MakeColour(255, 0, 0));

    DibSpec rle;
    rle.width = 3;
    rle.height = 2;
    rle.bitCount = 8;
    rle.compression = BiRle8;
    rle.colours = {Rgb(0, 0, 0), Rgb(9, 9, 9), Rgb(7, 7, 7)};
    rle.bits = test::Bytes({0x03, 0x02, 0x00, 0x00, 0x02, 0x01, 0x00, 0x01}); // bottom first
    BitmapFileToImage8(BuildBitmapFile(rle), image);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"110", "222"}));
}

TEST(BitmapFile, DibBytesRoundTripAndConvert) {
    const Image8 image = RandomImage(9, 4, 3);
    Image8 back;
    DibToImage8(Image8ToDib(image), back);
    EXPECT_EQ(back, image);

    DibSpec one;
    one.width = 3;
    one.height = 1;
    one.bitCount = 1;
    one.colours = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    one.bits = PackIndexRows({"101"}, 1, false);
    DibToImage8(test::BuildDib(one), back);
    EXPECT_EQ(Rows(back), std::vector<std::string>{"101"});
    EXPECT_EQ(back.Colours()[1], MakeColour(255, 255, 255));
    EXPECT_EQ(back.Colours()[2], MakeColour(0, 0, 0));
}

TEST(BitmapFile, AnyBitmapTellsFilesFromDibs) {
    const Image8 image = RandomImage(3, 5, 9);
    Image8 fromFile;
    AnyBitmapToImage8(Image8ToBitmapFile(image), fromFile);
    EXPECT_EQ(fromFile, image);
    Image8 fromDib;
    AnyBitmapToImage8(Image8ToDib(image), fromDib);
    EXPECT_EQ(fromDib, image);
    EXPECT_EQ(ErrorOf({'B'}), "TNkDIB.LoadFromStream: Invalid Bitmap File");
    try {
        AnyBitmapToImage8(test::Bytes({'B'}), fromDib);
        ADD_FAILURE() << "no error";
    } catch (const DibError& e) {
        EXPECT_STREQ(e.what(), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    }
}

} // namespace
} // namespace tavrin
