#include "gui/app/ActionTable.h"

#include <QCoreApplication>

#include "gui/app/ActionIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QRegularExpression>
#include <QWidget>
#include <cstdlib>

namespace tavrin {

namespace {

enum Flag : unsigned {
    Checkable = 1u << 0,
    PenGroup = 1u << 1,
    ModeGroup = 1u << 2,
    Checked = 1u << 3,
    Invisible = 1u << 4, // shown only once something enables it (pen 10, tools)
};

struct Row {
    const char* name;
    const char* category;
    const char* caption;
    QList<QKeySequence> keys;
    int tag = 0;
    unsigned flags = 0;
    const char* hint = nullptr; // null: the caption without its accelerator
};

using K = QList<QKeySequence>;

// The whole command set of the main window, in the order of the menus.
std::vector<Row> Rows() {
    return {
        {"ActFileNew", "File", QT_TRANSLATE_NOOP("ActionTable", "新規作成(&N)"),
         K{Qt::CTRL | Qt::Key_N}},
        {"ActFileOpen", "File", QT_TRANSLATE_NOOP("ActionTable", "開く(&O)..."),
         K{Qt::CTRL | Qt::Key_O}},
        {"ActFileReload", "File", QT_TRANSLATE_NOOP("ActionTable", "再読み込み(&R)"),
         K{Qt::Key_F7}},
        {"ActFileSave", "File", QT_TRANSLATE_NOOP("ActionTable", "上書き保存(&S)"),
         K{Qt::CTRL | Qt::Key_S}},
        {"ActFileSaveAs", "File", QT_TRANSLATE_NOOP("ActionTable", "名前を付けて保存(&A)..."),
         K{Qt::Key_F6}},
        {"ActFileSaveSnapshot", "File",
         QT_TRANSLATE_NOOP("ActionTable", "スナップショットを保存(&T)"), K{Qt::Key_F9}},
        {"ActFileLoadSnapshot", "File",
         QT_TRANSLATE_NOOP("ActionTable", "スナップショットを開く(&P)..."), K{}},
        {"ActFileExit", "File", QT_TRANSLATE_NOOP("ActionTable", "終了(&X)"),
         K{Qt::ALT | Qt::Key_F4}},

        {"ActEditUndo", "Edit", QT_TRANSLATE_NOOP("ActionTable", "元に戻す(&U)"),
         K{Qt::CTRL | Qt::Key_Z}},
        {"ActEditRedo", "Edit", QT_TRANSLATE_NOOP("ActionTable", "やり直し(&R)"),
         K{Qt::CTRL | Qt::Key_Y}},
        {"ActEditCut", "Edit", QT_TRANSLATE_NOOP("ActionTable", "切り取り(&T)"),
         K{Qt::CTRL | Qt::Key_X}},
        {"ActEditCopy", "Edit", QT_TRANSLATE_NOOP("ActionTable", "コピー(&C)"),
         K{Qt::CTRL | Qt::Key_C}},
        {"ActEditPaste", "Edit", QT_TRANSLATE_NOOP("ActionTable", "貼り付け(&P)"),
         K{Qt::CTRL | Qt::Key_V}},
        {"ActEditOptimizePaste", "Edit", QT_TRANSLATE_NOOP("ActionTable", "減色して貼り付け(&O)"),
         K{Qt::SHIFT | Qt::CTRL | Qt::Key_V}},
        {"ActEditClear", "Edit", QT_TRANSLATE_NOOP("ActionTable", "削除(&D)"), K{Qt::Key_Delete}},
        {"ActEditSelectAll", "Edit", QT_TRANSLATE_NOOP("ActionTable", "すべて選択(&L)"),
         K{Qt::CTRL | Qt::Key_A}},
        {"ActEditClearClipboard", "Edit",
         QT_TRANSLATE_NOOP("ActionTable", "クリップボードを空にする(&B)"), K{}},
        {"ActEditMirrorHorizontal", "Edit", QT_TRANSLATE_NOOP("ActionTable", "左右反転(&H)"),
         K{Qt::CTRL | Qt::Key_Up}},
        {"ActEditMirrorVertical", "Edit", QT_TRANSLATE_NOOP("ActionTable", "上下反転(&V)"),
         K{Qt::CTRL | Qt::Key_Down}},
        {"ActEditRotateLeft", "Edit", QT_TRANSLATE_NOOP("ActionTable", "左に回転(&1)"),
         K{Qt::CTRL | Qt::Key_Left}},
        {"ActEditRotateRight", "Edit", QT_TRANSLATE_NOOP("ActionTable", "右に回転(&2)"),
         K{Qt::CTRL | Qt::Key_Right}},
        {"ActEditShiftUp", "Edit", QT_TRANSLATE_NOOP("ActionTable", "↑に1ドットシフト(&3)"),
         K{Qt::SHIFT | Qt::Key_Up}},
        {"ActEditShiftDown", "Edit", QT_TRANSLATE_NOOP("ActionTable", "↓に1ドットシフト(&4)"),
         K{Qt::SHIFT | Qt::Key_Down}},
        {"ActEditShiftLeft", "Edit", QT_TRANSLATE_NOOP("ActionTable", "←に1ドットシフト(&5)"),
         K{Qt::SHIFT | Qt::Key_Left}},
        {"ActEditShiftRight", "Edit", QT_TRANSLATE_NOOP("ActionTable", "→に1ドットシフト(&6)"),
         K{Qt::SHIFT | Qt::Key_Right}},

        // Tags are the step codes of the format's address arithmetic.
        {"ActAddrMMAX", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス最初(&1)"),
         K{Qt::Key_Home}, 1},
        {"ActAddrM100B", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス-100ブロック(&2)"),
         K{Qt::Key_PageUp}, 2},
        {"ActAddrM10B", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス-10ブロック(&3)"),
         K{Qt::Key_Up}, 3},
        {"ActAddrM1B", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス-1ブロック(&4)"),
         K{Qt::Key_Left}, 4},
        {"ActAddrM1", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス-1(&5)"),
         K{Qt::KeypadModifier | Qt::Key_Minus}, 5},
        // The two "Hide" actions exist for their keys alone. They stay visible QActions,
        // since a hidden one is disabled and its key dead; no menu or tool bar shows them.
        {"ActAddrM1Hide", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス-1(&5)"),
         K{Qt::Key_Minus}, 5},
        // The key right of "0"-"-" differs between layouts: ";" (Japanese), "=" (US), with
        // Shift "+".
        {"ActAddrP1Hide", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス+1(&6)"),
         K{Qt::Key_Semicolon, Qt::Key_Equal, Qt::Key_Plus}, 6},
        {"ActAddrP1", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス+1(&6)"),
         K{Qt::KeypadModifier | Qt::Key_Plus}, 6},
        {"ActAddrP1B", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス+1ブロック(&7)"),
         K{Qt::Key_Right}, 7},
        {"ActAddrP10B", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス+10ブロック(&8)"),
         K{Qt::Key_Down}, 8},
        {"ActAddrP100B", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス+100ブロック(&9)"),
         K{Qt::Key_PageDown}, 9},
        {"ActAddrPMAX", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス最後(&0)"),
         K{Qt::Key_End}, 10},
        {"ActAddrMWheel", "Address", QT_TRANSLATE_NOOP("ActionTable", "ホイール↑"), K{}, 16},
        {"ActAddrPWheel", "Address", QT_TRANSLATE_NOOP("ActionTable", "ホイール↓"), K{}, 17},
        {"ActAddrInput", "Address", QT_TRANSLATE_NOOP("ActionTable", "アドレス入力(&A)"),
         K{Qt::CTRL | Qt::Key_J}, 64},
        {"ActAddrFind", "Address", QT_TRANSLATE_NOOP("ActionTable", "次の画像を探す(&F)..."),
         K{Qt::Key_F3}},
        {"ActAddrFindPrev", "Address", QT_TRANSLATE_NOOP("ActionTable", "前の画像を探す(&P)..."),
         K{Qt::SHIFT | Qt::Key_F3}},
        {"ActAddrFindBytes", "Address", QT_TRANSLATE_NOOP("ActionTable", "バイト列を探す(&B)..."),
         K{Qt::CTRL | Qt::Key_F}},
        {"ActAddrFindPacked", "Address",
         QT_TRANSLATE_NOOP("ActionTable", "次の圧縮データを探す(&C)"),
         K{Qt::CTRL | Qt::SHIFT | Qt::Key_F3}},
        {"ActAddrPackedList", "Address",
         QT_TRANSLATE_NOOP("ActionTable", "圧縮データの一覧(&L)..."), K{}},
        {"ActAddrBookmarkAdd", "Address",
         QT_TRANSLATE_NOOP("ActionTable", "ブックマークを追加(&K)..."), K{Qt::CTRL | Qt::Key_B}},
        {"ActAddrBookmarks", "Address", QT_TRANSLATE_NOOP("ActionTable", "ブックマーク一覧(&M)..."),
         K{Qt::CTRL | Qt::SHIFT | Qt::Key_B}},
        {"ActAddrCopyAddress", "Address",
         QT_TRANSLATE_NOOP("ActionTable", "選択タイルのアドレスをコピー(&Y)"),
         K{Qt::CTRL | Qt::SHIFT | Qt::Key_C}},

        // Tags are pen indices.
        {"ActPen11", "Pen", QT_TRANSLATE_NOOP("ActionTable", "スタンプ(&0)"), K{Qt::Key_0}, 0,
         Checkable | PenGroup},
        {"ActPen01", "Pen", QT_TRANSLATE_NOOP("ActionTable", "ペン(&1)"), K{Qt::Key_1}, 1,
         Checkable | PenGroup | Checked},
        {"ActPen02", "Pen", QT_TRANSLATE_NOOP("ActionTable", "ペン(市松)(&2)"), K{Qt::Key_2}, 2,
         Checkable | PenGroup},
        {"ActPen03", "Pen", QT_TRANSLATE_NOOP("ActionTable", "線(&3)"), K{Qt::Key_3}, 3,
         Checkable | PenGroup},
        {"ActPen04", "Pen", QT_TRANSLATE_NOOP("ActionTable", "長方形(塗り)(&4)"), K{Qt::Key_4}, 4,
         Checkable | PenGroup},
        {"ActPen05", "Pen", QT_TRANSLATE_NOOP("ActionTable", "長方形(市松)(&5)"), K{Qt::Key_5}, 5,
         Checkable | PenGroup},
        {"ActPen06", "Pen", QT_TRANSLATE_NOOP("ActionTable", "長方形(枠線)(&6)"), K{Qt::Key_6}, 6,
         Checkable | PenGroup},
        {"ActPen07", "Pen", QT_TRANSLATE_NOOP("ActionTable", "円(塗り)(&7)"), K{Qt::Key_7}, 7,
         Checkable | PenGroup},
        {"ActPen08", "Pen", QT_TRANSLATE_NOOP("ActionTable", "円(枠線)(&8)"), K{Qt::Key_8}, 8,
         Checkable | PenGroup},
        {"ActPen09", "Pen", QT_TRANSLATE_NOOP("ActionTable", "塗り潰し(&9)"), K{Qt::Key_9}, 9,
         Checkable | PenGroup},
        {"ActPen10", "Pen", QT_TRANSLATE_NOOP("ActionTable", "パレットセット"), K{}, 10,
         Checkable | PenGroup | Invisible},

        {"ActPaletteSel0", "PaletteSelect", QT_TRANSLATE_NOOP("ActionTable", "パレット&0選択"),
         K{Qt::Key_Z}, 0},
        {"ActPaletteSel1", "PaletteSelect", QT_TRANSLATE_NOOP("ActionTable", "パレット&1選択"),
         K{Qt::Key_X}, 1},
        {"ActPaletteSel2", "PaletteSelect", QT_TRANSLATE_NOOP("ActionTable", "パレット&2選択"),
         K{Qt::Key_C}, 2},
        {"ActPaletteSel3", "PaletteSelect", QT_TRANSLATE_NOOP("ActionTable", "パレット&3選択"),
         K{Qt::Key_V}, 3},
        {"ActPaletteModePalSet", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレット＋パレットセット(&S)"), K{}, 0,
         Checkable | ModeGroup | Checked},
        {"ActPaletteMode256Pal", "Palette", QT_TRANSLATE_NOOP("ActionTable", "パレットのみ(&P)"),
         K{}, 1, Checkable | ModeGroup},
        {"ActPaletteLoadState", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "エミュレータのセーブデータを開く(&S)..."),
         K{Qt::Key_F12}},
        {"ActPaletteDatOpen", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレット定義(*.dat)を開く(&D)..."), K{}},
        {"ActPaletteDatSave", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレット定義(*.dat)を保存(&T)..."), K{}},
        {"ActPaletteDatSaveRom", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレット定義をROM名で保存"), K{}},
        {"ActPalettePalOpen", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレット(*.pal)を開く(&P)..."), K{}},
        {"ActPalettePalSave", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレット(*.pal)を保存(&L)..."), K{}},
        {"ActPalettePalSaveRom", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレットをROM名で保存"), K{}},
        {"ActPaletteOtherOpen", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレットを読み込む (他の形式)..."), K{}},
        {"ActPaletteOtherSave", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレットを書き出す (他の形式)..."), K{}},
        {"ActPaletteAdfOpen", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "BGセット(*.adf)を開く(&A)..."), K{}},
        {"ActPaletteAdfSave", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "BGセット(*.adf)を保存(&F)..."), K{}},
        {"ActPaletteAdfSaveRom", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "BGセットをROM名で保存(&M)"), K{}},
        {"ActPaletteColOpen", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレットセット(*.col)を開く..."), K{}},
        {"ActPaletteColSave", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレットセット(*.col)を保存..."), K{}},
        {"ActPaletteColSaveRom", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレットセットをROM名で保存"), K{}},
        {"ActPaletteEnableSet", "Palette",
         QT_TRANSLATE_NOOP("ActionTable", "パレットセットを有効にする(&Z)"),
         K{Qt::CTRL | Qt::Key_M}, 0, Checkable},
        {"ActPaletteReload", "Palette", QT_TRANSLATE_NOOP("ActionTable", "全て標準に戻す(&F)"),
         K{Qt::Key_F11}},
        {"ActPaletteReplaceColor", "Palette", QT_TRANSLATE_NOOP("ActionTable", "色の置換(&R)..."),
         K{Qt::CTRL | Qt::Key_R}},

        {"ActToolExecuteFile", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ファイルの実行(&E)"), K{}},
        {"ActToolExecute0", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&0を実行..."), K{}, 0,
         Invisible},
        {"ActToolExecute1", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&1を実行..."), K{}, 1,
         Invisible},
        {"ActToolExecute2", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&2を実行..."), K{}, 2,
         Invisible},
        {"ActToolExecute3", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&3を実行..."), K{}, 3,
         Invisible},
        {"ActToolExecute4", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&4を実行..."), K{}, 4,
         Invisible},
        {"ActToolExecute5", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&5を実行..."), K{}, 5,
         Invisible},
        {"ActToolExecute6", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&6を実行..."), K{}, 6,
         Invisible},
        {"ActToolExecute7", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&7を実行..."), K{}, 7,
         Invisible},
        {"ActToolExecute8", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&8を実行..."), K{}, 8,
         Invisible},
        {"ActToolExecute9", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール&9を実行..."), K{}, 9,
         Invisible},
        {"ActToolToolConfig", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ツール設定(&C)..."), K{}},
        {"ActToolExecParam", "Tool", QT_TRANSLATE_NOOP("ActionTable", "ファイルの実行設定(&P)..."),
         K{}},
        {"ActToolFormSet", "Tool",
         QT_TRANSLATE_NOOP("ActionTable", "セットウィンドウを表示...(&S)"),
         K{Qt::CTRL | Qt::Key_W}},
        {"ActToolFormColor", "Tool",
         QT_TRANSLATE_NOOP("ActionTable", "Tavrinウィンドウ色選択(&F)..."), K{}},
        {"ActToolShowStatusbar", "Tool",
         QT_TRANSLATE_NOOP("ActionTable", "ステータスバーを表示(&S)"), K{}, 0, Checkable},

        {"ActOptionConfig", "Option", QT_TRANSLATE_NOOP("ActionTable", "設定(&C)..."), K{}},
        {"ActOptionSimpleMenu", "Option", QT_TRANSLATE_NOOP("ActionTable", "簡易メニュー(&M)"), K{},
         0, Checkable},
        {"ActOptionShowMouseNavi", "Option",
         QT_TRANSLATE_NOOP("ActionTable", "マウスナビゲーションを表示(&N)"), K{}, 0, Checkable},

        // Tags are the digits of the keys, i.e. the format list index they select.
        {"ActFormat0", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_0}, 0},
        {"ActFormat1", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_1}, 1},
        {"ActFormat2", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_2}, 2},
        {"ActFormat3", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_3}, 3},
        {"ActFormat4", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_4}, 4},
        {"ActFormat5", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_5}, 5},
        {"ActFormat6", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_6}, 6},
        {"ActFormat7", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_7}, 7},
        {"ActFormat8", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_8}, 8},
        {"ActFormat9", "Format", QT_TRANSLATE_NOOP("ActionTable", "フォーマット設定"),
         K{Qt::CTRL | Qt::Key_9}, 9},

        {"ActHelpIndex", "Help", QT_TRANSLATE_NOOP("ActionTable", "目次(&I)..."), K{Qt::Key_F1}},
        {"ActHelpOpenWeb", "Help",
         QT_TRANSLATE_NOOP("ActionTable", "最新版を探す(公式URLを開く)(&L)..."), K{}},
        {"ActHelpOpenBoard", "Help",
         QT_TRANSLATE_NOOP("ActionTable", "バグ報告・要望の投稿(&B)..."), K{}},
        {"ActHelpAbout", "Help", QT_TRANSLATE_NOOP("ActionTable", "バージョン情報(&A)..."), K{}},
        {"ActHelpSaveConfig", "Help", QT_TRANSLATE_NOOP("ActionTable", "現在の設定を保存(&S)"),
         K{}},
        {"ActHelpLoadConfig", "Help", QT_TRANSLATE_NOOP("ActionTable", "設定を再読み込み(&S)"),
         K{}},

        {"ActControlSetMenu", "Control", QT_TRANSLATE_NOOP("ActionTable", "メニューを設定する"),
         K{}},
    };
}

QString Translated(const char* text) {
    return QCoreApplication::translate("ActionTable", text);
}

QString HintFor(const Row& row) {
    if (row.hint)
        return Translated(row.hint);
    QString hint = ActionTable::StripAccelerator(Translated(row.caption));
    // The address commands show their hints without the trailing dots.
    if (QString::fromUtf8(row.category) == QLatin1String("Address") &&
        hint.endsWith(QLatin1String("...")))
        hint.chop(3);
    return hint;
}

} // namespace

ActionTable::ActionTable(QWidget* owner) {
    m_penGroup = new QActionGroup(owner);
    m_paletteModeGroup = new QActionGroup(owner);
    for (const Row& row : Rows()) {
        auto* action = new QAction(owner);
        action->setObjectName(QString::fromLatin1(row.name));
        action->setProperty("category", QString::fromLatin1(row.category));
        action->setProperty("tag", row.tag);
        action->setShortcuts(row.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable((row.flags & Checkable) != 0);
        action->setChecked((row.flags & Checked) != 0);
        if (row.flags & PenGroup)
            m_penGroup->addAction(action);
        if (row.flags & ModeGroup)
            m_paletteModeGroup->addAction(action);
        if (row.flags & Invisible)
            action->setVisible(false);
        const QIcon icon = ActionIcon(action->objectName());
        if (!icon.isNull())
            action->setIcon(icon);
        // Keys reach every action through the window, also those in no or a hidden menu.
        owner->addAction(action);
        m_actions.push_back(action);
        m_byName.insert(action->objectName(), action);
    }
    Retranslate();
}

void ActionTable::Retranslate() {
    const std::vector<Row> rows = Rows();
    for (size_t i = 0; i < rows.size() && i < m_actions.size(); ++i) {
        QAction* action = m_actions[i];
        action->setText(Translated(rows[i].caption));
        const QString hint = HintFor(rows[i]);
        action->setProperty("hint", hint);
        action->setToolTip(hint);
    }
}

QAction* ActionTable::Get(const QString& name) const {
    QAction* action = m_byName.value(name, nullptr);
    if (!action) {
        qFatal("ActionTable: unknown action %s", qPrintable(name));
        std::abort();
    }
    return action;
}

int ActionTable::Tag(const QAction* action) {
    return action->property("tag").toInt();
}

QString ActionTable::Category(const QAction* action) {
    return action->property("category").toString();
}

QString ActionTable::StripAccelerator(const QString& caption) {
    static const QRegularExpression suffix(QStringLiteral("\\(&.\\)"));
    QString text = caption;
    text.remove(suffix);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
                out += QLatin1Char('&'), ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

} // namespace tavrin
