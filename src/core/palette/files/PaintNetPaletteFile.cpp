// Paint.NET palette (.txt), text:
//
//   ; Paint.NET Palette File      lines starting with ';' are comments
//   FFFF0000                      one colour a line: alpha, red, green and blue as eight
//   ...                           hexadecimal digits, upper or lower case
//
// Lines end in LF (CR LF and CR are read too); blanks around a colour and blank lines are
// skipped; the alpha is not kept. Paint.NET shows at most 96 colours, but more lines are read.
// Written with a comment line, then upper case FFRRGGBB lines with LF line ends, at most 96.
#include "core/palette/files/PaletteCodecs.h"

#include <algorithm>

namespace tavrin {

void ReadPaintNet(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    // The alpha above the colour is not kept.
    ReadHexColourLines(bytes, 8, ';', 0, "eight hexadecimal digits aarrggbb", read);
}

std::vector<uint8_t> WritePaintNet(const PaletteContents& contents, const PaletteOptions&) {
    std::string text = "; Paint.NET Palette File\n";
    const size_t count = std::min(contents.colours.size(), PaintNetColours);
    for (size_t k = 0; k < count; ++k) {
        text += "FF" + HexDigits(RgbValue(contents.colours[k]), 6, true) + "\n";
    }
    return {text.begin(), text.end()};
}

} // namespace tavrin
