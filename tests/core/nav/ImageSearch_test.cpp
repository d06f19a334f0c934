#include "core/nav/ImageSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace tavrin {
namespace {

// The search as first stated: every position after the address is tried in turn.
std::optional<int32_t> ReferenceSearch(const std::vector<uint8_t>& data, int32_t address,
                                       int32_t tileBytes) {
    const auto n = static_cast<int64_t>(data.size());
    const int64_t limit = 256 * int64_t{tileBytes};
    for (int64_t i = std::max<int64_t>(int64_t{address} + 1, 0); i < n; ++i) {
        int64_t run = 0;
        while (run < limit && i + run < n &&
               data[static_cast<size_t>(i + run)] == data[static_cast<size_t>(i)])
            ++run;
        if (run >= tileBytes) {
            const int64_t end = i + run;
            const int64_t aligned = end - end % 16;
            return static_cast<int32_t>(i < aligned ? aligned : i);
        }
    }
    return std::nullopt;
}

// Runs of random lengths up to maxRun over a small alphabet, so that runs near a tile's
// length are common.
std::vector<uint8_t> RunData(std::mt19937& rng, size_t size, int maxRun, int alphabet) {
    std::vector<uint8_t> data;
    data.reserve(size);
    while (data.size() < size) {
        const auto value = static_cast<uint8_t>(rng() % static_cast<unsigned>(alphabet));
        const size_t run = 1 + rng() % static_cast<unsigned>(maxRun);
        for (size_t k = 0; k < run && data.size() < size; ++k)
            data.push_back(value);
    }
    data.shrink_to_fit(); // exact size: a read past the end is caught by the sanitizer
    return data;
}

std::optional<int32_t> Search(const std::vector<uint8_t>& data, int32_t address, int32_t tile) {
    return FindNextImage(std::span<const uint8_t>(data.data(), data.size()), address, tile);
}

TEST(ImageSearch, MatchesTheReferenceOnRandomData) {
    const int32_t tiles[] = {8, 16, 24, 32, 64, 65, 128, 2, 1, 0, -3, 200};
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        std::mt19937 rng(seed);
        const int32_t tile = tiles[seed % std::size(tiles)];
        const size_t size = rng() % 3000;
        const int maxRun =
            1 + static_cast<int>(rng() % (2 * static_cast<unsigned>(std::max(tile, 4)) + 4));
        const int alphabet = (seed % 5 == 0) ? 256 : 1 + static_cast<int>(rng() % 3);
        const std::vector<uint8_t> data = RunData(rng, size, maxRun, alphabet);
        for (int k = 0; k < 6; ++k) {
            int32_t address = 0;
            switch (k) {
            case 0:
                address = 0;
                break;
            case 1:
                address = -1 - static_cast<int32_t>(rng() % 5);
                break;
            case 2: // near the end
                address = static_cast<int32_t>(size) - 1 - static_cast<int32_t>(rng() % 80);
                break;
            case 3:
                address = static_cast<int32_t>(size) + static_cast<int32_t>(rng() % 3);
                break;
            default:
                address = size == 0 ? 0 : static_cast<int32_t>(rng() % size);
                break;
            }
            ASSERT_EQ(Search(data, address, tile), ReferenceSearch(data, address, tile))
                << "seed " << seed << " size " << size << " tile " << tile << " address "
                << address;
        }
    }
}

TEST(ImageSearch, MatchesTheReferenceOnRunsJustShortOfATile) {
    // Runs of tile - 1 equal bytes, each value different from its neighbours, with one whole
    // tile run placed at varied offsets (across 64-byte blocks and up to the very end).
    for (int32_t tile : {8, 16, 32, 64, 65, 128}) {
        for (uint32_t seed = 0; seed < 40; ++seed) {
            std::mt19937 rng(seed * 131 + static_cast<uint32_t>(tile));
            const size_t size = 200 + rng() % 4000;
            std::vector<uint8_t> data(size);
            for (size_t i = 0; i < size; ++i)
                data[i] = static_cast<uint8_t>((i / static_cast<size_t>(tile - 1)) % 2);
            if (seed % 4 != 0) {
                const size_t at = size - static_cast<size_t>(tile) - rng() % (size / 2);
                std::fill_n(data.begin() + static_cast<ptrdiff_t>(at), tile, uint8_t{7});
            }
            const auto address = static_cast<int32_t>(rng() % 100) - 1;
            ASSERT_EQ(Search(data, address, tile), ReferenceSearch(data, address, tile))
                << "tile " << tile << " seed " << seed;
        }
    }
}

TEST(ImageSearch, LongBlankAreaMovesToItsEndAtMost256TilesOn) {
    std::vector<uint8_t> data(20000, 0);
    for (size_t i = 5000; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7 + 1);
    // Tiles of 16 bytes: the run from 1 is counted up to 4096 bytes.
    EXPECT_EQ(Search(data, 0, 16), 4096);
    // From inside the blank area, close to its end: it ends at 5000, rounded to 4992.
    EXPECT_EQ(Search(data, 3000, 16), 4992);
    EXPECT_EQ(Search(data, 4983, 16), 4992);         // 4984..4999 is just one tile
    EXPECT_EQ(Search(data, 4984, 16), std::nullopt); // 4985..4999 is too short
}

TEST(ImageSearch, StopsAfterABlankTileInsideGraphics) {
    std::vector<uint8_t> data(4096);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i % 251 + 1);
    std::fill_n(data.begin() + 1000, 16, uint8_t{0}); // one blank 2-bit tile at 1000..1015
    EXPECT_EQ(Search(data, 10, 16), 1008);            // end 1016 rounded down
    std::fill_n(data.begin() + 1000, 32, uint8_t{0});
    EXPECT_EQ(Search(data, 10, 16), 1024);
}

