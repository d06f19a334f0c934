// tavrin-cli export --pages all of an 8 MiB file to PNG, in process (the command's whole
// work: read, decode every page, display palette, deflate, write).
#include "cli/CliCommands.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"
#include "core/startup/AppPaths.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <sstream>

namespace {

constexpr size_t FileBytes = 8u << 20;

// ROM-like: a real cartridge image repeated when the shared corpus is there (tiles, code and
// blank areas), else tile-like synthetic data; "random" is the incompressible worst case.
std::string MakeFile(const std::string& kind, const std::string& ext) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("tavrin_bench_" + kind + ext)).string();
    std::vector<uint8_t> data(FileBytes);
    std::mt19937 rng(1);
    std::vector<uint8_t> rom;
    if (kind == "romlike" &&
        tavrin::ReadWholeFile(std::string(TAVRIN_CORPUS_DIR) + "/nes-open-db/kubo/kubo.nes", rom) &&
        !rom.empty()) {
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = rom[i % rom.size()];
    } else if (kind == "romlike") {
        for (size_t i = 0; i < data.size(); i += 16) {
            const uint8_t b = (i / 4096) % 3 == 0 ? 0 : static_cast<uint8_t>(rng());
            for (size_t k = 0; k < 16; ++k)
                data[i + k] = static_cast<uint8_t>(b >> (k & 7));
        }
    } else {
        for (auto& b : data)
            b = static_cast<uint8_t>(rng());
    }
    tavrin::WriteFileSafely(path, data.data(), data.size());
    return path;
}

void ExportAllPages(benchmark::State& state, const std::string& kind, const std::string& ext) {
    const std::string rom = MakeFile(kind, ext);
    const std::string png = (std::filesystem::temp_directory_path() / "tavrin_bench.png").string();
    for (auto _ : state) {
        std::ostringstream out, err;
        const int status = tavrin::RunCli({"export", rom, png, "--pages", "all"},
                                          tavrin::AppPaths::InFolder(TAVRIN_BIN_DIR "/"), out, err);
        if (status != 0)
            state.SkipWithError(err.str().c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileBytes));
}

} // namespace

BENCHMARK_CAPTURE(ExportAllPages, nes2bpp_romlike, std::string("romlike"), std::string(".chr"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ExportAllPages, snes4bpp_romlike, std::string("romlike"), std::string(".smc"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ExportAllPages, nes2bpp_random, std::string("random"), std::string(".chr"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ExportAllPages, snes4bpp_random, std::string("random"), std::string(".smc"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
