#include "core/formats/CFormatTable.h"
#include "core/formats/PageCodec.h"
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/palette/DisplayPalette.h"
#include "core/views/CImageDat.h"
#include "core/views/CImageEdit.h"
#include "core/views/CImagePal.h"
#include "core/views/TileView.h"
#include "core/views/TileViewGeometry.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace tavrin;

namespace {

Image8 RandomTileImage() {
    std::mt19937 random(1);
    Image8 image(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            image.SetPixel(x, y, static_cast<uint8_t>(random() & 3));
    return image;
}

Image8::Palette SomePalette() {
    Image8::Palette palette{};
    for (int i = 0; i < 256; ++i)
        palette[i] = MakeColour(i, 255 - i, (i * 37) & 0xFF);
    palette[255] = MakeColour(255, 255, 255);
    return palette;
}

TileViewOptions GridOptions(int type) {
    TileViewOptions options;
    options.grid = true;
    options.gridType = type;
    options.pattern = CGrid::Pattern(0);
    return options;
}

// DrawTileView: doubling, grid (0 dots, 1 dotted lines) and the edit-area frame.
void BM_TileViewDraw(benchmark::State& state) {
    const Image8 tile = RandomTileImage();
    TileView view;
    view.SetPalette(SomePalette());
    const TileViewOptions options = GridOptions(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        view.Draw(tile, {4, 4, 5, 5}, options);
        benchmark::DoNotOptimize(view.Picture().Bits());
    }
}
BENCHMARK(BM_TileViewDraw)->Arg(0)->Arg(1);

// The edit view at zoom "x8" with the grid of the given type.
void BM_EditViewRedrawX8(benchmark::State& state) {
    Image8 tile = RandomTileImage();
    Image8 display(128, 128);
    Image8 working(128, 128);
    CImageEdit view;
    view.SetImages(&tile, &display, &working);
    view.SetPalette(SomePalette());
    view.SetEditSize(ZoomEditSize(3));
    view.SetArea(EditArea{4, 4, 5, 5}.Pixels());
    view.SetGridFlag(true);
    view.SetGridType(static_cast<int>(state.range(0)));
    view.SetGridPattern(CGrid::Pattern(0));
    for (auto _ : state) {
        view.Redraw();
        benchmark::DoNotOptimize(view.Picture().Bits());
    }
}
BENCHMARK(BM_EditViewRedrawX8)->Arg(0)->Arg(1);

struct PaletteObjects {
    PaletteObjects() : paletteSet(&palette) {
        for (int i = 0; i < 256; ++i) {
            palette.SetColor(i, MakeColour(i, 255 - i, (i * 37) & 0xFF));
            paletteSet.SetEntry(i, (i * 7) & 0xFF);
        }
        paletteSet.SetBpp(2);
        paletteSet.SetSelectedEntry(0x1E);
    }
    CPalette palette;
    CDatPalette paletteSet;
};

void BM_PalViewRedraw(benchmark::State& state) {
    PaletteObjects objects;
    CImagePal view(objects.palette, objects.paletteSet);
    for (auto _ : state) {
        view.Redraw();
        benchmark::DoNotOptimize(view.Picture().Bits());
    }
}
BENCHMARK(BM_PalViewRedraw);

void BM_DatViewRedraw(benchmark::State& state) {
    PaletteObjects objects;
    CImageDat view(objects.paletteSet);
    for (auto _ : state) {
        view.Redraw();
        benchmark::DoNotOptimize(view.Picture().Bits());
    }
}
BENCHMARK(BM_DatViewRedraw);

// What the window does after an address step (ShowPage): decode the page in "2BPP NES",
// draw the tile view with its grid and the edit view at "x8" with its grid.
void BM_AddressStepRedraw(benchmark::State& state) {
    CFormatTable formats;
    CFormat& format = *formats.Get(1);
    std::vector<uint8_t> rom(1 << 20);
    std::mt19937 random(2);
    for (auto& b : rom)
        b = static_cast<uint8_t>(random());
    Image8 tile(128, 128);
    Image8 display(128, 128);
    Image8 working(128, 128);
    TileView tileView;
    tileView.SetPalette(SomePalette());
    CImageEdit editView;
    editView.SetImages(&tile, &display, &working);
    editView.SetPalette(SomePalette());
    editView.SetEditSize(ZoomEditSize(3));
    editView.SetArea(EditArea{4, 4, 5, 5}.Pixels());
    editView.SetGridFlag(true);
    editView.SetGridType(1);
    const TileViewOptions options = GridOptions(1);
    PageSettings page;
    for (auto _ : state) {
        page.address = (page.address + 16) % (1 << 19);
        DecodePage(format, rom.data(), page, tile);
        tileView.Draw(tile, {4, 4, 5, 5}, options);
        editView.Redraw();
        benchmark::DoNotOptimize(editView.Picture().Bits());
    }
}
BENCHMARK(BM_AddressStepRedraw);

// The same with a display palette rebuild first (format or palette changes).
void BM_FullRedrawWithPalette(benchmark::State& state) {
    PaletteObjects objects;
    CFormatTable formats;
    CFormat& format = *formats.Get(1);
    std::vector<uint8_t> rom(65536, 0x5A);
    Image8 tile(128, 128);
    Image8 display(128, 128);
    Image8 working(128, 128);
    TileView tileView;
    CImageEdit editView;
    editView.SetImages(&tile, &display, &working);
    editView.SetEditSize(ZoomEditSize(3));
    editView.SetArea(EditArea{4, 4, 5, 5}.Pixels());
    editView.SetGridFlag(true);
    editView.SetGridType(1);
    CImagePal pal(objects.palette, objects.paletteSet);
    CImageDat dat(objects.paletteSet);
    const TileViewOptions options = GridOptions(1);
    PageSettings page;
    for (auto _ : state) {
        const Image8::Palette colours = RebuildDisplayPalette(objects.paletteSet, false);
        tile.Colours() = colours;
        tileView.SetPalette(colours);
        editView.SetPalette(colours);
        DecodePage(format, rom.data(), page, tile);
        tileView.Draw(tile, {4, 4, 5, 5}, options);
        editView.Redraw();
        dat.Redraw();
        pal.Redraw();
        benchmark::DoNotOptimize(pal.Picture().Bits());
    }
}
BENCHMARK(BM_FullRedrawWithPalette);

} // namespace
