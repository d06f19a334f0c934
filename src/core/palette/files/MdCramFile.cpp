// Mega Drive colour memory (CRAM), binary:
//
//   64 colours of 2 bytes, big-endian, 0000BBB0GGG0RRR0: red in bits 1-3, green in 5-7, blue
//   in 9-11, the other bits ignored
//
// 128 bytes: four rows of 16 colours. The 3-bit channels become 8 bits by the chosen
// expansion. A shorter file fills the colours it holds and says so; bytes past 128 are
// ignored and said so. Written as 128 bytes, missing colours black.
#include "core/palette/files/PaletteCodecs.h"

namespace tavrin {

namespace {
constexpr size_t Colours = 64;
}

void ReadMdCram(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read) {
    const size_t count = TakeEntries(bytes, 2, Colours, true, read);
    for (size_t k = 0; k < count; ++k) {
        const int v = (bytes[2 * k] << 8) | bytes[2 * k + 1];
        read.contents.colours.push_back(MakeColour(ExpandChannel(v >> 1, 3, options.expansion),
                                                   ExpandChannel(v >> 5, 3, options.expansion),
                                                   ExpandChannel(v >> 9, 3, options.expansion)));
    }
}

std::vector<uint8_t> WriteMdCram(const PaletteContents& contents, const PaletteOptions&) {
    std::vector<uint8_t> bytes(2 * Colours);
    for (size_t k = 0; k < Colours; ++k) {
        const Colour c = ColourAt(contents, k);
        const int v = (ReduceChannel(RedOf(c), 3) << 1) | (ReduceChannel(GreenOf(c), 3) << 5) |
                      (ReduceChannel(BlueOf(c), 3) << 9);
        bytes[2 * k] = static_cast<uint8_t>(v >> 8);
        bytes[2 * k + 1] = static_cast<uint8_t>(v);
    }
    return bytes;
}

} // namespace tavrin
