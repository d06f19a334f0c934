#include "core/palette/files/PaletteFormat.h"

#include "../PaletteTestFiles.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<Colour> SeededColours(size_t n, uint32_t seed) {
    const std::vector<uint8_t> bytes = test::RandomBytes(3 * n, seed);
    std::vector<Colour> colours;
    for (size_t k = 0; k < n; ++k)
        colours.push_back(MakeColour(bytes[3 * k], bytes[3 * k + 1], bytes[3 * k + 2]));
    return colours;
}

Colour Quantised(Colour c, int bits) {
    const auto q = [bits](int v) {
        return ExpandChannel(ReduceChannel(v, bits), bits, ChannelExpansion::Full);
    };
    return MakeColour(q(RedOf(c)), q(GreenOf(c)), q(BlueOf(c)));
}

} // namespace

// Write, read, same colours within the format's depth; formats of a fixed size pad with black.
TEST(PaletteFormat, EveryFormatReadsBackWhatItWrote) {
    struct Case {
        PaletteFormat format;
        size_t given;    // colours written
        size_t readBack; // colours read
        int bits;        // per channel
        bool png = true;
    };
    const Case cases[] = {
        {PaletteFormat::Jasc, 37, 37, 8},          {PaletteFormat::Gpl, 300, 300, 8},
        {PaletteFormat::Hex, 300, 300, 8},         {PaletteFormat::PaintNet, 96, 96, 8},
        {PaletteFormat::PaintNet, 97, 96, 8},      {PaletteFormat::Act, 256, 256, 8},
        {PaletteFormat::Act, 13, 13, 8},           {PaletteFormat::Image, 20, 20, 8},
        {PaletteFormat::Image, 20, 256, 8, false}, {PaletteFormat::Bgr555, 256, 256, 5},
        {PaletteFormat::Bgr555, 16, 16, 5},        {PaletteFormat::MdCram, 40, 64, 3},
        {PaletteFormat::Sms, 32, 32, 2},           {PaletteFormat::Gg, 32, 32, 4},
        {PaletteFormat::Nes, 64, 64, 8},           {PaletteFormat::Nes, 512, 512, 8},
        {PaletteFormat::Pal, 100, 256, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(InfoOf(c.format).name) + " " + std::to_string(c.given));
        PaletteContents contents;
        contents.colours = SeededColours(c.given, static_cast<uint32_t>(c.given));
        PaletteOptions options;
        options.imageAsPng = c.png;
        const std::vector<uint8_t> bytes = WritePaletteBytes(contents, c.format, options);
        const PaletteRead read = ReadPaletteBytes(bytes, c.format);
        ASSERT_TRUE(read) << DescribePaletteProblem(read);
        EXPECT_FALSE(read.IsShort());
        EXPECT_EQ(read.ignoredBytes, 0u);
        ASSERT_EQ(read.contents.colours.size(), c.readBack);
        for (size_t k = 0; k < c.readBack; ++k)
            ASSERT_EQ(read.contents.colours[k],
                      k < c.given ? Quantised(contents.colours[k], c.bits) : 0u)
                << "entry " << k;
    }
    PaletteContents ram;
    ram.indices = {0x0F, 0x30, 0x21, 0x3F, 1, 2, 3};
    const PaletteRead read =
        ReadPaletteBytes(WritePaletteBytes(ram, PaletteFormat::NesRam), PaletteFormat::NesRam);
    ram.indices.resize(32, 0);
    EXPECT_EQ(read.contents.indices, ram.indices);
}

