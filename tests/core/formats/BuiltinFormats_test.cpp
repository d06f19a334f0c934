#include "core/formats/BuiltinFormats.h"
#include "core/formats/CFormatTable.h"

#include "core/formats/ReferenceLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::BuiltinCount;
using test::CellRows;

struct Expected {
    const char* name;
    int bpp;
    int size;
    const char* extensions;
    int autoPalette;
    int defaultPalette;
    int disableAdf;
};

// The built-in formats' records, in table order.
const Expected Builtins[BuiltinCount] = {
    {"1BPP", 1, 8, "bin", 0, 0, 0},
    {"2BPP NES", 2, 8, "chr,nes,fds,fam", 1, 0, 0},
    {"2BPP GB", 2, 8, "gb,gbc", 1, 0, 0},
    {"2BPP NGP", 2, 8, "ngp,npc,ngc", 1, 0, 0},
    {"2BPP VB", 2, 8, "vb", 1, 0, 0},
    {"2BPP MSX", 2, 8, "", 1, 0, 0},
    {"3BPP SNES", 3, 8, "smc,sfc,fig", 1, 1, 0},
    {"4BPP SNES/PCE CG", 4, 8, "smc,sfc,fig,pce", 1, 1, 0},
    {"4BPP GBA", 4, 8, "gba", 1, 1, 0},
    {"4BPP SMS/GG/WSC", 4, 8, "sms,gg,ws,wsc", 1, 1, 0},
    {"4BPP MSX/MD/WSC", 4, 8, "rom,smd", 1, 1, 0},
    {"4BPP PCE SG(16x16)", 4, 16, "pce", 1, 1, 1},
    {"1BPP (16x16)", 1, 16, "", 0, 0, 1},
};

// Decodes the tile at the start of bytes into the top-left cell of a 128 x 128 image.
Image8 DecodeOne(CFormat& format, std::vector<uint8_t>& bytes, int colourOffset = 0) {
    Image8 image(128, 128);
    TileParams p{};
    p.bytes = bytes.data();
    p.colourOffset = colourOffset;
    format.DecodeTile(image, &p);
    return image;
}

void EncodeOne(CFormat& format, Image8& image, std::vector<uint8_t>& bytes) {
    TileParams p{};
    p.bytes = bytes.data();
    format.EncodeTile(image, &p);
}

TEST(BuiltinFormats, RecordsFollowTheTable) {
    CFormatTable table;
    ASSERT_EQ(table.Count(), BuiltinCount);
    for (int i = 0; i < BuiltinCount; ++i) {
        SCOPED_TRACE(i);
        CFormat& f = *table.Get(i);
        const FormatInfo& info = *f.GetInfo();
        const Expected& e = Builtins[i];
        EXPECT_EQ(f.Name(), e.name);
        EXPECT_EQ(info.bitsPerPixel, e.bpp);
        EXPECT_EQ(info.width, e.size);
        EXPECT_EQ(info.height, e.size);
        EXPECT_EQ(std::string(info.extensions), e.extensions);
        EXPECT_EQ(info.autoPaletteMode, e.autoPalette);
        EXPECT_EQ(info.defaultPaletteMode, e.defaultPalette);
        EXPECT_EQ(info.disableAdfPattern, e.disableAdf);
        EXPECT_EQ(info.indexMode, 0);
        EXPECT_EQ(info.maxIndex, 0);
        EXPECT_EQ(info.compress, 0);
        EXPECT_EQ(info.loadOnly, 0);
        EXPECT_EQ(f.GetHeader().version, 3);
        EXPECT_EQ(f.GetHeader().revision, 1);
        EXPECT_EQ(std::string(f.GetHeader().author), "-");
        EXPECT_EQ(std::string(f.GetHeader().url), "-");
        EXPECT_EQ(f.BitsPerPixel(), e.bpp);
        EXPECT_EQ(f.Colours(), 1 << e.bpp);
        EXPECT_EQ(f.ColourMask(), (1 << e.bpp) - 1);
        // A block covers 2048 x bpp bytes in every built-in format.
        EXPECT_EQ(BytesPerTile(info) * (128 / e.size) * (128 / e.size), 2048 * e.bpp);
    }
}

TEST(BuiltinFormats, NesWorkedExample) {
    CFormat_2NES nes;
    std::vector<uint8_t> bytes(16, 0);
    bytes[0] = 0x80;
    bytes[8] = 0xC0;
    const Image8 image = DecodeOne(nes, bytes);
    const std::vector<std::string> expected = {"32000000", "00000000", "00000000", "00000000",
                                               "00000000", "00000000", "00000000", "00000000"};
    EXPECT_EQ(CellRows(image, 0, 0, 8), expected);
}

