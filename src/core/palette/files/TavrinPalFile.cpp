// The program's own palette (.pal), binary, as the master palette loads and saves it:
//
//   raw:  256 colours of red, green, blue (one byte each), 768 bytes
//   RIFF: a file beginning with "RIFF": 4-byte entries (red, green, blue, one unused byte)
//         from offset 24 to the end of the file; the header's other fields are not read
//
// A shorter file fills the colours it holds and says so; colours past 256 are ignored and
// said so. Written raw, 768 bytes, missing colours black.
#include "core/palette/files/PaletteCodecs.h"

#include "core/palette/CPalette.h"

namespace tavrin {

void ReadPal(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    const bool riff = bytes.size() >= 4 && bytes[0] == 'R' && bytes[1] == 'I' && bytes[2] == 'F' &&
                      bytes[3] == 'F';
    const size_t offset = riff ? CPalette::RiffDataOffset : 0;
    const size_t stride = riff ? 4 : 3;
    const std::span<const uint8_t> entries =
        bytes.size() > offset ? bytes.subspan(offset) : std::span<const uint8_t>{};
    const size_t count = TakeEntries(entries, stride, CPalette::Count, true, read);
    for (size_t k = 0; k < count; ++k) {
        const uint8_t* p = entries.data() + stride * k;
        read.contents.colours.push_back(MakeColour(p[0], p[1], p[2]));
    }
}

std::vector<uint8_t> WritePal(const PaletteContents& contents, const PaletteOptions&) {
    CPalette palette;
    for (size_t k = 0; k < contents.colours.size() && k < CPalette::Count; ++k)
        palette.SetColor(static_cast<int>(k), contents.colours[k]);
    return {palette.Data(), palette.Data() + CPalette::DataSize};
}

} // namespace tavrin
