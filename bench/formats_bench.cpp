// Decoding and encoding one page (the whole 128 x 128 tile image) for every built-in format
// and for the sample plug-in formats (indices 13 to 15, through the plug-in bridge).

#include "core/formats/CFormatTable.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace tavrin;

CFormatTable& LoadedTable(CFormatTable& table) {
    table.LoadPlugins(std::string(TAVRIN_BIN_DIR) + "/plugin-samples");
    return table;
}

struct PageFixture {
    explicit PageFixture(int index) : format(*LoadedTable(table).Get(index)), image(128, 128) {
        format.Activate();
        std::mt19937 rng(1);
        bytes.resize(2048 * 8);
        for (auto& b : bytes)
            b = static_cast<uint8_t>(rng());
        params.bytes = bytes.data();
    }
    ~PageFixture() { format.Deactivate(); }
    CFormatTable table;
    CFormat& format;
    Image8 image;
    std::vector<uint8_t> bytes;
    BlockParams params{};
};

bool HasFormat(benchmark::State& state) {
    CFormatTable table;
    if (LoadedTable(table).Get(static_cast<int>(state.range(0))) != nullptr)
        return true;
    state.SkipWithError("plug-in not built");
    return false;
}

void DecodePage(benchmark::State& state) {
    if (!HasFormat(state))
        return;
    PageFixture f(static_cast<int>(state.range(0)));
    f.params.rotate = static_cast<uint8_t>(state.range(1));
    f.params.mirror = static_cast<uint8_t>(state.range(1));
    for (auto _ : state) {
        f.format.DecodeBlock(f.image, f.params);
        benchmark::DoNotOptimize(f.image.Bits());
        benchmark::ClobberMemory();
    }
    state.SetLabel(f.format.Name());
    state.SetBytesProcessed(state.iterations() * 2048 * f.format.BitsPerPixel());
}

void EncodePage(benchmark::State& state) {
    if (!HasFormat(state))
        return;
    PageFixture f(static_cast<int>(state.range(0)));
    f.format.DecodeBlock(f.image, f.params);
    f.params.rotate = static_cast<uint8_t>(state.range(1));
    f.params.mirror = static_cast<uint8_t>(state.range(1));
    for (auto _ : state) {
        f.format.EncodeBlock(f.image, f.params);
        benchmark::DoNotOptimize(f.bytes.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(f.format.Name());
    state.SetBytesProcessed(state.iterations() * 2048 * f.format.BitsPerPixel());
}

// Arguments: table index, transform (0: none; 1: quarter turn and left-right mirror).
void AllFormats(benchmark::internal::Benchmark* b) {
    for (int transform = 0; transform < 2; ++transform)
        for (int i = 0; i < CFormatTable::MaxEntries; ++i)
            b->Args({i, transform});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(DecodePage)->Apply(AllFormats);
BENCHMARK(EncodePage)->Apply(AllFormats);

} // namespace