TEST(BuiltinFormats, PackedTwoBitWorkedExamples) {
    std::vector<uint8_t> bytes(16, 0);
    bytes[1] = 0xC0;
    CFormat_2NGP ngp;
    EXPECT_EQ(CellRows(DecodeOne(ngp, bytes), 0, 0, 8)[0], "30000000");
    CFormat_2VB vb;
    EXPECT_EQ(CellRows(DecodeOne(vb, bytes), 0, 0, 8)[0], "00000003");
    // NGP keeps pixel 0 at the top of the word; VB at the bottom.
    bytes = std::vector<uint8_t>(16, 0);
    bytes[0] = 0b00'01'10'11;
    bytes[1] = 0b11'10'01'00;
    EXPECT_EQ(CellRows(DecodeOne(ngp, bytes), 0, 0, 8)[0], "32100123");
    EXPECT_EQ(CellRows(DecodeOne(vb, bytes), 0, 0, 8)[0], "32100123");
}

TEST(BuiltinFormats, PackedFourBitWorkedExamples) {
    std::vector<uint8_t> bytes(32, 0);
    bytes[0] = 0x21;
    bytes[3] = 0xFE;
    CFormat_4GBA gba;
    EXPECT_EQ(CellRows(DecodeOne(gba, bytes), 0, 0, 8)[0], "120000EF");
    CFormat_4MSX msx;
    EXPECT_EQ(CellRows(DecodeOne(msx, bytes), 0, 0, 8)[0], "210000FE");
}

TEST(BuiltinFormats, RowPairPlanesWorkedExample) {
    // Row 1: bit 0 from byte 2, bit 1 from byte 3, bit 2 from byte 18, bit 3 from byte 19.
    std::vector<uint8_t> bytes(32, 0);
    bytes[2] = 0x80;
    bytes[3] = 0x40;
    bytes[18] = 0x20;
    bytes[19] = 0x10;
    CFormat_4SNES snes4;
    EXPECT_EQ(CellRows(DecodeOne(snes4, bytes), 0, 0, 8)[1], "12480000");
    // 3BPP shares the first 16 bytes; its bit 2 of row 1 is byte 17.
    bytes[17] = 0x01;
    CFormat_3SNES snes3;
    EXPECT_EQ(CellRows(DecodeOne(snes3, bytes), 0, 0, 8)[1], "12000004");
    CFormat_2GB gb;
    EXPECT_EQ(CellRows(DecodeOne(gb, bytes), 0, 0, 8)[1], "12000000");
}

TEST(BuiltinFormats, RowInterleavedPlanesWorkedExample) {
    std::vector<uint8_t> bytes(32, 0);
    bytes[4] = 0x80; // row 1, bit 0
    bytes[5] = 0x80; // row 1, bit 1
    bytes[7] = 0x01; // row 1, bit 3
    CFormat_4SMS sms;
    EXPECT_EQ(CellRows(DecodeOne(sms, bytes), 0, 0, 8)[1], "30000008");
}

TEST(BuiltinFormats, SixteenPixelFormatsPutTheLeftHalfWhereTheLayoutSays) {
    CFormat_4PceSG pce;
    Image8 image(128, 128);
    image.SetPixel(0, 0, 1);
    std::vector<uint8_t> bytes(128, 0);
    EncodeOne(pce, image, bytes);
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0x80);
    for (size_t i = 2; i < bytes.size(); ++i)
        EXPECT_EQ(bytes[i], 0) << i;

    CFormat_1bpp16 one16;
    image.Fill(0);
    image.SetPixel(8, 0, 1);
    bytes.assign(32, 0);
    EncodeOne(one16, image, bytes);
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0x80);

    // PCE SG plane 3 of row 15: bytes 127 (left half) and 126 (right half).
    bytes.assign(128, 0);
    bytes[127] = 0x01;
    bytes[126] = 0x80;
    const std::vector<std::string> rows = CellRows(DecodeOne(pce, bytes), 0, 0, 16);
    EXPECT_EQ(rows[15], "0000000880000000");
}

