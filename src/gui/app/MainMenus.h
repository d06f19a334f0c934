#pragma once

#include <QStringList>

class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace tavrin {

class ActionTable;

// The menu bar, the pop-up menu and the four tool bars of the main window, each listing
// actions of the table in its fixed order.
class MainMenus {
public:
    MainMenus(QMainWindow* window, const ActionTable& actions);

    QToolBar* MainToolBar() const { return m_mainBar; }
    QToolBar* AddressToolBar() const { return m_addressBar; }
    QToolBar* PenToolBar() const { return m_penBar; }
    QToolBar* PaletteModeToolBar() const { return m_paletteModeBar; }
    QMenu* Popup() const { return m_popup; }
    QMenu* Menu(int index) const;
    int MenuCount() const { return 8; }

    // Hides or shows the menus "アドレス(&A)", "ペン(&N)" and "ツール(&T)".
    void SetSimpleMenu(bool on);
    bool IsSimpleMenu() const { return m_simple; }

    // Each item is an action name, "-" for a separator, or ">Title" ... "<" for a submenu.
    static void Fill(QMenu* menu, const ActionTable& actions, const QStringList& items);
    static void Fill(QToolBar* bar, const ActionTable& actions, const QStringList& items);

private:
    QToolBar* m_mainBar = nullptr;
    QToolBar* m_addressBar = nullptr;
    QToolBar* m_penBar = nullptr;
    QToolBar* m_paletteModeBar = nullptr;
    QMenu* m_menus[8] = {};
    QMenu* m_popup = nullptr;
    bool m_simple = false;
};

} // namespace tavrin
