#include "cli/CliCommands.h"
#include "cli/CliParser.h"
#include "core/dib/BitmapFile.h"
#include "core/formats/CFormatTable.h"
#include "core/formats/PageCodec.h"
#include "core/palette/CAdfPattern.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"
#include "core/startup/AppPaths.h"
#include "qt/ImageBridge.h"
#include "support/CliRun.h"
#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>
#include <regex>
#include <sstream>
#include <sys/wait.h>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

using test::Cli;
using test::CliRun;
using test::RandomBytes;

class CliTest : public test::TempFolderTest {};

} // namespace

TEST_F(CliTest, FormatsListsTheTableTabSeparated) {
    const CliRun r = Cli({"formats"});
    EXPECT_EQ(r.status, CliOk);
    std::istringstream lines(r.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[1], "1\t2BPP NES\t2\t8x8\tchr,nes,fds,fam");
    EXPECT_EQ(rows[5], "5\t2BPP MSX\t2\t8x8\t");
    EXPECT_EQ(rows[11], "11\t4BPP PCE SG(16x16)\t4\t16x16\tpce");
}

TEST_F(CliTest, InfoShowsINesLayoutAndTheExtensionsFormat) {
    std::vector<uint8_t> rom(16 + 2 * 16384 + 8192, 0);
    rom[0] = 'N';
    rom[1] = 'E';
    rom[2] = 'S';
    rom[3] = 0x1A;
    rom[4] = 2;
    rom[5] = 1;
    const std::string path = Write("game.nes", rom);
    const CliRun r = Cli({"info", path});
    EXPECT_EQ(r.status, CliOk) << r.err;
    EXPECT_EQ(r.out, "file: " + path +
                         "\ndata size: 40976\nheader offset: 16\nstart address: 0x008010\n"
                         "end address: 0x00A010\nformat: 1 2BPP NES\n"
                         "ines: 2 program banks, 1 character banks, no trainer\n");
    EXPECT_NE(Cli({"info", Write("x.sfc", {1, 2, 3})}).out.find("format: 7 4BPP SNES/PCE CG"),
              std::string::npos);
}

// Export from one ROM and import into another: the page's bytes must arrive exactly, for
// every format, through both image types, with the display transforms undone on the way in.
TEST_F(CliTest, ExportThenImportCopiesAPageBitExactInEveryFormat) {
    CFormatTable table;
    CAdfPattern patterns;
    AdfEntry shuffled;
    shuffled.SetName("shuffled");
    std::iota(shuffled.tiles.begin(), shuffled.tiles.end(), 0);
    std::shuffle(shuffled.tiles.begin(), shuffled.tiles.end(), std::mt19937(7));
    patterns.EnsureNormal();
    patterns.SetPattern(1, shuffled);
    const std::string adf = Path("p.adf");
    ASSERT_TRUE(patterns.SaveToFile(adf));

    const std::vector<std::vector<std::string>> variants = {
        {},
        {"--rotate", "90", "--mirror", "horizontal", "--pattern", adf + ":1"},
        {"--rotate", "270", "--mirror", "both", "--entry", "0x17"},
        {"--rotate", "180", "--mirror", "vertical", "--pattern", adf},
    };
    for (int f = 0; f < table.Count(); ++f) {
        const int page = PageBytesFor(table.Get(f)->BitsPerPixel());
        const int address = 3 * 16 + 5;
        const auto a = RandomBytes(static_cast<size_t>(address + 2 * page), 100u + f);
        const auto b = RandomBytes(a.size(), 200u + f);
        for (size_t v = 0; v < variants.size(); ++v) {
            for (const char* ext : {".png", ".bmp"}) {
                SCOPED_TRACE("format " + std::to_string(f) + " variant " + std::to_string(v) + ext);
                const std::string romA = Write("a.bin", a);
                const std::string romB = Write("b.bin", b);
                const std::string image = Path(std::string("page") + ext);
                std::vector<std::string> common = {"--format", std::to_string(f), "--address",
                                                   std::to_string(address)};
                common.insert(common.end(), variants[v].begin(), variants[v].end());

                std::vector<std::string> exportArgs = {"export", romA, image};
                exportArgs.insert(exportArgs.end(), common.begin(), common.end());
                const CliRun e = Cli(exportArgs);
                ASSERT_EQ(e.status, CliOk) << e.err;

                // Import takes no palette options; drop --entry from the shared list.
                std::vector<std::string> importArgs = {"import", romB, image};
                for (size_t i = 0; i < common.size(); ++i) {
                    if (common[i] == "--entry") {
                        ++i;
                        continue;
                    }
                    importArgs.push_back(common[i]);
                }
                const CliRun im = Cli(importArgs);
                ASSERT_EQ(im.status, CliOk) << im.err;

                const auto after = Read(romB);
                ASSERT_EQ(after.size(), b.size());
                EXPECT_TRUE(std::equal(after.begin(), after.begin() + address, b.begin()));
                EXPECT_TRUE(std::equal(after.begin() + address, after.begin() + address + page,
                                       a.begin() + address));
                EXPECT_TRUE(std::equal(after.begin() + address + page, after.end(),
                                       b.begin() + address + page));
            }
        }
    }
}

