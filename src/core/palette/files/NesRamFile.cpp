// NES palette RAM, binary:
//
//   32 bytes, each the index (0-63) of a colour of the NES master palette: four background
//   rows of 4, then four sprite rows of 4; the top two bits of a byte are not part of the
//   index (the console keeps 6 bits) and are dropped
//
// It holds no colours of its own: read, it gives indices, which go into the palette set (or
// are looked up in a master palette to convert). A shorter file fills the indices it holds
// and says so; bytes past 32 are ignored and said so. Written as 32 bytes, missing indices 0.
#include "core/palette/files/PaletteCodecs.h"

namespace tavrin {

namespace {
constexpr size_t Entries = 32;
}

void ReadNesRam(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    const size_t count = TakeEntries(bytes, 1, Entries, true, read);
    for (size_t k = 0; k < count; ++k)
        read.contents.indices.push_back(static_cast<uint8_t>(bytes[k] & 0x3F));
}

std::vector<uint8_t> WriteNesRam(const PaletteContents& contents, const PaletteOptions&) {
    std::vector<uint8_t> bytes(Entries, 0);
    for (size_t k = 0; k < Entries && k < contents.indices.size(); ++k)
        bytes[k] = static_cast<uint8_t>(contents.indices[k] & 0x3F);
    return bytes;
}

} // namespace tavrin
