#include "core/nav/ByteSearch.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavrin {

namespace {

// The longest stretch of fixed bytes in the pattern: the library's substring search finds it
// far faster than a byte-by-byte walk, and each hit is then checked whole.
struct Anchor {
    size_t offset = 0;
    size_t length = 0;
};

Anchor LongestFixed(const BytePattern& p) {
    Anchor best;
    size_t start = 0;
    for (size_t k = 0; k <= p.Size(); ++k) {
        if (k == p.Size() || p.mask[k] != 0xFF) {
            if (k - start > best.length)
                best = {start, k - start};
            start = k + 1;
        }
    }
    return best;
}

bool MatchesAt(const uint8_t* at, const BytePattern& p) {
    for (size_t k = 0; k < p.Size(); ++k) {
        if ((at[k] & p.mask[k]) != p.value[k])
            return false;
    }
    return true;
}

// The first start in [first, last] of a match inside hay (last + size <= hay's length).
std::optional<size_t> FirstMatch(const uint8_t* hay, size_t first, size_t last,
                                 const BytePattern& p, const Anchor& anchor) {
    if (anchor.length == 0) {
        for (size_t s = first; s <= last; ++s) {
            if (MatchesAt(hay + s, p))
                return s;
        }
        return std::nullopt;
    }
    const uint8_t* needle = p.value.data() + anchor.offset;
    size_t s = first;
    while (s <= last) {
        const uint8_t* from = hay + s + anchor.offset;
        const size_t length = last - s + anchor.length;
        const void* hit = ::memmem(from, length, needle, anchor.length);
        if (hit == nullptr)
            return std::nullopt;
        const size_t at = static_cast<size_t>(static_cast<const uint8_t*>(hit) - hay) - anchor.offset;
        if (MatchesAt(hay + at, p))
            return at;
        s = at + 1;
    }
    return std::nullopt;
}

// dst[k] = src[n - 1 - k].
void ReverseCopy(const uint8_t* src, size_t n, uint8_t* dst) {
    size_t k = 0;
#if defined(__SSE2__)
    for (; k + 16 <= n; k += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + n - k - 16));
        v = _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 1, 2, 3));
        v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
        v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
        v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + k), v);
    }
#endif
    for (; k < n; ++k)
        dst[k] = src[n - 1 - k];
}

BytePattern Reversed(const BytePattern& p) {
    BytePattern r;
    r.value.assign(p.value.rbegin(), p.value.rend());
    r.mask.assign(p.mask.rbegin(), p.mask.rend());
    return r;
}

// The last start in [first, last]: the data is read backwards a block at a time, turned
// round, and searched forwards for the turned pattern; its first hit is the last start.
std::optional<size_t> LastMatch(const uint8_t* data, size_t first, size_t last,
                                const BytePattern& p) {
    constexpr size_t Block = size_t{1} << 20;
    const BytePattern r = Reversed(p);
    const Anchor anchor = LongestFixed(r);
    std::vector<uint8_t> turned;
    size_t top = last; // starts above top are done
    while (true) {
        const size_t bottom = top - first + 1 > Block ? top - Block + 1 : first;
        const size_t span = top - bottom + p.Size(); // bytes of starts bottom..top
        turned.resize(span);
        ReverseCopy(data + bottom, span, turned.data());
        // Start s of the pattern is turned start top - s.
        if (const auto hit = FirstMatch(turned.data(), 0, top - bottom, r, anchor))
            return top - *hit;
        if (bottom == first)
            return std::nullopt;
        top = bottom - 1;
    }
}

std::optional<size_t> Search(const uint8_t* data, int64_t first, int64_t last,
                             const BytePattern& p, SearchDirection direction) {
    if (first > last)
        return std::nullopt;
    const auto lo = static_cast<size_t>(first);
    const auto hi = static_cast<size_t>(last);
    if (direction == SearchDirection::Forward)
        return FirstMatch(data, lo, hi, p, LongestFixed(p));
    return LastMatch(data, lo, hi, p);
}

} // namespace

std::optional<ByteMatch> FindBytes(std::span<const uint8_t> data, const BytePattern& pattern,
                                   int64_t from, SearchDirection direction, bool wrap) {
    const auto size = static_cast<int64_t>(data.size());
    const auto length = static_cast<int64_t>(pattern.Size());
    if (length == 0 || length > size || pattern.mask.size() != pattern.value.size())
        return std::nullopt;
    const int64_t lastStart = size - length;
    const bool forward = direction == SearchDirection::Forward;
    // First the part from `from` on in the search's direction, then the rest.
    const int64_t first = forward ? std::max<int64_t>(from, 0) : 0;
    const int64_t last = forward ? lastStart : std::min(from, lastStart);
    if (const auto hit = Search(data.data(), first, last, pattern, direction))
        return ByteMatch{static_cast<int64_t>(*hit), false};
    if (!wrap)
        return std::nullopt;
    const int64_t restFirst = forward ? 0 : std::max<int64_t>(from + 1, 0);
    const int64_t restLast = forward ? std::min(from - 1, lastStart) : lastStart;
    if (const auto hit = Search(data.data(), restFirst, restLast, pattern, direction))
        return ByteMatch{static_cast<int64_t>(*hit), true};
    return std::nullopt;
}

} // namespace tavrin