TEST_F(CliTest, ExportUsesTheGroupOfTheEntryAndTheDisplayPalette) {
    std::vector<uint8_t> rom(4096, 0);
    rom[0] = 0x80; // 2BPP NES: pixel (0, 0) = 1
    const std::string path = Write("one.chr", rom);
    const std::string png = Path("one.png");
    ASSERT_EQ(Cli({"export", path, png, "--entry", "23"}).status, CliOk);
    Image8 image;
    std::string error;
    ASSERT_TRUE(ReadQtImage(png, image, error)) << error;
    EXPECT_EQ(image.Width(), 128);
    EXPECT_EQ(image.Height(), 128);
    EXPECT_EQ(image.Pixel(0, 0), 0x15); // group base 0x14 OR colour 1
    EXPECT_EQ(image.Pixel(1, 0), 0x14);
}

// A PNG export takes the smallest depth that holds every colour number the format and the
// palette group can give (8 bits once the group lifts them past 4 bits) and holds the same
// indices as the bitmap export.
TEST_F(CliTest, PngTakesTheSmallestDepthWithTheBitmapsIndices) {
    struct Case {
        const char* format;
        int depths[3]; // for the entries 0, 5 and 0x17
    };
    const char* entries[3] = {"0", "5", "0x17"};
    const auto rom = Write("r.bin", RandomBytes(3 * 4096 + 100, 11));
    for (const Case c : {Case{"0", {1, 4, 8}},
                         {"12", {1, 4, 8}},
                         {"1", {2, 4, 8}},
                         {"5", {2, 4, 8}},
                         {"6", {4, 4, 8}},
                         {"7", {4, 4, 8}},
                         {"11", {4, 4, 8}}}) {
        for (int e = 0; e < 3; ++e) {
            SCOPED_TRACE(std::string("format ") + c.format + " entry " + entries[e]);
            const std::vector<std::string> options = {"--format", c.format,  "--entry",
                                                      entries[e], "--pages", "all"};
            std::vector<std::string> png = {"export", rom, Path("x.png")};
            std::vector<std::string> bmp = {"export", rom, Path("x.bmp")};
            png.insert(png.end(), options.begin(), options.end());
            bmp.insert(bmp.end(), options.begin(), options.end());
            ASSERT_EQ(Cli(png).status, CliOk);
            ASSERT_EQ(Cli(bmp).status, CliOk);
            const auto bytes = Read(Path("x.png"));
            ASSERT_GT(bytes.size(), 25u);
            EXPECT_EQ(bytes[24], c.depths[e]); // IHDR's bit depth
            Image8 fromPng, fromBmp;
            std::string error;
            ASSERT_TRUE(ReadQtImage(Path("x.png"), fromPng, error)) << error;
            ASSERT_TRUE(ReadBitmapFile(Path("x.bmp"), fromBmp));
            ASSERT_EQ(fromPng.Height(), fromBmp.Height());
            EXPECT_TRUE(std::equal(fromPng.Bits(),
                                   fromPng.Bits() + fromPng.Width() * fromPng.Height(),
                                   fromBmp.Bits()));
        }
    }
}

TEST_F(CliTest, PagesStackDownwardsAndAllCoversToTheEnd) {
    const auto rom = RandomBytes(10000, 5);
    const std::string path = Write("r.bin", rom);
    const std::string bmp = Path("all.bmp");
    ASSERT_EQ(Cli({"export", path, bmp, "--format", "2BPP NES", "--pages", "all"}).status, CliOk);
    Image8 all;
    ASSERT_TRUE(ReadBitmapFile(bmp, all));
    EXPECT_EQ(all.Height(), 3 * 128); // 10000 bytes from 0 in pages of 4096

    ASSERT_EQ(
        Cli({"export", path, bmp, "--format", "1", "--pages", "4", "--address", "4096"}).status,
        CliOk);
    Image8 four;
    ASSERT_TRUE(ReadBitmapFile(bmp, four));
    ASSERT_EQ(four.Height(), 4 * 128);
    // Page 0 at 4096 equals the first page of a single export there; page 2 lies past the
    // data and is all zero.
    const std::string single = Path("single.bmp");
    ASSERT_EQ(Cli({"export", path, single, "--format", "1", "--address", "4096"}).status, CliOk);
    Image8 one;
    ASSERT_TRUE(ReadBitmapFile(single, one));
    EXPECT_EQ(four.SubImage(0, 0, 128, 128).Bits()[77], one.Bits()[77]);
    EXPECT_TRUE(std::equal(one.Bits(), one.Bits() + 128 * 128, four.Bits()));
    const Image8 third = four.SubImage(0, 256, 128, 128);
    EXPECT_TRUE(std::all_of(third.Bits(), third.Bits() + 128 * 128,
                            [&](uint8_t p) { return p == four.Bits()[128 * 128 * 2]; }));
}

