#include "gui/edit/TColorOptimizeDlg.h"

#include "gui/views/ImagePanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>

namespace tavrin {
namespace {

constexpr Colour Red = MakeColour(0xFF, 0, 0);
constexpr Colour Green = MakeColour(0, 0xFF, 0);
constexpr Colour Blue = MakeColour(0x30, 0x50, 0xF0);

QRgb ToQRgb(Colour c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// The pasted image: 4 x 2 pixels, red, green and blue at values the optimisation changes.
Image8 Source() {
    Image8 source(4, 2);
    source.Colours()[5] = Red;
    source.Colours()[6] = Green;
    source.Colours()[7] = Blue;
    const uint8_t pixels[2][4] = {{5, 6, 5, 7}, {7, 7, 6, 6}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            source.SetPixel(x, y, pixels[y][x]);
    return source;
}

// The tile image: its palette tells the preview's values apart.
Image8 Destination() {
    Image8 destination(128, 128);
    destination.Fill(0x55);
    for (int i = 0; i < 256; ++i)
        destination.Colours()[static_cast<size_t>(i)] = MakeColour(i, 255 - i, 0x20);
    return destination;
}

std::string Row(const Image8& image, int y) {
    std::string row;
    for (int x = 0; x < image.Width(); ++x)
        row += static_cast<char>('0' + image.Pixel(x, y));
    return row;
}

// The preview shows value v at a pixel as the destination palette's colour v.
int PreviewValue(const TColorOptimizeDlg& dialog, int x, int y) {
    const QRgb shown = dialog.ImageBmp2()->Picture().pixel(x, y);
    const Image8 destination = Destination();
    for (int v = 0; v < 256; ++v)
        if (ToQRgb(destination.Colours()[static_cast<size_t>(v)]) == shown)
            return v;
    return -1;
}

class TColorOptimizeDlgTest : public ::testing::Test {
protected:
    // Shows the dialog modally on the images and presses the given button once it is up.
    int Run(QPushButton* button) {
        dialog.SetImages(&source, &destination);
        QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
        return dialog.exec();
    }

    TColorOptimizeDlg dialog;
    Image8 source = Source();
    Image8 destination = Destination();
};

TEST_F(TColorOptimizeDlgTest, ControlsHaveTheirCaptionsRangesAndDefaults) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("色の最適化"));
    EXPECT_EQ(dialog.size(), QSize(499, 366));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());

    EXPECT_EQ(dialog.CheckBoxSrcReduce()->text(), QString::fromUtf8("処理前に画像の色数を減らす"));
    EXPECT_EQ(dialog.CheckBoxSetPalNum()->text(), QString::fromUtf8("パレット数を指定する"));
    EXPECT_EQ(dialog.CheckBoxByUsedNum()->text(),
              QString::fromUtf8("使用頻度の高い順にパレットを並べる"));
    EXPECT_EQ(dialog.CheckBoxLessPalUnit()->text(),
              QString::fromUtf8("使用頻度の少ない色を統合する"));
    for (QCheckBox* box : {dialog.CheckBoxSrcReduce(), dialog.CheckBoxSetPalNum(),
                           dialog.CheckBoxByUsedNum(), dialog.CheckBoxLessPalUnit()})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();

    EXPECT_EQ(dialog.TrackBarSrcBit()->minimum(), 1);
    EXPECT_EQ(dialog.TrackBarSrcBit()->maximum(), 8);
    EXPECT_EQ(dialog.TrackBarSrcBit()->value(), 8);
    EXPECT_EQ(dialog.LabelSrcBit()->text(), QStringLiteral("8"));
    EXPECT_EQ(dialog.TrackBarDestColorNum()->minimum(), 2);
    EXPECT_EQ(dialog.TrackBarDestColorNum()->maximum(), 16);
    EXPECT_EQ(dialog.TrackBarDestColorNum()->value(), 16);
    EXPECT_EQ(dialog.LabelDestColor()->text(), QStringLiteral("16"));

