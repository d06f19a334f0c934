#include "gui/app/MainMenus.h"

#include "gui/app/ActionTable.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <vector>

namespace tavrin {

namespace {

const char* const MenuTitles[8] = {
    QT_TRANSLATE_NOOP("MainMenus", "ファイル(&F)"),   QT_TRANSLATE_NOOP("MainMenus", "編集(&E)"),
    QT_TRANSLATE_NOOP("MainMenus", "アドレス(&A)"),   QT_TRANSLATE_NOOP("MainMenus", "ペン(&N)"),
    QT_TRANSLATE_NOOP("MainMenus", "パレット(&P)"),   QT_TRANSLATE_NOOP("MainMenus", "ツール(&T)"),
    QT_TRANSLATE_NOOP("MainMenus", "オプション(&O)"), QT_TRANSLATE_NOOP("MainMenus", "ヘルプ(&H)")};
enum MenuIndex { FileMenu, EditMenu, AddressMenu, PenMenu, PaletteMenu, ToolMenu, OptionMenu };

QStringList MenuItems(int index) {
    switch (index) {
    case 0:
        return {"ActFileNew",          "ActFileOpen",         "ActFileReload",
                "ActFileSave",         "ActFileSaveAs",       "-",
                "ActFileSaveSnapshot", "ActFileLoadSnapshot", "-",
                "ActFileExit"};
    case 1:
        return {"ActEditUndo",
                "ActEditRedo",
                "-",
                "ActEditCut",
                "ActEditCopy",
                "ActEditPaste",
                "ActEditOptimizePaste",
                "ActEditClear",
                "ActEditSelectAll",
                "-",
                "ActEditClearClipboard",
                "-",
                "ActEditMirrorHorizontal",
                "ActEditMirrorVertical",
                "-",
                "ActEditRotateLeft",
                "ActEditRotateRight",
                "-",
                "ActEditShiftUp",
                "ActEditShiftDown",
                "ActEditShiftLeft",
                "ActEditShiftRight",
                "-",
                "ActPaletteReplaceColor"};
    case 2:
        return {"ActAddrMMAX",
                "ActAddrM100B",
                "ActAddrM10B",
                "ActAddrM1B",
                "ActAddrM1",
                "ActAddrP1",
                "ActAddrP1B",
                "ActAddrP10B",
                "ActAddrP100B",
                "ActAddrPMAX",
                "-",
                "ActAddrInput",
                "ActAddrFind",
                "ActAddrFindPrev",
                "ActAddrFindBytes",
                "-",
                "ActAddrFindPacked",
                "ActAddrPackedList",
                "-",
                "ActAddrBookmarkAdd",
                "ActAddrBookmarks",
                "ActAddrCopyAddress"};
    case 3:
        return {"ActPen11", "ActPen01", "ActPen02", "ActPen03", "ActPen04", "ActPen05",
                "ActPen06", "ActPen07", "ActPen08", "ActPen09", "ActPen10"};
    case 4:
        return {QT_TRANSLATE_NOOP("MainMenus", ">パレット選択"),
                "ActPaletteSel0",
                "ActPaletteSel1",
                "ActPaletteSel2",
                "ActPaletteSel3",
                "<",
                QT_TRANSLATE_NOOP("MainMenus", ">パレット表示"),
                "ActPaletteModePalSet",
                "ActPaletteMode256Pal",
                "<",
                "-",
                "ActPaletteLoadState",
                "-",
                "ActPaletteDatOpen",
                "ActPaletteDatSave",
                "ActPaletteDatSaveRom",
                "-",
                "ActPalettePalOpen",
                "ActPalettePalSave",
                "ActPalettePalSaveRom",
                "-",
                "ActPaletteOtherOpen",
                "ActPaletteOtherSave",
                "-",
                "ActPaletteAdfOpen",
                "ActPaletteAdfSave",
                "ActPaletteAdfSaveRom",
                "-",
                "ActPaletteEnableSet",
                "-",
                "ActPaletteReload"};
    case 5:
        return {"ActToolExecuteFile", "-",
                "ActToolExecute0",    "ActToolExecute1",
                "ActToolExecute2",    "ActToolExecute3",
                "ActToolExecute4",    "ActToolExecute5",
                "ActToolExecute6",    "ActToolExecute7",
                "ActToolExecute8",    "ActToolExecute9",
                "ActToolToolConfig"};
    case 6:
        return {"ActOptionConfig",      "ActToolFormColor",      "-", "ActOptionSimpleMenu", "-",
                "ActToolShowStatusbar", "ActOptionShowMouseNavi"};
    default:
        return {"ActHelpIndex", "-", "ActHelpOpenWeb", "ActHelpOpenBoard", "-", "ActHelpAbout"};
    }
}

} // namespace

MainMenus::MainMenus(QMainWindow* window, const ActionTable& actions) {
    QMenuBar* bar = window->menuBar();
    for (int i = 0; i < 8; ++i) {
        m_menus[i] = bar->addMenu(QCoreApplication::translate("MainMenus", MenuTitles[i]));
        Fill(m_menus[i], actions, MenuItems(i));
    }

    m_popup = new QMenu(window);
    Fill(m_popup, actions,
         {"ActEditUndo", "ActEditRedo", "-", "ActEditCut", "ActEditCopy", "ActEditPaste",
          "ActEditOptimizePaste", "ActEditClear"});

    m_mainBar = new QToolBar(QCoreApplication::translate("MainMenus", "標準"), window);
    m_mainBar->setObjectName(QStringLiteral("ToolBarMain"));
    Fill(m_mainBar, actions,
         {"ActFileNew",
          "ActFileOpen",
          "ActFileSave",
          "-",
          "ActEditCut",
          "ActEditCopy",
          "ActEditPaste",
          "ActEditClear",
          "-",
          "ActEditUndo",
          "ActEditRedo",
          "-",
          "ActEditMirrorHorizontal",
          "ActEditMirrorVertical",
          "ActEditRotateLeft",
          "ActEditRotateRight",
          "ActEditShiftUp",
          "ActEditShiftDown",
          "ActEditShiftLeft",
          "ActEditShiftRight",
          "ActPaletteReplaceColor",
          "-",
          "ActPaletteLoadState",
          "-",
          "ActToolExecuteFile",
          "-",
          "ActToolFormSet",
          "-",
          "ActFileExit"});

    m_addressBar = new QToolBar(QCoreApplication::translate("MainMenus", "アドレス"));
    m_addressBar->setObjectName(QStringLiteral("ToolBarAddress"));
    m_addressBar->setOrientation(Qt::Vertical);
    Fill(m_addressBar, actions,
         {"ActAddrMMAX", "ActAddrM100B", "ActAddrM10B", "ActAddrM1B", "ActAddrM1", "ActAddrP1",
          "ActAddrP1B", "ActAddrP10B", "ActAddrP100B", "ActAddrPMAX", "ActAddrInput"});

    m_penBar = new QToolBar(QCoreApplication::translate("MainMenus", "編集"));
    m_penBar->setObjectName(QStringLiteral("ToolBarPen"));
    m_penBar->setOrientation(Qt::Vertical);
    Fill(m_penBar, actions,
         {"ActPen11", "ActPen01", "ActPen02", "ActPen03", "ActPen04", "ActPen05", "ActPen06",
          "ActPen07", "ActPen08", "ActPen09", "ActPen10"});
    // The pen buttons keep the names the layout gives them.
    const QStringList penButtons = {"ToolButtonPen11", "ToolButtonPen01", "ToolButtonPen02",
                                    "ToolButtonPen03", "ToolButtonPen04", "ToolButtonPen05",
                                    "ToolButtonPen06", "ToolButtonPen07", "ToolButtonPen08",
                                    "ToolButtonPen09", "ToolButtonPen10"};
    const QList<QAction*> penActions = m_penBar->actions();
    for (int i = 0; i < penActions.size() && i < penButtons.size(); ++i)
        if (QWidget* button = m_penBar->widgetForAction(penActions[i]))
            button->setObjectName(penButtons[i]);

    m_paletteModeBar = new QToolBar(QCoreApplication::translate("MainMenus", "パレット表示"));
    m_paletteModeBar->setObjectName(QStringLiteral("ToolBarPaletteMode"));
    m_paletteModeBar->setOrientation(Qt::Vertical);
    Fill(m_paletteModeBar, actions, {"ActPaletteModePalSet", "ActPaletteMode256Pal"});

    for (QToolBar* tb : {m_mainBar, m_addressBar, m_penBar, m_paletteModeBar}) {
        tb->setMovable(false);
        tb->setFloatable(false);
        tb->setIconSize(QSize(16, 16));
        tb->setContextMenuPolicy(Qt::PreventContextMenu);
    }
}

QMenu* MainMenus::Menu(int index) const {
    return index >= 0 && index < 8 ? m_menus[index] : nullptr;
}

void MainMenus::SetSimpleMenu(bool on) {
    m_simple = on;
    for (int i : {AddressMenu, PenMenu, ToolMenu})
        m_menus[i]->menuAction()->setVisible(!on);
}

void MainMenus::Fill(QMenu* menu, const ActionTable& actions, const QStringList& items) {
    std::vector<QMenu*> stack{menu};
    for (const QString& item : items) {
        if (item == QLatin1String("-"))
            stack.back()->addSeparator();
        else if (item.startsWith(QLatin1Char('>')))
            stack.push_back(stack.back()->addMenu(
                QCoreApplication::translate("MainMenus", item.toUtf8().constData()).mid(1)));
        else if (item == QLatin1String("<"))
            stack.pop_back();
        else
            stack.back()->addAction(actions.Get(item));
    }
}

void MainMenus::Fill(QToolBar* bar, const ActionTable& actions, const QStringList& items) {
    for (const QString& item : items) {
        if (item == QLatin1String("-"))
            bar->addSeparator();
        else
            bar->addAction(actions.Get(item));
    }
}

} // namespace tavrin
