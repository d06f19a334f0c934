#include "gui/app/ActionTable.h"

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
        {"ActFileNew", "File", "新規作成(&N)", K{Qt::CTRL | Qt::Key_N}},
        {"ActFileOpen", "File", "開く(&O)...", K{Qt::CTRL | Qt::Key_O}},
        {"ActFileReload", "File", "再読み込み(&R)", K{Qt::Key_F7}},
        {"ActFileSave", "File", "上書き保存(&S)", K{Qt::CTRL | Qt::Key_S}},
        {"ActFileSaveAs", "File", "名前を付けて保存(&A)...", K{Qt::Key_F6}},
        {"ActFileSaveSnapshot", "File", "スナップショットを保存(&T)", K{Qt::Key_F9}},
        {"ActFileLoadSnapshot", "File", "スナップショットを開く(&P)...", K{}},
        {"ActFileExit", "File", "終了(&X)", K{Qt::ALT | Qt::Key_F4}},

        {"ActEditUndo", "Edit", "元に戻す(&U)", K{Qt::CTRL | Qt::Key_Z}},
        {"ActEditRedo", "Edit", "やり直し(&R)", K{Qt::CTRL | Qt::Key_Y}},
        {"ActEditCut", "Edit", "切り取り(&T)", K{Qt::CTRL | Qt::Key_X}},
        {"ActEditCopy", "Edit", "コピー(&C)", K{Qt::CTRL | Qt::Key_C}},
        {"ActEditPaste", "Edit", "貼り付け(&P)", K{Qt::CTRL | Qt::Key_V}},
        {"ActEditOptimizePaste", "Edit", "減色して貼り付け(&O)",
         K{Qt::SHIFT | Qt::CTRL | Qt::Key_V}},
        {"ActEditClear", "Edit", "削除(&D)", K{Qt::Key_Delete}},
        {"ActEditSelectAll", "Edit", "すべて選択(&L)", K{Qt::CTRL | Qt::Key_A}},
        {"ActEditClearClipboard", "Edit", "クリップボードを空にする(&B)", K{}},
        {"ActEditMirrorHorizontal", "Edit", "左右反転(&H)", K{Qt::CTRL | Qt::Key_Up}},
        {"ActEditMirrorVertical", "Edit", "上下反転(&V)", K{Qt::CTRL | Qt::Key_Down}},
        {"ActEditRotateLeft", "Edit", "左に回転(&1)", K{Qt::CTRL | Qt::Key_Left}},
        {"ActEditRotateRight", "Edit", "右に回転(&2)", K{Qt::CTRL | Qt::Key_Right}},
        {"ActEditShiftUp", "Edit", "↑に1ドットシフト(&3)", K{Qt::SHIFT | Qt::Key_Up}},
        {"ActEditShiftDown", "Edit", "↓に1ドットシフト(&4)", K{Qt::SHIFT | Qt::Key_Down}},
        {"ActEditShiftLeft", "Edit", "←に1ドットシフト(&5)", K{Qt::SHIFT | Qt::Key_Left}},
        {"ActEditShiftRight", "Edit", "→に1ドットシフト(&6)", K{Qt::SHIFT | Qt::Key_Right}},

        // Tags are the step codes of the format's address arithmetic.
        {"ActAddrMMAX", "Address", "アドレス最初(&1)", K{Qt::Key_Home}, 1},
        {"ActAddrM100B", "Address", "アドレス-100ブロック(&2)", K{Qt::Key_PageUp}, 2},
        {"ActAddrM10B", "Address", "アドレス-10ブロック(&3)", K{Qt::Key_Up}, 3},
        {"ActAddrM1B", "Address", "アドレス-1ブロック(&4)", K{Qt::Key_Left}, 4},
        {"ActAddrM1", "Address", "アドレス-1(&5)", K{Qt::KeypadModifier | Qt::Key_Minus}, 5},
        // The two "Hide" actions exist for their keys alone. They stay visible QActions,
        // since a hidden one is disabled and its key dead; no menu or tool bar shows them.
        {"ActAddrM1Hide", "Address", "アドレス-1(&5)", K{Qt::Key_Minus}, 5},
        // The key right of "0"-"-" differs between layouts: ";" (Japanese), "=" (US), with
        // Shift "+".
        {"ActAddrP1Hide", "Address", "アドレス+1(&6)",
         K{Qt::Key_Semicolon, Qt::Key_Equal, Qt::Key_Plus}, 6},
        {"ActAddrP1", "Address", "アドレス+1(&6)", K{Qt::KeypadModifier | Qt::Key_Plus}, 6},
        {"ActAddrP1B", "Address", "アドレス+1ブロック(&7)", K{Qt::Key_Right}, 7},
        {"ActAddrP10B", "Address", "アドレス+10ブロック(&8)", K{Qt::Key_Down}, 8},
        {"ActAddrP100B", "Address", "アドレス+100ブロック(&9)", K{Qt::Key_PageDown}, 9},
        {"ActAddrPMAX", "Address", "アドレス最後(&0)", K{Qt::Key_End}, 10},
        {"ActAddrMWheel", "Address", "ホイール↑", K{}, 16},
        {"ActAddrPWheel", "Address", "ホイール↓", K{}, 17},
        {"ActAddrInput", "Address", "アドレス入力(&A)", K{Qt::CTRL | Qt::Key_J}, 64},
        {"ActAddrFind", "Address", "次の画像を探す(&F)...", K{Qt::Key_F3}},
        {"ActAddrFindPrev", "Address", "前の画像を探す(&P)...", K{}},

        // Tags are pen indices.
        {"ActPen11", "Pen", "スタンプ(&0)", K{Qt::Key_0}, 0, Checkable | PenGroup},
        {"ActPen01", "Pen", "ペン(&1)", K{Qt::Key_1}, 1, Checkable | PenGroup | Checked},
        {"ActPen02", "Pen", "ペン(市松)(&2)", K{Qt::Key_2}, 2, Checkable | PenGroup},
        {"ActPen03", "Pen", "線(&3)", K{Qt::Key_3}, 3, Checkable | PenGroup},
        {"ActPen04", "Pen", "長方形(塗り)(&4)", K{Qt::Key_4}, 4, Checkable | PenGroup},
        {"ActPen05", "Pen", "長方形(市松)(&5)", K{Qt::Key_5}, 5, Checkable | PenGroup},
        {"ActPen06", "Pen", "長方形(枠線)(&6)", K{Qt::Key_6}, 6, Checkable | PenGroup},
        {"ActPen07", "Pen", "円(塗り)(&7)", K{Qt::Key_7}, 7, Checkable | PenGroup},
        {"ActPen08", "Pen", "円(枠線)(&8)", K{Qt::Key_8}, 8, Checkable | PenGroup},
        {"ActPen09", "Pen", "塗り潰し(&9)", K{Qt::Key_9}, 9, Checkable | PenGroup},
        {"ActPen10", "Pen", "パレットセット", K{}, 10, Checkable | PenGroup | Invisible},

        {"ActPaletteSel0", "PaletteSelect", "パレット&0選択", K{Qt::Key_Z}, 0},
        {"ActPaletteSel1", "PaletteSelect", "パレット&1選択", K{Qt::Key_X}, 1},
        {"ActPaletteSel2", "PaletteSelect", "パレット&2選択", K{Qt::Key_C}, 2},
        {"ActPaletteSel3", "PaletteSelect", "パレット&3選択", K{Qt::Key_V}, 3},
        {"ActPaletteModePalSet", "Palette", "パレット＋パレットセット(&S)", K{}, 0,
         Checkable | ModeGroup | Checked},
        {"ActPaletteMode256Pal", "Palette", "パレットのみ(&P)", K{}, 1, Checkable | ModeGroup},
        {"ActPaletteLoadState", "Palette", "エミュレータのセーブデータを開く(&S)...",
         K{Qt::Key_F12}},
        {"ActPaletteDatOpen", "Palette", "パレット定義(*.dat)を開く(&D)...", K{}},
        {"ActPaletteDatSave", "Palette", "パレット定義(*.dat)を保存(&T)...", K{}},
        {"ActPaletteDatSaveRom", "Palette", "パレット定義をROM名で保存", K{}},
        {"ActPalettePalOpen", "Palette", "パレット(*.pal)を開く(&P)...", K{}},
        {"ActPalettePalSave", "Palette", "パレット(*.pal)を保存(&L)...", K{}},
        {"ActPalettePalSaveRom", "Palette", "パレットをROM名で保存", K{}},
        {"ActPaletteAdfOpen", "Palette", "BGセット(*.adf)を開く(&A)...", K{}},
        {"ActPaletteAdfSave", "Palette", "BGセット(*.adf)を保存(&F)...", K{}},
        {"ActPaletteAdfSaveRom", "Palette", "BGセットをROM名で保存(&M)", K{}},
        {"ActPaletteColOpen", "Palette", "パレットセット(*.col)を開く...", K{}},
        {"ActPaletteColSave", "Palette", "パレットセット(*.col)を保存...", K{}},
        {"ActPaletteColSaveRom", "Palette", "パレットセットをROM名で保存", K{}},
        {"ActPaletteEnableSet", "Palette", "パレットセットを有効にする(&Z)",
         K{Qt::CTRL | Qt::Key_M}, 0, Checkable},
        {"ActPaletteReload", "Palette", "全て標準に戻す(&F)", K{Qt::Key_F11}},
        {"ActPaletteReplaceColor", "Palette", "色の置換(&R)...", K{Qt::CTRL | Qt::Key_R}},

        {"ActToolExecuteFile", "Tool", "ファイルの実行(&E)", K{}},
        {"ActToolExecute0", "Tool", "ツール&0を実行...", K{}, 0, Invisible},
        {"ActToolExecute1", "Tool", "ツール&1を実行...", K{}, 1, Invisible},
        {"ActToolExecute2", "Tool", "ツール&2を実行...", K{}, 2, Invisible},
        {"ActToolExecute3", "Tool", "ツール&3を実行...", K{}, 3, Invisible},
        {"ActToolExecute4", "Tool", "ツール&4を実行...", K{}, 4, Invisible},
        {"ActToolExecute5", "Tool", "ツール&5を実行...", K{}, 5, Invisible},
        {"ActToolExecute6", "Tool", "ツール&6を実行...", K{}, 6, Invisible},
        {"ActToolExecute7", "Tool", "ツール&7を実行...", K{}, 7, Invisible},
        {"ActToolExecute8", "Tool", "ツール&8を実行...", K{}, 8, Invisible},
        {"ActToolExecute9", "Tool", "ツール&9を実行...", K{}, 9, Invisible},
        {"ActToolToolConfig", "Tool", "ツール設定(&C)...", K{}},
        {"ActToolExecParam", "Tool", "ファイルの実行設定(&P)...", K{}},
        {"ActToolFormSet", "Tool", "セットウィンドウを表示...(&S)", K{Qt::CTRL | Qt::Key_W}},
        {"ActToolFormColor", "Tool", "Tavrinウィンドウ色選択(&F)...", K{}},
        {"ActToolShowStatusbar", "Tool", "ステータスバーを表示(&S)", K{}, 0, Checkable},

        {"ActOptionConfig", "Option", "設定(&C)...", K{}},
        {"ActOptionSimpleMenu", "Option", "簡易メニュー(&M)", K{}, 0, Checkable},
        {"ActOptionShowMouseNavi", "Option", "マウスナビゲーションを表示(&N)", K{}, 0, Checkable},

        // Tags are the digits of the keys, i.e. the format list index they select.
        {"ActFormat0", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_0}, 0},
        {"ActFormat1", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_1}, 1},
        {"ActFormat2", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_2}, 2},
        {"ActFormat3", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_3}, 3},
        {"ActFormat4", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_4}, 4},
        {"ActFormat5", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_5}, 5},
        {"ActFormat6", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_6}, 6},
        {"ActFormat7", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_7}, 7},
        {"ActFormat8", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_8}, 8},
        {"ActFormat9", "Format", "フォーマット設定", K{Qt::CTRL | Qt::Key_9}, 9},

        {"ActHelpIndex", "Help", "目次(&I)...", K{Qt::Key_F1}},
        {"ActHelpOpenWeb", "Help", "最新版を探す(公式URLを開く)(&L)...", K{}},
        {"ActHelpOpenBoard", "Help", "バグ報告・要望の投稿(&B)...", K{}},
        {"ActHelpAbout", "Help", "バージョン情報(&A)...", K{}},
        {"ActHelpSaveConfig", "Help", "現在の設定を保存(&S)", K{}},
        {"ActHelpLoadConfig", "Help", "設定を再読み込み(&S)", K{}},

        {"ActControlSetMenu", "Control", "メニューを設定する", K{}},
    };
}

QString HintFor(const Row& row) {
    if (row.hint)
        return QString::fromUtf8(row.hint);
    QString hint = ActionTable::StripAccelerator(QString::fromUtf8(row.caption));
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
        auto* action = new QAction(QString::fromUtf8(row.caption), owner);
        action->setObjectName(QString::fromLatin1(row.name));
        action->setProperty("category", QString::fromLatin1(row.category));
        action->setProperty("tag", row.tag);
        const QString hint = HintFor(row);
        action->setProperty("hint", hint);
        action->setToolTip(hint);
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
