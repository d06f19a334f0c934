#include "gui/app/ActionTable.h"
#include "gui/app/MainMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

struct Expected {
    const char* name;
    const char* category;
    const char* caption;
    const char* keys; // portable key texts joined by ", "
};

// Every command of the main window with its caption, keys and category.
const Expected Commands[] = {
    {"ActFileNew", "File", "新規作成(&N)", "Ctrl+N"},
    {"ActFileOpen", "File", "開く(&O)...", "Ctrl+O"},
    {"ActFileReload", "File", "再読み込み(&R)", "F7"},
    {"ActFileSave", "File", "上書き保存(&S)", "Ctrl+S"},
    {"ActFileSaveAs", "File", "名前を付けて保存(&A)...", "F6"},
    {"ActFileSaveSnapshot", "File", "スナップショットを保存(&T)", "F9"},
    {"ActFileLoadSnapshot", "File", "スナップショットを開く(&P)...", ""},
    {"ActFileExit", "File", "終了(&X)", "Alt+F4"},
    {"ActEditUndo", "Edit", "元に戻す(&U)", "Ctrl+Z"},
    {"ActEditRedo", "Edit", "やり直し(&R)", "Ctrl+Y"},
    {"ActEditCut", "Edit", "切り取り(&T)", "Ctrl+X"},
    {"ActEditCopy", "Edit", "コピー(&C)", "Ctrl+C"},
    {"ActEditPaste", "Edit", "貼り付け(&P)", "Ctrl+V"},
    {"ActEditOptimizePaste", "Edit", "減色して貼り付け(&O)", "Ctrl+Shift+V"},
    {"ActEditClear", "Edit", "削除(&D)", "Del"},
    {"ActEditSelectAll", "Edit", "すべて選択(&L)", "Ctrl+A"},
    {"ActEditClearClipboard", "Edit", "クリップボードを空にする(&B)", ""},
    {"ActEditMirrorHorizontal", "Edit", "左右反転(&H)", "Ctrl+Up"},
    {"ActEditMirrorVertical", "Edit", "上下反転(&V)", "Ctrl+Down"},
    {"ActEditRotateLeft", "Edit", "左に回転(&1)", "Ctrl+Left"},
    {"ActEditRotateRight", "Edit", "右に回転(&2)", "Ctrl+Right"},
    {"ActEditShiftUp", "Edit", "↑に1ドットシフト(&3)", "Shift+Up"},
    {"ActEditShiftDown", "Edit", "↓に1ドットシフト(&4)", "Shift+Down"},
    {"ActEditShiftLeft", "Edit", "←に1ドットシフト(&5)", "Shift+Left"},
    {"ActEditShiftRight", "Edit", "→に1ドットシフト(&6)", "Shift+Right"},
    {"ActAddrMMAX", "Address", "アドレス最初(&1)", "Home"},
    {"ActAddrM100B", "Address", "アドレス-100ブロック(&2)", "PgUp"},
    {"ActAddrM10B", "Address", "アドレス-10ブロック(&3)", "Up"},
    {"ActAddrM1B", "Address", "アドレス-1ブロック(&4)", "Left"},
    {"ActAddrM1", "Address", "アドレス-1(&5)", "Num+-"},
    {"ActAddrM1Hide", "Address", "アドレス-1(&5)", "-"},
    {"ActAddrP1Hide", "Address", "アドレス+1(&6)", ";, =, +"},
    {"ActAddrP1", "Address", "アドレス+1(&6)", "Num++"},
    {"ActAddrP1B", "Address", "アドレス+1ブロック(&7)", "Right"},
    {"ActAddrP10B", "Address", "アドレス+10ブロック(&8)", "Down"},
    {"ActAddrP100B", "Address", "アドレス+100ブロック(&9)", "PgDown"},
    {"ActAddrPMAX", "Address", "アドレス最後(&0)", "End"},
    {"ActAddrMWheel", "Address", "ホイール↑", ""},
    {"ActAddrPWheel", "Address", "ホイール↓", ""},
    {"ActAddrInput", "Address", "アドレス入力(&A)", "Ctrl+J"},
    {"ActAddrFind", "Address", "次の画像を探す(&F)...", "F3"},
    {"ActAddrFindPrev", "Address", "前の画像を探す(&P)...", ""},
    {"ActPen11", "Pen", "スタンプ(&0)", "0"},
    {"ActPen01", "Pen", "ペン(&1)", "1"},
    {"ActPen02", "Pen", "ペン(市松)(&2)", "2"},
    {"ActPen03", "Pen", "線(&3)", "3"},
    {"ActPen04", "Pen", "長方形(塗り)(&4)", "4"},
    {"ActPen05", "Pen", "長方形(市松)(&5)", "5"},
    {"ActPen06", "Pen", "長方形(枠線)(&6)", "6"},
    {"ActPen07", "Pen", "円(塗り)(&7)", "7"},
    {"ActPen08", "Pen", "円(枠線)(&8)", "8"},
    {"ActPen09", "Pen", "塗り潰し(&9)", "9"},
    {"ActPen10", "Pen", "パレットセット", ""},
    {"ActPaletteSel0", "PaletteSelect", "パレット&0選択", "Z"},
    {"ActPaletteSel1", "PaletteSelect", "パレット&1選択", "X"},
    {"ActPaletteSel2", "PaletteSelect", "パレット&2選択", "C"},
    {"ActPaletteSel3", "PaletteSelect", "パレット&3選択", "V"},
    {"ActPaletteModePalSet", "Palette", "パレット＋パレットセット(&S)", ""},
    {"ActPaletteMode256Pal", "Palette", "パレットのみ(&P)", ""},
    {"ActPaletteLoadState", "Palette", "エミュレータのセーブデータを開く(&S)...", "F12"},
    {"ActPaletteDatOpen", "Palette", "パレット定義(*.dat)を開く(&D)...", ""},
    {"ActPaletteDatSave", "Palette", "パレット定義(*.dat)を保存(&T)...", ""},
    {"ActPaletteDatSaveRom", "Palette", "パレット定義をROM名で保存", ""},
    {"ActPalettePalOpen", "Palette", "パレット(*.pal)を開く(&P)...", ""},
    {"ActPalettePalSave", "Palette", "パレット(*.pal)を保存(&L)...", ""},
    {"ActPalettePalSaveRom", "Palette", "パレットをROM名で保存", ""},
    {"ActPaletteAdfOpen", "Palette", "BGセット(*.adf)を開く(&A)...", ""},
    {"ActPaletteAdfSave", "Palette", "BGセット(*.adf)を保存(&F)...", ""},
    {"ActPaletteAdfSaveRom", "Palette", "BGセットをROM名で保存(&M)", ""},
    {"ActPaletteEnableSet", "Palette", "パレットセットを有効にする(&Z)", "Ctrl+M"},
    {"ActPaletteReload", "Palette", "全て標準に戻す(&F)", "F11"},
    {"ActPaletteReplaceColor", "Palette", "色の置換(&R)...", "Ctrl+R"},
    {"ActToolExecuteFile", "Tool", "ファイルの実行(&E)", ""},
    {"ActToolExecute0", "Tool", "ツール&0を実行...", ""},
    {"ActToolExecute9", "Tool", "ツール&9を実行...", ""},
    {"ActToolToolConfig", "Tool", "ツール設定(&C)...", ""},
    {"ActToolExecParam", "Tool", "ファイルの実行設定(&P)...", ""},
    {"ActToolFormSet", "Tool", "セットウィンドウを表示...(&S)", "Ctrl+W"},
    {"ActToolFormColor", "Tool", "Tavrinウィンドウ色選択(&F)...", ""},
    {"ActToolShowStatusbar", "Tool", "ステータスバーを表示(&S)", ""},
    {"ActOptionConfig", "Option", "設定(&C)...", ""},
    {"ActOptionSimpleMenu", "Option", "簡易メニュー(&M)", ""},
    {"ActOptionShowMouseNavi", "Option", "マウスナビゲーションを表示(&N)", ""},
    {"ActFormat0", "Format", "フォーマット設定", "Ctrl+0"},
    {"ActFormat5", "Format", "フォーマット設定", "Ctrl+5"},
    {"ActFormat9", "Format", "フォーマット設定", "Ctrl+9"},
    {"ActHelpIndex", "Help", "目次(&I)...", "F1"},
    {"ActHelpOpenWeb", "Help", "最新版を探す(公式URLを開く)(&L)...", ""},
    {"ActHelpOpenBoard", "Help", "バグ報告・要望の投稿(&B)...", ""},
    {"ActHelpAbout", "Help", "バージョン情報(&A)...", ""},
    {"ActHelpSaveConfig", "Help", "現在の設定を保存(&S)", ""},
    {"ActHelpLoadConfig", "Help", "設定を再読み込み(&S)", ""},
    {"ActControlSetMenu", "Control", "メニューを設定する", ""},
};

