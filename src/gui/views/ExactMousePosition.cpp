#include "gui/views/ExactMousePosition.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <cmath>

namespace tavrin {

namespace {

ExactMousePosition* Instance() {
    static ExactMousePosition* filter = nullptr;
    if (!filter && QCoreApplication::instance()) {
        filter = new ExactMousePosition;
        filter->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
    return filter;
}

bool IsMouseEvent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseMove || type == QEvent::MouseButtonDblClick;
}

} // namespace

void ExactMousePosition::Install() {
    Instance();
}

bool ExactMousePosition::eventFilter(QObject* watched, QEvent* event) {
    // The window system's events reach the QWindow first; the widgets get rounded copies.
    if (watched->isWindowType() && IsMouseEvent(event->type())) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_window = static_cast<QWindow*>(watched);
        m_windowPos = mouse->position();
        m_timestamp = mouse->timestamp();
        m_known = true;
    }
    return QObject::eventFilter(watched, event);
}

QPointF ExactMousePosition::Of(const QWidget* widget, const QMouseEvent* event) {
    const ExactMousePosition* self = Instance();
    const QPointF rounded = event->position();
    const QWidget* top = widget->window();
    if (!self || !self->m_known || self->m_timestamp != event->timestamp() || !top ||
        self->m_window != top->windowHandle())
        return rounded;
    const QPointF exact = self->m_windowPos - QPointF(widget->mapTo(top, QPoint(0, 0)));
    // Only the rounding may differ; anything else is another event.
    if (std::abs(exact.x() - rounded.x()) > 0.5 || std::abs(exact.y() - rounded.y()) > 0.5)
        return rounded;
    return exact;
}

} // namespace tavrin
