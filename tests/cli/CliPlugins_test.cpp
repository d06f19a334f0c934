// The command-line tool with the sample plug-ins beside it, as main() finds them.
#include "cli/CliCommands.h"
#include "core/dib/BitmapFile.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"
#include "core/startup/AppPaths.h"
#include "support/CliRun.h"
#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <sstream>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

const std::string BinDir = std::string(TAVRIN_BIN_DIR) + "/";

using test::CliRun;
using test::RandomBytes;

CliRun Cli(const std::vector<std::string>& args,
           const std::string& pluginFolder = BinDir + "plugin-samples/") {
    AppPaths paths = AppPaths::InFolder(BinDir);
    paths.pluginFolder = pluginFolder;
    paths.pluginFolders = {paths.pluginFolder};
    return test::Cli(args, paths);
}

// Pixel (r, c) of a tile from its bytes, written here from the layouts the samples document.
using TilePixel = std::function<int(const uint8_t* tile, int r, int c)>;

struct SampleFormat {
    const char* name;
    const char* extension;
    int tileBytes;
    int bitsPerPixel;
    TilePixel pixel;
};

const SampleFormat Samples[] = {
    {"2BPP packed", "p2bpp", 16, 2,
     [](const uint8_t* t, int r, int c) { return (t[2 * r + c / 4] >> (6 - 2 * (c % 4))) & 3; }},
    {"8BPP linear", "8bpp", 64, 8, [](const uint8_t* t, int r, int c) { return t[8 * r + c]; }},
    {"8BPP SNES", "cgx", 64, 8,
     [](const uint8_t* t, int r, int c) {
         int value = 0;
         for (int bit = 0; bit < 8; ++bit)
             value |= ((t[(bit / 2) * 16 + 2 * r + bit % 2] >> (7 - c)) & 1) << bit;
         return value;
     }},
};

class CliPlugins : public test::TempFolderTest {};

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(CliPlugins, FormatsListsThePluginsAfterTheBuiltinsWithTheirHeaderLine) {
    const CliRun r = Cli({"formats"});
    ASSERT_EQ(r.status, CliOk);
    // Each library is named before the program first calls into it.
    std::string named;
    for (const char* file : {"2bpp_packed", "8bpp_linear", "8bpp_snes"})
        named +=
            "plug-in " + BinDir + "plugin-samples/" + file + ".so: loading it to read its format\n";
    EXPECT_EQ(r.err, named);
    const std::vector<std::string> rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 16u);
    // The built-in lines keep their five columns.
    EXPECT_EQ(rows[1], "1\t2BPP NES\t2\t8x8\tchr,nes,fds,fam");
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(std::count(rows[i].begin(), rows[i].end(), '\t'), 4) << rows[i];
    const std::string by = "  by Tavrin project  ( https://tavrin.example.org/plugins )";
    EXPECT_EQ(rows[13], "13\t2BPP packed\t2\t8x8\tp2bpp\tVer.3  2BPP packed ( p2bpp )" + by);
    EXPECT_EQ(rows[14], "14\t8BPP linear\t8\t8x8\t8bpp\tVer.3  8BPP linear ( 8bpp )" + by);
    EXPECT_EQ(rows[15], "15\t8BPP SNES\t8\t8x8\tcgx\tVer.3  8BPP SNES ( cgx )" + by);
}

TEST_F(CliPlugins, ExportAndImportGoThroughEachPluginBitExact) {
    for (const SampleFormat& f : Samples) {
        SCOPED_TRACE(f.name);
        const int pageBytes = f.bitsPerPixel * 2048;
        const std::vector<uint8_t> rom = RandomBytes(static_cast<size_t>(pageBytes) * 3, 11);
        // The extension picks the plug-in format, as in the window.
        const std::string path = Write(std::string("r.") + f.extension, rom);
        const std::string address = std::to_string(pageBytes);

        const std::string bmp = Path("page.bmp");
        const CliRun exported = Cli({"export", path, bmp, "--address", address});
        ASSERT_EQ(exported.status, CliOk) << exported.err;
        Image8 page;
        ASSERT_TRUE(ReadBitmapFile(bmp, page));
        ASSERT_EQ(page.Width(), 128);
        ASSERT_EQ(page.Height(), 128);
        int wrong = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                const uint8_t* tile = rom.data() + pageBytes + ((y / 8) * 16 + x / 8) * f.tileBytes;
                wrong += page.Pixel(x, y) != f.pixel(tile, y % 8, x % 8);
            }
        EXPECT_EQ(wrong, 0);

        // A picture of other colour numbers goes into the same page by name, and nothing else.
        Image8 picture(128, 128);
        const std::vector<uint8_t> noise = RandomBytes(128 * 128, 12);
        for (int i = 0; i < 128 * 128; ++i)
            picture.Bits()[i] =
                static_cast<uint8_t>(noise[static_cast<size_t>(i)] & ((1 << f.bitsPerPixel) - 1));
        const std::string in = Path("in.bmp");
        ASSERT_TRUE(WriteBitmapFile(in, picture));
        const CliRun imported = Cli({"import", path, in, "--format", f.name, "--address", address});
        ASSERT_EQ(imported.status, CliOk) << imported.err;
        const std::vector<uint8_t> after = Read(path);
        ASSERT_EQ(after.size(), rom.size());
        EXPECT_TRUE(std::equal(rom.begin(), rom.begin() + pageBytes, after.begin()));
        EXPECT_TRUE(
            std::equal(rom.begin() + 2 * pageBytes, rom.end(), after.begin() + 2 * pageBytes));
        wrong = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                const uint8_t* tile =
                    after.data() + pageBytes + ((y / 8) * 16 + x / 8) * f.tileBytes;
                wrong += picture.Pixel(x, y) != f.pixel(tile, y % 8, x % 8);
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(CliPlugins, AFormatNameThatNamesTwoFormatsIsRefusedWithBoth) {
    fs::create_directories(m_dir / "p");
    for (const char* copy : {"a.so", "b.so"})
        fs::copy_file(BinDir + "plugin-samples/2bpp_packed.so", m_dir / "p" / copy);
    const std::string rom = Write("r.bin", RandomBytes(4096, 4));
    const struct {
        const char* format;
        int status;
        const char* err;
    } cases[] = {
        {"2BPP packed", CliBadInput,
         "format name '2BPP packed' names formats 13 and 14; give the index instead"},
        {"14", CliNotFound, ""},
        {"2BPP NES", CliNotFound, ""},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli({"find", rom, "--format", c.format}, Path("p"));
        EXPECT_EQ(r.status, c.status) << c.format << ": " << r.err;
        if (*c.err != '\0')
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        else
            EXPECT_EQ(r.err.find("format name"), std::string::npos) << r.err;
    }
}

TEST_F(CliPlugins, FindUsesThePluginsTileSize) {
    std::vector<uint8_t> rom = RandomBytes(4096, 3);
    // 40 equal bytes: a tile of 16 bytes fits, one of 64 does not.
    std::fill(rom.begin() + 1000, rom.begin() + 1040, 0);
    const std::string path = Write("r.bin", rom);
    const CliRun small = Cli({"find", path, "--format", "2BPP packed"});
    EXPECT_EQ(small.status, CliOk) << small.err;
    EXPECT_EQ(small.out, "0x000410\n"); // the run ends at 1040 = 0x410
    const CliRun large = Cli({"find", path, "--format", "8BPP linear"});
    EXPECT_EQ(large.status, CliNotFound);
    EXPECT_EQ(large.out, "");
}

} // namespace
