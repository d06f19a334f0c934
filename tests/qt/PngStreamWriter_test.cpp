#include "qt/ImageBridge.h"
#include "qt/PngStreamWriter.h"
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

// The image through the stream writer, handed over in bands of the given height.
std::vector<uint8_t> Stream(const Image8& image, int band, int level, int* idatChunks = nullptr) {
    std::vector<uint8_t> bytes;
    PngStreamWriter png(
        [&](std::span<const uint8_t> piece) {
            bytes.insert(bytes.end(), piece.begin(), piece.end());
            return true;
        },
        level);
    EXPECT_TRUE(png.Begin(image.Width(), image.Height(), image.Colours()));
    for (int y = 0; y < image.Height(); y += band)
        EXPECT_TRUE(
            png.AddRows(image.SubImage(0, y, image.Width(), std::min(band, image.Height() - y))));
    EXPECT_TRUE(png.Finish());
    if (idatChunks) {
        // Walk the chunks after the signature: length, type, data, CRC.
        *idatChunks = 0;
        for (size_t at = 8; at + 8 <= bytes.size();) {
            const uint32_t length = (uint32_t{bytes[at]} << 24) | (bytes[at + 1] << 16) |
                                    (bytes[at + 2] << 8) | bytes[at + 3];
            *idatChunks += std::equal(bytes.begin() + at + 4, bytes.begin() + at + 8, "IDAT");
            at += 12 + length;
        }
    }
    return bytes;
}

} // namespace

// An export of fewer than 4096 rows is the same file whether it is made whole or streamed,
// whatever the bands it arrives in.
TEST(PngStreamWriter, ShortImagesAreByteForByteTheWholeWritersFile) {
    for (const int height : {1, 128, 4095})
        for (const int level : {1, 6, 9})
            for (const int band : {1, 128, 4095}) {
                SCOPED_TRACE(std::to_string(height) + " rows, level " + std::to_string(level) +
                             ", bands of " + std::to_string(band));
                const Image8 image = RandomImage(128, height, static_cast<uint32_t>(height), 3);
                EXPECT_EQ(Stream(image, band, level), EncodeIndexedPng(image, level));
            }
}

// Past ChunkBytes of compressed rows the data goes out in several IDAT chunks, which a reader
// joins back into the same indices and palette.
TEST(PngStreamWriter, TallImagesGoOutInChunksAReaderJoins) {
    const Image8 image = RandomImage(128, 20000, 5, 0xFF); // random bytes hardly compress
    int chunks = 0;
    const std::vector<uint8_t> png = Stream(image, 128, 1, &chunks);
    EXPECT_GE(chunks, 2);
    QImage q;
    ASSERT_TRUE(q.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
    Image8 back;
    ASSERT_TRUE(FromIndexedQImage(q, back));
    EXPECT_EQ(back, image);
}

TEST(PngStreamWriter, RefusesWrongRowsAndStopsAtAFailingSink) {
    const Image8 band = RandomImage(128, 128, 1, 3);
    const auto accept = [](std::span<const uint8_t>) { return true; };
    PngStreamWriter partial(accept);
    ASSERT_TRUE(partial.Begin(128, 256, band.Colours()));
    ASSERT_TRUE(partial.AddRows(band));
    EXPECT_FALSE(partial.Finish()); // 128 of 256 rows
    PngStreamWriter tooMany(accept);
    ASSERT_TRUE(tooMany.Begin(128, 100, band.Colours()));
    EXPECT_FALSE(tooMany.AddRows(band));
    PngStreamWriter narrow(accept);
    ASSERT_TRUE(narrow.Begin(64, 128, band.Colours()));
    EXPECT_FALSE(narrow.AddRows(band));
    EXPECT_FALSE(PngStreamWriter(accept).Begin(0, 1, band.Colours()));

    int calls = 0;
    PngStreamWriter failing([&](std::span<const uint8_t>) { return ++calls < 4; });
    ASSERT_FALSE(failing.Begin(128, 128, band.Colours())); // signature, IHDR: 4 pieces
    EXPECT_FALSE(failing.AddRows(band));
    EXPECT_FALSE(failing.Finish());
}
