#include "core/compress/SnesPack.h"

#include "core/compress/DecodeSink.h"
#include "core/compress/HandheldHeader.h"
#include "core/compress/LzParse.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr uint8_t End = 0xFF;
constexpr size_t ShortMax = 32;
constexpr size_t LongMax = 1024;

enum Command : unsigned { Copy = 0, Fill = 1, Alternate = 2, Rising = 3, Repeat = 4 };

template <class Sink>
UnpackError Decode(std::span<const uint8_t> in, SnesOrder order, size_t limit, Sink& out,
                   size_t& used) {
    limit = std::min(limit, MaxUnpackedSize);
    const size_t n = in.size();
    size_t pos = 0;
    for (;;) {
        if (pos >= n)
            return UnpackError::NoEnd;
        const uint8_t c = in[pos++];
        if (c == End)
            break;
        unsigned command = c >> 5;
        size_t length = (c & 0x1Fu) + 1;
        if (command == 7) {
            command = c >> 2 & 7;
            if (pos >= n)
                return UnpackError::Truncated;
            length = (size_t{c & 3u} << 8 | in[pos++]) + 1;
        }
        if (command > Repeat)
            return UnpackError::BadCommand;
        if (length > limit - out.Size())
            return UnpackError::TooLarge;
        const size_t operand = command == Copy     ? length
                               : command == Fill   ? 1
                               : command == Rising ? 1
                                                   : 2;
        if (n - pos < operand)
            return UnpackError::Truncated;
        const uint8_t* p = in.data() + pos;
        pos += operand;
        switch (command) {
        case Copy:
            out.Append(p, length);
            break;
        case Fill:
            out.Fill(p[0], length);
            break;
        case Alternate:
            out.Alternate(p[0], p[1], length);
            break;
        case Rising:
            out.Increasing(p[0], length);
            break;
        default: {
            const size_t from =
                order == SnesOrder::BigEndian ? size_t{p[0]} << 8 | p[1] : size_t{p[1]} << 8 | p[0];
            if (from >= out.Size())
                return UnpackError::BadReference;
            out.Copy(from, length);
        }
        }
    }
    used = pos;
    return UnpackError::None;
}

} // namespace

Unpacked UnpackSnes(std::span<const uint8_t> input, SnesOrder order, size_t limit) {
    return detail::UnpackTwice(input, limit,
                               [order](auto in, size_t lim, auto& sink, size_t& used) {
                                   return Decode(in, order, lim, sink, used);
                               });
}

std::optional<BlockSize> MeasureSnes(std::span<const uint8_t> input, SnesOrder order,
                                     size_t limit) {
    return detail::MeasureWith(input, limit,
                               [order](auto in, size_t lim, auto& sink, size_t& used) {
                                   return Decode(in, order, lim, sink, used);
                               });
}

namespace {

struct Choice {
    unsigned command = Copy;
    size_t length = 0;
    uint32_t source = 0;

    size_t Cost() const {
        const size_t operand = command == Fill || command == Rising        ? 1
                               : command == Alternate || command == Repeat ? 2
                                                                           : 0;
        return (length <= ShortMax ? 1 : 2) + operand;
    }
    // Bytes saved against writing the same bytes as literals.
    long Saving() const { return static_cast<long>(length) - static_cast<long>(Cost()); }
};

class Chooser {
public:
    Chooser(std::span<const uint8_t> data)
        : m_data(data), m_matcher(data, {3, LongMax, 1, 0, 0x10000}) {}

    // The command saving the most at pos (length 0 when none saves anything). Positions are
    // asked in increasing order.
    Choice Best(size_t pos) {
        const size_t most = std::min(LongMax, m_data.size() - pos);
        Choice best;
        auto consider = [&](Choice c) {
            if (c.length >= 2 && c.Saving() > 0 && c.Saving() > best.Saving())
                best = c;
        };
        const uint8_t first = m_data[pos];
        size_t run = 1;
        while (run < most && m_data[pos + run] == first)
            ++run;
        consider({Fill, run, 0});
        size_t rise = 1;
        while (rise < most && m_data[pos + rise] == static_cast<uint8_t>(first + rise))
            ++rise;
        consider({Rising, rise, 0});
        if (most >= 2) {
            size_t alt = 2;
            while (alt < most && m_data[pos + alt] == m_data[pos + alt % 2])
                ++alt;
            consider({Alternate, alt, 0});
        }
        const detail::LzToken repeat = m_matcher.Longest(pos);
        if (repeat.length > 0)
            consider({Repeat, repeat.length, repeat.source});
        return best;
    }

private:
    std::span<const uint8_t> m_data;
    detail::LzMatcher m_matcher;
};

void PutCommand(std::vector<uint8_t>& out, unsigned command, size_t length) {
    const size_t l = length - 1;
    if (length <= ShortMax) {
        out.push_back(static_cast<uint8_t>(command << 5 | l));
    } else {
        out.push_back(static_cast<uint8_t>(0xE0 | command << 2 | l >> 8));
        out.push_back(static_cast<uint8_t>(l));
    }
}

std::vector<uint8_t> Encode(std::span<const uint8_t> data, SnesOrder order, bool lazy) {
    std::vector<uint8_t> out;
    out.reserve(data.size() + data.size() / ShortMax + 2);
    Chooser chooser(data);
    size_t literalStart = 0;
    auto flushLiterals = [&](size_t end) {
        while (literalStart < end) {
            const size_t count = std::min(end - literalStart, LongMax);
            PutCommand(out, Copy, count);
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(literalStart),
                       data.begin() + static_cast<std::ptrdiff_t>(literalStart + count));
            literalStart += count;
        }
    };
    size_t pos = 0;
    Choice next = data.empty() ? Choice{} : chooser.Best(0);
    while (pos < data.size()) {
        const Choice here = next;
        if (here.length == 0 || (lazy && pos + 1 < data.size() &&
                                 (next = chooser.Best(pos + 1)).Saving() > here.Saving())) {
            ++pos;
            if (here.length == 0 && pos < data.size())
                next = chooser.Best(pos);
            continue;
        }
        flushLiterals(pos);
        PutCommand(out, here.command, here.length);
        const uint8_t* p = data.data() + pos;
        switch (here.command) {
        case Fill:
        case Rising:
            out.push_back(p[0]);
            break;
        case Alternate:
            out.push_back(p[0]);
            out.push_back(p[1]);
            break;
        default:
            if (order == SnesOrder::BigEndian) {
                out.push_back(static_cast<uint8_t>(here.source >> 8));
                out.push_back(static_cast<uint8_t>(here.source));
            } else {
                out.push_back(static_cast<uint8_t>(here.source));
                out.push_back(static_cast<uint8_t>(here.source >> 8));
            }
        }
        pos += here.length;
        literalStart = pos;
        if (pos < data.size())
            next = chooser.Best(pos);
    }
    flushLiterals(data.size());
    out.push_back(End);
    return out;
}

} // namespace

std::optional<std::vector<uint8_t>> PackSnes(std::span<const uint8_t> data, SnesOrder order,
                                             const PackOptions& options) {
    if (data.size() > MaxUnpackedSize)
        return std::nullopt;
    std::vector<uint8_t> best = Encode(data, order, false);
    if (options.lazy) {
        // Deferring can lose on some inputs; the smaller of the two parses is kept.
        std::vector<uint8_t> lazy = Encode(data, order, true);
        if (lazy.size() < best.size())
            best = std::move(lazy);
    }
    return best;
}

} // namespace tavrin
