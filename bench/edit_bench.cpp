// A pen stroke through the Editor as the window drives it, at zoom "x8" with the edit grid on:
// one mouse move during a left drag (working copy reset, pen, stroke preview render), and the
// release that commits the stroke (undo record, encode, decode, tile and edit view redraw).
#include "CountingView.h"
#include "core/editor/Editor.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"
#include "core/settings/OptionActions.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// An Editor on a 64 KiB ROM (random bytes, or zeros so that a fill covers the whole area),
// with the standard state beside a stand-in executable as the window finds it.
class BenchEditor {
public:
    BenchEditor(bool random, int formatIndex) {
        namespace fs = std::filesystem;
        m_dir = fs::temp_directory_path() / "tavrin_edit_bench";
        fs::create_directories(m_dir);
        for (const char* name : {"tavrin.pal", "tavrin.dat", "tavrin.adf"})
            fs::copy_file(fs::path(TAVRIN_BIN_DIR) / name, m_dir / name,
                          fs::copy_options::overwrite_existing);
        std::vector<uint8_t> rom(1 << 16, 0);
        std::mt19937 rng(5);
        if (random)
            for (auto& b : rom)
                b = static_cast<uint8_t>(rng());
        const std::string romPath = (m_dir / "bench.chr").string();
        tavrin::WriteFileSafely(romPath, rom.data(), rom.size());
        const tavrin::AppPaths paths =
            tavrin::AppPaths::BesideExecutable((m_dir / "tavrin").string());
        tavrin::OpenSettingsFile(settings, paths.settingsFile);
        editor = std::make_unique<tavrin::Editor>(view, workspace, settings, paths, 3);
        editor->FormCreate({romPath});
        editor->SelectFormat(formatIndex);
        editor->SetViewOption(tavrin::ViewOption::Zoom, 3);
        editor->SetViewOption(tavrin::ViewOption::GridType, 1);
        editor->SetViewOption(tavrin::ViewOption::GridEdit, true);
        editor->FormShow();
        workspace.SelectPaletteEntry(2);
    }
    ~BenchEditor() {
        editor.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }

    CountingView view;
    tavrin::Workspace workspace;
    tavrin::CIniInfo settings;
    std::unique_ptr<tavrin::Editor> editor;

private:
    std::filesystem::path m_dir;
};

// One move of a left drag with pen state.range(0), to a new point each time.
void PenMove(benchmark::State& state) {
    const int pen = static_cast<int>(state.range(0));
    BenchEditor b(pen != 9, 1);
    tavrin::Editor& e = *b.editor;
    e.PenExecute(pen);
    e.Mouse().Down(tavrin::Panel::Edit, tavrin::MouseButton::Left, 100, 100);
    int i = 0;
    for (auto _ : state) {
        ++i;
        e.Mouse().Move(tavrin::Panel::Edit, (i * 37) % 256, (i * 91) % 256);
    }
    e.Mouse().Up(tavrin::Panel::Edit, tavrin::MouseButton::Left, 0, 0);
    benchmark::DoNotOptimize(b.view.repaints);
    state.SetLabel(pen == 1 ? "pen" : pen == 4 ? "filled rectangle" : "fill");
}

// The release of a rectangle stroke, in format state.range(0) (1: 2BPP NES, 8: 4BPP GBA).
void StrokeCommit(benchmark::State& state) {
    BenchEditor b(true, static_cast<int>(state.range(0)));
    tavrin::Editor& e = *b.editor;
    e.PenExecute(4);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++i;
        e.Space().SelectPaletteEntry(i & 3);
        e.Mouse().Down(tavrin::Panel::Edit, tavrin::MouseButton::Left, 20, 20);
        e.Mouse().Move(tavrin::Panel::Edit, 200, 180);
        state.ResumeTiming();
        e.Mouse().Up(tavrin::Panel::Edit, tavrin::MouseButton::Left, 200, 180);
    }
    benchmark::DoNotOptimize(b.view.repaints);
    state.SetLabel(state.range(0) == 1 ? "2BPP NES" : "4BPP GBA");
}

} // namespace

BENCHMARK(PenMove)->Arg(1)->Arg(4)->Arg(9)->Unit(benchmark::kMicrosecond);
BENCHMARK(StrokeCommit)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
