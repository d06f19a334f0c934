#include "core/nav/ByteSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

BytePattern Hex(std::string_view text) {
    const PatternParse parsed = ParseHexPattern(text);
    EXPECT_EQ(parsed.error, PatternError::None) << text;
    return parsed.pattern;
}

TEST(BytePattern, ParsesHexadecimal) {
    struct Case {
        const char* text;
        std::vector<uint8_t> value;
        std::vector<uint8_t> mask;
    };
    const Case cases[] = {
        {"A9 00 8d", {0xA9, 0x00, 0x8D}, {0xFF, 0xFF, 0xFF}},
        {"a9??8D", {0xA9, 0x00, 0x8D}, {0xFF, 0x00, 0xFF}},
        {"0xA9,$1F  ff", {0xA9, 0x1F, 0xFF}, {0xFF, 0xFF, 0xFF}},
        {"A? ?3", {0xA0, 0x03}, {0xF0, 0x0F}},
        {"\t00\n", {0x00}, {0xFF}},
    };
    for (const Case& c : cases) {
        const PatternParse parsed = ParseHexPattern(c.text);
        EXPECT_EQ(parsed.error, PatternError::None) << c.text;
        EXPECT_EQ(parsed.pattern.value, c.value) << c.text;
        EXPECT_EQ(parsed.pattern.mask, c.mask) << c.text;
    }
}

TEST(BytePattern, RefusesBadHexadecimal) {
    struct Case {
        std::string text;
        PatternError error;
        size_t position;
    };
    const Case cases[] = {
        {"", PatternError::Empty, 0},
        {"  , ", PatternError::Empty, 0},
        {"A9 0", PatternError::OddDigits, 3},
        {"A9 G0", PatternError::BadCharacter, 3},
        {"?? ??", PatternError::OnlyWildcards, 0},
        {"0x", PatternError::OddDigits, 2},
        {std::string(514, 'a'), PatternError::TooLong, 0},
    };
    for (const Case& c : cases) {
        const PatternParse parsed = ParseHexPattern(c.text);
        EXPECT_EQ(parsed.error, c.error) << c.text;
        EXPECT_EQ(parsed.position, c.position) << c.text;
        EXPECT_STRNE(PatternErrorText(c.error), "");
    }
    EXPECT_EQ(ParseHexPattern(std::string(512, 'a')).error, PatternError::None);
}

TEST(BytePattern, TextInAsciiAndCp932) {
    struct Case {
        const char* text;
        TextEncoding encoding;
        PatternError error;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"HERO", TextEncoding::Ascii, PatternError::None, {'H', 'E', 'R', 'O'}},
        {"ア", TextEncoding::Ascii, PatternError::NotAscii, {}},
        {"ゆうしゃ",
         TextEncoding::Cp932,
         PatternError::None,
         {0x82, 0xE4, 0x82, 0xA4, 0x82, 0xB5, 0x82, 0xE1}},
        {"A表", TextEncoding::Cp932, PatternError::None, {'A', 0x95, 0x5C}},
        {"ｱ", TextEncoding::Cp932, PatternError::None, {0xB1}},
        {"😀", TextEncoding::Cp932, PatternError::NotCp932, {}},
        {"", TextEncoding::Cp932, PatternError::Empty, {}},
    };
    for (const Case& c : cases) {
        const PatternParse parsed = TextPattern(c.text, c.encoding);
        EXPECT_EQ(parsed.error, c.error) << c.text;
        EXPECT_EQ(parsed.pattern.value, c.bytes) << c.text;
        if (c.error == PatternError::None) {
            EXPECT_EQ(parsed.pattern.mask, std::vector<uint8_t>(c.bytes.size(), 0xFF));
        }
    }
}

// Every start tried in turn.
std::optional<int64_t> Naive(const std::vector<uint8_t>& data, const BytePattern& p, int64_t lo,
                             int64_t hi, bool forward) {
    hi = std::min<int64_t>(hi, static_cast<int64_t>(data.size()) - static_cast<int64_t>(p.Size()));
    lo = std::max<int64_t>(lo, 0);
    for (int64_t k = 0; k <= hi - lo; ++k) {
        const int64_t s = forward ? lo + k : hi - k;
        bool ok = true;
        for (size_t j = 0; j < p.Size() && ok; ++j)
            ok = (data[static_cast<size_t>(s) + j] & p.mask[j]) == p.value[j];
        if (ok)
            return s;
    }
    return std::nullopt;
}

std::optional<ByteMatch> Reference(const std::vector<uint8_t>& data, const BytePattern& p,
                                   int64_t from, SearchDirection direction, bool wrap) {
    const bool forward = direction == SearchDirection::Forward;
    const int64_t big = static_cast<int64_t>(data.size()) + 10;
    if (auto s = forward ? Naive(data, p, from, big, true) : Naive(data, p, -1, from, false))
        return ByteMatch{*s, false};
    if (!wrap)
        return std::nullopt;
    if (auto s = forward ? Naive(data, p, 0, from - 1, true) : Naive(data, p, from + 1, big, false))
        return ByteMatch{*s, true};
    return std::nullopt;
}

