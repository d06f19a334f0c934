#include "core/edit/ColourOptimizer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tavrin {
namespace {

constexpr Colour White = MakeColour(0xFF, 0xFF, 0xFF);
constexpr Colour Red = MakeColour(0xFF, 0, 0);
constexpr Colour Green = MakeColour(0, 0xFF, 0);
constexpr Colour Blue = MakeColour(0, 0, 0xFF);
constexpr Colour Grey = MakeColour(0x80, 0x80, 0x80);

// An image from rows of hexadecimal digits, one pixel value per digit.
Image8 FromRows(std::initializer_list<const char*> rows) {
    const std::vector<std::string> lines(rows.begin(), rows.end());
    Image8 image(static_cast<int>(lines.front().size()), static_cast<int>(lines.size()));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const char c = lines[static_cast<size_t>(y)][static_cast<size_t>(x)];
            image.SetPixel(x, y, static_cast<uint8_t>(std::stoi(std::string(1, c), nullptr, 16)));
        }
    return image;
}

// The pixel values of a rectangle as rows of hexadecimal digits (values above 15 as "*").
std::vector<std::string> Rows(const Image8& image, int x0, int y0, int w, int h) {
    std::vector<std::string> rows;
    for (int y = y0; y < y0 + h; ++y) {
        std::string row;
        for (int x = x0; x < x0 + w; ++x) {
            const int v = image.Pixel(x, y);
            row += v < 16 ? "0123456789ABCDEF"[v] : '*';
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<ColourEntry> Entries(const ColourList& list) {
    std::vector<ColourEntry> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.Entry(i));
    return entries;
}

// A 128 x 128 destination whose pixels and palette are recognisable.
Image8 Destination() {
    Image8 destination(128, 128);
    destination.Fill(0x77);
    for (int i = 0; i < 256; ++i)
        destination.Colours()[static_cast<size_t>(i)] = MakeColour(i, 255 - i, i / 2);
    return destination;
}

Image8 SmallSource() {
    Image8 source = FromRows({"0102", "2211"});
    source.Colours()[0] = Red;
    source.Colours()[1] = Green;
    source.Colours()[2] = Blue;
    return source;
}

TEST(ColourOptimizerBefore, SmallSourceIsExtendedWithWhite) {
    const ImageRgb before = MakeBeforeBmp(SmallSource(), 128, 128, {});
    ASSERT_EQ(before.Width(), 128);
    ASSERT_EQ(before.Height(), 128);
    EXPECT_EQ(before.Pixel(0, 0), Red);
    EXPECT_EQ(before.Pixel(1, 0), Green);
    EXPECT_EQ(before.Pixel(3, 0), Blue);
    EXPECT_EQ(before.Pixel(1, 1), Blue);
    EXPECT_EQ(before.Pixel(3, 1), Green);
    EXPECT_EQ(before.Pixel(4, 0), White);
    EXPECT_EQ(before.Pixel(0, 2), White);
    EXPECT_EQ(before.Pixel(127, 127), White);
}

TEST(ColourOptimizerBefore, LargeSourceIsCutAtRightAndBottom) {
    Image8 source(130, 140);
    source.Colours()[1] = Grey;
    source.Colours()[2] = Red;
    source.Fill(1);
    for (int y = 0; y < 140; ++y)
        for (int x = 128; x < 130; ++x)
            source.SetPixel(x, y, 2);
    for (int x = 0; x < 130; ++x)
        source.SetPixel(x, 128, 2);
    const ImageRgb before = MakeBeforeBmp(source, 128, 128, {});
    ASSERT_EQ(before.Width(), 128);
    ASSERT_EQ(before.Height(), 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(before.Pixel(x, y), Grey) << x << "," << y;
}

TEST(ColourOptimizerBefore, ReductionKeepsTheHighestBitsOfEachChannel) {
    Image8 source(1, 1);
    source.Colours()[0] = MakeColour(0xFF, 0x7F, 0xA5);
    ColourOptimizeOptions options;
    options.srcReduce = true;
    const struct {
        int bits;
        Colour expected;
        Colour white;
    } cases[] = {
        {1, MakeColour(0x80, 0x00, 0x80), MakeColour(0x80, 0x80, 0x80)},
        {3, MakeColour(0xE0, 0x60, 0xA0), MakeColour(0xE0, 0xE0, 0xE0)},
        {7, MakeColour(0xFE, 0x7E, 0xA4), MakeColour(0xFE, 0xFE, 0xFE)},
        {8, MakeColour(0xFF, 0x7F, 0xA5), White},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        options.srcBits = c.bits;
        const ImageRgb before = MakeBeforeBmp(source, 128, 128, options);
        EXPECT_EQ(before.Pixel(0, 0), c.expected);
        // The white extension is reduced as well.
        EXPECT_EQ(before.Pixel(1, 0), c.white);
    }
}

TEST(ColourOptimizerBefore, BitsAreIgnoredWhileReductionIsOff) {
    Image8 source(1, 1);
    source.Colours()[0] = MakeColour(0x13, 0x57, 0x9B);
    ColourOptimizeOptions options;
    options.srcBits = 1;
    EXPECT_EQ(MakeBeforeBmp(source, 128, 128, options).Pixel(0, 0), MakeColour(0x13, 0x57, 0x9B));
}

TEST(ColourOptimizerBefore, BitsOutsideTheRangeStayWithinTheByte) {
    Image8 source(1, 1);
    source.Colours()[0] = MakeColour(0xFF, 0xC3, 0x81);
    ColourOptimizeOptions options;
    options.srcReduce = true;
    options.srcBits = 0;
    EXPECT_EQ(MakeBeforeBmp(source, 128, 128, options).Pixel(0, 0), MakeColour(0x80, 0x80, 0x80));
    options.srcBits = 12;
    EXPECT_EQ(MakeBeforeBmp(source, 128, 128, options).Pixel(0, 0), MakeColour(0xFF, 0xC3, 0x81));
}

TEST(ColourOptimizerBefore, OneBitLeavesAtMostEightColours) {
    std::mt19937 random(1234);
    Image8 source(128, 100);
    for (auto& colour : source.Colours())
        colour = random() & 0xFFFFFF;
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            source.SetPixel(x, y, static_cast<uint8_t>(random()));
    ColourOptimizer optimizer;
    optimizer.Options().srcReduce = true;
    optimizer.Options().srcBits = 1;
    optimizer.Recompute(source, Destination());

    std::set<Colour> seen;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const Colour c = optimizer.Before().Pixel(x, y);
            for (int channel : {RedOf(c), GreenOf(c), BlueOf(c)})
                ASSERT_TRUE(channel == 0 || channel == 0x80) << std::hex << c;
            seen.insert(c);
            ASSERT_LT(optimizer.After().Pixel(x, y), 8);
        }
    EXPECT_LE(seen.size(), 8u);
    EXPECT_EQ(optimizer.List().Count(), static_cast<int>(seen.size()));
}

TEST(ColourOptimizerList, CountsColoursInOrderOfFirstAppearance) {
    const ImageRgb before = MakeBeforeBmp(SmallSource(), 128, 128, {});
    ColourList list;
    list.Build(before, 128, 128);
    // Row 0 meets red, green, blue, then the white extension; all white counts.
    const std::vector<ColourEntry> expected = {
        {2, Red}, {3, Green}, {3, Blue}, {128 * 128 - 8, White}};
    EXPECT_EQ(Entries(list), expected);
    EXPECT_EQ(list.Find(Blue), 2);
    EXPECT_EQ(list.Find(Grey), -1);
    EXPECT_EQ(list.Entry(4), ColourEntry{});
    EXPECT_EQ(list.Entry(-1), ColourEntry{});
    EXPECT_EQ(list.Entry(256), ColourEntry{});
}

TEST(ColourOptimizerList, BuildingAgainStartsFromEmpty) {
    ColourList list;
    list.Build(MakeBeforeBmp(SmallSource(), 128, 128, {}), 128, 128);
    ImageRgb grey(4, 4);
    grey.Fill(Grey);
    list.Build(grey, 128, 128);
    EXPECT_EQ(Entries(list), (std::vector<ColourEntry>{{16, Grey}}));
    EXPECT_EQ(list.Find(Red), -1);
}

TEST(ColourOptimizerList, ScanIsLimitedToTheGivenArea) {
    ColourList list;
    list.Build(MakeBeforeBmp(SmallSource(), 128, 128, {}), 2, 1);
    EXPECT_EQ(Entries(list), (std::vector<ColourEntry>{{1, Red}, {1, Green}}));
}

TEST(ColourOptimizerList, SortIsByCountWithEqualCountsInScanOrder) {
    Image8 source = FromRows({"0123", "3322", "1000"});
    source.Colours()[0] = Red;
    source.Colours()[1] = Green;
    source.Colours()[2] = Blue;
    source.Colours()[3] = Grey;
    ColourList list;
    list.Build(MakeBeforeBmp(source, 4, 4, {}), 4, 4);
    const std::vector<ColourEntry> scanned = {
        {4, Red}, {2, Green}, {3, Blue}, {3, Grey}, {4, White}};
    ASSERT_EQ(Entries(list), scanned);
    list.SortByUseCount();
    const std::vector<ColourEntry> sorted = {
        {4, Red}, {4, White}, {3, Blue}, {3, Grey}, {2, Green}};
    EXPECT_EQ(Entries(list), sorted);
    EXPECT_EQ(list.Find(White), 1);
    EXPECT_EQ(list.Find(Green), 4);
}

// 256 distinct source colours in a 16 x 16 block plus the white extension make 257.
Image8 AllColoursSource() {
    Image8 source(16, 16);
    for (int i = 0; i < 256; ++i) {
        source.Colours()[static_cast<size_t>(i)] = MakeColour(i, 0x40, 0x10);
        source.SetPixel(i % 16, i / 16, static_cast<uint8_t>(i));
    }
    return source;
}

TEST(ColourOptimizerList, ColoursBeyondTheLastValidEntryOverwriteIt) {
    ColourList list;
    list.Build(MakeBeforeBmp(AllColoursSource(), 128, 128, {}), 128, 128);
    EXPECT_EQ(list.Count(), 255);
    // Row 0: source colours 0-15, then white as entry 16; colour k >= 16 is entry k + 1.
    EXPECT_EQ(list.Entry(16), (ColourEntry{128 * 128 - 256, White}));
    EXPECT_EQ(list.Entry(254), (ColourEntry{1, MakeColour(253, 0x40, 0x10)}));
    // The last two colours each took slot 255 in turn; neither is matched.
    EXPECT_EQ(list.Entry(255), (ColourEntry{1, MakeColour(255, 0x40, 0x10)}));
    EXPECT_EQ(list.Find(MakeColour(254, 0x40, 0x10)), -1);
    EXPECT_EQ(list.Find(MakeColour(255, 0x40, 0x10)), -1);
}

// The list rule written out plainly: a linear search over the valid entries.
struct NaiveList {
    std::vector<ColourEntry> entries = std::vector<ColourEntry>(256);
    int count = 0;

    int Find(Colour c) const {
        for (int i = 0; i < count; ++i)
            if (entries[static_cast<size_t>(i)].colour == c)
                return i;
        return -1;
    }
    void Add(Colour c) {
        if (const int i = Find(c); i >= 0) {
            ++entries[static_cast<size_t>(i)].useCount;
            return;
        }
        entries[static_cast<size_t>(count)] = {1, c};
        if (count < 255)
            ++count;
    }
};

TEST(ColourOptimizerAfter, MatchesAPlainLinearSearchOnRandomPictures) {
    std::mt19937 random(99);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        // A pool of 300 colours overflows the list; a pool of 40 leaves gaps in the counts.
        const int pool = round % 2 ? 300 : 40;
        ImageRgb before(128, 128);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                before.SetPixel(x, y, MakeColour(static_cast<int>(random() % pool), 1, 2));
        NaiveList naive;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                naive.Add(before.Pixel(x, y));
        ColourList list;
        list.Build(before, 128, 128);
        if (round >= 2) {
            list.SortByUseCount();
            std::stable_sort(
                naive.entries.begin(), naive.entries.begin() + naive.count,
                [](const ColourEntry& a, const ColourEntry& b) { return a.useCount > b.useCount; });
        }
        ASSERT_EQ(list.Count(), naive.count);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(list.Entry(i), naive.entries[static_cast<size_t>(i)]) << i;
        const Image8 after = MakeAfterBmp(before, Destination(), list);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                const int expected = std::max(naive.Find(before.Pixel(x, y)), 0);
                ASSERT_EQ(after.Pixel(x, y), expected) << x << "," << y;
            }
    }
}

