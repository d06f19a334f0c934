// Tile codecs on real, published tile data: decoding checked against a plain reading of each
// console's byte layout and against the PNG images the rgbds tiles were converted from, and
// every file decoded and re-encoded in every format, rotation and mirror.

#include "corpus/CorpusFiles.h"

#include "core/formats/CFormatTable.h"
#include "core/formats/PageCodec.h"
#include "support/RandomBytes.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using corpus::CorpusPath;

// A tile as 8 rows of 8 digits, the way the tests print pixel rows.
using TileRows = std::vector<std::string>;

enum class Layout { Nes2, Gb2, Snes4, Sms4, One1 };

// The byte layouts as the consoles define them, written out independently of the codecs:
// the planes of row r and the bytes per tile. The most significant bit is the leftmost pixel.
int LayoutTileBytes(Layout layout) {
    switch (layout) {
    case Layout::Nes2:
    case Layout::Gb2:
        return 16;
    case Layout::Snes4:
    case Layout::Sms4:
        return 32;
    case Layout::One1:
        return 8;
    }
    return 0;
}

std::vector<uint8_t> RowPlanes(Layout layout, const uint8_t* tile, int r) {
    switch (layout) {
    case Layout::Nes2:
        return {tile[r], tile[r + 8]};
    case Layout::Gb2:
        return {tile[2 * r], tile[2 * r + 1]};
    case Layout::Snes4:
        return {tile[2 * r], tile[2 * r + 1], tile[16 + 2 * r], tile[17 + 2 * r]};
    case Layout::Sms4:
        return {tile[4 * r], tile[4 * r + 1], tile[4 * r + 2], tile[4 * r + 3]};
    case Layout::One1:
        return {tile[r]};
    }
    return {};
}

TileRows ReferenceTile(Layout layout, const uint8_t* tile) {
    TileRows rows;
    for (int r = 0; r < 8; ++r) {
        const std::vector<uint8_t> planes = RowPlanes(layout, tile, r);
        std::string row;
        for (int x = 0; x < 8; ++x) {
            int value = 0;
            for (size_t p = 0; p < planes.size(); ++p)
                value |= ((planes[p] >> (7 - x)) & 1) << p;
            row += static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10);
        }
        rows.push_back(row);
    }
    return rows;
}

// Tile n of a decoded page of 8 x 8 tiles (16 per row).
TileRows PageTile(const Image8& page, int n) {
    TileRows rows;
    for (int r = 0; r < 8; ++r) {
        std::string row;
        for (int x = 0; x < 8; ++x) {
            const int value = page.Pixel((n % 16) * 8 + x, (n / 16) * 8 + r);
            row += static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10);
        }
        rows.push_back(row);
    }
    return rows;
}

TileRows Transformed(const TileRows& t, bool mirrorX, bool mirrorY) {
    TileRows out = t;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            out[y][x] = t[mirrorY ? 7 - y : y][mirrorX ? 7 - x : x];
    return out;
}

TileRows QuarterTurn(const TileRows& t, bool clockwise) {
    TileRows out = t;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            out[y][x] = clockwise ? t[7 - x][y] : t[x][7 - y];
    return out;
}

CFormat* FormatNamed(CFormatTable& table, const std::string& name) {
    for (int i = 0; i < table.Count(); ++i)
        if (table.Get(i)->Name() == name)
            return table.Get(i);
    return nullptr;
}

// The file's bytes in a buffer of whole pages, the rest filled with seeded noise so that an
// encoder writing where it should not shows up.
std::vector<uint8_t> PagedBuffer(const std::vector<uint8_t>& data, int offset, int pageBytes,
                                 uint32_t seed) {
    const size_t used = offset + data.size();
    const size_t pages = std::max<size_t>(1, (used + pageBytes - 1) / pageBytes) + 1;
    std::vector<uint8_t> buffer = test::RandomBytes(pages * pageBytes, seed);
    std::copy(data.begin(), data.end(), buffer.begin() + offset);
    return buffer;
}

// Decodes every page of the buffer and encodes it straight back with the same settings.
void RoundTripPages(CFormat& format, std::vector<uint8_t>& buffer, int offset, int rotate,
                    int mirror) {
    const int pageBytes = PageBytesFor(format.BitsPerPixel());
    Image8 page(128, 128);
    PageSettings s;
    s.rotateIndex = rotate;
    s.mirrorIndex = mirror;
    for (s.address = offset; s.address + pageBytes <= static_cast<int>(buffer.size());
         s.address += pageBytes) {
        page.Fill(0xEE);
        DecodePage(format, buffer.data(), s, page);
        EncodePage(format, buffer.data(), s, page);
    }
}

struct TileFile {
    const char* path;
    Layout layout;
    const char* format; // the format the file is in
};