TEST(BuiltinFormats, EncodingDropsTheColourOffset) {
    CFormat_2NES nes;
    Image8 image(128, 128);
    for (int c = 0; c < 8; ++c)
        image.SetPixel(c, 0, static_cast<uint8_t>(0x10 + c % 4));
    std::vector<uint8_t> withOffset(16, 0xAA);
    EncodeOne(nes, image, withOffset);
    for (int c = 0; c < 8; ++c)
        image.SetPixel(c, 0, static_cast<uint8_t>(c % 4));
    std::vector<uint8_t> plain(16, 0x55);
    EncodeOne(nes, image, plain);
    EXPECT_EQ(withOffset, plain);
    EXPECT_EQ(plain[0], 0b0101'0101);
    EXPECT_EQ(plain[8], 0b0011'0011);
}

TEST(BuiltinFormats, DecodingOrsTheColourOffset) {
    CFormat_2NES nes;
    std::vector<uint8_t> bytes(16, 0);
    bytes[0] = 0b0101'0101;
    bytes[8] = 0b0011'0011;
    EXPECT_EQ(CellRows(DecodeOne(nes, bytes, 8), 0, 0, 8)[0], "89AB89AB");
}

TEST(BuiltinFormats, NullParamsAndCellsOutsideTheImageAreIgnored) {
    CFormatTable table;
    for (int i = 0; i < BuiltinCount; ++i) {
        CFormat& f = *table.Get(i);
        Image8 image(128, 128);
        image.Fill(7);
        std::vector<uint8_t> bytes(256, 0x5A);
        f.DecodeTile(image, nullptr);
        f.EncodeTile(image, nullptr);
        TileParams p{};
        p.bytes = bytes.data();
        p.x = 128 / test::TileSize(i); // one column past the image
        f.DecodeTile(image, &p);
        f.EncodeTile(image, &p);
        p.x = 0;
        p.y = -1;
        f.DecodeTile(image, &p);
        f.EncodeTile(image, &p);
        Image8 small(4, 4);
        p.y = 0;
        f.DecodeTile(small, &p);
        Image8 untouched(128, 128);
        untouched.Fill(7);
        EXPECT_EQ(image, untouched) << i;
        EXPECT_EQ(bytes, std::vector<uint8_t>(256, 0x5A)) << i;
    }
}

// Every fast codec against the bit-by-bit reference, both directions, on random tiles.
TEST(BuiltinFormats, CodecsMatchTheBitByBitReference) {
    CFormatTable table;
    for (int i = 0; i < BuiltinCount; ++i) {
        CFormat& f = *table.Get(i);
        const int n = test::TileSize(i);
        const auto span = static_cast<size_t>(test::TileSpan(i));
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            SCOPED_TRACE(testing::Message() << f.Name() << " seed " << seed);
            std::vector<uint8_t> bytes = test::RandomBytes(span, seed);
            const auto offset = static_cast<uint8_t>((seed * 37) & 0xF0);
            const Image8 image = DecodeOne(f, bytes, offset);
            const std::vector<uint8_t> expected = test::ReferenceDecode(i, bytes.data(), offset);
            std::vector<uint8_t> got;
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    got.push_back(image.Pixel(c, r));
            ASSERT_EQ(got, expected);

            // Encode random pixels (high bits set too) over other random bytes.
            const std::vector<uint8_t> pixels =
                test::RandomBytes(static_cast<size_t>(n * n), seed + 1000);
            Image8 source(128, 128);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    source.SetPixel(c, r, pixels[static_cast<size_t>(r * n + c)]);
            std::vector<uint8_t> fast = test::RandomBytes(span, seed + 2000);
            std::vector<uint8_t> reference = fast;
            EncodeOne(f, source, fast);
            test::ReferenceEncode(i, pixels, reference.data());
            ASSERT_EQ(fast, reference);
        }
    }
}

TEST(BuiltinFormats, TileDecodeThenEncodeKeepsEveryByte) {
    CFormatTable table;
    for (int i = 0; i < BuiltinCount; ++i) {
        CFormat& f = *table.Get(i);
        for (uint32_t seed = 100; seed < 120; ++seed) {
            const std::vector<uint8_t> original =
                test::RandomBytes(static_cast<size_t>(test::TileSpan(i)), seed);
            std::vector<uint8_t> bytes = original;
            Image8 image = DecodeOne(f, bytes, 0xF0 & static_cast<int>(seed * 16));
            std::fill(bytes.begin(), bytes.end(), 0);
            if (i == test::Fmt2MSX) // bytes 8-31 belong to the group's other tiles
                std::copy(original.begin() + 8, original.begin() + 32, bytes.begin() + 8);
            EncodeOne(f, image, bytes);
            EXPECT_EQ(bytes, original) << f.Name() << " seed " << seed;
        }
    }
}

TEST(BuiltinFormats, MsxTileAddressesGroupFourTiles) {
    CFormat_2MSX msx;
    EXPECT_EQ(msx.TileAddress(1000, 0, 16), 1000);
    EXPECT_EQ(msx.TileAddress(1000, 3, 16), 1024);
    EXPECT_EQ(msx.TileAddress(1000, 4, 16), 1064);
    EXPECT_EQ(msx.TileAddress(1000, 5, 16), 1072);
    EXPECT_EQ(msx.TileAddress(0, 255, 16), 63 * 64 + 24);
    CFormat_2NES nes;
    EXPECT_EQ(nes.TileAddress(1000, 5, 16), 1080);
}

} // namespace
} // namespace tavrin
