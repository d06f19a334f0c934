#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrin {

class Navigator;

// The dialog "バイト列を探す": hexadecimal bytes with "??" for any byte, or a text in ASCII
// or cp932, searched forwards or backwards from the last match. It stays open between
// searches; the Navigator moves the page and selects the found tile.
class TFindBytesDialog : public QDialog {
    Q_OBJECT
public:
    enum Mode { Hex = 0, Ascii = 1, Cp932 = 2 };

    TFindBytesDialog(Navigator& navigator, QWidget* parent = nullptr);

    QLineEdit* EditText() const { return m_text; }
    QComboBox* ComboMode() const { return m_mode; }
    QRadioButton* RadioBackward() const { return m_backward; }
    QPushButton* ButtonFind() const { return m_find; }

    // Runs one search with the dialog's fields; a text that gives no bytes is explained.
    bool Find();

signals:
    // A message for the main window to show.
    void Message(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Navigator& m_nav;
    QLineEdit* m_text;
    QComboBox* m_mode;
    QRadioButton* m_forward;
    QRadioButton* m_backward;
    QPushButton* m_find;
};

} // namespace tavrin
