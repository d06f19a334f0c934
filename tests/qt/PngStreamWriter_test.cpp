#include "qt/ImageBridge.h"
#include "qt/PngStreamWriter.h"
#include "qt/PngWriter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <random>

using namespace tavrin;

namespace {

Image8 RandomImage(int height, int mask) {
    std::mt19937 rng(static_cast<uint32_t>(height));
    Image8 image(128, height);
    for (int i = 0; i < 128 * height; ++i)
        image.Bits()[i] = static_cast<uint8_t>(rng() & mask);
    for (int i = 0; i < 256; ++i)
        image.Colours()[static_cast<size_t>(i)] = MakeColour(i, 255 - i, (i * 7) & 0xFF);
    return image;
}

// The image through the stream writer in bands of the given height; chunks counts the IDATs.
std::vector<uint8_t> Stream(const Image8& image, int band, int level, int& chunks) {
    std::vector<uint8_t> bytes;
    chunks = 0;
    PngStreamWriter png(
        [&](std::span<const uint8_t> piece) {
            chunks += piece.size() == 8 && std::equal(piece.begin() + 4, piece.end(), "IDAT");
            bytes.insert(bytes.end(), piece.begin(), piece.end());
            return true;
        },
        level);
    EXPECT_TRUE(png.Begin(128, image.Height(), image.Colours()));
    for (int y = 0; y < image.Height(); y += band)
        EXPECT_TRUE(png.AddRows(image.SubImage(0, y, 128, std::min(band, image.Height() - y))));
    EXPECT_TRUE(png.Finish());
    EXPECT_FALSE(png.AddRows(image)); // past the announced rows
    return bytes;
}

} // namespace

// Fewer than 4096 rows make the same file streamed or whole, whatever the bands; taller
// images go out in several IDAT chunks that a reader joins into the same pixels.
TEST(PngStreamWriter, ShortImagesAreTheWholeWritersFileTallOnesReadBack) {
    int chunks = 0;
    for (const int height : {1, 128, 4095})
        for (const int level : {1, 9})
            for (const int band : {1, 128})
                EXPECT_EQ(Stream(RandomImage(height, 3), band, level, chunks),
                          EncodeIndexedPng(RandomImage(height, 3), level))
                    << height << " rows, level " << level << ", bands of " << band;
    const Image8 tall = RandomImage(20000, 0xFF); // random bytes hardly compress
    const std::vector<uint8_t> png = Stream(tall, 128, 1, chunks);
    EXPECT_GE(chunks, 2);
    Image8 back;
    ASSERT_TRUE(
        FromIndexedQImage(QImage::fromData(png.data(), static_cast<int>(png.size())), back));
    EXPECT_EQ(back, tall);
}
