// Text a user types or a bookmarks file holds, from outside: the bookmarks file reads and
// writes back what it read, the jump address and the search patterns parse or say why not,
// and a search with the pattern stays inside the bytes.
#include "core/nav/AddressParse.h"
#include "core/nav/Bookmarks.h"
#include "core/nav/ByteSearch.h"

#include <cstdlib>
#include <string_view>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const BookmarkList list = ParseBookmarks(text);
    const std::string written = FormatBookmarks(list);
    const BookmarkList again = ParseBookmarks(written);
    if (again.items != list.items || FormatBookmarks(again) != written)
        std::abort();

    if (const std::optional<int32_t> address = ParseAddress(text); address && *address < 0)
        std::abort();

    const std::span<const uint8_t> bytes(data, size);
    for (const PatternParse& parse : {ParseHexPattern(text), TextPattern(text, TextEncoding::Ascii),
                                      TextPattern(text, TextEncoding::Cp932)}) {
        if (parse.error != PatternError::None) {
            if (parse.position > size)
                std::abort();
            continue;
        }
        if (parse.pattern.Size() == 0 || parse.pattern.Size() > MaxPatternBytes ||
            parse.pattern.mask.size() != parse.pattern.Size())
            std::abort();
        for (const SearchDirection direction :
             {SearchDirection::Forward, SearchDirection::Backward}) {
            const auto match =
                FindBytes(bytes, parse.pattern, static_cast<int64_t>(size / 2), direction, true);
            if (match && (match->offset < 0 ||
                          static_cast<size_t>(match->offset) + parse.pattern.Size() > size))
                std::abort();
        }
    }
    return 0;
}
