#include "core/palette/CPalette.h"

#include "PaletteTestFiles.h"

#include <gtest/gtest.h>

using namespace tavrin;
using tavrin::test::RandomBytes;
using tavrin::test::ReadBytes;
using tavrin::test::TempFolder;
using tavrin::test::WriteFile;

namespace {

// A palette whose every entry is set, so that "became black" is visible.
CPalette FullPalette() {
    CPalette pal;
    for (int i = 0; i < 256; ++i)
        pal.SetColor(i, MakeColour(i, 255 - i, i ^ 0x5A));
    return pal;
}

std::vector<uint8_t> RiffHeader() {
    // "RIFF" size "PAL " "data" size version count, 24 bytes.
    return {'R', 'I', 'F', 'F', 0x14, 0x04, 0, 0, 'P',  'A',  'L',  ' ',
            'd', 'a', 't', 'a', 0x04, 0x04, 0, 0, 0x00, 0x03, 0x00, 0x01};
}

} // namespace

TEST(CPalette, NewPaletteIsAllBlack) {
    CPalette pal;
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(pal.GetColor(i), 0u);
    EXPECT_EQ(std::vector<uint8_t>(pal.Data(), pal.Data() + 768), std::vector<uint8_t>(768, 0));
}

TEST(CPalette, ColourValueCarriesRedGreenBlueInTheLowBytes) {
    CPalette pal;
    pal.SetColor(5, 0xFF332211u); // the top byte is not stored
    EXPECT_EQ(pal.GetColor(5), 0x00332211u);
    EXPECT_EQ(pal.Data()[15], 0x11);
    EXPECT_EQ(pal.Data()[16], 0x22);
    EXPECT_EQ(pal.Data()[17], 0x33);
}

TEST(CPalette, IndicesOutsideTheTableReadZeroAndWriteNothing) {
    CPalette pal = FullPalette();
    const CPalette before = pal;
    EXPECT_EQ(pal.GetColor(-1), 0u);
    EXPECT_EQ(pal.GetColor(256), 0u);
    pal.SetColor(300, 0xFFFFFF);
    pal.SetColor(-1, 0xFFFFFF);
    pal.SetColor(256, 0xFFFFFF);
    EXPECT_EQ(pal, before);
}

TEST(CPalette, MissingFileReturnsFalseAndKeepsTheTable) {
    TempFolder dir;
    CPalette pal = FullPalette();
    EXPECT_FALSE(pal.LoadFromFile(dir.File("none.pal")));
    EXPECT_EQ(pal, FullPalette());
}

TEST(CPalette, ShortRawFileSetsWholeEntriesAndBlacksTheRest) {
    TempFolder dir;
    std::vector<uint8_t> bytes(30);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i + 1);
    WriteFile(dir.File("a.pal"), bytes);
    CPalette pal = FullPalette();
    ASSERT_TRUE(pal.LoadFromFile(dir.File("a.pal")));
    EXPECT_EQ(pal.GetColor(0), 0x030201u);
    EXPECT_EQ(pal.GetColor(9), 0x1E1D1Cu);
    for (int i = 10; i < 256; ++i)
        EXPECT_EQ(pal.GetColor(i), 0u) << i;
}

TEST(CPalette, RawFilesOfOneToThreeBytes) {
    TempFolder dir;
    for (size_t size = 1; size <= 3; ++size) {
        WriteFile(dir.File("s.pal"), std::vector<uint8_t>(size, 0x7F));
        CPalette pal = FullPalette();
        ASSERT_TRUE(pal.LoadFromFile(dir.File("s.pal")));
        EXPECT_EQ(pal.GetColor(0), size == 3 ? 0x7F7F7Fu : 0u) << size;
        for (int i = 1; i < 256; ++i)
            ASSERT_EQ(pal.GetColor(i), 0u);
    }
}

TEST(CPalette, EmptyFileLoadsAsAllBlack) {
    TempFolder dir;
    WriteFile(dir.File("e.pal"), {});
    CPalette pal = FullPalette();
    EXPECT_TRUE(pal.LoadFromFile(dir.File("e.pal")));
    EXPECT_EQ(pal, CPalette());
}

TEST(CPalette, RawFilesOfExactLongerAndDoubleSize) {
    TempFolder dir;
    for (size_t size : {768u, 770u, 1536u}) {
        const std::vector<uint8_t> bytes = RandomBytes(size, static_cast<uint32_t>(size));
        WriteFile(dir.File("r.pal"), bytes);
        CPalette pal;
        ASSERT_TRUE(pal.LoadFromFile(dir.File("r.pal")));
        EXPECT_EQ(std::vector<uint8_t>(pal.Data(), pal.Data() + 768),
                  std::vector<uint8_t>(bytes.begin(), bytes.begin() + 768))
            << size;
    }
}

