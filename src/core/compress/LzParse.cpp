#include "core/compress/LzParse.h"

#include <algorithm>

namespace tavrin::detail {

namespace {

constexpr int HashBits = 15;
// Candidates looked at per position: the whole window of the handheld forms, and a bound
// for the absolute form whose window is 64 KiB.
constexpr int MaxChain = 4096;

uint32_t Hash3(const uint8_t* p) {
    const uint32_t v = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
    return (v * 2654435761u) >> (32 - HashBits);
}

} // namespace

LzMatcher::LzMatcher(std::span<const uint8_t> data, const LzRules& rules)
    : m_data(data), m_rules(rules), m_head(size_t{1} << HashBits, -1), m_prev(data.size(), -1) {}

void LzMatcher::InsertUpTo(size_t pos) {
    const size_t limit =
        m_rules.absoluteLimit != 0 ? std::min<size_t>(pos, m_rules.absoluteLimit) : pos;
    for (; m_inserted < limit && m_inserted + 3 <= m_data.size(); ++m_inserted) {
        const uint32_t h = Hash3(m_data.data() + m_inserted);
        m_prev[m_inserted] = m_head[h];
        m_head[h] = static_cast<int32_t>(m_inserted);
    }
}

LzToken LzMatcher::Longest(size_t pos) {
    LzToken best;
    InsertUpTo(pos);
    const size_t n = m_data.size();
    if (pos + m_rules.minLength > n || pos + 3 > n)
        return best;
    const size_t most = std::min<size_t>(m_rules.maxLength, n - pos);
    const bool absolute = m_rules.absoluteLimit != 0;
    const size_t lowest = absolute || pos < m_rules.maxDistance ? 0 : pos - m_rules.maxDistance;
    const uint8_t* here = m_data.data() + pos;
    int32_t cand = m_head[Hash3(here)];
    for (int steps = 0; cand >= 0 && steps < MaxChain; ++steps, cand = m_prev[cand]) {
        const auto c = static_cast<size_t>(cand);
        if (c >= pos)
            continue;
        if (c < lowest)
            break;
        if (!absolute && pos - c < m_rules.minDistance)
            continue;
        const uint8_t* from = m_data.data() + c;
        if (from[best.length] != here[best.length])
            continue;
        size_t len = 0;
        while (len < most && from[len] == here[len])
            ++len;
        if (len > best.length) {
            best.length = static_cast<uint32_t>(len);
            best.source = static_cast<uint32_t>(absolute ? c : pos - c);
            if (len == most)
                break;
        }
    }
    if (best.length < m_rules.minLength)
        return {};
    return best;
}

std::vector<LzToken> ParseLz(std::span<const uint8_t> data, const LzRules& rules, bool lazy) {
    std::vector<LzToken> tokens;
    LzMatcher matcher(data, rules);
    size_t pos = 0;
    LzToken next = data.empty() ? LzToken{} : matcher.Longest(0);
    while (pos < data.size()) {
        const LzToken here = next;
        if (here.length == 0) {
            tokens.push_back({});
            ++pos;
            if (pos < data.size())
                next = matcher.Longest(pos);
            continue;
        }
        if (lazy && pos + 1 < data.size()) {
            const LzToken later = matcher.Longest(pos + 1);
            if (later.length > here.length) {
                tokens.push_back({});
                ++pos;
                next = later;
                continue;
            }
        }
        tokens.push_back(here);
        pos += here.length;
        if (pos < data.size())
            next = matcher.Longest(pos);
    }
    return tokens;
}

} // namespace tavrin::detail
