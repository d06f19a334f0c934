// Opening and saving a large ROM document.
#include "core/document/RomDocument.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tavrin;

namespace {

constexpr size_t LargeFileBytes = 64u << 20;

// A 64 MiB file of random bytes in /tmp, made once per run and removed at exit.
struct LargeTempFile {
    std::string path = "/tmp/tavrin_document_bench_" + std::to_string(::getpid()) + ".bin";
    LargeTempFile() {
        std::vector<uint8_t> bytes(LargeFileBytes);
        std::mt19937 rng(42);
        for (size_t i = 0; i < bytes.size(); i += 4) {
            const uint32_t v = rng();
            for (size_t k = 0; k < 4; ++k)
                bytes[i + k] = static_cast<uint8_t>(v >> (8 * k));
        }
        WriteFileSafely(path, bytes.data(), bytes.size());
    }
    ~LargeTempFile() { std::remove(path.c_str()); }
};

const std::string& LargeFile() {
    static const LargeTempFile file;
    return file.path;
}

void BM_ReadRom64MiB(benchmark::State& state) {
    const std::string& path = LargeFile();
    for (auto _ : state) {
        RomDocument doc;
        if (!doc.ReadRom(path)) {
            state.SkipWithError("cannot read the benchmark file");
            break;
        }
        benchmark::DoNotOptimize(doc.Data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(LargeFileBytes));
}
BENCHMARK(BM_ReadRom64MiB)->Unit(benchmark::kMillisecond);

void BM_WriteRom64MiB(benchmark::State& state) {
    RomDocument doc;
    if (!doc.ReadRom(LargeFile())) {
        state.SkipWithError("cannot read the benchmark file");
        return;
    }
    const std::string out = LargeFile() + ".out";
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.WriteRom(out, true));
    std::remove(out.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(LargeFileBytes));
}
BENCHMARK(BM_WriteRom64MiB)->Unit(benchmark::kMillisecond);

} // namespace
