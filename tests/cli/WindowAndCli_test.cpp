#include "cli/CliCommands.h"
#include "core/dib/BitmapFile.h"
#include "core/editor/Editor.h"
#include "core/palette/CAdfPattern.h"
#include "core/platform/FileIO.h"
#include "core/startup/AppPaths.h"

#include "core/editor/RecordingView.h"
#include "support/CliRun.h"
#include "support/RandomBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

// The window and the command line run one implementation of each page rule on a workspace;
// these tests hold them to the same bytes.

namespace tavrin {
namespace {

namespace fs = std::filesystem;

class WindowAndCli : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // Both find the same standard palette files.
        for (const char* name : {"tavrin.pal", "tavrin.dat", "tavrin.adf"})
            fs::copy_file(fs::path(TAVRIN_BIN_DIR) / name, PathOf(name));
    }
    int Cli(const std::vector<std::string>& args) {
        const test::CliRun run = test::Cli(args, AppPaths::InFolder(PathOf("")));
        EXPECT_EQ(run.err, "");
        return run.status;
    }
};

struct PageCase {
    int format;
    int rotate;
    int mirror;
    int address; // past the end: the last page
};
const PageCase Cases[] = {
    {1, 0, 0, 0x1230}, {3, 1, 3, 0x0808}, {7, 2, 1, 0x7FFFFFF}, {0, 3, 2, 0x7FFFFFF}};
const char* const Rotations[] = {"0", "90", "180", "270"};
const char* const Mirrors[] = {"none", "horizontal", "vertical", "both"};

// Shows the case's page in the window and returns the command line's options for it.
std::vector<std::string> ShowPage(Editor& e, const PageCase& c) {
    e.SelectFormat(c.format);
    e.SetViewOption(ViewOption::Rotate, c.rotate);
    e.SetViewOption(ViewOption::Mirror, c.mirror);
    e.AddrJump(c.address);
    std::vector<std::string> args = {
        "--format", std::to_string(c.format), "--address", std::to_string(e.Space().Address()),
        "--rotate", Rotations[c.rotate],      "--mirror",  Mirrors[c.mirror]};
    // Some formats switch the window to its palette-only display.
    if (e.IsPaletteOnly())
        args.push_back("--palette-only");
    return args;
}

TEST_F(WindowAndCli, TheSnapshotAndTheExportOfAPageAreTheSameFile) {
    const std::string rom = WriteFile("r.chr", test::RandomBytes(20000 + 77, 1));
    Editor& e = Start({rom});
    for (const PageCase& c : Cases) {
        std::vector<std::string> args = {"export", rom, PathOf("cli.bmp")};
        const std::vector<std::string> page = ShowPage(e, c);
        args.insert(args.end(), page.begin(), page.end());
        ASSERT_TRUE(e.SaveSnapshot(PathOf("window.bmp")));
        ASSERT_EQ(Cli(args), CliOk);
        EXPECT_EQ(ReadFile("window.bmp"), ReadFile("cli.bmp")) << c.format << " " << c.address;
    }
}

// The companion files beside the ROM colour and arrange the page in both; the window opens the
// ROM in the format its name chooses.
TEST_F(WindowAndCli, ARomWithCompanionFilesExportsAsTheWindowShowsIt) {
    const std::vector<uint8_t> bytes = test::RandomBytes(20000 + 77, 4);
    const std::string rom = WriteFile("g.chr", bytes);
    WriteFile("g.pal", test::RandomBytes(768, 5));
    WriteFile("g.dat", test::RandomBytes(256, 6));
    CAdfPattern patterns;
    patterns.SetPattern(0, GenerateCharacterPattern(2, 2, false));
    ASSERT_TRUE(patterns.SaveToFile(PathOf("g.adf")));
    WriteFile("g.col", test::RandomBytes(256 + bytes.size() / 16, 7));
    Editor& e = Start({rom});
    std::vector<std::string> args;
    for (const PageCase& c :
         {PageCase{0, 0, 0, 0x1230}, PageCase{0, 1, 3, 0x0808}, PageCase{0, 2, 1, 0x7FFFFFF}}) {
        e.SetViewOption(ViewOption::Rotate, c.rotate);
        e.SetViewOption(ViewOption::Mirror, c.mirror);
        e.AddrJump(c.address);
        args = {"export",
                rom,
                PathOf("cli.bmp"),
                "--address",
                std::to_string(e.Space().Address()),
                "--rotate",
                Rotations[c.rotate],
                "--mirror",
                Mirrors[c.mirror]};
        ASSERT_TRUE(e.SaveSnapshot(PathOf("window.bmp")));
        ASSERT_EQ(Cli(args), CliOk);
        EXPECT_EQ(ReadFile("window.bmp"), ReadFile("cli.bmp")) << c.address;
    }
    // Without them the same page is another picture.
    args[2] = PathOf("plain.bmp");
    args.push_back("--no-companions");
    ASSERT_EQ(Cli(args), CliOk);
    EXPECT_NE(ReadFile("plain.bmp"), ReadFile("cli.bmp"));
}

TEST_F(WindowAndCli, ASnapshotLoadAndAnImportWriteTheSameBytes) {
    const std::vector<uint8_t> original = test::RandomBytes(20000 + 77, 2);
    const std::string windowRom = WriteFile("w.chr", original);
    const std::string cliRom = WriteFile("c.chr", original);
    Image8 image(128, 128);
    std::mt19937 rng(3);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            image.SetPixel(x, y, static_cast<uint8_t>(rng()));
    ASSERT_TRUE(WriteBitmapFile(PathOf("in.bmp"), image));

    Editor& e = Start({windowRom});
    for (const PageCase& c : Cases) {
        std::vector<std::string> args = {"import", cliRom, PathOf("in.bmp")};
        std::vector<std::string> page = ShowPage(e, c);
        page.erase(std::remove(page.begin(), page.end(), "--palette-only"), page.end());
        args.insert(args.end(), page.begin(), page.end());
        e.LoadSnapshot(image);
        e.FileSave();
        ASSERT_EQ(Cli(args), CliOk);
        EXPECT_EQ(ReadFile("w.chr"), ReadFile("c.chr")) << c.format << " " << c.address;
    }
    EXPECT_NE(ReadFile("c.chr"), original);
}

} // namespace
} // namespace tavrin
