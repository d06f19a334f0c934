#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tavrin {

// The small dialog "指定アドレスへ移動" that asks for an address in hexadecimal.
class TJumpDialog : public QDialog {
    Q_OBJECT
public:
    explicit TJumpDialog(QWidget* parent = nullptr);

    void SetAddress(int address) { m_address = address; }
    int Address() const { return m_address; }

    QLineEdit* EditAddress() const { return m_edit; }
    QPushButton* ButtonOk() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ButtonOkClick();

    QLineEdit* m_edit;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    int m_address = 0;
};

} // namespace tavrin
