#include "qt/ImageBridge.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tavrin;

namespace {

std::string Row(const Image8& image, int y) {
    std::string row;
    for (int x = 0; x < image.Width(); ++x)
        row += static_cast<char>('0' + image.Pixel(x, y));
    return row;
}

std::string TempPath(const char* name) {
    static const test::TempFolder folder;
    return folder.File(name);
}

} // namespace

// Qt hands one-bit images over as Mono and keeps four-bit ones as Indexed8; both have a
// palette and come back as indices.
TEST(ImageBridge, ReadsOneBitIndexedImagesAsIndices) {
    for (const QImage::Format format : {QImage::Format_Mono, QImage::Format_MonoLSB}) {
        QImage mono(8, 2, format);
        mono.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
        mono.fill(0);
        for (const int x : {0, 3, 4, 7})
            mono.setPixel(x, 0, 1);
        mono.setPixel(1, 1, 1);

        Image8 image;
        ASSERT_TRUE(FromIndexedQImage(mono, image));
        EXPECT_EQ(Row(image, 0), "10011001");
        EXPECT_EQ(Row(image, 1), "01000000");
        EXPECT_EQ(image.Colours()[0], MakeColour(10, 20, 30));
        EXPECT_EQ(image.Colours()[1], MakeColour(200, 100, 50));
        EXPECT_EQ(image.Colours()[2], MakeColour(0, 0, 0));
    }

    QImage mono(8, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(6, 0, 1);
    const std::string png = TempPath("mono.png");
    ASSERT_TRUE(mono.save(QString::fromStdString(png), "PNG"));
    Image8 image;
    std::string error;
    EXPECT_TRUE(ReadQtImage(png, image, error)) << error;
    EXPECT_EQ(Row(image, 0), "00000010");
    std::remove(png.c_str());
}

TEST(ImageBridge, RefusesImagesWithoutAPalette) {
    Image8 image(2, 2);
    image.SetPixel(1, 1, 7);
    EXPECT_FALSE(FromIndexedQImage(QImage(4, 4, QImage::Format_RGB32), image));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Pixel(1, 1), 7);

    QImage rgb(4, 4, QImage::Format_RGB32);
    rgb.fill(Qt::red);
    const std::string png = TempPath("rgb.png");
    ASSERT_TRUE(rgb.save(QString::fromStdString(png), "PNG"));
    std::string error;
    EXPECT_FALSE(ReadQtImage(png, image, error));
    EXPECT_EQ(error, "インデックスカラーの画像ではありません（8 ビット以下でパレット付き）");
    std::remove(png.c_str());
}

// The kept picture equals a fresh conversion after every change, paints again exactly the
// rows that changed, and leaves a copy someone holds as it was.
TEST(ImageBridge, RgbPictureRepaintsOnlyChangedRows) {
    Image8 image(9, 6);
    for (int i = 0; i < 9 * 6; ++i)
        image.Bits()[i] = static_cast<uint8_t>(i * 7);
    for (int i = 0; i < 256; ++i)
        image.Colours()[static_cast<size_t>(i)] = MakeColour(i, 255 - i, i / 2);
    struct Step {
        std::function<void(Image8&)> change;
        int first, last;
        bool whole;
    };
    const std::vector<Step> steps = {
        {[](Image8&) {}, 0, 6, true}, // the first image
        {[](Image8&) {}, 0, 0, false},
        {[](Image8& m) { m.ScanLine(3)[8] ^= 1; }, 3, 4, false},
        {[](Image8& m) {
             m.ScanLine(1)[0] ^= 2;
             m.ScanLine(4)[4] ^= 2;
         },
         1, 5, false},
        {[](Image8& m) {
             m.ScanLine(0)[0] ^= 4;
             m.ScanLine(5)[8] ^= 4;
         },
         0, 6, false},
        {[](Image8& m) { m.Colours()[200] = MakeColour(1, 2, 3); }, 0, 6, true},
        {[](Image8& m) { m.Resize(9, 7); }, 0, 7, true},
    };
    RgbPicture picture;
    for (size_t k = 0; k < steps.size(); ++k) {
        SCOPED_TRACE("step " + std::to_string(k));
        const QImage held = picture.Picture();
        const QImage before = held.copy();
        steps[k].change(image);
        const RgbPicture::Rows rows = picture.Update(image);
        EXPECT_EQ(rows.first, steps[k].first);
        EXPECT_EQ(rows.last, steps[k].last);
        EXPECT_EQ(rows.whole, steps[k].whole);
        EXPECT_EQ(picture.Picture(), ToRgbImage(image));
        EXPECT_EQ(held, before);
    }
}
