// The image search ("find next graphics") over 64 MiB in which it finds nothing, so that
// every byte is scanned: runs one byte short of a tile, and bytes that never repeat.

#include "core/document/RomDocument.h"
#include "core/nav/ImageSearch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace {

using namespace tavrin;

constexpr size_t Size = 64u << 20;

// Alternating runs of tileBytes - 1 equal bytes: the worst case for the plain rule.
std::vector<uint8_t> ShortRuns(int tileBytes) {
    std::vector<uint8_t> data(Size);
    for (size_t i = 0; i < Size; ++i)
        data[i] = static_cast<uint8_t>((i / static_cast<size_t>(tileBytes - 1)) & 1);
    return data;
}

std::vector<uint8_t> NoRepeats() {
    std::vector<uint8_t> data(Size);
    for (size_t i = 0; i < Size; ++i)
        data[i] = static_cast<uint8_t>(i & 1);
    return data;
}

void Search(benchmark::State& state, const std::vector<uint8_t>& data, int tileBytes) {
    for (auto _ : state) {
        const std::optional<int32_t> found = FindNextImage(data, 0, tileBytes);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
}

void SearchShortRuns(benchmark::State& state) {
    const int tile = static_cast<int>(state.range(0));
    const std::vector<uint8_t> data = ShortRuns(tile);
    Search(state, data, tile);
}

void SearchNoRepeats(benchmark::State& state) {
    const std::vector<uint8_t> data = NoRepeats();
    Search(state, data, static_cast<int>(state.range(0)));
}

// The plain rule as first stated (every position tried, each run counted again), on 4 MiB of
// the same short runs, for comparison.
void PlainRuleShortRuns(benchmark::State& state) {
    const int tile = static_cast<int>(state.range(0));
    std::vector<uint8_t> data = ShortRuns(tile);
    data.resize(4u << 20);
    const size_t limit = 256 * static_cast<size_t>(tile);
    for (auto _ : state) {
        std::optional<size_t> found;
        for (size_t i = 1; i < data.size() && !found; ++i) {
            size_t run = 0;
            while (run < limit && i + run < data.size() && data[i + run] == data[i])
                ++run;
            if (run >= static_cast<size_t>(tile))
                found = i;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
}

// F3 through a document opened on a 1 GiB file in which nothing is found: each iteration opens
// the file afresh (untimed), so the search reads every page through the mapping as the first
// F3 after an open does (from the system's file cache; the file is written once).
void SearchLargeFile(benchmark::State& state) {
    const size_t size = size_t{1} << 30;
    const std::string path =
        (std::filesystem::temp_directory_path() / "tavrin_bench_search_1g.bin").string();
    if (std::error_code e; std::filesystem::file_size(path, e) != size) {
        std::vector<uint8_t> chunk(Size);
        for (size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<uint8_t>(i & 1);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (size_t written = 0; written < size; written += chunk.size())
            out.write(reinterpret_cast<const char*>(chunk.data()),
                      static_cast<std::streamsize>(chunk.size()));
    }
    for (auto _ : state) {
        state.PauseTiming();
        RomDocument doc;
        if (!doc.ReadRom(path))
            state.SkipWithError("cannot open the file");
        state.ResumeTiming();
        const std::optional<int32_t> found = FindNextImage(
            std::span<const uint8_t>(doc.Data(), static_cast<size_t>(doc.DataSize())), 0, 16);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

BENCHMARK(SearchShortRuns)->Arg(8)->Arg(16)->Arg(32)->Arg(128)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchNoRepeats)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainRuleShortRuns)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchLargeFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