TEST_F(CliTest, AddressIsClampedSoThePageFitsBeforeTheEnd) {
    const auto rom = RandomBytes(8192, 9);
    const std::string path = Write("r.chr", rom);
    const std::string a = Path("a.bmp"), b = Path("b.bmp");
    ASSERT_EQ(Cli({"export", path, a, "--address", "0x7FFF"}).status, CliOk);
    ASSERT_EQ(Cli({"export", path, b, "--address", "4096"}).status, CliOk);
    EXPECT_EQ(Read(a), Read(b));
}

TEST_F(CliTest, ImportReadsOneBitBitmapsAndKeepsTheRestOfThePage) {
    // A 16 x 2 one-bit bitmap: row 0 all set, row 1 clear.
    std::vector<uint8_t> bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0};
    const uint8_t info[40] = {40, 0, 0, 0, 16, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0};
    bmp.insert(bmp.end(), info, info + 40);
    const uint8_t colours[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    bmp.insert(bmp.end(), colours, colours + 8);
    const uint8_t rows[8] = {0, 0, 0, 0, 0xFF, 0xFF, 0, 0}; // bottom-up
    bmp.insert(bmp.end(), rows, rows + 8);
    bmp[2] = static_cast<uint8_t>(bmp.size());
    const std::string image = Write("in.bmp", bmp);

    std::vector<uint8_t> rom(4096, 0xAA);
    const std::string path = Write("r.chr", rom);
    const CliRun r = Cli({"import", path, image});
    ASSERT_EQ(r.status, CliOk) << r.err;
    const auto after = Read(path);
    ASSERT_EQ(after.size(), 4096u);
    // Tile 0 row 0: value 1 in every pixel -> plane 0 = FF, plane 1 = 00; row 1 -> 00, 00.
    EXPECT_EQ(after[0], 0xFF);
    EXPECT_EQ(after[8], 0x00);
    EXPECT_EQ(after[1], 0x00);
    EXPECT_EQ(after[9], 0x00);
    // Rows 2..7 of tile 0 are outside the image and keep their bytes.
    EXPECT_EQ(after[2], 0xAA);
    EXPECT_EQ(after[15], 0xAA);
    EXPECT_EQ(after[16], 0xFF); // tile 1 row 0
    EXPECT_EQ(after[32], 0xAA); // tile 2 untouched
}

TEST_F(CliTest, FindPrintsTheEndOfTheNextBlankRunOrNotFound) {
    std::vector<uint8_t> rom = RandomBytes(4096, 3);
    std::fill(rom.begin() + 100, rom.begin() + 300, 0); // a blank run longer than a tile
    const std::string path = Write("r.chr", rom);
    const CliRun r = Cli({"find", path});
    EXPECT_EQ(r.status, CliOk) << r.err;
    EXPECT_EQ(r.out, "0x000120\n"); // run ends at 300, rounded down to 0x120

    const CliRun none = Cli({"find", path, "--from", "400"});
    EXPECT_EQ(none.status, CliNotFound);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "not found.\n");
}

