#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

class QMouseEvent;
class QWidget;
class QWindow;

namespace tavrin {

// Qt Widgets hands a widget its mouse positions rounded to whole window pixels. At a view
// scale above 100 % several screen pixels make one window pixel, and rounding puts those in
// its right and lower half into the next one. This application-wide filter keeps each mouse
// event's position as the window system gave it, so a panel takes the pixel it lies in.
class ExactMousePosition : public QObject {
public:
    // Installs the filter on the application, once.
    static void Install();
    // The position of event in widget's coordinates, between pixels when the window
    // system's event is known, else the rounded one.
    static QPointF Of(const QWidget* widget, const QMouseEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWindow> m_window;
    QPointF m_windowPos;
    quint64 m_timestamp = 0;
    bool m_known = false;
};

} // namespace tavrin