const TileFile kTileFiles[] = {
    {"NES-ca65-example/background.chr", Layout::Nes2, "2BPP NES"},
    {"NES-ca65-example/sprite.chr", Layout::Nes2, "2BPP NES"},
    {"M1TE2/Sample/Platform4bpp.chr", Layout::Snes4, "4BPP SNES/PCE CG"},
    {"M1TE2/Sample/Alpha2bpp.chr", Layout::Gb2, "2BPP GB"},
    {"M1TE2/SNES_16x16/M1TE/flip4bpp.chr", Layout::Snes4, "4BPP SNES/PCE CG"},
    {"M1TE2/SNES_16x16/M1TE/flip2bpp.chr", Layout::Gb2, "2BPP GB"},
    {"smslib/bubble/patterns.bin", Layout::Sms4, "4BPP SMS/GG/WSC"},
    {"smslib/metatiles/patterns.bin", Layout::Sms4, "4BPP SMS/GG/WSC"},
    {"smslib/tilemap/patterns.bin", Layout::Sms4, "4BPP SMS/GG/WSC"},
    {"rgbds/test/gfx/dmg_1bit_round_trip.1bpp", Layout::One1, "1BPP"},
    {"rgbds/test/gfx/reverse_1bit.1bpp", Layout::One1, "1BPP"},
    {"rgbds/test/gfx/dmg_round_trip.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/none_round_trip.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/reverse_base_wrap.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/reverse_curve.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/unoptimized-full.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/complete_unoptimized.out.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/full_png.out.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/input_tileset.in.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/mirror_xy.out.2bpp", Layout::Gb2, "2BPP GB"},
    {"rgbds/test/gfx/write_stdout.out.2bpp", Layout::Gb2, "2BPP GB"},
};

class CorpusTileFile : public ::testing::TestWithParam<TileFile> {};

// Every tile of the file, decoded in its own format, reads as the console's layout says.
TEST_P(CorpusTileFile, DecodesAsTheConsoleLayoutReads) {
    const TileFile& file = GetParam();
    std::vector<uint8_t> data;
    LOAD_CORPUS_OR_SKIP(file.path, data);
    CFormatTable table;
    CFormat* format = FormatNamed(table, file.format);
    ASSERT_NE(format, nullptr) << file.format;
    const int tileBytes = LayoutTileBytes(file.layout);
    const int pageBytes = PageBytesFor(format->BitsPerPixel());
    ASSERT_EQ(pageBytes, 256 * tileBytes);
    std::vector<uint8_t> buffer = PagedBuffer(data, 0, pageBytes, 1);

    format->Activate();
    Image8 page(128, 128);
    PageSettings s;
    int checked = 0;
    for (s.address = 0; s.address < static_cast<int>(data.size()); s.address += pageBytes) {
        DecodePage(*format, buffer.data(), s, page);
        for (int n = 0; n < 256 && s.address + (n + 1) * tileBytes <= static_cast<int>(data.size());
             ++n, ++checked) {
            const TileRows expected =
                ReferenceTile(file.layout, data.data() + s.address + n * tileBytes);
            ASSERT_EQ(PageTile(page, n), expected)
                << file.path << " tile " << s.address / tileBytes + n;
        }
    }
    format->Deactivate();
    EXPECT_EQ(checked, static_cast<int>(data.size()) / tileBytes);
}

