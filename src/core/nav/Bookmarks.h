#pragma once

#include "core/nav/Place.h"
#include "core/platform/FileResult.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

struct Bookmark {
    Place place;
    std::string name;
    bool operator==(const Bookmark&) const = default;
};

// A line of a bookmarks file that is not a bookmark: its number (from 1) and its text.
struct DamagedLine {
    int number = 0;
    std::string text;
    bool operator==(const DamagedLine&) const = default;
};

// The bookmarks of one ROM, kept beside it in ROM.bookmarks, a UTF-8 text file of one
// bookmark a line in the form of FormatPlaceLine with the name as its text:
//   # comment
//   012340 | 2BPP NES | 0 | 0 | none | 0 | Title logo
// Blank lines and lines starting with '#' are skipped. A damaged line is named in damaged
// and kept: it is written back as it was, after the bookmarks, so a hand edit is not lost.
struct BookmarkList {
    std::vector<Bookmark> items;
    std::vector<DamagedLine> damaged;
};

// Bookmark files are small; a larger file is not one of ours.
inline constexpr size_t MaxBookmarkFileBytes = size_t{1} << 20;

std::string BookmarksPath(const std::string& romPath);
BookmarkList ParseBookmarks(std::string_view text);
std::string FormatBookmarks(const BookmarkList& list);
// A missing file gives an empty list and NotFound; a file too large, Malformed.
FileResult LoadBookmarks(const std::string& path, BookmarkList& list);
FileResult SaveBookmarks(const std::string& path, const BookmarkList& list);

// A name made fit for one line: line breaks and other control characters become blanks,
// blanks at either end go; empty when nothing is left.
std::string CleanBookmarkName(std::string_view name);
// The bookmark of that name (the first one), or null.
const Bookmark* FindBookmark(const BookmarkList& list, std::string_view name);

} // namespace tavrin
