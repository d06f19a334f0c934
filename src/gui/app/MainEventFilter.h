#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <vector>

class QComboBox;
class QWidget;

namespace tavrin {

// The application-level event hook of the main window: while one of the display-settings
// lists has the focus it keeps every key except Tab and Alt combinations, and the wheel, so
// the action keys do not fire; every other wheel notch over the window goes to one handler; tool
// tips follow the "ShowHint" box.
class MainEventFilter : public QObject {
    Q_OBJECT
public:
    // onNotch(direction, globalPos) runs once per wheel notch: -1 away from the user, +1
    // towards.
    MainEventFilter(QWidget* window, std::vector<QComboBox*> combos,
                    std::function<void(int, QPoint)> onNotch);

    void SetToolTipsEnabled(bool on) { m_toolTips = on; }
    bool ToolTipsEnabled() const { return m_toolTips; }
    // The display-settings list that has the focus, or null.
    QComboBox* FocusedCombo() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool InWindow(QObject* object) const;

    QWidget* m_window;
    std::vector<QComboBox*> m_combos;
    std::function<void(int, QPoint)> m_onNotch;
    int m_wheelRemainder = 0;
    bool m_toolTips = true;
};

} // namespace tavrin