TEST(ColourOptimizerAfter, ColoursBeyondTheValidEntriesBecomeZero) {
    ColourOptimizer optimizer;
    const Image8 source = AllColoursSource();
    optimizer.Recompute(source, Destination());
    const Image8& after = optimizer.After();
    EXPECT_EQ(after.Pixel(15, 0), 15);
    EXPECT_EQ(after.Pixel(16, 0), 16); // white
    EXPECT_EQ(after.Pixel(0, 1), 17);
    EXPECT_EQ(after.Pixel(13, 15), 254);
    EXPECT_EQ(after.Pixel(14, 15), 0);
    EXPECT_EQ(after.Pixel(15, 15), 0);
    EXPECT_EQ(after.Pixel(127, 127), 16);
}

TEST(ColourOptimizerAfter, ValuesFollowFirstAppearance) {
    ColourOptimizer optimizer;
    optimizer.Recompute(SmallSource(), Destination());
    const Image8& after = optimizer.After();
    ASSERT_EQ(after.Width(), 128);
    ASSERT_EQ(after.Height(), 128);
    EXPECT_EQ(Rows(after, 0, 0, 6, 3), (std::vector<std::string>{"010233", "221133", "333333"}));
    EXPECT_EQ(after.Pixel(127, 127), 3);
    EXPECT_EQ(after.Colours(), Destination().Colours());
}

TEST(ColourOptimizerAfter, FrequencyOrderGivesTheMostUsedColourZero) {
    ColourOptimizer optimizer;
    optimizer.Options().byUsedNum = true;
    optimizer.Recompute(SmallSource(), Destination());
    // White from the extension is the most used; green and blue tie and keep their order.
    EXPECT_EQ(Rows(optimizer.After(), 0, 0, 6, 3),
              (std::vector<std::string>{"313200", "221100", "000000"}));
    const std::vector<ColourEntry> expected = {
        {128 * 128 - 8, White}, {3, Green}, {3, Blue}, {2, Red}};
    EXPECT_EQ(Entries(optimizer.List()), expected);
}

TEST(ColourOptimizerAfter, FullSizeSourceWithoutWhiteSortsItsOwnColours) {
    Image8 source(128, 128);
    source.Colours()[5] = Grey;
    source.Colours()[9] = Red;
    source.Fill(9);
    for (int x = 0; x < 100; ++x)
        source.SetPixel(x, 64, 5);
    ColourOptimizer optimizer;
    optimizer.Recompute(source, Destination());
    EXPECT_EQ(optimizer.After().Pixel(0, 64), 1);
    optimizer.Options().byUsedNum = true;
    optimizer.MakeAfterBmp(Destination());
    EXPECT_EQ(optimizer.After().Pixel(0, 64), 1);
    EXPECT_EQ(optimizer.After().Pixel(0, 0), 0);
    EXPECT_EQ(Entries(optimizer.List()),
              (std::vector<ColourEntry>{{128 * 128 - 100, Red}, {100, Grey}}));
}

