#include "core/tools/CTools.h"
#include "gui/app/MainStatusBar.h"
#include "gui/app/Translations.h"
#include "gui/edit/TColorOptimizeDlg.h"
#include "gui/edit/TReplaceColorDialog.h"
#include "gui/nav/TJumpDialog.h"
#include "gui/option/TFConfigDialog.h"
#include "gui/palette/TPatternDialog.h"
#include "gui/tools/TToolConfigDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Every caption of the fixed-layout dialogs fits its control, and every control its dialog, in
// both languages: a text the English window shows clipped fails here with its place.

namespace tavrin {
namespace {

// The controls of widget (all pages of tab widgets too) whose text does not fit them or that
// reach outside their parent.
QStringList Clipped(QWidget* top) {
    QStringList found;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        QString text;
        int needed = 0;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || label->wordWrap() || !label->pixmap().isNull())
                continue;
            text = label->text();
            needed = label->sizeHint().width();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->text().isEmpty())
                continue;
            text = button->text();
            // A push button's hint has a minimum width of the style; its text is what counts.
            needed = qobject_cast<QPushButton*>(w)
                         ? button->fontMetrics().horizontalAdvance(QString(text).remove(u'&')) + 8
                         : button->sizeHint().width();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            // The longest item must show in the closed box.
            QComboBox probe;
            probe.setFont(combo->font());
            for (int i = 0; i < combo->count(); ++i)
                probe.addItem(combo->itemText(i));
            probe.setSizeAdjustPolicy(QComboBox::AdjustToContents);
            text = combo->currentText();
            needed = probe.sizeHint().width();
        } else {
            continue;
        }
        // The tab pages are laid out whether shown or not; hidden controls of a shown page
        // (the set window's parts of a shared dialog) do not count.
        if (w->isHidden() && !qobject_cast<QTabWidget*>(w->parentWidget()))
            continue;
        const QWidget* parent = w->parentWidget();
        const bool fits = w->width() >= needed;
        const bool inside = parent == nullptr || parent->rect().contains(w->geometry()) ||
                            w->geometry().right() >= parent->width() + 40; // parked off-screen
        if (!fits || !inside)
            found << QStringLiteral("%1 \"%2\": width %3 needs %4%5")
                         .arg(w->objectName(), text)
                         .arg(w->width())
                         .arg(needed)
                         .arg(inside ? QString() : QStringLiteral(", outside its parent"));
    }
    return found;
}

TEST(DialogLayout, EveryCaptionFitsInBothLanguages) {
    CTools tools;
    const std::vector<std::pair<const char*, std::function<std::unique_ptr<QWidget>()>>> makers = {
        {"settings", [] { return std::make_unique<TFConfigDialog>(3); }},
        {"replace colours", [] { return std::make_unique<TReplaceColorDialog>(); }},
        {"colour optimisation", [] { return std::make_unique<TColorOptimizeDlg>(); }},
        {"jump", [] { return std::make_unique<TJumpDialog>(); }},
        {"patterns", [] { return std::make_unique<TPatternDialog>(); }},
        {"tools", [&tools] { return std::make_unique<TToolConfigDialog>(tools); }},
        {"status bar",
         [] {
             auto bar = std::make_unique<MainStatusBar>();
             bar->resize(576, bar->sizeHint().height());
             bar->SetPanelText(0, QStringLiteral("CHR : 000000 - 000FFF / 7FFFFF"));
             bar->SetPanelText(1, QStringLiteral("Pattern : ADF[FF] = FF "));
             bar->SetPanelText(2, QCoreApplication::translate("Pens", "長方形(市松)"));
             bar->SetHints(QCoreApplication::translate("Editor", "描画：ペン"),
                           QCoreApplication::translate("Editor", "スポイト"));
             return bar;
         }},
    };
    for (const char* language : {"ja", "en"}) {
        ASSERT_TRUE(InstallLanguage(language));
        for (const auto& [name, make] : makers) {
            const std::unique_ptr<QWidget> dialog = make();
            dialog->show();
            QCoreApplication::processEvents();
            const QStringList clipped = Clipped(dialog.get());
            EXPECT_TRUE(clipped.isEmpty()) << language << " " << name << ":\n"
                                           << clipped.join(QLatin1Char('\n')).toStdString();
            if (qobject_cast<QDialog*>(dialog.get())) {
                EXPECT_FALSE(dialog->windowTitle().isEmpty()) << name;
            }
        }
    }
    ASSERT_TRUE(InstallLanguage("ja"));
}

} // namespace
} // namespace tavrin
