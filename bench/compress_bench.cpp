// Packed graphics: scanning a 32 MiB image for blocks, and the sizes the packers give on real
// tiles against plain greedy parsing (the counters "packed" and "greedy", in bytes).

#include "core/compress/BlockScanner.h"
#include "core/platform/FileIO.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tavrin;

constexpr size_t ImageSize = 32u << 20;

const char* const TileFiles[] = {
    "NES-ca65-example/background.chr",    "NES-ca65-example/sprite.chr",
    "M1TE2/Sample/Platform4bpp.chr",      "M1TE2/Sample/Alpha2bpp.chr",
    "M1TE2/SNES_16x16/M1TE/flip4bpp.chr", "rgbds/test/gfx/complete_unoptimized.out.2bpp",
};

// TAVRIN_CORPUS_DIR in the environment names the corpus when the built-in path does not
// reach it (a build tree outside the checkout's usual place).
std::vector<uint8_t> Tiles(const char* relative) {
    const char* dir = std::getenv("TAVRIN_CORPUS_DIR");
    std::vector<uint8_t> bytes;
    ReadWholeFile(std::string(dir ? dir : TAVRIN_CORPUS_DIR) + "/" + relative, bytes);
    return bytes;
}

// Random bytes, as code and other packed data look, with the corpus tiles packed in each
// handheld form every 256 KiB.
const std::vector<uint8_t>& Image() {
    static const std::vector<uint8_t> image = [] {
        std::vector<uint8_t> data(ImageSize);
        std::mt19937 rng(1);
        for (auto& b : data)
            b = static_cast<uint8_t>(rng());
        size_t at = 0;
        for (int k = 0; at < ImageSize; ++k, at += 256 * 1024) {
            const auto tiles = Tiles(TileFiles[k % std::size(TileFiles)]);
            const PackedCodec codec = AllPackedCodecs[k % 3];
            const auto packed = *Pack(codec, tiles);
            if (at + packed.size() <= ImageSize)
                std::copy(packed.begin(), packed.end(), data.begin() + static_cast<long>(at));
        }
        return data;
    }();
    return image;
}

void Scan(benchmark::State& state, const ScanOptions& options) {
    const auto& image = Image();
    size_t blocks = 0;
    for (auto _ : state) {
        const auto found = FindAllBlocks(image, options);
        blocks = found.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(image.size()));
}

void BM_ScanHandheld(benchmark::State& state) {
    Scan(state, ScanOptions{});
}
BENCHMARK(BM_ScanHandheld)->Unit(benchmark::kMillisecond);

void BM_ScanEveryCodec(benchmark::State& state) {
    Scan(state, ScanOptions{{AllPackedCodecs, AllPackedCodecs + 5}, 32, 0});
}
BENCHMARK(BM_ScanEveryCodec)->Unit(benchmark::kMillisecond);

void BM_PackTiles(benchmark::State& state) {
    const auto codec = static_cast<PackedCodec>(state.range(0));
    const auto tiles = Tiles(TileFiles[state.range(1)]);
    state.SetLabel(std::string(CodecName(codec)) + " " + TileFiles[state.range(1)]);
    PackOptions greedy;
    greedy.lazy = false;
    size_t packed = 0;
    for (auto _ : state) {
        packed = Pack(codec, tiles)->size();
        benchmark::DoNotOptimize(packed);
    }
    state.counters["raw"] = static_cast<double>(tiles.size());
    state.counters["packed"] = static_cast<double>(packed);
    state.counters["greedy"] = static_cast<double>(Pack(codec, tiles, greedy)->size());
}
BENCHMARK(BM_PackTiles)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2, 3, 4, 5}})
    ->Unit(benchmark::kMillisecond);

} // namespace
