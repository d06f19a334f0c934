// The check every packed-block fuzz target makes: decoding stays inside the input and the
// limit, measuring agrees with unpacking, and what decodes packs and unpacks back to the same
// bytes.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <span>

template <typename Unpack, typename Measure, typename Pack>
int FuzzPackedBlock(const uint8_t* data, size_t size, Unpack unpack, Measure measure, Pack pack) {
    const std::span<const uint8_t> in(data, size);
    const auto u = unpack(in, size_t{1} << 20);
    const auto measured = measure(in, size_t{1} << 20);
    if (bool(u) != measured.has_value())
        std::abort();
    if (!u)
        return 0;
    if (u.packedSize > size || measured->unpacked != u.bytes.size())
        std::abort();
    const auto packed = pack(u.bytes);
    if (unpack(std::span<const uint8_t>(*packed), size_t{1} << 20).bytes != u.bytes)
        std::abort();
    return 0;
}
