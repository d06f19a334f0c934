// The window's redraw after an address step, through the Editor as the window drives it:
// ShowPage's clamp, decode, tile view and edit view pictures (zoom x8, grids on), the status
// and caption texts. The view only counts what reaches it.
#include "CountingView.h"
#include "core/editor/Editor.h"
#include "core/formats/FormatRecords.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"
#include "core/settings/OptionActions.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

void AddressStepRedraw(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "tavrin_editor_bench";
    fs::create_directories(dir);
    // The standard state beside a stand-in executable, as the window finds it.
    for (const char* name : {"tavrin.pal", "tavrin.dat", "tavrin.adf"})
        fs::copy_file(fs::path(TAVRIN_BIN_DIR) / name, dir / name,
                      fs::copy_options::overwrite_existing);
    std::vector<uint8_t> rom(1 << 20);
    std::mt19937 rng(3);
    for (auto& b : rom)
        b = static_cast<uint8_t>(rng());
    const std::string romPath = (dir / "bench.chr").string();
    tavrin::WriteFileSafely(romPath, rom.data(), rom.size());

    CountingView view;
    tavrin::Workspace workspace;
    const tavrin::AppPaths paths = tavrin::AppPaths::BesideExecutable((dir / "tavrin").string());
    tavrin::CIniInfo settings;
    tavrin::OpenSettingsFile(settings, paths.settingsFile);
    tavrin::Editor editor(view, workspace, settings, paths, 3);
    editor.FormCreate({romPath});
    editor.SetViewOption(tavrin::ViewOption::Zoom, 3);
    editor.SetViewOption(tavrin::ViewOption::GridType, 1);
    editor.SetViewOption(tavrin::ViewOption::GridChr, true);
    editor.SetViewOption(tavrin::ViewOption::GridEdit, true);
    editor.FormShow();
    int step = tavrin::StepPlus10Blocks;
    for (auto _ : state) {
        editor.AddrStep(step);
        // Walk down the file and back up again, so every step decodes a new page.
        if (editor.Space().Address() + 4 * 4096 >= static_cast<int>(rom.size()))
            step = tavrin::StepMinus10Blocks;
        else if (editor.Space().Address() == 0)
            step = tavrin::StepPlus10Blocks;
    }
    benchmark::DoNotOptimize(view.repaints);
    fs::remove_all(dir);
}

} // namespace

BENCHMARK(AddressStepRedraw)->Unit(benchmark::kMicrosecond);