TEST(ColourOptimizerAfter, PixelsOutsideTheBeforePictureKeepTheDestination) {
    ImageRgb before(2, 1);
    before.SetPixel(0, 0, Red);
    before.SetPixel(1, 0, Green);
    ColourList list;
    list.Build(before, 2, 1);
    Image8 destination = FromRows({"555", "555"});
    EXPECT_EQ(Rows(MakeAfterBmp(before, destination, list), 0, 0, 3, 2),
              (std::vector<std::string>{"015", "555"}));
}

TEST(ColourOptimizerAfter, UnimplementedOptionsChangeNothing) {
    ColourOptimizer plain;
    plain.Recompute(SmallSource(), Destination());
    ColourOptimizer other;
    other.Options().setPalNum = true;
    other.Options().destColorNum = 2;
    other.Options().lessPalUnit = true;
    other.Recompute(SmallSource(), Destination());
    EXPECT_EQ(other.After(), plain.After());
    EXPECT_EQ(other.Before(), plain.Before());
}

TEST(ColourOptimizerStrip, ShowsTheFirst32EntriesAsSquares) {
    ColourOptimizer optimizer;
    optimizer.Recompute(SmallSource(), Destination());
    const ImageRgb strip = optimizer.ColourStrip();
    ASSERT_EQ(strip.Width(), 128);
    ASSERT_EQ(strip.Height(), 16);
    const Colour expected[] = {Red, Green, Blue, White};
    for (int k = 0; k < 32; ++k) {
        const Colour colour = k < 4 ? expected[k] : 0;
        const int left = 8 * (k % 16);
        const int top = 8 * (k / 16);
        SCOPED_TRACE(k);
        EXPECT_EQ(strip.Pixel(left, top), colour);
        EXPECT_EQ(strip.Pixel(left + 7, top + 7), colour);
    }
}

