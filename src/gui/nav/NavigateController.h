#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QWidget;

namespace tavrin {

class Editor;
class MainWindow;
class Navigator;
class PanelView;
class TBookmarkWindow;
class TFindBytesDialog;

// The main window's side of finding one's way: the recent files in the File menu, the
// bookmark list window, the byte search dialog, the backward search, the address under the
// mouse in the status bar and the selection's address on the clipboard. Every rule is the
// Navigator's; this wires the actions and widgets to it.
class NavigateController : public QObject {
    Q_OBJECT
public:
    using MessageSink = std::function<void(const QString&)>;
    NavigateController(MainWindow& window, Editor& editor, PanelView& view, MessageSink message);
    ~NavigateController() override;

    Navigator& Nav() const { return *m_navigator; }
    TBookmarkWindow& BookmarkWindow() const { return *m_bookmarkWindow; }
    TFindBytesDialog& FindBytesDialog() const { return *m_findDialog; }

    // A bookmark's name is asked through this (by default a modal box): the label and the
    // preset text in, the text out, or none when cancelled.
    using TextAsker =
        std::function<std::optional<QString>(QWidget*, const QString&, const QString&)>;
    void SetTextAsker(TextAsker asker) { m_textAsker = std::move(asker); }

    // The open file's place goes into the recent list (at exit).
    void RememberPlace();

    // The File menu's recent entries, made again from the list (each time the menu opens).
    void FillRecentMenu();
    QList<QAction*> RecentActions() const { return m_recentActions; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenRecent(size_t index);
    void AddBookmark();
    void CopyAddress();
    void ShowMouseAddress();

    MainWindow& m_window;
    PanelView& m_view;
    std::unique_ptr<Navigator> m_navigator;
    TBookmarkWindow* m_bookmarkWindow = nullptr;
    TFindBytesDialog* m_findDialog = nullptr;
    QList<QAction*> m_recentActions;
    TextAsker m_textAsker;
    // Where the pointer is over the CHR view (view pixels), if it is.
    std::optional<QPoint> m_mouse;
};

// The main window's controller (a direct child of it).
NavigateController* Navigate(const QObject* window);

} // namespace tavrin
