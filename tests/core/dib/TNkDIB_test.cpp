#include "core/dib/TNkDIB.h"

#include "core/dib/DibBuilder.h"
#include "core/dib/DibError.h"
#include "core/platform/Image8.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using test::BuildDib;
using test::DibSpec;
using test::Digits;
using test::Hex;
using test::PackIndexRows;
using test::PackValueRows;
using test::Rgb;

TNkDIB Load(const std::vector<uint8_t>& bytes) {
    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, bytes);
    return dib;
}

template <class F> std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const DibError& e) {
        return e.what();
    }
    return "(no error)";
}

std::string LoadError(const std::vector<uint8_t>& bytes) {
    return ErrorOf([&] { Load(bytes); });
}

std::vector<std::string> DigitRows(const TNkDIB& dib) {
    std::vector<std::string> rows;
    for (int y = 0; y < dib.Height(); ++y) {
        rows.push_back(Digits(dib.ScanLine(y), dib.Width()));
    }
    return rows;
}

std::vector<RgbQuad> GreyRamp(int n) {
    std::vector<RgbQuad> colours;
    for (int i = 0; i < n; ++i) {
        colours.push_back(Rgb(i, i, 255 - i));
    }
    return colours;
}

// Encodes rows (in stored order) as RLE runs of equal digits, each row closed by an
// end-of-line code and the whole by an end-of-bitmap code.
std::vector<uint8_t> RunsOf(const std::vector<std::string>& stored, bool nibbles) {
    std::vector<uint8_t> out;
    for (const std::string& row : stored) {
        for (size_t x = 0; x < row.size();) {
            size_t n = 1;
            while (x + n < row.size() && row[x + n] == row[x]) {
                ++n;
            }
            const int v = std::stoi(std::string(1, row[x]), nullptr, 16);
            out.push_back(static_cast<uint8_t>(n));
            out.push_back(static_cast<uint8_t>(nibbles ? (v << 4) | v : v));
            x += n;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

// Every pixel layout, stored bottom-up (false) and top-down (true).
class TNkDIBRowOrder : public ::testing::TestWithParam<bool> {
protected:
    bool TopDown() const { return GetParam(); }
    int32_t SignedHeight(int h) const { return TopDown() ? -h : h; }
    std::vector<std::string> Stored(std::vector<std::string> rows) const {
        if (!TopDown()) {
            std::reverse(rows.begin(), rows.end());
        }
        return rows;
    }
};

TEST_P(TNkDIBRowOrder, OneBitKeepsIndicesAndColoursWhenConvertedTo8Bits) {
    const std::vector<std::string> rows = {"101100101", "010011010", "111000001"};
    DibSpec s;
    s.width = 9;
    s.height = SignedHeight(3);
    s.bitCount = 1;
    s.colours = {Rgb(10, 20, 30), Rgb(200, 210, 220)};
    s.bits = PackIndexRows(rows, 1, TopDown());
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits1);
    EXPECT_EQ(dib.Width(), 9);
    EXPECT_EQ(dib.Height(), 3);
    EXPECT_EQ(dib.IsTopDown(), TopDown());
    EXPECT_EQ(Hex(dib.ScanLine(0), 4), "B2 80 00 00");
    EXPECT_EQ(Hex(dib.ScanLine(2), 4), "E0 80 00 00");

    dib.SetPixelFormat(DibPixelFormat::Bits8);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits8);
    EXPECT_EQ(DigitRows(dib), rows);
    EXPECT_EQ(dib.Colours(), s.colours);
    EXPECT_EQ(dib.IsTopDown(), TopDown());
}

TEST_P(TNkDIBRowOrder, FourBitKeepsIndicesWhenConvertedTo8Bits) {
    const std::vector<std::string> rows = {"0123F", "FEDC1", "89AB0"};
    DibSpec s;
    s.width = 5;
    s.height = SignedHeight(3);
    s.bitCount = 4;
    s.colours = GreyRamp(16);
    s.bits = PackIndexRows(rows, 4, TopDown());
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits4);
    EXPECT_EQ(Hex(dib.ScanLine(1), 4), "FE DC 10 00");

    dib.SetPixelFormat(DibPixelFormat::Bits8);
    EXPECT_EQ(DigitRows(dib), rows);
    EXPECT_EQ(dib.Colours(), s.colours);
}

