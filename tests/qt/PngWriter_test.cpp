#include "qt/ImageBridge.h"
#include "qt/PngWriter.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <QImage>
#include <random>

using namespace tavrin;

namespace {

// Random indices under mask, each repeated run times (runs compress, noise does not).
Image8 RandomImage(int width, int height, int mask, int run = 1) {
    std::mt19937 rng(static_cast<uint32_t>(width * 31 + height));
    Image8 image(width, height);
    uint8_t index = 0;
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
        image.Bits()[i] = index = i % run ? index : static_cast<uint8_t>(rng() & mask);
    for (int i = 0; i < 256; ++i)
        image.Colours()[static_cast<size_t>(i)] = MakeColour(i, 255 - i, (i * 7) & 0xFF);
    return image;
}

struct Streamed {
    std::vector<uint8_t> bytes;
    bool ok = false;
};

// The image through the writer in bands of the given height.
Streamed Stream(const Image8& image, int depth, int band, int threads = 0) {
    Streamed out;
    PngWriter png(
        [&](std::span<const uint8_t> piece) {
            out.bytes.insert(out.bytes.end(), piece.begin(), piece.end());
            return true;
        },
        1, threads);
    out.ok = png.Begin(image.Width(), image.Height(), image.Colours(), depth);
    for (int y = 0; y < image.Height() && out.ok; y += band)
        out.ok =
            png.AddRows(image.SubImage(0, y, image.Width(), std::min(band, image.Height() - y)));
    out.ok = out.ok && png.Finish();
    return out;
}

uint32_t BE32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// A second reader, independent of Qt's: walks the chunks checking each CRC, inflates the
// joined IDATs with zlib (which checks the stream's Adler-32) and unpacks the rows.
struct Decoded {
    Image8 image;
    int depth = 0;
    size_t colours = 0;
    int idats = 0;
};

Decoded ReadPlainly(const std::vector<uint8_t>& png) {
    Decoded d;
    std::vector<uint8_t> stream;
    int width = 0, height = 0;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t size = BE32(&png[at]);
        const uint8_t* type = &png[at + 4];
        EXPECT_EQ(crc32(0, type, size + 4), BE32(type + 4 + size)) << "chunk at " << at;
        const std::string name(reinterpret_cast<const char*>(type), 4);
        if (name == "IHDR") {
            width = static_cast<int>(BE32(type + 4));
            height = static_cast<int>(BE32(type + 8));
            d.depth = type[12];
            EXPECT_EQ(type[13], 3); // indexed
        } else if (name == "PLTE") {
            d.colours = size / 3;
            d.image.Resize(width, height);
            for (size_t i = 0; i < d.colours; ++i)
                d.image.Colours()[i] =
                    MakeColour(type[4 + 3 * i], type[5 + 3 * i], type[6 + 3 * i]);
        } else if (name == "IDAT") {
            stream.insert(stream.end(), type + 4, type + 4 + size);
            ++d.idats;
        }
        at += 12 + size;
    }
    const size_t rowBytes = 1 + (static_cast<size_t>(width) * d.depth + 7) / 8;
    std::vector<uint8_t> raw(rowBytes * height + 1);
    uLongf rawSize = raw.size();
    EXPECT_EQ(uncompress(raw.data(), &rawSize, stream.data(), stream.size()), Z_OK);
    EXPECT_EQ(rawSize, rowBytes * height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &raw[rowBytes * y];
        EXPECT_EQ(row[0], 0);
        for (int x = 0; x < width; ++x) {
            const int bit = x * d.depth;
            d.image.ScanLine(y)[x] = static_cast<uint8_t>(
                (row[1 + bit / 8] >> (8 - d.depth - bit % 8)) & ((1 << d.depth) - 1));
        }
    }
    return d;
}

} // namespace

