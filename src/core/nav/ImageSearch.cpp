#include "core/nav/ImageSearch.h"

#include <algorithm>
#include <bit>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavrin {

namespace {

constexpr size_t NotFound = SIZE_MAX;

// Bit q of the result: data[k + q] == data[k + q + 1], for q = 0..63. Reads data[k..k + 64].
uint64_t EqualNeighbours64(const uint8_t* p) {
#if defined(__SSE2__)
    uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i + 1));
        const auto bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(a, b)));
        mask |= uint64_t{bits} << (16 * i);
    }
    return mask;
#else
    uint64_t mask = 0;
    for (int q = 0; q < 64; ++q)
        mask |= uint64_t{p[q] == p[q + 1]} << q;
    return mask;
#endif
}

// Bit p of the result: bits p to p + length - 1 of mask are all set (bits past 63 count as
// clear). Doubling the covered span each step keeps this at about log2(length) operations.
uint64_t OnesRunStarts(uint64_t mask, int length) {
    int covered = 1;
    while (covered < length && mask != 0) {
        const int shift = std::min(covered, length - covered);
        mask &= mask >> shift;
        covered += shift;
    }
    return mask;
}

// The scan of the plain rule, made linear: a run shorter than a tile cannot hold a tile
// anywhere inside it, so the scan jumps past it.
size_t FindRunScalar(const uint8_t* data, size_t from, size_t n, size_t tile) {
    size_t i = from;
    while (i < n && n - i >= tile) {
        const uint8_t b = data[i];
        size_t k = i + 1;
        while (k < n && k - i < tile && data[k] == b)
            ++k;
        if (k - i >= tile)
            return i;
        i = k;
    }
    return NotFound;
}

// The first position j >= from with data[j..j + tile - 1] all equal (tile >= 2). A window of
// tile equal bytes is tile - 1 consecutive equal neighbours; 64 neighbour flags are formed
// at a time, and the ones carried over a block boundary are counted.
size_t FindRun(const uint8_t* data, size_t from, size_t n, size_t tile) {
    const size_t need = tile - 1;
    const int inWord = need <= 64 ? static_cast<int>(need) : 0;
    size_t k = from;
    size_t carried = 0; // data[k - carried..k] are all equal
    while (n - k > 64) {
        const uint64_t mask = EqualNeighbours64(data + k);
        if (carried + static_cast<size_t>(std::countr_one(mask)) >= need)
            return k - carried;
        if (inWord != 0) {
            const uint64_t starts = OnesRunStarts(mask, inWord);
            if (starts != 0)
                return k + static_cast<size_t>(std::countr_zero(starts));
        }
        carried = mask == ~uint64_t{0} ? carried + 64 : static_cast<size_t>(std::countl_one(mask));
        k += 64;
    }
    return FindRunScalar(data, k - carried, n, tile);
}

// The last position j <= hi with data[j..j + tile - 1] all equal inside n bytes (tile >= 2):
// the scalar walk down, one run of equal bytes at a time.
size_t FindRunBackScalar(const uint8_t* data, int64_t lastByte, size_t tile) {
    const auto t = static_cast<int64_t>(tile);
    int64_t e = lastByte; // the highest byte a window may end at
    while (e + 1 >= t) {
        const uint8_t b = data[e];
        int64_t j = e;
        while (j > 0 && e - j + 1 < t && data[j - 1] == b)
            --j;
        if (e - j + 1 >= t)
            return static_cast<size_t>(j);
        // Every window ending inside [j, e] reaches the different byte below j.
        e = j - 1;
    }
    return NotFound;
}

// FindRun mirrored: the last window start j <= hi. Neighbour flags are taken 64 at a time
// from the top down; the ones carried over from the block above are counted.
size_t FindRunBack(const uint8_t* data, size_t hi, size_t n, size_t tile) {
    if (n < tile)
        return NotFound;
    const size_t need = tile - 1;
    const int inWord = need <= 64 ? static_cast<int>(need) : 0;
    const size_t lastByte = std::min(hi + need, n - 1);
    size_t top = lastByte; // flags at top and above are done
    size_t carried = 0;    // flags top..top + carried - 1 are all set
    while (top >= 64) {
        const size_t k = top - 64;
        const uint64_t mask = EqualNeighbours64(data + k); // reads data[k..top]
        if (static_cast<size_t>(std::countl_one(mask)) + carried >= need)
            return top + carried - need;
        if (inWord != 0) {
            const uint64_t starts = OnesRunStarts(mask, inWord);
            if (starts != 0)
                return k + 63 - static_cast<size_t>(std::countl_zero(starts));
        }
        carried = mask == ~uint64_t{0} ? carried + 64 : static_cast<size_t>(std::countr_one(mask));
        top = k;
    }
    return FindRunBackScalar(data, static_cast<int64_t>(std::min(lastByte, top + carried)), tile);
}

} // namespace