TEST(PaletteFormat, ConsoleColoursDecodeByTheirBitLayout) {
    struct Case {
        PaletteFormat format;
        std::vector<uint8_t> bytes;
        ChannelExpansion expansion;
        Colour first;
    };
    const Case cases[] = {
        {PaletteFormat::Bgr555, {0xFF, 0x7F}, ChannelExpansion::Full, 0xFFFFFF},
        {PaletteFormat::Bgr555, {0xFF, 0xFF}, ChannelExpansion::Shift, 0xF8F8F8}, // bit 15 ignored
        {PaletteFormat::Bgr555, {0x1F, 0x00}, ChannelExpansion::Shift, 0x0000F8},
        {PaletteFormat::Bgr555, {0x00, 0x7C}, ChannelExpansion::Full, 0xFF0000}, // blue
        {PaletteFormat::Bgr555, {0x10, 0x02}, ChannelExpansion::Full, 0x008484}, // 16, 16, 0
        {PaletteFormat::MdCram, {0x0E, 0xEE}, ChannelExpansion::Full, 0xFFFFFF},
        {PaletteFormat::MdCram, {0x00, 0x0E}, ChannelExpansion::Shift, 0x0000E0}, // red 7
        {PaletteFormat::MdCram, {0xF2, 0x20}, ChannelExpansion::Full, 0x242400},  // top bits off
        {PaletteFormat::Sms, {0x3F}, ChannelExpansion::Full, 0xFFFFFF},
        {PaletteFormat::Sms, {0xC6}, ChannelExpansion::Full, 0x0055AA}, // r2 g1, top bits off
        {PaletteFormat::Sms, {0x30}, ChannelExpansion::Shift, 0xC00000},
        {PaletteFormat::Gg, {0xFF, 0xFF}, ChannelExpansion::Full, 0xFFFFFF},
        {PaletteFormat::Gg, {0x2F, 0x01}, ChannelExpansion::Full, 0x1122FF},
        {PaletteFormat::Gg, {0x0F, 0x00}, ChannelExpansion::Shift, 0x0000F0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(InfoOf(c.format).name);
        PaletteOptions options;
        options.expansion = c.expansion;
        const PaletteRead read = ReadPaletteBytes(c.bytes, c.format, options);
        ASSERT_TRUE(read);
        EXPECT_EQ(read.contents.colours.front(), c.first);
    }
    EXPECT_EQ(ReadPaletteBytes(std::vector<uint8_t>(32, 0xFF), PaletteFormat::NesRam)
                  .contents.indices.front(),
              0x3F);
}

TEST(PaletteFormat, TextFormatsReadTheirEdgeCases) {
    struct Case {
        const char* name;
        PaletteFormat format;
        std::string_view text;
        std::vector<Colour> colours;
        size_t expectedCount = 0;
        PaletteProblem problem = PaletteProblem::None;
        int line = 0;
    };
    const Case cases[] = {
        {"jasc plain",
         PaletteFormat::Jasc,
         "JASC-PAL\n0100\n2\n255 0 0\n0 0 255\n",
         {0x0000FF, 0xFF0000}},
        {"jasc CRLF", PaletteFormat::Jasc, "JASC-PAL\r\n0100\r\n1\r\n1 2 3\r\n", {0x030201}},
        {"jasc CR", PaletteFormat::Jasc, "JASC-PAL\r0100\r1\r1 2 3", {0x030201}},
        {"jasc no count",
         PaletteFormat::Jasc,
         "JASC-PAL\n0100\n1 2 3\n4 5 6\n",
         {0x030201, 0x060504}},
        {"jasc no version", PaletteFormat::Jasc, "JASC-PAL\n1\n1 2 3\n", {0x030201}},
        {"jasc alpha column", PaletteFormat::Jasc, "JASC-PAL\n0100\n1\n1 2 3 128\n", {0x030201}},
        {"jasc count beyond lines",
         PaletteFormat::Jasc,
         "JASC-PAL\n0100\n16\n9 9 9\n",
         {0x090909},
         16},
        {"jasc lines beyond count",
         PaletteFormat::Jasc,
         "JASC-PAL\n0100\n1\n9 9 9\n1 1 1\n",
         {0x090909}},
        {"jasc blank lines",
         PaletteFormat::Jasc,
         "JASC-PAL\n0100\n2\n\n1 2 3\n  \n4 5 6\n",
         {0x030201, 0x060504}},
        {"jasc over 255",
         PaletteFormat::Jasc,
         "JASC-PAL\n0100\n1\n256 0 0\n",
         {},
         0,
         PaletteProblem::BadLine,
         4},
        {"jasc two numbers",
         PaletteFormat::Jasc,
         "JASC-PAL\n0100\n2\n1 2 3\n1 2\n",
         {},
         0,
         PaletteProblem::BadLine,
         5},
        {"jasc glued", PaletteFormat::Jasc, "JASC-PAL\n1,2,3\n", {}, 0, PaletteProblem::BadLine, 2},
        {"jasc header", PaletteFormat::Jasc, "JASC\n0100\n", {}, 0, PaletteProblem::WrongHeader},
        {"jasc empty",
         PaletteFormat::Jasc,
         "JASC-PAL\n0100\n0\n",
         {},
         0,
         PaletteProblem::NoColours},
        {"gpl full",
         PaletteFormat::Gpl,
         "GIMP Palette\nName: Test\nColumns: 4\n# comment\n255 255 255\tWhite\n  0   0 1 Dark "
         "blue\n",
         {0xFFFFFF, 0x010000}},
        {"gpl CRLF no fields", PaletteFormat::Gpl, "GIMP Palette\r\n#\r\n7 8 9\r\n", {0x090807}},
        {"gpl bad",
         PaletteFormat::Gpl,
         "GIMP Palette\nName: x\nred 0 0\n",
         {},
         0,
         PaletteProblem::BadLine,
         3},
        {"gpl header",
         PaletteFormat::Gpl,
         "GIMP palette\n1 2 3\n",
         {},
         0,
         PaletteProblem::WrongHeader},
    };
    // Paint.NET shows 96 colours, but a longer file is read whole.
    std::string long100;
    for (int k = 0; k < 100; ++k)
        long100 += "FF0000FF\n";
    const auto bad = PaletteProblem::BadLine;
    const Case more[] = {
        {"hex plain", PaletteFormat::Hex, "ff0000\n0000ff", {0x0000FF, 0xFF0000}},
        {"hex hash, case, CR, blanks",
         PaletteFormat::Hex,
         "#A1b2C3\r\n\r\n  #0a0B0c \n\n\r00ff00\r\n",
         {0xC3B2A1, 0x0C0B0A, 0x00FF00}},
        {"hex 5 digits", PaletteFormat::Hex, "ffffff\nfffff\n", {}, 0, bad, 2},
        {"hex not hex", PaletteFormat::Hex, "00ff0g\n", {}, 0, bad, 1},
        {"paint.net alpha ignored",
         PaletteFormat::PaintNet,
         "; Paint.NET Palette File\n;Colors: 2\n00112233\r\n\n  ff445566\n",
         {0x332211, 0x665544}},
        {"paint.net hash", PaletteFormat::PaintNet, ";\n#FF112233\n", {}, 0, bad, 2},
        {"paint.net 6 digits", PaletteFormat::PaintNet, "; x\n\n112233\n", {}, 0, bad, 3},
        {"paint.net past 96", PaletteFormat::PaintNet, long100, std::vector<Colour>(100, 0xFF0000)},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.insert(all.end(), std::begin(more), std::end(more));
    for (const Case& c : all) {
        SCOPED_TRACE(c.name);
        const PaletteRead read = ReadPaletteBytes(Bytes(c.text), c.format);
        EXPECT_EQ(read.problem, c.problem) << DescribePaletteProblem(read);
        EXPECT_EQ(read.contents.colours, c.colours);
        EXPECT_EQ(read.expectedCount, c.expectedCount);
        EXPECT_EQ(read.line, c.line);
    }
}

TEST(PaletteFormat, TextFormatsWriteTheirExactText) {
    PaletteContents two;
    two.colours = {MakeColour(0xAB, 0x01, 0xFF), MakeColour(0, 0x10, 0x0E)};
    PaletteContents many;
    many.colours = SeededColours(97, 9);
    many.colours[95] = MakeColour(1, 2, 3);
    struct Case {
        const char* name;
        PaletteFormat format;
        const PaletteContents& contents;
        std::string text; // the whole file, or its end when tail
        bool tail = false;
    };
    const Case cases[] = {
        {"hex", PaletteFormat::Hex, two, "ab01ff\n00100e\n"},
        {"paint.net", PaletteFormat::PaintNet, two,
         "; Paint.NET Palette File\nFFAB01FF\nFF00100E\n"},
        {"paint.net ends at 96", PaletteFormat::PaintNet, many, "\nFF010203\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = WritePaletteBytes(c.contents, c.format);
        const std::string text(bytes.begin(), bytes.end());
        if (c.tail)
            EXPECT_TRUE(text.ends_with(c.text)) << text;
        else
            EXPECT_EQ(text, c.text);
    }
    // The warnings of a write that leaves entries out.
    EXPECT_EQ(DescribeLeftOut(PaletteFormat::PaintNet, 256),
              "160 entries past the 96 that paint.net holds were left out");
    EXPECT_EQ(DescribeLeftOut(PaletteFormat::PaintNet, 96), "");
    EXPECT_NE(LeftOutMessage(PaletteFormat::PaintNet, 97).find("96"), std::string::npos);
}

TEST(PaletteFormat, ShortAndOversizedBinaryFilesFillWhatTheyHold) {
    struct Case {
        PaletteFormat format;
        size_t size;
        size_t count;
        size_t expectedCount;
        size_t ignored;
    };
    const Case cases[] = {
        {PaletteFormat::Act, 30, 10, 256, 0},     {PaletteFormat::Act, 769, 256, 0, 1},
        {PaletteFormat::Act, 800, 256, 0, 28},    {PaletteFormat::Bgr555, 33, 16, 0, 1},
        {PaletteFormat::Bgr555, 600, 256, 0, 88}, {PaletteFormat::MdCram, 20, 10, 64, 0},
        {PaletteFormat::MdCram, 130, 64, 0, 2},   {PaletteFormat::Sms, 31, 31, 32, 0},
        {PaletteFormat::Gg, 64 + 7, 32, 0, 7},    {PaletteFormat::Nes, 100, 33, 64, 1},
        {PaletteFormat::Nes, 200, 64, 0, 8},      {PaletteFormat::Nes, 1540, 512, 0, 4},
        {PaletteFormat::NesRam, 16, 16, 32, 0},   {PaletteFormat::NesRam, 40, 32, 0, 8},
        {PaletteFormat::Pal, 30, 10, 256, 0},     {PaletteFormat::Pal, 1536, 256, 0, 768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(InfoOf(c.format).name) + " " + std::to_string(c.size));
        const PaletteRead read = ReadPaletteBytes(test::RandomBytes(c.size, 7), c.format);
        ASSERT_TRUE(read);
        EXPECT_EQ(read.contents.Count(), c.count);
        EXPECT_EQ(read.expectedCount, c.expectedCount);
        EXPECT_EQ(read.ignoredBytes, c.ignored);
        EXPECT_EQ(DescribePaletteWarnings(read).size(),
                  (c.expectedCount > 0 ? 1u : 0u) + (c.ignored > 0 ? 1u : 0u));
    }
    // An .act whose count field names fewer colours, with a transparent entry.
    std::vector<uint8_t> act = test::RandomBytes(772, 3);
    act[768] = 0, act[769] = 5, act[770] = 0, act[771] = 2;
    const PaletteRead read = ReadPaletteBytes(act, PaletteFormat::Act);
    EXPECT_EQ(read.contents.colours.size(), 5u);
    EXPECT_EQ(read.contents.transparentIndex, 2);
    EXPECT_FALSE(ReadPaletteBytes({}, PaletteFormat::Bgr555));
}

TEST(PaletteFormat, FormatComesFromContentElseExtensionAndSize) {
    struct Case {
        const char* path;
        std::vector<uint8_t> bytes;
        std::optional<PaletteFormat> format; // unset: refused
        PaletteProblem problem = PaletteProblem::None;
    };
    std::vector<uint8_t> riff = test::RandomBytes(1048, 1);
    std::copy_n("RIFF\0\0\0\0PAL ", 12, riff.begin());
    std::vector<uint8_t> bmpLike = test::RandomBytes(512, 2);
    bmpLike[0] = 'B', bmpLike[1] = 'M'; // colour memory may begin with "BM"
    const Case cases[] = {
        {"a.pal", Bytes("JASC-PAL\r\n0100\r\n0\r\n"), PaletteFormat::Jasc},
        {"a.txt", Bytes("GIMP Palette\n"), PaletteFormat::Gpl},
        {"a.TXT", Bytes("; x\nFF000000\n"), PaletteFormat::PaintNet},
        {"a.hex", Bytes("JASC\n"), PaletteFormat::Hex},
        {"a.pal", WritePaletteBytes({}, PaletteFormat::Image), PaletteFormat::Image},
        {"a.dat", riff, PaletteFormat::Pal},
        {"a.pal", std::vector<uint8_t>(768), PaletteFormat::Pal},
        {"a.PAL", std::vector<uint8_t>(192), PaletteFormat::Nes},
        {"a.pal", std::vector<uint8_t>(1536), PaletteFormat::Nes},
        {"sample.pal", bmpLike, PaletteFormat::Bgr555},
        {"a.cram", std::vector<uint8_t>(128), PaletteFormat::MdCram},
        {"a.cram", std::vector<uint8_t>(64), PaletteFormat::Gg},
        {"a.cram", std::vector<uint8_t>(32), PaletteFormat::Sms},
        {"a.act", std::vector<uint8_t>(5), PaletteFormat::Act},
        {"a.cgram", std::vector<uint8_t>(7), PaletteFormat::Bgr555},
        {"a.pal", std::vector<uint8_t>(32), std::nullopt, PaletteProblem::Ambiguous},
        {"a.bin", std::vector<uint8_t>(32), std::nullopt, PaletteProblem::Ambiguous},
        {"a.pal", std::vector<uint8_t>(500), std::nullopt, PaletteProblem::Unrecognised},
        {"a.chr", std::vector<uint8_t>(768), std::nullopt, PaletteProblem::Unrecognised},
        {"noext", std::vector<uint8_t>(768), std::nullopt, PaletteProblem::Unrecognised},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + std::string(" ") + std::to_string(c.bytes.size()));
        const PaletteRead read = DetectPaletteFormat(c.bytes, c.path);
        EXPECT_EQ(read.problem, c.problem);
        if (c.format)
            EXPECT_EQ(read.format, *c.format);
        else
            EXPECT_FALSE(read.expected.empty());
    }
    // The refusal names what a .pal of another size was expected to be.
    const std::string text =
        DescribePaletteProblem(DetectPaletteFormat(std::vector<uint8_t>(500), "x.pal"));
    EXPECT_NE(text.find("nes (192 or 1536 bytes)"), std::string::npos) << text;
    EXPECT_NE(text.find("500 bytes"), std::string::npos) << text;
}

namespace {

// "BM", a file header, a DIB header of headerSize bytes and a colour table of entries.
std::vector<uint8_t> Bitmap(uint32_t headerSize, int bits, uint32_t used, uint32_t compression,
                            size_t tableBytes) {
    std::vector<uint8_t> b(14 + headerSize + tableBytes, 0);
    b[0] = 'B', b[1] = 'M';
    b[14] = static_cast<uint8_t>(headerSize);
    if (headerSize == 12) {
        b[14 + 10] = static_cast<uint8_t>(bits);
    } else if (headerSize >= 40) {
        b[14 + 14] = static_cast<uint8_t>(bits);
        b[14 + 16] = static_cast<uint8_t>(compression);
        b[14 + 32] = static_cast<uint8_t>(used);
        b[14 + 33] = static_cast<uint8_t>(used >> 8);
    }
    for (size_t i = 0; i < tableBytes; ++i)
        b[14 + headerSize + i] = static_cast<uint8_t>(i);
    return b;
}

} // namespace

TEST(PaletteFormat, ImagesGiveTheirColourTable) {
    PaletteContents three;
    three.colours = {0x112233, 0x445566, 0x778899};
    const std::vector<uint8_t> png = WritePaletteBytes(three, PaletteFormat::Image);
    std::vector<uint8_t> badCrc = png, noPalette = png, cut = png;
    const size_t plte = std::search(png.begin(), png.end(), "PLTE", "PLTE" + 4) - png.begin();
    badCrc[plte + 4] ^= 1;
    std::copy_n("tEXt", 4, noPalette.begin() + static_cast<ptrdiff_t>(plte));
    cut.resize(plte + 6);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        PaletteProblem problem;
        size_t count;
        size_t expectedCount = 0;
        Colour first = 0;
    };
    const Case cases[] = {
        {"png", png, PaletteProblem::None, 3, 0, 0x112233},
        {"png bad checksum", badCrc, PaletteProblem::BadImage, 0},
        {"png without palette", noPalette, PaletteProblem::NoPalette, 0},
        {"png cut off", cut, PaletteProblem::BadImage, 0},
        {"bmp 4 bits", Bitmap(40, 4, 0, 0, 64), PaletteProblem::None, 16, 0, 0x000102},
        {"bmp used 3", Bitmap(40, 8, 3, 0, 12), PaletteProblem::None, 3, 0, 0x000102},
        {"bmp core", Bitmap(12, 1, 0, 0, 6), PaletteProblem::None, 2, 0, 0x000102},
        {"bmp bitfields", Bitmap(40, 16, 2, 3, 20), PaletteProblem::None, 2, 0, 0x0C0D0E},
        {"bmp table cut", Bitmap(40, 8, 0, 0, 42), PaletteProblem::None, 10, 256, 0x000102},
        {"bmp true colour", Bitmap(40, 24, 0, 0, 0), PaletteProblem::NoPalette, 0},
        {"bmp odd header", Bitmap(20, 8, 0, 0, 0), PaletteProblem::BadImage, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PaletteRead read = ReadPaletteBytes(c.bytes, PaletteFormat::Image);
        EXPECT_EQ(read.problem, c.problem) << DescribePaletteProblem(read);
        ASSERT_EQ(read.contents.colours.size(), c.count);
        EXPECT_EQ(read.expectedCount, c.expectedCount);
        if (c.count > 0) {
            EXPECT_EQ(read.contents.colours.front(), c.first);
        }
    }
}

TEST(PaletteFormat, FilesLoadAndSaveWithTheirFailures) {
    test::TempFolder folder;
    PaletteContents contents;
    contents.colours = SeededColours(16, 5);
    const std::string path = folder.File("row.cgram");
    ASSERT_TRUE(SavePaletteFile(path, contents, PaletteFormat::Bgr555));
    EXPECT_EQ(test::ReadBytes(path), WritePaletteBytes(contents, PaletteFormat::Bgr555));
    PaletteLoad load = LoadPaletteFile(path, std::nullopt);
    ASSERT_TRUE(load.file);
    EXPECT_EQ(load.read.format, PaletteFormat::Bgr555);
    EXPECT_EQ(load.read.contents.colours.size(), 16u);

    test::WriteFile(folder.File("odd.pal"), std::vector<uint8_t>(500));
    load = LoadPaletteFile(folder.File("odd.pal"), std::nullopt);
    EXPECT_EQ(load.file.failure, FileFailure::Malformed);
    EXPECT_EQ(load.read.problem, PaletteProblem::Unrecognised);
    EXPECT_FALSE(PaletteProblemMessage(load.read).empty());
    load = LoadPaletteFile(folder.File("odd.pal"), PaletteFormat::Pal);
    ASSERT_TRUE(load.file);
    EXPECT_EQ(load.read.contents.colours.size(), 166u);
    EXPECT_EQ(PaletteWarningMessages(load.read).size(), 2u);
    EXPECT_EQ(LoadPaletteFile(folder.File("none.act"), std::nullopt).file.failure,
              FileFailure::NotFound);
}
