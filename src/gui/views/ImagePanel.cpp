#include "gui/views/ImagePanel.h"

#include "gui/views/ExactMousePosition.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace tavrin {

int MouseButtonIndex(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 0;
    case Qt::RightButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    default:
        return 3;
    }
}

QPoint PanelPixel(QPointF position) {
    return QPoint(static_cast<int>(std::floor(position.x())),
                  static_cast<int>(std::floor(position.y())));
}

ImagePanel::ImagePanel(const QString& name, QSize visibleSize, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setFixedSize(visibleSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ExactMousePosition::Install();
}

void ImagePanel::SetPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void ImagePanel::SetTopOffset(int pixels) {
    if (pixels == m_topOffset)
        return;
    m_topOffset = pixels;
    update();
}

void ImagePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Scaled up by the view scale, pixels are repeated, never blended.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(rect(), Qt::black);
    if (!m_picture.isNull())
        painter.drawImage(QPoint(0, -m_topOffset), m_picture);
}

void ImagePanel::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    emit Pressed(event->button(), PanelPixel(ExactMousePosition::Of(this, event)));
}

void ImagePanel::mouseMoveEvent(QMouseEvent* event) {
    emit Moved(PanelPixel(ExactMousePosition::Of(this, event)));
}

void ImagePanel::mouseReleaseEvent(QMouseEvent* event) {
    emit Released(event->button(), PanelPixel(ExactMousePosition::Of(this, event)));
}

// A double click is a second press, as the core counts presses and releases in pairs.
void ImagePanel::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

} // namespace tavrin
