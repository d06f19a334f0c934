#include "qt/ImageBridge.h"
#include "qt/PngWriter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <random>

using namespace tavrin;

namespace {

Image8 RandomImage(int w, int h, uint32_t seed, int mask) {
    std::mt19937 rng(seed);
    Image8 image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.ScanLine(y)[x] = static_cast<uint8_t>(rng() & mask);
    for (int i = 0; i < 256; ++i)
        image.Colours()[static_cast<size_t>(i)] = MakeColour(i, 255 - i, (i * 7) & 0xFF);
    return image;
}

Image8 Decode(const std::vector<uint8_t>& png) {
    QImage q;
    EXPECT_TRUE(q.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
    Image8 back;
    EXPECT_TRUE(FromIndexedQImage(q, back));
    return back;
}

} // namespace

// Small images go through one deflate stream, tall ones through parts joined into one; a
// reader must see the same indices and palette either way, at every level.
TEST(PngWriter, IndicesAndPaletteSurviveAnyReader) {
    for (const int height : {1, 128, 4096, 9001}) {
        for (const int level : {1, 6, 9}) {
            SCOPED_TRACE("height " + std::to_string(height) + " level " + std::to_string(level));
            const Image8 image = RandomImage(128, height, static_cast<uint32_t>(height), 0x0F);
            const Image8 back = Decode(EncodeIndexedPng(image, level));
            ASSERT_EQ(back.Width(), 128);
            ASSERT_EQ(back.Height(), height);
            EXPECT_TRUE(std::equal(image.Bits(), image.Bits() + 128 * height, back.Bits()));
            EXPECT_EQ(back.Colours(), image.Colours());
        }
    }
}

TEST(PngWriter, OddWidthsAndAnEmptyImage) {
    const Image8 image = RandomImage(3, 5000, 9, 0xFF);
    const Image8 back = Decode(EncodeIndexedPng(image));
    EXPECT_TRUE(std::equal(image.Bits(), image.Bits() + 3 * 5000, back.Bits()));
    EXPECT_TRUE(EncodeIndexedPng(Image8()).empty());
    EXPECT_FALSE(WriteIndexedPng("/nonexistent-dir/x.png", image));
}
