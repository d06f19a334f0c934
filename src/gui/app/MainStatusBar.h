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

    // The file address and tile number of the tile under the mouse in the CHR view: while it
    // is set, the address panel shows it in place of the page's addresses (the pattern panel
    // beside it tells about the same tile); an empty text shows the page's again.
    void SetMouseAddress(const QString& text);
    QString MouseAddress() const { return m_mouseAddress; }

    void SetHints(const QString& left, const QString& right);
    QString LeftHint() const;
    QString RightHint() const;
    void SetHintsVisible(bool visible);
    bool HintsVisible() const;

private:
    void ShowAddressPanel();

    QLabel* m_panels[3] = {};
    QString m_pageAddress;
    QString m_mouseAddress;
    QWidget* m_hintPanel = nullptr;
    QLabel* m_leftHint = nullptr;
    QLabel* m_rightHint = nullptr;
};

} // namespace tavrin
