// Master System colour memory (CRAM), binary:
//
//   32 colours of 1 byte, 00BBGGRR: red in bits 0-1, green in 2-3, blue in 4-5, bits 6-7
//   ignored
//
// 32 bytes: two rows of 16 colours (background, sprites). The 2-bit channels become 8 bits by
// the chosen expansion (full range: 0, 85, 170, 255). A shorter file fills the colours it
// holds and says so; bytes past 32 are ignored and said so. Written as 32 bytes, missing
// colours black.
#include "core/palette/files/PaletteCodecs.h"

namespace tavrin {

namespace {
constexpr size_t Colours = 32;
}

void ReadSms(std::span<const uint8_t> bytes, const PaletteOptions& options, PaletteRead& read) {
    const size_t count = TakeEntries(bytes, 1, Colours, true, read);
    for (size_t k = 0; k < count; ++k) {
        const int v = bytes[k];
        read.contents.colours.push_back(MakeColour(ExpandChannel(v, 2, options.expansion),
                                                   ExpandChannel(v >> 2, 2, options.expansion),
                                                   ExpandChannel(v >> 4, 2, options.expansion)));
    }
}

std::vector<uint8_t> WriteSms(const PaletteContents& contents, const PaletteOptions&) {
    std::vector<uint8_t> bytes(Colours);
    for (size_t k = 0; k < Colours; ++k) {
        const Colour c = ColourAt(contents, k);
        bytes[k] =
            static_cast<uint8_t>(ReduceChannel(RedOf(c), 2) | (ReduceChannel(GreenOf(c), 2) << 2) |
                                 (ReduceChannel(BlueOf(c), 2) << 4));
    }
    return bytes;
}

} // namespace tavrin
