#include "gui/edit/TReplaceColorDialog.h"

#include "core/palette/CPalette.h"
#include "gui/views/ImagePanel.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

// Master colours 0x20 + k for colour k of the group, each easy to tell apart.
QRgb GroupRgb(int k) {
    return qRgb(16 * k, 255 - 16 * k, 0x33);
}

class TReplaceColorDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int k = 0; k < 32; ++k) {
            palette.SetColor(
                0x20 + k, MakeColour(qRed(GroupRgb(k)), qGreen(GroupRgb(k)), qBlue(GroupRgb(k))));
            entries[static_cast<size_t>(k)] = static_cast<uint8_t>(0x20 + k);
        }
    }

    void Open(int n) {
        dialog.SetColourCount(n);
        dialog.SetMasterColours(palette);
        dialog.Prepare(entries.data());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    // A left drag on an image: press at from, move with the button held, release at to.
    static void Drag(QWidget* image, QPoint from, QPoint to) {
        QTest::mousePress(image, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), image->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(image, &move);
        QTest::mouseRelease(image, Qt::LeftButton, {}, to);
    }

    // The colour shown in the middle of square k of an image.
    static QRgb Square(const ImagePanel* image, int k) {
        return image->Picture().pixel(16 * (k % 16) + 8, 16 * (k / 16) + 8) | 0xFF000000u;
    }

    static bool Framed(const ImagePanel* image, int k) {
        const QImage& picture = image->Picture();
        const int x = 16 * (k % 16);
        const int y = 16 * (k / 16);
        for (int i = 0; i < 16; ++i)
            for (const QPoint p :
                 {QPoint(x + i, y), QPoint(x + i, y + 15), QPoint(x, y + i), QPoint(x + 15, y + i)})
                if ((picture.pixel(p) & 0xFFFFFF) != 0xFFFFFF)
                    return false;
        return true;
    }

    CPalette palette;
    std::array<uint8_t, 256> entries{};
    TReplaceColorDialog dialog;
};

TEST_F(TReplaceColorDialogTest, CaptionLabelsAndButtons) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("色の置換"));
    auto* before = dialog.findChild<QLabel*>(QStringLiteral("LabelBefore"));
    auto* after = dialog.findChild<QLabel*>(QStringLiteral("LabelAfter"));
    ASSERT_NE(before, nullptr);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(before->text(), QString::fromUtf8("置換前の色: ②色選択"));
    EXPECT_EQ(after->text(), QString::fromUtf8("置換後の色: ①対象選択"));
    EXPECT_LT(before->y(), dialog.ImageBefore()->mapTo(&dialog, QPoint(0, 0)).y());
    EXPECT_LT(after->y(), dialog.ImageAfter()->mapTo(&dialog, QPoint(0, 0)).y());
    EXPECT_EQ(dialog.ButtonOk()->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(dialog.ButtonOk()->isDefault());
    EXPECT_EQ(dialog.ButtonCancel()->text(), QStringLiteral("&Cancel"));
}

TEST_F(TReplaceColorDialogTest, TwoBitFormatKeepsTheMinimumWidth) {
    Open(4);
    EXPECT_EQ(dialog.ImageBefore()->size(), QSize(64, 16));
    EXPECT_EQ(dialog.ImageAfter()->size(), QSize(64, 16));
    EXPECT_EQ(dialog.ImageBefore()->Picture().size(), QSize(64, 16));
    EXPECT_EQ(dialog.size(), QSize(160, 120));
    dialog.reject();
}

TEST_F(TReplaceColorDialogTest, SixteenColoursWidenTheDialogBeforeItIsShown) {
    dialog.SetColourCount(16);
    // The caller places the dialog by its size, so the size is right before show().
    EXPECT_EQ(dialog.size(), QSize(256 + 2 * (8 + 4 + 4), 120));
    EXPECT_EQ(dialog.ImageAfter()->size(), QSize(256, 16));
}

TEST_F(TReplaceColorDialogTest, RowsShowTheGroupColoursAndTheFrames) {
    Open(4);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Square(dialog.ImageBefore(), k), GroupRgb(k)) << k;
        EXPECT_EQ(Square(dialog.ImageAfter(), k), GroupRgb(k)) << k;
    }
    EXPECT_TRUE(Framed(dialog.ImageBefore(), 0));
    EXPECT_TRUE(Framed(dialog.ImageAfter(), 0));
    EXPECT_FALSE(Framed(dialog.ImageAfter(), 1));
    dialog.reject();
}

