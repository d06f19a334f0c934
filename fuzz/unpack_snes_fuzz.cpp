// SNES command data from outside, in both byte orders: decoding stays inside the input and
// the limit, and what decodes packs and unpacks back to the same bytes.
#include "core/compress/SnesPack.h"

#include <cstdlib>

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> in(data, size);
    for (const SnesOrder order : {SnesOrder::BigEndian, SnesOrder::LittleEndian}) {
        const Unpacked u = UnpackSnes(in, order, 1 << 20);
        const auto measured = MeasureSnes(in, order, 1 << 20);
        if (bool(u) != measured.has_value())
            std::abort();
        if (!u)
            continue;
        if (u.packedSize > size || measured->unpacked != u.bytes.size())
            std::abort();
        if (UnpackSnes(*PackSnes(u.bytes, order), order).bytes != u.bytes)
            std::abort();
    }
    return 0;
}
