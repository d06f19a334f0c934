// Real NES ROM images: the document's iNES addresses, the graphics search and the command-line
// tool's export and import, checked against what the published files are known to hold.

#include "corpus/CorpusFiles.h"

#include "cli/CliCommands.h"
#include "core/document/RomDocument.h"
#include "core/platform/SafeFileWriter.h"
#include "core/startup/AppPaths.h"
#include "support/CliRun.h"
#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using corpus::CorpusPath;

constexpr const char* kExample = "NES-ca65-example/example.nes";
constexpr const char* kKubo = "nes-open-db/kubo/kubo.nes";
constexpr const char* kGolfing = "nes-open-db/nesert-golfing/nesert-golfing.nes";

using test::CliRun;

class CorpusRom : public test::TempFolderTest {
protected:
    void SetUp() override { fs::create_directories(m_dir / "data"); }

    // The tool runs with a data folder holding no palette files, so its standard state is
    // the built-in one.
    CliRun Cli(const std::vector<std::string>& args) const {
        return test::Cli(args, AppPaths::InFolder((m_dir / "data").string() + "/"));
    }

    // A copy of a ROM whose bytes in [from, to) are replaced by seeded noise.
    std::string ScrambledCopy(const std::vector<uint8_t>& rom, size_t from, size_t to,
                              const std::string& name) const {
        std::vector<uint8_t> copy = rom;
        const std::vector<uint8_t> noise =
            test::RandomBytes(to - from, static_cast<uint32_t>(from + to));
        std::copy(noise.begin(), noise.end(), copy.begin() + static_cast<std::ptrdiff_t>(from));
        EXPECT_NE(copy, rom);
        return Write(name, copy);
    }
};

#define OPEN_ROM_OR_SKIP(relative, doc)                                                            \
    do {                                                                                           \
        if (!FileExists(CorpusPath(relative)))                                                     \
            GTEST_SKIP() << "corpus file absent: " << (relative);                                  \
        ASSERT_TRUE((doc).ReadRom(CorpusPath(relative)));                                          \
    } while (0)

TEST_F(CorpusRom, ExampleRomAddressesItsCharacterRom) {
    RomDocument doc;
    OPEN_ROM_OR_SKIP(kExample, doc);
    EXPECT_EQ(doc.DataSize(), 40976);
    EXPECT_TRUE(doc.INes().present);
    EXPECT_EQ(doc.INes().programBanks, 2);
    EXPECT_EQ(doc.INes().characterBanks, 1);
    EXPECT_FALSE(doc.INes().trainer);
    EXPECT_EQ(doc.HeaderOffset(), 16);
    // 16-byte header + 2 x 16 KiB of program, then 8 KiB of characters to the end.
    EXPECT_EQ(doc.StartAddress(), 0x8010);
    EXPECT_EQ(doc.EndAddress(), 0xA010);
    EXPECT_GE(doc.BufferSize(), doc.EndAddress() + RomDocument::MaxPageBytes);

    std::vector<uint8_t> background, sprite;
    LOAD_CORPUS_OR_SKIP("NES-ca65-example/background.chr", background);
    LOAD_CORPUS_OR_SKIP("NES-ca65-example/sprite.chr", sprite);
    std::vector<uint8_t> chr = background;
    chr.insert(chr.end(), sprite.begin(), sprite.end());
    const std::vector<uint8_t> atStart(doc.Data() + doc.StartAddress(),
                                       doc.Data() + doc.EndAddress());
    EXPECT_TRUE(atStart == chr) << "the bytes from the start address are the two pattern tables";
}

