#include "core/nav/BytePattern.h"

#include "core/nav/AddressParse.h"
#include "core/platform/Cp932.h"

#include <string>

namespace tavrin {

namespace {

bool IsSeparator(char ch) {
    return ch == ' ' || ch == '\t' || ch == ',' || ch == '\r' || ch == '\n';
}

PatternParse Failure(PatternError error, size_t position = 0) {
    PatternParse result;
    result.error = error;
    result.position = position;
    return result;
}

PatternParse Checked(BytePattern pattern) {
    if (pattern.Size() == 0)
        return Failure(PatternError::Empty);
    if (pattern.Size() > MaxPatternBytes)
        return Failure(PatternError::TooLong);
    bool anyFixed = false;
    for (uint8_t m : pattern.mask)
        anyFixed = anyFixed || m != 0;
    if (!anyFixed)
        return Failure(PatternError::OnlyWildcards);
    PatternParse result;
    result.pattern = std::move(pattern);
    return result;
}

} // namespace

PatternParse ParseHexPattern(std::string_view text) {
    BytePattern pattern;
    size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        // One group: an optional prefix, then digits up to the next separator.
        if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X")
            i += 2;
        else if (text[i] == '$')
            i += 1;
        const size_t groupStart = i;
        while (i < text.size() && !IsSeparator(text[i])) {
            if (text[i] != '?' && HexDigitValue(text[i]) < 0)
                return Failure(PatternError::BadCharacter, i);
            ++i;
        }
        if (i == groupStart || (i - groupStart) % 2 != 0)
            return Failure(PatternError::OddDigits, groupStart);
        for (size_t k = groupStart; k < i; k += 2) {
            uint8_t value = 0;
            uint8_t mask = 0;
            for (size_t d = 0; d < 2; ++d) {
                const int digit = HexDigitValue(text[k + d]);
                const int shift = d == 0 ? 4 : 0;
                if (digit >= 0) {
                    value = static_cast<uint8_t>(value | digit << shift);
                    mask = static_cast<uint8_t>(mask | 0xF << shift);
                }
            }
            pattern.value.push_back(value);
            pattern.mask.push_back(mask);
            if (pattern.Size() > MaxPatternBytes)
                return Failure(PatternError::TooLong);
        }
    }
    return Checked(std::move(pattern));
}

PatternParse TextPattern(std::string_view utf8, TextEncoding encoding) {
    std::string bytes;
    if (encoding == TextEncoding::Ascii) {
        for (size_t i = 0; i < utf8.size(); ++i) {
            const auto ch = static_cast<unsigned char>(utf8[i]);
            if (ch < 0x20 || ch > 0x7E)
                return Failure(PatternError::NotAscii, i);
        }
        bytes = std::string(utf8);
    } else {
        if (!IsValidUtf8(utf8))
            return Failure(PatternError::NotCp932);
        bytes = Utf8ToCp932(utf8);
        // The conversion writes '?' for what it cannot convert: such a text is refused
        // rather than searched for with question marks in it.
        if (Cp932ToUtf8(bytes) != utf8)
            return Failure(PatternError::NotCp932);
    }
    BytePattern pattern;
    pattern.value.assign(bytes.begin(), bytes.end());
    pattern.mask.assign(bytes.size(), 0xFF);
    return Checked(std::move(pattern));
}

const char* PatternErrorText(PatternError error) {
    switch (error) {
    case PatternError::None:
        return "";
    case PatternError::Empty:
        return "nothing to search for";
    case PatternError::BadCharacter:
        return "not a hexadecimal digit or '?'";
    case PatternError::OddDigits:
        return "hexadecimal bytes need two digits each";
    case PatternError::OnlyWildcards:
        return "at least one byte must be given";
    case PatternError::NotAscii:
        return "the text has characters outside ASCII";
    case PatternError::NotCp932:
        return "the text has characters cp932 cannot write";
    case PatternError::TooLong:
        return "at most 256 bytes can be searched for";
    }
    return "";
}

} // namespace tavrin
