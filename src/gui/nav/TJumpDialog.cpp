#include "gui/nav/TJumpDialog.h"

#include "core/nav/AddressParse.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tavrin {

TJumpDialog::TJumpDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("JumpDialog"));
    setWindowTitle(tr("指定アドレスへ移動"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(162, 37);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("EditAddress"));
    // Eight digits, or the same with "0x", "$" or "h" and blanks around, as pasted.
    m_edit->setMaxLength(16);
    m_edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_edit->setGeometry(8, 8, 81, 21);
    // The dialog is too small for a label: the field says what it takes when asked.
    m_edit->setToolTip(tr("移動先のアドレス（16 進数、8 桁まで）"));
    m_edit->setAccessibleName(windowTitle());
    m_edit->setPlaceholderText(QStringLiteral("00000000"));

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("ButtonOk"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_ok->setGeometry(96, 7, 57, 23);

    // The cancel button sits right of the visible area: Escape is its only way in.
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("ButtonCancel"));
    m_cancel->setAutoDefault(false);
    m_cancel->setGeometry(170, 7, 57, 23);

    connect(m_ok, &QPushButton::clicked, this, &TJumpDialog::ButtonOkClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TJumpDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->setText(QString::fromStdString(FormatAddressText(m_address)));
    m_edit->selectAll();
    // Focus changes still queued from an earlier showing may clear the selection; select
    // again once they are through.
    QTimer::singleShot(0, m_edit, &QLineEdit::selectAll);
}

void TJumpDialog::ButtonOkClick() {
    const std::optional<int32_t> parsed = ParseAddress(m_edit->text().toStdString());
    if (parsed) {
        m_address = *parsed;
        accept();
    } else {
        m_address = 0;
        reject();
    }
}

} // namespace tavrin
