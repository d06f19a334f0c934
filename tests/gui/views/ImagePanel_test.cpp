#include "gui/views/ImagePanel.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

// The panel reports where the pointer is, also outside it during a drag; holding a position
// within the picture is the core's rule.
TEST(ImagePanel, ReportsPositionsAsTheyAre) {
    ImagePanel panel(QStringLiteral("ImageDat"), QSize(256, 32));
    panel.show();
    QSignalSpy pressed(&panel, &ImagePanel::Pressed);
    QSignalSpy moved(&panel, &ImagePanel::Moved);
    QSignalSpy released(&panel, &ImagePanel::Released);

    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(10, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(-5, 300), panel.mapToGlobal(QPointF(-5, 300)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &move);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(270, -3));

    ASSERT_EQ(pressed.size(), 1);
    EXPECT_EQ(pressed[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(pressed[0][1].toPoint(), QPoint(10, 20));
    ASSERT_GE(moved.size(), 1);
    EXPECT_EQ(moved.last()[0].toPoint(), QPoint(-5, 300));
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released[0][1].toPoint(), QPoint(270, -3));
}

TEST(ImagePanel, ShowsThePictureMovedUpByTheOffset) {
    ImagePanel panel(QStringLiteral("ImagePal"), QSize(4, 2));
    QImage picture(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            picture.setPixel(x, y, qRgb(y * 60, 0, 0));
    panel.SetPicture(picture);
    panel.SetTopOffset(2);
    const QImage shown = panel.grab().toImage();
    EXPECT_EQ(shown.size(), QSize(4, 2));
    EXPECT_EQ(qRed(shown.pixel(0, 0)), 120);
    EXPECT_EQ(qRed(shown.pixel(3, 1)), 180);
}

} // namespace
} // namespace tavrin
