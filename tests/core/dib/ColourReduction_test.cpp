#include "core/dib/ColourReduction.h"

#include "core/dib/DibBuilder.h"
#include "core/platform/Colour.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace tavrin {
namespace {

using test::Rgb;

struct Reduced {
    std::vector<RgbQuad> table;
    std::string indices; // one digit per pixel
    std::vector<uint8_t> raw;
};

// Reduces one row of pixels.
Reduced Reduce(const std::vector<Colour>& pixels) {
    std::vector<uint8_t> bgr;
    for (Colour c : pixels) {
        bgr.push_back(static_cast<uint8_t>(BlueOf(c)));
        bgr.push_back(static_cast<uint8_t>(GreenOf(c)));
        bgr.push_back(static_cast<uint8_t>(RedOf(c)));
    }
    Reduced r;
    r.raw.resize(pixels.size());
    const int width = static_cast<int>(pixels.size());
    r.table = ReduceColours24(bgr.data(), 0, width, 1, r.raw.data(), 0);
    r.indices = test::Digits(r.raw.data(), width);
    return r;
}

std::vector<Colour> Repeat(std::vector<std::pair<Colour, int>> runs) {
    std::vector<Colour> out;
    for (auto [c, n] : runs) {
        out.insert(out.end(), static_cast<size_t>(n), c);
    }
    return out;
}

TEST(ColourReduction, AFewColoursInSeparateCellsKeepTheirExactValues) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 50; ++round) {
        std::vector<Colour> colours;
        std::set<int> cells;
        while (colours.size() < 9) {
            const int r = random() % 256, g = random() % 256, b = random() % 256;
            if (cells.insert((r >> 3) * 2048 + (g >> 2) * 32 + (b >> 3)).second) {
                colours.push_back(MakeColour(r, g, b));
            }
        }
        std::vector<Colour> pixels;
        for (int i = 0; i < 40; ++i) {
            pixels.push_back(colours[random() % colours.size()]);
        }
        const Reduced out = Reduce(pixels);
        ASSERT_LE(out.table.size(), 9u);
        for (size_t i = 0; i < pixels.size(); ++i) {
            const RgbQuad& q = out.table.at(out.raw[i]);
            EXPECT_EQ(MakeColour(q.rgbRed, q.rgbGreen, q.rgbBlue), pixels[i]);
        }
    }
}

TEST(ColourReduction, PixelsOfOneCellShareTheAverageOfTheirDroppedBits) {
    // Blue 7, 7, 7 and 0 drop 21 in four pixels: 21 / 4 = 5.
    Reduced out = Reduce(
        {MakeColour(0, 0, 7), MakeColour(0, 0, 7), MakeColour(0, 0, 0), MakeColour(0, 0, 7)});
    EXPECT_EQ(out.table, std::vector<RgbQuad>{Rgb(0, 0, 5)});
    EXPECT_EQ(out.indices, "0000");
    // Green keeps its top six bits: 3 and 1 average to 2; red 7 and 6 to 6.
    out = Reduce({MakeColour(7, 3, 0), MakeColour(6, 1, 0)});
    EXPECT_EQ(out.table, std::vector<RgbQuad>{Rgb(6, 2, 0)});
    out = Reduce({MakeColour(7, 3, 0), MakeColour(8, 4, 0)});
    EXPECT_EQ(out.table.size(), 2u);
}

// Four colours at the corners of a rectangle, one pixel each, listed A, B, C, D; the digits
// say which entry each got. The part above the mean is numbered first.
TEST(ColourReduction, RedSplitsFirstUnlessGreenOrBlueVariesEnough) {
    // VR = 10000, VB = 400: red, then blue.
    Reduced out = Reduce(
        {MakeColour(0, 0, 0), MakeColour(200, 0, 0), MakeColour(0, 0, 40), MakeColour(200, 0, 40)});
    EXPECT_EQ(out.indices, "3120");
    EXPECT_EQ(out.table[0], Rgb(200, 0, 40));
    // VR = 400, VB = 10000: 3 VR < 2 VB, so blue first.
    out = Reduce(
        {MakeColour(0, 0, 0), MakeColour(40, 0, 0), MakeColour(0, 0, 200), MakeColour(40, 0, 200)});
    EXPECT_EQ(out.indices, "3210");
}

