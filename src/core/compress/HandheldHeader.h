#pragma once

#include "core/compress/DecodeSink.h"
#include "core/compress/LzParse.h"
#include "core/compress/PackedCodec.h"

namespace tavrin::detail {

// The four-byte header of the handheld forms: a type byte and the unpacked size, 24-bit
// little-endian.
inline UnpackError ReadHandheldHeader(std::span<const uint8_t> in, uint8_t type, size_t limit,
                                      size_t& size) {
    if (in.size() < 4 || in[0] != type)
        return UnpackError::BadHeader;
    size = size_t{in[1]} | size_t{in[2]} << 8 | size_t{in[3]} << 16;
    if (size > limit || size > MaxUnpackedSize)
        return UnpackError::TooLarge;
    return UnpackError::None;
}

inline void WriteHandheldHeader(std::vector<uint8_t>& out, uint8_t type, size_t size) {
    out.push_back(type);
    out.push_back(static_cast<uint8_t>(size));
    out.push_back(static_cast<uint8_t>(size >> 8));
    out.push_back(static_cast<uint8_t>(size >> 16));
}

// Runs a decoder twice: first counting, so a bad block costs no memory and a good one gets
// its exact buffer, then keeping the bytes.
template <class Decode>
Unpacked UnpackTwice(std::span<const uint8_t> in, size_t limit, Decode decode) {
    Unpacked result;
    CountSink counter;
    size_t used = 0;
    result.error = decode(in, limit, counter, used);
    if (result.error != UnpackError::None)
        return result;
    result.bytes.reserve(counter.Size());
    ByteSink sink(result.bytes);
    decode(in, limit, sink, used);
    result.packedSize = used;
    return result;
}

template <class Decode>
std::optional<BlockSize> MeasureWith(std::span<const uint8_t> in, size_t limit, Decode decode) {
    CountSink counter;
    size_t used = 0;
    if (decode(in, limit, counter, used) != UnpackError::None)
        return std::nullopt;
    return BlockSize{used, counter.Size()};
}

// The handheld LZ forms: the header, then groups of a flag byte (most significant bit first,
// 1 = a copy) and eight items, a literal byte or a copy written by writeCopy(out, length,
// distance - 1). Both parses are tried with lazy, and the smaller is kept (deferring can lose
// on some inputs).
template <class WriteCopy>
std::vector<uint8_t> PackHandheldLz(std::span<const uint8_t> data, uint8_t type,
                                    const LzRules& rules, bool lazy, WriteCopy writeCopy) {
    const auto emit = [&](const std::vector<LzToken>& tokens) {
        std::vector<uint8_t> out;
        out.reserve(4 + data.size() + data.size() / 8 + 1);
        WriteHandheldHeader(out, type, data.size());
        size_t pos = 0;
        size_t flagAt = 0;
        for (size_t i = 0; i < tokens.size(); ++i) {
            if (i % 8 == 0) {
                flagAt = out.size();
                out.push_back(0);
            }
            const LzToken& t = tokens[i];
            if (t.length == 0) {
                out.push_back(data[pos++]);
                continue;
            }
            out[flagAt] |= static_cast<uint8_t>(0x80 >> (i % 8));
            writeCopy(out, t.length, t.source - 1);
            pos += t.length;
        }
        return out;
    };
    std::vector<uint8_t> best = emit(ParseLz(data, rules, false));
    if (lazy) {
        std::vector<uint8_t> deferred = emit(ParseLz(data, rules, true));
        if (deferred.size() < best.size())
            best = std::move(deferred);
    }
    return best;
}

} // namespace tavrin::detail
