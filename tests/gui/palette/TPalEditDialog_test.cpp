#include "gui/palette/TPalEditDialog.h"

#include "core/palette/CPalette.h"
#include "gui/views/ImagePanel.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

constexpr int Entry = 0x2A;

class TPalEditDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        palette.SetColor(Entry, MakeColour(0x80, 0x40, 0xC0));
        palette.SetColor(Entry + 1, MakeColour(1, 2, 3));
        dialog.SetPalette(&palette, Entry);
        dialog.SetChangedCallback([this] { ++notified; });
    }

    void Open() {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        notified = 0;
    }

    QWidget* Image() const { return dialog.ImagePalette(); }

    // A mouse move with the left button held, to a point that may lie outside the image.
    void DragTo(QPoint to) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), Image()->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Image(), &move);
    }

    QRgb BarPixel(int x, int y) const { return dialog.ImagePalette()->Picture().pixel(x, y); }

    CPalette palette;
    TPalEditDialog dialog;
    int notified = 0;
};

TEST_F(TPalEditDialogTest, ABorderlessPopUpOf298By73) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("パレットエディタ"));
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(dialog.size(), QSize(298, 73));
    EXPECT_EQ(dialog.PanelOut()->geometry(), QRect(0, 0, 298, 73));
    EXPECT_EQ(dialog.PanelImage()->pos(), QPoint(2, 2));
    EXPECT_EQ(Image()->size(), QSize(256, 48));
    const QPoint imageAt = Image()->mapTo(&dialog, QPoint(0, 0));
    for (int channel = 0; channel < 3; ++channel) {
        const QWidget* upDown = dialog.UpDown(channel);
        EXPECT_EQ(upDown->objectName(), QStringList({"UpDownR", "UpDownG", "UpDownB"})[channel]);
        EXPECT_EQ(dialog.UpDown(channel)->Tag(), channel);
        // Right of the bars, one per bar.
        const QRect at(upDown->mapTo(&dialog, QPoint(0, 0)), upDown->size());
        EXPECT_GE(at.left(), imageAt.x() + 256);
        EXPECT_EQ(at.top(), imageAt.y() + 16 * channel);
        EXPECT_LE(at.right(), 297);
    }
    EXPECT_EQ(dialog.PanelColor()->size(), QSize(32, 16));
    EXPECT_GE(dialog.PanelColor()->mapTo(&dialog, QPoint(0, 0)).y(), imageAt.y() + 48);
    EXPECT_EQ(dialog.ButtonClose()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(dialog.ButtonClose()->isDefault());
}

TEST_F(TPalEditDialogTest, ShowsTheEntry) {
    Open();
    EXPECT_EQ(dialog.LabelInfo()->text(), QStringLiteral("Pal:2A"));
    EXPECT_EQ(dialog.UpDown(ChannelRed)->Position(), 0x80);
    EXPECT_EQ(dialog.UpDown(ChannelGreen)->Position(), 0x40);
    EXPECT_EQ(dialog.UpDown(ChannelBlue)->Position(), 0xC0);
    EXPECT_EQ(dialog.PanelColor()->palette().color(QPalette::Window), QColor(0x80, 0x40, 0xC0));
    // Row 1 lies above the value texts: each bar ends where its value says.
    EXPECT_EQ(BarPixel(0x7F, 1), qRgb(255, 0, 0));
    EXPECT_EQ(BarPixel(0x80, 1), qRgb(0, 0, 0));
    EXPECT_EQ(BarPixel(0x3F, 17), qRgb(0, 255, 0));
    EXPECT_EQ(BarPixel(0x40, 17), qRgb(0, 0, 0));
    EXPECT_EQ(BarPixel(0xBF, 33), qRgb(0, 0, 255));
    EXPECT_EQ(BarPixel(0xC0, 33), qRgb(0, 0, 0));
    // The values are written in white (smoothed at the edges) on each bar from x = 16.
    for (int channel = 0; channel < 3; ++channel) {
        int white = 0;
        for (int y = 16 * channel + 2; y < 16 * channel + 16; ++y)
            for (int x = 16; x < 40; ++x) {
                const QRgb p = BarPixel(x, y);
                white += qRed(p) > 0xC0 && qGreen(p) > 0xC0 && qBlue(p) > 0xC0;
            }
        EXPECT_GT(white, 10) << channel;
        EXPECT_EQ(BarPixel(15, 16 * channel + 8), BarPixel(0, 16 * channel + 8)) << channel;
    }
    dialog.accept();
}

