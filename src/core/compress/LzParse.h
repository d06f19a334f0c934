#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tavrin::detail {

// What copies a format can express. Distances count back from the current position unless
// absoluteLimit is set, when the source is an offset from the start of the data below it.
struct LzRules {
    uint32_t minLength = 3;
    uint32_t maxLength = 18;
    uint32_t minDistance = 1;
    uint32_t maxDistance = 4096; // relative forms only
    uint32_t absoluteLimit = 0;  // absolute forms: sources below this offset
};

// One step of a parse: a literal byte (length 0) or a copy of length bytes from source,
// which is a distance back or an absolute offset as the rules say.
struct LzToken {
    uint32_t length = 0;
    uint32_t source = 0;
};

// Longest copies at each position, found through hash chains over three-byte prefixes.
class LzMatcher {
public:
    LzMatcher(std::span<const uint8_t> data, const LzRules& rules);
    // The longest copy allowed at pos (nearest source on ties); length 0 when none reaches
    // the minimum. Positions must be asked in increasing order.
    LzToken Longest(size_t pos);

private:
    void InsertUpTo(size_t pos);

    std::span<const uint8_t> m_data;
    LzRules m_rules;
    std::vector<int32_t> m_head;
    std::vector<int32_t> m_prev;
    size_t m_inserted = 0;
};

// Greedy parse: the longest copy at each position, else a literal. With lazy, a copy is put
// off by one literal when the next position offers a longer one.
std::vector<LzToken> ParseLz(std::span<const uint8_t> data, const LzRules& rules, bool lazy);

} // namespace tavrin::detail
