#include "core/compress/Lz11.h"

#include "core/compress/DecodeSink.h"
#include "core/compress/HandheldHeader.h"
#include "core/compress/LzParse.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr uint8_t Type = 0x11;
constexpr uint32_t MaxLength = 0x111 + 0xFFFF;

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
            if (pos >= n)
                return UnpackError::Truncated;
            const unsigned form = in[pos] >> 4;
            const size_t bytes = form == 0 ? 3 : form == 1 ? 4 : 2;
            if (n - pos < bytes)
                return UnpackError::Truncated;
            const uint8_t* b = in.data() + pos;
            size_t length = 0;
            size_t distance = 0;
            if (form == 0) {
                length = (size_t{b[0] & 0xFu} << 4 | b[1] >> 4) + 0x11;
                distance = (size_t{b[1] & 0xFu} << 8 | b[2]) + 1;
            } else if (form == 1) {
                length = (size_t{b[0] & 0xFu} << 12 | size_t{b[1]} << 4 | b[2] >> 4) + 0x111;
                distance = (size_t{b[2] & 0xFu} << 8 | b[3]) + 1;
            } else {
                length = form + 1;
                distance = (size_t{b[0] & 0xFu} << 8 | b[1]) + 1;
            }
            pos += bytes;
            if (distance > out.Size())
                return UnpackError::BadReference;
            out.Copy(out.Size() - distance, std::min(length, size - out.Size()));
        }
    }
    used = pos;
    return UnpackError::None;
}

} // namespace

Unpacked UnpackLz11(std::span<const uint8_t> input, size_t limit) {
    return detail::UnpackTwice(input, limit, [](auto in, size_t lim, auto& sink, size_t& used) {
        return Decode(in, lim, sink, used);
    });
}

std::optional<BlockSize> MeasureLz11(std::span<const uint8_t> input, size_t limit) {
    return detail::MeasureWith(input, limit, [](auto in, size_t lim, auto& sink, size_t& used) {
        return Decode(in, lim, sink, used);
    });
}

std::optional<std::vector<uint8_t>> PackLz11(std::span<const uint8_t> data,
                                             const PackOptions& options) {
    if (data.size() > MaxHeaderSize)
        return std::nullopt;
    detail::LzRules rules;
    rules.minLength = 3;
    rules.maxLength = MaxLength;
    rules.minDistance = 1;
    rules.maxDistance = 4096;
    return detail::PackHandheldLz(
        data, Type, rules, options.lazy,
        [](std::vector<uint8_t>& out, uint32_t length, uint32_t d) {
            if (length <= 16) {
                out.push_back(static_cast<uint8_t>((length - 1) << 4 | d >> 8));
            } else if (length <= 0x110) {
                const uint32_t l = length - 0x11;
                out.push_back(static_cast<uint8_t>(l >> 4));
                out.push_back(static_cast<uint8_t>((l & 0xF) << 4 | d >> 8));
            } else {
                const uint32_t l = length - 0x111;
                out.push_back(static_cast<uint8_t>(0x10 | l >> 12));
                out.push_back(static_cast<uint8_t>(l >> 4));
                out.push_back(static_cast<uint8_t>((l & 0xF) << 4 | d >> 8));
            }
            out.push_back(static_cast<uint8_t>(d));
        });
}

} // namespace tavrin
