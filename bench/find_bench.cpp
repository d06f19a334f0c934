// The searches a user runs over a whole ROM, over 1 GiB in which they find nothing, so that
// every byte is read: the backward image search, and the byte search both ways for a
// hexadecimal pattern with an open byte and for a cp932 text.

#include "core/nav/ByteSearch.h"
#include "core/nav/ImageSearch.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <random>
#include <vector>

namespace {

using namespace tavrin;

constexpr size_t Size = size_t{1} << 30;

// Bytes that never repeat twice in a row: the image search finds no blank tile in them.
const std::vector<uint8_t>& Graphics() {
    static const std::vector<uint8_t> data = [] {
        std::vector<uint8_t> d(Size);
        std::mt19937 rng(1);
        for (size_t i = 0; i < Size; i += 4) {
            const uint32_t r = rng();
            for (size_t k = 0; k < 4; ++k)
                d[i + k] = static_cast<uint8_t>(((r >> (8 * k)) & 0x7F) | (k % 2 ? 0x80 : 0));
        }
        return d;
    }();
    return data;
}

void PreviousImage(benchmark::State& state) {
    const std::vector<uint8_t>& data = Graphics();
    for (auto _ : state) {
        const std::optional<int32_t> found =
            FindPreviousImage(data, static_cast<int32_t>(data.size()), 32);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
}

void Bytes(benchmark::State& state, const BytePattern& pattern, SearchDirection direction) {
    const std::vector<uint8_t>& data = Graphics();
    const int64_t from = direction == SearchDirection::Forward ? 0 : static_cast<int64_t>(Size);
    for (auto _ : state) {
        const auto found = FindBytes(data, pattern, from, direction, false);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
}

void HexForward(benchmark::State& state) {
    Bytes(state, ParseHexPattern("A9 ?? 8D 00 20").pattern, SearchDirection::Forward);
}
void HexBackward(benchmark::State& state) {
    Bytes(state, ParseHexPattern("A9 ?? 8D 00 20").pattern, SearchDirection::Backward);
}
void TextForward(benchmark::State& state) {
    Bytes(state, TextPattern("ゆうしゃ", TextEncoding::Cp932).pattern, SearchDirection::Forward);
}
void TextBackward(benchmark::State& state) {
    Bytes(state, TextPattern("ゆうしゃ", TextEncoding::Cp932).pattern, SearchDirection::Backward);
}

BENCHMARK(PreviousImage)->Unit(benchmark::kMillisecond);
BENCHMARK(HexForward)->Unit(benchmark::kMillisecond);
BENCHMARK(HexBackward)->Unit(benchmark::kMillisecond);
BENCHMARK(TextForward)->Unit(benchmark::kMillisecond);
BENCHMARK(TextBackward)->Unit(benchmark::kMillisecond);

} // namespace
