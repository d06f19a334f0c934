#pragma once

#include "core/nav/Bookmarks.h"
#include "core/nav/ByteSearch.h"
#include "core/nav/Place.h"
#include "core/nav/RecentFiles.h"
#include "core/workspace/Workspace.h"

#include <functional>
#include <optional>
#include <string>

namespace tavrin {

class Editor;
class PanelView;

// Finding one's way in a ROM, for the main window: the place the user is at, the recent
// files (each reopened at its place), the ROM's bookmarks, the searches backwards and for
// bytes, and the address of a tile on screen. It works through the Editor's commands, so
// every move ends in the page being shown as any other move does, and it listens to the
// workspace to follow the document that is open.
class Navigator : public WorkspaceListener {
public:
    // recent is kept by the caller (the settings, written at exit).
    // The recent files are the editor's settings', written to the settings file as they change.
    Navigator(Editor& editor, PanelView& view);
    ~Navigator() override;
    Navigator(const Navigator&) = delete;
    Navigator& operator=(const Navigator&) = delete;

    void WorkspaceChanged(WorkspaceChange change) override;

    // ---- Places ----
    Place CurrentPlace() const;
    // The format (by name: an unknown one keeps the current format), pattern, rotation,
    // mirror, palette group, then the address. False when the format is unknown.
    bool GoTo(const Place& place);

    // ---- Recent files ----
    const RecentFiles& Recent() const { return m_recent; }
    // The open file's entry takes the current place (called before another file is opened
    // and at exit; the file opened is added on its own).
    void RememberPlace();
    // Opens entry index at its place, after asking about unsaved changes. A file that is no
    // longer there is named in a message and leaves the list. False when nothing was opened.
    bool OpenRecent(size_t index);
    void ClearRecent();

    // ---- Bookmarks of the open ROM ----
    const BookmarkList& Bookmarks() const { return m_bookmarks; }
    std::string BookmarkFilePath() const;
    // The default name of a new bookmark: the current address.
    std::string DefaultBookmarkName() const;
    // Each change is written to the file at once; false (and a message) when it cannot be.
    bool AddBookmark(const std::string& name);
    bool RenameBookmark(size_t index, const std::string& name);
    bool DeleteBookmark(size_t index);
    // Moves entry index by delta places (held within the list).
    bool MoveBookmark(size_t index, int delta);
    bool JumpToBookmark(size_t index);
    // Called after the list changed (another ROM, or a change made here).
    void SetBookmarksChanged(std::function<void()> changed) {
        m_bookmarksChanged = std::move(changed);
    }

    // ---- Searches ----
    // Shift+F3: the previous graphics before the current address; "not found." when none.
    bool FindPreviousImage();
    // The pattern from the last match on (or the current address), in the direction,
    // wrapping with a message. The page moves so the match's row is on top, and its tile
    // is selected. False when not found.
    bool FindBytes(const BytePattern& pattern, SearchDirection direction);
    std::optional<int64_t> LastMatch() const { return m_lastMatch; }

    // ---- Addresses on screen ----
    // Called after the page moved or is shown otherwise (address, format, pattern, rotation,
    // mirror), so that a text about what is on screen can be made again.
    void SetPageChanged(std::function<void()> changed) { m_pageChanged = std::move(changed); }
    // The status text for the tile under view position (x, y) of the CHR view (256 x 256):
    // its file address and tile number, or "" outside the page.
    std::string TileUnderMouseText(int x, int y) const;
    // The file address of the tile at the edit area's top-left as hexadecimal digits.
    std::string SelectionAddressText() const;

private:
    void DocumentOpened();
    void RecentChanged();
    bool SaveBookmarks();
    void BookmarksChanged();
    std::optional<int64_t> TileAddressAt(int tileX, int tileY) const;

    Editor& m_editor;
    Workspace& m_ws;
    PanelView& m_view;
    RecentFiles& m_recent;
    BookmarkList m_bookmarks;
    std::string m_path; // the document the bookmarks and the recent entry are for
    std::optional<int64_t> m_lastMatch;
    std::function<void()> m_bookmarksChanged;
    std::function<void()> m_pageChanged;
};

} // namespace tavrin