TEST_F(TPalEditDialogTest, DraggingToTheFarRightSets255AndToTheFarLeft0) {
    Open();
    QTest::mousePress(Image(), Qt::LeftButton, {}, QPoint(0x10, 5));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x10, 0x40, 0xC0));
    DragTo(QPoint(600, 8));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0xFF, 0x40, 0xC0));
    DragTo(QPoint(-600, 40));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0xFF, 0x40, 0x00));
    DragTo(QPoint(0x33, 20));
    QTest::mouseRelease(Image(), Qt::LeftButton, {}, QPoint(0x33, 20));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0xFF, 0x33, 0x00));
    EXPECT_EQ(notified, 4);
    EXPECT_EQ(dialog.UpDown(ChannelGreen)->Position(), 0x33);
    EXPECT_EQ(dialog.PanelColor()->palette().color(QPalette::Window), QColor(0xFF, 0x33, 0));
    EXPECT_EQ(BarPixel(0xFE, 1), qRgb(255, 0, 0));
    // After the release the pointer only passes by.
    QTest::mouseMove(Image(), QPoint(0x70, 20));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0xFF, 0x33, 0x00));
    EXPECT_EQ(palette.GetColor(Entry + 1), MakeColour(1, 2, 3));
    dialog.accept();
}

TEST_F(TPalEditDialogTest, RowsJustAboveCountAsRedAndBelowTheBarsNothing) {
    Open();
    QTest::mousePress(Image(), Qt::LeftButton, {}, QPoint(0x80, 60));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x80, 0x40, 0xC0));
    EXPECT_EQ(notified, 1); // refreshed and reported even so
    DragTo(QPoint(0x05, -15));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x05, 0x40, 0xC0));
    DragTo(QPoint(0x66, -16));
    DragTo(QPoint(0x66, 48));
    QTest::mouseRelease(Image(), Qt::LeftButton, {}, QPoint(0x66, 48));
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x05, 0x40, 0xC0));
    dialog.accept();
}

TEST_F(TPalEditDialogTest, ARightClickOnTheBarsClosesWithoutAChange) {
    Open();
    QTest::mousePress(Image(), Qt::RightButton, {}, QPoint(200, 20));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x80, 0x40, 0xC0));
    EXPECT_EQ(notified, 1); // the close
}

TEST_F(TPalEditDialogTest, ArrowControlsStepOneChannel) {
    Open();
    QTest::mouseClick(dialog.UpDown(ChannelGreen)->ButtonUp(), Qt::LeftButton);
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x80, 0x41, 0xC0));
    QTest::mouseClick(dialog.UpDown(ChannelBlue)->ButtonDown(), Qt::LeftButton);
    QTest::mouseClick(dialog.UpDown(ChannelBlue)->ButtonDown(), Qt::LeftButton);
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x80, 0x41, 0xBE));
    EXPECT_EQ(notified, 3);
    EXPECT_EQ(BarPixel(0xBD, 33), qRgb(0, 0, 255));
    EXPECT_EQ(BarPixel(0xBE, 33), qRgb(0, 0, 0));
    dialog.accept();
}

