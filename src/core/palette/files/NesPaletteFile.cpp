// NES master palette, binary:
//
//   64 colours of red, green, blue (one byte each): 192 bytes
//   or 8 sets of those 64, one for each combination of the three colour-emphasis bits:
//   1536 bytes (512 colours)
//
// A file shorter than 192 bytes fills the colours it holds and says so; between 192 and 1536
// bytes the first 64 colours are read and the rest is ignored and said so, as are bytes past
// 1536. Written as 1536 bytes when 512 colours are given, else as 192 bytes (missing colours
// black).
#include "core/palette/files/PaletteCodecs.h"

namespace tavrin {

namespace {
constexpr size_t BaseColours = 64;
constexpr size_t EmphasisColours = 512;
} // namespace

void ReadNes(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    const size_t full = bytes.size() >= 3 * EmphasisColours ? EmphasisColours : BaseColours;
    const size_t count = TakeEntries(bytes, 3, full, true, read);
    for (size_t k = 0; k < count; ++k) {
        const uint8_t* p = bytes.data() + 3 * k;
        read.contents.colours.push_back(MakeColour(p[0], p[1], p[2]));
    }
}

std::vector<uint8_t> WriteNes(const PaletteContents& contents, const PaletteOptions&) {
    const size_t count = contents.colours.size() >= EmphasisColours ? EmphasisColours : BaseColours;
    std::vector<uint8_t> bytes(3 * count);
    for (size_t k = 0; k < count; ++k) {
        const Colour c = ColourAt(contents, k);
        bytes[3 * k] = static_cast<uint8_t>(RedOf(c));
        bytes[3 * k + 1] = static_cast<uint8_t>(GreenOf(c));
        bytes[3 * k + 2] = static_cast<uint8_t>(BlueOf(c));
    }
    return bytes;
}

} // namespace tavrin