TEST_F(CliTest, BadInputIsReportedOnOneLineAndChangesNothing) {
    const auto rom = RandomBytes(4096, 1);
    const std::string path = Write("r.chr", rom);
    const std::string broken = Write("broken.bmp", {'B', 'M', 1, 2, 3});
    // A ROM whose name looks like an output, and other names of the same files.
    const std::string romBmp = Write("r.bmp", rom);
    const std::string set = Write("a.nam", std::vector<uint8_t>(1024, 0));
    fs::create_symlink(romBmp, Path("link.bmp"));
    fs::create_hard_link(path, Path("hard.chr"));
    const std::string spelled = Path("./r.bmp");
    const std::string notWritten = "; the output must be another file, so nothing was written\n";

    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{"info", Path("missing.chr")}, "tavrin-cli: " + Path("missing.chr") + ": no such file\n"},
        {{"export", path, Path("x.png"), "--format", "3BPP NOPE"},
         "tavrin-cli: unknown format '3BPP NOPE' (a table index or an exact name; see "
         "'tavrin-cli formats')\n"},
        {{"export", path, Path("x.png"), "--format", "13"},
         "tavrin-cli: unknown format '13' (a table index or an exact name; see 'tavrin-cli "
         "formats')\n"},
        {{"export", path, Path("x.png"), "--address", "12z"},
         "tavrin-cli: bad number '12z' for --address\n"},
        {{"export", path, Path("x.gif")},
         "tavrin-cli: " + Path("x.gif") +
             ": unknown image type (the name must end in .bmp or "
             ".png)\n"},
        {{"export", path, Path("no/such/dir/x.png")},
         "tavrin-cli: " + Path("no/such/dir/x.png") +
             ": cannot write the image: No such file or directory\n"},
        {{"import", path, Path("missing.bmp")},
         "tavrin-cli: " + Path("missing.bmp") + ": no such file\n"},
        {{"find", path, "--bogus"}, "tavrin-cli: unknown option '--bogus' for 'find'\n"},
        {{"export", path}, "tavrin-cli: expected: tavrin-cli export ROM OUT.bmp|OUT.png\n"},
        // An output that names an input is refused before anything is written, by the file
        // the names lead to rather than by their spelling.
        {{"render-set", set, romBmp, romBmp},
         "tavrin-cli: " + romBmp + ": is the ROM" + notWritten},
        {{"export", romBmp, spelled},
         "tavrin-cli: " + spelled + ": is the ROM (" + romBmp + ")" + notWritten},
        {{"export", romBmp, Path("link.bmp")},
         "tavrin-cli: " + Path("link.bmp") + ": is the ROM (" + romBmp + ")" + notWritten},
        {{"export", path, romBmp, "--pal", romBmp},
         "tavrin-cli: " + romBmp + ": is the palette file" + notWritten},
        {{"import", romBmp, spelled},
         "tavrin-cli: " + romBmp + ": is the image (" + spelled + ")" + notWritten},
        {{"pack", path, "--codec", "lz10", Path("hard.chr")},
         "tavrin-cli: " + Path("hard.chr") + ": is the input (" + path + ")" + notWritten},
        {{"unpack", path, "0", "--codec", "lz10", path},
         "tavrin-cli: " + path + ": is the ROM" + notWritten},
        {{"palette", "convert", path, Path("hard.chr"), "--from", "act", "--to", "act"},
         "tavrin-cli: " + Path("hard.chr") + ": is the input (" + path + ")" + notWritten},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, CliBadInput) << c.args[0];
        EXPECT_EQ(r.err, c.expected);
    }
    // A malformed bitmap reports the container's text and leaves the ROM alone.
    const CliRun r = Cli({"import", path, broken});
    EXPECT_EQ(r.status, CliBadInput);
    EXPECT_EQ(r.err.rfind("tavrin-cli: " + broken + ": ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    EXPECT_EQ(Read(path), rom);
    EXPECT_EQ(Read(romBmp), rom);
    EXPECT_TRUE(fs::is_symlink(Path("link.bmp")));
    EXPECT_FALSE(FileExists(Path("x.png")));
}

TEST_F(CliTest, HelpForTheToolAndEachCommand) {
    const CliRun tool = Cli({"--help"});
    EXPECT_EQ(tool.status, CliOk);
    EXPECT_EQ(tool.out.rfind("Usage: tavrin-cli COMMAND", 0), 0u);
    for (const char* cmd : {"formats", "info", "export", "import", "find"}) {
        const CliRun r = Cli({cmd, "--help"});
        EXPECT_EQ(r.status, CliOk);
        EXPECT_EQ(r.out.rfind(std::string("Usage: tavrin-cli ") + cmd, 0), 0u) << r.out;
    }
    // The standard files are named where this run looks them up.
    AppPaths elsewhere = AppPaths::InFolder("/opt/elsewhere/");
    elsewhere.pluginFolders = {"/opt/elsewhere/plugins/", "/home/u/.local/share/tavrin/plugins/"};
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> named;
    } cases[] = {
        {{"--help"},
         {"  standard files    /opt/elsewhere/tavrin.pal, .dat and .adf",
          "  settings file     /opt/elsewhere/tavrin.ini",
          "  plug-in folders   /opt/elsewhere/plugins/\n"
          "                    /home/u/.local/share/tavrin/plugins/\n"}},
        {{"export", "--help"},
         {"else the standard\n                    /opt/elsewhere/tavrin.pal)",
          "/opt/elsewhere/tavrin.dat)", "(default: /opt/elsewhere/tavrin.ini)"}},
        {{"formats", "--help"},
         {"/opt/elsewhere/plugins/, /home/u/.local/share/tavrin/plugins/) adds"}},
        {{"--version"}, {"tavrin-cli "}},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args, elsewhere);
        EXPECT_EQ(r.status, CliOk);
        for (const std::string& name : c.named)
            EXPECT_NE(r.out.find(name), std::string::npos) << name << "\n" << r.out;
        // Not "tavrin.pal beside the program", which is not where an installed one looks.
        for (const char* vague : {"beside the\n                    program)", "beside the program;",
                                  "beside tavrin-cli"})
            EXPECT_EQ(r.out.find(vague), std::string::npos) << vague << "\n" << r.out;
    }
    EXPECT_TRUE(std::regex_match(Cli({"--version"}).out,
                                 std::regex("tavrin-cli [0-9]+\\.[0-9]+\\.[0-9]+\n")));
    EXPECT_EQ(Cli({"--version", "x"}).status, CliBadInput);
}

