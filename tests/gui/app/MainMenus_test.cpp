#include "gui/app/ActionTable.h"
#include "gui/app/MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

QStringList Names(const QList<QAction*>& actions) {
    QStringList names;
    for (QAction* action : actions) {
        if (action->isSeparator())
            names << QStringLiteral("-");
        else if (action->menu())
            names << QStringLiteral(">") + action->text();
        else
            names << action->objectName();
    }
    return names;
}

class MainMenusTest : public ::testing::Test {
protected:
    QMainWindow window;
    ActionTable table{&window};
    MainMenus menus{&window, table};
};

TEST_F(MainMenusTest, MenuBarListsTheMenusInOrder) {
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QString::fromUtf8("ファイル(&F)|編集(&E)|アドレス(&A)|ペン(&N)|"
                                        "パレット(&P)|ツール(&T)|オプション(&O)|ヘルプ(&H)")
                          .split(QLatin1Char('|')));
}

TEST_F(MainMenusTest, MenusHoldTheirActionsInOrder) {
    const char* const expected[8] = {
        "ActFileNew ActFileOpen ActFileReload ActFileSave ActFileSaveAs - ActFileSaveSnapshot "
        "ActFileLoadSnapshot - ActFileExit",
        "ActEditUndo ActEditRedo - ActEditCut ActEditCopy ActEditPaste ActEditOptimizePaste "
        "ActEditClear ActEditSelectAll - ActEditClearClipboard - ActEditMirrorHorizontal "
        "ActEditMirrorVertical - ActEditRotateLeft ActEditRotateRight - ActEditShiftUp "
        "ActEditShiftDown ActEditShiftLeft ActEditShiftRight - ActPaletteReplaceColor",
        "ActAddrMMAX ActAddrM100B ActAddrM10B ActAddrM1B ActAddrM1 ActAddrP1 ActAddrP1B "
        "ActAddrP10B ActAddrP100B ActAddrPMAX - ActAddrInput ActAddrFind ActAddrFindPrev "
        "ActAddrFindBytes - ActAddrFindPacked ActAddrPackedList - ActAddrBookmarkAdd "
        "ActAddrBookmarks ActAddrCopyAddress",
        "ActPen11 ActPen01 ActPen02 ActPen03 ActPen04 ActPen05 ActPen06 ActPen07 ActPen08 "
        "ActPen09 ActPen10",
        ">パレット選択 >パレット表示 - ActPaletteLoadState - ActPaletteDatOpen ActPaletteDatSave "
        "ActPaletteDatSaveRom - ActPalettePalOpen ActPalettePalSave ActPalettePalSaveRom - "
        "ActPaletteOtherOpen ActPaletteOtherSave - ActPaletteAdfOpen ActPaletteAdfSave "
        "ActPaletteAdfSaveRom - ActPaletteEnableSet - "
        "ActPaletteReload",
        "ActToolExecuteFile - ActToolExecute0 ActToolExecute1 ActToolExecute2 ActToolExecute3 "
        "ActToolExecute4 ActToolExecute5 ActToolExecute6 ActToolExecute7 ActToolExecute8 "
        "ActToolExecute9 ActToolToolConfig",
        "ActOptionConfig ActToolFormColor - ActOptionSimpleMenu - ActToolShowStatusbar "
        "ActOptionShowMouseNavi",
        "ActHelpIndex - ActHelpOpenWeb ActHelpOpenBoard - ActHelpAbout",
    };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Names(menus.Menu(i)->actions()).join(QLatin1Char(' ')),
                  QString::fromUtf8(expected[i]))
            << "menu " << i;

    const QList<QAction*> palette = menus.Menu(4)->actions();
    EXPECT_EQ(Names(palette[0]->menu()->actions()).join(QLatin1Char(' ')),
              QStringLiteral("ActPaletteSel0 ActPaletteSel1 ActPaletteSel2 ActPaletteSel3"));
    EXPECT_EQ(Names(palette[1]->menu()->actions()).join(QLatin1Char(' ')),
              QStringLiteral("ActPaletteModePalSet ActPaletteMode256Pal"));
    EXPECT_EQ(Names(menus.Popup()->actions()).join(QLatin1Char(' ')),
              QStringLiteral("ActEditUndo ActEditRedo - ActEditCut ActEditCopy ActEditPaste "
                             "ActEditOptimizePaste ActEditClear"));
}

