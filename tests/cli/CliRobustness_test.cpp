// The command line on rare but real input: no input crashes it, nothing is lost without a
// word, and every refusal is one line of plain words that writes nothing.
#include "cli/CliCommands.h"
#include "core/dib/BitmapFile.h"
#include "core/dib/TNkDIB.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"
#include "core/startup/AppPaths.h"

#include "core/dib/DibBuilder.h"
#include "support/CliRun.h"
#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavrin;
using namespace tavrin::test;
namespace fs = std::filesystem;

namespace {

using test::Cli;
using test::CliRun;

// An iNES image of fileSize bytes with the given banks in its header.
std::vector<uint8_t> INes(int programBanks, int characterBanks, size_t fileSize, uint32_t seed) {
    std::vector<uint8_t> rom = RandomBytes(fileSize, seed);
    std::copy_n("NES\x1A\0\0\0", 7, rom.begin());
    rom[4] = static_cast<uint8_t>(programBanks);
    rom[5] = static_cast<uint8_t>(characterBanks);
    return rom;
}

// A bitmap file around a DIB, in one piece.
std::vector<uint8_t> BitmapFileOf(const DibSpec& shape) {
    const std::vector<uint8_t> dib = BuildDib(shape);
    std::vector<uint8_t> file(14 + dib.size());
    StoreLE16(file.data(), BitmapFileType);
    StoreLE32(file.data() + 10, static_cast<uint32_t>(14 + BitsOffset(shape)));
    std::copy(dib.begin(), dib.end(), file.begin() + 14);
    return file;
}

// Runs body in a child whose address space may grow by headroom bytes; its exit status.
int InLimitedChild(rlim_t headroom, const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line) && line.rfind("VmSize:", 0) != 0) {
        }
        const rlimit limit{std::stoull(line.substr(7)) * 1024 + headroom, RLIM_INFINITY};
        ::setrlimit(RLIMIT_AS, &limit);
        ::_exit(body());
    }
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

class CliRobustness : public TempFolderTest {
protected:
    void TearDown() override {
        if (m_mounted)
            ::umount(m_dir.c_str());
    }
    // Files a refused command may not have written read as empty.
    static std::vector<uint8_t> Read(const std::string& path) { return ReadBytesIfAny(path); }
    static std::string Text(const std::string& path) {
        const std::vector<uint8_t> bytes = Read(path);
        return {bytes.begin(), bytes.end()};
    }

    bool m_mounted = false;
};

} // namespace

// Seen: --pages 6104 passed the container's 1e8 pixels and aborted the tool; --pages all of
// a 1 GiB file threw bad_alloc. A PNG of 8192 pages (128 MiB of pixels) is written within
// 100 MiB more address space, where the whole image alone does not fit.
TEST_F(CliRobustness, LargeExportsAreRefusedAsBitmapsAndStreamedAsPngs) {
    const std::string rom = Write("r.chr", RandomBytes(64 * 1024, 1));
    const CliRun r = Cli({"export", rom, Path("out.bmp"), "--pages", "6104"});
    EXPECT_EQ(r.status, CliBadInput);
    EXPECT_EQ(r.err, "tavrin-cli: " + Path("out.bmp") +
                         ": 6104 pages make 100007936 pixels, more than a bitmap may hold "
                         "(100000000); write a PNG instead (OUT.png), which takes any number of "
                         "pages\n");
    EXPECT_FALSE(FileExists(Path("out.bmp")));

    const int status = InLimitedChild(100u << 20, [&] {
        if (Cli({"export", rom, Path("all.png"), "--pages", "8192"}).status != CliOk)
            return 1;
        try {
            Image8 whole(128, 128 * 8192);
            return 2;
        } catch (const std::bad_alloc&) {
            return 0;
        }
    });
    ASSERT_EQ(status, 0) << "1: the export failed, 2: the limit would not have stopped it";
    const std::vector<uint8_t> png = Read(Path("all.png"));
    EXPECT_EQ(std::vector<uint8_t>(png.begin() + 20, png.begin() + 24),
              (std::vector<uint8_t>{0x00, 0x10, 0x00, 0x00})); // 8192 x 128 rows
    EXPECT_TRUE(std::equal(png.end() - 8, png.end() - 4, "IEND"));
}