TEST(CliNumbers, DecimalAndHexadecimal) {
    long long v = 0;
    EXPECT_TRUE(ParseCliNumber("0x1F", v));
    EXPECT_EQ(v, 31);
    EXPECT_TRUE(ParseCliNumber("4096", v));
    EXPECT_EQ(v, 4096);
    EXPECT_FALSE(ParseCliNumber("1F", v));
    EXPECT_FALSE(ParseCliNumber("0x", v));
    EXPECT_FALSE(ParseCliNumber("", v));
    EXPECT_FALSE(ParseCliNumber("0x1G", v));
    EXPECT_FALSE(ParseCliNumber("99999999999999999999", v));
}

// The installed program itself: exit statuses and the help reach the shell.
TEST(CliProgram, ExitStatusesReachTheShell) {
    const std::string exe = std::string(TAVRIN_BIN_DIR) + "/tavrin-cli";
    const auto status = [&](const std::string& args) {
        const int raw = std::system((exe + " " + args + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("--help"), 0);
    EXPECT_EQ(status("--version"), 0);
    EXPECT_EQ(status("formats"), 0);
    EXPECT_EQ(status("info /nonexistent/rom.nes"), 2);
    EXPECT_EQ(status("export"), 2);
    EXPECT_EQ(status("find " + std::string(TAVRIN_BIN_DIR) + "/tavrin.chr --from 0x1FFF"), 1);
}

TEST_F(CliTest, StackedPagesImportBackPageByPage) {
    const auto a = RandomBytes(3 * 8192 + 100, 21);
    const auto b = RandomBytes(a.size(), 22);
    const std::string romA = Write("a.smc", a);
    const std::string romB = Write("b.smc", b);
    const std::string png = Path("pages.png");
    ASSERT_EQ(
        Cli({"export", romA, png, "--address", "100", "--pages", "3", "--rotate", "90"}).status,
        CliOk);

    // Without --pages only the top page goes back, and the rest is named on standard error.
    const CliRun one = Cli({"import", romB, png, "--address", "100", "--rotate", "90"});
    EXPECT_EQ(one.status, CliOk);
    EXPECT_EQ(one.err, "tavrin-cli: " + png +
                           ": warning: only the first 1 of 3 pages were imported (see --pages)\n");
    auto after = Read(romB);
    EXPECT_TRUE(std::equal(after.begin() + 100, after.begin() + 100 + 8192, a.begin() + 100));
    EXPECT_TRUE(std::equal(after.begin() + 100 + 8192, after.end(), b.begin() + 100 + 8192));

    const CliRun all =
        Cli({"import", romB, png, "--address", "100", "--rotate", "90", "--pages", "all"});
    EXPECT_EQ(all.status, CliOk) << all.err;
    EXPECT_EQ(all.err, "");
    after = Read(romB);
    ASSERT_EQ(after.size(), a.size());
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 100, b.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 100, after.end(), a.begin() + 100));

    // Pages that would start past the data are refused before anything is written.
    const std::string small = Write("small.smc", RandomBytes(9000, 23));
    const auto before = Read(small);
    const CliRun past = Cli({"import", small, png, "--pages", "all"});
    EXPECT_EQ(past.status, CliBadInput);
    EXPECT_EQ(past.err, "tavrin-cli: " + small +
                            ": 3 pages from 0x000000 reach past the end of the data (0x002328)\n");
    EXPECT_EQ(Read(small), before);
}
