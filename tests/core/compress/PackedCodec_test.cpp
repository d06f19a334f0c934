#include "core/compress/PackedCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes RandomBytes(std::mt19937& rng, size_t size, unsigned alphabet = 256) {
    Bytes data(size);
    for (auto& b : data)
        b = static_cast<uint8_t>(rng() % alphabet);
    return data;
}

// 4bpp-like tiles: rows drawn from a few patterns, many tiles repeated or blank.
Bytes TileLike(std::mt19937& rng, size_t size) {
    Bytes data;
    const Bytes rows[] = {Bytes(4, 0x00),
                          {0x11, 0x11, 0x11, 0x11},
                          {0x12, 0x34, 0x43, 0x21},
                          {0x00, 0xF0, 0x0F, 0x00},
                          {0x55, 0x66, 0x55, 0x66}};
    while (data.size() < size) {
        const auto& row = rows[rng() % std::size(rows)];
        const size_t times = 1 + rng() % 8;
        for (size_t t = 0; t < times; ++t)
            data.insert(data.end(), row.begin(), row.end());
        if (rng() % 7 == 0 && data.size() > 64) {
            const size_t from = rng() % (data.size() - 32);
            data.insert(data.end(), data.begin() + static_cast<std::ptrdiff_t>(from),
                        data.begin() + static_cast<std::ptrdiff_t>(from + 32));
        }
    }
    data.resize(size);
    return data;
}

std::string Name(PackedCodec codec) {
    return std::string(CodecName(codec));
}

void ExpectRoundTrip(PackedCodec codec, const Bytes& data, const std::string& what) {
    const auto packed = Pack(codec, data);
    ASSERT_TRUE(packed) << Name(codec) << " " << what;
    // Trailing bytes after the block must not be taken for part of it.
    Bytes padded = *packed;
    padded.insert(padded.end(), {0x00, 0xFF, 0x10});
    const Unpacked back = Unpack(codec, padded);
    ASSERT_TRUE(back) << Name(codec) << " " << what << ": " << DescribeUnpackError(back.error);
    EXPECT_EQ(back.bytes, data) << Name(codec) << " " << what;
    EXPECT_EQ(back.packedSize, packed->size()) << Name(codec) << " " << what;
    const auto size = Measure(codec, padded);
    ASSERT_TRUE(size);
    EXPECT_EQ(*size, (BlockSize{packed->size(), data.size()})) << Name(codec) << " " << what;
}

TEST(PackedCodec, RoundTripsRandomAndTileLikeDataOfManySizes) {
    const size_t sizes[] = {0,  1,   2,   3,   4,    17,   18,   19,   31,   32,
                            33, 130, 131, 255, 1024, 1025, 4096, 4097, 8192, 20000};
    for (const PackedCodec codec : AllPackedCodecs) {
        std::mt19937 rng(static_cast<unsigned>(codec) + 7);
        for (const size_t size : sizes) {
            ExpectRoundTrip(codec, RandomBytes(rng, size), "random " + std::to_string(size));
            ExpectRoundTrip(codec, RandomBytes(rng, size, 3), "3 values " + std::to_string(size));
            ExpectRoundTrip(codec, TileLike(rng, size), "tiles " + std::to_string(size));
        }
    }
}

// Data whose best encoding needs each form's longest copy, farthest distance and longest run.
TEST(PackedCodec, RoundTripsTheLargestLengthsAndDistances) {
    std::mt19937 rng(99);
    Bytes far = RandomBytes(rng, 4096); // a copy from exactly 4096 bytes back
    far.insert(far.end(), far.begin(), far.begin() + 300);
    Bytes absolute = RandomBytes(rng, 70000); // repeats from near offset 65535
    absolute.insert(absolute.end(), absolute.begin() + 65500, absolute.begin() + 65536);
    struct Case {
        const char* what;
        Bytes data;
    } cases[] = {
        {"zeros 65808", Bytes(65808, 0)},
        {"zeros 65809", Bytes(65809, 0)},
        {"zeros 200000", Bytes(200000, 0)},
        {"rising 2048", {}},
        {"far copy", far},
        {"absolute", absolute},
    };
    for (size_t i = 0; i < 2048; ++i)
        cases[3].data.push_back(static_cast<uint8_t>(i));
    for (const PackedCodec codec : AllPackedCodecs) {
        for (const Case& c : cases)
            ExpectRoundTrip(codec, c.data, c.what);
    }
    // The sizes that only the longest items give.
    EXPECT_EQ(Pack(PackedCodec::Lz11, Bytes(65808 + 1, 0))->size(), 4u + 1 + 1 + 4);
    // two literals (no copy from one byte back), then seven copies of 18: two flag bytes
    EXPECT_EQ(Pack(PackedCodec::Lz10, Bytes(2 + 18 * 7, 7))->size(), 4u + 2 + 2 + 7 * 2);
    EXPECT_EQ(Pack(PackedCodec::Rle30, Bytes(130 * 2, 7))->size(), 4u + 2 * 2);
    EXPECT_EQ(Pack(PackedCodec::SnesBe, Bytes(1024, 7))->size(), 3u + 1);
    EXPECT_EQ(Pack(PackedCodec::SnesLe, cases[3].data)->size(), 2 * 3u + 1);
    // 4096 literals and 17 copies from 4096 back, in 515 groups
    EXPECT_LE(Pack(PackedCodec::Lz10, far)->size(), 4u + 515 + 4096 + 17 * 2);
    EXPECT_LE(Pack(PackedCodec::Lz11, far)->size(), 4u + 513 + 4096 + 3 + 3);
    // 70036 bytes as literals take 70175; the repeat from offset 65500 saves at least 28
    EXPECT_LT(Pack(PackedCodec::SnesBe, absolute)->size(), 70175u - 28);
}

