#include "gui/app/ActionTable.h"
#include "gui/app/MainMenus.h"
#include "gui/app/Translations.h"

#include <QAction>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

// A caption as the menu shows it: "開く(&O)..." reads "開く(O)...".
QString Shown(const QString& caption) {
    QString text = caption;
    return text.remove(QLatin1Char('&'));
}

// The tool entries show the names the user gives the tools.
bool IsToolEntry(const QAction* action) {
    static const QRegularExpression tool(QStringLiteral("^ActToolExecute[0-9]$"));
    return tool.match(action->objectName()).hasMatch();
}

void CollectCaptions(const QMenu* menu, QStringList& captions) {
    captions << Shown(menu->title());
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (action->menu())
            CollectCaptions(action->menu(), captions);
        else if (!IsToolEntry(action))
            captions << Shown(action->text());
    }
}

QString ReadManual(const char* name) {
    QFile file(QStringLiteral(TAVRIN_BIN_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Each language's manual names every command as the window of that language shows it.
TEST(Manual, NamesEveryCommandOfTheMenusAndTheMainToolBarInItsLanguage) {
    for (const auto& [language, name] :
         {std::pair{"ja", "tavrin.htm"}, std::pair{"en", "tavrin_en.htm"}}) {
        SCOPED_TRACE(name);
        const QString manual = ReadManual(name);
        ASSERT_FALSE(manual.isEmpty()) << name << " was not generated beside the programs";
        EXPECT_FALSE(manual.contains(QRegularExpression(QStringLiteral("@[A-Z_]+@"))))
            << "a placeholder was left unreplaced";
        EXPECT_TRUE(manual.contains(QStringLiteral("<html lang=\"%1\">").arg(language)));

        ASSERT_TRUE(InstallLanguage(language));
        QMainWindow window;
        const ActionTable actions(&window);
        const MainMenus menus(&window, actions);
        QStringList captions;
        for (int i = 0; i < menus.MenuCount(); ++i)
            CollectCaptions(menus.Menu(i), captions);
        for (const QAction* action : menus.MainToolBar()->actions())
            if (!action->isSeparator())
                captions << Shown(action->text());
        ASSERT_TRUE(InstallLanguage("ja"));
        ASSERT_GT(captions.size(), 100);

        QStringList missing;
        for (const QString& caption : captions)
            if (!manual.contains(caption))
                missing << caption;
        EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral(", ")).toStdString();
    }
}

} // namespace
} // namespace tavrin
