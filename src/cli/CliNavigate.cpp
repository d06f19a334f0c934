#include "cli/CliNavigate.h"

#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "core/formats/CFormatTable.h"
#include "core/nav/Bookmarks.h"
#include "core/nav/ByteSearch.h"
#include "core/nav/ImageSearch.h"
#include "core/workspace/Workspace.h"

#include <algorithm>
#include <ostream>
#include <span>

namespace tavrin {

namespace {

// The bookmarks of the ROM; a missing file is an empty list.
bool ReadBookmarks(const std::string& rom, BookmarkList& list, std::ostream& err) {
    const std::string path = BookmarksPath(rom);
    if (FileResult loaded = LoadBookmarks(path, list);
        !loaded && loaded.failure != FileFailure::NotFound) {
        CliProblem(err, path, CliFailureText(loaded, "bookmarks file"));
        return false;
    }
    return true;
}

std::optional<long long> FindPattern(const CliOptions& o, std::span<const uint8_t> data,
                                     const BytePattern& pattern) {
    const long long from =
        o.from ? *o.from : (o.backward ? static_cast<long long>(data.size()) : 0);
    const auto match =
        FindBytes(data, pattern, from,
                  o.backward ? SearchDirection::Backward : SearchDirection::Forward, false);
    return match ? std::optional<long long>(match->offset) : std::nullopt;
}

} // namespace

int RunFind(const CliOptions& o, Workspace& ws, std::ostream& out, std::ostream& err) {
    // A pattern that cannot be searched for is refused before the ROM is read.
    const bool bytes = !o.bytes.empty() || !o.text.empty();
    PatternParse parsed;
    if (bytes) {
        parsed =
            o.bytes.empty() ? TextPattern(o.text, TextEncoding::Cp932) : ParseHexPattern(o.bytes);
        if (parsed.error != PatternError::None) {
            CliProblem(err, {},
                       std::string(o.bytes.empty() ? "--text '" + o.text : "--bytes '" + o.bytes) +
                           "': " + PatternErrorText(parsed.error));
            return CliBadInput;
        }
    }
    if (FileResult read = ws.OpenRom(o.rom); !read) {
        CliProblem(err, o.rom, CliFailureText(read));
        return CliBadInput;
    }
    // The format of --format, else the one the file name chooses: its tile is the blank run.
    ws.SelectFormat(o.formatIndex ? *o.formatIndex : ws.Formats().FindByExtension(o.rom));
    const RomDocument& doc = ws.Document();
    const std::span<const uint8_t> data(doc.Data(), static_cast<size_t>(doc.DataSize()));
    std::optional<long long> found;
    if (bytes) {
        found = FindPattern(o, data, parsed.pattern);
    } else if (o.backward) {
        const long long from = o.from ? *o.from : doc.DataSize();
        if (const auto at = FindPreviousImage(data, static_cast<int32_t>(from), ws.TileBytes()))
            found = *at;
    } else {
        const long long from = o.from ? *o.from : doc.StartAddress();
        if (const auto at = FindNextImage(data, static_cast<int32_t>(from), ws.TileBytes()))
            found = *at;
    }
    if (!found) {
        err << "not found.\n";
        return CliNotFound;
    }
    out << CliHex(*found) << '\n';
    return CliOk;
}

int RunBookmarks(const CliOptions& o, std::ostream& out, std::ostream& err) {
    BookmarkList list;
    if (!ReadBookmarks(o.rom, list, err))
        return CliBadInput;
    const std::string path = BookmarksPath(o.rom);
    for (const DamagedLine& line : list.damaged)
        err << "tavrin-cli: " << path << ':' << line.number << ": not a bookmark, skipped\n";
    for (const Bookmark& mark : list.items) {
        const Place& p = mark.place;
        out << CliHex(p.address) << '\t' << p.format << '\t' << p.pattern << '\t'
            << RotationDegrees(p.rotate) << '\t' << MirrorWord(p.mirror) << '\t' << p.paletteGroup
            << '\t' << mark.name << '\n';
    }
    return CliOk;
}

bool ApplyBookmark(CliOptions& o, const CFormatTable& formats, std::ostream& err) {
    BookmarkList list;
    if (!ReadBookmarks(o.rom, list, err))
        return false;
    const Bookmark* mark = FindBookmark(list, o.addressBookmark);
    if (mark == nullptr) {
        CliProblem(err, BookmarksPath(o.rom),
                   "no bookmark named '" + o.addressBookmark + "' (see 'tavrin-cli bookmarks " +
                       o.rom + "')");
        return false;
    }
    const Place& p = mark->place;
    o.address = p.address;
    if (!o.formatIndex) {
        for (int i = 0; i < formats.Count() && !o.formatIndex; ++i)
            if (formats.Get(i) && formats.Get(i)->Name() == p.format)
                o.formatIndex = i;
        if (!o.formatIndex)
            CliProblem(err, BookmarksPath(o.rom),
                       "warning: the format '" + p.format + "' of bookmark '" + mark->name +
                           "' is not in the table; the ROM's own is used");
    }
    if (!o.patternGiven)
        o.patternIndex = std::clamp(p.pattern, 0, 63);
    if (!o.rotateGiven)
        o.rotateIndex = p.rotate;
    if (!o.mirrorGiven)
        o.mirrorIndex = p.mirror;
    // The group is the selected entry's high bits: entry = group << bits per pixel.
    if (!o.entryGiven && o.formatIndex) {
        const int bpp = std::clamp(formats.Get(*o.formatIndex)->BitsPerPixel(), 0, 8);
        o.entry = (static_cast<long long>(p.paletteGroup) << bpp) & 0xFF;
    }
    return true;
}

} // namespace tavrin