// A core call that throws (here: no memory for a true-colour bitmap of 1e8 pixels) ends in
// one line and writes nothing.
TEST_F(CliRobustness, AnExceptionIsOneLineAndWritesNothing) {
    DibSpec huge;
    huge.width = 10000;
    huge.height = 10000;
    huge.bitCount = 24;
    const std::string image = Write("huge.bmp", BitmapFileOf(huge));
    ASSERT_EQ(::truncate(image.c_str(), 54 + 300'000'000), 0);
    const std::string rom = Write("r.chr", RandomBytes(4096, 3));
    EXPECT_EQ(InLimitedChild(200u << 20,
                             [&] {
                                 const CliRun r = Cli({"import", rom, image});
                                 std::ofstream(Path("err.txt")) << r.err;
                                 return r.status;
                             }),
              CliBadInput);
    EXPECT_EQ(Text(Path("err.txt")), "tavrin-cli: not enough memory for this command\n");
    EXPECT_EQ(Read(rom), RandomBytes(4096, 3));
}

TEST_F(CliRobustness, StandardOutputTakesThePngAndOtherNonFilesAreRefusedAtOnce) {
    const std::string rom = Write("r.chr", RandomBytes(10000, 4));
    ASSERT_EQ(Cli({"export", rom, Path("a.png"), "--pages", "all"}).status, CliOk);
    const CliRun toOut = Cli({"export", rom, "-", "--pages", "all"});
    EXPECT_EQ(toOut.status, CliOk);
    EXPECT_EQ(toOut.out, Text(Path("a.png")));
    // A pipe nobody reads and a folder, refused before the (missing) ROM is looked at.
    fs::create_directories(m_dir / "folder.png");
    ASSERT_EQ(::mkfifo(Path("pipe.png").c_str(), 0600), 0);
    for (const auto& [out, kind] :
         {std::pair{Path("folder.png"), "a folder"}, std::pair{Path("pipe.png"), "a pipe"}})
        EXPECT_EQ(Cli({"export", Path("missing.chr"), out}).err,
                  "tavrin-cli: " + out + ": is " + kind + ", not an image\n");
}

// Seen: 87 of 200 concurrent pairs of imports into one ROM lost a page, both returning 0.
TEST_F(CliRobustness, ConcurrentImportsIntoOneRomAllLand) {
    constexpr int Pages = 8;
    const std::vector<uint8_t> blank(Pages * 4096, 0);
    const std::string rom = Write("r.chr", blank);
    std::vector<uint8_t> expected = blank;
    for (int k = 0; k < Pages; ++k) {
        Image8 page(128, 128);
        const std::vector<uint8_t> pixels = RandomBytes(128 * 128, 50u + k);
        std::transform(pixels.begin(), pixels.end(), page.Bits(), [](uint8_t p) { return p & 3; });
        ASSERT_TRUE(WriteBitmapFile(Path(std::to_string(k) + ".bmp"), page));
        // Alone into a blank ROM, the page leaves the bytes it must leave in the shared one.
        const std::string single = Write("single.chr", blank);
        Cli({"import", single, Path(std::to_string(k) + ".bmp"), "--address",
             std::to_string(4096 * k)});
        std::copy_n(Read(single).begin() + 4096 * k, 4096, expected.begin() + 4096 * k);
    }
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(WriteFileSafely(rom, blank));
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        std::vector<pid_t> children;
        for (int k = 0; k < Pages; ++k)
            if (const pid_t pid = ::fork(); pid == 0) {
                char c;
                ::close(gate[1]);
                while (::read(gate[0], &c, 1) > 0) {
                } // every child starts when the gate closes
                ::_exit(Cli({"import", rom, Path(std::to_string(k) + ".bmp"), "--address",
                             std::to_string(4096 * k)})
                            .status);
            } else {
                children.push_back(pid);
            }
        ::close(gate[0]);
        ::close(gate[1]);
        for (const pid_t pid : children) {
            int raw = 0;
            ::waitpid(pid, &raw, 0);
            EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == CliOk);
        }
        EXPECT_EQ(Read(rom), expected) << "round " << round;
    }
}

