#include "gui/app/MainWindow.h"

#include "gui/views/ImagePanel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace tavrin {

namespace {

MouseButton ToEditorButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

bool IsEditorButton(Qt::MouseButton button) {
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

} // namespace

void MainWindow::ConnectPanel(ImagePanel* panel, Panel which) {
    connect(panel, &ImagePanel::Pressed, this, [this, which](Qt::MouseButton button, QPoint pos) {
        PanelPressed(which, button, pos);
    });
    connect(panel, &ImagePanel::Moved, this, [this, which](QPoint pos) { PanelMoved(which, pos); });
    connect(panel, &ImagePanel::Released, this, [this, which](Qt::MouseButton button, QPoint pos) {
        PanelReleased(which, button, pos);
    });
}

ImagePanel* MainWindow::PanelWidget(Panel which) const {
    switch (which) {
    case Panel::Chr:
        return m_chrView;
    case Panel::Edit:
        return m_editView;
    case Panel::Dat:
        return m_datView;
    case Panel::Pal:
        return m_palView;
    default:
        return nullptr;
    }
}

// The Editor tracks a press from its panel to its release (which image, which drag); the
// window only forwards events and holds the mouse for right and middle drags.
void MainWindow::PanelPressed(Panel which, Qt::MouseButton button, QPoint pos) {
    if (!IsEditorButton(button))
        return;
    const Panel tracked = m_editor->Mouse().TrackedPanel();
    if (tracked != Panel::None && tracked != which)
        return;
    const MouseButton b = ToEditorButton(button);
    switch (which) {
    case Panel::Chr:
        m_editor->Mouse().Down(Panel::Chr, b, pos.x(), pos.y());
        break;
    case Panel::Edit:
        m_editor->Mouse().Down(Panel::Edit, b, pos.x(), pos.y());
        break;
    case Panel::Dat:
        m_editor->Mouse().Down(Panel::Dat, b, pos.x(), pos.y());
        break;
    case Panel::Pal:
        m_editor->Mouse().Down(Panel::Pal, b, pos.x(), pos.y());
        break;
    default:
        break;
    }
    // The left button has the toolkit's own capture.
    if (button != Qt::LeftButton && m_editor->Mouse().TrackedPanel() != Panel::None &&
        mouseGrabber() != this)
        grabMouse();
}

void MainWindow::PanelMoved(Panel which, QPoint pos) {
    // During a press only its own image hears the moves.
    const Panel tracked = m_editor->Mouse().TrackedPanel();
    if (tracked != Panel::None && tracked != which)
        return;
    switch (which) {
    case Panel::Chr:
        m_editor->Mouse().Move(Panel::Chr, pos.x(), pos.y());
        break;
    case Panel::Edit:
        m_editor->Mouse().Move(Panel::Edit, pos.x(), pos.y());
        break;
    case Panel::Dat:
        m_editor->Mouse().Move(Panel::Dat, pos.x(), pos.y());
        break;
    case Panel::Pal:
        m_editor->Mouse().Move(Panel::Pal, pos.x(), pos.y());
        break;
    default:
        break;
    }
}

void MainWindow::PanelReleased(Panel /*which*/, Qt::MouseButton button, QPoint pos) {
    if (!IsEditorButton(button))
        return;
    if (m_editor->Mouse().TrackedPanel() != Panel::None)
        m_editor->Mouse().FormUp(ToEditorButton(button), pos.x(), pos.y());
    if (m_editor->Mouse().TrackedPanel() == Panel::None && mouseGrabber() == this)
        releaseMouse();
}

// The position of a window-level event in the coordinates of the tracked image.
QPoint MainWindow::TrackedPosition(const QPointF& globalPos) const {
    ImagePanel* panel = PanelWidget(m_editor->Mouse().TrackedPanel());
    return panel ? PanelPixel(panel->mapFromGlobal(globalPos)) : QPoint();
}

// While the window holds the mouse for a right or middle drag, its events go to the tracked
// image; the Editor holds the position within it.
void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_editor->Mouse().TrackedPanel() != Panel::None) {
        const QPoint pos = TrackedPosition(event->globalPosition());
        m_editor->Mouse().FormMove(pos.x(), pos.y());
        if (m_editor->Mouse().TrackedPanel() == Panel::None && mouseGrabber() == this)
            releaseMouse();
        return;
    }
    m_editor->Mouse().FormMove();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (m_editor->Mouse().TrackedPanel() != Panel::None) {
        PanelPressed(m_editor->Mouse().TrackedPanel(), event->button(),
                     TrackedPosition(event->globalPosition()));
        return;
    }
    QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (m_editor->Mouse().TrackedPanel() != Panel::None) {
        PanelReleased(m_editor->Mouse().TrackedPanel(), event->button(),
                      TrackedPosition(event->globalPosition()));
        return;
    }
    QMainWindow::mouseReleaseEvent(event);
}

void MainWindow::WheelNotch(int direction, QPoint globalPos) {
    WheelTarget target = WheelTarget::Other;
    if (m_datPanel->isVisible() &&
        m_datPanel->rect().contains(m_datPanel->mapFromGlobal(globalPos)))
        target = WheelTarget::DatPanel;
    else if (m_palPanel->isVisible() &&
             m_palPanel->rect().contains(m_palPanel->mapFromGlobal(globalPos)))
        target = WheelTarget::PalPanel;
    m_editor->MouseWheel(direction, target);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    m_editor->DropFiles(paths);
}

} // namespace tavrin
