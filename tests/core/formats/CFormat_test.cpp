#include "core/formats/BuiltinFormats.h"
#include "core/formats/CFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <vector>

namespace tavrin {
namespace {

// A format with a record set by the test, recording the tiles its block walk visits.
class RecordingFormat : public CFormat {
public:
    RecordingFormat(int bpp, int width, int height) {
        m_info.bitsPerPixel = bpp;
        m_info.width = width;
        m_info.height = height;
    }
    FormatInfo& Info() { return m_info; }
    void DecodeTile(Image8& /*image*/, const TileParams* p) override { decoded.push_back(*p); }
    void EncodeTile(Image8& /*image*/, const TileParams* p) override { encoded.push_back(*p); }
    std::vector<TileParams> decoded;
    std::vector<TileParams> encoded;
};

TEST(CFormat, StepAddressFollowsTheStepTable) {
    CFormat_4SNES f; // 32 bytes per tile, 512 per row of tiles
    const int a = 100000;
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepFirst), 77);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepMinus100Blocks), a - 8192);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepMinus10Blocks), a - 512);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepMinus1Block), a - 32);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepMinus1), a - 1);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepPlus1), a + 1);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepPlus1Block), a + 32);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepPlus10Blocks), a + 512);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepPlus100Blocks), a + 8192);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepLast), 77);
    EXPECT_EQ(f.StepAddress(nullptr, a, 3, StepWheelUp), a - 1536);
    EXPECT_EQ(f.StepAddress(nullptr, a, 3, StepWheelDown), a + 1536);
    EXPECT_EQ(f.StepAddress(nullptr, a, 77, StepJump), 77);
    for (int code : {0, 11, 15, 18, 63, 65, -1})
        EXPECT_EQ(f.StepAddress(nullptr, a, 77, code), 0) << code;
}

TEST(CFormat, StepSizesComeFromTheTileGeometry) {
    CFormat_2NES nes;
    EXPECT_EQ(nes.StepAddress(nullptr, 0, 0, StepPlus1Block), 16);
    EXPECT_EQ(nes.StepAddress(nullptr, 0, 0, StepPlus10Blocks), 256);
    CFormat_4PceSG pce; // 16 x 16 x 4: 128 bytes a tile, so 100h blocks are four pages
    EXPECT_EQ(pce.StepAddress(nullptr, 0, 0, StepPlus1Block), 128);
    EXPECT_EQ(pce.StepAddress(nullptr, 0, 0, StepPlus100Blocks), 32768);
    RecordingFormat empty(0, 0, 0); // a plug-in bridge's own zero record
    EXPECT_EQ(empty.StepAddress(nullptr, 500, 0, StepPlus100Blocks), 500);
    EXPECT_EQ(empty.StepAddress(nullptr, 500, 0, StepMinus1), 499);
}

TEST(CFormat, StepAddressSaturatesInsteadOfOverflowing) {
    CFormat_4SNES f;
    EXPECT_EQ(f.StepAddress(nullptr, 1000, INT_MAX, StepWheelDown), INT_MAX);
    EXPECT_EQ(f.StepAddress(nullptr, 1000, INT_MAX, StepWheelUp), INT_MIN);
    EXPECT_EQ(f.StepAddress(nullptr, 1000, INT_MIN, StepWheelUp), INT_MAX);
    EXPECT_EQ(f.StepAddress(nullptr, INT_MAX, 0, StepPlus1), INT_MAX);
    EXPECT_EQ(f.StepAddress(nullptr, INT_MIN, 0, StepMinus100Blocks), INT_MIN);
    RecordingFormat huge(8, INT_MAX, INT_MAX);
    EXPECT_EQ(huge.StepAddress(nullptr, 0, 2, StepWheelDown), INT_MAX);
    EXPECT_EQ(huge.StepAddress(nullptr, 0, 0, StepMinus100Blocks), INT_MIN);
}

TEST(CFormat, ColoursStayDefinedForAnyDepth) {
    RecordingFormat f(0, 8, 8);
    const struct {
        int bpp;
        int colours;
    } cases[] = {{1, 2},  {2, 4},   {3, 8},    {4, 16},   {8, 256},    {0, 1},
                 {-1, 1}, {9, 256}, {31, 256}, {32, 256}, {1000, 256}, {INT_MIN, 1}};
    for (const auto& c : cases) {
        f.Info().bitsPerPixel = c.bpp;
        EXPECT_EQ(f.Colours(), c.colours) << c.bpp;
        EXPECT_EQ(f.ColourMask(), c.colours - 1) << c.bpp;
        EXPECT_EQ(f.BitsPerPixel(), c.bpp);
    }
}

TEST(CFormat, NameIsConvertedAndBoundedByItsField) {
    RecordingFormat f(1, 8, 8);
    CopyText(f.Info().name, "\x82\xa0\x82\xa2 ABC"); // "あい ABC" in cp932
    EXPECT_EQ(f.Name(), "あい ABC");
    for (char& ch : f.Info().name)
        ch = 'N'; // no terminating NUL: the name ends with the field
    EXPECT_EQ(f.Name(), std::string(40, 'N'));
}