TEST_P(TNkDIBRowOrder, EightBitRowsAreTakenUnchanged) {
    const std::vector<std::string> rows = {"0127", "89AB"};
    DibSpec s;
    s.width = 4;
    s.height = SignedHeight(2);
    s.bitCount = 8;
    s.colours = GreyRamp(256);
    s.clrUsed = 0; // all 256 colours of the bit count
    s.bits = PackIndexRows(rows, 8, TopDown());
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits8);
    EXPECT_EQ(Hex(dib.ScanLine(0), 4), "00 01 02 07");
    EXPECT_EQ(DigitRows(dib), rows);
    EXPECT_EQ(dib.Colours().size(), 256u);
    EXPECT_EQ(dib.Colours()[200], Rgb(200, 200, 55));
}

TEST_P(TNkDIBRowOrder, TwentyFourBitRowsAreTakenUnchanged) {
    DibSpec s;
    s.width = 2;
    s.height = SignedHeight(2);
    s.bitCount = 24;
    s.bits = PackValueRows({{0x112233, 0xAABBCC}, {0x010203, 0x040506}}, 24, TopDown());
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(Hex(dib.ScanLine(0), 8), "33 22 11 CC BB AA 00 00");
    EXPECT_EQ(Hex(dib.ScanLine(1), 8), "03 02 01 06 05 04 00 00");
    EXPECT_TRUE(dib.Colours().empty());
}

TEST_P(TNkDIBRowOrder, Rle8IsExpandedWhenConvertedTo8Bits) {
    const std::vector<std::string> rows = {"1122", "3450", "0009"};
    DibSpec s;
    s.width = 4;
    s.height = SignedHeight(3);
    s.bitCount = 8;
    s.compression = BiRle8;
    s.colours = GreyRamp(16);
    s.bits = RunsOf(Stored(rows), false);
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits8Rle);
    EXPECT_EQ(ErrorOf([&] { dib.ScanLine(0); }), "TNkDIB.GetScanLine: Bad DIB Type");

    dib.SetPixelFormat(DibPixelFormat::Bits8);
    EXPECT_EQ(DigitRows(dib), rows);
    EXPECT_EQ(dib.Colours(), s.colours);
    EXPECT_EQ(dib.Header().biCompression, BiRgb);
    EXPECT_EQ(dib.Header().biSizeImage, 12u);
}

TEST_P(TNkDIBRowOrder, Rle4IsExpandedWhenConvertedTo8Bits) {
    const std::vector<std::string> rows = {"11F22", "34500", "0000E"};
    DibSpec s;
    s.width = 5;
    s.height = SignedHeight(3);
    s.bitCount = 4;
    s.compression = BiRle4;
    s.colours = GreyRamp(16);
    s.bits = RunsOf(Stored(rows), true);
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits4Rle);
    EXPECT_EQ(ErrorOf([&] { dib.ScanLine(2); }), "TNkDIB.GetScanLine: Bad DIB Type");

    dib.SetPixelFormat(DibPixelFormat::Bits8);
    EXPECT_EQ(DigitRows(dib), rows);
    EXPECT_EQ(dib.Colours(), s.colours);
}

TEST_P(TNkDIBRowOrder, SixteenBitWithoutBitFieldsHasFiveBitsPerChannel) {
    DibSpec s;
    s.width = 5;
    s.height = SignedHeight(2);
    s.bitCount = 16;
    s.bits = PackValueRows(
        {{0x7C00, 0x03E0, 0x001F, 0x8000 | 0x0210, 0x4210}, {0, 0x7FFF, 0xFFFF, 0x0001, 0x0400}},
        16, TopDown());
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(dib.Header().biBitCount, 24);
    // Blue, green, red per pixel; the top bit is no channel; 16 of 31 scales to 132 (84h).
    EXPECT_EQ(Hex(dib.ScanLine(0), 16), "00 00 FF 00 FF 00 FF 00 00 84 84 00 84 84 84 00");
    EXPECT_EQ(Hex(dib.ScanLine(1), 15), "00 00 00 FF FF FF FF FF FF 08 00 00 00 00 08");
}

TEST_P(TNkDIBRowOrder, SixteenBitWithBitFieldsUsesTheMasks) {
    DibSpec s;
    s.width = 3;
    s.height = SignedHeight(1);
    s.bitCount = 16;
    s.compression = BiBitfields;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.bits = PackValueRows({{0xF800, 0x0020, 0x07FF}}, 16, TopDown());
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(dib.Header().biCompression, BiRgb);
    EXPECT_EQ(Hex(dib.ScanLine(0), 9), "00 00 FF 00 04 00 FF FF 00");
}

