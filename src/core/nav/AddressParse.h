#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// The address typed into the jump dialog: hexadecimal digits without prefix ("1F" is 1Fh).
// Empty text, any other character, or a value of 80000000h or more cancel the jump (none).
std::optional<int32_t> ParseAddress(std::string_view text);

// The value of a hexadecimal digit, or -1 for any other character.
int HexDigitValue(char ch);

// The dialog's initial text: the address as eight lower-case hexadecimal digits.
std::string FormatAddressText(int32_t address);

} // namespace tavrin
