// The window through its real widgets on the offscreen platform: from a key (or a mouse event)
// reaching the window to every panel it changed painted. Each iteration sends the event and
// then lets Qt run its queued work (the update requests, so the paint events) until idle; the
// counters say how many paint events each panel received per iteration.
#include "core/document/RomDocument.h"
#include "core/editor/Editor.h"
#include "gui/app/MainWindow.h"
#include "gui/set/TFormSet.h"
#include "gui/views/ImagePanel.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>

namespace fs = std::filesystem;
using namespace tavrin;

namespace {

// Counts the paint events of the watched widgets.
class PaintCounter : public QObject {
public:
    void Watch(QWidget* widget, const char* name) {
        widget->installEventFilter(this);
        m_names[widget] = name;
        m_counts[widget] = 0;
    }
    void Report(benchmark::State& state) const {
        for (const auto& [widget, name] : m_names)
            state.counters[name] = benchmark::Counter(static_cast<double>(m_counts.at(widget)),
                                                      benchmark::Counter::kAvgIterations);
    }
    void Clear() {
        for (auto& [widget, count] : m_counts)
            count = 0;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_counts[watched];
        return false;
    }

private:
    std::map<QObject*, const char*> m_names;
    std::map<QObject*, int> m_counts;
};

// A folder with the standard files beside a stand-in executable, as the window finds them.
fs::path Folder() {
    const fs::path dir = fs::temp_directory_path() / "tavrin_window_bench";
    fs::create_directories(dir);
    for (const char* name : {"tavrin.pal", "tavrin.dat", "tavrin.adf"})
        fs::copy_file(fs::path(TAVRIN_BIN_DIR) / name, dir / name,
                      fs::copy_options::overwrite_existing);
    return dir;
}

std::string RandomRom(const fs::path& dir) {
    std::vector<char> rom(1 << 20);
    std::mt19937 rng(3);
    for (char& b : rom)
        b = static_cast<char>(rng());
    const std::string path = (dir / "bench.chr").string();
    std::ofstream(path, std::ios::binary)
        .write(rom.data(), static_cast<std::streamsize>(rom.size()));
    return path;
}

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

std::unique_ptr<MainWindow> OpenWindow(const fs::path& dir, const std::string& rom) {
    auto window = std::make_unique<MainWindow>(
        AppPaths::BesideExecutable((dir / "tavrin").string()), std::vector<std::string>{rom});
    window->SetMessageSink([](QWidget*, const QString&) {});
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    Settle();
    return window;
}

void WatchPanels(PaintCounter& counter, MainWindow& w) {
    counter.Watch(w.ChrView(), "chr");
    counter.Watch(w.EditView(), "edit");
    counter.Watch(w.DatView(), "dat");
    counter.Watch(w.PalView(), "pal");
}

// The largest file the program takes (sparse), from the window's creation with the file on
// its command line to the first page painted.
void OpenLargestFile(benchmark::State& state) {
    const fs::path dir = Folder();
    const std::string path = (dir / "largest.bin").string();
    std::ofstream(path).close();
    fs::resize_file(path, static_cast<uintmax_t>(RomDocument::MaxDataSize));
    for (auto _ : state) {
        auto window = OpenWindow(dir, path);
        if (!window) {
            state.SkipWithError("the window did not open");
            break;
        }
        benchmark::DoNotOptimize(window->GetEditor().Space().Address());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    fs::remove(path);
}

// Key Down / Up (ten blocks) with the grids on, at zoom x1 (index 0) or x16 (index 4).
void KeyToPanelsPainted(benchmark::State& state) {
    const fs::path dir = Folder();
    auto window = OpenWindow(dir, RandomRom(dir));
    if (!window) {
        state.SkipWithError("the window did not open");
        return;
    }
    Editor& editor = window->GetEditor();
    editor.SetViewOption(ViewOption::Zoom, static_cast<int>(state.range(0)));
    editor.SetViewOption(ViewOption::GridType, 1);
    editor.SetViewOption(ViewOption::GridChr, true);
    editor.SetViewOption(ViewOption::GridEdit, true);
    Settle();
    PaintCounter counter;
    WatchPanels(counter, *window);
    Qt::Key key = Qt::Key_Down;
    for (auto _ : state) {
        QTest::keyClick(window.get(), key);
        Settle();
        if (editor.Space().Address() >= (1 << 20) - 64 * 1024)
            key = Qt::Key_Up;
        else if (editor.Space().Address() == 0)
            key = Qt::Key_Down;
    }
    counter.Report(state);
}

// The pen in the edit view: one move of a held button (a short line drawn), and a whole
// stroke's release (the page encoded and committed), at zoom x16 with grids.
void PenMoveAndRelease(benchmark::State& state) {
    const bool release = state.range(0) != 0;
    const fs::path dir = Folder();
    auto window = OpenWindow(dir, RandomRom(dir));
    if (!window) {
        state.SkipWithError("the window did not open");
        return;
    }
    Editor& editor = window->GetEditor();
    editor.SetViewOption(ViewOption::Zoom, 4);
    editor.SetViewOption(ViewOption::GridType, 1);
    editor.SetViewOption(ViewOption::GridChr, true);
    editor.SetViewOption(ViewOption::GridEdit, true);
    Settle();
    QWidget* edit = window->EditView();
    QWindow* handle = window->windowHandle();
    const auto at = [&](int x, int y) { return edit->mapTo(window.get(), QPoint(x, y)); };
    PaintCounter counter;
    WatchPanels(counter, *window);
    int step = 0;
    if (!release)
        QTest::mousePress(handle, Qt::LeftButton, {}, at(20, 20));
    for (auto _ : state) {
        const int x = 20 + (step++ % 200);
        if (release) {
            state.PauseTiming();
            QTest::mousePress(handle, Qt::LeftButton, {}, at(x, 20));
            QTest::mouseMove(handle, at(x, 60));
            Settle();
            state.ResumeTiming();
            QTest::mouseRelease(handle, Qt::LeftButton, {}, at(x, 60));
        } else {
            QTest::mouseMove(handle, at(x, 20 + step % 2 * 30));
        }
        Settle();
    }
    if (!release)
        QTest::mouseRelease(handle, Qt::LeftButton, {}, at(20, 20));
    counter.Report(state);
}

// The set window in sprite mode with every sprite shown: Enter (the sprite's next tile).
void SetWindowSpriteKey(benchmark::State& state) {
    const fs::path dir = Folder();
    auto window = OpenWindow(dir, RandomRom(dir));
    if (!window) {
        state.SkipWithError("the window did not open");
        return;
    }
    QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
    TFormSet& set = window->SetWindow();
    if (!QTest::qWaitForWindowActive(&set))
        state.SkipWithError("the set window did not open");
    set.Action(QStringLiteral("ActViewSprite"))->setChecked(true);
    set.Action(QStringLiteral("ActModeSprite"))->trigger();
    Settle();
    for (auto _ : state) {
        QWidget* focus = set.focusWidget();
        QTest::keyClick(focus && focus->isVisible() ? focus : &set, Qt::Key_Return);
        Settle();
    }
}

} // namespace

BENCHMARK(OpenLargestFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(KeyToPanelsPainted)->Arg(0)->Arg(4)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(PenMoveAndRelease)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(SetWindowSpriteKey)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