// Seen: --address 0xA000 on a ROM ending at 0xA010 wrote at 0x9010 and returned 0; an empty
// file and a header past the end imported nothing and returned 0. Export moves and says so.
TEST_F(CliRobustness, ImportTakesItsAddressExactlyOrRefuses) {
    const std::vector<uint8_t> nrom = INes(2, 1, 0xA010, 5);
    Image8 page(128, 128);
    page.Fill(1);
    ASSERT_TRUE(WriteBitmapFile(Path("page.bmp"), page));
    const std::string past = "would reach past the end address (0x00A010); the last page starts "
                             "at 0x009010";
    const std::vector<std::tuple<std::vector<uint8_t>, std::vector<std::string>, std::string>>
        cases = {
            {nrom, {"--address", "0x9010"}, ""},
            {nrom, {"--address", "0xA000"}, "the page at 0x00A000 " + past},
            {nrom, {"--address", "0x7FFFFFFF"}, "the page at 0x7FFFFFFF " + past},
            {nrom,
             {"--address", "0x9010", "--pages", "2"},
             "2 pages from 0x009010 reach past the end of the data (0x00A010)"},
            {{}, {}, "no data at 0x000000 to import into (the data ends at 0x000000)"},
            {INes(2, 1, 116, 6),
             {},
             "no data at 0x008010 to import into (the data ends at 0x000074)"},
        };
    for (const auto& [bytes, options, refusal] : cases) {
        const std::string rom = Write("r.nes", bytes);
        std::vector<std::string> args = {"import", rom, Path("page.bmp")};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, refusal.empty() ? CliOk : CliBadInput);
        EXPECT_EQ(r.err, refusal.empty() ? "" : "tavrin-cli: " + rom + ": " + refusal + "\n");
        EXPECT_EQ(Read(rom) != bytes, refusal.empty()) << refusal;
    }
    const std::string rom = Write("r.nes", nrom);
    const CliRun e = Cli({"export", rom, Path("x.png"), "--address", "0xA000"});
    EXPECT_EQ(e.status, CliOk);
    EXPECT_EQ(e.err, "tavrin-cli: " + rom +
                         ": note: the page at 0x00A000 would reach past the end address "
                         "(0x00A010); the address used is 0x009010\n");
}

// Seen: export wrote 8 pages of an iNES image whose header claims more characters than the
// file holds, and import then refused them. Every export of all pages imports back.
TEST_F(CliRobustness, ExportAndImportAgreeOnAllPages) {
    struct Case {
        std::vector<uint8_t> rom;
        int start;
        int pages; // 0: both refuse
    };
    for (const Case& c : {Case{RandomBytes(10000, 7), 0, 3}, Case{INes(2, 4, 0xA010, 8), 0x8010, 2},
                          Case{INes(0, 1, 16 + 8192 + 5000, 9), 16, 2},
                          Case{INes(2, 1, 116, 10), 0, 0}, Case{{}, 0, 0}}) {
        const std::string rom = Write("r.nes", c.rom);
        ASSERT_EQ(Cli({"export", rom, Path("all.png"), "--pages", "all"}).status,
                  c.pages ? CliOk : CliBadInput);
        if (c.pages == 0) {
            ASSERT_TRUE(WriteBitmapFile(Path("page.bmp"), Image8(128, 128)));
            EXPECT_EQ(Cli({"import", rom, Path("page.bmp"), "--pages", "all"}).status, CliBadInput);
            continue;
        }
        EXPECT_EQ(QImage(QString::fromStdString(Path("all.png"))).height(), 128 * c.pages);
        std::vector<uint8_t> scrambled = c.rom;
        std::fill(scrambled.begin() + c.start, scrambled.end(), 0x5A);
        const std::string copy = Write("copy.nes", scrambled);
        const CliRun i = Cli({"import", copy, Path("all.png"), "--pages", "all"});
        EXPECT_EQ(i.status, CliOk);
        EXPECT_EQ(i.err, "");
        const size_t end = std::min(c.rom.size(), static_cast<size_t>(c.start + c.pages * 4096));
        EXPECT_TRUE(std::equal(c.rom.begin(), c.rom.begin() + end, Read(copy).begin()));
    }
}

