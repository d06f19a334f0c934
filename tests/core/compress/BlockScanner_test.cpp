#include "core/compress/BlockScanner.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tavrin {
namespace {

using Bytes = std::vector<uint8_t>;

// 0xAA is no handheld header and an undefined SNES command, so the filler holds no block.
constexpr uint8_t Filler = 0xAA;

struct Placed {
    size_t address;
    PackedCodec codec;
    size_t unpacked;
};

// An image of filler with the packed forms of ramps of the given sizes at the given places.
Bytes Image(size_t size, const std::vector<Placed>& blocks, std::vector<FoundBlock>* expected) {
    Bytes image(size, Filler);
    for (const Placed& p : blocks) {
        Bytes data(p.unpacked);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<uint8_t>(i / 8 % 5);
        const Bytes packed = *Pack(p.codec, data);
        std::copy(packed.begin(), packed.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(p.address));
        if (expected)
            expected->push_back({p.address, p.codec, {packed.size(), p.unpacked}});
    }
    return image;
}

// SNES-LE first: where both SNES orders decode, the first named is given.
const ScanOptions Everything{{PackedCodec::SnesLe, PackedCodec::SnesBe, PackedCodec::Lz10,
                              PackedCodec::Lz11, PackedCodec::Rle30},
                             32,
                             0,
                             0x10000};

TEST(BlockScanner, ListsEveryBlockOfTheChosenCodecs) {
    std::vector<FoundBlock> expected;
    const Bytes image = Image(8192,
                              {{0x100, PackedCodec::Lz10, 256},
                               {0x400, PackedCodec::Lz11, 1000},
                               {0x1000, PackedCodec::Rle30, 40},
                               {0x1800, PackedCodec::Lz10, 32}},
                              &expected);
    struct Case {
        const char* what;
        ScanOptions options;
        std::vector<size_t> which; // indices into expected
    } cases[] = {
        {"handheld", ScanOptions{}, {0, 1, 2, 3}},
        {"lz10 only", ScanOptions{{PackedCodec::Lz10}, 32, 0, 0x10000}, {0, 3}},
        {"bigger than 40",
         ScanOptions{{PackedCodec::Lz10, PackedCodec::Rle30}, 41, 0, 0x10000},
         {0}},
        {"40 and more", ScanOptions{{PackedCodec::Rle30}, 40, 0, 0x10000}, {2}},
        {"on 0x400",
         ScanOptions{{PackedCodec::Lz11, PackedCodec::Lz10}, 32, 0x400, 0x10000},
         {1, 3}},
    };
    for (const Case& c : cases) {
        std::vector<FoundBlock> want;
        for (const size_t i : c.which)
            want.push_back(expected[i]);
        EXPECT_EQ(FindAllBlocks(image, c.options), want) << c.what;
    }
    EXPECT_EQ(FindAllBlocks(image, ScanOptions{}, 2).size(), 2u);
    EXPECT_EQ(FindAllBlocks(image, ScanOptions{{PackedCodec::Lz11}, 32, 0, 999}).size(), 0u);
    EXPECT_EQ(FindAllBlocks(image, ScanOptions{{PackedCodec::Lz11}, 32, 0, 1000}).size(), 1u);
}

// The SNES schemes have no header: any byte may start a block, and the later commands of a
// block are blocks of their own, so the list goes on after each block found.
TEST(BlockScanner, ListsSnesBlocksAtAnyByte) {
    std::vector<FoundBlock> expected;
    const Bytes image = Image(1024, {{0x81, PackedCodec::SnesBe, 64}}, &expected);
    EXPECT_EQ(FindAllBlocks(image, ScanOptions{{PackedCodec::SnesBe}, 32, 0, 0x10000}), expected);
    EXPECT_EQ(FindAllBlocks(image, ScanOptions{{PackedCodec::SnesBe}, 64, 0, 0x10000}), expected);
    EXPECT_TRUE(FindAllBlocks(image, ScanOptions{{PackedCodec::SnesBe}, 65, 0, 0x10000}).empty());
    const auto aligned = FindAllBlocks(image, ScanOptions{{PackedCodec::SnesBe}, 1, 4, 0x10000});
    ASSERT_FALSE(aligned.empty());
    EXPECT_GT(aligned[0].address, 0x81u);
    EXPECT_EQ(aligned[0].address % 4, 0u);
}

TEST(BlockScanner, FindsTheNextBlockFromAnAddress) {
    std::vector<FoundBlock> blocks;
    const Bytes image = Image(4096,
                              {{0x40, PackedCodec::Lz11, 64},
                               {0x300, PackedCodec::Rle30, 300},
                               {0x403, PackedCodec::SnesLe, 100}},
                              &blocks);
    struct Case {
        size_t from;
        ScanOptions options;
        std::optional<FoundBlock> want;
    } cases[] = {
        {0, ScanOptions{}, blocks[0]},
        {0x40, ScanOptions{}, blocks[0]},
        {0x41, ScanOptions{}, blocks[1]},
        {0x301, ScanOptions{}, std::nullopt},
        {0x3F0, Everything, blocks[2]},
        {0x404, ScanOptions{{PackedCodec::SnesLe}, 100, 0, 0x10000}, std::nullopt},
        {0x41, ScanOptions{{PackedCodec::Lz10}, 32, 0, 0x10000}, std::nullopt},
        {5000, ScanOptions{}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindNextBlock(image, c.from, c.options), c.want) << c.from;
}

TEST(BlockScanner, TakesNoBlockThatDoesNotDecode) {
    // LZ headers whose first item copies from before the start; run-length headers stating
    // more than the largest block looked for.
    Bytes image(4096, Filler);
    std::mt19937 rng(3);
    for (size_t a = 0; a + 4 <= image.size(); a += 64) {
        image[a] = std::array<uint8_t, 3>{0x10, 0x11, 0x30}[rng() % 3];
        image[a + 1] = 0x00;
        image[a + 2] = 0x10;
        image[a + 3] = image[a] == 0x30 ? 0x01 : 0x00;
    }
    EXPECT_TRUE(FindAllBlocks(image, ScanOptions{}).empty());
    EXPECT_FALSE(FindNextBlock(image, 0, ScanOptions{}));
    EXPECT_FALSE(FindAllBlocks(image, ScanOptions{{PackedCodec::Rle30}, 32, 0, 0x20000}).empty());
}

TEST(BlockScanner, AlignmentDefaultsPerCodec) {
    EXPECT_EQ(ScanAlignment(PackedCodec::Lz10, ScanOptions{}), 4u);
    EXPECT_EQ(ScanAlignment(PackedCodec::SnesBe, ScanOptions{}), 1u);
    EXPECT_EQ(ScanAlignment(PackedCodec::SnesBe, ScanOptions{{}, 32, 2, 0x10000}), 2u);
}

} // namespace
} // namespace tavrin
