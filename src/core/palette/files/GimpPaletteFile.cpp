// GIMP palette (.gpl), text:
//
//   GIMP Palette            first line
//   Name: Sunset            optional
//   Columns: 16             optional, how wide a viewer lays the colours out
//   # a comment             lines starting with '#' are comments
//   255   0   0  Red        red, green, blue (0-255, separated by blanks), then an optional
//   ...                     name that runs to the end of the line
//
// Lines end in LF (CR LF and CR are read too); blank lines are skipped; the names and the
// header fields are not kept. Written with a name, 16 columns and each colour named by its
// index.
#include "core/palette/files/PaletteCodecs.h"

#include <cstdio>

namespace tavrin {

namespace {

constexpr std::string_view Header = "GIMP Palette";

bool IsField(std::string_view line) {
    return line.starts_with("Name:") || line.starts_with("Columns:");
}

} // namespace

void ReadGpl(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    if (lines.empty() || TrimBlanks(lines[0]) != Header) {
        read.problem = PaletteProblem::WrongHeader;
        read.expected = "\"GIMP Palette\"";
        return;
    }
    for (size_t at = 1; at < lines.size(); ++at) {
        const std::string_view line = TrimBlanks(lines[at]);
        if (line.empty() || line.front() == '#' || IsField(line))
            continue;
        Colour colour = 0;
        std::string_view name;
        if (!TakeColour(line, colour, name)) {
            read.problem = PaletteProblem::BadLine;
            read.line = static_cast<int>(at) + 1;
            read.expected = "red green blue 0-255 and a name";
            return;
        }
        read.contents.colours.push_back(colour);
    }
}

std::vector<uint8_t> WriteGpl(const PaletteContents& contents, const PaletteOptions&) {
    std::string text = std::string(Header) + "\nName: Tavrin\nColumns: 16\n#\n";
    char line[64];
    for (size_t k = 0; k < contents.colours.size(); ++k) {
        const Colour c = contents.colours[k];
        std::snprintf(line, sizeof line, "%3d %3d %3d\tIndex %zu\n", RedOf(c), GreenOf(c),
                      BlueOf(c), k);
        text += line;
    }
    return {text.begin(), text.end()};
}

} // namespace tavrin
