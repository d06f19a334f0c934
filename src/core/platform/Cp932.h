#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// Texts in records and files are cp932 (Japanese ANSI); the program works in UTF-8.
// Bytes that do not convert become '?'; conversion never fails.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);
// True when the bytes form valid UTF-8.
bool IsValidUtf8(std::string_view text);

} // namespace tavrin
