#pragma once

#include <QFrame>
#include <QPointer>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace tavrin {

// The display settings under the tile view: grid and frame boxes, halftone, tool-tips, and
// the format, rotation, mirror, pattern, grid and zoom lists.
class DisplaySettingsPanel : public QFrame {
    Q_OBJECT
public:
    explicit DisplaySettingsPanel(QWidget* parent = nullptr);

    QCheckBox* EditArea() const { return m_editArea; }
    QCheckBox* GridLeft() const { return m_gridL; }
    QCheckBox* GridRight() const { return m_gridR; }
    QCheckBox* ShowHint() const { return m_showHint; }
    QCheckBox* Halftone() const { return m_halftone; }
    QComboBox* Format() const { return m_format; }
    QComboBox* Rotate() const { return m_rotate; }
    QComboBox* Mirror() const { return m_mirror; }
    QComboBox* Pattern() const { return m_pattern; }
    QComboBox* Grid() const { return m_grid; }
    QComboBox* Zoom() const { return m_zoom; }
    QPushButton* FormatInfo() const { return m_formatInfo; }
    QPushButton* SimpleAdfDlg() const { return m_simpleAdfDlg; }

    // The six lists that keep keys and the wheel while they have the focus.
    std::vector<QComboBox*> Combos() const;

signals:
    // An item of one of the lists was chosen with the mouse from its drop-down, or a list was
    // closed with Esc: the keys go back to the tile panels.
    void KeysGivenBack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The drop-down whose item was just clicked, until its list reports the choice.
    QPointer<QComboBox> m_clicked;

    QCheckBox* m_editArea;
    QCheckBox* m_gridL;
    QCheckBox* m_gridR;
    QCheckBox* m_showHint;
    QCheckBox* m_halftone;
    QComboBox* m_format;
    QComboBox* m_rotate;
    QComboBox* m_mirror;
    QComboBox* m_pattern;
    QComboBox* m_grid;
    QComboBox* m_zoom;
    QPushButton* m_formatInfo;
    QPushButton* m_simpleAdfDlg;
};

} // namespace tavrin
