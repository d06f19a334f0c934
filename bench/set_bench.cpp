#include "core/set/SetComposer.h"
#include "core/set/SetImage.h"
#include "qt/ImageBridge.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace tavrin;

namespace {

// A full screen of varied tiles and groups, and 64 sprites spread over it, all shown.
void FillScreen(SetDocument& doc) {
    std::mt19937 rng(1);
    for (int i = 0; i < SetDocument::Cells; ++i) {
        doc.Names()[i] = static_cast<uint8_t>(rng());
        doc.Palettes()[i] = static_cast<uint8_t>(rng() % 4);
    }
    for (uint8_t& b : doc.SpriteTileBytes())
        b = static_cast<uint8_t>(rng());
    for (int s = 0; s < SetDocument::SpriteCount; ++s)
        doc.SetSprite(s, {static_cast<uint8_t>(rng() % 232), static_cast<uint8_t>(rng()),
                          static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng())});
}

Image8 TileSource() {
    Image8 image(128, 128);
    std::mt19937 rng(2);
    for (int i = 0; i < 128 * 128; ++i)
        image.Bits()[i] = static_cast<uint8_t>(rng());
    return image;
}

// The set image alone: 960 cells, then 64 sprites over them.
void BM_DrawSetImage64Sprites(benchmark::State& state) {
    SetDocument doc;
    FillScreen(doc);
    const Image8 source = TileSource();
    Image8 sprites;
    DecodeSpriteTiles(doc.SpriteTileBytes().data(), sprites);
    Image8 out;
    for (auto _ : state) {
        DrawSetImage(doc, source, &sprites, out);
        benchmark::DoNotOptimize(out.Bits());
    }
}
BENCHMARK(BM_DrawSetImage64Sprites)->Unit(benchmark::kMicrosecond);

// What the window waits for after a sprite key: the set image and ImageSet (doubled, grid,
// 64 sprite outlines) and ImageChr.
void BM_SetWindowRedrawSpriteKey(benchmark::State& state) {
    SetComposer set;
    FillScreen(set.Document());
    set.SetTileSource(TileSource(), Image8::Palette{});
    set.SetGridBG(true);
    set.SetShowSprites(true);
    set.ChooseMode(SetMode::Sprite);
    for (auto _ : state)
        benchmark::DoNotOptimize(set.Key(SetKey::Enter));
}
BENCHMARK(BM_SetWindowRedrawSpriteKey)->Unit(benchmark::kMicrosecond);

// The same key as the window answers it: the redraw, then ImageSet and ImageChr turned into
// the true-colour pictures the panels paint.
void BM_SetWindowPaintSpriteKey(benchmark::State& state) {
    SetComposer set;
    FillScreen(set.Document());
    set.SetTileSource(TileSource(), Image8::Palette{});
    set.SetGridBG(true);
    set.SetShowSprites(true);
    set.ChooseMode(SetMode::Sprite);
    for (auto _ : state) {
        const SetRedraw redraw = set.Key(SetKey::Enter);
        if (redraw.set)
            benchmark::DoNotOptimize(ToRgbImage(set.SetPicture()).constBits());
        if (redraw.chr)
            benchmark::DoNotOptimize(ToRgbImage(set.ChrPicture()).constBits());
    }
}
BENCHMARK(BM_SetWindowPaintSpriteKey)->Unit(benchmark::kMicrosecond);

// The set picture (512 x 480) made true-colour for its panel after a sprite key: whole, as
// before, and through the kept picture that converts only the changed rows.
void BM_SetPictureToRgb(benchmark::State& state) {
    const bool kept = state.range(0) != 0;
    SetComposer set;
    FillScreen(set.Document());
    set.SetTileSource(TileSource(), Image8::Palette{});
    set.SetGridBG(true);
    set.SetShowSprites(true);
    set.ChooseMode(SetMode::Sprite);
    RgbPicture picture;
    picture.Update(set.SetPicture());
    for (auto _ : state) {
        state.PauseTiming();
        set.Key(SetKey::Enter);
        state.ResumeTiming();
        if (kept)
            benchmark::DoNotOptimize(picture.Update(set.SetPicture()));
        else
            benchmark::DoNotOptimize(ToRgbImage(set.SetPicture()).constBits());
    }
}
BENCHMARK(BM_SetPictureToRgb)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
