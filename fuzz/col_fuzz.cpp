// Colour-set (.col) bytes from outside, read into tables of every size, and the per-tile
// lookups made on them.
#include "core/palette/CColSet.h"
#include "core/palette/CDatPalette.h"

#include <cstdlib>

using namespace tavrin;

namespace {

int Int32At(const uint8_t* data, size_t size, size_t at) {
    uint32_t v = 0;
    for (size_t k = 0; k < 4; ++k)
        v |= static_cast<uint32_t>(at + k < size ? data[at + k] : 0) << (8 * k);
    return static_cast<int>(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Data size (kept to a few megabytes) and tile bytes come from the input's first bytes.
    const int dataSize = Int32At(data, size, 0) % (1 << 22);
    const int tileBytes = Int32At(data, size, 4) % 300 - 20;
    CColSet col;
    const int total = col.Resize(dataSize, tileBytes);
    if (total != col.BufferSize() || total < CColSet::TableOffset)
        std::abort();
    col.LoadFromBytes(data, size);

    CDatPalette dat;
    dat.SetTable(col.Header(), CColSet::HeaderSize);
    col.SetHeader(dat.Table());

    for (size_t at = 8; at + 4 <= size && at < 64; at += 4) {
        const int address = Int32At(data, size, at);
        const uint8_t group = col.GroupAt(address);
        uint8_t& entry = col.Entry(address);
        if (entry != group)
            std::abort();
        entry = static_cast<uint8_t>(group + 1);
        const std::array<uint8_t, 256> page = col.PageGroups(address);
        (void)page;
    }
    return 0;
}
