#pragma once

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRect>

namespace tavrin {

// The controls of the fixed-layout dialogs, their captions (marked with QT_TRANSLATE_NOOP
// where they are written) translated in the dialog's context.
class DialogControls {
public:
    explicit constexpr DialogControls(const char* context) : m_context(context) {}

    QString Text(const char* source) const {
        return QCoreApplication::translate(m_context, source);
    }
    QLabel* Label(const char* caption, QWidget* parent, int x, int y) const {
        auto* label = new QLabel(Text(caption), parent);
        label->move(x, y);
        label->adjustSize();
        return label;
    }
    QCheckBox* Check(const char* name, const char* caption, QWidget* parent, QRect geometry) const {
        auto* check = new QCheckBox(Text(caption), parent);
        check->setObjectName(QString::fromLatin1(name));
        check->setGeometry(geometry);
        return check;
    }
    // Enter in the dialog's text fields must not press a button.
    QPushButton* Button(const char* name, const char* caption, QWidget* parent,
                        QRect geometry) const {
        auto* button = new QPushButton(Text(caption), parent);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(geometry);
        button->setAutoDefault(false);
        return button;
    }

private:
    const char* m_context;
};

} // namespace tavrin
