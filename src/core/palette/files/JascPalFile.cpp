// JASC-PAL, a text palette:
//
//   JASC-PAL          first line, exactly these 8 characters
//   0100              the version
//   16                the number of colours that follow
//   255 0 0           one colour a line: red, green and blue, 0-255, separated by blanks
//   ...
//
// Lines end in CR LF (LF and CR alone are read too). Read leniently: the version line may be
// missing, and so may the count, which then is the number of colour lines; columns after the
// third (an alpha value some programs add) are ignored; blank lines are skipped; a count
// larger than the colour lines fills the colours there are and says the file is short; lines
// after the counted colours are not read. Written with CR LF, the version 0100 and the count.
#include "core/palette/files/PaletteCodecs.h"

namespace tavrin {

namespace {

constexpr std::string_view Header = "JASC-PAL";
constexpr std::string_view Version = "0100";

// A line holding one number and nothing else.
bool LoneNumber(std::string_view line, int& out) {
    int value = 0;
    if (!TakeNumber(line, value) || !TrimBlanks(line).empty())
        return false;
    out = value;
    return true;
}

} // namespace

void ReadJasc(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    if (lines.empty() || TrimBlanks(lines[0]) != Header) {
        read.problem = PaletteProblem::WrongHeader;
        read.expected = "\"JASC-PAL\"";
        return;
    }
    size_t at = 1;
    if (at < lines.size() && TrimBlanks(lines[at]) == Version)
        ++at;
    int count = -1;
    if (at < lines.size() && LoneNumber(lines[at], count))
        ++at;
    std::vector<Colour>& colours = read.contents.colours;
    for (; at < lines.size(); ++at) {
        if (count >= 0 && colours.size() >= static_cast<size_t>(count))
            break;
        const std::string_view line = TrimBlanks(lines[at]);
        if (line.empty())
            continue;
        Colour colour = 0;
        std::string_view rest;
        if (!TakeColour(line, colour, rest)) {
            read.problem = PaletteProblem::BadLine;
            read.line = static_cast<int>(at) + 1;
            read.expected = "three numbers 0-255";
            return;
        }
        colours.push_back(colour);
    }
    if (count > 0 && colours.size() < static_cast<size_t>(count))
        read.expectedCount = static_cast<size_t>(count);
}

std::vector<uint8_t> WriteJasc(const PaletteContents& contents, const PaletteOptions&) {
    std::string text = std::string(Header) + "\r\n" + std::string(Version) + "\r\n" +
                       std::to_string(contents.colours.size()) + "\r\n";
    for (Colour c : contents.colours)
        text += std::to_string(RedOf(c)) + " " + std::to_string(GreenOf(c)) + " " +
                std::to_string(BlueOf(c)) + "\r\n";
    return {text.begin(), text.end()};
}

} // namespace tavrin
