#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// Where the user was in a ROM: the address and everything that decides how the page looks
// there. Kept in bookmarks and in the recent files list.
struct Place {
    int32_t address = 0;
    std::string format; // the format's display name
    int pattern = 0;    // index in the pattern list
    int rotate = 0;     // 0, 1, 2, 3: 0, 90, 180, 270 degrees
    int mirror = 0;     // 0, 1, 2, 3: none, horizontal, vertical, both
    int paletteGroup = 0;

    bool operator==(const Place&) const = default;
};

// One line of text for a place followed by a free text (a bookmark's name, a file's path):
//   ADDRESS | FORMAT | PATTERN | ROTATION | MIRROR | GROUP | TEXT
//   012340 | 2BPP NES | 0 | 90 | none | 0 | Title logo
// The address is hexadecimal (a "0x" or "$" before it or an "h" after it is taken too), the
// rotation in degrees, the mirror one of none, horizontal, vertical, both. Blanks around
// the fields do not matter; the text is everything after the sixth bar, so it may hold bars.
std::string FormatPlaceLine(const Place& place, std::string_view text);
// False, with place and text untouched, when a field is missing or not as above.
bool ParsePlaceLine(std::string_view line, Place& place, std::string& text);

// The words of the mirror codes ("none", "horizontal", "vertical", "both") and back (-1 when
// unknown); the degrees of the rotation codes and back (-1 when not 0, 90, 180 or 270).
const char* MirrorWord(int mirror);
int MirrorFromWord(std::string_view word);
int RotationDegrees(int rotate);
int RotationFromDegrees(std::string_view degrees);

// The address as the window shows it: six upper-case hexadecimal digits (more when larger).
std::string AddressHex(int64_t address);

} // namespace tavrin
