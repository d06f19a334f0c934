// Adobe colour table (.act), binary:
//
//   offset 0    768 bytes   256 colours of red, green, blue (one byte each)
//   offset 768  2 bytes     optional: the number of colours used, big-endian
//   offset 770  2 bytes     optional: the transparent colour's index, big-endian, 0xFFFF none
//
// A file of 768 bytes uses all 256 colours. A count of 0 or above 256 is taken as 256. A
// shorter file fills the colours it holds and says it is short. Written as 768 bytes when
// all 256 colours are used and none is transparent, else with the two fields.
#include "core/palette/files/PaletteCodecs.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr size_t TableBytes = 768;
constexpr size_t FullBytes = 772;
constexpr int NoTransparent = 0xFFFF;

int LoadBE16(const uint8_t* p) {
    return (p[0] << 8) | p[1];
}

} // namespace

void ReadAct(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    size_t count = 256;
    if (bytes.size() >= FullBytes) {
        const int used = LoadBE16(bytes.data() + TableBytes);
        if (used >= 1 && used <= 256)
            count = static_cast<size_t>(used);
        const int transparent = LoadBE16(bytes.data() + TableBytes + 2);
        if (transparent != NoTransparent && static_cast<size_t>(transparent) < count)
            read.contents.transparentIndex = transparent;
        read.ignoredBytes = bytes.size() - FullBytes;
    } else {
        count = TakeEntries(bytes.first(std::min(bytes.size(), TableBytes)), 3, 256, true, read);
        read.ignoredBytes = bytes.size() - count * 3;
    }
    for (size_t k = 0; k < count; ++k) {
        const uint8_t* p = bytes.data() + 3 * k;
        read.contents.colours.push_back(MakeColour(p[0], p[1], p[2]));
    }
}

std::vector<uint8_t> WriteAct(const PaletteContents& contents, const PaletteOptions&) {
    const size_t count = std::min<size_t>(contents.colours.size(), 256);
    const bool fields = count < 256 || contents.transparentIndex >= 0;
    std::vector<uint8_t> bytes(fields ? FullBytes : TableBytes, 0);
    for (size_t k = 0; k < count; ++k) {
        const Colour c = contents.colours[k];
        bytes[3 * k] = static_cast<uint8_t>(RedOf(c));
        bytes[3 * k + 1] = static_cast<uint8_t>(GreenOf(c));
        bytes[3 * k + 2] = static_cast<uint8_t>(BlueOf(c));
    }
    if (fields) {
        const int transparent =
            contents.transparentIndex >= 0 && static_cast<size_t>(contents.transparentIndex) < count
                ? contents.transparentIndex
                : NoTransparent;
        bytes[768] = static_cast<uint8_t>(count >> 8);
        bytes[769] = static_cast<uint8_t>(count);
        bytes[770] = static_cast<uint8_t>(transparent >> 8);
        bytes[771] = static_cast<uint8_t>(transparent);
    }
    return bytes;
}

} // namespace tavrin
