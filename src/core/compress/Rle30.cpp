#include "core/compress/Rle30.h"

#include "core/compress/DecodeSink.h"
#include "core/compress/HandheldHeader.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr uint8_t Type = 0x30;
constexpr size_t MinRun = 3;
constexpr size_t MaxRun = 0x7F + 3;
constexpr size_t MaxLiterals = 0x7F + 1;

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
        const uint8_t flag = in[pos++];
        const size_t room = size - out.Size();
        if (flag & 0x80) {
            if (pos >= n)
                return UnpackError::Truncated;
            out.Fill(in[pos++], std::min<size_t>((flag & 0x7F) + MinRun, room));
        } else {
            const size_t count = (flag & 0x7F) + 1;
            if (n - pos < count)
                return UnpackError::Truncated;
            out.Append(in.data() + pos, std::min(count, room));
            pos += count;
        }
    }
    used = pos;
    return UnpackError::None;
}

} // namespace

Unpacked UnpackRle30(std::span<const uint8_t> input, size_t limit) {
    return detail::UnpackTwice(input, limit, [](auto in, size_t lim, auto& sink, size_t& used) {
        return Decode(in, lim, sink, used);
    });
}

std::optional<BlockSize> MeasureRle30(std::span<const uint8_t> input, size_t limit) {
    return detail::MeasureWith(input, limit, [](auto in, size_t lim, auto& sink, size_t& used) {
        return Decode(in, lim, sink, used);
    });
}

std::optional<std::vector<uint8_t>> PackRle30(std::span<const uint8_t> data) {
    if (data.size() > MaxHeaderSize)
        return std::nullopt;
    std::vector<uint8_t> out;
    out.reserve(4 + data.size() + data.size() / MaxLiterals + 1);
    detail::WriteHandheldHeader(out, Type, data.size());
    size_t literalStart = 0;
    auto flushLiterals = [&](size_t end) {
        while (literalStart < end) {
            const size_t count = std::min(end - literalStart, MaxLiterals);
            out.push_back(static_cast<uint8_t>(count - 1));
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(literalStart),
                       data.begin() + static_cast<std::ptrdiff_t>(literalStart + count));
            literalStart += count;
        }
    };
    size_t pos = 0;
    while (pos < data.size()) {
        size_t run = 1;
        while (pos + run < data.size() && run < MaxRun && data[pos + run] == data[pos])
            ++run;
        if (run < MinRun) {
            pos += run;
            continue;
        }
        flushLiterals(pos);
        out.push_back(static_cast<uint8_t>(0x80 | (run - MinRun)));
        out.push_back(data[pos]);
        pos += run;
        literalStart = pos;
    }
    flushLiterals(data.size());
    return out;
}

} // namespace tavrin
