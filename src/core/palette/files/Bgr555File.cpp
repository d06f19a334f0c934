// SNES and GBA colour memory (BGR555), binary:
//
//   2 bytes a colour, little-endian: bits 0-4 red, 5-9 green, 10-14 blue, bit 15 ignored
//
// Any number of colours up to 256 (512 bytes, the whole colour memory of either console; 32
// bytes are one row of 16). The 5-bit channels become 8 bits by the chosen expansion. An odd
// last byte and bytes past 512 are ignored and said so. Written with as many colours as
// given, at most 256, each channel's high 5 bits.
#include "core/palette/files/PaletteCodecs.h"

#include <algorithm>

namespace tavrin {

void ReadBgr555(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read) {
    const size_t count = TakeEntries(bytes, 2, 256, false, read);
    for (size_t k = 0; k < count; ++k) {
        const int v = bytes[2 * k] | (bytes[2 * k + 1] << 8);
        read.contents.colours.push_back(MakeColour(ExpandChannel(v, 5, options.expansion),
                                                   ExpandChannel(v >> 5, 5, options.expansion),
                                                   ExpandChannel(v >> 10, 5, options.expansion)));
    }
}

std::vector<uint8_t> WriteBgr555(const PaletteContents& contents, const PaletteOptions&) {
    const size_t count = std::min<size_t>(contents.colours.size(), 256);
    std::vector<uint8_t> bytes(2 * count);
    for (size_t k = 0; k < count; ++k) {
        const Colour c = contents.colours[k];
        const int v = ReduceChannel(RedOf(c), 5) | (ReduceChannel(GreenOf(c), 5) << 5) |
                      (ReduceChannel(BlueOf(c), 5) << 10);
        bytes[2 * k] = static_cast<uint8_t>(v);
        bytes[2 * k + 1] = static_cast<uint8_t>(v >> 8);
    }
    return bytes;
}

} // namespace tavrin