// Half turn and mirrors flip each cell on its own; a quarter turn and three quarters turn the
// cell opposite ways.
TEST_P(CorpusTileFile, RotationsAndMirrorsTransformEachCell) {
    const TileFile& file = GetParam();
    std::vector<uint8_t> data;
    LOAD_CORPUS_OR_SKIP(file.path, data);
    CFormatTable table;
    CFormat* format = FormatNamed(table, file.format);
    ASSERT_NE(format, nullptr);
    const int tileBytes = LayoutTileBytes(file.layout);
    std::vector<uint8_t> buffer = PagedBuffer(data, 0, PageBytesFor(format->BitsPerPixel()), 2);
    const int tiles = std::min<int>(256, static_cast<int>(data.size()) / tileBytes);

    format->Activate();
    auto decode = [&](int rotate, int mirror) {
        Image8 page(128, 128);
        PageSettings s;
        s.rotateIndex = rotate;
        s.mirrorIndex = mirror;
        DecodePage(*format, buffer.data(), s, page);
        return page;
    };
    const Image8 plain = decode(0, 0);
    const Image8 mirrorX = decode(0, 1), mirrorY = decode(0, 2), both = decode(0, 3);
    const Image8 half = decode(2, 0), quarter = decode(1, 0), threeQuarters = decode(3, 0);
    format->Deactivate();

    int asymmetric = 0;
    bool quarterClockwise = true;
    for (int n = 0; n < tiles; ++n) {
        const TileRows t = PageTile(plain, n);
        EXPECT_EQ(PageTile(mirrorX, n), Transformed(t, true, false)) << file.path << " tile " << n;
        EXPECT_EQ(PageTile(mirrorY, n), Transformed(t, false, true)) << file.path << " tile " << n;
        EXPECT_EQ(PageTile(both, n), Transformed(t, true, true)) << file.path << " tile " << n;
        EXPECT_EQ(PageTile(half, n), Transformed(t, true, true)) << file.path << " tile " << n;
        const TileRows cw = QuarterTurn(t, true), ccw = QuarterTurn(t, false);
        if (cw == ccw)
            continue;
        // The direction is fixed by the first tile that tells them apart, then held.
        if (asymmetric++ == 0)
            quarterClockwise = PageTile(quarter, n) == cw;
        EXPECT_EQ(PageTile(quarter, n), quarterClockwise ? cw : ccw) << file.path << " tile " << n;
        EXPECT_EQ(PageTile(threeQuarters, n), quarterClockwise ? ccw : cw)
            << file.path << " tile " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusTileFile, ::testing::ValuesIn(kTileFiles));

// Every corpus file that holds tiles, the ROMs included, in every format.
const char* const kRoundTripFiles[] = {
    "NES-ca65-example/background.chr",
    "NES-ca65-example/sprite.chr",
    "NES-ca65-example/example.nes",
    "nes-open-db/kubo/kubo.nes",
    "nes-open-db/nesert-golfing/nesert-golfing.nes",
    "M1TE2/Sample/Platform4bpp.chr",
    "M1TE2/Sample/Alpha2bpp.chr",
    "M1TE2/SNES_16x16/M1TE/flip4bpp.chr",
    "M1TE2/SNES_16x16/M1TE/flip2bpp.chr",
    "smslib/bubble/patterns.bin",
    "smslib/metatiles/patterns.bin",
    "smslib/tilemap/patterns.bin",
    "rgbds/test/gfx/alpha_grayscale.out.2bpp",
    "rgbds/test/gfx/color_curve.out.2bpp",
    "rgbds/test/gfx/complete_unoptimized.out.2bpp",
    "rgbds/test/gfx/dmg_1bit_round_trip.1bpp",
    "rgbds/test/gfx/empty_lines.out.2bpp",
    "rgbds/test/gfx/font_nums.out.2bpp",
    "rgbds/test/gfx/full_hex.out.2bpp",
    "rgbds/test/gfx/input_tileset.out.2bpp",
    "rgbds/test/gfx/mirror_x.out.2bpp",
    "rgbds/test/gfx/reverse_1bit.1bpp",
    "rgbds/test/gfx/reverse_base_wrap.2bpp",
    "rgbds/test/gfx/trim_deduplicated.out.2bpp",
    "rgbds/test/gfx/unoptimized-full.2bpp",
    "rgbds/test/gfx/warn_trim_nonempty.out.2bpp",
};

class CorpusRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(CorpusRoundTrip, EveryFormatRotationAndMirrorReproducesTheBytes) {
    std::vector<uint8_t> data;
    LOAD_CORPUS_OR_SKIP(GetParam(), data);
    CFormatTable table;
    for (int f = 0; f < table.Count(); ++f) {
        CFormat& format = *table.Get(f);
        const int pageBytes = PageBytesFor(format.BitsPerPixel());
        format.Activate();
        for (int rotate = 0; rotate < 4; ++rotate) {
            for (int mirror = 0; mirror < 4; ++mirror) {
                // Pages from the file's first byte, and shifted off any alignment.
                for (int offset : {0, 3}) {
                    if (offset != 0 && (rotate != 0 || mirror != 0))
                        continue;
                    const std::vector<uint8_t> original =
                        PagedBuffer(data, offset, pageBytes, 7u + static_cast<uint32_t>(f));
                    std::vector<uint8_t> buffer = original;
                    RoundTripPages(format, buffer, offset, rotate, mirror);
                    const auto diff = std::mismatch(buffer.begin(), buffer.end(), original.begin());
                    EXPECT_TRUE(diff.first == buffer.end())
                        << GetParam() << " in " << format.Name() << ", rotate " << rotate
                        << ", mirror " << mirror << ", offset " << offset
                        << ": first changed byte at " << (diff.first - buffer.begin());
                }
            }
        }
        format.Deactivate();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusRoundTrip, ::testing::ValuesIn(kRoundTripFiles));

// The rgbds tile files whose tiles are the PNG's tiles in reading order, one colour per index.
const char* const kPairedImages[] = {
    "alpha_grayscale",  "alpha_rgb",
    "dmg_2bit",         "dmg_plte",
    "empty_lines",      "font_nums",
    "full_aco",         "full_act",
    "full_gbc",         "full_gpl",
    "full_png",         "full_psp",
    "invalid-bkgd",     "multiple_manual_pals",
    "unoptimized-full",
};

// A pixel's colour as the converter tells colours apart: every fully transparent pixel is
// the same colour whatever its RGB.
QRgb ColourKey(const QImage& image, int x, int y) {
    const QRgb c = image.pixel(x, y);
    return qAlpha(c) == 0 ? 0 : c;
}

class CorpusPairedImage : public ::testing::TestWithParam<const char*> {};

// Decoding the tiles as "2BPP GB" gives the picture back: within each tile (a tile may use
// its own palette) each index stands for exactly one colour of the PNG and each colour for
// exactly one index, pixel by pixel.
TEST_P(CorpusPairedImage, DecodedIndicesPartitionThePngLikeItsColours) {
    const std::string stem = std::string("rgbds/test/gfx/") + GetParam();
    std::string tilePath = stem + ".out.2bpp";
    if (!FileExists(CorpusPath(tilePath)))
        tilePath = stem + ".2bpp";
    std::vector<uint8_t> data;
    LOAD_CORPUS_OR_SKIP(tilePath, data);
    const std::string pngPath = CorpusPath(stem + ".png");
    if (!FileExists(pngPath))
        GTEST_SKIP() << "corpus file absent: " << pngPath;
    const QImage png(QString::fromStdString(pngPath));
    ASSERT_FALSE(png.isNull()) << pngPath;
    ASSERT_EQ(png.width() % 8, 0);
    ASSERT_EQ(png.height() % 8, 0);
    const int columns = png.width() / 8;
    const int tiles = columns * (png.height() / 8);
    ASSERT_EQ(static_cast<int>(data.size()), tiles * 16) << "one tile per 8 x 8 cell of the PNG";

    CFormatTable table;
    CFormat* format = FormatNamed(table, "2BPP GB");
    ASSERT_NE(format, nullptr);
    std::vector<uint8_t> buffer = PagedBuffer(data, 0, PageBytesFor(2), 3);
    format->Activate();
    Image8 page(128, 128);
    PageSettings s;
    size_t mostIndices = 0;
    for (int t = 0; t < tiles; ++t) {
        std::map<int, QRgb> colourOfIndex;
        std::map<QRgb, int> indexOfColour;
        if (t % 256 == 0) {
            s.address = t * 16;
            DecodePage(*format, buffer.data(), s, page);
        }
        const int n = t % 256;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const int index = page.Pixel((n % 16) * 8 + x, (n / 16) * 8 + y);
                const QRgb colour = ColourKey(png, (t % columns) * 8 + x, (t / columns) * 8 + y);
                const auto [ci, newIndex] = colourOfIndex.emplace(index, colour);
                const auto [ic, newColour] = indexOfColour.emplace(colour, index);
                ASSERT_EQ(ci->second, colour)
                    << GetParam() << " tile " << t << " (" << x << ", " << y << "): index " << index
                    << " was colour " << std::hex << ci->second << ", now " << colour;
                ASSERT_EQ(ic->second, index)
                    << GetParam() << " tile " << t << " (" << x << ", " << y << "): colour "
                    << std::hex << colour << " was index " << std::dec << ic->second << ", now "
                    << index;
            }
        }
        mostIndices = std::max(mostIndices, colourOfIndex.size());
    }
    format->Deactivate();
    EXPECT_GE(mostIndices, 2u) << "some tile of more than one colour";
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusPairedImage, ::testing::ValuesIn(kPairedImages));

// On the Game Boy the grey levels run from white (index 0) to black (index 3).
TEST(CorpusGreyImage, Dmg2BitIndicesFollowTheGreyLevels) {
    std::vector<uint8_t> data;
    LOAD_CORPUS_OR_SKIP("rgbds/test/gfx/dmg_2bit.out.2bpp", data);
    const std::string pngPath = CorpusPath("rgbds/test/gfx/dmg_2bit.png");
    if (!FileExists(pngPath))
        GTEST_SKIP() << "corpus file absent: " << pngPath;
    const QImage png(QString::fromStdString(pngPath));
    ASSERT_EQ(png.size(), QSize(8, 8));
    CFormatTable table;
    CFormat* format = FormatNamed(table, "2BPP GB");
    ASSERT_NE(format, nullptr);
    std::vector<uint8_t> buffer = PagedBuffer(data, 0, PageBytesFor(2), 4);
    format->Activate();
    Image8 page(128, 128);
    DecodePage(*format, buffer.data(), PageSettings{}, page);
    format->Deactivate();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(page.Pixel(x, y), 3 - qGray(png.pixel(x, y)) / 85) << x << ", " << y;
}

} // namespace
} // namespace tavrin