TEST(ColourReduction, GreenSplitsWhenFourVGExceedsThreeVR) {
    // VR = 100, VG = 64: 4 VG = 256 is not above 3 VR = 300, so red.
    Reduced out = Reduce(
        {MakeColour(0, 0, 0), MakeColour(20, 0, 0), MakeColour(0, 16, 0), MakeColour(20, 16, 0)});
    EXPECT_EQ(out.indices, "3120");
    // VR = 100, VG = 100: 400 > 300, so green.
    out = Reduce(
        {MakeColour(0, 0, 0), MakeColour(20, 0, 0), MakeColour(0, 20, 0), MakeColour(20, 20, 0)});
    EXPECT_EQ(out.indices, "3210");
}

TEST(ColourReduction, BlueSplitsWhenTwoVBExceedsThreeVG) {
    // VG = 100, VB = 144: 2 VB = 288 is not above 3 VG = 300, so green.
    Reduced out = Reduce(
        {MakeColour(0, 0, 0), MakeColour(0, 20, 0), MakeColour(0, 0, 24), MakeColour(0, 20, 24)});
    EXPECT_EQ(out.indices, "3120");
    // VG = 100, VB = 169: 338 > 300, so blue.
    out = Reduce(
        {MakeColour(0, 0, 0), MakeColour(0, 20, 0), MakeColour(0, 0, 26), MakeColour(0, 20, 26)});
    EXPECT_EQ(out.indices, "3210");
}

TEST(ColourReduction, EightLevelsDeepALeafTakesTheRoundedMeanOfItsCells) {
    // Each level splits off the heaviest, highest red; the last two cells (red 0 once and
    // red 11 twice) reach depth 8 together: (0 + 22) / 3 = 7.33 gives 7.
    const Reduced out = Reduce(Repeat({{MakeColour(0, 0, 0), 1},
                                       {MakeColour(11, 0, 0), 2},
                                       {MakeColour(40, 0, 0), 1},
                                       {MakeColour(64, 0, 0), 5},
                                       {MakeColour(88, 0, 0), 9},
                                       {MakeColour(112, 0, 0), 18},
                                       {MakeColour(136, 0, 0), 36},
                                       {MakeColour(160, 0, 0), 72},
                                       {MakeColour(184, 0, 0), 144},
                                       {MakeColour(208, 0, 0), 288}}));
    ASSERT_EQ(out.table.size(), 9u);
    EXPECT_EQ(out.table[0], Rgb(208, 0, 0));
    EXPECT_EQ(out.table[7], Rgb(40, 0, 0));
    EXPECT_EQ(out.table[8], Rgb(7, 0, 0));
    EXPECT_EQ(out.raw[0], 8);
    EXPECT_EQ(out.raw[1], 8);
    EXPECT_EQ(out.raw[3], 7);
    EXPECT_EQ(out.raw.back(), 0);
}

TEST(ColourReduction, ManyColoursGiveAtMost256EntriesEachInsideItsPixelsRange) {
    std::mt19937 random(77);
    for (int round = 0; round < 5; ++round) {
        std::vector<Colour> pixels(4096);
        for (Colour& c : pixels) {
            c = MakeColour(random() % 256, random() % 256, random() % (64 << round % 3));
        }
        const Reduced out = Reduce(pixels);
        ASSERT_LE(out.table.size(), 256u);
        ASSERT_GE(out.table.size(), 200u);
        std::vector<int> lo(out.table.size() * 3, 255), hi(out.table.size() * 3, 0);
        for (size_t i = 0; i < pixels.size(); ++i) {
            const size_t e = out.raw[i];
            ASSERT_LT(e, out.table.size());
            const int v[3] = {RedOf(pixels[i]), GreenOf(pixels[i]), BlueOf(pixels[i])};
            for (int c = 0; c < 3; ++c) {
                lo[e * 3 + c] = std::min(lo[e * 3 + c], v[c]);
                hi[e * 3 + c] = std::max(hi[e * 3 + c], v[c]);
            }
        }
        for (size_t e = 0; e < out.table.size(); ++e) {
            const int v[3] = {out.table[e].rgbRed, out.table[e].rgbGreen, out.table[e].rgbBlue};
            for (int c = 0; c < 3; ++c) {
                EXPECT_LE(lo[e * 3 + c], v[c]) << "entry " << e; // also: every entry is used
                EXPECT_GE(hi[e * 3 + c], v[c]) << "entry " << e;
            }
        }
        EXPECT_EQ(Reduce(pixels).raw, out.raw);
    }
}

} // namespace
} // namespace tavrin
