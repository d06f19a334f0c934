#include "core/nav/AddressParse.h"

#include <cstdio>

namespace tavrin {

int HexDigitValue(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

std::optional<int32_t> ParseAddress(std::string_view text) {
    // The usual ways of writing a hexadecimal number are taken too: 0x9000, $9000, 9000h.
    // Blanks and line ends around it, as a pasted address may bring them, do not count.
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    else if (text.size() > 1 && text.front() == '$')
        text.remove_prefix(1);
    else if (text.size() > 1 && (text.back() == 'h' || text.back() == 'H'))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    for (char ch : text) {
        const int digit = HexDigitValue(ch);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
        if (value > INT32_MAX)
            return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::string FormatAddressText(int32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(address));
    return text;
}

} // namespace tavrin
