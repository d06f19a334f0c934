#include "core/nav/Bookmarks.h"

#include "core/platform/Cp932.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

namespace tavrin {

namespace {

constexpr const char* Header =
    "# Tavrin bookmarks, one a line:\n"
    "# ADDRESS | FORMAT | PATTERN | ROTATION | MIRROR | PALETTE GROUP | NAME\n";

bool IsSkipped(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t\r");
    return first == std::string_view::npos || line[first] == '#';
}

} // namespace

std::string BookmarksPath(const std::string& romPath) {
    return romPath + ".bookmarks";
}

std::string CleanBookmarkName(std::string_view name) {
    std::string clean;
    for (char ch : name)
        clean += static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F ? ' ' : ch;
    const size_t first = clean.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return clean.substr(first, clean.find_last_not_of(' ') - first + 1);
}

BookmarkList ParseBookmarks(std::string_view text) {
    BookmarkList list;
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        // Every carriage return at the end goes: one left would end the line written back
        // and be taken for its line end at the next read.
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (IsSkipped(line))
            continue;
        Bookmark mark;
        if (IsValidUtf8(line) && ParsePlaceLine(line, mark.place, mark.name)) {
            mark.name = CleanBookmarkName(mark.name);
            if (mark.name.empty())
                mark.name = AddressHex(mark.place.address);
            list.items.push_back(std::move(mark));
        } else {
            list.damaged.push_back({number, std::string(line)});
        }
    }
    return list;
}

std::string FormatBookmarks(const BookmarkList& list) {
    std::string text = Header;
    for (const Bookmark& mark : list.items) {
        text += FormatPlaceLine(mark.place, CleanBookmarkName(mark.name));
        text += '\n';
    }
    for (const DamagedLine& line : list.damaged) {
        text += line.text;
        text += '\n';
    }
    return text;
}

FileResult LoadBookmarks(const std::string& path, BookmarkList& list) {
    list = {};
    std::vector<uint8_t> bytes;
    FileResult result = ReadFilePrefix(path, bytes, MaxBookmarkFileBytes + 1);
    if (!result)
        return result;
    if (bytes.size() > MaxBookmarkFileBytes)
        return FileResult::Fail(FileFailure::Malformed, path);
    list =
        ParseBookmarks(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return result;
}

FileResult SaveBookmarks(const std::string& path, const BookmarkList& list) {
    const std::string text = FormatBookmarks(list);
    return WriteFileSafely(path, text.data(), text.size());
}

const Bookmark* FindBookmark(const BookmarkList& list, std::string_view name) {
    for (const Bookmark& mark : list.items) {
        if (mark.name == name)
            return &mark;
    }
    return nullptr;
}

} // namespace tavrin
