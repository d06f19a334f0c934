// Game Gear colour memory (CRAM), binary:
//
//   32 colours of 2 bytes, little-endian, 0000BBBBGGGGRRRR: red in bits 0-3, green in 4-7,
//   blue in 8-11, bits 12-15 ignored
//
// 64 bytes: two rows of 16 colours. The 4-bit channels become 8 bits by the chosen expansion
// (full range: v * 17). A shorter file fills the colours it holds and says so; bytes past 64
// are ignored and said so. Written as 64 bytes, missing colours black.
#include "core/palette/files/PaletteCodecs.h"

namespace tavrin {

namespace {
constexpr size_t Colours = 32;
}

void ReadGg(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read) {
    const size_t count = TakeEntries(bytes, 2, Colours, true, read);
    for (size_t k = 0; k < count; ++k) {
        const int v = bytes[2 * k] | (bytes[2 * k + 1] << 8);
        read.contents.colours.push_back(MakeColour(ExpandChannel(v, 4, options.expansion),
                                                   ExpandChannel(v >> 4, 4, options.expansion),
                                                   ExpandChannel(v >> 8, 4, options.expansion)));
    }
}

std::vector<uint8_t> WriteGg(const PaletteContents& contents, const PaletteOptions&) {
    std::vector<uint8_t> bytes(2 * Colours);
    for (size_t k = 0; k < Colours; ++k) {
        const Colour c = ColourAt(contents, k);
        const int v = ReduceChannel(RedOf(c), 4) | (ReduceChannel(GreenOf(c), 4) << 4) |
                      (ReduceChannel(BlueOf(c), 4) << 8);
        bytes[2 * k] = static_cast<uint8_t>(v);
        bytes[2 * k + 1] = static_cast<uint8_t>(v >> 8);
    }
    return bytes;
}

} // namespace tavrin