// An export saved as true colour (PNG or bitmap) by another program comes back by its exact
// colours; a colour the palette does not hold is named with its place.
TEST_F(CliRobustness, TrueColourImagesImportByTheirExactColours) {
    const std::vector<uint8_t> bytes = RandomBytes(8192, 11);
    const std::string rom = Write("r.chr", bytes);
    ASSERT_EQ(Cli({"export", rom, Path("page.png"), "--entry", "5"}).status, CliOk);
    QImage rgb =
        QImage(QString::fromStdString(Path("page.png"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(rgb.save(QString::fromStdString(Path("rgb.png"))));
    std::vector<Colour> colours;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            colours.push_back(
                MakeColour(qRed(rgb.pixel(x, y)), qGreen(rgb.pixel(x, y)), qBlue(rgb.pixel(x, y))));
    TNkDIB dib;
    dib.AssignRgb(128, 128, colours);
    Write("rgb.bmp", dib.SaveToStream());
    rgb.setPixel(3, 7, qRgb(1, 2, 3));
    ASSERT_TRUE(rgb.save(QString::fromStdString(Path("odd.png"))));

    std::vector<uint8_t> scrambled = bytes;
    std::fill(scrambled.begin(), scrambled.begin() + 4096, 0);
    for (const char* name : {"rgb.png", "rgb.bmp", "odd.png"}) {
        const std::string copy = Write("copy.chr", scrambled);
        const CliRun r = Cli({"import", copy, Path(name), "--entry", "5"});
        const bool odd = name == std::string("odd.png");
        EXPECT_EQ(r.status, odd ? CliBadInput : CliOk) << name;
        EXPECT_EQ(Read(copy), odd ? scrambled : bytes) << name;
        if (odd) {
            EXPECT_EQ(r.err, "tavrin-cli: " + Path(name) +
                                 ": pixel (3, 7) has the colour #010203, which is not in the "
                                 "palette export writes with these options (give import the "
                                 "--pal, --dat, --entry and --palette-only of the export)\n");
        }
    }
}

// Seen: the right half of a 256 x 256 image was dropped without a word.
TEST_F(CliRobustness, WarningsNameWhatWasLeftOut) {
    const std::string rom = Write("r.chr", RandomBytes(4 * 4096, 12));
    const std::vector<std::tuple<int, int, const char*, std::string>> cases = {
        {256, 256, "2",
         "the image is 256 pixels wide; only its left 128 columns were imported (columns 128 to "
         "255 were left out)"},
        {128, 200, "all",
         "the image is 200 rows high, not a whole number of 128-row pages: page 2 took only its "
         "top 72 rows, the rest of it kept its bytes"},
        {128, 128, "3",
         "the image's 128 rows reach only 1 of the 3 pages; the others kept their bytes"},
        {128, 300, "1", "only the first 1 of 3 pages were imported (see --pages)"},
        {16, 2, "1", ""},
    };
    for (const auto& [width, height, pages, warning] : cases) {
        ASSERT_TRUE(WriteBitmapFile(Path("in.bmp"), Image8(width, height)));
        const CliRun r = Cli({"import", rom, Path("in.bmp"), "--pages", pages});
        EXPECT_EQ(r.status, CliOk);
        EXPECT_EQ(r.err, warning.empty()
                             ? ""
                             : "tavrin-cli: " + Path("in.bmp") + ": warning: " + warning + "\n");
    }
}

// Seen: container routine names and libpng's lines, "no such file" for a folder or a pipe,
// "larger than 2 GiB" for a smaller file, a stray "expected:" line, the usage on standard
// output with status 0 for no arguments.
TEST_F(CliRobustness, MessagesArePlainWordsOnOneLine) {
    const std::string rom = Write("r.chr", RandomBytes(4096, 13));
    fs::create_directories(m_dir / "folder");
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    DibSpec zeroWidth;
    zeroWidth.height = 1;
    zeroWidth.colours = {Rgb(0, 0, 0)};
    DibSpec badRle = zeroWidth;
    badRle.width = 2;
    badRle.compression = BiRle8;
    badRle.bits = {5, 1, 0, 1}; // a run of 5 in a row of 2
    const std::string bmp = Write("zero.bmp", BitmapFileOf(zeroWidth));
    const std::string rle = Write("rle.bmp", BitmapFileOf(badRle));
    ASSERT_EQ(Cli({"export", rom, Path("p.png")}).status, CliOk);
    std::vector<uint8_t> png = Read(Path("p.png"));
    png[png.size() - 20] ^= 0xFF; // inside the image data: libpng reports a bad check
    Write("p.png", png);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"import", rom, Path("missing.bmp")}, Path("missing.bmp") + ": no such file"},
        {{"import", rom, Path("folder")}, Path("folder") + ": is a folder, not a file"},
        {{"import", rom, Path("pipe")}, Path("pipe") + ": is a pipe, not a file"},
        {{"info", Path("folder")}, Path("folder") + ": is a folder, not a file"},
        {{"export", rom, Path("x.png"), "--pal", Path("folder")},
         Path("folder") + ": is a folder, not a file"},
        {{"import", rom, bmp},
         bmp + ": the bitmap's width or height is invalid or past 100000000 pixels"},
        {{"import", rom, rle}, rle + ": the bitmap's compressed pixel data is damaged"},
        {{"import", rom, Path("p.png")},
         Path("p.png") + ": the image is damaged or too large to read"},
        {{"export", rom, "--bogus", "x", Path("x.png")}, "unknown option '--bogus' for 'export'"},
    };
    for (const auto& [args, expected] : cases) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, CliBadInput);
        EXPECT_EQ(r.err, "tavrin-cli: " + expected + "\n");
    }
    EXPECT_EQ(Read(rom), RandomBytes(4096, 13));
    const CliRun none = Cli({});
    EXPECT_EQ(std::tuple(none.status, none.out), std::tuple(CliBadInput, std::string()));
    EXPECT_EQ(none.err.rfind("Usage: tavrin-cli COMMAND", 0), 0u);

    // The program itself prints nothing but its own line (libpng's goes nowhere).
    const int raw = std::system(
        (TAVRIN_BIN_DIR "/tavrin-cli import " + rom + " " + Path("p.png") + " 2>" + Path("err.txt"))
            .c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, CliBadInput);
    EXPECT_EQ(Text(Path("err.txt")),
              "tavrin-cli: " + Path("p.png") + ": the image is damaged or too large to read\n");
    // A file the memory cannot hold is not called larger than 2 GiB.
    const std::string big = Write("big.chr", {1});
    ASSERT_EQ(::truncate(big.c_str(), 512 << 20), 0);
    EXPECT_EQ(InLimitedChild(128u << 20,
                             [&] {
                                 return Cli({"info", big}).err ==
                                                "tavrin-cli: " + big +
                                                    ": not enough memory to read the file\n"
                                            ? 0
                                            : 1;
                             }),
              0);
}

