#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tavrin::bitplanes {

// Eight neighbouring pixels of a row as one word: pixel c in bits 8c to 8c + 7, whatever
// the machine's byte order, so that the tables below can be combined with shifts and ORs.
inline uint64_t LoadPixels8(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap64(v);
    return v;
}

inline void StorePixels8(uint8_t* p, uint64_t v) {
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap64(v);
    std::memcpy(p, &v, sizeof v);
}

// Four pixels of a row in the same arrangement (pixel c in bits 8c to 8c + 7).
inline void StorePixels4(uint8_t* p, uint32_t v) {
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    std::memcpy(p, &v, sizeof v);
}

inline constexpr uint64_t Broadcast8(uint8_t v) {
    return v * 0x0101'0101'0101'0101ull;
}

// A plane byte spread over eight pixels: bit 7 (the leftmost pixel) becomes pixel 0's bit 0.
inline constexpr std::array<uint64_t, 256> ExpandPlane = [] {
    std::array<uint64_t, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned c = 0; c < 8; ++c)
            t[b] |= uint64_t{(b >> (7 - c)) & 1u} << (8 * c);
    return t;
}();

// The plane byte of value bit k of eight pixels, the inverse of ExpandPlane. The multiplier
// moves bit 8c to bit 63 - c; no two partial products meet, so nothing carries.
inline constexpr uint8_t PackPlane(uint64_t pixels, int bit) {
    return static_cast<uint8_t>(
        (((pixels >> bit) & 0x0101'0101'0101'0101ull) * 0x8040'2010'0804'0201ull) >> 56);
}

// A byte of four 2-bit pixels: pixel 0 in the top two bits (High) or in the bottom two (Low).
inline constexpr std::array<uint32_t, 256> ExpandPairsHigh = [] {
    std::array<uint32_t, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned c = 0; c < 4; ++c)
            t[b] |= ((b >> (6 - 2 * c)) & 3u) << (8 * c);
    return t;
}();

inline constexpr std::array<uint32_t, 256> ExpandPairsLow = [] {
    std::array<uint32_t, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned c = 0; c < 4; ++c)
            t[b] |= ((b >> (2 * c)) & 3u) << (8 * c);
    return t;
}();

} // namespace tavrin::bitplanes
