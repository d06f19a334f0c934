#include "gui/nav/TFindBytesDialog.h"

#include "core/nav/BytePattern.h"
#include "core/places/Navigator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tavrin {

namespace {

const char* ErrorText(PatternError error) {
    switch (error) {
    case PatternError::None:
        return "";
    case PatternError::Empty:
        return QT_TRANSLATE_NOOP("tavrin::TFindBytesDialog", "探すバイト列を入力してください。");
    case PatternError::BadCharacter:
        return QT_TRANSLATE_NOOP("tavrin::TFindBytesDialog",
                                 "16進数には 0-9、A-F と ? だけが使えます。");
    case PatternError::OddDigits:
        return QT_TRANSLATE_NOOP("tavrin::TFindBytesDialog",
                                 "1バイトは16進数2桁で書いてください。");
    case PatternError::OnlyWildcards:
        return QT_TRANSLATE_NOOP("tavrin::TFindBytesDialog",
                                 "?? 以外のバイトを1つ以上入れてください。");
    case PatternError::NotAscii:
        return QT_TRANSLATE_NOOP("tavrin::TFindBytesDialog", "ASCII にない文字があります。");
    case PatternError::NotCp932:
        return QT_TRANSLATE_NOOP("tavrin::TFindBytesDialog", "cp932 で書けない文字があります。");
    case PatternError::TooLong:
        return QT_TRANSLATE_NOOP("tavrin::TFindBytesDialog", "探せるのは256バイトまでです。");
    }
    return "";
}

} // namespace

TFindBytesDialog::TFindBytesDialog(Navigator& navigator, QWidget* parent)
    : QDialog(parent), m_nav(navigator) {
    setObjectName(QStringLiteral("FindBytesDialog"));
    setWindowTitle(tr("バイト列を探す"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("EditFindText"));
    m_text->setMinimumWidth(220);
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("ComboFindMode"));
    m_mode->addItems({tr("16進数"), QStringLiteral("ASCII"), QStringLiteral("cp932 (Shift_JIS)")});
    m_forward = new QRadioButton(tr("下へ(&D)"), this);
    m_forward->setObjectName(QStringLiteral("RadioForward"));
    m_forward->setChecked(true);
    m_backward = new QRadioButton(tr("上へ(&U)"), this);
    m_backward->setObjectName(QStringLiteral("RadioBackward"));
    m_find = new QPushButton(tr("探す(&S)"), this);
    m_find->setObjectName(QStringLiteral("ButtonFind"));
    m_find->setDefault(true);
    auto* close = new QPushButton(tr("閉じる"), this);
    close->setObjectName(QStringLiteral("ButtonClose"));
    close->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("探す値(&T):"), this), 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 2);
    grid->addWidget(new QLabel(tr("種類:"), this), 1, 0);
    grid->addWidget(m_mode, 1, 1, 1, 2);
    auto* direction = new QHBoxLayout;
    direction->addWidget(m_forward);
    direction->addWidget(m_backward);
    direction->addStretch();
    grid->addLayout(direction, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_find);
    buttons->addWidget(close);
    grid->addLayout(buttons, 3, 0, 1, 3);
    static_cast<QLabel*>(grid->itemAtPosition(0, 0)->widget())->setBuddy(m_text);

    connect(m_find, &QPushButton::clicked, this, &TFindBytesDialog::Find);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TFindBytesDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_text->setFocus(Qt::OtherFocusReason);
    m_text->selectAll();
}

bool TFindBytesDialog::Find() {
    const std::string text = m_text->text().toStdString();
    PatternParse parsed;
    switch (m_mode->currentIndex()) {
    case Ascii:
        parsed = TextPattern(text, TextEncoding::Ascii);
        break;
    case Cp932:
        parsed = TextPattern(text, TextEncoding::Cp932);
        break;
    default:
        parsed = ParseHexPattern(text);
        break;
    }
    if (parsed.error != PatternError::None) {
        emit Message(tr(ErrorText(parsed.error)));
        return false;
    }
    const bool found =
        m_nav.FindBytes(parsed.pattern, m_backward->isChecked() ? SearchDirection::Backward
                                                                : SearchDirection::Forward);
    // The page moved under the dialog: it keeps the keyboard for the next search.
    activateWindow();
    m_text->setFocus(Qt::OtherFocusReason);
    return found;
}

} // namespace tavrin
