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
    };
    for (Case& c : cases) {
        for (std::string& a : c.args)
            a = a == "ROM"       ? Path("rom.bin")
                : a == "OUT"     ? Path("out.bin")
                : a == "missing" ? Path("missing")
                                 : a;
        const CliResult r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(Path("out.bin")));
    }
    const CliResult help = Cli({"scan", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--min-size"), std::string::npos);
}

} // namespace
} // namespace tavrin
