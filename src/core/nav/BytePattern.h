#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrin {

// The bytes a byte search looks for. A data byte d matches position k when
// (d & mask[k]) == value[k]: a mask of 0xFF is a fixed byte, 0 a wildcard ("??"), 0xF0 or
// 0x0F a byte with one hexadecimal digit left open ("A?", "?3").
struct BytePattern {
    std::vector<uint8_t> value;
    std::vector<uint8_t> mask;

    size_t Size() const { return value.size(); }
    bool operator==(const BytePattern&) const = default;
};

// Why a search text gives no pattern.
enum class PatternError {
    None,
    Empty,         // nothing to look for
    BadCharacter,  // hexadecimal: a character that is no digit, '?' or separator
    OddDigits,     // hexadecimal: a group of digits that does not make whole bytes
    OnlyWildcards, // every byte left open: it would match anywhere
    NotAscii,      // ASCII text: a character outside 0x20..0x7E
    NotCp932,      // cp932 text: a character that cp932 cannot write
    TooLong,       // more than MaxPatternBytes bytes
};

inline constexpr size_t MaxPatternBytes = 256;

enum class TextEncoding { Ascii, Cp932 };

struct PatternParse {
    BytePattern pattern;
    PatternError error = PatternError::None;
    size_t position = 0; // where in the text the fault is (BadCharacter, OddDigits)
};

// Hexadecimal bytes: pairs of digits, '?' for an open digit; blanks, commas and an optional
// "0x" or "$" before a group separate groups ("A9 ?? 8D", "a9??8d", "0xA9,0x00").
PatternParse ParseHexPattern(std::string_view text);
// The text's bytes in the encoding (the text itself is UTF-8).
PatternParse TextPattern(std::string_view utf8, TextEncoding encoding);

// The error in plain English, for the command line.
const char* PatternErrorText(PatternError error);

} // namespace tavrin