std::optional<int32_t> FindNextImage(std::span<const uint8_t> data, int32_t address,
                                     int32_t tileBytes) {
    // Addresses are 32-bit: bytes past 2 GiB are out of reach anyway.
    const size_t n = std::min<size_t>(data.size(), INT32_MAX);
    const int64_t first = std::max<int64_t>(int64_t{address} + 1, 0);
    if (first >= static_cast<int64_t>(n))
        return std::nullopt;
    const auto from = static_cast<size_t>(first);
    const uint8_t* bytes = data.data();

    // A tile of at most one byte is met at once; with no bytes the run counts none.
    size_t start = from;
    if (tileBytes >= 2) {
        start = FindRun(bytes, from, n, static_cast<size_t>(tileBytes));
        if (start == NotFound)
            return std::nullopt;
    }
    const size_t limit = std::min<size_t>(
        n - start, tileBytes > 0 ? 256 * static_cast<size_t>(tileBytes) : size_t{0});
    size_t run = 0;
    while (run < limit && bytes[start + run] == bytes[start])
        ++run;
    const size_t end = start + run;
    const size_t aligned = end & ~size_t{15};
    return static_cast<int32_t>(start < aligned ? aligned : start);
}

} // namespace tavrin

namespace tavrin {

std::optional<int32_t> FindPreviousImage(std::span<const uint8_t> data, int32_t address,
                                         int32_t tileBytes) {
    const auto n = static_cast<int64_t>(std::min<size_t>(data.size(), INT32_MAX));
    if (address <= 0 || n == 0)
        return std::nullopt;
    const uint8_t* bytes = data.data();
    const int64_t limit = tileBytes > 0 ? 256 * int64_t{tileBytes} : 0;

    // The forward rule answers f(i) for the first position i after its address from which
    // at least tileBytes equal bytes follow; f never decreases with i. So the answer is f of
    // the last such i whose f lies before the address.
    int64_t hi = std::min<int64_t>(int64_t{address} - 1, n - 1);
    while (hi >= 0) {
        int64_t j = hi;
        if (tileBytes >= 2) {
            const size_t found = FindRunBack(bytes, static_cast<size_t>(hi), static_cast<size_t>(n),
                                             static_cast<size_t>(tileBytes));
            if (found == NotFound)
                return std::nullopt;
            j = static_cast<int64_t>(found);
        }
        const uint8_t b = bytes[j];
        // Where the equal bytes from j end, as far as the run is ever counted.
        int64_t runEnd = j + 1;
        while (runEnd < n && runEnd < j + limit && bytes[runEnd] == b)
            ++runEnd;
        runEnd = std::min(runEnd, j + limit);
        // Below j, every position of the same bytes qualifies too. Going further down than
        // one counted run and a 16-byte step is not needed: f there is already before j.
        int64_t lo = j;
        const int64_t floor = std::max<int64_t>(0, j - limit - 32);
        while (lo > floor && bytes[lo - 1] == b)
            --lo;
        const auto f = [&](int64_t i) {
            const int64_t end = std::min(runEnd, i + limit);
            const int64_t aligned = end & ~int64_t{15};
            return i < aligned ? aligned : i;
        };
        if (f(lo) >= address) {
            hi = lo - 1;
            continue;
        }
        int64_t low = lo;
        int64_t high = j;
        while (low < high) {
            const int64_t mid = low + (high - low + 1) / 2;
            if (f(mid) < address)
                low = mid;
            else
                high = mid - 1;
        }
        return static_cast<int32_t>(f(low));
    }
    return std::nullopt;
}

} // namespace tavrin
