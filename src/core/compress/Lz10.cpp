#include "core/compress/Lz10.h"

#include "core/compress/DecodeSink.h"
#include "core/compress/HandheldHeader.h"
#include "core/compress/LzParse.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr uint8_t Type = 0x10;

template <class Sink>
UnpackError Decode(std::span<const uint8_t> in, size_t limit, Sink& out, size_t& used) {
    size_t size = 0;
    if (const UnpackError e = detail::ReadHandheldHeader(in, Type, limit, size);
        e != UnpackError::None)
        return e;
    const size_t n = in.size();
    size_t pos = 4;
    while (out.Size() < size) {
        if (pos >= n)
            return UnpackError::Truncated;
        const uint8_t flags = in[pos++];
        for (int bit = 7; bit >= 0 && out.Size() < size; --bit) {
            if ((flags >> bit & 1) == 0) {
                if (pos >= n)
                    return UnpackError::Truncated;
                out.Put(in[pos++]);
                continue;
            }
            if (n - pos < 2)
                return UnpackError::Truncated;
            const size_t length = (in[pos] >> 4) + 3;
            const size_t distance = (size_t{in[pos] & 0x0Fu} << 8 | in[pos + 1]) + 1;
            pos += 2;
            if (distance > out.Size())
                return UnpackError::BadReference;
            out.Copy(out.Size() - distance, std::min(length, size - out.Size()));
        }
    }
    used = pos;
    return UnpackError::None;
}

} // namespace

Unpacked UnpackLz10(std::span<const uint8_t> input, size_t limit) {
    return detail::UnpackTwice(input, limit, [](auto in, size_t lim, auto& sink, size_t& used) {
        return Decode(in, lim, sink, used);
    });
}

std::optional<BlockSize> MeasureLz10(std::span<const uint8_t> input, size_t limit) {
    return detail::MeasureWith(input, limit, [](auto in, size_t lim, auto& sink, size_t& used) {
        return Decode(in, lim, sink, used);
    });
}

namespace {

std::vector<uint8_t> Emit(std::span<const uint8_t> data,
                          const std::vector<detail::LzToken>& tokens) {
    std::vector<uint8_t> out;
    out.reserve(4 + data.size() + data.size() / 8 + 1);
    detail::WriteHandheldHeader(out, Type, data.size());
    size_t pos = 0;
    size_t flagAt = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (i % 8 == 0) {
            flagAt = out.size();
            out.push_back(0);
        }
        const detail::LzToken& t = tokens[i];
        if (t.length == 0) {
            out.push_back(data[pos++]);
            continue;
        }
        out[flagAt] |= static_cast<uint8_t>(0x80 >> (i % 8));
        const uint32_t d = t.source - 1;
        out.push_back(static_cast<uint8_t>((t.length - 3) << 4 | d >> 8));
        out.push_back(static_cast<uint8_t>(d));
        pos += t.length;
    }
    return out;
}

} // namespace

std::optional<std::vector<uint8_t>> PackLz10(std::span<const uint8_t> data,
                                             const PackOptions& options) {
    if (data.size() > MaxHeaderSize)
        return std::nullopt;
    detail::LzRules rules;
    rules.minLength = 3;
    rules.maxLength = 18;
    rules.minDistance = options.allowDistance1 ? 1 : 2;
    rules.maxDistance = 4096;
    std::vector<uint8_t> best = Emit(data, detail::ParseLz(data, rules, false));
    if (options.lazy) {
        // Deferring can lose on some inputs; the smaller of the two parses is kept.
        std::vector<uint8_t> lazy = Emit(data, detail::ParseLz(data, rules, true));
        if (lazy.size() < best.size())
            best = std::move(lazy);
    }
    return best;
}

} // namespace tavrin
