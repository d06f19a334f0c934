#pragma once

#include <QStatusBar>

class QLabel;

namespace tavrin {

// The status bar: address, pattern and pen panels, with the mouse-hint panel lying over the
// third one.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    // Panel 0: address, 1: pattern, 2: pen name.
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

    void SetHints(const QString& left, const QString& right);
    QString LeftHint() const;
    QString RightHint() const;
    void SetHintsVisible(bool visible);
    bool HintsVisible() const;

private:
    QLabel* m_panels[3] = {};
    QWidget* m_hintPanel = nullptr;
    QLabel* m_leftHint = nullptr;
    QLabel* m_rightHint = nullptr;
};

} // namespace tavrin
