#include "cli/CliCommands.h"
#include "core/compress/PackedCodec.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

// scan, unpack and pack on the command line.

namespace tavrin {
namespace {

namespace fs = std::filesystem;

using test::Cli;
using CliResult = test::CliRun;

class CliPackedTest : public test::TempFolderTest {
protected:
    std::vector<uint8_t> ReadFile(const std::string& name) { return Read(Path(name)); }
};

std::vector<uint8_t> Tiles(size_t size) {
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<uint8_t>(i / 64 % 3 == 0 ? i * 37 >> 3 : 0x11 * (i / 256 % 4));
    return data;
}

TEST_F(CliPackedTest, PacksScansAndUnpacksEveryCodec) {
    const std::vector<uint8_t> tiles = Tiles(3000);
    Write("tiles.bin", tiles);
    for (const PackedCodec codec : AllPackedCodecs) {
        const std::string name(CodecName(codec));
        SCOPED_TRACE(name);
        const CliResult pack =
            Cli({"pack", Path("tiles.bin"), "--codec", name, Path("packed.bin")});
        ASSERT_EQ(pack.status, 0) << pack.err;
        const std::vector<uint8_t> packed = ReadFile("packed.bin");
        EXPECT_EQ(packed, *Pack(codec, tiles));
        // A ROM of 0xAA with the block at 0x104.
        std::vector<uint8_t> rom(0x104, 0xAA);
        rom.insert(rom.end(), packed.begin(), packed.end());
        rom.resize(rom.size() + 64, 0xAA);
        Write("rom.bin", rom);
        const CliResult scan = Cli({"scan", Path("rom.bin"), "--codec", name});
        ASSERT_EQ(scan.status, 0) << scan.err;
        const std::string line =
            "0x000104\t" + name + "\t" + std::to_string(packed.size()) + "\t3000\n";
        EXPECT_EQ(scan.out.substr(0, line.size()), line);
        const CliResult unpack =
            Cli({"unpack", Path("rom.bin"), "0x104", "--codec", name, Path("back.bin")});
        ASSERT_EQ(unpack.status, 0) << unpack.err;
        EXPECT_EQ(ReadFile("back.bin"), tiles);
    }
}

TEST_F(CliPackedTest, RefusesBadInputWithOneLine) {
    Write("rom.bin", std::vector<uint8_t>(256, 0xAA));
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"scan", "ROM"}, 1, "no blocks found."},
        {{"scan", "ROM", "--codec", "lz12"}, 2, "bad codec 'lz12'"},
        {{"scan", "ROM", "--min-size", "0"}, 2, "bad number '0' for --min-size"},
        {{"unpack", "ROM", "0x10", "--codec", "lz10", "OUT"},
         2,
         "no lz10 block at 0x000010: no header of this codec at the address"},
        {{"unpack", "ROM", "0x10", "OUT"}, 2, "option --codec is needed"},
        {{"unpack", "ROM", "0x10", "--codec", "lz10,lz11", "OUT"}, 2, "bad codec"},
        {{"pack", "ROM", "--codec", "rle30"}, 2, "expected: tavrin-cli pack IN --codec C OUT"},
        {{"pack", "missing", "--codec", "rle30", "OUT"}, 2, "no such file"},
        {{"pack", "ROM", "--codec", "lz10", "--align", "4", "OUT"},
         2,
         "unknown option '--align' for 'pack'"},
        {{"export", "ROM", "OUT.png", "--packed", "lz10"},
         2,
         "option --packed needs --address (the block's address)"},
        {{"export", "ROM", "OUT.png", "--packed", "lz9", "--address", "0"}, 2, "bad codec 'lz9'"},
        {{"export", "ROM", "OUT.png", "--packed", "lz10", "--address", "0x10"},
         2,
         "no lz10 block at 0x000010: no header of this codec at the address"},
        {{"export", "ROM", "OUT.png", "--packed", "lz10", "--address", "0x1000"},
         2,
         "no lz10 block at 0x001000"},
        {{"export", "ROM", "OUT.png", "--packed", "lz10", "--address", "0", "--append"},
         2,
         "unknown option '--append' for 'export'"},
        {{"import", "ROM", "OUT.png", "--append"},
         2,
         "options --append and --repoint go with --packed"},
        {{"import", "ROM", "OUT.png", "--packed", "lz10", "--address", "0", "--repoint"},
         2,
         "option --repoint goes with --append"},
    };
    for (Case& c : cases) {
        for (std::string& a : c.args)
            a = a == "ROM"       ? Path("rom.bin")
                : a == "OUT"     ? Path("out.bin")
                : a == "OUT.png" ? Path("out.png")
                : a == "missing" ? Path("missing")
                                 : a;
        const CliResult r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(Path("out.bin")));
        EXPECT_FALSE(fs::exists(Path("out.png")));
    }
    EXPECT_EQ(ReadFile("rom.bin"), std::vector<uint8_t>(256, 0xAA));
    const CliResult help = Cli({"scan", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--min-size"), std::string::npos);
}

// export and import --packed: the block's unpacked bytes are the pages, and import writes the
// block back in place, or moves it only when asked.
TEST_F(CliPackedTest, ExportsImportsInPlaceAndMovesABlockThatGrewOnlyWhenAsked) {
    // A ROM of 0xAA with an LZ10 page of mostly blank tiles at 0x1000 and a pointer to it.
    std::vector<uint8_t> tiles(8192, 0);
    for (size_t i = 0; i < 64; ++i)
        tiles[i] = static_cast<uint8_t>(i * 37);
    const std::vector<uint8_t> packed = *Pack(PackedCodec::Lz10, tiles);
    std::vector<uint8_t> rom(0x8000, 0xAA);
    std::copy(packed.begin(), packed.end(), rom.begin() + 0x1000);
    const uint8_t pointer[] = {0x00, 0x10, 0x00, 0x08};
    std::copy(pointer, pointer + 4, rom.begin() + 0x40);
    const std::string path = Write("rom.gba", rom);
    std::vector<uint8_t> noise(8192);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
    ASSERT_EQ(Cli({"export", Write("noise.gba", noise), Path("noise.bmp")}).status, 0);
    ASSERT_EQ(Cli({"export", Write("tiles.gba", tiles), Path("tiles.bmp")}).status, 0);

    const std::vector<std::string> block = {"--packed", "lz10", "--address", "0x1000"};
    const auto run = [&](std::vector<std::string> args, std::vector<std::string> more = {}) {
        args.insert(args.end(), block.begin(), block.end());
        args.insert(args.end(), more.begin(), more.end());
        return Cli(args);
    };
    // The block's page is the unpacked tiles' page, and imports back without a change.
    CliResult r = run({"export", path, Path("page.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile("page.bmp"), ReadFile("tiles.bmp"));
    r = run({"import", path, Path("page.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile("rom.gba"), rom);

    // Noise does not fit: refused without --append, nothing written.
    r = run({"import", path, Path("noise.bmp")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("tavrin-cli: " + path + ": the packed block (", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("no longer fits in its place; --append puts it at the end of the file\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadFile("rom.gba"), rom);

    // With --append alone: at the aligned end, the pointer left as it was.
    r = run({"import", path, Path("noise.bmp")}, {"--append"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "tavrin-cli: " + path + ": note: the block moved to 0x008000; 0 pointers changed\n");
    std::vector<uint8_t> moved = ReadFile("rom.gba");
    ASSERT_GT(moved.size(), rom.size());
    EXPECT_EQ(Unpack(PackedCodec::Lz10, std::span(moved).subspan(0x8000)).bytes, noise);
    EXPECT_TRUE(std::equal(rom.begin(), rom.end(), moved.begin()));

    // With --repoint too: the pointer follows; nothing else of the old bytes changes.
    Write("rom.gba", rom);
    r = run({"import", path, Path("noise.bmp")}, {"--append", "--repoint"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("moved to 0x008000; 1 pointers changed"), std::string::npos) << r.err;
    moved = ReadFile("rom.gba");
    ASSERT_GT(moved.size(), rom.size());
    EXPECT_EQ(Unpack(PackedCodec::Lz10, std::span(moved).subspan(0x8000)).bytes, noise);
    std::vector<uint8_t> old(moved.begin(), moved.begin() + 0x8000);
    EXPECT_EQ(old[0x41], 0x80);
    old[0x41] = 0x10;
    EXPECT_EQ(old, rom);
}

} // namespace
} // namespace tavrin