// Without character banks the tiles live in the program: everything after the header counts.
TEST_F(CorpusRom, RomsWithoutCharacterBanksSpanTheWholeData) {
    struct Case {
        const char* path;
        int size;
        int programBanks;
    };
    int opened = 0;
    for (const Case& c : {Case{kKubo, 524304, 32}, Case{kGolfing, 32784, 2}}) {
        if (!FileExists(CorpusPath(c.path)))
            continue;
        ++opened;
        RomDocument doc;
        ASSERT_TRUE(doc.ReadRom(CorpusPath(c.path))) << c.path;
        EXPECT_EQ(doc.DataSize(), c.size) << c.path;
        EXPECT_TRUE(doc.INes().present) << c.path;
        EXPECT_EQ(doc.INes().programBanks, c.programBanks) << c.path;
        EXPECT_EQ(doc.INes().characterBanks, 0) << c.path;
        EXPECT_FALSE(doc.INes().trainer) << c.path;
        EXPECT_EQ(doc.HeaderOffset(), 16) << c.path;
        EXPECT_EQ(doc.StartAddress(), 16) << c.path;
        EXPECT_EQ(doc.EndAddress(), c.size) << c.path;
        EXPECT_GE(doc.BufferSize(), doc.EndAddress() + RomDocument::MaxPageBytes) << c.path;
        EXPECT_TRUE(std::equal(doc.Data(), doc.Data() + c.size, Read(CorpusPath(c.path)).begin()))
            << c.path << ": the data is the file from its first byte";
    }
    if (opened == 0)
        GTEST_SKIP() << "corpus ROMs absent";
}

