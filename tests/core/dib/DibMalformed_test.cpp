#include "core/dib/BitmapFile.h"
#include "core/dib/DibBuilder.h"
#include "core/dib/DibError.h"
#include "core/dib/TNkDIB.h"
#include "core/platform/Image8.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrin {
namespace {

using test::BuildDib;
using test::DibSpec;
using test::PackIndexRows;
using test::PackValueRows;
using test::Rgb;

// What the clipboard paste does with outside bytes: load, convert to 8 bits, read every row.
// Returns the error text, or "" when everything worked. Damage can declare huge images that
// would only make the test slow; those are loaded but not converted.
std::string Paste(const std::vector<uint8_t>& bytes) {
    try {
        TNkDIB dib;
        dib.LoadFromClipboardFormat(ClipboardFormatDib, bytes);
        if (int64_t{dib.Width()} * dib.Height() > 1 << 20) {
            return "";
        }
        if (dib.PixelFormat() != DibPixelFormat::Bits8) {
            dib.SetPixelFormat(DibPixelFormat::Bits8);
        }
        unsigned sum = 0;
        for (int y = 0; y < dib.Height(); ++y) {
            const uint8_t* row = dib.ScanLine(y);
            for (int x = 0; x < dib.Width(); ++x) {
                sum += row[x];
            }
        }
        Image8 image;
        dib.AssignTo(image);
        return sum == 0xFFFFFFFF ? "impossible" : "";
    } catch (const DibError& e) {
        return e.what();
    }
}

std::vector<std::pair<std::string, DibSpec>> Seeds() {
    std::vector<std::pair<std::string, DibSpec>> seeds;
    DibSpec s;
    s.width = 9;
    s.height = 3;
    s.bitCount = 1;
    s.colours = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    s.bits = PackIndexRows({"101100101", "010011010", "111000001"}, 1, false);
    seeds.emplace_back("1 bit", s);
    s.bitCount = 4;
    s.height = -3;
    s.colours.resize(16, Rgb(1, 2, 3));
    s.bits = PackIndexRows({"0123456789", "ABCDEF0123", "0000000000"}, 4, true);
    s.width = 10;
    seeds.emplace_back("4 bit", s);
    s.bitCount = 8;
    s.height = 2;
    s.width = 3;
    s.bits = PackIndexRows({"012", "345"}, 8, false);
    seeds.emplace_back("8 bit", s);
    s.colours.clear();
    s.bitCount = 24;
    s.bits = PackValueRows({{1, 2, 3}, {4, 5, 6}}, 24, false);
    seeds.emplace_back("24 bit", s);
    s.bitCount = 16;
    s.compression = BiBitfields;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.bits = PackValueRows({{0xF800, 2, 3}, {4, 0xFFFF, 6}}, 16, false);
    seeds.emplace_back("16 bit", s);
    s.bitCount = 32;
    s.compression = BiRgb;
    s.masks.clear();
    s.bits = PackValueRows({{0xF800, 2, 3}, {4, 0xFFFF, 6}}, 32, false);
    seeds.emplace_back("32 bit", s);
    s.bitCount = 8;
    s.compression = BiRle8;
    s.colours.resize(4, Rgb(9, 9, 9));
    s.bits = test::Bytes({2, 1, 1, 2, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1});
    seeds.emplace_back("RLE8", s);
    s.bitCount = 4;
    s.compression = BiRle4;
    s.bits = test::Bytes({2, 0x12, 1, 0x30, 0, 0, 0, 3, 0x12, 0x30, 0, 1});
    seeds.emplace_back("RLE4", s);
    s.headerSize = 12;
    s.compression = BiRgb;
    s.bitCount = 8;
    s.colours.resize(256, Rgb(5, 5, 5));
    s.bits = PackIndexRows({"012", "345"}, 8, false);
    seeds.emplace_back("core 8 bit", s);
    return seeds;
}

TEST(DibMalformed, SeedsAreValid) {
    for (const auto& [name, layout] : Seeds()) {
        EXPECT_EQ(Paste(BuildDib(layout)), "") << name;
    }
}

TEST(DibMalformed, EveryTruncationOfUncompressedDataIsRefused) {
    for (const auto& [name, layout] : Seeds()) {
        const std::vector<uint8_t> whole = BuildDib(layout);
        const bool compressed = layout.compression == BiRle8 || layout.compression == BiRle4;
        for (size_t n = 0; n < whole.size(); ++n) {
            const std::vector<uint8_t> part(whole.begin(), whole.begin() + n);
            const std::string error = Paste(part);
            if (!compressed) {
                EXPECT_NE(error, "") << name << " cut at " << n;
            }
        }
    }
}

TEST(DibMalformed, OverflowingAndAbsurdSizes) {
    auto paste = [](DibSpec s) { return Paste(BuildDib(s)); };
    const std::string size = "TNkInternalDIB.LoadFromStream: Invalid Width or Height";
    const std::string data = "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data";
    DibSpec s;
    s.bitCount = 24;
    s.bits = {0, 0, 0, 0};
    s.width = 0x7FFFFFFF;
    s.height = 0x7FFFFFFF;
    EXPECT_EQ(paste(s), size);
    s.width = 1;
    s.height = INT32_MIN;
    EXPECT_EQ(paste(s), size);
    s.width = INT32_MIN;
    s.height = 1;
    EXPECT_EQ(paste(s), size);
    s.width = 10001; // just above the limit of 100 000 000 pixels
    s.height = -10000;
    EXPECT_EQ(paste(s), size);
    s.width = 10000; // at the limit: refused for its missing data, before any allocation
    EXPECT_EQ(paste(s), data);
    s.headerSize = 12;
    s.width = 65535;
    s.height = 65535;
    EXPECT_EQ(paste(s), size);

    s = DibSpec{};
    s.width = 1;
    s.height = 1;
    s.bitCount = 8;
    s.bits = {0, 0, 0, 0};
    s.clrUsed = 0xFFFFFFFF;
    EXPECT_EQ(paste(s), data);
    s.clrUsed = 0x40000001; // four bytes each: wraps around in 32 bits
    EXPECT_EQ(paste(s), data);
    s.clrUsed = -1;
    s.compression = BiRle8;
    s.sizeImage = 0xFFFFFFFF;
    EXPECT_EQ(paste(s), data);
    s.compression = BiBitfields;
    s.sizeImage = -1;
    s.bits = {};
    EXPECT_EQ(paste(s), data); // the masks are missing
}

TEST(DibMalformed, RleRunningPastTheImageFailsAndKeepsTheImage) {
    DibSpec s;
    s.width = 2;
    s.height = 2;
    s.bitCount = 8;
    s.compression = BiRle8;
    s.colours = {Rgb(0, 0, 0)};
    s.bits = test::Bytes({3, 0});
    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, BuildDib(s));
    try {
        dib.SetPixelFormat(DibPixelFormat::Bits8);
        ADD_FAILURE() << "no error";
    } catch (const DibError& e) {
        EXPECT_STREQ(e.what(), "Convert8BitRLETo8BitRGB: Bad RLE Data 2");
    }
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits8Rle);

    s.bitCount = 4;
    s.compression = BiRle4;
    s.bits = test::Bytes({0, 0, 0, 0, 0, 0, 1, 0x11});
    EXPECT_EQ(Paste(BuildDib(s)), "Convert4BitRLETo4BitRGB: Bad RLE Data 5");
}

