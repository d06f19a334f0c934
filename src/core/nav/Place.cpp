#include "core/nav/Place.h"

#include "core/nav/AddressParse.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace tavrin {

namespace {

constexpr std::array<const char*, 4> MirrorWords = {"none", "horizontal", "vertical", "both"};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool ParseSmall(std::string_view s, int max, int& out) {
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || s.empty() || value < 0 || value > max)
        return false;
    out = value;
    return true;
}

} // namespace

const char* MirrorWord(int mirror) {
    return MirrorWords[static_cast<size_t>(mirror & 3)];
}

int MirrorFromWord(std::string_view word) {
    for (size_t i = 0; i < MirrorWords.size(); ++i) {
        if (word == MirrorWords[i])
            return static_cast<int>(i);
    }
    return -1;
}

int RotationDegrees(int rotate) {
    return 90 * (rotate & 3);
}

int RotationFromDegrees(std::string_view degrees) {
    for (int r = 0; r < 4; ++r) {
        if (degrees == std::to_string(RotationDegrees(r)))
            return r;
    }
    return -1;
}

std::string AddressHex(int64_t address) {
    char text[24];
    std::snprintf(text, sizeof text, "%06llX", static_cast<unsigned long long>(address));
    return text;
}

std::string FormatPlaceLine(const Place& place, std::string_view text) {
    std::string line = AddressHex(place.address);
    for (const std::string& field :
         {place.format, std::to_string(place.pattern),
          std::to_string(RotationDegrees(place.rotate)), std::string(MirrorWord(place.mirror)),
          std::to_string(place.paletteGroup)}) {
        line += " | ";
        line += field;
    }
    line += " | ";
    line += text;
    return line;
}

bool ParsePlaceLine(std::string_view line, Place& place, std::string& text) {
    std::array<std::string_view, 7> fields;
    for (size_t i = 0; i < 6; ++i) {
        const size_t bar = line.find('|');
        if (bar == std::string_view::npos)
            return false;
        fields[i] = Trimmed(line.substr(0, bar));
        line.remove_prefix(bar + 1);
    }
    fields[6] = Trimmed(line);
    Place parsed;
    const std::optional<int32_t> address = ParseAddress(fields[0]);
    if (!address || fields[1].empty())
        return false;
    parsed.address = *address;
    parsed.format = std::string(fields[1]);
    parsed.rotate = RotationFromDegrees(fields[3]);
    parsed.mirror = MirrorFromWord(fields[4]);
    if (!ParseSmall(fields[2], 63, parsed.pattern) || parsed.rotate < 0 || parsed.mirror < 0 ||
        !ParseSmall(fields[5], 255, parsed.paletteGroup))
        return false;
    place = std::move(parsed);
    text = std::string(fields[6]);
    return true;
}

} // namespace tavrin