TEST(ByteSearch, AgreesWithEveryStartTriedInTurn) {
    const char* patterns[] = {"01 02", "01 ?? 02",       "?? 01 01 ??",         "0? 1?",
                              "03",    "00 00 00 00 01", "02 ?? ?? 02 ?? ?? 02"};
    for (uint32_t seed = 1; seed <= 150; ++seed) {
        std::mt19937 rng(seed);
        const size_t size = rng() % (seed % 30 == 0 ? 2500000 : 300);
        std::vector<uint8_t> data(size);
        const unsigned alphabet = 2 + rng() % 3;
        for (uint8_t& b : data)
            b = static_cast<uint8_t>(rng() % alphabet + (rng() % 9 == 0 ? 0x10 : 0));
        const BytePattern p = Hex(patterns[seed % std::size(patterns)]);
        for (int k = 0; k < 12; ++k) {
            const int64_t from = static_cast<int64_t>(rng() % (size + 6)) - 3;
            const auto dir = k % 2 ? SearchDirection::Backward : SearchDirection::Forward;
            const bool wrap = k % 4 >= 2;
            ASSERT_EQ(FindBytes(data, p, from, dir, wrap), Reference(data, p, from, dir, wrap))
                << "seed " << seed << " from " << from << " k " << k;
        }
    }
}

TEST(ByteSearch, AtBothEndsAndWrapping) {
    std::vector<uint8_t> data(5000, 0x11);
    data[0] = 0xAA;
    data[1] = 0xBB;
    data[4998] = 0xAA;
    data[4999] = 0xCC;
    const BytePattern ab = Hex("AA BB");
    const BytePattern ac = Hex("AA CC");
    const BytePattern aAny = Hex("AA ??");
    using D = SearchDirection;
    struct Case {
        const BytePattern* pattern;
        int64_t from;
        D direction;
        bool wrap;
        std::optional<ByteMatch> expected;
    };
    const Case cases[] = {
        {&ab, 0, D::Forward, false, ByteMatch{0, false}},        // at the very start
        {&ab, 1, D::Forward, false, std::nullopt},               //
        {&ab, 1, D::Forward, true, ByteMatch{0, true}},          // found again after wrapping
        {&ac, 0, D::Forward, false, ByteMatch{4998, false}},     // ending at the last byte
        {&ac, 4999, D::Backward, false, ByteMatch{4998, false}}, //
        {&ac, 4997, D::Backward, false, std::nullopt},           //
        {&ac, 4997, D::Backward, true, ByteMatch{4998, true}},   //
        {&aAny, 4999, D::Backward, false, ByteMatch{4998, false}},
        {&aAny, 4997, D::Backward, false, ByteMatch{0, false}}, // across the middle
        {&aAny, 1, D::Forward, false, ByteMatch{4998, false}},
        {&aAny, 9999, D::Forward, true, ByteMatch{0, true}},   // from past the end
        {&aAny, -7, D::Backward, true, ByteMatch{4998, true}}, // from before the start
        {&aAny, -7, D::Backward, false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindBytes(data, *c.pattern, c.from, c.direction, c.wrap), c.expected)
            << c.from << (c.direction == D::Forward ? " forward" : " backward");
    }
    // A pattern longer than the data, and empty data.
    EXPECT_EQ(FindBytes(std::span<const uint8_t>(data.data(), 1), ab, 0, D::Forward, true),
              std::nullopt);
    EXPECT_EQ(FindBytes({}, ab, 0, D::Backward, true), std::nullopt);
}

TEST(ByteSearch, BackwardAcrossBlocks) {
    // Matches straddling the 1 MiB blocks the backward search reads.
    std::vector<uint8_t> data(3u << 20, 0);
    const BytePattern p = Hex("12 ?? 34 56");
    for (int64_t at : {int64_t{0}, int64_t{(1 << 20) - 2}, int64_t{(2 << 20) - 1},
                       static_cast<int64_t>(data.size()) - 4}) {
        std::vector<uint8_t> copy = data;
        copy[static_cast<size_t>(at)] = 0x12;
        copy[static_cast<size_t>(at) + 2] = 0x34;
        copy[static_cast<size_t>(at) + 3] = 0x56;
        EXPECT_EQ(
            FindBytes(copy, p, static_cast<int64_t>(copy.size()), SearchDirection::Backward, false),
            (ByteMatch{at, false}))
            << at;
        EXPECT_EQ(FindBytes(copy, p, 0, SearchDirection::Forward, false), (ByteMatch{at, false}));
    }
}

} // namespace
} // namespace tavrin