TEST(CFormat, CopyTextAlwaysTerminates) {
    char field[4];
    CopyText(field, "abcdef");
    EXPECT_EQ(std::string(field), "abc");
    CopyText(field, "");
    EXPECT_EQ(field[0], '\0');
    EXPECT_EQ(field[3], '\0');
}

TEST(CFormat, BytesPerTileTruncatesAndSaturates) {
    FormatInfo info{};
    const struct {
        int bpp, w, h, bytes;
    } cases[] = {{2, 8, 8, 16},
                 {4, 16, 16, 128},
                 {1, 16, 16, 32},
                 {3, 8, 8, 24},
                 {1, 3, 3, 1},
                 {1, -3, 3, 3},
                 {2, 0, 8, 16},
                 {2, 1, 0, 16},
                 {4, 0, 16, 64},
                 {8, 128, 128, 16384},
                 {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                 {INT_MIN, INT_MAX, INT_MAX, INT_MIN}};
    for (const auto& c : cases) {
        info.bitsPerPixel = c.bpp;
        info.width = c.w;
        info.height = c.h;
        EXPECT_EQ(BytesPerTile(info), c.bytes) << c.bpp << " " << c.w << " " << c.h;
    }
}

TEST(CFormat, BlockGeometryTreatsTinySizesAsEight) {
    FormatInfo info{};
    info.bitsPerPixel = 2;
    const BlockGeometry g = GetBlockGeometry(info);
    EXPECT_EQ(g.tileWidth, 8);
    EXPECT_EQ(g.tileHeight, 8);
    EXPECT_EQ(g.columns, 16);
    EXPECT_EQ(g.rows, 16);
    EXPECT_EQ(g.bytesPerTile, 16);
    info.width = 16;
    info.height = 1;
    const BlockGeometry h = GetBlockGeometry(info);
    EXPECT_EQ(h.columns, 8);
    EXPECT_EQ(h.rows, 16);
    EXPECT_EQ(h.bytesPerTile, 32);
    info.width = 1000; // no whole cell fits
    EXPECT_EQ(GetBlockGeometry(info).columns, 0);
}

TEST(CFormat, BaseBlockWalkVisitsTilesRowMajor) {
    RecordingFormat f(2, 16, 8); // 8 columns, 16 rows, 32 bytes a tile
    Image8 image(128, 128);
    std::vector<uint8_t> bytes(16);
    std::vector<uint8_t> pattern(256);
    std::iota(pattern.rbegin(), pattern.rend(), 0); // position n shows tile 255 - n
    std::vector<uint8_t> palettes(256);
    std::iota(palettes.begin(), palettes.end(), 0);
    BlockParams p{};
    p.bytes = bytes.data();
    p.address = 1000;
    p.colourOffset = 0x40;
    p.rotate = 1;
    p.mirror = 2;
    p.pattern = pattern.data();
    f.DecodeBlock(image, p);
    ASSERT_EQ(f.decoded.size(), 128u);
    EXPECT_EQ(f.decoded[9].x, 1);
    EXPECT_EQ(f.decoded[9].y, 1);
    EXPECT_EQ(f.decoded[9].tileOffset, 1000 + (255 - 9) * 32);
    EXPECT_EQ(f.decoded[9].colourOffset, 0x40);
    EXPECT_EQ(f.decoded[9].bytes, bytes.data());
    EXPECT_EQ(f.decoded[9].rotate, 1);
    EXPECT_EQ(f.decoded[9].mirror, 2);

    p.tilePalettes = palettes.data();
    f.decoded.clear();
    f.DecodeBlock(image, p);
    EXPECT_EQ(f.decoded[9].colourOffset, (255 - 9) << 2);

    f.Info().disableAdfPattern = 1;
    f.EncodeBlock(image, p);
    ASSERT_EQ(f.encoded.size(), 128u);
    EXPECT_EQ(f.encoded[127].x, 7);
    EXPECT_EQ(f.encoded[127].y, 15);
    EXPECT_EQ(f.encoded[127].tileOffset, 1000 + 127 * 32);
}

TEST(CFormat, BaseFormatHasNoTileCodec) {
    RecordingFormat probe(2, 8, 8);
    CFormat& base = probe;
    Image8 image(128, 128);
    image.Fill(9);
    std::vector<uint8_t> bytes(4096, 0x33);
    TileParams p{};
    p.bytes = bytes.data();
    base.CFormat::DecodeTile(image, &p);
    base.CFormat::EncodeTile(image, &p);
    EXPECT_EQ(image.Pixel(0, 0), 9);
    EXPECT_EQ(bytes[0], 0x33);
    EXPECT_EQ(base.CFormat::GetInfo(), &probe.Info());
}

} // namespace
} // namespace tavrin
