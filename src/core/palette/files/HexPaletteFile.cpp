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
    ReadHexColourLines(bytes, 6, 0, '#', "six hexadecimal digits rrggbb", read);
}

std::vector<uint8_t> WriteHex(const PaletteContents& contents, const PaletteOptions&) {
    std::string text;
    for (Colour c : contents.colours)
        text += HexDigits(RgbValue(c), 6, false) + "\n";
    return {text.begin(), text.end()};
}

} // namespace tavrin
