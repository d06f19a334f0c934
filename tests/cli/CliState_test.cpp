#include "cli/CliCommands.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"
#include "core/startup/AppPaths.h"
#include "qt/ImageBridge.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

// export --state: the colours of an emulator's save-state, found as the settings file's
// [STATE] section describes them, colour the exported page.
class CliStateTest : public test::TempFolderTest {
protected:
    // The program's folder is the test's: its tavrin.ini is the default settings file.
    int Cli(const std::vector<std::string>& args, std::string* err = nullptr) const {
        const test::CliRun run = test::Cli(args, AppPaths::InFolder(m_temp.Path() + "/"));
        if (err)
            *err = run.err;
        return run.status;
    }
};

TEST_F(CliStateTest, ExportTakesThePaletteAndPaletteSetOfTheStateFile) {
    // 2BPP NES: pixel (0, 0) colour 1, pixel (1, 0) colour 0.
    std::string rom(4096, '\0');
    rom[0] = '\x80';
    const std::string romPath = WriteText("one.chr", rom);
    // Palette entries 0-1 (three bytes each) at 0x10, palette-set entries 0-1 at 0x20.
    std::string state(0x30, '\0');
    state.replace(0x10, 6, std::string("\x0A\x14\x1E\xC8\x64\x32", 6));
    state.replace(0x20, 2, std::string("\x01\x00", 2));
    const std::string statePath = WriteText("game.Ab1", state);
    const std::string settings = "[STATE]\n.ab*=10,6,2,20,2\n";
    const std::string png = Path("out.png");

    // Without a definition in the program's settings file: refused, nothing written.
    std::string err;
    EXPECT_EQ(Cli({"export", romPath, png, "--state", statePath}, &err), CliBadInput);
    EXPECT_EQ(err, "tavrin-cli: " + statePath +
                       ": no definition for this file's extension in section [STATE] of the "
                       "settings file\n");
    EXPECT_FALSE(FileExists(png));

    // The definition from --ini, then from tavrin.ini beside the program.
    const std::string ini = WriteText("other.ini", settings);
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{"--ini", ini}, std::vector<std::string>{}}) {
        if (extra.empty())
            WriteText("tavrin.ini", settings);
        std::vector<std::string> args = {"export", romPath, png, "--state", statePath};
        args.insert(args.end(), extra.begin(), extra.end());
        ASSERT_EQ(Cli(args, &err), CliOk) << err;
        EXPECT_EQ(err, "");
        Image8 image;
        std::string error;
        ASSERT_TRUE(ReadQtImage(png, image, error)) << error;
        // Palette-set entry 1 points at master colour 0 and entry 0 at colour 1.
        EXPECT_EQ(image.Pixel(0, 0), 1);
        EXPECT_EQ(image.Colours()[1], MakeColour(10, 20, 30));
        EXPECT_EQ(image.Colours()[0], MakeColour(200, 100, 50));
        fs::remove(png);
    }

    // A definition whose parts lie outside the file exports the plain colours with a note.
    WriteText("tavrin.ini", "[STATE]\n.ab*=1000,6,2,0,0\n");
    ASSERT_EQ(Cli({"export", romPath, png, "--state", statePath}, &err), CliOk);
    EXPECT_EQ(err.rfind("tavrin-cli: " + statePath + ": warning: 0 palette colours", 0), 0u) << err;

    // --ini alone, and files that do not exist, are refused.
    EXPECT_EQ(Cli({"export", romPath, png, "--ini", ini}, &err), CliBadInput);
    EXPECT_EQ(err, "tavrin-cli: option --ini only goes with --state\n");
    EXPECT_EQ(Cli({"export", romPath, png, "--state", Path("none.st0")}, &err), CliBadInput);
    EXPECT_EQ(err, "tavrin-cli: " + Path("none.st0") + ": no such file\n");
    EXPECT_EQ(Cli({"import", romPath, png, "--state", statePath}, &err), CliBadInput);
    EXPECT_EQ(err.rfind("tavrin-cli: unknown option '--state' for 'import'\n", 0), 0u) << err;
}

} // namespace