TEST_F(TReplaceColorDialogTest, ChooseTheTargetThenItsNewColourAndConfirm) {
    Open(4);
    // Step 1: drag along the after row from square 0 to square 2.
    Drag(dialog.ImageAfter(), QPoint(3, 8), QPoint(40, 8));
    EXPECT_EQ(dialog.Model().Cursor(), 2);
    EXPECT_TRUE(Framed(dialog.ImageAfter(), 2));
    EXPECT_TRUE(Framed(dialog.ImageBefore(), 2));
    // Step 2: the before row says what colour 2 becomes; a drag past the right end is held on
    // the last square.
    Drag(dialog.ImageBefore(), QPoint(20, 8), QPoint(300, 30));
    EXPECT_EQ(dialog.Map()[2], 3);
    EXPECT_EQ(Square(dialog.ImageAfter(), 2), GroupRgb(3));
    EXPECT_TRUE(Framed(dialog.ImageBefore(), 3));
    QTest::mouseClick(dialog.ButtonOk(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Map()[0], 0);
    EXPECT_EQ(dialog.Map()[1], 1);
    EXPECT_EQ(dialog.Map()[2], 3);
    EXPECT_EQ(dialog.Map()[3], 3);
}

TEST_F(TReplaceColorDialogTest, SwapOfTwoColours) {
    Open(4);
    QTest::mouseClick(dialog.ImageAfter(), Qt::LeftButton, {}, QPoint(20, 4));
    QTest::mouseClick(dialog.ImageBefore(), Qt::LeftButton, {}, QPoint(60, 4));
    QTest::mouseClick(dialog.ImageAfter(), Qt::LeftButton, {}, QPoint(60, 4));
    QTest::mouseClick(dialog.ImageBefore(), Qt::LeftButton, {}, QPoint(20, 4));
    EXPECT_EQ(dialog.Map()[1], 3);
    EXPECT_EQ(dialog.Map()[3], 1);
    EXPECT_EQ(Square(dialog.ImageAfter(), 1), GroupRgb(3));
    EXPECT_EQ(Square(dialog.ImageAfter(), 3), GroupRgb(1));
    // The before row keeps showing the colours as they are.
    EXPECT_EQ(Square(dialog.ImageBefore(), 1), GroupRgb(1));
    dialog.accept();
}

TEST_F(TReplaceColorDialogTest, OtherButtonsAndHoverDoNothing) {
    Open(4);
    QTest::mouseClick(dialog.ImageAfter(), Qt::RightButton, {}, QPoint(40, 8));
    QTest::mouseMove(dialog.ImageAfter(), QPoint(56, 8));
    QTest::mouseClick(dialog.ImageBefore(), Qt::MiddleButton, {}, QPoint(40, 8));
    EXPECT_EQ(dialog.Model().Cursor(), 0);
    EXPECT_EQ(dialog.Map()[0], 0);
    dialog.reject();
}

TEST_F(TReplaceColorDialogTest, EscapeCancelsAndTheNextShowStartsAfresh) {
    Open(4);
    QTest::mouseClick(dialog.ImageAfter(), Qt::LeftButton, {}, QPoint(40, 8));
    QTest::mouseClick(dialog.ImageBefore(), Qt::LeftButton, {}, QPoint(8, 8));
    ASSERT_EQ(dialog.Map()[2], 0);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());

    Open(4);
    EXPECT_EQ(dialog.Model().Cursor(), 0);
    EXPECT_EQ(dialog.Map()[2], 2);
    EXPECT_TRUE(Framed(dialog.ImageAfter(), 0));
    dialog.reject();
}

TEST_F(TReplaceColorDialogTest, ExecReturnsTheMapOnOk) {
    dialog.SetColourCount(16);
    dialog.SetMasterColours(palette);
    dialog.Prepare(entries.data());
    QTimer::singleShot(0, &dialog, [this] {
        QTest::mouseClick(dialog.ImageAfter(), Qt::LeftButton, {}, QPoint(16 * 15 + 1, 1));
        QTest::mouseClick(dialog.ImageBefore(), Qt::LeftButton, {}, QPoint(16 * 7 + 1, 1));
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Map()[15], 7);
}

TEST_F(TReplaceColorDialogTest, ThirtyTwoColoursWrapToASecondBand) {
    Open(32);
    EXPECT_EQ(dialog.ImageAfter()->size(), QSize(256, 32));
    EXPECT_EQ(dialog.height(), 120 + 2 * 16);
    // The OK button stays below both rows.
    EXPECT_GT(dialog.ButtonOk()->y(), dialog.ImageAfter()->mapTo(&dialog, QPoint(0, 32)).y());
    QTest::mouseClick(dialog.ImageAfter(), Qt::LeftButton, {}, QPoint(40, 20));
    EXPECT_EQ(dialog.Model().Cursor(), 18);
    QTest::mouseClick(dialog.ImageBefore(), Qt::LeftButton, {}, QPoint(250, 31));
    EXPECT_EQ(dialog.Map()[18], 31);
    EXPECT_EQ(Square(dialog.ImageAfter(), 18), GroupRgb(31));
    EXPECT_EQ(Square(dialog.ImageBefore(), 31), GroupRgb(31));
    dialog.reject();
}

} // namespace
} // namespace tavrin
