#include "core/formats/BuiltinFormats.h"
#include "core/formats/CFormatTable.h"

#include "core/formats/ReferenceLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::BuiltinCount;
using test::CellRows;

constexpr int Margin = 37; // an address off every tile grid

std::vector<uint8_t> Identity() {
    std::vector<uint8_t> pattern(256);
    std::iota(pattern.begin(), pattern.end(), 0);
    return pattern;
}

std::vector<uint8_t> Shuffled(uint32_t seed) {
    std::vector<uint8_t> pattern = Identity();
    std::mt19937 rng(seed);
    std::shuffle(pattern.begin(), pattern.end(), rng);
    return pattern;
}

std::vector<uint8_t> WithDuplicates(uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> pattern(256);
    for (auto& t : pattern)
        t = static_cast<uint8_t>(rng() % 64); // many positions share a tile
    return pattern;
}

BlockParams Params(std::vector<uint8_t>& bytes, int address, int rotate, int mirror,
                   const std::vector<uint8_t>* pattern) {
    BlockParams p{};
    p.bytes = bytes.data();
    p.address = address;
    p.rotate = static_cast<uint8_t>(rotate);
    p.mirror = static_cast<uint8_t>(mirror);
    p.pattern = pattern != nullptr ? pattern->data() : nullptr;
    return p;
}

// Decoding with one rotation and encoding with its inverse, with any mirror, pattern, colour
// offset or tile palettes, gives back every byte of the document.
TEST(CFormatSimple, BlockRoundTripsEveryTransformAndPattern) {
    CFormatTable table;
    const std::vector<uint8_t> shuffled = Shuffled(7);
    const std::vector<uint8_t> duplicates = WithDuplicates(8);
    const std::vector<uint8_t> palettes = test::RandomBytes(256, 9);
    const std::vector<const std::vector<uint8_t>*> patterns = {nullptr, &shuffled, &duplicates};
    const int inverse[4] = {0, 3, 2, 1};
    for (int i = 0; i < BuiltinCount; ++i) {
        CFormat& f = *table.Get(i);
        f.Activate();
        const size_t page = 2048 * static_cast<size_t>(f.BitsPerPixel());
        uint32_t seed = static_cast<uint32_t>(i) * 1000;
        for (int rotate = 0; rotate < 4; ++rotate)
            for (int mirror = 0; mirror < 4; ++mirror)
                for (const auto* pattern : patterns)
                    // Colour offsets and tile palettes only change the decoded values, so
                    // each transform gets one of the three kinds in turn.
                    for (int colours = (rotate + mirror) % 3; colours < 3; colours += 3) {
                        SCOPED_TRACE(testing::Message()
                                     << f.Name() << " rotate " << rotate << " mirror " << mirror
                                     << " pattern " << (pattern != nullptr) << " colours "
                                     << colours);
                        const std::vector<uint8_t> original =
                            test::RandomBytes(page + 2 * Margin, ++seed);
                        std::vector<uint8_t> bytes = original;
                        Image8 image(128, 128);
                        BlockParams p = Params(bytes, Margin, rotate, mirror, pattern);
                        p.colourOffset = colours == 1 ? 0xC0 : 0;
                        p.tilePalettes = colours == 2 ? palettes.data() : nullptr;
                        f.DecodeBlock(image, p);
                        std::fill(bytes.begin() + Margin, bytes.end() - Margin, 0);
                        // Tiles no position names keep their bytes; restore them.
                        if (pattern == &duplicates && f.GetInfo()->disableAdfPattern == 0)
                            bytes = original;
                        BlockParams q = Params(bytes, Margin, inverse[rotate], mirror, pattern);
                        f.EncodeBlock(image, q);
                        ASSERT_EQ(bytes, original);
                    }
        f.Deactivate();
    }
}

// Tile (0, 0) of "2BPP NES" holding
//   12300000
//   10000000
// and zeros elsewhere, decoded with each rotation and mirror.
class NesCellTransform : public testing::Test {
protected:
    void SetUp() override {
        m_bytes.assign(4096, 0);
        m_bytes[0] = 0b1010'0000; // value bit 0 of row 0
        m_bytes[8] = 0b0110'0000; // value bit 1 of row 0
        m_bytes[1] = 0b1000'0000; // value bit 0 of row 1
        m_nes.Activate();
    }
    std::vector<std::string> Decode(int rotate, int mirror) {
        Image8 image(128, 128);
        m_nes.DecodeBlock(image, Params(m_bytes, 0, rotate, mirror, nullptr));
        return CellRows(image, 0, 0, 8);
    }
    CFormat_2NES m_nes;
    std::vector<uint8_t> m_bytes;
};