// Runs and exact repeats of every length at the edges between item forms, each between random
// bytes, so that the longest copy or run is exactly that long.
TEST(PackedCodec, RoundTripsEveryLengthAtTheEdgesBetweenForms) {
    const size_t lengths[] = {1,    2,    3,    4,    15,   16,    17,    18,   19,  31,
                              32,   33,   129,  130,  131,  271,   272,   273,  274, 1023,
                              1024, 1025, 4095, 4096, 4097, 65807, 65808, 65809};
    std::mt19937 rng(11);
    const Bytes source = RandomBytes(rng, 5000);
    for (const size_t length : lengths) {
        Bytes run = RandomBytes(rng, 7);
        run.insert(run.end(), length, run.back());
        run.push_back(static_cast<uint8_t>(run.back() + 1));
        Bytes repeat = source;
        const size_t copied = std::min(length, source.size() - 1);
        repeat.insert(repeat.end(), source.begin(), source.begin() + copied);
        repeat.push_back(static_cast<uint8_t>(source[copied] + 1));
        for (const PackedCodec codec : AllPackedCodecs) {
            ExpectRoundTrip(codec, run, "run " + std::to_string(length));
            if (length <= 5000)
                ExpectRoundTrip(codec, repeat, "repeat " + std::to_string(length));
        }
    }
}

struct Block {
    PackedCodec codec;
    const char* what;
    Bytes input;
    Bytes output;
};

TEST(PackedCodec, DecodesHandMadeBlocksOfEveryItemForm) {
    const Block blocks[] = {
        {PackedCodec::Lz10, "empty", {0x10, 0, 0, 0}, {}},
        {PackedCodec::Lz10, "literals", {0x10, 3, 0, 0, 0x00, 'a', 'b', 'c'}, {'a', 'b', 'c'}},
        // copy of 5 from distance 2, overlapping
        {PackedCodec::Lz10,
         "copy",
         {0x10, 7, 0, 0, 0x20, 'a', 'b', 0x20, 0x01},
         {'a', 'b', 'a', 'b', 'a', 'b', 'a'}},
        // longest copy (18) cut at the stated size
        {PackedCodec::Lz10, "cut", {0x10, 4, 0, 0, 0x40, 'x', 0xF0, 0x00}, Bytes(4, 'x')},
        {PackedCodec::Lz11, "two-byte", {0x11, 5, 0, 0, 0x40, 'z', 0x30, 0x00}, Bytes(5, 'z')},
        // N = 0: length (0x0 << 4 | 0x1) + 0x11 = 18, distance 1
        {PackedCodec::Lz11,
         "three-byte",
         {0x11, 19, 0, 0, 0x40, 'q', 0x00, 0x10, 0x00},
         Bytes(19, 'q')},
        // N = 1: length 0x111 + 2 = 275, distance 1
        {PackedCodec::Lz11,
         "four-byte",
         {0x11, 0x14, 0x01, 0, 0x40, 'w', 0x10, 0x00, 0x20, 0x00},
         Bytes(276, 'w')},
        {PackedCodec::Rle30,
         "run and literals",
         {0x30, 6, 0, 0, 0x80, 'r', 0x02, 'a', 'b', 'c'},
         {'r', 'r', 'r', 'a', 'b', 'c'}},
        {PackedCodec::Rle30, "longest run", {0x30, 130, 0, 0, 0xFF, 'r'}, Bytes(130, 'r')},
        {PackedCodec::SnesBe, "end only", {0xFF}, {}},
        {PackedCodec::SnesBe, "copy", {0x02, 1, 2, 3, 0xFF}, {1, 2, 3}},
        {PackedCodec::SnesBe, "fill", {0x23, 9, 0xFF}, {9, 9, 9, 9}},
        {PackedCodec::SnesBe, "alternate", {0x44, 1, 2, 0xFF}, {1, 2, 1, 2, 1}},
        {PackedCodec::SnesBe, "rising", {0x63, 0xFE, 0xFF}, {0xFE, 0xFF, 0x00, 0x01}},
        {PackedCodec::SnesBe,
         "repeat",
         {0x02, 1, 2, 3, 0x83, 0x00, 0x01, 0xFF},
         {1, 2, 3, 2, 3, 2, 3}},
        {PackedCodec::SnesLe,
         "repeat",
         {0x02, 1, 2, 3, 0x83, 0x01, 0x00, 0xFF},
         {1, 2, 3, 2, 3, 2, 3}},
        // extended fill: command 1, length (0x1 << 8 | 0x00) + 1 = 257
        {PackedCodec::SnesLe, "extended", {0xE5, 0x00, 0xAA, 0xFF}, Bytes(257, 0xAA)},
        {PackedCodec::SnesLe, "longest", {0xE7, 0xFF, 0xAA, 0xFF}, Bytes(1024, 0xAA)},
    };
    for (const Block& b : blocks) {
        const Unpacked u = Unpack(b.codec, b.input);
        ASSERT_TRUE(u) << Name(b.codec) << " " << b.what << ": " << DescribeUnpackError(u.error);
        EXPECT_EQ(u.bytes, b.output) << Name(b.codec) << " " << b.what;
        EXPECT_EQ(u.packedSize, b.input.size()) << Name(b.codec) << " " << b.what;
    }
}

