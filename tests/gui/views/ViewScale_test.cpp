#include "support/WindowFixture.h"

#include "core/palette/CDatPalette.h"
#include "gui/views/ImagePanel.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest/qtestmouse.h>
#include <set>

// The view scale: the toolkit scales the whole window; the panels keep their pixels sharp
// and a position between two screen pixels belongs to the window pixel it lies in.

namespace tavrin::test {
namespace {

// A picture of the four colours in cells of 3 x 2 pixels: at any scale nothing but these
// four colours may reach the screen.
QImage Checker() {
    QImage picture(24, 16, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(0, 0, 0)};
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, colours[(x / 3 + y / 2) % 4]);
    return picture;
}

TEST(ViewScale, PanelPixelsStayUnblendedAtEveryScale) {
    for (const double scale : {1.0, 1.5, 2.0, 3.0, 4.0}) {
        SCOPED_TRACE(scale);
        ImagePanel panel(QStringLiteral("ImageTest"), QSize(24, 16));
        panel.SetPicture(Checker());
        QImage screen(QSize(24, 16) * scale, QImage::Format_RGB32);
        screen.setDevicePixelRatio(scale);
        panel.render(&screen);
        std::set<QRgb> seen;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                seen.insert(screen.pixel(x, y) | 0xFF000000u);
        EXPECT_EQ(seen, (std::set<QRgb>{qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0),
                                        qRgb(0, 0, 0)}));
        // Whole screen pixels of one window pixel: the first cell's corner stays red.
        EXPECT_EQ(screen.pixel(static_cast<int>(3 * scale) - 1, 0) | 0xFF000000u, qRgb(255, 0, 0));
    }
}

TEST(ViewScale, PositionsBetweenScreenPixelsBelongToTheWindowPixelTheyLieIn) {
    EXPECT_EQ(PanelPixel(QPointF(31.5, 0.75)), QPoint(31, 0));
    EXPECT_EQ(PanelPixel(QPointF(255.5, 255.99)), QPoint(255, 255));
    EXPECT_EQ(PanelPixel(QPointF(-0.5, 2.0)), QPoint(-1, 2));
}

// Runs in a second run of this program at 200 % (see the test below), where a click between
// two screen pixels on the edit view must draw the pixel it lies in.
class ViewScaleWindow : public WindowTest {};

TEST_F(ViewScaleWindow, DISABLED_EditViewClickAt200Percent) {
    WriteFile(QStringLiteral("t.chr"), QByteArray(8192, '\0'));
    Open({StdPath(QStringLiteral("t.chr"))});
    ASSERT_DOUBLE_EQ(W().devicePixelRatioF(), 2.0);
    E().Space().SelectPaletteEntry(3);
    // Zoom x8: 2 x 2 tiles, each of their pixels 16 window pixels. (31.5, 32.5) is screen
    // pixel (63, 65): tile pixel (1, 2), where rounding would give (2, 2).
    QWindow* window = W().windowHandle();
    const QPointF at = QPointF(W().EditView()->mapTo(&W(), QPoint(0, 0))) + QPointF(31.5, 32.5);
    const QPointF global = QPointF(W().mapToGlobal(QPoint(0, 0))) + at;
    qt_handleMouseEvent(window, at, global, Qt::LeftButton, Qt::LeftButton,
                        QEvent::MouseButtonPress, Qt::NoModifier, 1000);
    qt_handleMouseEvent(window, at, global, Qt::NoButton, Qt::LeftButton,
                        QEvent::MouseButtonRelease, Qt::NoModifier, 1010);
    QByteArray expected(8192, '\0');
    expected[2] = '\x40'; // colour 3 in row 2, column 1: both planes
    expected[10] = '\x40';
    const char* bytes = reinterpret_cast<const char*>(E().Space().Document().Data());
    EXPECT_EQ(QByteArray(bytes, 8192).toHex(), expected.toHex());
}

TEST(ViewScale, TheWindowAt200PercentDrawsWhereItIsClicked) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TAVRIN_TEST_VIEW_SCALE"), QStringLiteral("200"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_filter=ViewScaleWindow.DISABLED_EditViewClickAt200Percent"),
         QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

} // namespace
} // namespace tavrin::test