TEST_F(NesCellTransform, Rotations) {
    EXPECT_EQ(Decode(0, 0),
              (std::vector<std::string>{"12300000", "10000000", "00000000", "00000000", "00000000",
                                        "00000000", "00000000", "00000000"}));
    EXPECT_EQ(Decode(1, 0),
              (std::vector<std::string>{"00000011", "00000002", "00000003", "00000000", "00000000",
                                        "00000000", "00000000", "00000000"}));
    EXPECT_EQ(Decode(2, 0),
              (std::vector<std::string>{"00000000", "00000000", "00000000", "00000000", "00000000",
                                        "00000000", "00000001", "00000321"}));
    EXPECT_EQ(Decode(3, 0),
              (std::vector<std::string>{"00000000", "00000000", "00000000", "00000000", "00000000",
                                        "30000000", "20000000", "11000000"}));
}

TEST_F(NesCellTransform, Mirrors) {
    EXPECT_EQ(Decode(0, 1)[0], "00000321");
    EXPECT_EQ(Decode(0, 1)[1], "00000001");
    EXPECT_EQ(Decode(0, 2)[7], "12300000");
    EXPECT_EQ(Decode(0, 2)[6], "10000000");
    EXPECT_EQ(Decode(0, 3)[7], "00000321");
    EXPECT_EQ(Decode(0, 3)[6], "00000001");
}

TEST_F(NesCellTransform, DecodeRotatesBeforeMirroring) {
    const std::vector<std::string> rows = Decode(1, 1);
    EXPECT_EQ(rows[0], "11000000");
    EXPECT_EQ(rows[1], "20000000");
    EXPECT_EQ(rows[2], "30000000");
}

TEST_F(NesCellTransform, EncodeMirrorsThenRotatesAndLeavesTheCellsTransformed) {
    Image8 image(128, 128);
    m_nes.DecodeBlock(image, Params(m_bytes, 0, 1, 1, nullptr));
    std::vector<uint8_t> out(4096, 0xFF);
    m_nes.EncodeBlock(image, Params(out, 0, 3, 1, nullptr));
    EXPECT_EQ(out, m_bytes);
    EXPECT_EQ(CellRows(image, 0, 0, 8)[0], "12300000");
}

TEST_F(NesCellTransform, CodesAboveThreeLeaveTheCell) {
    EXPECT_EQ(Decode(4, 9), Decode(0, 0));
}

TEST(CFormatSimple, WorksWithoutActivation) {
    // A format used on the spot (never activated) may still be asked to transform.
    CFormat_2NES nes;
    EXPECT_FALSE(nes.HasWorkCell());
    std::vector<uint8_t> bytes = test::RandomBytes(4096, 3);
    const std::vector<uint8_t> original = bytes;
    Image8 image(128, 128);
    nes.DecodeBlock(image, Params(bytes, 0, 1, 3, nullptr));
    nes.EncodeBlock(image, Params(bytes, 0, 3, 3, nullptr));
    EXPECT_EQ(bytes, original);
    nes.Activate();
    EXPECT_TRUE(nes.HasWorkCell());
    nes.Deactivate();
    EXPECT_FALSE(nes.HasWorkCell());
}

TEST(CFormatSimple, PatternChoosesTheTileOfEachPosition) {
    // "1BPP": tile t is 8 bytes of value t, so every row of its cell spells t's bits.
    CFormat_1bpp one;
    std::vector<uint8_t> bytes(2048);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i / 8);
    std::vector<uint8_t> pattern(256);
    for (int n = 0; n < 256; ++n)
        pattern[static_cast<size_t>(n)] = static_cast<uint8_t>(255 - n);
    Image8 image(128, 128);
    one.DecodeBlock(image, Params(bytes, 0, 0, 0, &pattern));
    EXPECT_EQ(test::CellRow(image, 0, 0, 8), "11111111");     // position 0 shows tile 255
    EXPECT_EQ(test::CellRow(image, 8, 0, 8), "11111110");     // position 1 shows tile 254
    EXPECT_EQ(test::CellRow(image, 120, 120, 8), "00000000"); // position 255 shows tile 0
    EXPECT_EQ(test::CellRow(image, 0, 8, 8), "11101111");     // position 16 shows tile 239
}

