#include "core/nav/AddressParse.h"

#include <cstdio>

namespace tavrin {

namespace {

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int32_t> ParseAddress(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    for (char ch : text) {
        const int digit = HexDigit(ch);
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
