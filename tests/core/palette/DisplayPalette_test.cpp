#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/palette/DisplayPalette.h"

#include <gtest/gtest.h>

#include <random>

using namespace tavrin;

namespace {

std::array<Colour, 256> DistinctColours() {
    std::array<Colour, 256> c{};
    for (int i = 0; i < 256; ++i)
        c[i] = MakeColour(i, 255 - i, 100);
    return c;
}

// The nudge rule written out the slow way, as a second opinion for random input.
Image8::Palette SlowNudge(const std::array<Colour, 256>& in) {
    Image8::Palette out{};
    for (int i = 0; i < 256; ++i) {
        int rgb[3] = {RedOf(in[i]), GreenOf(in[i]), BlueOf(in[i])};
        int n = 0;
        for (int j = 0; j < i; ++j) {
            if (MakeColour(rgb[0], rgb[1], rgb[2]) == out[j]) {
                const int channel = n % 3 == 0 ? 2 : (n % 3 == 1 ? 0 : 1);
                rgb[channel] += rgb[channel] < 62 ? 1 : -1;
                ++n;
            }
        }
        out[i] = MakeColour(rgb[0], rgb[1], rgb[2]);
    }
    return out;
}

} // namespace

TEST(DisplayPalette, DistinctColoursPassUnchanged) {
    const std::array<Colour, 256> c = DistinctColours();
    const Image8::Palette out = BuildDisplayPalette(c, false);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(out[i], c[i]);
}

TEST(DisplayPalette, EqualColoursAreNudgedBlueThenRedThenGreen) {
    std::array<Colour, 256> c = DistinctColours();
    c[10] = c[11] = c[12] = c[13] = MakeColour(0x40, 0x50, 0x60);
    const Image8::Palette out = BuildDisplayPalette(c, false);
    EXPECT_EQ(out[10], MakeColour(0x40, 0x50, 0x60));
    EXPECT_EQ(out[11], MakeColour(0x40, 0x50, 0x5F)); // blue, 96 >= 62: down
    EXPECT_EQ(out[12], MakeColour(0x3F, 0x50, 0x5F)); // blue, then red
    EXPECT_EQ(out[13], MakeColour(0x3F, 0x4F, 0x5F)); // blue, red, green
}

TEST(DisplayPalette, ChannelsBelow62GoUpAndFrom62GoDown) {
    std::array<Colour, 256> c = DistinctColours();
    c[0] = c[1] = MakeColour(0, 1, 61);
    c[2] = c[3] = MakeColour(0, 2, 62);
    c[4] = c[5] = MakeColour(255, 255, 255);
    c[6] = c[7] = MakeColour(0, 0, 0);
    const Image8::Palette out = BuildDisplayPalette(c, false);
    EXPECT_EQ(out[1], MakeColour(0, 1, 62));
    EXPECT_EQ(out[3], MakeColour(0, 2, 61));
    EXPECT_EQ(out[5], MakeColour(255, 255, 254));
    EXPECT_EQ(out[7], MakeColour(0, 0, 1));
}

TEST(DisplayPalette, ANudgeOntoAnEarlierEntryIsNotLookedAtAgain) {
    // Entry 1 nudged from (0,0,61) lands on entry 0's (0,0,62); the scan has passed it.
    std::array<Colour, 256> c = DistinctColours();
    c[0] = MakeColour(0, 0, 62);
    c[1] = MakeColour(0, 0, 61);
    c[2] = MakeColour(0, 0, 61);
    const Image8::Palette out = BuildDisplayPalette(c, false);
    EXPECT_EQ(out[1], MakeColour(0, 0, 61));
    EXPECT_EQ(out[2], MakeColour(0, 0, 62)); // equals entry 0, stays so
    EXPECT_EQ(out[2], out[0]);
}

TEST(DisplayPalette, ANudgeOntoALaterEntryIsNudgedAgain) {
    // Entry 2 equals 0, is nudged to equal 1, and is then nudged a second time (red).
    std::array<Colour, 256> c = DistinctColours();
    c[0] = MakeColour(100, 100, 100);
    c[1] = MakeColour(100, 100, 99);
    c[2] = MakeColour(100, 100, 100);
    const Image8::Palette out = BuildDisplayPalette(c, false);
    EXPECT_EQ(out[2], MakeColour(99, 100, 99));
}

TEST(DisplayPalette, AllBlackPaletteMatchesTheRule) {
    const std::array<Colour, 256> black{};
    const Image8::Palette out = BuildDisplayPalette(black, false);
    EXPECT_EQ(out, SlowNudge(black));
    EXPECT_EQ(out[0], 0u);
    EXPECT_EQ(out[1], MakeColour(0, 0, 1));
    EXPECT_EQ(out[2], MakeColour(1, 0, 1));
}

TEST(DisplayPalette, SeededRandomFewColoursMatchTheSlowRule) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 50; ++round) {
        std::array<Colour, 256> c{};
        const int distinct = 1 + static_cast<int>(rng() % 6);
        std::vector<Colour> pool;
        for (int k = 0; k < distinct; ++k)
            pool.push_back(rng() & 0xFFFFFF);
        for (Colour& x : c)
            x = pool[rng() % pool.size()];
        ASSERT_EQ(BuildDisplayPalette(c, false), SlowNudge(c)) << round;
    }
}

TEST(DisplayPalette, HalftoneHalvesEveryChannelAfterNudging) {
    std::array<Colour, 256> c = DistinctColours();
    c[0] = c[1] = MakeColour(0xFF, 0x81, 0x41);
    const Image8::Palette out = BuildDisplayPalette(c, true);
    EXPECT_EQ(out[0], MakeColour(0x7F, 0x40, 0x20));
    EXPECT_EQ(out[1], MakeColour(0x7F, 0x40, 0x20)); // 0x40 >> 1 as well
    EXPECT_EQ(out[200], MakeColour(100, 27, 50));
}

TEST(DisplayPalette, RebuildReadsThePaletteSetInItsCurrentMode) {
    CPalette pal;
    for (int i = 0; i < 256; ++i)
        pal.SetColor(i, MakeColour(i, i, 255 - i));
    CDatPalette dat(&pal);
    for (int i = 0; i < 256; ++i)
        dat.SetEntry(i, 255 - i);
    Image8::Palette out = RebuildDisplayPalette(dat, false);
    EXPECT_EQ(out[0], MakeColour(255, 255, 0));
    EXPECT_EQ(out[255], MakeColour(0, 0, 255));
    dat.SetIdentityMode(true);
    out = RebuildDisplayPalette(dat, false);
    EXPECT_EQ(out[0], MakeColour(0, 0, 255));
    EXPECT_EQ(out[10], MakeColour(10, 10, 245));
}

TEST(DisplayPalette, TwoEntriesOfOneMasterColourShowApart) {
    CPalette pal;
    pal.SetColor(0x30, 0xFFFFFF);
    CDatPalette dat(&pal);
    dat.SetEntry(3, 0x30);
    dat.SetEntry(7, 0x30);
    const Image8::Palette out = RebuildDisplayPalette(dat, false);
    EXPECT_EQ(out[3], 0xFFFFFFu);
    EXPECT_EQ(out[7], 0xFEFFFFu);
    EXPECT_EQ(out[0], 0u); // entry 0 is black
}
