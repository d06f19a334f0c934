#include "core/palette/files/PaletteCodecs.h"

namespace tavrin {

std::vector<std::string_view> SplitLines(std::span<const uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool TakeNumber(std::string_view& text, int& out) {
    std::string_view rest = TrimBlanks(text);
    size_t digits = 0;
    int value = 0;
    while (digits < rest.size() && digits < 9 && rest[digits] >= '0' && rest[digits] <= '9')
        value = value * 10 + (rest[digits++] - '0');
    // A tenth digit makes it no number this program reads, rather than a cut one.
    if (digits == 0 || (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9'))
        return false;
    out = value;
    text = rest.substr(digits);
    return true;
}

bool TakeColour(std::string_view line, Colour& out, std::string_view& rest) {
    int channel[3];
    for (int& c : channel) {
        if (!TakeNumber(line, c) || c > 255)
            return false;
        // The numbers stand apart: "12,3" or "1x" is not a colour.
        if (!line.empty() && line.front() != ' ' && line.front() != '\t')
            return false;
    }
    out = MakeColour(channel[0], channel[1], channel[2]);
    rest = TrimBlanks(line);
    return true;
}

bool TakeHexDigits(std::string_view text, size_t digits, uint32_t& out) {
    if (digits == 0 || digits > 8 || text.size() != digits)
        return false;
    uint32_t value = 0;
    for (char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    out = value;
    return true;
}

void ReadHexColourLines(std::span<const uint8_t> bytes, size_t digits, char comment, char skip,
                        const char* expected, PaletteRead& read) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    for (size_t at = 0; at < lines.size(); ++at) {
        std::string_view line = TrimBlanks(lines[at]);
        if (line.empty() || (comment != 0 && line.front() == comment))
            continue;
        if (skip != 0 && line.front() == skip)
            line.remove_prefix(1);
        uint32_t value = 0;
        if (!TakeHexDigits(line, digits, value)) {
            read.problem = PaletteProblem::BadLine;
            read.line = static_cast<int>(at) + 1;
            read.expected = expected;
            return;
        }
        read.contents.colours.push_back(ColourOfRgb(value));
    }
}

uint32_t RgbValue(Colour colour) {
    return static_cast<uint32_t>(RedOf(colour)) << 16 |
           static_cast<uint32_t>(GreenOf(colour)) << 8 | static_cast<uint32_t>(BlueOf(colour));
}

Colour ColourOfRgb(uint32_t value) {
    return MakeColour(static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                      static_cast<int>(value & 0xFF));
}

std::string HexDigits(uint32_t value, size_t digits, bool upper) {
    const char* const set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text(digits, '0');
    for (size_t k = digits; k-- > 0; value >>= 4)
        text[k] = set[value & 0xF];
    return text;
}

} // namespace tavrin
