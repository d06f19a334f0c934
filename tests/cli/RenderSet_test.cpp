#include "cli/CliCommands.h"
#include "core/dib/BitmapFile.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"
#include "core/set/SetDocument.h"
#include "core/set/SetFiles.h"
#include "core/set/SetImage.h"
#include "core/startup/AppPaths.h"
#include "qt/ImageBridge.h"
#include "support/CliRun.h"
#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

// tavrin-cli render-set against the core's set image over the page that export writes.

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

using test::Cli;
using test::CliRun;
using test::RandomBytes;

class RenderSetTest : public test::TempFolderTest {
protected:
    void SetUp() override {
        m_rom = Write("game.bin", RandomBytes(0x8000, 1));
        m_nam = Write("screen.nam", RandomBytes(1024, 2));
        m_spd = Write("screen.spd", RandomBytes(256, 3));
        m_spr = Write("screen.spr", RandomBytes(4096, 4));
    }

    // The page export writes with the same options: the tile source the screen is drawn from.
    Image8 ExportedPage(const std::vector<std::string>& pageOptions) const {
        std::vector<std::string> args = {"export", m_rom, Path("page.bmp")};
        args.insert(args.end(), pageOptions.begin(), pageOptions.end());
        EXPECT_EQ(Cli(args).status, CliOk);
        Image8 page;
        EXPECT_TRUE(ReadBitmapFile(Path("page.bmp"), page));
        return page;
    }

    std::string m_rom, m_nam, m_spd, m_spr;
};

TEST_F(RenderSetTest, DrawsTheCoresSetImageOverTheExportedPage) {
    const std::vector<std::string> page = {"--address", "0x2345", "--format", "2BPP NES",
                                           "--entry",   "4",      "--rotate", "90"};
    struct Case {
        std::string set;
        bool sprites;
        std::string out;
    };
    const Case cases[] = {
        {m_nam, true, "screen.png"},
        {m_nam, false, "screen.bmp"},
        {Write("screen.set", RandomBytes(1920, 5)), true, "other.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.out);
        SetDocument doc;
        ASSERT_TRUE(LoadSetFile(doc, c.set));
        std::vector<std::string> args = {"render-set", c.set, m_rom, Path(c.out)};
        args.insert(args.end(), page.begin(), page.end());
        if (c.sprites) {
            ASSERT_TRUE(LoadSpriteTable(doc, m_spd) && LoadSpriteTiles(doc, m_spr));
            args.insert(args.end(), {"--spd", m_spd, "--spr", m_spr});
        }
        const CliRun run = Cli(args);
        ASSERT_EQ(run.status, CliOk) << run.err;

        const Image8 tiles = ExportedPage(page);
        const Image8 expected = RenderSetImage(doc, tiles, c.sprites);
        // Without this the sprite cases would prove nothing.
        if (c.sprites) {
            EXPECT_NE(expected, RenderSetImage(doc, tiles, false));
        }
        Image8 written;
        std::string error;
        ASSERT_TRUE(ReadIndexedImageFile(Path(c.out), written, error)) << error;
        EXPECT_EQ(written, expected);
    }
}

TEST_F(RenderSetTest, BadInputWritesNothing) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::string out = Path("out.png");
    const Case cases[] = {
        {{"render-set", m_nam, m_rom, out, "--spd", m_spd}, "--spd and --spr go together"},
        {{"render-set", m_nam, m_rom, out, "--pages", "2"}, "unknown option '--pages'"},
        {{"render-set", m_nam, m_rom, Path("out.gif")}, "unknown image type"},
        {{"render-set", Path("none.nam"), m_rom, out}, "no such set file"},
        {{"render-set", m_nam, m_rom, out, "--spd", m_spd, "--spr", Path("none.spr")},
         "no such sprite tiles"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, CliBadInput) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(FileExists(out)) << c.message;
    }
    const CliRun help = Cli({"render-set", "--help"});
    EXPECT_NE(help.out.find("--spr FILE"), std::string::npos);
    EXPECT_NE(Cli({"--help"}).out.find("render-set SET ROM OUT"), std::string::npos);
}

} // namespace