TEST(CPalette, RiffFileOf1048BytesSetsAllEntriesIgnoringTheFourthByte) {
    TempFolder dir;
    std::vector<uint8_t> bytes = RiffHeader();
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<uint8_t>(i));
        bytes.push_back(static_cast<uint8_t>(255 - i));
        bytes.push_back(static_cast<uint8_t>(i / 2));
        bytes.push_back(0xEE);
    }
    ASSERT_EQ(bytes.size(), 1048u);
    WriteFile(dir.File("riff.pal"), bytes);
    CPalette pal;
    ASSERT_TRUE(pal.LoadFromFile(dir.File("riff.pal")));
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(pal.GetColor(i), MakeColour(i, 255 - i, i / 2)) << i;
}

TEST(CPalette, RiffFileOfOnlyItsHeaderIsAllBlack) {
    TempFolder dir;
    for (size_t size : {4u, 10u, 24u, 27u}) {
        std::vector<uint8_t> bytes = RiffHeader();
        bytes.resize(size, 0x55);
        WriteFile(dir.File("h.pal"), bytes);
        CPalette pal = FullPalette();
        ASSERT_TRUE(pal.LoadFromFile(dir.File("h.pal")));
        EXPECT_EQ(pal, CPalette()) << size;
    }
}

TEST(CPalette, RiffMagicWinsEvenOverRawTriples) {
    // "RIFF" followed by raw triples: entry 0 is read from offset 24 in 4-byte steps.
    TempFolder dir;
    std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F'};
    for (int i = 4; i < 36; ++i)
        bytes.push_back(static_cast<uint8_t>(i));
    WriteFile(dir.File("x.pal"), bytes);
    CPalette pal;
    ASSERT_TRUE(pal.LoadFromFile(dir.File("x.pal")));
    EXPECT_EQ(pal.GetColor(0), MakeColour(24, 25, 26));
    EXPECT_EQ(pal.GetColor(1), MakeColour(28, 29, 30));
    EXPECT_EQ(pal.GetColor(2), MakeColour(32, 33, 34));
    EXPECT_EQ(pal.GetColor(3), 0u);
}

TEST(CPalette, ShortFileWithRiffLikeStartIsRaw) {
    TempFolder dir;
    WriteFile(dir.File("rif.pal"), {'R', 'I', 'F'});
    CPalette pal;
    ASSERT_TRUE(pal.LoadFromFile(dir.File("rif.pal")));
    EXPECT_EQ(pal.GetColor(0), MakeColour('R', 'I', 'F'));
}

TEST(CPalette, SaveWritesTheRawTableExactly) {
    TempFolder dir;
    const CPalette pal = FullPalette();
    ASSERT_TRUE(pal.SaveToFile(dir.File("out.pal")));
    const std::vector<uint8_t> bytes = ReadBytes(dir.File("out.pal"));
    ASSERT_EQ(bytes.size(), 768u);
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(bytes[2], 0x5A);
    EXPECT_EQ(bytes[765], 0xFF);
    EXPECT_EQ(bytes[766], 0x00);
    EXPECT_EQ(bytes[767], 0xA5);
    CPalette back;
    ASSERT_TRUE(back.LoadFromFile(dir.File("out.pal")));
    EXPECT_EQ(back, pal);
}

TEST(CPalette, SavingOverARiffFileKeepsItsTailAndReadsBackAsRaw) {
    TempFolder dir;
    std::vector<uint8_t> riff = RiffHeader();
    const std::vector<uint8_t> body = RandomBytes(1024, 7);
    riff.insert(riff.end(), body.begin(), body.end());
    WriteFile(dir.File("o.pal"), riff);

    const CPalette pal = FullPalette();
    ASSERT_TRUE(pal.SaveToFile(dir.File("o.pal")));
    const std::vector<uint8_t> bytes = ReadBytes(dir.File("o.pal"));
    ASSERT_EQ(bytes.size(), 1048u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 768),
              std::vector<uint8_t>(pal.Data(), pal.Data() + 768));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 768, bytes.end()),
              std::vector<uint8_t>(riff.begin() + 768, riff.end()));
    CPalette back;
    ASSERT_TRUE(back.LoadFromFile(dir.File("o.pal")));
    EXPECT_EQ(back, pal);
}

TEST(CPalette, SaveIntoAMissingFolderFails) {
    TempFolder dir;
    EXPECT_FALSE(CPalette().SaveToFile(dir.File("no/such/folder.pal")));
}

TEST(CPalette, SeededRandomRoundTrips) {
    TempFolder dir;
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        const std::vector<uint8_t> bytes = RandomBytes(768, seed);
        CPalette pal;
        pal.LoadFromBytes(bytes.data(), bytes.size());
        ASSERT_TRUE(pal.SaveToFile(dir.File("rt.pal")));
        EXPECT_EQ(ReadBytes(dir.File("rt.pal")), bytes);
    }
}