TEST_P(TNkDIBRowOrder, ThirtyTwoBitWithAndWithoutBitFields) {
    DibSpec s;
    s.width = 2;
    s.height = SignedHeight(2);
    s.bitCount = 32;
    const std::vector<std::vector<uint32_t>> values = {{0xFFAABBCC, 0x00010203},
                                                       {0x3FF80000, 0x000003FF}};
    s.bits = PackValueRows(values, 32, TopDown());
    TNkDIB plain = Load(BuildDib(s));
    EXPECT_EQ(plain.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(Hex(plain.ScanLine(0), 6), "CC BB AA 03 02 01");
    EXPECT_EQ(Hex(plain.ScanLine(1), 6), "00 00 F8 FF 03 00");

    // Ten bits per channel: 1023 is full, 512 rounds to 128.
    s.compression = BiBitfields;
    s.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    s.bits = PackValueRows({{(1023u << 20) | (512u << 10), 0x3FF}, {0, 1u << 20}}, 32, TopDown());
    TNkDIB fields = Load(BuildDib(s));
    EXPECT_EQ(Hex(fields.ScanLine(0), 6), "00 80 FF FF 00 00");
    EXPECT_EQ(Hex(fields.ScanLine(1), 6), "00 00 00 00 00 00");
}

TEST_P(TNkDIBRowOrder, ScanLineOutsideTheRowsIsRefused) {
    DibSpec s;
    s.width = 1;
    s.height = SignedHeight(2);
    s.bitCount = 24;
    s.bits = PackValueRows({{1}, {2}}, 24, TopDown());
    TNkDIB dib = Load(BuildDib(s));
    const TNkDIB& constDib = dib;
    EXPECT_EQ(ErrorOf([&] { dib.ScanLine(-1); }), "TNkDIB.GetScanLine: y is Out of Range");
    EXPECT_EQ(ErrorOf([&] { dib.ScanLine(2); }), "TNkDIB.GetScanLine: y is Out of Range");
    EXPECT_EQ(ErrorOf([&] { constDib.ScanLine(2); }), "TNkDIB.GetScanLine: y is Out of Range");
    EXPECT_EQ(constDib.ScanLine(1)[0], 2);
}

INSTANTIATE_TEST_SUITE_P(BothRowOrders, TNkDIBRowOrder, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "TopDown" : "BottomUp"; });

TEST(TNkDIB, CoreHeaderHasThreeByteColoursAndBottomUpRows) {
    DibSpec s;
    s.headerSize = 12;
    s.width = 3;
    s.height = 2;
    s.bitCount = 4;
    s.colours = GreyRamp(16);
    s.bits = PackIndexRows({"12F", "A03"}, 4, false);
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.Header().biSize, 40u);
    EXPECT_EQ(dib.Header().biCompression, BiRgb);
    EXPECT_EQ(dib.Header().biXPelsPerMeter, 3780);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits4);
    EXPECT_EQ(dib.Colours(), s.colours);
    dib.SetPixelFormat(DibPixelFormat::Bits8);
    EXPECT_EQ(DigitRows(dib), (std::vector<std::string>{"12F", "A03"}));
}

