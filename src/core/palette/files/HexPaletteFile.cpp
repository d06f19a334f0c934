// A hexadecimal colour list (.hex), text:
//
//   ff0000            one colour a line: red, green and blue as six hexadecimal digits
//   #00FF00           an optional leading '#'; upper or lower case
//   ...
//
// Lines end in LF (CR LF and CR are read too); blanks around a colour and blank lines are
// skipped. There is no header, so the extension is what names the format. Written lower case,
// without '#', with LF line ends.
#include "core/palette/files/PaletteCodecs.h"

namespace tavrin {

void ReadHex(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    for (size_t at = 0; at < lines.size(); ++at) {
        std::string_view line = TrimBlanks(lines[at]);
        if (line.empty())
            continue;
        if (line.front() == '#')
            line.remove_prefix(1);
        uint32_t value = 0;
        if (!TakeHexDigits(line, 6, value)) {
            read.problem = PaletteProblem::BadLine;
            read.line = static_cast<int>(at) + 1;
            read.expected = "six hexadecimal digits rrggbb";
            return;
        }
        read.contents.colours.push_back(ColourOfRgb(value));
    }
}

std::vector<uint8_t> WriteHex(const PaletteContents& contents, const PaletteOptions&) {
    std::string text;
    for (Colour c : contents.colours)
        text += HexDigits(RgbValue(c), 6, false) + "\n";
    return {text.begin(), text.end()};
}

} // namespace tavrin