TEST_F(MainMenusTest, HiddenActionsAppearInNoMenu) {
    QStringList everywhere;
    for (int i = 0; i < menus.MenuCount(); ++i)
        everywhere << Names(menus.Menu(i)->actions());
    for (const char* name :
         {"ActAddrM1Hide", "ActAddrP1Hide", "ActAddrMWheel", "ActAddrPWheel", "ActControlSetMenu",
          "ActFormat0", "ActFormat9", "ActPaletteColOpen", "ActToolExecParam"})
        EXPECT_FALSE(everywhere.contains(QString::fromLatin1(name))) << name;
}

TEST_F(MainMenusTest, ToolBarsHoldTheirButtonsInOrder) {
    EXPECT_EQ(menus.MainToolBar()->windowTitle(), QString::fromUtf8("標準"));
    EXPECT_EQ(Names(menus.MainToolBar()->actions()).join(QLatin1Char(' ')),
              QStringLiteral(
                  "ActFileNew ActFileOpen ActFileSave - ActEditCut ActEditCopy ActEditPaste "
                  "ActEditClear - ActEditUndo ActEditRedo - ActEditMirrorHorizontal "
                  "ActEditMirrorVertical ActEditRotateLeft ActEditRotateRight ActEditShiftUp "
                  "ActEditShiftDown ActEditShiftLeft ActEditShiftRight ActPaletteReplaceColor - "
                  "ActPaletteLoadState - ActToolExecuteFile - ActToolFormSet - ActFileExit"));
    EXPECT_EQ(menus.AddressToolBar()->windowTitle(), QString::fromUtf8("アドレス"));
    EXPECT_EQ(Names(menus.AddressToolBar()->actions()).join(QLatin1Char(' ')),
              QStringLiteral("ActAddrMMAX ActAddrM100B ActAddrM10B ActAddrM1B ActAddrM1 "
                             "ActAddrP1 ActAddrP1B ActAddrP10B ActAddrP100B ActAddrPMAX "
                             "ActAddrInput"));
    EXPECT_EQ(menus.PenToolBar()->windowTitle(), QString::fromUtf8("編集"));
    EXPECT_EQ(Names(menus.PenToolBar()->actions()).join(QLatin1Char(' ')),
              QStringLiteral("ActPen11 ActPen01 ActPen02 ActPen03 ActPen04 ActPen05 ActPen06 "
                             "ActPen07 ActPen08 ActPen09 ActPen10"));
    EXPECT_EQ(Names(menus.PaletteModeToolBar()->actions()).join(QLatin1Char(' ')),
              QStringLiteral("ActPaletteModePalSet ActPaletteMode256Pal"));
    for (QToolBar* bar : {menus.MainToolBar(), menus.AddressToolBar(), menus.PenToolBar(),
                          menus.PaletteModeToolBar()})
        for (QAction* action : bar->actions()) {
            if (!action->isSeparator()) {
                EXPECT_FALSE(action->icon().isNull()) << qPrintable(action->objectName());
            }
        }
}

TEST_F(MainMenusTest, SimpleMenuHidesAddressPenAndToolMenus) {
    menus.SetSimpleMenu(true);
    for (int i = 0; i < 8; ++i) {
        const bool hidden = i == 2 || i == 3 || i == 5;
        EXPECT_EQ(menus.Menu(i)->menuAction()->isVisible(), !hidden) << i;
    }
    EXPECT_TRUE(table.Get(QStringLiteral("ActAddrP10B"))->isVisible())
        << "the actions stay, so their keys work";
    menus.SetSimpleMenu(false);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(menus.Menu(i)->menuAction()->isVisible()) << i;
}

} // namespace
} // namespace tavrin
