#include "gui/app/ActionTable.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMap>
#include <QSet>
#include <QWidget>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

struct Expected {
    const char* name;
    const char* category;
    const char* caption;
    const char* hint;
    const char* keys; // portable key texts joined by ", "
    int tag;
    // "c" checkable, "C" checkable and checked at start, "r" a radio item (implies "c"),
    // "h" hidden at start.
    const char* flags;
};

// Every command of the main window, written out whole: object name, category, caption, hint,
// keys, tag and check and visibility flags.
const Expected Commands[] = {
    {"ActFileNew", "File", "新規作成(&N)", "新規作成", "Ctrl+N", 0, ""},
    {"ActFileOpen", "File", "開く(&O)...", "開く...", "Ctrl+O", 0, ""},
    {"ActFileReload", "File", "再読み込み(&R)", "再読み込み", "F7", 0, ""},
    {"ActFileSave", "File", "上書き保存(&S)", "上書き保存", "Ctrl+S", 0, ""},
    {"ActFileSaveAs", "File", "名前を付けて保存(&A)...", "名前を付けて保存...", "F6", 0, ""},
    {"ActFileSaveSnapshot", "File", "スナップショットを保存(&T)", "スナップショットを保存", "F9", 0,
     ""},
    {"ActFileLoadSnapshot", "File", "スナップショットを開く(&P)...", "スナップショットを開く...",
     "", 0, ""},
    {"ActFileExit", "File", "終了(&X)", "終了", "Alt+F4", 0, ""},

    {"ActEditUndo", "Edit", "元に戻す(&U)", "元に戻す", "Ctrl+Z", 0, ""},
    {"ActEditRedo", "Edit", "やり直し(&R)", "やり直し", "Ctrl+Y", 0, ""},
    {"ActEditCut", "Edit", "切り取り(&T)", "切り取り", "Ctrl+X", 0, ""},
    {"ActEditCopy", "Edit", "コピー(&C)", "コピー", "Ctrl+C", 0, ""},
    {"ActEditPaste", "Edit", "貼り付け(&P)", "貼り付け", "Ctrl+V", 0, ""},
    {"ActEditOptimizePaste", "Edit", "減色して貼り付け(&O)", "減色して貼り付け", "Ctrl+Shift+V", 0,
     ""},
    {"ActEditClear", "Edit", "削除(&D)", "削除", "Del", 0, ""},
    {"ActEditSelectAll", "Edit", "すべて選択(&L)", "すべて選択", "Ctrl+A", 0, ""},
    {"ActEditClearClipboard", "Edit", "クリップボードを空にする(&B)", "クリップボードを空にする",
     "", 0, ""},
    {"ActEditMirrorHorizontal", "Edit", "左右反転(&H)", "左右反転", "Ctrl+Up", 0, ""},
    {"ActEditMirrorVertical", "Edit", "上下反転(&V)", "上下反転", "Ctrl+Down", 0, ""},
    {"ActEditRotateLeft", "Edit", "左に回転(&1)", "左に回転", "Ctrl+Left", 0, ""},
    {"ActEditRotateRight", "Edit", "右に回転(&2)", "右に回転", "Ctrl+Right", 0, ""},
    {"ActEditShiftUp", "Edit", "↑に1ドットシフト(&3)", "↑に1ドットシフト", "Shift+Up", 0, ""},
    {"ActEditShiftDown", "Edit", "↓に1ドットシフト(&4)", "↓に1ドットシフト", "Shift+Down", 0, ""},
    {"ActEditShiftLeft", "Edit", "←に1ドットシフト(&5)", "←に1ドットシフト", "Shift+Left", 0, ""},
    {"ActEditShiftRight", "Edit", "→に1ドットシフト(&6)", "→に1ドットシフト", "Shift+Right", 0, ""},

    // Address hints drop the dots too. Tags are the step codes.
    {"ActAddrMMAX", "Address", "アドレス最初(&1)", "アドレス最初", "Home", 1, ""},
    {"ActAddrM100B", "Address", "アドレス-100ブロック(&2)", "アドレス-100ブロック", "PgUp", 2, ""},
    {"ActAddrM10B", "Address", "アドレス-10ブロック(&3)", "アドレス-10ブロック", "Up", 3, ""},
    {"ActAddrM1B", "Address", "アドレス-1ブロック(&4)", "アドレス-1ブロック", "Left", 4, ""},
    {"ActAddrM1", "Address", "アドレス-1(&5)", "アドレス-1", "Num+-", 5, ""},
    {"ActAddrM1Hide", "Address", "アドレス-1(&5)", "アドレス-1", "-", 5, ""},
    {"ActAddrP1Hide", "Address", "アドレス+1(&6)", "アドレス+1", ";, =, +", 6, ""},
    {"ActAddrP1", "Address", "アドレス+1(&6)", "アドレス+1", "Num++", 6, ""},
    {"ActAddrP1B", "Address", "アドレス+1ブロック(&7)", "アドレス+1ブロック", "Right", 7, ""},
    {"ActAddrP10B", "Address", "アドレス+10ブロック(&8)", "アドレス+10ブロック", "Down", 8, ""},
    {"ActAddrP100B", "Address", "アドレス+100ブロック(&9)", "アドレス+100ブロック", "PgDown", 9,
     ""},
    {"ActAddrPMAX", "Address", "アドレス最後(&0)", "アドレス最後", "End", 10, ""},
    {"ActAddrMWheel", "Address", "ホイール↑", "ホイール↑", "", 16, ""},
    {"ActAddrPWheel", "Address", "ホイール↓", "ホイール↓", "", 17, ""},
    {"ActAddrInput", "Address", "アドレス入力(&A)", "アドレス入力", "Ctrl+J", 64, ""},
    {"ActAddrFind", "Address", "次の画像を探す(&F)...", "次の画像を探す", "F3", 0, ""},
    {"ActAddrFindPrev", "Address", "前の画像を探す(&P)...", "前の画像を探す", "Shift+F3", 0, ""},
    {"ActAddrFindBytes", "Address", "バイト列を探す(&B)...", "バイト列を探す", "Ctrl+F", 0, ""},
    {"ActAddrFindPacked", "Address", "次の圧縮データを探す(&C)", "次の圧縮データを探す",
     "Ctrl+Shift+F3", 0, ""},
    {"ActAddrPackedList", "Address", "圧縮データの一覧(&L)...", "圧縮データの一覧", "", 0, ""},
    {"ActAddrBookmarkAdd", "Address", "ブックマークを追加(&K)...", "ブックマークを追加", "Ctrl+B",
     0, ""},
    {"ActAddrBookmarks", "Address", "ブックマーク一覧(&M)...", "ブックマーク一覧", "Ctrl+Shift+B",
     0, ""},
    {"ActAddrCopyAddress", "Address", "選択タイルのアドレスをコピー(&Y)",
     "選択タイルのアドレスをコピー", "Ctrl+Shift+C", 0, ""},

    // Tags are the pen indices.
    {"ActPen11", "Pen", "スタンプ(&0)", "スタンプ", "0", 0, "r"},
    {"ActPen01", "Pen", "ペン(&1)", "ペン", "1", 1, "rC"},
    {"ActPen02", "Pen", "ペン(市松)(&2)", "ペン(市松)", "2", 2, "r"},
    {"ActPen03", "Pen", "線(&3)", "線", "3", 3, "r"},
    {"ActPen04", "Pen", "長方形(塗り)(&4)", "長方形(塗り)", "4", 4, "r"},
    {"ActPen05", "Pen", "長方形(市松)(&5)", "長方形(市松)", "5", 5, "r"},
    {"ActPen06", "Pen", "長方形(枠線)(&6)", "長方形(枠線)", "6", 6, "r"},
    {"ActPen07", "Pen", "円(塗り)(&7)", "円(塗り)", "7", 7, "r"},
    {"ActPen08", "Pen", "円(枠線)(&8)", "円(枠線)", "8", 8, "r"},
    {"ActPen09", "Pen", "塗り潰し(&9)", "塗り潰し", "9", 9, "r"},
    {"ActPen10", "Pen", "パレットセット", "パレットセット", "", 10, "rh"},

    {"ActPaletteSel0", "PaletteSelect", "パレット&0選択", "パレット0選択", "Z", 0, ""},
    {"ActPaletteSel1", "PaletteSelect", "パレット&1選択", "パレット1選択", "X", 1, ""},
    {"ActPaletteSel2", "PaletteSelect", "パレット&2選択", "パレット2選択", "C", 2, ""},
    {"ActPaletteSel3", "PaletteSelect", "パレット&3選択", "パレット3選択", "V", 3, ""},
    {"ActPaletteModePalSet", "Palette", "パレット＋パレットセット(&S)", "パレット＋パレットセット",
     "", 0, "rC"},
    {"ActPaletteMode256Pal", "Palette", "パレットのみ(&P)", "パレットのみ", "", 1, "r"},
    {"ActPaletteLoadState", "Palette", "エミュレータのセーブデータを開く(&S)...",
     "エミュレータのセーブデータを開く...", "F12", 0, ""},
    {"ActPaletteDatOpen", "Palette", "パレット定義(*.dat)を開く(&D)...",
     "パレット定義(*.dat)を開く...", "", 0, ""},
    {"ActPaletteDatSave", "Palette", "パレット定義(*.dat)を保存(&T)...",
     "パレット定義(*.dat)を保存...", "", 0, ""},
    {"ActPaletteDatSaveRom", "Palette", "パレット定義をROM名で保存", "パレット定義をROM名で保存",
     "", 0, ""},
    {"ActPalettePalOpen", "Palette", "パレット(*.pal)を開く(&P)...", "パレット(*.pal)を開く...", "",
     0, ""},
    {"ActPalettePalSave", "Palette", "パレット(*.pal)を保存(&L)...", "パレット(*.pal)を保存...", "",
     0, ""},
    {"ActPalettePalSaveRom", "Palette", "パレットをROM名で保存", "パレットをROM名で保存", "", 0,
     ""},
    {"ActPaletteOtherOpen", "Palette", "パレットを読み込む (他の形式)...",
     "パレットを読み込む (他の形式)...", "", 0, ""},
    {"ActPaletteOtherSave", "Palette", "パレットを書き出す (他の形式)...",
     "パレットを書き出す (他の形式)...", "", 0, ""},
    {"ActPaletteAdfOpen", "Palette", "BGセット(*.adf)を開く(&A)...", "BGセット(*.adf)を開く...", "",
     0, ""},
    {"ActPaletteAdfSave", "Palette", "BGセット(*.adf)を保存(&F)...", "BGセット(*.adf)を保存...", "",
     0, ""},
    {"ActPaletteAdfSaveRom", "Palette", "BGセットをROM名で保存(&M)", "BGセットをROM名で保存", "", 0,
     ""},
    // The colour-set file commands have no behaviour and no given captions.
    {"ActPaletteColOpen", "Palette", "パレットセット(*.col)を開く...",
     "パレットセット(*.col)を開く...", "", 0, ""},
    {"ActPaletteColSave", "Palette", "パレットセット(*.col)を保存...",
     "パレットセット(*.col)を保存...", "", 0, ""},
    {"ActPaletteColSaveRom", "Palette", "パレットセットをROM名で保存",
     "パレットセットをROM名で保存", "", 0, ""},
    {"ActPaletteEnableSet", "Palette", "パレットセットを有効にする(&Z)",
     "パレットセットを有効にする", "Ctrl+M", 0, "c"},
    {"ActPaletteReload", "Palette", "全て標準に戻す(&F)", "全て標準に戻す", "F11", 0, ""},
    {"ActPaletteReplaceColor", "Palette", "色の置換(&R)...", "色の置換...", "Ctrl+R", 0, ""},

    {"ActToolExecuteFile", "Tool", "ファイルの実行(&E)", "ファイルの実行", "", 0, ""},
    {"ActToolExecute0", "Tool", "ツール&0を実行...", "ツール0を実行...", "", 0, "h"},
    {"ActToolExecute1", "Tool", "ツール&1を実行...", "ツール1を実行...", "", 1, "h"},
    {"ActToolExecute2", "Tool", "ツール&2を実行...", "ツール2を実行...", "", 2, "h"},
    {"ActToolExecute3", "Tool", "ツール&3を実行...", "ツール3を実行...", "", 3, "h"},
    {"ActToolExecute4", "Tool", "ツール&4を実行...", "ツール4を実行...", "", 4, "h"},
    {"ActToolExecute5", "Tool", "ツール&5を実行...", "ツール5を実行...", "", 5, "h"},
    {"ActToolExecute6", "Tool", "ツール&6を実行...", "ツール6を実行...", "", 6, "h"},
    {"ActToolExecute7", "Tool", "ツール&7を実行...", "ツール7を実行...", "", 7, "h"},
    {"ActToolExecute8", "Tool", "ツール&8を実行...", "ツール8を実行...", "", 8, "h"},
    {"ActToolExecute9", "Tool", "ツール&9を実行...", "ツール9を実行...", "", 9, "h"},
    {"ActToolToolConfig", "Tool", "ツール設定(&C)...", "ツール設定...", "", 0, ""},
    {"ActToolExecParam", "Tool", "ファイルの実行設定(&P)...", "ファイルの実行設定...", "", 0, ""},
    {"ActToolFormSet", "Tool", "セットウィンドウを表示...(&S)", "セットウィンドウを表示...",
     "Ctrl+W", 0, ""},
    {"ActToolFormColor", "Tool", "Tavrinウィンドウ色選択(&F)...", "Tavrinウィンドウ色選択...", "",
     0, ""},
    {"ActToolShowStatusbar", "Tool", "ステータスバーを表示(&S)", "ステータスバーを表示", "", 0,
     "c"},

    {"ActOptionConfig", "Option", "設定(&C)...", "設定...", "", 0, ""},
    {"ActOptionSimpleMenu", "Option", "簡易メニュー(&M)", "簡易メニュー", "", 0, "c"},
    {"ActOptionShowMouseNavi", "Option", "マウスナビゲーションを表示(&N)",
     "マウスナビゲーションを表示", "", 0, "c"},

    // Tags are the digits, the format list index each selects.
    {"ActFormat0", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+0", 0, ""},
    {"ActFormat1", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+1", 1, ""},
    {"ActFormat2", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+2", 2, ""},
    {"ActFormat3", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+3", 3, ""},
    {"ActFormat4", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+4", 4, ""},
    {"ActFormat5", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+5", 5, ""},
    {"ActFormat6", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+6", 6, ""},
    {"ActFormat7", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+7", 7, ""},
    {"ActFormat8", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+8", 8, ""},
    {"ActFormat9", "Format", "フォーマット設定", "フォーマット設定", "Ctrl+9", 9, ""},

    {"ActHelpIndex", "Help", "目次(&I)...", "目次...", "F1", 0, ""},
    {"ActHelpOpenWeb", "Help", "最新版を探す(公式URLを開く)(&L)...",
     "最新版を探す(公式URLを開く)...", "", 0, ""},
    {"ActHelpOpenBoard", "Help", "バグ報告・要望の投稿(&B)...", "バグ報告・要望の投稿...", "", 0,
     ""},
    {"ActHelpAbout", "Help", "バージョン情報(&A)...", "バージョン情報...", "", 0, ""},
    {"ActHelpSaveConfig", "Help", "現在の設定を保存(&S)", "現在の設定を保存", "", 0, ""},
    {"ActHelpLoadConfig", "Help", "設定を再読み込み(&S)", "設定を再読み込み", "", 0, ""},

    {"ActControlSetMenu", "Control", "メニューを設定する", "メニューを設定する", "", 0, ""},
};

QString KeyTexts(const QAction* action) {
    QStringList texts;
    for (const QKeySequence& key : action->shortcuts())
        texts << key.toString(QKeySequence::PortableText);
    return texts.join(QStringLiteral(", "));
}

bool Has(const char* flags, char flag) {
    return std::string_view(flags).find(flag) != std::string_view::npos;
}

TEST(ActionTable, EveryCommandIsAsWrittenOut) {
    QWidget owner;
    const ActionTable table(&owner);
    for (const Expected& e : Commands) {
        SCOPED_TRACE(e.name);
        QAction* action = table.Find(QString::fromLatin1(e.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->objectName(), QString::fromLatin1(e.name));
        EXPECT_EQ(ActionTable::Category(action), QString::fromLatin1(e.category));
        EXPECT_EQ(action->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(action->toolTip(), QString::fromUtf8(e.hint));
        EXPECT_EQ(action->property("hint").toString(), QString::fromUtf8(e.hint));
        EXPECT_EQ(KeyTexts(action), QString::fromUtf8(e.keys));
        EXPECT_EQ(ActionTable::Tag(action), e.tag);
        const bool radio = Has(e.flags, 'r');
        EXPECT_EQ(action->isCheckable(), radio || Has(e.flags, 'c') || Has(e.flags, 'C'));
        EXPECT_EQ(action->isChecked(), Has(e.flags, 'C'));
        EXPECT_EQ(action->actionGroup() != nullptr && action->actionGroup()->isExclusive(), radio);
        // A hidden QAction is also disabled, so it never fires a key.
        EXPECT_EQ(action->isVisible(), !Has(e.flags, 'h'));
        EXPECT_EQ(action->isEnabled(), !Has(e.flags, 'h'));
        EXPECT_EQ(action->shortcutContext(), Qt::WindowShortcut);
        EXPECT_TRUE(owner.actions().contains(action)) << "keys reach it through the window";
    }
}

TEST(ActionTable, HoldsNoOtherCommand) {
    QWidget owner;
    const ActionTable table(&owner);
    QStringList expected;
    for (const Expected& e : Commands)
        expected << QString::fromLatin1(e.name);
    QStringList actual;
    for (const QAction* action : table.All())
        actual << action->objectName();
    EXPECT_EQ(actual, expected) << "the table lists the commands in the order above";
}

TEST(ActionTable, PensAndPaletteModesFormTwoGroups) {
    QWidget owner;
    const ActionTable table(&owner);
    const QActionGroup* pens = table.Get(QStringLiteral("ActPen01"))->actionGroup();
    const QActionGroup* modes = table.Get(QStringLiteral("ActPaletteModePalSet"))->actionGroup();
    ASSERT_NE(pens, nullptr);
    ASSERT_NE(modes, nullptr);
    EXPECT_NE(pens, modes);
    EXPECT_EQ(pens->actions().size(), 11);
    EXPECT_EQ(modes->actions(),
              QList<QAction*>({table.Get(QStringLiteral("ActPaletteModePalSet")),
                               table.Get(QStringLiteral("ActPaletteMode256Pal"))}));
}

// Two actions on one key would cancel each other out: Qt fires neither.
TEST(ActionTable, NoKeyServesTwoCommands) {
    QWidget owner;
    const ActionTable table(&owner);
    QMap<QString, QString> owners;
    for (const QAction* action : table.All())
        for (const QKeySequence& key : action->shortcuts()) {
            const QString text = key.toString(QKeySequence::PortableText);
            EXPECT_FALSE(owners.contains(text))
                << qPrintable(text) << " on " << qPrintable(owners.value(text)) << " and "
                << qPrintable(action->objectName());
            owners.insert(text, action->objectName());
        }
}

TEST(ActionTable, StripAcceleratorKeepsDoubledAmpersands) {
    EXPECT_EQ(ActionTable::StripAccelerator(QStringLiteral("A&&B(&C)")), QStringLiteral("A&B"));
    EXPECT_EQ(ActionTable::StripAccelerator(QString::fromUtf8("パレット&0選択")),
              QString::fromUtf8("パレット0選択"));
    EXPECT_EQ(ActionTable::StripAccelerator(QString::fromUtf8("開く(&O)...")),
              QString::fromUtf8("開く..."));
}

} // namespace
} // namespace tavrin
