#include "gui/app/DisplaySettingsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

// One line per control in the order the panel holds them: kind, object name, position,
// then the caption or the items.
QString Describe(const QWidget* widget) {
    const QString where = QStringLiteral("%1,%2").arg(widget->x()).arg(widget->y());
    if (auto* box = qobject_cast<const QCheckBox*>(widget))
        return QStringLiteral("check %1 %2 %3").arg(box->objectName(), where, box->text());
    if (auto* button = qobject_cast<const QPushButton*>(widget))
        return QStringLiteral("button %1 %2 %3").arg(button->objectName(), where, button->text());
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return QStringLiteral("label %1 %2").arg(where, label->text());
    if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return QStringLiteral("list %1 %2 %3").arg(combo->objectName(), where, items.join('|'));
    }
    return QStringLiteral("other %1").arg(widget->objectName());
}

TEST(DisplaySettingsPanel, HoldsEveryControlInPlaceAndOrder) {
    DisplaySettingsPanel panel;
    EXPECT_EQ(panel.size(), QSize(297, 118));
    QStringList controls;
    for (const QObject* child : panel.children())
        if (child->isWidgetType())
            controls << Describe(static_cast<const QWidget*>(child));
    const QStringList expected =
        QString::fromUtf8("check cbEditArea 0,0 編集中領域\n"
                          "check cbGridL 104,0 グリッド左\n"
                          "check cbGridR 200,0 グリッド右\n"
                          "check CheckBoxShowHint 0,18 ShowHint\n"
                          "check cbHalftone 104,18 Halftone\n"
                          "label 8,42 画像形式:\n"
                          "list ComboBoxFormat 8,55 \n"
                          "button ButtonFormatInfo 144,55 情報...\n"
                          "label 185,42 回転:\n"
                          "list ComboBoxRotate 185,55 0|90|180|270\n"
                          "label 241,42 反転:\n"
                          "list ComboBoxMirror 241,55 None|Horizontal|Vertical|Both\n"
                          "label 8,78 表示パターン:\n"
                          "list ComboBoxPattern 8,91 \n"
                          "button ButtonSimpleAdfDlg 144,91 編集...\n"
                          "label 185,78 グリッド:\n"
                          "list ComboBoxGrid 185,91 点|点線|破線|線\n"
                          "label 241,78 倍率:\n"
                          "list ComboBoxZoom 241,91 x1|x2|x4|x8|x16")
            .split('\n');
    EXPECT_EQ(controls, expected);
}

TEST(DisplaySettingsPanel, TheFormatAndPatternListsAreWideAndDropSixteenRows) {
    DisplaySettingsPanel panel;
    for (QComboBox* combo : {panel.Format(), panel.Pattern()}) {
        EXPECT_EQ(combo->width(), 137) << qPrintable(combo->objectName());
        EXPECT_EQ(combo->maxVisibleItems(), 16) << qPrintable(combo->objectName());
    }
}

TEST(DisplaySettingsPanel, TheSixListsKeepTheKeys) {
    DisplaySettingsPanel panel;
    const std::vector<QComboBox*> expected = {panel.Format(),  panel.Rotate(), panel.Mirror(),
                                              panel.Pattern(), panel.Grid(),   panel.Zoom()};
    EXPECT_EQ(panel.Combos(), expected);
    for (QComboBox* combo : expected)
        EXPECT_TRUE(combo->focusPolicy() & Qt::TabFocus) << qPrintable(combo->objectName());
}

} // namespace
} // namespace tavrin