TEST(CFormatSimple, SixteenPixelFormatsIgnoreThePattern) {
    CFormatTable table;
    for (int i : {test::Fmt4PceSG, test::Fmt1bpp16}) {
        CFormat& f = *table.Get(i);
        std::vector<uint8_t> bytes = test::RandomBytes(2048 * 4, 11);
        const std::vector<uint8_t> pattern = Shuffled(12);
        Image8 plain(128, 128);
        Image8 patterned(128, 128);
        f.DecodeBlock(plain, Params(bytes, 0, 0, 0, nullptr));
        f.DecodeBlock(patterned, Params(bytes, 0, 0, 0, &pattern));
        EXPECT_EQ(plain, patterned) << f.Name();
    }
}

TEST(CFormatSimple, LaterPositionWinsWhenTwoNameTheSameTile) {
    CFormat_2NES nes;
    std::vector<uint8_t> pattern = Identity();
    pattern[0] = 5;
    pattern[1] = 5;
    pattern[5] = 0;
    Image8 image(128, 128);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            image.SetPixel(c, r, 1);     // position 0
            image.SetPixel(8 + c, r, 2); // position 1
        }
    std::vector<uint8_t> bytes(4096, 0xEE);
    nes.EncodeBlock(image, Params(bytes, 0, 0, 0, &pattern));
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(bytes[static_cast<size_t>(5 * 16 + k)], 0x00); // value 2: bit 0 clear
        EXPECT_EQ(bytes[static_cast<size_t>(5 * 16 + 8 + k)], 0xFF);
        EXPECT_EQ(bytes[static_cast<size_t>(16 + k)], 0xEE); // tile 1 is named by no position
    }
}

TEST(CFormatSimple, TilePalettesFollowTheTileIndex) {
    CFormat_2NES nes;
    std::vector<uint8_t> bytes(4096, 0);
    bytes[5 * 16] = 0x80; // tile 5, pixel (0, 0) = 1
    std::vector<uint8_t> palettes(256, 0);
    palettes[5] = 3;
    std::vector<uint8_t> pattern = Identity();
    pattern[0] = 5;
    Image8 image(128, 128);
    BlockParams p = Params(bytes, 0, 0, 0, &pattern);
    p.colourOffset = 0x40; // not used when tile palettes are given
    p.tilePalettes = palettes.data();
    nes.DecodeBlock(image, p);
    EXPECT_EQ(image.Pixel(0, 0), (3 << 2) | 1);
    EXPECT_EQ(image.Pixel(1, 0), 3 << 2);
    EXPECT_EQ(image.Pixel(8, 0), 0); // position 1 shows tile 1, palette 0
    p.tilePalettes = nullptr;
    nes.DecodeBlock(image, p);
    EXPECT_EQ(image.Pixel(0, 0), 0x41);
    EXPECT_EQ(image.Pixel(8, 0), 0x40);
}

TEST(CFormatSimple, MsxEditOfTileFiveTouchesOnlyItsBytes) {
    CFormat_2MSX msx;
    msx.Activate();
    const std::vector<uint8_t> original = test::RandomBytes(4096, 21);
    std::vector<uint8_t> bytes = original;
    Image8 image(128, 128);
    msx.DecodeBlock(image, Params(bytes, 0, 0, 0, nullptr));
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            image.SetPixel(40 + c, r, static_cast<uint8_t>(image.Pixel(40 + c, r) ^ 3));
    msx.EncodeBlock(image, Params(bytes, 0, 0, 0, nullptr));
    for (size_t i = 0; i < bytes.size(); ++i) {
        const bool tileFive = (i >= 72 && i <= 79) || (i >= 104 && i <= 111);
        if (tileFive)
            EXPECT_EQ(bytes[i], static_cast<uint8_t>(~original[i])) << i;
        else
            EXPECT_EQ(bytes[i], original[i]) << i;
    }
}

TEST(CFormatSimple, SmallImageGetsOnlyTheCellsThatFit) {
    CFormat_2NES nes;
    nes.Activate();
    std::vector<uint8_t> bytes(4096, 0xFF);
    Image8 image(20, 12); // two whole cells across, one down
    nes.DecodeBlock(image, Params(bytes, 0, 1, 3, nullptr));
    EXPECT_EQ(image.Pixel(15, 7), 3);
    EXPECT_EQ(image.Pixel(16, 0), 0);
    EXPECT_EQ(image.Pixel(0, 8), 0);
    nes.EncodeBlock(image, Params(bytes, 0, 3, 3, nullptr));
    EXPECT_EQ(bytes, std::vector<uint8_t>(4096, 0xFF));
}

} // namespace
} // namespace tavrin