TEST(PackedCodec, RefusesBadBlocks) {
    struct Bad {
        PackedCodec codec;
        const char* what;
        Bytes input;
        UnpackError error;
    } cases[] = {
        {PackedCodec::Lz10, "no input", {}, UnpackError::BadHeader},
        {PackedCodec::Lz10, "short header", {0x10, 1, 0}, UnpackError::BadHeader},
        {PackedCodec::Lz10, "other header", {0x11, 1, 0, 0, 0, 1}, UnpackError::BadHeader},
        {PackedCodec::Lz10, "no flag", {0x10, 1, 0, 0}, UnpackError::Truncated},
        {PackedCodec::Lz10, "no literal", {0x10, 1, 0, 0, 0x00}, UnpackError::Truncated},
        {PackedCodec::Lz10, "half copy", {0x10, 4, 0, 0, 0x40, 'a', 0x00}, UnpackError::Truncated},
        {PackedCodec::Lz10,
         "before start",
         {0x10, 4, 0, 0, 0x80, 0x00, 0x00},
         UnpackError::BadReference},
        {PackedCodec::Lz10,
         "too far",
         {0x10, 5, 0, 0, 0x40, 'a', 0x00, 0x01},
         UnpackError::BadReference},
        {PackedCodec::Lz11,
         "half four-byte",
         {0x11, 9, 9, 0, 0x40, 'a', 0x10, 0, 0},
         UnpackError::Truncated},
        {PackedCodec::Lz11,
         "three-byte too far",
         {0x11, 20, 0, 0, 0x40, 'a', 0x00, 0x10, 0x01},
         UnpackError::BadReference},
        {PackedCodec::Rle30,
         "short literals",
         {0x30, 5, 0, 0, 0x04, 'a', 'b'},
         UnpackError::Truncated},
        {PackedCodec::Rle30, "run without byte", {0x30, 5, 0, 0, 0x81}, UnpackError::Truncated},
        {PackedCodec::SnesBe, "no input", {}, UnpackError::NoEnd},
        {PackedCodec::SnesBe, "no end", {0x00, 7}, UnpackError::NoEnd},
        {PackedCodec::SnesBe, "command 5", {0xA0, 0xFF}, UnpackError::BadCommand},
        {PackedCodec::SnesBe, "command 6", {0xC0, 0xFF}, UnpackError::BadCommand},
        {PackedCodec::SnesBe, "extended 7", {0xFC, 0x00, 0xFF}, UnpackError::BadCommand},
        {PackedCodec::SnesBe, "extended without length", {0xE4}, UnpackError::Truncated},
        {PackedCodec::SnesBe, "short copy", {0x03, 1, 2}, UnpackError::Truncated},
        {PackedCodec::SnesBe,
         "repeat ahead",
         {0x00, 1, 0x80, 0x00, 0x01, 0xFF},
         UnpackError::BadReference},
        {PackedCodec::SnesLe,
         "repeat ahead",
         {0x00, 1, 0x80, 0x00, 0x01, 0xFF},
         UnpackError::BadReference},
        {PackedCodec::SnesLe,
         "repeat on empty",
         {0x80, 0x00, 0x00, 0xFF},
         UnpackError::BadReference},
    };
    for (const Bad& c : cases) {
        EXPECT_EQ(Unpack(c.codec, c.input).error, c.error) << Name(c.codec) << " " << c.what;
        EXPECT_FALSE(Measure(c.codec, c.input)) << Name(c.codec) << " " << c.what;
    }
}