QString KeyTexts(const QAction* action) {
    QStringList texts;
    for (const QKeySequence& key : action->shortcuts())
        texts << key.toString(QKeySequence::PortableText);
    return texts.join(QStringLiteral(", "));
}

TEST(ActionTable, EveryCommandHasItsCaptionKeysAndCategory) {
    QWidget owner;
    const ActionTable table(&owner);
    for (const Expected& e : Commands) {
        SCOPED_TRACE(e.name);
        QAction* action = table.Find(QString::fromLatin1(e.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->objectName(), QString::fromLatin1(e.name));
        EXPECT_EQ(action->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(KeyTexts(action), QString::fromUtf8(e.keys));
        EXPECT_EQ(ActionTable::Category(action), QString::fromLatin1(e.category));
        EXPECT_TRUE(owner.actions().contains(action)) << "keys reach it through the window";
    }
}

TEST(ActionTable, HasTenToolsTenFormatsAndElevenPens) {
    QWidget owner;
    const ActionTable table(&owner);
    for (int i = 0; i <= 9; ++i) {
        QAction* tool = table.Get(QStringLiteral("ActToolExecute%1").arg(i));
        EXPECT_EQ(tool->text(), QString::fromUtf8("ツール&%1を実行...").arg(i));
        EXPECT_EQ(ActionTable::Tag(tool), i);
        EXPECT_FALSE(tool->isVisible()) << "tools show once configured";
        QAction* format = table.Get(QStringLiteral("ActFormat%1").arg(i));
        EXPECT_EQ(ActionTable::Tag(format), i);
        EXPECT_EQ(format->shortcut(), QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + i)));
    }
    int pens = 0;
    for (QAction* action : table.All())
        pens += ActionTable::Category(action) == QLatin1String("Pen");
    EXPECT_EQ(pens, 11);
    EXPECT_TRUE(table.Get(QStringLiteral("ActPen01"))->isChecked());
    EXPECT_FALSE(table.Get(QStringLiteral("ActPen10"))->isVisible());
}

