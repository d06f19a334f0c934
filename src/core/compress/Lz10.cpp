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

std::optional<std::vector<uint8_t>> PackLz10(std::span<const uint8_t> data,
                                             const PackOptions& options) {
    if (data.size() > MaxHeaderSize)
        return std::nullopt;
    detail::LzRules rules;
    rules.minLength = 3;
    rules.maxLength = 18;
    rules.minDistance = options.allowDistance1 ? 1 : 2;
    rules.maxDistance = 4096;
    return detail::PackHandheldLz(data, Type, rules, options.lazy,
                                  [](std::vector<uint8_t>& out, uint32_t length, uint32_t d) {
                                      out.push_back(
                                          static_cast<uint8_t>((length - 3) << 4 | d >> 8));
                                      out.push_back(static_cast<uint8_t>(d));
                                  });
}

} // namespace tavrin