TEST(ColourOptimizerStrip, SecondRowHoldsEntries16To31) {
    ColourOptimizer optimizer;
    optimizer.Recompute(AllColoursSource(), Destination());
    const ImageRgb strip = optimizer.ColourStrip();
    EXPECT_EQ(strip.Pixel(0, 8), White);                         // entry 16
    EXPECT_EQ(strip.Pixel(8, 8), MakeColour(16, 0x40, 0x10));    // entry 17
    EXPECT_EQ(strip.Pixel(127, 15), MakeColour(30, 0x40, 0x10)); // entry 31
}

TEST(ColourOptimizerApply, SourceTakesTheAfterValuesOverTheSharedArea) {
    Image8 source = SmallSource();
    const Image8::Palette palette = source.Colours();
    ColourOptimizer optimizer;
    optimizer.Options().byUsedNum = true;
    optimizer.Recompute(source, Destination());
    optimizer.Apply(source);
    EXPECT_EQ(Rows(source, 0, 0, 4, 2), (std::vector<std::string>{"3132", "2211"}));
    EXPECT_EQ(source.Width(), 4);
    EXPECT_EQ(source.Height(), 2);
    EXPECT_EQ(source.Colours(), palette);
}

TEST(ColourOptimizerApply, LargerSourceKeepsItsOutsidePixels) {
    Image8 source(130, 129);
    source.Colours()[7] = Grey;
    source.Colours()[8] = Blue;
    source.Fill(7);
    for (int y = 0; y < 129; ++y)
        source.SetPixel(1, y, 8);
    ColourOptimizer optimizer;
    optimizer.Recompute(source, Destination());
    optimizer.Apply(source);
    EXPECT_EQ(Rows(source, 0, 126, 4, 3), (std::vector<std::string>{"0100", "0100", "7877"}));
    EXPECT_EQ(Rows(source, 126, 0, 4, 1), (std::vector<std::string>{"0077"}));
    EXPECT_EQ(source.Pixel(129, 128), 7);
}

} // namespace
} // namespace tavrin