TEST(ActionTable, HintsAreCaptionsWithoutAccelerators) {
    QWidget owner;
    const ActionTable table(&owner);
    const std::pair<const char*, const char*> hints[] = {
        {"ActFileOpen", "開く..."},
        {"ActPalettePalOpen", "パレット(*.pal)を開く..."},
        {"ActPaletteSel0", "パレット0選択"},
        {"ActPaletteMode256Pal", "パレットのみ"},
        {"ActPaletteLoadState", "エミュレータのセーブデータを開く..."},
        {"ActPen06", "長方形(枠線)"},
        {"ActPen02", "ペン(市松)"},
        {"ActAddrFind", "次の画像を探す"},
        {"ActAddrM100B", "アドレス-100ブロック"},
        {"ActToolFormSet", "セットウィンドウを表示..."},
        {"ActAddrMWheel", "ホイール↑"},
    };
    for (const auto& [name, hint] : hints) {
        QAction* action = table.Get(QString::fromLatin1(name));
        EXPECT_EQ(action->toolTip(), QString::fromUtf8(hint)) << name;
    }
    EXPECT_EQ(ActionTable::StripAccelerator(QStringLiteral("A&&B(&C)")), QStringLiteral("A&B"));
}

TEST(ActionTable, StepActionsCarryTheirStepCodes) {
    QWidget owner;
    const ActionTable table(&owner);
    const std::pair<const char*, int> codes[] = {
        {"ActAddrMMAX", 1},    {"ActAddrM100B", 2},   {"ActAddrM10B", 3},   {"ActAddrM1B", 4},
        {"ActAddrM1", 5},      {"ActAddrM1Hide", 5},  {"ActAddrP1Hide", 6}, {"ActAddrP1", 6},
        {"ActAddrP1B", 7},     {"ActAddrP10B", 8},    {"ActAddrP100B", 9},  {"ActAddrPMAX", 10},
        {"ActAddrMWheel", 16}, {"ActAddrPWheel", 17}, {"ActAddrInput", 64},
    };
    for (const auto& [name, code] : codes)
        EXPECT_EQ(ActionTable::Tag(table.Get(QString::fromLatin1(name))), code) << name;
}

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
        "ActAddrP10B ActAddrP100B ActAddrPMAX - ActAddrInput ActAddrFind",
        "ActPen11 ActPen01 ActPen02 ActPen03 ActPen04 ActPen05 ActPen06 ActPen07 ActPen08 "
        "ActPen09 ActPen10",
        ">パレット選択 >パレット表示 - ActPaletteLoadState - ActPaletteDatOpen ActPaletteDatSave "
        "ActPaletteDatSaveRom - ActPalettePalOpen ActPalettePalSave ActPalettePalSaveRom - "
        "ActPaletteAdfOpen ActPaletteAdfSave ActPaletteAdfSaveRom - ActPaletteEnableSet - "
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
          "ActFormat0", "ActFormat9", "ActAddrFindPrev", "ActPaletteColOpen", "ActToolExecParam"})
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
