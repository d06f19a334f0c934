#include "core/places/Navigator.h"

#include "core/editor/Editor.h"
#include "core/nav/ImageSearch.h"
#include "core/nav/TileAtPoint.h"
#include "core/platform/FileIO.h"
#include "core/platform/Text.h"

#include <algorithm>
#include <span>

namespace tavrin {

Navigator::Navigator(Editor& editor, PanelView& view)
    : m_editor(editor), m_ws(editor.Space()), m_view(view), m_recent(editor.Settings().Recent) {
    m_ws.AddListener(this);
}

Navigator::~Navigator() {
    m_ws.RemoveListener(this);
}

void Navigator::WorkspaceChanged(WorkspaceChange change) {
    if (change == WorkspaceChange::Document)
        DocumentOpened();
    else if (change == WorkspaceChange::Page && m_pageChanged)
        m_pageChanged();
}

// ---- Places ----

Place Navigator::CurrentPlace() const {
    Place place;
    place.address = m_ws.Address();
    place.format = m_ws.Format().Name();
    place.pattern = m_ws.PatternIndex();
    place.rotate = m_ws.RotateIndex();
    place.mirror = m_ws.MirrorIndex();
    place.paletteGroup = m_ws.PaletteSet().GroupNumber();
    return place;
}

bool Navigator::GoTo(const Place& place) {
    int format = -1;
    for (int i = 0; i < m_ws.Formats().Count() && format < 0; ++i) {
        if (m_ws.Formats().Get(i)->Name() == place.format)
            format = i;
    }
    if (format >= 0 && format != m_ws.FormatIndex())
        m_editor.SelectFormat(format);
    if (place.pattern != m_ws.PatternIndex())
        m_editor.SelectPattern(place.pattern);
    if (place.rotate != m_ws.RotateIndex())
        m_editor.SetViewOption(ViewOption::Rotate, place.rotate);
    if (place.mirror != m_ws.MirrorIndex())
        m_editor.SetViewOption(ViewOption::Mirror, place.mirror);
    const CDatPalette& set = m_ws.PaletteSet();
    const int entry =
        (place.paletteGroup * set.GroupSize()) | (set.SelectedEntry() & set.ColourMask());
    // Through the workspace, so every window showing the palettes follows.
    if (entry != set.SelectedEntry() && entry <= 0xFF)
        m_ws.SelectPaletteEntry(entry);
    m_editor.AddrJump(place.address);
    return format >= 0;
}

// ---- Recent files ----

void Navigator::RememberPlace() {
    if (!m_path.empty())
        m_recent.Update(m_path, CurrentPlace());
}

void Navigator::ClearRecent() {
    m_recent.Clear();
    RecentChanged();
}

void Navigator::RecentChanged() {
    // Best effort: a settings file that cannot be written is named once, at exit.
    (void)m_editor.Settings().WriteRecent();
}

bool Navigator::OpenRecent(size_t index) {
    if (index >= m_recent.Items().size())
        return false;
    const RecentFile entry = m_recent.Items()[index];
    if (KindOfPath(entry.path) != PathKind::RegularFile) {
        m_view.ShowMessage(TAVRIN_TR("Navigator", "ファイルが見つかりません：") + "\n" +
                           entry.path);
        m_recent.Remove(entry.path);
        RecentChanged();
        return false;
    }
    if (!m_editor.ConfirmDiscard())
        return false;
    RememberPlace();
    if (!m_editor.OpenRom(entry.path, true))
        return false;
    GoTo(entry.place);
    RememberPlace();
    return true;
}

void Navigator::DocumentOpened() {
    // The workspace still shows the file left: its place goes into its recent entry, however
    // the other file came (open, drop, new, a recent entry).
    RememberPlace();
    const std::string& path = m_ws.Document().FilePath();
    m_path.clear();
    m_lastMatch.reset();
    m_bookmarks = {};
    // A new document has a name but no file yet: it is neither recent nor bookmarked.
    if (KindOfPath(path) == PathKind::RegularFile) {
        m_path = path;
        m_recent.Add(path, CurrentPlace());
        RecentChanged();
        const FileResult loaded = LoadBookmarks(BookmarkFilePath(), m_bookmarks);
        if (!loaded && loaded.failure != FileFailure::NotFound)
            m_view.ReportFailure(loaded, FileAction::Open);
        if (!m_bookmarks.damaged.empty()) {
            std::string lines;
            for (const DamagedLine& line : m_bookmarks.damaged)
                lines += (lines.empty() ? "" : ", ") + std::to_string(line.number);
            m_view.ShowMessage(TAVRIN_TR("Navigator", "ブックマークの読めない行を飛ばしました：") +
                               "\n" + BookmarkFilePath() + "\n" + TAVRIN_TR("Navigator", "行") +
                               " " + lines);
        }
    }
    BookmarksChanged();
}

// ---- Bookmarks ----

std::string Navigator::BookmarkFilePath() const {
    return m_path.empty() ? std::string() : BookmarksPath(m_path);
}

std::string Navigator::DefaultBookmarkName() const {
    return AddressHex(m_ws.Address());
}

bool Navigator::SaveBookmarks() {
    const FileResult saved = tavrin::SaveBookmarks(BookmarkFilePath(), m_bookmarks);
    if (!saved)
        m_view.ReportFailure(saved, FileAction::Save);
    BookmarksChanged();
    return static_cast<bool>(saved);
}

void Navigator::BookmarksChanged() {
    if (m_bookmarksChanged)
        m_bookmarksChanged();
}

bool Navigator::AddBookmark(const std::string& name) {
    if (m_path.empty()) {
        m_view.ShowMessage(
            TAVRIN_TR("Navigator", "ブックマークは保存したファイルに付けられます。"));
        return false;
    }
    std::string clean = CleanBookmarkName(name);
    if (clean.empty())
        clean = DefaultBookmarkName();
    m_bookmarks.items.push_back({CurrentPlace(), clean});
    return SaveBookmarks();
}

bool Navigator::RenameBookmark(size_t index, const std::string& name) {
    const std::string clean = CleanBookmarkName(name);
    if (index >= m_bookmarks.items.size() || clean.empty())
        return false;
    m_bookmarks.items[index].name = clean;
    return SaveBookmarks();
}

bool Navigator::DeleteBookmark(size_t index) {
    if (index >= m_bookmarks.items.size())
        return false;
    m_bookmarks.items.erase(m_bookmarks.items.begin() + static_cast<ptrdiff_t>(index));
    return SaveBookmarks();
}

bool Navigator::MoveBookmark(size_t index, int delta) {
    const auto count = static_cast<int64_t>(m_bookmarks.items.size());
    if (static_cast<int64_t>(index) >= count)
        return false;
    const int64_t target = std::clamp<int64_t>(static_cast<int64_t>(index) + delta, 0, count - 1);
    if (target == static_cast<int64_t>(index))
        return false;
    auto& items = m_bookmarks.items;
    const Bookmark moved = items[index];
    items.erase(items.begin() + static_cast<ptrdiff_t>(index));
    items.insert(items.begin() + static_cast<ptrdiff_t>(target), moved);
    return SaveBookmarks();
}

bool Navigator::JumpToBookmark(size_t index) {
    if (index >= m_bookmarks.items.size())
        return false;
    GoTo(m_bookmarks.items[index].place);
    return true;
}

// ---- Searches ----

bool Navigator::FindPreviousImage() {
    const std::span<const uint8_t> data(m_ws.Document().Data(),
                                        static_cast<size_t>(m_ws.Document().DataSize()));
    const std::optional<int32_t> found =
        tavrin::FindPreviousImage(data, m_ws.Address(), m_ws.TileBytes());
    if (!found) {
        m_view.ShowMessage(TAVRIN_TR("Editor", "not found."));
        return false;
    }
    m_editor.AddrJump(*found);
    return true;
}

bool Navigator::FindBytes(const BytePattern& pattern, SearchDirection direction) {
    const std::span<const uint8_t> data(m_ws.Document().Data(),
                                        static_cast<size_t>(m_ws.Document().DataSize()));
    const bool forward = direction == SearchDirection::Forward;
    // Go on from the last match while it is on the page shown; after a move elsewhere,
    // from the page.
    const int64_t address = m_ws.Address();
    const bool onPage =
        m_lastMatch && *m_lastMatch >= address && *m_lastMatch < address + m_ws.Page().pageBytes;
    const int64_t from = onPage ? *m_lastMatch + (forward ? 1 : -1) : address - (forward ? 0 : 1);
    const std::optional<ByteMatch> match = tavrin::FindBytes(data, pattern, from, direction, true);
    if (!match) {
        m_view.ShowMessage(TAVRIN_TR("Navigator", "見つかりませんでした。"));
        return false;
    }
    m_lastMatch = match->offset;
    // The page starts at the match's row of tiles (on the scroll bar's grid), or as far as
    // it can before the end.
    const int rowBytes = m_ws.Page().rowBytes;
    const int64_t header = m_ws.Document().HeaderOffset();
    const int64_t rowStart =
        match->offset < header ? 0 : header + (match->offset - header) / rowBytes * rowBytes;
    m_editor.AddrJump(static_cast<int32_t>(rowStart));
    // The tile that holds the match's first byte is selected.
    const int tileBytes = std::max(m_ws.TileBytes(), 1);
    for (int y = 0; y < 128; y += 8) {
        for (int x = 0; x < 128; x += 8) {
            const std::optional<int64_t> at = TileAddressAt(x, y);
            if (at && *at <= match->offset && match->offset < *at + tileBytes) {
                const int viewX = x * 2 + 1;
                const int viewY = y * 2 + 1;
                m_editor.Mouse().Down(Panel::Chr, MouseButton::Left, viewX, viewY);
                m_editor.Mouse().Up(Panel::Chr, MouseButton::Left, viewX, viewY);
                x = y = 128;
            }
        }
    }
    if (match->wrapped) {
        m_view.ShowMessage(
            forward ? TAVRIN_TR("Navigator", "ファイルの最後まで探したので、最初から探しました。")
                    : TAVRIN_TR("Navigator", "ファイルの最初まで探したので、最後から探しました。"));
    }
    return true;
}

// ---- Addresses on screen ----

std::optional<int64_t> Navigator::TileAddressAt(int tileX, int tileY) const {
    const std::optional<TileSpot> spot =
        TileAtPixel(m_ws.Format(), m_ws.PageSettingsAt(m_ws.Address()), tileX, tileY);
    if (!spot)
        return std::nullopt;
    return spot->address;
}

std::string Navigator::TileUnderMouseText(int x, int y) const {
    if (x < 0 || y < 0 || x >= TileViewSize || y >= TileViewSize)
        return {};
    const PageSettings settings = m_ws.PageSettingsAt(m_ws.Address());
    const std::optional<TileSpot> spot = TileAtPixel(m_ws.Format(), settings, x / 2, y / 2);
    if (!spot)
        return {};
    std::string text = TAVRIN_TR("Navigator", "アドレス") + " " + AddressHex(spot->address);
    if (const auto number =
            TileNumber(settings, *spot, m_ws.Document().StartAddress(), m_ws.TileBytes())) {
        char hex[24];
        std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(*number));
        text += "  " + TAVRIN_TR("Navigator", "タイル") + " " + hex;
    }
    return text;
}

std::string Navigator::SelectionAddressText() const {
    const EditArea& area = m_editor.GetEditArea();
    const std::optional<int64_t> at = TileAddressAt(area.firstColumn * 8, area.firstRow * 8);
    return at ? AddressHex(*at) : std::string();
}

} // namespace tavrin
