#include "cli/CliCommands.h"
#include "core/palette/files/PaletteFormat.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "qt/ImageBridge.h"
#include "support/CliRun.h"
#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <regex>
#include <sstream>

// Palette files of other programs on the command line: export and import --palette,
// palette convert and formats --palettes.

using namespace tavrin;

namespace {

using test::Cli;
using test::CliRun;

class CliPaletteTest : public test::TempFolderTest {};

// BGR555, little-endian: white, pure red at 5 bits (31), and 0x0421 (1 in each channel).
const std::vector<uint8_t> Bgr555Bytes = {0xFF, 0x7F, 0x1F, 0x00, 0x21, 0x04, 0x00, 0x7C};

TEST_F(CliPaletteTest, ThePaletteFileColoursTheExportedPage) {
    std::vector<uint8_t> rom(4096, 0);
    rom[0] = 0xC0; // 2BPP NES: pixels (0, 0) and (1, 0) = colour 1, the rest 0
    rom[8] = 0x80; // pixel (0, 0) = colour 3
    const std::string path = Write("one.chr", rom);
    const std::string gpl = WriteText("p.gpl", "GIMP Palette\nName: t\n# c\n1 2 3 a\n"
                                               "40 50 60 b\n70 80 90\n200 210 220 d\n");
    const std::string raw = Write("p.raw", Bgr555Bytes);
    struct Case {
        std::vector<std::string> options;
        std::vector<Colour> colours; // entries 0 to 3 of the image's palette
    } cases[] = {
        {{"--palette", gpl},
         {MakeColour(1, 2, 3), MakeColour(40, 50, 60), MakeColour(70, 80, 90),
          MakeColour(200, 210, 220)}},
        {{"--palette", raw, "--palette-format", "bgr555"},
         {MakeColour(255, 255, 255), MakeColour(255, 0, 0), MakeColour(8, 8, 8),
          MakeColour(0, 0, 255)}},
        {{"--palette", raw, "--palette-format=bgr555", "--expand", "shift"},
         {MakeColour(248, 248, 248), MakeColour(248, 0, 0), MakeColour(8, 8, 8),
          MakeColour(0, 0, 248)}},
        // Over --pal: the later file wins for the entries it holds.
        {{"--pal", Write("t.pal", std::vector<uint8_t>(768, 0x33)), "--palette", gpl},
         {MakeColour(1, 2, 3), MakeColour(40, 50, 60), MakeColour(70, 80, 90),
          MakeColour(200, 210, 220)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options[1] + (c.options.size() > 2 ? " " + c.options[2] : ""));
        std::vector<std::string> args = {"export", path, Path("out.png"), "--palette-only"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun r = Cli(args);
        ASSERT_EQ(r.status, CliOk) << r.err;
        Image8 image;
        std::string error;
        ASSERT_TRUE(ReadQtImage(Path("out.png"), image, error)) << error;
        ASSERT_GE(image.Colours().size(), 4u);
        EXPECT_EQ(std::vector<Colour>(image.Colours().begin(), image.Colours().begin() + 4),
                  c.colours);
        EXPECT_EQ(image.Pixel(0, 0), 3);
        EXPECT_EQ(image.Pixel(1, 0), 1);
    }
}

// NES palette RAM holds master-palette numbers, not colours: it goes into the palette set, so
// the page looks as with a palette-set file of those numbers over the standard one.
TEST_F(CliPaletteTest, PaletteRamGoesIntoThePaletteSet) {
    std::vector<uint8_t> rom(4096, 0);
    rom[0] = 0x60; // pixels 1 and 2: colour 1
    rom[8] = 0xA0; // pixels 0 and 2: colour 2; so pixel 2 is colour 3
    const std::string path = Write("one.chr", rom);
    const std::vector<uint8_t> ram = {0x0F, 0x30, 0x16, 0x2A, 0x01, 0x21, 0x12, 0x3D};
    std::vector<uint8_t> set = test::ReadBytes(TAVRIN_BIN_DIR "/tavrin.dat");
    ASSERT_GE(set.size(), ram.size());
    std::copy(ram.begin(), ram.end(), set.begin());
    ASSERT_EQ(Cli({"export", path, Path("ram.png"), "--palette", Write("ram.bin", ram),
                   "--palette-format", "nes-ram"})
                  .status,
              CliOk);
    ASSERT_EQ(Cli({"export", path, Path("set.png"), "--dat", Write("set.dat", set)}).status, CliOk);
    ASSERT_EQ(Cli({"export", path, Path("plain.png")}).status, CliOk);
    EXPECT_EQ(Read(Path("ram.png")), Read(Path("set.png")));
    EXPECT_NE(Read(Path("ram.png")), Read(Path("plain.png")));
}

TEST_F(CliPaletteTest, ImportMatchesTrueColoursAgainstThePaletteFile) {
    std::vector<uint8_t> rom(4096, 0);
    rom[0] = 0x80;
    const std::string path = Write("one.chr", rom);
    const std::string gpl = WriteText("p.gpl", "GIMP Palette\n9 9 9\n1 2 3\n4 5 6\n7 8 9\n");
    // A true-colour page in the palette file's colours: colour 0 with one pixel of colour 2.
    QImage page(128, 128, QImage::Format_RGB32);
    page.fill(qRgb(9, 9, 9));
    page.setPixel(1, 0, qRgb(4, 5, 6));
    ASSERT_TRUE(page.save(QString::fromStdString(Path("page.png"))));
    const CliRun r = Cli({"import", path, Path("page.png"), "--palette-only", "--palette", gpl});
    ASSERT_EQ(r.status, CliOk) << r.err;
    std::vector<uint8_t> expected(4096, 0);
    expected[8] = 0x40;
    EXPECT_EQ(Read(path), expected);
}

TEST_F(CliPaletteTest, ConvertWritesTheOtherFormat) {
    const std::string gpl =
        WriteText("in.gpl", "GIMP Palette\nColumns: 4\n0 0 0 black\n255 255 255 white\n"
                            "255 0 0\n0 255 0\n");
    const std::string raw = Write("in.raw", Bgr555Bytes);
    const auto colours = [](const std::string& path, PaletteFormat format) {
        return ReadPaletteBytes(test::ReadBytes(path), format).contents.colours;
    };
    const std::vector<Colour> four = {MakeColour(0, 0, 0), MakeColour(255, 255, 255),
                                      MakeColour(255, 0, 0), MakeColour(0, 255, 0)};
    struct Case {
        std::vector<std::string> args; // after "palette convert"
        PaletteFormat written;
        std::vector<Colour> first; // the first colours of what was written
    } cases[] = {
        {{gpl, Path("out.act")}, PaletteFormat::Act, four},
        {{gpl, Path("out.pal"), "--to", "jasc"}, PaletteFormat::Jasc, four},
        {{gpl, Path("out.bin"), "--to=md-cram"},
         PaletteFormat::MdCram,
         {MakeColour(0, 0, 0), MakeColour(255, 255, 255), MakeColour(255, 0, 0),
          MakeColour(0, 255, 0)}},
        {{raw, Path("out.gpl"), "--from", "bgr555"},
         PaletteFormat::Gpl,
         {MakeColour(255, 255, 255), MakeColour(255, 0, 0), MakeColour(8, 8, 8)}},
        {{gpl, Path("out.hex")}, PaletteFormat::Hex, four},
        {{WriteText("in.hex", "#000000\nFFFFFF\r\n\nff0000\n"), Path("o.txt")},
         PaletteFormat::PaintNet,
         {MakeColour(0, 0, 0), MakeColour(255, 255, 255), MakeColour(255, 0, 0)}},
        {{WriteText("in.txt", "; c\n80000000\nFFffFFff\n"), Path("o.hex"), "--from", "paint.net",
          "--to", "hex"},
         PaletteFormat::Hex,
         {MakeColour(0, 0, 0), MakeColour(255, 255, 255)}},
        {{raw, Path("out.gpl"), "--from", "bgr555", "--expand", "shift"},
         PaletteFormat::Gpl,
         {MakeColour(248, 248, 248), MakeColour(248, 0, 0), MakeColour(8, 8, 8)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + (c.args.size() > 2 ? c.args[2] : ""));
        std::vector<std::string> args = {"palette", "convert"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = Cli(args);
        ASSERT_EQ(r.status, CliOk) << r.err;
        const std::vector<Colour> got = colours(c.args[1], c.written);
        ASSERT_GE(got.size(), c.first.size());
        EXPECT_EQ(std::vector<Colour>(got.begin(), got.begin() + c.first.size()), c.first);
    }
}

// Every refusal is one line naming the file and the problem, and writes nothing.
TEST_F(CliPaletteTest, RefusalsSayWhyAndWriteNothing) {
    const std::vector<uint8_t> rom = test::RandomBytes(4096, 5);
    const std::string path = Write("r.chr", rom);
    const std::string noise = Write("noise.xyz", test::RandomBytes(100, 6));
    const std::string row = Write("row.pal", std::vector<uint8_t>(32, 0x11)); // two formats fit
    const std::string bad = WriteText("bad.gpl", "GIMP Palette\n1 2 3\nred green blue\n");
    const std::string out = Path("out.png");
    QImage page(128, 128, QImage::Format_RGB32);
    page.fill(qRgb(0, 0, 0));
    ASSERT_TRUE(page.save(QString::fromStdString(Path("page.png"))));
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"export", path, out, "--palette", Path("missing.gpl")},
         Path("missing.gpl") + ": no such file"},
        {{"export", path, out, "--palette", noise},
         noise + ": not a palette file of a known format; expected"},
        {{"export", path, out, "--palette", row}, row + ": the file fits several palette formats"},
        {{"export", path, out, "--palette", bad}, bad + ": gpl palette: line 3 is not a colour"},
        {{"import", path, Path("page.png"), "--palette", noise}, noise + ": not a palette file"},
        {{"export", path, out, "--palette-format", "bgr555"},
         "options --palette-format and --expand go with --palette"},
        {{"export", path, out, "--palette", row, "--palette-format", "snes"},
         "unknown palette format 'snes' for --palette-format"},
        {{"export", path, out, "--palette", row, "--expand", "half"},
         "bad expand 'half' (full or shift)"},
        {{"find", path, "--palette", row}, "unknown option '--palette' for 'find'"},
        {{"palette", "convert", noise, Path("out.xyz")}, "no palette format is written as '.xyz'"},
        {{"palette", "convert", noise, Path("out.act")}, noise + ": not a palette file"},
        {{"palette", "convert", row, Path("out.act"), "--from", "nes-ram"},
         "NES palette RAM holds indices into a master palette; give the master palette"},
        {{"palette", "convert", row, "-", "--from", "bgr555", "--to", "act"},
         "-: a palette file is written to a file, not to standard output"},
        {{"palette", "convert", row, Path("out.act"), "--from", "12"},
         "unknown palette format '12' for --from"},
        {{"palette", "swap", row, Path("out.act")}, "expected: tavrin-cli palette convert IN OUT"},
        {{"palette", "convert", row}, "expected: tavrin-cli palette convert IN OUT"},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, CliBadInput) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(FileExists(out));
        EXPECT_FALSE(FileExists(Path("out.act")));
    }
    EXPECT_EQ(Read(path), rom);
}

TEST_F(CliPaletteTest, FormatsListsThePaletteFormatsAndHelpNamesTheOptions) {
    const CliRun r = Cli({"formats", "--palettes"});
    ASSERT_EQ(r.status, CliOk) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> names;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 4) << line;
        names.push_back(line.substr(0, line.find('\t')));
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"jasc", "gpl", "hex", "paint.net", "act", "image", "bgr555",
                                        "md-cram", "sms", "gg", "nes", "nes-ram", "pal"}));
    EXPECT_NE(r.out.find("paint.net\tPaint.NET palette\t.txt\t-\tmaster\n"), std::string::npos);
    EXPECT_NE(r.out.find("bgr555\tSNES/GBA BGR555\t.bgr .cgr .cgram .pal .bin\t32 512\t"
                         "master,palette-set\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\t32\tpalette-set\n"), std::string::npos) << r.out; // nes-ram
    EXPECT_NE(r.out.find("jasc\tJASC-PAL text\t.pal\t-\tmaster\n"), std::string::npos);

    for (const std::vector<std::string>& args : {std::vector<std::string>{"export", "--help"},
                                                 {"import", "--help"},
                                                 {"palette", "--help"},
                                                 {"palette", "convert", "--help"},
                                                 {"formats", "--help"}}) {
        const CliRun help = Cli(args);
        EXPECT_EQ(help.status, CliOk);
        EXPECT_NE(help.out.find(args[0] == "formats"   ? "--palettes"
                                : args[0] == "palette" ? "--expand E"
                                                       : "--palette FILE"),
                  std::string::npos)
            << help.out;
    }
    // The help's hand-written lists name every format of the table.
    for (const char* command : {"export", "palette"}) {
        const std::string help = Cli(command == std::string("export")
                                         ? std::vector<std::string>{"export", "--help"}
                                         : std::vector<std::string>{"palette", "convert", "--help"})
                                     .out;
        for (std::string name : names) {
            name = std::regex_replace(name, std::regex("\\."), "\\.");
            EXPECT_TRUE(std::regex_search(help, std::regex("[ (]" + name + "[,) \n]")))
                << command << ": " << name;
        }
    }
}

} // namespace