TEST(TNkDIB, CoreHeaderOneBitAndTwentyFourBit) {
    DibSpec one;
    one.headerSize = 12;
    one.width = 4;
    one.height = 1;
    one.bitCount = 1;
    one.colours = {Rgb(1, 2, 3), Rgb(4, 5, 6)};
    one.bits = PackIndexRows({"1001"}, 1, false);
    TNkDIB a = Load(BuildDib(one));
    a.SetPixelFormat(DibPixelFormat::Bits8);
    EXPECT_EQ(DigitRows(a), std::vector<std::string>{"1001"});
    EXPECT_EQ(a.Colours(), one.colours);

    DibSpec rgb;
    rgb.headerSize = 12;
    rgb.width = 1;
    rgb.height = 2;
    rgb.bitCount = 24;
    rgb.bits = PackValueRows({{0x0A0B0C}, {0x010203}}, 24, false);
    TNkDIB b = Load(BuildDib(rgb));
    EXPECT_EQ(b.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(Hex(b.ScanLine(0), 3), "0C 0B 0A");
}

TEST(TNkDIB, ZeroResolutionBecomes3780PixelsPerMetre) {
    DibSpec s;
    s.width = 1;
    s.height = 1;
    s.bitCount = 24;
    s.bits = {0, 0, 0, 0};
    s.pelsPerMeter = 0;
    EXPECT_EQ(Load(BuildDib(s)).Header().biXPelsPerMeter, 3780);
    EXPECT_EQ(Load(BuildDib(s)).Header().biYPelsPerMeter, 3780);
    s.pelsPerMeter = 1000;
    EXPECT_EQ(Load(BuildDib(s)).Header().biYPelsPerMeter, 1000);
}

TEST(TNkDIB, ColourTableFollowsTheMasksOfABitFieldHeader) {
    // Bit fields on an 8-bit image load, but are no pixel format the container knows.
    DibSpec s;
    s.width = 4;
    s.height = 1;
    s.bitCount = 8;
    s.compression = BiBitfields;
    s.masks = {1, 2, 3};
    s.colours = {Rgb(9, 8, 7), Rgb(6, 5, 4)};
    s.bits = PackIndexRows({"0101"}, 8, false);
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.Colours(), s.colours);
    EXPECT_EQ(ErrorOf([&] { dib.PixelFormat(); }),
              "TNkInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
    EXPECT_EQ(ErrorOf([&] { dib.ScanLine(0); }),
              "TNkInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
}

TEST(TNkDIB, AtMost256ColoursAreTakenAndThePixelsFollowTheWholeTable) {
    DibSpec s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 8;
    s.colours = GreyRamp(300);
    s.bits = PackIndexRows({"5A"}, 8, false);
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(dib.Colours().size(), 256u);
    EXPECT_EQ(dib.Header().biClrUsed, 256u);
    EXPECT_EQ(DigitRows(dib), std::vector<std::string>{"5A"});
}

TEST(TNkDIB, TwentyFourBitColourTableIsSkipped) {
    DibSpec s;
    s.width = 1;
    s.height = 1;
    s.bitCount = 24;
    s.colours = {Rgb(1, 1, 1), Rgb(2, 2, 2)};
    s.bits = {0x30, 0x20, 0x10, 0};
    TNkDIB dib = Load(BuildDib(s));
    EXPECT_EQ(Hex(dib.ScanLine(0), 3), "30 20 10");
}

TEST(TNkDIB, PixelFormatOfEveryInvalidCombination) {
    auto error = [](int bits, uint32_t compression) {
        return ErrorOf([&] { TNkInternalDIB::PixelFormatOf(bits, compression); });
    };
    EXPECT_EQ(error(1, BiRle8), "TNkInternalDIB.GetPixelFormat: Invalid DIB(1Bit)");
    EXPECT_EQ(error(4, BiRle8), "TNkInternalDIB.GetPixelFormat: Invalid DIB(4Bit)");
    EXPECT_EQ(error(4, BiBitfields), "TNkInternalDIB.GetPixelFormat: Invalid DIB(4Bit)");
    EXPECT_EQ(error(8, BiRle4), "TNkInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
    EXPECT_EQ(error(24, BiRle8), "TNkInternalDIB.GetPixelFormat: Invalid DIB(24Bit)");
    EXPECT_EQ(error(16, BiRgb), "TNkInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)");
    EXPECT_EQ(error(2, BiRgb), "TNkInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)");
    EXPECT_EQ(TNkInternalDIB::PixelFormatOf(1, BiRgb), DibPixelFormat::Bits1);
    EXPECT_EQ(TNkInternalDIB::PixelFormatOf(4, BiRgb), DibPixelFormat::Bits4);
    EXPECT_EQ(TNkInternalDIB::PixelFormatOf(4, BiRle4), DibPixelFormat::Bits4Rle);
    EXPECT_EQ(TNkInternalDIB::PixelFormatOf(8, BiRgb), DibPixelFormat::Bits8);
    EXPECT_EQ(TNkInternalDIB::PixelFormatOf(8, BiRle8), DibPixelFormat::Bits8Rle);
    EXPECT_EQ(TNkInternalDIB::PixelFormatOf(24, BiRgb), DibPixelFormat::Bits24);
    EXPECT_EQ(static_cast<int>(DibPixelFormat::Bits8), 3);
    EXPECT_EQ(static_cast<int>(DibPixelFormat::Bits24), 5);
}

DibSpec Small24() {
    DibSpec s;
    s.width = 1;
    s.height = 1;
    s.bitCount = 24;
    s.bits = {1, 2, 3, 0};
    return s;
}

TEST(TNkDIB, LoadErrorTexts) {
    TNkDIB dib;
    const std::vector<uint8_t> good = BuildDib(Small24());
    EXPECT_EQ(ErrorOf([&] { dib.LoadFromClipboardFormat(2, good); }),
              "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    EXPECT_EQ(ErrorOf([&] { dib.LoadFromClipboardFormat(ClipboardFormatDib, {}); }),
              "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");

    DibSpec s = Small24();
    s.headerSize = 108; // only bitmap files may carry the longer headers
    EXPECT_EQ(LoadError(BuildDib(s)), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    s.headerSize = 64;
    EXPECT_EQ(LoadError(BuildDib(s)), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    EXPECT_EQ(LoadError(test::Bytes({40, 0, 0})),
              "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");

    s = Small24();
    s.width = 0;
    EXPECT_EQ(LoadError(BuildDib(s)), "TNkInternalDIB.LoadFromStream: Invalid Width or Height");
    s = Small24();
    s.height = 0;
    EXPECT_EQ(LoadError(BuildDib(s)), "TNkInternalDIB.LoadFromStream: Invalid Width or Height");
    s = Small24();
    s.width = -1;
    EXPECT_EQ(LoadError(BuildDib(s)), "TNkInternalDIB.LoadFromStream: Invalid Width or Height");

    s = Small24();
    s.bitCount = 2; // a colour table of 4 entries, then no known pixel layout
    s.colours = GreyRamp(4);
    EXPECT_EQ(LoadError(BuildDib(s)), "TNkInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
    s.bitCount = 12;
    EXPECT_EQ(LoadError(BuildDib(s)), "TNkInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");

    s = Small24();
    s.bitCount = 16;
    s.compression = BiBitfields;
    s.masks = {0x7C00, 0, 0x001F};
    EXPECT_EQ(LoadError(BuildDib(s)), "TNkInternalDIB.LoadFromStream: Invalid Masks");
    s.compression = BiRle8;
    s.masks = {};
    EXPECT_EQ(LoadError(BuildDib(s)),
              "TNkInternalDIB.LoadFromClipboardFormat: Invalid biCompression");
}

TEST(TNkDIB, FailedLoadKeepsThePreviousImage) {
    TNkDIB dib = Load(BuildDib(Small24()));
    DibSpec bad = Small24();
    bad.bitCount = 7;
    EXPECT_THROW(dib.LoadFromClipboardFormat(ClipboardFormatDib, BuildDib(bad)), DibError);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(Hex(dib.ScanLine(0), 3), "01 02 03");
}

TEST(TNkDIB, OnlyTheConversionTo8BitsIsOffered) {
    TNkDIB dib = Load(BuildDib(Small24()));
    TNkDIB sharer = dib;
    dib.SetPixelFormat(DibPixelFormat::Bits24); // the current format: nothing happens
    EXPECT_TRUE(dib.SharesImageWith(sharer));
    for (DibPixelFormat f : {DibPixelFormat::Bits1, DibPixelFormat::Bits4, DibPixelFormat::Bits4Rle,
                             DibPixelFormat::Bits8Rle}) {
        EXPECT_EQ(ErrorOf([&] { dib.SetPixelFormat(f); }),
                  "TNkIntenalDIB.SetPixelsFormat: PixelFormat Error");
    }
    dib.SetPixelFormat(DibPixelFormat::Bits8);
    EXPECT_EQ(ErrorOf([&] { dib.SetPixelFormat(DibPixelFormat::Bits24); }),
              "TNkIntenalDIB.SetPixelsFormat: PixelFormat Error");
    EXPECT_EQ(sharer.PixelFormat(), DibPixelFormat::Bits24);
}

TEST(TNkDIB, TwentyFourBitImageWithThreeColoursGetsThreeTableEntries) {
    const Colour r = MakeColour(255, 0, 0), g = MakeColour(0, 128, 0), b = MakeColour(0, 0, 64);
    const std::vector<Colour> pixels = {r, g, b, b, g, r, r, r};
    TNkDIB dib;
    dib.AssignRgb(4, 2, pixels);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    dib.SetPixelFormat(DibPixelFormat::Bits8);
    ASSERT_EQ(dib.Colours().size(), 3u);
    // Red varies most, so it splits first; of the rest, green varies most.
    EXPECT_EQ(dib.Colours()[0], Rgb(255, 0, 0));
    EXPECT_EQ(dib.Colours()[1], Rgb(0, 128, 0));
    EXPECT_EQ(dib.Colours()[2], Rgb(0, 0, 64));
    EXPECT_EQ(DigitRows(dib), (std::vector<std::string>{"0122", "1000"}));
    EXPECT_EQ(dib.Header().biClrUsed, 3u);
}

TEST(TNkDIB, CopiesShareTheImageUntilOneChangesPixels) {
    Image8 image(2, 2);
    image.SetPixel(0, 0, 7);
    TNkDIB a;
    a.Assign(image);
    TNkDIB b = a;
    EXPECT_TRUE(a.SharesImageWith(b));
    const TNkDIB& constB = b;
    EXPECT_EQ(constB.ScanLine(0)[0], 7);
    EXPECT_TRUE(a.SharesImageWith(b)); // reading does not copy
    b.ScanLine(0)[0] = 9;
    EXPECT_FALSE(a.SharesImageWith(b));
    EXPECT_EQ(a.ScanLine(0)[0], 7);
    EXPECT_EQ(b.ScanLine(0)[0], 9);
}

TEST(TNkDIB, SavesHeaderColoursAndBottomUpRows) {
    Image8 image(3, 2);
    image.Colours()[0] = MakeColour(0x10, 0x20, 0x30);
    image.Colours()[255] = MakeColour(0xAA, 0xBB, 0xCC);
    image.SetPixel(0, 0, 1);
    image.SetPixel(2, 0, 255);
    image.SetPixel(1, 1, 2);
    TNkDIB dib;
    dib.Assign(image);
    const std::vector<uint8_t> bytes = dib.SaveToClipboardFormat();
    ASSERT_EQ(bytes.size(), 40u + 1024u + 8u);
    EXPECT_EQ(Hex(bytes.data(), 40), "28 00 00 00 03 00 00 00 02 00 00 00 01 00 08 00 "
                                     "00 00 00 00 08 00 00 00 C4 0E 00 00 C4 0E 00 00 "
                                     "00 01 00 00 00 00 00 00");
    EXPECT_EQ(Hex(bytes.data() + 40, 4), "30 20 10 00");
    EXPECT_EQ(Hex(bytes.data() + 40 + 1020, 4), "CC BB AA 00");
    // The bottom row is stored first.
    EXPECT_EQ(Hex(bytes.data() + 1064, 8), "00 02 00 00 01 00 FF 00");
}

TEST(TNkDIB, AssignAndAssignToKeepIndicesAndPalette) {
    Image8 image(5, 3);
    for (int i = 0; i < 256; ++i) {
        image.Colours()[i] = MakeColour(i, 255 - i, i / 2);
    }
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            image.SetPixel(x, y, static_cast<uint8_t>(x * 50 + y * 7));
        }
    }
    TNkDIB dib;
    dib.Assign(image);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits8);
    TNkDIB reloaded = Load(dib.SaveToClipboardFormat());
    Image8 back;
    reloaded.AssignTo(back);
    EXPECT_EQ(back, image);
}

TEST(TNkDIB, AssignToConvertsWithoutChangingTheContainer) {
    TNkDIB dib;
    dib.AssignRgb(2, 1, std::vector<Colour>{MakeColour(8, 4, 8), MakeColour(0, 0, 0)});
    Image8 image;
    dib.AssignTo(image);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Pixel(0, 0), 0);
    EXPECT_EQ(image.Pixel(1, 0), 1);
    EXPECT_EQ(image.Colours()[0], MakeColour(8, 4, 8));
    EXPECT_EQ(image.Colours()[1], MakeColour(0, 0, 0));
    EXPECT_EQ(image.Colours()[2], MakeColour(0, 0, 0));
}

TEST(TNkDIB, EmptyContainer) {
    TNkDIB dib;
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits8);
    EXPECT_EQ(ErrorOf([&] { dib.ScanLine(0); }), "TNkDIB.GetScanLine: y is Out of Range");
    EXPECT_EQ(ErrorOf([&] { dib.SaveToClipboardFormat(); }),
              "TNkInternalDIB.SaveToClipboardFormat: Empty Image");
    Image8 image(3, 3);
    dib.AssignTo(image);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(ErrorOf([&] { dib.AssignRgb(2, 2, std::vector<Colour>(3)); }),
              "TNkInternalDIB.LoadFromStream: Invalid Width or Height");
}

} // namespace
} // namespace tavrin