TEST(ImageSearch, NothingFound) {
    std::vector<uint8_t> data(5000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i % 2);
    EXPECT_EQ(Search(data, 0, 16), std::nullopt);
    const std::vector<uint8_t> empty;
    EXPECT_EQ(Search(empty, 0, 16), std::nullopt);
    EXPECT_EQ(Search(empty, -1, 1), std::nullopt);
    std::vector<uint8_t> blank(100, 0);
    EXPECT_EQ(Search(blank, 99, 16), std::nullopt); // nothing after the last byte
    EXPECT_EQ(Search(blank, 84, 16), std::nullopt); // 85..99 is 15 bytes: too short
    EXPECT_EQ(Search(blank, 83, 16), 96);           // 84..99 ends at 100, rounded to 96
}

TEST(ImageSearch, RunEndingAtTheLastByte) {
    std::vector<uint8_t> data(1000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i % 3);
    std::fill(data.end() - 16, data.end(), uint8_t{9});
    EXPECT_EQ(Search(data, 0, 16), 992); // run 984..999, end 1000 rounded to 992
    EXPECT_EQ(Search(data, 0, 17), std::nullopt);
}

TEST(ImageSearch, LargeBufferAgreesWithTheReference) {
    std::mt19937 rng(99);
    const std::vector<uint8_t> data = RunData(rng, 1 << 20, 15, 2);
    for (int32_t tile : {16, 32, 64}) {
        int32_t address = 0;
        for (int hops = 0; hops < 20; ++hops) {
            const auto found = Search(data, address, tile);
            ASSERT_EQ(found, ReferenceSearch(data, address, tile)) << tile << " " << address;
            if (!found)
                break;
            address = *found;
        }
    }
}

std::optional<int32_t> SearchBack(const std::vector<uint8_t>& data, int32_t address, int32_t tile) {
    return FindPreviousImage(std::span<const uint8_t>(data.data(), data.size()), address, tile);
}

// Every place the forward search can answer, from every address, in order.
std::vector<int32_t> ForwardAnswers(const std::vector<uint8_t>& data, int32_t tile) {
    std::vector<int32_t> answers;
    for (int32_t a = -1; a < static_cast<int32_t>(data.size()); ++a) {
        if (const auto found = ReferenceSearch(data, a, tile))
            answers.push_back(*found);
    }
    std::sort(answers.begin(), answers.end());
    answers.erase(std::unique(answers.begin(), answers.end()), answers.end());
    return answers;
}

TEST(ImageSearchBack, FindsTheLastForwardAnswerBeforeTheAddress) {
    const int32_t tiles[] = {8, 16, 32, 2, 1, 0, 65, 24};
    for (uint32_t seed = 1; seed <= 120; ++seed) {
        std::mt19937 rng(seed);
        const int32_t tile = tiles[seed % std::size(tiles)];
        const size_t size = rng() % 1500;
        const int maxRun =
            1 + static_cast<int>(rng() % (2 * static_cast<unsigned>(std::max(tile, 4)) + 4));
        const int alphabet = (seed % 5 == 0) ? 256 : 1 + static_cast<int>(rng() % 3);
        const std::vector<uint8_t> data = RunData(rng, size, maxRun, alphabet);
        const std::vector<int32_t> answers = ForwardAnswers(data, tile);
        for (int32_t x = -2; x <= static_cast<int32_t>(size) + 2; ++x) {
            const auto below = std::lower_bound(answers.begin(), answers.end(), x);
            const std::optional<int32_t> expected =
                below == answers.begin() ? std::nullopt : std::optional<int32_t>(*(below - 1));
            ASSERT_EQ(SearchBack(data, x, tile), expected)
                << "seed " << seed << " size " << size << " tile " << tile << " address " << x;
        }
    }
}

TEST(ImageSearchBack, UndoesTheForwardSearchOnLargeData) {
    // What the forward search finds from A, the backward one finds from just past it, also
    // across 64-byte blocks and long blank areas.
    std::mt19937 rng(7);
    std::vector<uint8_t> data = RunData(rng, 1 << 20, 40, 3);
    std::fill_n(data.begin() + 300000, 70000, uint8_t{0}); // longer than 256 tiles of 16
    for (int32_t tile : {16, 32, 64, 128}) {
        for (int k = 0; k < 200; ++k) {
            const auto a = static_cast<int32_t>(rng() % data.size());
            const auto found = Search(data, a, tile);
            if (!found)
                continue;
            ASSERT_EQ(SearchBack(data, *found + 1, tile), found) << tile << " from " << a;
        }
    }
}

TEST(ImageSearchBack, Cases) {
    std::vector<uint8_t> data(20000, 0);
    for (size_t i = 5000; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7 + 1);
    std::fill_n(data.begin() + 10000, 64, uint8_t{0});
    struct Case {
        int32_t address;
        std::optional<int32_t> expected;
    };
    const Case cases[] = {
        {0, std::nullopt},    // nothing before the first byte
        {-5, std::nullopt},   //
        {4096, std::nullopt}, // from 0 the blank area counts 4096 bytes: the first answer
        {4097, 4096},         //
        {4992, 4976},         // from 895 the counted run ends at 4991
        {4993, 4992},         // the end of the blank area, rounded down
        {10064, 4992},        // the blank tile at 10000..10063 ends at 10064
        {10065, 10064},       //
        {50000, 10064},       // past the end of the data
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SearchBack(data, c.address, 16), c.expected) << c.address;
    }
    EXPECT_EQ(SearchBack({}, 10, 16), std::nullopt);
}

} // namespace
} // namespace tavrin