// Every depth, odd widths (a last byte partly filled), one block or many: Qt's reader and a
// plain one see the same indices and the palette's first 2^depth colours.
TEST(PngWriter, IndicesAndPaletteSurviveBothReadersAtEveryDepth) {
    struct Case {
        int width, height, mask, depth, run;
    };
    for (const Case c : {Case{128, 1, 1, 1, 1},
                         {5, 300, 1, 1, 1},
                         {128, 9001, 3, 2, 1},
                         {7, 64, 3, 2, 1},
                         {128, 40000, 3, 2, 24},
                         {128, 4095, 15, 4, 1},
                         {3, 5000, 15, 4, 1},
                         {128, 9001, 255, 8, 1},
                         {128, 9001, 255, 8, 9},
                         {128, 64, 3, 8, 1},
                         {1, 1, 0, 1, 1}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " depth " +
                     std::to_string(c.depth));
        const Image8 image = RandomImage(c.width, c.height, c.mask, c.run);
        const Streamed png = Stream(image, c.depth, 128);
        ASSERT_TRUE(png.ok);
        const Decoded plain = ReadPlainly(png.bytes);
        EXPECT_EQ(plain.depth, c.depth);
        EXPECT_EQ(plain.colours, size_t{1} << c.depth);
        EXPECT_EQ(plain.image, [&] {
            Image8 expect = image;
            for (size_t i = plain.colours; i < 256; ++i)
                expect.Colours()[i] = 0;
            return expect;
        }());
        Image8 qt;
        ASSERT_TRUE(FromIndexedQImage(
            QImage::fromData(png.bytes.data(), static_cast<int>(png.bytes.size())), qt));
        EXPECT_EQ(qt, plain.image);
    }
}

// The file depends neither on the bands the rows come in nor on the threads that deflate;
// the whole-image encoder takes the smallest depth; a tall image goes out in several chunks.
TEST(PngWriter, SameFileWhateverBandsAndThreads) {
    for (const int height : {1, 4095, 20000}) {
        const Image8 image = RandomImage(128, height, 0xFF, 1 + height % 7);
        const Streamed whole = Stream(image, 8, height, 1);
        EXPECT_EQ(Stream(image, 8, 1, 4).bytes, whole.bytes) << height;
        EXPECT_EQ(Stream(image, 8, 128, 2).bytes, whole.bytes) << height;
        EXPECT_EQ(EncodeIndexedPng(image), whole.bytes) << height;
    }
    EXPECT_GE(ReadPlainly(Stream(RandomImage(128, 20000, 0xFF), 8, 128).bytes).idats, 2);
    // Runs of one index still compress when blocks of noise around them go out stored.
    Image8 mixed = RandomImage(128, 40000, 3, 24);
    mixed.CopyRect(RandomImage(128, 20000, 3), 0, 0, 128, 20000, 0, 10000);
    EXPECT_LT(Stream(mixed, 2, 128).bytes.size(), 128 * 20000 / 4 + 128 * 20000 / 4 / 4);
    for (const int mask : {0, 1, 2, 3, 4, 7, 8, 15, 16, 255})
        EXPECT_EQ(ReadPlainly(EncodeIndexedPng(RandomImage(64, 64, mask))).depth,
                  PngWriter::DepthFor(mask))
            << mask;
}

TEST(PngWriter, RefusesWhatItCannotWrite) {
    const Image8 image = RandomImage(128, 64, 7);
    EXPECT_FALSE(Stream(image, 2, 16).ok); // an index past the depth
    EXPECT_FALSE(Stream(image, 3, 16).ok); // no such depth
    PngWriter png([](std::span<const uint8_t>) { return true; });
    ASSERT_TRUE(png.Begin(128, 100, image.Colours(), 4));
    EXPECT_TRUE(png.AddRows(image));
    EXPECT_FALSE(png.AddRows(image)); // past the announced rows
    PngWriter early([](std::span<const uint8_t>) { return true; });
    ASSERT_TRUE(early.Begin(128, 100, image.Colours(), 4));
    EXPECT_TRUE(early.AddRows(image));
    EXPECT_FALSE(early.Finish()); // rows missing
    int calls = 0;
    PngWriter failing([&](std::span<const uint8_t>) { return ++calls < 3; });
    EXPECT_FALSE(failing.Begin(128, 64, image.Colours(), 4) && failing.AddRows(image) &&
                 failing.Finish());
    EXPECT_TRUE(EncodeIndexedPng(Image8()).empty());
    EXPECT_FALSE(WriteIndexedPng("/nonexistent-dir/x.png", image));
}