TEST_F(TPalEditDialogTest, ArrowControlsStopAt0And255) {
    palette.SetColor(Entry, MakeColour(0xFF, 0x00, 0x10));
    Open();
    QTest::mouseClick(dialog.UpDown(ChannelRed)->ButtonUp(), Qt::LeftButton);
    QTest::mouseClick(dialog.UpDown(ChannelGreen)->ButtonDown(), Qt::LeftButton);
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0xFF, 0x00, 0x10));
    EXPECT_EQ(dialog.UpDown(ChannelRed)->Position(), 255);
    EXPECT_EQ(dialog.UpDown(ChannelGreen)->Position(), 0);
    dialog.accept();
}

TEST_F(TPalEditDialogTest, APressOnTheFrameCloses) {
    Open();
    QTest::mouseClick(dialog.PanelOut(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(dialog.isVisible());
    Open();
    // The border of the frame around the bars.
    QTest::mouseClick(dialog.PanelImage(), Qt::LeftButton, {}, QPoint(0, 10));
    EXPECT_FALSE(dialog.isVisible());
    Open();
    // The label is no part of the frame.
    QTest::mouseClick(dialog.LabelInfo(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(dialog.isVisible());
    dialog.accept();
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x80, 0x40, 0xC0));
}

TEST_F(TPalEditDialogTest, OkAndEscapeClose) {
    Open();
    QTest::mouseClick(dialog.ButtonClose(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(notified, 1);
    Open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(notified, 1);
}

TEST_F(TPalEditDialogTest, LosingTheFocusCloses) {
    Open();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QWidget other;
    other.resize(50, 50);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(notified, 1);
}

TEST_F(TPalEditDialogTest, AButtonHeldAtTheCloseDoesNotCarryOverToTheNextShow) {
    Open();
    QTest::mousePress(Image(), Qt::LeftButton, {}, QPoint(0x20, 5));
    // Enter closes while the button is still down; its release goes nowhere.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(palette.GetColor(Entry), MakeColour(0x20, 0x40, 0xC0));
    dialog.SetPalette(&palette, Entry + 1);
    Open();
    EXPECT_EQ(dialog.LabelInfo()->text(), QStringLiteral("Pal:2B"));
    EXPECT_EQ(dialog.UpDown(ChannelBlue)->Position(), 3);
    QTest::mouseMove(Image(), QPoint(0x90, 5));
    EXPECT_EQ(palette.GetColor(Entry + 1), MakeColour(1, 2, 3));
    EXPECT_EQ(notified, 0);
    dialog.accept();
}

TEST_F(TPalEditDialogTest, ModalOnAOneEntryPalette) {
    CPalette windowColour;
    windowColour.SetColor(0, MakeColour(0xF0, 0xF0, 0xF0));
    dialog.SetPalette(&windowColour, 0);
    QTimer::singleShot(0, &dialog, [this] {
        QTest::mousePress(Image(), Qt::LeftButton, {}, QPoint(0x10, 40));
        QTest::mouseRelease(Image(), Qt::LeftButton, {}, QPoint(0x10, 40));
        QTest::mouseClick(dialog.ButtonClose(), Qt::LeftButton);
    });
    dialog.exec();
    EXPECT_EQ(windowColour.GetColor(0), MakeColour(0xF0, 0xF0, 0x10));
    EXPECT_EQ(dialog.LabelInfo()->text(), QStringLiteral("Pal:00"));
    EXPECT_EQ(notified, 2); // the change and the close
    EXPECT_EQ(palette.GetColor(Entry), MakeColour(0x80, 0x40, 0xC0));
}

TEST_F(TPalEditDialogTest, WithoutAPaletteNothingIsWritten) {
    dialog.SetPalette(nullptr, 5);
    Open();
    QTest::mousePress(Image(), Qt::LeftButton, {}, QPoint(100, 5));
    QTest::mouseClick(dialog.UpDown(ChannelRed)->ButtonUp(), Qt::LeftButton);
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(dialog.UpDown(ChannelRed)->Position(), 0);
    dialog.accept();
}

} // namespace
} // namespace tavrin