TEST(PackedCodec, KeepsToTheLimit) {
    // A header stating more than the caller allows, and an SNES stream that outgrows it.
    EXPECT_EQ(Unpack(PackedCodec::Lz10, Bytes{0x10, 0x00, 0x01, 0x00, 0x00}, 255).error,
              UnpackError::TooLarge);
    EXPECT_EQ(Unpack(PackedCodec::Rle30, Bytes{0x30, 0xFF, 0xFF, 0xFF}, MaxUnpackedSize).error,
              UnpackError::Truncated);
    Bytes fills;
    for (int i = 0; i < 3; ++i)
        fills.insert(fills.end(), {0xE7, 0xFF, 0x00});
    fills.push_back(0xFF);
    EXPECT_EQ(Unpack(PackedCodec::SnesBe, fills, 2048).error, UnpackError::TooLarge);
    EXPECT_TRUE(Unpack(PackedCodec::SnesBe, fills, 3072));
    Bytes endless;
    while (endless.size() < 3 * 16400)
        endless.insert(endless.end(), {0xE7, 0xFF, 0x00});
    endless.push_back(0xFF);
    EXPECT_EQ(Unpack(PackedCodec::SnesLe, endless).error, UnpackError::TooLarge);
    EXPECT_FALSE(Pack(PackedCodec::Lz10, Bytes(MaxHeaderSize + 1, 0)));
}

// Walks an LZ10 block and gives the distance of every copy.
std::vector<size_t> Lz10Distances(const Bytes& block) {
    std::vector<size_t> distances;
    size_t pos = 4;
    size_t out = 0;
    const size_t size = block[1] | block[2] << 8 | block[3] << 16;
    while (out < size) {
        const uint8_t flags = block.at(pos++);
        for (int bit = 7; bit >= 0 && out < size; --bit) {
            if ((flags >> bit & 1) == 0) {
                ++pos;
                ++out;
            } else {
                out += (block.at(pos) >> 4) + 3;
                distances.push_back(((block.at(pos) & 0xF) << 8 | block.at(pos + 1)) + 1);
                pos += 2;
            }
        }
    }
    return distances;
}

TEST(PackedCodec, Lz10AvoidsDistanceOneUnlessAllowed) {
    std::mt19937 rng(5);
    const Bytes inputs[] = {Bytes(100, 0), TileLike(rng, 4096), RandomBytes(rng, 500, 2)};
    for (const Bytes& data : inputs) {
        const auto careful = Pack(PackedCodec::Lz10, data);
        for (const size_t d : Lz10Distances(*careful))
            EXPECT_GE(d, 2u);
        PackOptions any;
        any.allowDistance1 = true;
        const auto loose = Pack(PackedCodec::Lz10, data, any);
        EXPECT_EQ(Unpack(PackedCodec::Lz10, *loose).bytes, data);
        EXPECT_LE(loose->size(), careful->size());
    }
    PackOptions any;
    any.allowDistance1 = true;
    const auto distances = Lz10Distances(*Pack(PackedCodec::Lz10, Bytes(100, 0), any));
    EXPECT_EQ(std::count(distances.begin(), distances.end(), 1u), 6);
}

TEST(PackedCodec, LazyIsNeverLargerThanPlainGreedy) {
    PackOptions plain;
    plain.lazy = false;
    for (const PackedCodec codec : AllPackedCodecs) {
        for (unsigned seed = 0; seed < 20; ++seed) {
            std::mt19937 rng(seed);
            const Bytes data = seed % 2 ? TileLike(rng, 3000) : RandomBytes(rng, 3000, 4);
            EXPECT_LE(Pack(codec, data)->size(), Pack(codec, data, plain)->size())
                << Name(codec) << " seed " << seed;
        }
    }
}

TEST(PackedCodec, NamesRoundTrip) {
    for (const PackedCodec codec : AllPackedCodecs)
        EXPECT_EQ(ParseCodecName(CodecName(codec)), codec);
    EXPECT_FALSE(ParseCodecName("LZ10"));
    EXPECT_FALSE(ParseCodecName(""));
    EXPECT_TRUE(IsHandheldCodec(PackedCodec::Rle30));
    EXPECT_FALSE(IsHandheldCodec(PackedCodec::SnesLe));
}

} // namespace
} // namespace tavrin