// Seen: an import on a full disk left the ROM half-written; a failed export cut an existing
// bitmap short. Now the old files stay whole and no temporary file is left.
TEST_F(CliRobustness, AFullDiskLeavesEveryFileAsItWas) {
    if (::mount("tavrin", m_dir.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here: " << std::strerror(errno);
    m_mounted = true;
    const std::vector<uint8_t> bytes = RandomBytes(96 * 1024, 15);
    const std::string rom = Write("r.chr", bytes);
    ASSERT_TRUE(WriteBitmapFile(Path("page.bmp"), Image8(128, 128)));
    Write("old.bmp", {1, 2, 3});
    Write("old.png", {1, 2, 3});
    Write("filler", std::vector<uint8_t>(96 * 1024, 0)); // less than the ROM is left
    const auto before = std::distance(fs::directory_iterator(m_dir), {});
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"import", rom, Path("page.bmp")},
          {"export", rom, Path("old.bmp"), "--pages", "all"},
          {"export", rom, Path("old.png"), "--pages", "all"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, CliBadInput);
        EXPECT_NE(r.err.find(": No space left on device\n"), std::string::npos) << r.err;
    }
    EXPECT_EQ(Read(rom), bytes);
    EXPECT_EQ(Read(Path("old.bmp")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(Read(Path("old.png")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), {}), before);
}