    EXPECT_EQ(dialog.Panel1()->text(), QString::fromUtf8("この機能は未実装です"));
    EXPECT_EQ(dialog.Panel1()->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(dialog.ButtonOk()->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(dialog.ButtonOk()->isDefault());
    EXPECT_EQ(dialog.ButtonCancel()->text(), QStringLiteral("&Cancel"));

    const auto* srcLabel = dialog.findChild<QLabel*>(QStringLiteral("LabelSrcPreview"));
    const auto* destLabel = dialog.findChild<QLabel*>(QStringLiteral("LabelDestPreview"));
    ASSERT_TRUE(srcLabel && destLabel);
    EXPECT_EQ(srcLabel->text(), QString::fromUtf8("元画像(前処理適用):"));
    EXPECT_EQ(destLabel->text(), QString::fromUtf8("プレビュー:"));

    EXPECT_EQ(dialog.ImageBmp1()->size(), QSize(128, 128));
    EXPECT_EQ(dialog.ImageBmp2()->size(), QSize(128, 128));
    EXPECT_EQ(dialog.ImagePal()->size(), QSize(128, 16));
    EXPECT_EQ(dialog.ImageBmp1()->parent()->objectName(), QStringLiteral("PanelSrcPreview"));
    EXPECT_EQ(dialog.ImageBmp2()->parent()->objectName(), QStringLiteral("PanelDestPreview"));
    EXPECT_EQ(dialog.ImagePal()->parent()->objectName(), QStringLiteral("PanelPal"));
    // Every control lies inside the dialog.
    for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(dialog.rect().contains(child->geometry())) << child->objectName().toStdString();
}

TEST_F(TColorOptimizeDlgTest, EnabledStatesFollowTheirCheckBoxes) {
    dialog.SetImages(&source, &destination);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_FALSE(dialog.TrackBarSrcBit()->isEnabled());
    EXPECT_FALSE(dialog.CheckBoxSetPalNum()->isEnabled());
    EXPECT_FALSE(dialog.TrackBarDestColorNum()->isEnabled());
    EXPECT_FALSE(dialog.CheckBoxLessPalUnit()->isEnabled());
    EXPECT_TRUE(dialog.CheckBoxSrcReduce()->isEnabled());
    EXPECT_TRUE(dialog.CheckBoxByUsedNum()->isEnabled());

    QTest::mouseClick(dialog.CheckBoxSrcReduce(), Qt::LeftButton);
    EXPECT_TRUE(dialog.CheckBoxSrcReduce()->isChecked());
    EXPECT_TRUE(dialog.TrackBarSrcBit()->isEnabled());
    QTest::mouseClick(dialog.CheckBoxSrcReduce(), Qt::LeftButton);
    EXPECT_FALSE(dialog.TrackBarSrcBit()->isEnabled());
    dialog.reject();
}

TEST_F(TColorOptimizeDlgTest, ShowingDrawsTheBeforeAfterAndStripPictures) {
    dialog.SetImages(&source, &destination);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QImage before = dialog.ImageBmp1()->Picture();
    ASSERT_EQ(before.size(), QSize(128, 128));
    EXPECT_EQ(before.pixel(0, 0), ToQRgb(Red));
    EXPECT_EQ(before.pixel(3, 0), ToQRgb(Blue));
    EXPECT_EQ(before.pixel(4, 0), qRgb(255, 255, 255));
    EXPECT_EQ(before.pixel(127, 127), qRgb(255, 255, 255));

    // Numbers in order of first appearance: red 0, green 1, blue 2, white 3.
    ASSERT_EQ(dialog.ImageBmp2()->Picture().size(), QSize(128, 128));
    const int expected[2][5] = {{0, 1, 0, 2, 3}, {2, 2, 1, 1, 3}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(PreviewValue(dialog, x, y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(PreviewValue(dialog, 127, 127), 3);

    const QImage strip = dialog.ImagePal()->Picture();
    ASSERT_EQ(strip.size(), QSize(128, 16));
    EXPECT_EQ(strip.pixel(0, 0), ToQRgb(Red));
    EXPECT_EQ(strip.pixel(15, 7), ToQRgb(Green));
    EXPECT_EQ(strip.pixel(16, 0), ToQRgb(Blue));
    EXPECT_EQ(strip.pixel(24, 0), qRgb(255, 255, 255));
    EXPECT_EQ(strip.pixel(32, 0), qRgb(0, 0, 0));
    EXPECT_EQ(strip.pixel(0, 8), qRgb(0, 0, 0));
    dialog.reject();
}

TEST_F(TColorOptimizeDlgTest, ChangingOptionsRecomputesThePreview) {
    dialog.SetImages(&source, &destination);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    // Frequency order: white (the extension) 0, green 1, blue 2, red 3.
    QTest::mouseClick(dialog.CheckBoxByUsedNum(), Qt::LeftButton);
    EXPECT_EQ(PreviewValue(dialog, 0, 0), 3);
    EXPECT_EQ(PreviewValue(dialog, 1, 0), 1);
    EXPECT_EQ(PreviewValue(dialog, 127, 127), 0);
    EXPECT_EQ(dialog.Optimizer().List().Entry(0).colour, MakeColour(255, 255, 255));

    // One bit per channel: red and white stay apart, blue (30h, 50h, F0h) becomes 00h, 00h, 80h.
    QTest::mouseClick(dialog.CheckBoxSrcReduce(), Qt::LeftButton);
    dialog.TrackBarSrcBit()->setFocus();
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(dialog.TrackBarSrcBit(), Qt::Key_Left);
    EXPECT_EQ(dialog.TrackBarSrcBit()->value(), 1);
    EXPECT_EQ(dialog.LabelSrcBit()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.ImageBmp1()->Picture().pixel(3, 0), qRgb(0, 0, 0x80));
    EXPECT_EQ(dialog.ImageBmp1()->Picture().pixel(0, 0), qRgb(0x80, 0, 0));
    EXPECT_EQ(dialog.ImageBmp1()->Picture().pixel(127, 0), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(dialog.ImageBmp2()->Picture().pixel(3, 0),
              ToQRgb(destination.Colours()[static_cast<size_t>(PreviewValue(dialog, 3, 0))]));

    // The palette-count bar is disabled and changes nothing.
    const QImage preview = dialog.ImageBmp2()->Picture();
    dialog.TrackBarDestColorNum()->setValue(5);
    EXPECT_EQ(dialog.LabelDestColor()->text(), QStringLiteral("5"));
    EXPECT_EQ(dialog.ImageBmp2()->Picture(), preview);
    dialog.reject();
}

TEST_F(TColorOptimizeDlgTest, OkReplacesTheSourcePixels) {
    const Image8::Palette palette = source.Colours();
    ASSERT_EQ(Row(source, 0), "5657");
    EXPECT_EQ(Run(dialog.ButtonOk()), QDialog::Accepted);
    EXPECT_EQ(Row(source, 0), "0102");
    EXPECT_EQ(Row(source, 1), "2211");
    EXPECT_EQ(source.Colours(), palette);
    EXPECT_EQ(destination, Destination());
}

TEST_F(TColorOptimizeDlgTest, OkWithFrequencyOrderWritesThoseNumbers) {
    dialog.CheckBoxByUsedNum()->setChecked(true);
    EXPECT_EQ(Run(dialog.ButtonOk()), QDialog::Accepted);
    EXPECT_EQ(Row(source, 0), "3132");
    EXPECT_EQ(Row(source, 1), "2211");
}

TEST_F(TColorOptimizeDlgTest, CancelLeavesTheSource) {
    const Image8 original = source;
    EXPECT_EQ(Run(dialog.ButtonCancel()), QDialog::Rejected);
    EXPECT_EQ(source, original);

    dialog.SetImages(&source, &destination);
    QTimer::singleShot(0, &dialog, [this] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(source, original);
}

TEST_F(TColorOptimizeDlgTest, OptionsAreKeptBetweenUses) {
    dialog.CheckBoxSrcReduce()->setChecked(true);
    dialog.TrackBarSrcBit()->setValue(3);
    dialog.CheckBoxByUsedNum()->setChecked(true);
    EXPECT_EQ(Run(dialog.ButtonOk()), QDialog::Accepted);

    // A second paste with another image: the options are as left, and they act on it.
    Image8 second(2, 1);
    second.Colours()[0] = MakeColour(0x21, 0x21, 0x21); // 3 bits: 20h, 20h, 20h
    second.Colours()[1] = MakeColour(0x3F, 0x3F, 0x3F); // 3 bits: 20h as well
    second.SetPixel(1, 0, 1);
    dialog.SetImages(&second, &destination);
    QTimer::singleShot(0, dialog.ButtonOk(),
                       [this] { QTest::mouseClick(dialog.ButtonOk(), Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(dialog.CheckBoxSrcReduce()->isChecked());
    EXPECT_TRUE(dialog.TrackBarSrcBit()->isEnabled());
    EXPECT_EQ(dialog.TrackBarSrcBit()->value(), 3);
    EXPECT_EQ(dialog.LabelSrcBit()->text(), QStringLiteral("3"));
    EXPECT_TRUE(dialog.CheckBoxByUsedNum()->isChecked());
    // Both pixels share one reduced colour, which ranks after the (reduced) white.
    EXPECT_EQ(Row(second, 0), "11");
    EXPECT_EQ(dialog.Optimizer().List().Count(), 2);
}

TEST_F(TColorOptimizeDlgTest, ALargerSourceKeepsItsPixelsBeyondTheTileImage) {
    Image8 large(130, 129);
    large.Colours()[4] = Red;
    large.Fill(4);
    dialog.SetImages(&large, &destination);
    QTimer::singleShot(0, dialog.ButtonOk(),
                       [this] { QTest::mouseClick(dialog.ButtonOk(), Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(large.Pixel(127, 127), 0);
    EXPECT_EQ(large.Pixel(128, 0), 4);
    EXPECT_EQ(large.Pixel(0, 128), 4);
    EXPECT_EQ(large.Pixel(129, 128), 4);
}

} // namespace
} // namespace tavrin
