#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"

#include "PaletteTestFiles.h"

#include <gtest/gtest.h>

using namespace tavrin;
using tavrin::test::RandomBytes;
using tavrin::test::ReadBytes;
using tavrin::test::TempFolder;
using tavrin::test::WriteFile;

namespace {

void FillTable(CDatPalette& dat, uint8_t value) {
    const std::vector<uint8_t> bytes(256, value);
    dat.SetTable(bytes.data(), bytes.size());
}

} // namespace

TEST(CDatPalette, StartsWithZeroTableIdentityMapAndEntryZero) {
    CDatPalette dat;
    EXPECT_FALSE(dat.IdentityMode());
    EXPECT_EQ(dat.SelectedEntry(), 0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(dat.GetEntry(i), 0);
    dat.SetIdentityMode(true);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(dat.GetEntry(i), i);
}

TEST(CDatPalette, MapFollowsTheMode) {
    CDatPalette dat;
    FillTable(dat, 9);
    EXPECT_EQ(dat.Map()[200], 9);
    dat.SetIdentityMode(true);
    EXPECT_EQ(dat.Map()[200], 200);
    EXPECT_EQ(dat.Table()[200], 9);
    dat.SetIdentityMode(false);
    EXPECT_EQ(dat.Map()[200], 9);
}

TEST(CDatPalette, EntriesOutsideTheTableReadZero) {
    CDatPalette dat;
    FillTable(dat, 7);
    EXPECT_EQ(dat.GetEntry(-1), 0);
    EXPECT_EQ(dat.GetEntry(256), 0);
    EXPECT_EQ(dat.GetEntry(255), 7);
}

TEST(CDatPalette, EntryColourGoesThroughTheMasterPalette) {
    CPalette pal;
    pal.SetColor(3, 0x112233);
    pal.SetColor(40, 0xABCDEF);
    CDatPalette dat(&pal);
    dat.SetEntry(40, 3);
    EXPECT_EQ(dat.GetEntryColor(40), 0x112233u);
    dat.SetIdentityMode(true);
    EXPECT_EQ(dat.GetEntryColor(40), 0xABCDEFu);
    EXPECT_EQ(dat.GetEntryColor(256), 0u);
    EXPECT_EQ(dat.GetEntryColor(-1), 0u);
}

TEST(CDatPalette, EntryColourWithoutAPaletteIsZero) {
    CDatPalette dat;
    dat.SetIdentityMode(true);
    EXPECT_EQ(dat.GetEntryColor(255), 0u);
}

TEST(CDatPalette, SetEntryNeverChangesTheIdentityTable) {
    CDatPalette dat;
    dat.SetIdentityMode(true);
    dat.SetEntry(5, 77);
    EXPECT_EQ(dat.GetEntry(5), 5);
    EXPECT_EQ(dat.Table()[5], 77);
    dat.SetEntry(256, 1);
    dat.SetEntry(5, 256);
    dat.SetEntry(5, -1);
    EXPECT_EQ(dat.Table()[5], 77);
}

TEST(CDatPalette, GroupBaseClearsTheLowBppBits) {
    CDatPalette dat;
    dat.SetBpp(2);
    dat.SetSelectedEntry(0x17);
    EXPECT_EQ(dat.GroupSize(), 4);
    EXPECT_EQ(dat.GroupBase(), 0x14);
    EXPECT_EQ(dat.GroupBase() | 3, 23);
    EXPECT_EQ(dat.GroupNumber(), 5);

    const struct {
        int bpp, groupSize, base;
    } cases[] = {{1, 2, 0xB6}, {2, 4, 0xB4}, {3, 8, 0xB0}, {4, 16, 0xB0}, {8, 256, 0}};
    dat.SetSelectedEntry(0xB7);
    for (const auto& c : cases) {
        dat.SetBpp(c.bpp);
        EXPECT_EQ(dat.GroupSize(), c.groupSize) << c.bpp;
        EXPECT_EQ(dat.GroupBase(), c.base) << c.bpp;
        EXPECT_EQ(256 / dat.GroupSize() - 1, 255 >> c.bpp) << c.bpp;
    }
}

TEST(CDatPalette, DepthsAboveEightBitsAreOneGroup) {
    CDatPalette dat;
    dat.SetSelectedEntry(0xFF);
    dat.SetBpp(16);
    EXPECT_EQ(dat.GroupSize(), 256);
    EXPECT_EQ(dat.GroupBase(), 0);
    EXPECT_EQ(dat.GroupNumber(), 0);
}

TEST(CDatPalette, SetTableCopiesAtMost256Bytes) {
    CDatPalette dat;
    const std::vector<uint8_t> big = RandomBytes(400, 3);
    dat.SetTable(big.data(), big.size());
    EXPECT_EQ(std::vector<uint8_t>(dat.Table(), dat.Table() + 256),
              std::vector<uint8_t>(big.begin(), big.begin() + 256));
    const uint8_t few[3] = {1, 2, 3};
    dat.SetTable(few, 3);
    EXPECT_EQ(dat.Table()[2], 3);
    EXPECT_EQ(dat.Table()[3], big[3]);
    dat.SetTable(nullptr, 10);
    EXPECT_EQ(dat.Table()[0], 1);
}

TEST(CDatPalette, ShortFileReplacesOnlyItsEntries) {
    TempFolder dir;
    std::vector<uint8_t> bytes(32);
    for (int i = 0; i < 32; ++i)
        bytes[i] = static_cast<uint8_t>(0x80 + i);
    WriteFile(dir.File("s.dat"), bytes);
    CDatPalette dat;
    FillTable(dat, 0x11);
    ASSERT_TRUE(dat.LoadFromFile(dir.File("s.dat")));
    EXPECT_EQ(dat.GetEntry(0), 0x80);
    EXPECT_EQ(dat.GetEntry(31), 0x9F);
    for (int i = 32; i < 256; ++i)
        ASSERT_EQ(dat.GetEntry(i), 0x11) << i;
}

TEST(CDatPalette, LongFileUsesItsFirst256Bytes) {
    TempFolder dir;
    const std::vector<uint8_t> bytes = RandomBytes(300, 11);
    WriteFile(dir.File("l.dat"), bytes);
    CDatPalette dat;
    ASSERT_TRUE(dat.LoadFromFile(dir.File("l.dat")));
    EXPECT_EQ(std::vector<uint8_t>(dat.Table(), dat.Table() + 256),
              std::vector<uint8_t>(bytes.begin(), bytes.begin() + 256));
}

TEST(CDatPalette, EmptyAndMissingFiles) {
    TempFolder dir;
    CDatPalette dat;
    FillTable(dat, 0x42);
    EXPECT_FALSE(dat.LoadFromFile(dir.File("missing.dat")));
    WriteFile(dir.File("empty.dat"), {});
    EXPECT_TRUE(dat.LoadFromFile(dir.File("empty.dat")));
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(dat.GetEntry(i), 0x42);
}

TEST(CDatPalette, LoadingInPaletteOnlyModeChangesTheSetButNotTheMap) {
    TempFolder dir;
    WriteFile(dir.File("m.dat"), std::vector<uint8_t>(256, 0xAA));
    CDatPalette dat;
    dat.SetIdentityMode(true);
    ASSERT_TRUE(dat.LoadFromFile(dir.File("m.dat")));
    EXPECT_EQ(dat.GetEntry(3), 3);
    dat.SetIdentityMode(false);
    EXPECT_EQ(dat.GetEntry(3), 0xAA);
}

TEST(CDatPalette, SaveWritesThe256BytesWithoutTruncating) {
    TempFolder dir;
    const std::vector<uint8_t> table = RandomBytes(256, 5);
    CDatPalette dat;
    dat.SetTable(table.data(), table.size());
    dat.SetIdentityMode(true); // the set is saved whatever the mode
    ASSERT_TRUE(dat.SaveToFile(dir.File("o.dat")));
    EXPECT_EQ(ReadBytes(dir.File("o.dat")), table);

    std::vector<uint8_t> longer(300, 0xCC);
    WriteFile(dir.File("long.dat"), longer);
    ASSERT_TRUE(dat.SaveToFile(dir.File("long.dat")));
    std::vector<uint8_t> expected = table;
    expected.resize(300, 0xCC);
    EXPECT_EQ(ReadBytes(dir.File("long.dat")), expected);

    CDatPalette back;
    ASSERT_TRUE(back.LoadFromFile(dir.File("long.dat")));
    EXPECT_EQ(std::vector<uint8_t>(back.Table(), back.Table() + 256), table);
    EXPECT_FALSE(dat.SaveToFile(dir.File("no/folder.dat")));
}

TEST(CDatPalette, GroupEntriesStartAtTheGroupBaseAndStopAtTheTableEnd) {
    CDatPalette dat;
    for (int i = 0; i < 256; ++i)
        dat.SetEntry(i, 255 - i);
    dat.SetBpp(4);
    dat.SetSelectedEntry(0xF3);
    const std::array<uint8_t, 256> group = dat.GroupEntries();
    EXPECT_EQ(group[0], 0x0F);  // entry 0xF0
    EXPECT_EQ(group[15], 0x00); // entry 0xFF
    for (int k = 16; k < 256; ++k)
        ASSERT_EQ(group[k], 0) << k;
    dat.SetIdentityMode(true);
    dat.SetBpp(2);
    dat.SetSelectedEntry(0x06);
    EXPECT_EQ(dat.GroupEntries()[0], 4);
    EXPECT_EQ(dat.GroupEntries()[251], 255);
    EXPECT_EQ(dat.GroupEntries()[252], 0);
}
