#pragma once

#include <QImage>
#include <QWidget>

namespace tavrin {

// The button numbers of the core's mouse rules: 0 left, 1 right, 2 middle, 3 any other.
int MouseButtonIndex(Qt::MouseButton button);

// The window pixel under a position. At a view scale above 100 % the toolkit reports
// positions between window pixels (255.5 at 200 %); the pixel is the one they lie in, never
// the next one rounding would give.
QPoint PanelPixel(QPointF position);

// One of the four pictures of the main window (tile, edit, palette-set and palette view). It
// paints the picture the core drew, each of its pixels a sharp square at any view scale, and
// reports each mouse event once, in panel coordinates
// (0, 0 at the top left of what shows, whatever the scroll position; a drag may go outside);
// what the event means, and where a position outside is held, is decided by the core.
class ImagePanel : public QWidget {
    Q_OBJECT
public:
    ImagePanel(const QString& name, QSize visibleSize, QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

    // The picture is shown moved up by this many pixels (the palette views' scroll position).
    void SetTopOffset(int pixels);
    int TopOffset() const { return m_topOffset; }

signals:
    void Pressed(Qt::MouseButton button, QPoint panelPos);
    void Moved(QPoint panelPos);
    void Released(Qt::MouseButton button, QPoint panelPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    int m_topOffset = 0;
};

} // namespace tavrin
