#include "core/nav/ByteSearch.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavrin {

namespace {

// Two bytes of the pattern are compared at 16 starts at once; only starts where both agree
// are checked whole. The two are the first and the last byte that is not left open, or,
// when those are equal, another one of a different value, so that a blank area of one value
// gives no candidates.
struct Probe {
    size_t offset[2] = {0, 0};
    uint8_t mask[2] = {0, 0};
    uint8_t value[2] = {0, 0};
};

Probe MakeProbe(const BytePattern& p) {
    Probe probe;
    size_t first = p.Size();
    size_t last = 0;
    for (size_t k = 0; k < p.Size(); ++k) {
        if (p.mask[k] != 0) {
            first = std::min(first, k);
            last = k;
        }
    }
    if (first == p.Size())
        return probe; // nothing fixed: every start is a candidate
    for (size_t k = first; k < p.Size() && p.value[last] == p.value[first]; ++k) {
        if (p.mask[k] == 0xFF && p.value[k] != p.value[first] && p.mask[first] == 0xFF)
            last = k;
    }
    probe.offset[0] = first;
    probe.offset[1] = last;
    for (int i = 0; i < 2; ++i) {
        probe.mask[i] = p.mask[probe.offset[i]];
        probe.value[i] = p.value[probe.offset[i]];
    }
    return probe;
}

bool MatchesAt(const uint8_t* at, const BytePattern& p) {
    for (size_t k = 0; k < p.Size(); ++k) {
        if ((at[k] & p.mask[k]) != p.value[k])
            return false;
    }
    return true;
}

#if defined(__SSE2__)
// Bit k: start s + k passes both probe bytes. Reads up to s + 15 + the larger offset.
uint32_t Candidates16(const uint8_t* hay, size_t s, const Probe& probe) {
    __m128i both = _mm_set1_epi8(-1);
    for (int i = 0; i < 2; ++i) {
        const __m128i v =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + s + probe.offset[i]));
        const __m128i masked = _mm_and_si128(v, _mm_set1_epi8(static_cast<char>(probe.mask[i])));
        both = _mm_and_si128(
            both, _mm_cmpeq_epi8(masked, _mm_set1_epi8(static_cast<char>(probe.value[i]))));
    }
    return static_cast<uint32_t>(_mm_movemask_epi8(both));
}
#endif

// The first start in [first, last] of a match (last + the pattern's size <= hay's length).
std::optional<size_t> FirstMatch(const uint8_t* hay, size_t first, size_t last,
                                 const BytePattern& p) {
    const Probe probe = MakeProbe(p);
    size_t s = first;
#if defined(__SSE2__)
    for (; s <= last && last - s >= 15; s += 16) {
        for (uint32_t bits = Candidates16(hay, s, probe); bits != 0; bits &= bits - 1) {
            const size_t at = s + static_cast<size_t>(std::countr_zero(bits));
            if (MatchesAt(hay + at, p))
                return at;
        }
    }
#endif
    for (; s <= last; ++s) {
        if (MatchesAt(hay + s, p))
            return s;
    }
    return std::nullopt;
}

// The last start in [first, last] of a match.
std::optional<size_t> LastMatch(const uint8_t* hay, size_t first, size_t last,
                                const BytePattern& p) {
    const Probe probe = MakeProbe(p);
    size_t top = last; // starts above top are done
#if defined(__SSE2__)
    for (; top - first >= 15; top -= 16) {
        const size_t s = top - 15;
        for (uint32_t bits = Candidates16(hay, s, probe); bits != 0;
             bits &= ~(uint32_t{1} << (31 - std::countl_zero(bits)))) {
            const size_t at = s + static_cast<size_t>(31 - std::countl_zero(bits));
            if (MatchesAt(hay + at, p))
                return at;
        }
        if (s == first)
            return std::nullopt;
    }
#endif
    for (size_t k = 0; k <= top - first; ++k) {
        if (MatchesAt(hay + top - k, p))
            return top - k;
    }
    return std::nullopt;
}

std::optional<size_t> Search(const uint8_t* data, int64_t first, int64_t last, const BytePattern& p,
                             SearchDirection direction) {
    if (first > last)
        return std::nullopt;
    const auto lo = static_cast<size_t>(first);
    const auto hi = static_cast<size_t>(last);
    if (direction == SearchDirection::Forward)
        return FirstMatch(data, lo, hi, p);
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
