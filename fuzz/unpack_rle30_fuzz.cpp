// RLE30 blocks from outside: decoding stays inside the input and the limit, and what decodes
// packs and unpacks back to the same bytes.
#include "core/compress/Rle30.h"

#include <cstdlib>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> in(data, size);
    const Unpacked u = UnpackRle30(in, 1 << 20);
    const auto measured = MeasureRle30(in, 1 << 20);
    if (bool(u) != measured.has_value())
        std::abort();
    if (!u)
        return 0;
    if (u.packedSize > size || measured->unpacked != u.bytes.size())
        std::abort();
    if (UnpackRle30(*PackRle30(u.bytes)).bytes != u.bytes)
        std::abort();
    return 0;
}
