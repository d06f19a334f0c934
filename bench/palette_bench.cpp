#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/palette/DisplayPalette.h"

#include <benchmark/benchmark.h>

using namespace tavrin;

namespace {

// Every entry a different colour: the scan compares and never nudges.
void BM_RebuildDisplayPaletteDistinct(benchmark::State& state) {
    CPalette pal;
    for (int i = 0; i < 256; ++i)
        pal.SetColor(i, MakeColour(i, 255 - i, i / 2));
    CDatPalette dat(&pal);
    dat.SetIdentityMode(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(RebuildDisplayPalette(dat, false));
}
BENCHMARK(BM_RebuildDisplayPaletteDistinct);

// A new palette set (every entry master colour 0): the most nudges there can be.
void BM_RebuildDisplayPaletteAllEqual(benchmark::State& state) {
    CPalette pal;
    CDatPalette dat(&pal);
    for (auto _ : state)
        benchmark::DoNotOptimize(RebuildDisplayPalette(dat, state.range(0) != 0));
}
BENCHMARK(BM_RebuildDisplayPaletteAllEqual)->Arg(0)->Arg(1);

// Groups of four sharing their first colour, as NES palette sets do.
void BM_RebuildDisplayPaletteNesGroups(benchmark::State& state) {
    CPalette pal;
    for (int i = 0; i < 64; ++i)
        pal.SetColor(i, MakeColour(i * 4, 255 - i * 3, (i * 37) & 0xFF));
    CDatPalette dat(&pal);
    for (int i = 0; i < 256; ++i)
        dat.SetEntry(i, i % 4 == 0 ? 0x0F : (i * 7) % 64);
    for (auto _ : state)
        benchmark::DoNotOptimize(RebuildDisplayPalette(dat, false));
}
BENCHMARK(BM_RebuildDisplayPaletteNesGroups);

} // namespace
