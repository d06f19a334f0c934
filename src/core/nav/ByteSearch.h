#pragma once

#include "core/nav/BytePattern.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tavrin {

enum class SearchDirection { Forward, Backward };

struct ByteMatch {
    int64_t offset = 0;   // where the pattern's first byte lies
    bool wrapped = false; // found only after going round past the other end of the data
    bool operator==(const ByteMatch&) const = default;
};

// The first match at or after from (forward), or the last at or before from (backward), of
// pattern wholly inside data. With wrap, a search that reaches the end of the data goes on
// from the other end up to from, and says so. from may lie outside the data.
std::optional<ByteMatch> FindBytes(std::span<const uint8_t> data, const BytePattern& pattern,
                                   int64_t from, SearchDirection direction, bool wrap);

} // namespace tavrin