TEST(DibMalformed, RandomlyDamagedDibsAndFilesOnlyEverThrowDibError) {
    std::mt19937 random(4242);
    for (const auto& [name, layout] : Seeds()) {
        const std::vector<uint8_t> whole = BuildDib(layout);
        const std::vector<uint8_t> file = test::BuildBitmapFile(layout);
        for (int round = 0; round < 500; ++round) {
            std::vector<uint8_t> bytes = round % 2 ? file : whole;
            const int changes = 1 + random() % 4;
            for (int i = 0; i < changes; ++i) {
                // Mostly the header, where the sizes are.
                const size_t limit =
                    random() % 4 ? std::min<size_t>(bytes.size(), 70) : bytes.size();
                bytes[random() % limit] = static_cast<uint8_t>(random());
            }
            if (random() % 8 == 0) {
                bytes.resize(random() % bytes.size());
            }
            if (round % 2) {
                try {
                    TNkDIB dib;
                    dib.LoadFromStream(bytes);
                    if (int64_t{dib.Width()} * dib.Height() <= 1 << 20) {
                        Image8 image;
                        dib.AssignTo(image);
                    }
                } catch (const DibError&) {
                }
            } else {
                Paste(bytes);
            }
        }
    }
    SUCCEED() << "no crash and no other exception";
}

} // namespace
} // namespace tavrin
