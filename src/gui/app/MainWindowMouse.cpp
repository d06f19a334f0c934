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

void MainWindow::PanelPressed(Panel which, Qt::MouseButton button, QPoint pos) {
    if (!IsEditorButton(button))
        return;
    if (m_tracked == Panel::None)
        m_tracked = which;
    m_trackedButtons |= button;
    const MouseButton b = ToEditorButton(button);
    switch (m_tracked) {
    case Panel::Chr:
        m_editor->ChrMouseDown(b, pos.x(), pos.y());
        break;
    case Panel::Edit:
        m_editor->EditMouseDown(b, pos.x(), pos.y());
        break;
    case Panel::Dat:
        m_editor->DatMouseDown(b, pos.x(), pos.y());
        break;
    case Panel::Pal:
        m_editor->PalMouseDown(b, pos.x(), pos.y());
        break;
    default:
        break;
    }
    // The right and the middle button keep reaching their image when the pointer leaves it;
    // the left button has the toolkit's own capture.
    if (button != Qt::LeftButton && mouseGrabber() != this)
        grabMouse();
}

void MainWindow::PanelMoved(Panel which, QPoint pos) {
    if (m_tracked != Panel::None && m_tracked != which)
        return;
    switch (which) {
    case Panel::Chr:
        m_editor->ChrMouseMove(pos.x(), pos.y());
        break;
    case Panel::Edit:
        m_editor->EditMouseMove(pos.x(), pos.y());
        break;
    case Panel::Dat:
        m_editor->DatMouseMove(pos.x(), pos.y());
        break;
    case Panel::Pal:
        m_editor->PalMouseMove(pos.x(), pos.y());
        break;
    default:
        break;
    }
}

void MainWindow::PanelReleased(Panel which, Qt::MouseButton button, QPoint pos) {
    if (!IsEditorButton(button))
        return;
    if (m_tracked != Panel::None)
        which = m_tracked;
    const MouseButton b = ToEditorButton(button);
    switch (which) {
    case Panel::Chr:
        m_editor->ChrMouseUp(b, pos.x(), pos.y());
        break;
    case Panel::Edit:
        m_editor->EditMouseUp(b, pos.x(), pos.y());
        break;
    case Panel::Dat:
        m_editor->DatMouseUp(b, pos.x(), pos.y());
        break;
    case Panel::Pal:
        m_editor->PalMouseUp(b, pos.x(), pos.y());
        break;
    default:
        break;
    }
    m_trackedButtons &= ~Qt::MouseButtons(button);
    if (m_trackedButtons == Qt::NoButton) {
        m_tracked = Panel::None;
        if (mouseGrabber() == this)
            releaseMouse();
    }
}

// While the window holds the mouse for a right or middle drag, the pointer is turned back
// into coordinates of the tracked image (held within it).
void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (ImagePanel* panel = PanelWidget(m_tracked)) {
        PanelMoved(m_tracked,
                   panel->ToPanel(panel->mapFromGlobal(event->globalPosition()).toPoint()));
        return;
    }
    m_editor->FormMouseMove();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (ImagePanel* panel = PanelWidget(m_tracked)) {
        PanelPressed(m_tracked, event->button(),
                     panel->ToPanel(panel->mapFromGlobal(event->globalPosition()).toPoint()));
        return;
    }
    QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (ImagePanel* panel = PanelWidget(m_tracked)) {
        PanelReleased(m_tracked, event->button(),
                      panel->ToPanel(panel->mapFromGlobal(event->globalPosition()).toPoint()));
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
    m_editor->MouseWheel(direction, target, false);
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
