#include "core/formats/CFormatTable.h"
#include "core/formats/PageCodec.h"
#include "core/formats/PluginFolder.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

namespace tavrin {
namespace {

// The value of pixel (r, c) of the tile at src, read straight from each sample's layout.
int PackedPixel(const uint8_t* src, int r, int c) {
    return (src[2 * r + c / 4] >> (6 - 2 * (c % 4))) & 3;
}
int LinearPixel(const uint8_t* src, int r, int c) {
    return src[8 * r + c];
}
int Snes8Pixel(const uint8_t* src, int r, int c) {
    int value = 0;
    for (int bit = 0; bit < 8; ++bit)
        value |= ((src[16 * (bit / 2) + 2 * r + bit % 2] >> (7 - c)) & 1) << bit;
    return value;
}

struct Sample {
    const char* name;
    int bpp;
    int (*pixel)(const uint8_t*, int, int);
};
const Sample Samples[] = {
    {"2BPP packed", 2, PackedPixel},
    {"8BPP linear", 8, LinearPixel},
    {"8BPP SNES", 8, Snes8Pixel},
};

// Where a decoded pixel (r, c) of an 8 x 8 cell is shown: turned by the rotation code, then
// mirrored by the mirror code.
std::pair<int, int> Shown(int rotate, int mirror, int r, int c) {
    int tr = r, tc = c;
    if (rotate == 1)
        tr = c, tc = 7 - r;
    else if (rotate == 2)
        tr = 7 - r, tc = 7 - c;
    else if (rotate == 3)
        tr = 7 - c, tc = r;
    if (mirror & 1)
        tc = 7 - tc;
    if (mirror & 2)
        tr = 7 - tr;
    return {tr, tc};
}

Image8 ExpectedPage(const Sample& s, const std::vector<uint8_t>& bytes, const PageSettings& page) {
    Image8 image(128, 128);
    const int tileBytes = 8 * s.bpp;
    for (int n = 0; n < 256; ++n) {
        const int t = page.pattern ? page.pattern[n] : n;
        const int offset = page.tilePalettes ? page.tilePalettes[t] << s.bpp : page.colourOffset;
        const uint8_t* src = bytes.data() + page.address + t * tileBytes;
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                const auto [sr, sc] = Shown(page.rotateIndex, page.mirrorIndex, r, c);
                image.SetPixel((n % 16) * 8 + sc, (n / 16) * 8 + sr,
                               static_cast<uint8_t>(s.pixel(src, r, c) | offset));
            }
        }
    }
    return image;
}

class SamplePlugins : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_table.LoadPlugins(std::string(TAVRIN_BIN_DIR) + "/plugin-samples",
                                        [](const std::string& m) { ADD_FAILURE() << m; }));
        ASSERT_EQ(m_table.Count(), 16);
    }
    CFormatTable m_table;
};

TEST_F(SamplePlugins, RecordsAndListLines) {
    const char* lines[] = {"Ver.3  2BPP packed ( p2bpp ) ", "Ver.3  8BPP linear ( 8bpp ) ",
                           "Ver.3  8BPP SNES ( cgx ) "};
    const std::string tail = " by Tavrin project  ( https://tavrin.example.org/plugins ) ";
    for (int i = 0; i < 3; ++i) {
        CFormat& f = *m_table.Get(13 + i);
        EXPECT_EQ(f.Name(), Samples[i].name);
        EXPECT_EQ(f.BitsPerPixel(), Samples[i].bpp);
        EXPECT_EQ(f.GetInfo()->width, 8);
        EXPECT_EQ(f.GetHeader().version, 3);
        EXPECT_EQ(m_table.ListLine(13 + i), lines[i] + tail);
    }
    EXPECT_EQ(m_table.FindByExtension("tiles.P2BPP"), 13);
    EXPECT_EQ(m_table.FindByExtension("font.8bpp"), 14);
    EXPECT_EQ(m_table.FindByExtension("mode7.cgx"), 15);
    EXPECT_EQ(m_table.FindByExtension("game.sfc"), 7);
    EXPECT_EQ(PageBytesFor(8), 16384);
}

// Every rotation and mirror, with and without a pattern and tile palettes: the page decodes
// as the layout says and encodes back to exactly the bytes it came from.
TEST_F(SamplePlugins, PagesRoundTripBitExactlyUnderEveryTransform) {
    std::vector<uint8_t> pattern(256);
    std::iota(pattern.begin(), pattern.end(), 0);
    std::shuffle(pattern.begin(), pattern.end(), std::mt19937(7));
    std::vector<uint8_t> palettes(256);
    for (int t = 0; t < 256; ++t)
        palettes[static_cast<size_t>(t)] = static_cast<uint8_t>(t % 5);
    std::mt19937 rng(3);
    for (int i = 0; i < 3; ++i) {
        const Sample& s = Samples[i];
        CFormat& format = *m_table.Get(13 + i);
        format.Activate();
        const int pageBytes = PageBytesFor(s.bpp);
        std::vector<uint8_t> bytes(static_cast<size_t>(pageBytes) + 200);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(rng());
        for (int transform = 0; transform < 32; ++transform) {
            PageSettings page;
            page.address = 100;
            page.rotateIndex = transform % 4;
            page.mirrorIndex = transform / 4 % 4;
            if (transform >= 16) {
                page.pattern = pattern.data();
                page.tilePalettes = palettes.data();
            } else {
                page.colourOffset = s.bpp == 2 ? 0x14 : 0;
            }
            const std::string what =
                std::string(s.name) + " transform " + std::to_string(transform);

            Image8 image(128, 128);
            DecodePage(format, bytes.data(), page, image);
            ASSERT_TRUE(image == ExpectedPage(s, bytes, page)) << what;

            std::vector<uint8_t> encoded = bytes;
            std::fill_n(encoded.begin() + page.address, pageBytes, uint8_t{0});
            EncodePage(format, encoded.data(), page, image);
            ASSERT_TRUE(encoded == bytes) << what;
        }
        format.Deactivate();
    }
}

} // namespace
} // namespace tavrin