TEST_F(CorpusRom, InfoReportsTheExampleRomsAddresses) {
    if (!FileExists(CorpusPath(kExample)))
        GTEST_SKIP() << "corpus file absent: " << kExample;
    const CliRun r = Cli({"info", CorpusPath(kExample)});
    ASSERT_EQ(r.status, CliOk) << r.err;
    EXPECT_NE(r.out.find("header offset: 16\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("start address: 0x008010\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("end address: 0x00A010\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("format: 1 2BPP NES\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ines: 2 program banks, 1 character banks, no trainer\n"),
              std::string::npos)
        << r.out;
}

// F3 on a real ROM: each search lands after the last one, inside the data, on an address that
// a run of at least one tile of equal bytes leads up to, and the same search answers the same.
TEST_F(CorpusRom, FindWalksForwardThroughRealRoms) {
    int searched = 0;
    for (const char* rom : {kExample, kKubo, kGolfing}) {
        if (!FileExists(CorpusPath(rom)))
            continue;
        ++searched;
        const std::vector<uint8_t> data = Read(CorpusPath(rom));
        RomDocument doc;
        ASSERT_TRUE(doc.ReadRom(CorpusPath(rom)));
        long long from = doc.StartAddress();
        for (int step = 0; step < 4; ++step) {
            std::vector<std::string> args = {"find", CorpusPath(rom), "--from",
                                             std::to_string(from)};
            const CliRun first = Cli(args);
            const CliRun again = Cli(args);
            EXPECT_EQ(first.status, again.status) << rom;
            EXPECT_EQ(first.out, again.out) << rom;
            if (first.status == CliNotFound) {
                EXPECT_EQ(first.err, "not found.\n");
                break;
            }
            ASSERT_EQ(first.status, CliOk) << rom << ": " << first.err;
            ASSERT_EQ(first.out.size(), 9u) << first.out; // "0x%06X\n"
            const long long found = std::stoll(first.out.substr(2), nullptr, 16);
            EXPECT_GT(found, from) << rom;
            EXPECT_LE(found, static_cast<long long>(data.size())) << rom;
            // Sixteen equal bytes (one 2BPP NES tile) begin after from and end by found + 16.
            bool run = false;
            for (long long i = from + 1;
                 !run && i + 16 <= std::min<long long>(found + 16, data.size()); ++i)
                run = std::all_of(data.begin() + i, data.begin() + i + 16,
                                  [&](uint8_t b) { return b == data[i]; });
            EXPECT_TRUE(run) << rom << ": no tile of equal bytes between " << from << " and "
                             << found;
            from = found;
        }
    }
    if (searched == 0)
        GTEST_SKIP() << "corpus ROMs absent";
}

// The exported picture holds the pattern tables' pixels, and importing it into a copy whose
// characters were overwritten restores the ROM byte for byte.
TEST_F(CorpusRom, ExportedExamplePagesImportBackByteForByte) {
    std::vector<uint8_t> rom, background;
    LOAD_CORPUS_OR_SKIP(kExample, rom);
    LOAD_CORPUS_OR_SKIP("NES-ca65-example/background.chr", background);
    const std::string png = Path("example.png");
    const CliRun exported = Cli({"export", CorpusPath(kExample), png, "--pages", "all"});
    ASSERT_EQ(exported.status, CliOk) << exported.err;

    const QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.size(), QSize(128, 256)) << "two pages of 2BPP NES";
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    // Tile n of the background table at column n % 16, row n / 16: plane 0 in byte r, plane 1
    // in byte r + 8, leftmost pixel in the top bit.
    for (int n = 0; n < 256; ++n)
        for (int r = 0; r < 8; ++r)
            for (int x = 0; x < 8; ++x) {
                const int expected = ((background[16 * n + r] >> (7 - x)) & 1) |
                                     (((background[16 * n + r + 8] >> (7 - x)) & 1) << 1);
                ASSERT_EQ(image.pixelIndex((n % 16) * 8 + x, (n / 16) * 8 + r), expected)
                    << "tile " << n << " row " << r << " pixel " << x;
            }

    const std::string copy = ScrambledCopy(rom, 0x8010, 0xA010, "example.nes");
    const CliRun imported = Cli({"import", copy, png, "--pages", "all"});
    ASSERT_EQ(imported.status, CliOk) << imported.err;
    EXPECT_TRUE(Read(copy) == rom);
}

TEST_F(CorpusRom, RotatedAndMirroredExportImportsBackByteForByte) {
    std::vector<uint8_t> rom;
    LOAD_CORPUS_OR_SKIP(kExample, rom);
    for (const char* ext : {".png", ".bmp"}) {
        for (const char* rotate : {"0", "90", "180", "270"}) {
            for (const char* mirror : {"none", "horizontal", "vertical", "both"}) {
                const std::string image = Path(std::string("r") + rotate + mirror + ext);
                const CliRun exported = Cli({"export", CorpusPath(kExample), image, "--pages", "2",
                                             "--rotate", rotate, "--mirror", mirror});
                ASSERT_EQ(exported.status, CliOk) << exported.err;
                const std::string copy = ScrambledCopy(rom, 0x8010, 0xA010, "rotated.nes");
                const CliRun imported = Cli({"import", copy, image, "--pages", "2", "--rotate",
                                             rotate, "--mirror", mirror});
                ASSERT_EQ(imported.status, CliOk) << imported.err;
                EXPECT_TRUE(Read(copy) == rom)
                    << ext << ", rotate " << rotate << ", mirror " << mirror;
            }
        }
    }
}

// Whole ROMs without character banks, as 2 and 4 bits per pixel: every page of the program
// goes out and comes back into a copy whose program was overwritten.
TEST_F(CorpusRom, WholeProgramRomsImportBackByteForByte) {
    struct Case {
        const char* path;
        const char* format;
    };
    int done = 0;
    for (const Case& c : {Case{kGolfing, "2BPP NES"}, Case{kGolfing, "4BPP SNES/PCE CG"},
                          Case{kKubo, "2BPP NES"}}) {
        std::vector<uint8_t> rom;
        if (!corpus::LoadCorpusFile(c.path, rom))
            continue;
        ++done;
        const std::string png = Path("whole.png");
        const CliRun exported =
            Cli({"export", CorpusPath(c.path), png, "--format", c.format, "--pages", "all"});
        ASSERT_EQ(exported.status, CliOk) << c.path << ": " << exported.err;
        const std::string copy = ScrambledCopy(rom, 16, rom.size(), "whole.nes");
        const CliRun imported = Cli({"import", copy, png, "--format", c.format, "--pages", "all"});
        ASSERT_EQ(imported.status, CliOk) << c.path << ": " << imported.err;
        const std::vector<uint8_t> back = Read(copy);
        ASSERT_EQ(back.size(), rom.size());
        const auto diff = std::mismatch(back.begin(), back.end(), rom.begin());
        EXPECT_TRUE(diff.first == back.end())
            << c.path << " in " << c.format << ": first differing byte at "
            << (diff.first - back.begin());
    }
    if (done == 0)
        GTEST_SKIP() << "corpus ROMs absent";
}

} // namespace
} // namespace tavrin
