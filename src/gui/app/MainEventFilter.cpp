#include "gui/app/MainEventFilter.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>

namespace tavrin {

namespace {

constexpr int NotchDelta = 120; // one wheel notch in eighths of a degree

// Tab moves the focus on, and keys with Alt are system keys (menus, closing the window):
// the lists leave both their normal way.
bool PassesTheLists(const QKeyEvent* key) {
    return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
           (key->modifiers() & Qt::AltModifier);
}

} // namespace

MainEventFilter::MainEventFilter(QWidget* window, std::vector<QComboBox*> combos,
                                 std::function<void(int, QPoint)> onNotch)
    : QObject(window), m_window(window), m_combos(std::move(combos)),
      m_onNotch(std::move(onNotch)) {}

QComboBox* MainEventFilter::FocusedCombo() const {
    QWidget* focus = QApplication::focusWidget();
    const auto it = std::find(m_combos.begin(), m_combos.end(), focus);
    return it == m_combos.end() ? nullptr : *it;
}

bool MainEventFilter::InWindow(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->window() == m_window;
}

bool MainEventFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Accepting the override hands the key to the focused list instead of the shortcuts.
        auto* key = static_cast<QKeyEvent*>(event);
        if (!PassesTheLists(key) && FocusedCombo() && watched == FocusedCombo()) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::Wheel: {
        if (!InWindow(watched))
            break;
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (QComboBox* combo = FocusedCombo()) {
            if (watched == combo)
                break;
            QWheelEvent copy(combo->mapFromGlobal(wheel->globalPosition()), wheel->globalPosition(),
                             wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                             wheel->modifiers(), wheel->phase(), wheel->inverted());
            QApplication::sendEvent(combo, &copy);
            return true;
        }
        m_wheelRemainder += wheel->angleDelta().y();
        const QPoint globalPos = wheel->globalPosition().toPoint();
        while (m_wheelRemainder >= NotchDelta) {
            m_wheelRemainder -= NotchDelta;
            m_onNotch(-1, globalPos);
        }
        while (m_wheelRemainder <= -NotchDelta) {
            m_wheelRemainder += NotchDelta;
            m_onNotch(+1, globalPos);
        }
        return true;
    }
    case QEvent::ToolTip:
        if (!m_toolTips && InWindow(watched))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavrin
