#include "core/palette/CAdfPattern.h"

#include "PaletteTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tavrin;
using tavrin::test::RandomBytes;
using tavrin::test::ReadBytes;
using tavrin::test::TempFolder;
using tavrin::test::WriteFile;

namespace {

AdfEntry Named(const char* name, uint8_t firstTile = 1) {
    AdfEntry e;
    std::memcpy(e.name.data(), name, std::strlen(name));
    e.tiles[0] = firstTile;
    return e;
}

// One line per row of slots, "%02X" separated by spaces.
std::string Row(const AdfEntry& e, int r) {
    std::string s;
    for (int c = 0; c < 16; ++c) {
        char cell[4];
        std::snprintf(cell, sizeof cell, "%02X", e.tiles[r * 16 + c]);
        if (c > 0)
            s += ' ';
        s += cell;
    }
    return s;
}

std::vector<uint8_t> EntryBytes(const AdfEntry& e) {
    std::vector<uint8_t> bytes(e.name.begin(), e.name.end());
    bytes.insert(bytes.end(), e.tiles.begin(), e.tiles.end());
    return bytes;
}

} // namespace

TEST(CAdfPattern, EmptinessLooksAtNameFirstAndLastTileOnly) {
    AdfEntry e;
    EXPECT_TRUE(CAdfPattern::IsEmpty(e));
    e.tiles[1] = 5;
    e.tiles[254] = 5;
    EXPECT_TRUE(CAdfPattern::IsEmpty(e));
    e.tiles[255] = 1;
    EXPECT_FALSE(CAdfPattern::IsEmpty(e));
    e.tiles[255] = 0;
    e.tiles[0] = 1;
    EXPECT_FALSE(CAdfPattern::IsEmpty(e));
    e.tiles[0] = 0;
    e.name[0] = ' ';
    EXPECT_FALSE(CAdfPattern::IsEmpty(e));
}

TEST(CAdfPattern, IndicesOutsideTheTable) {
    CAdfPattern adf;
    adf.SetPattern(0, Named("zero"));
    adf.SetPattern(64, Named("never"));
    adf.SetPattern(-1, Named("never"));
    EXPECT_EQ(adf.GetPattern(64).Name(), "zero");
    EXPECT_EQ(adf.GetPattern(-1).Name(), "zero");
    EXPECT_EQ(adf.Names(), "zero");
}

TEST(CAdfPattern, NamesStopAtTheFirstEmptyEntry) {
    CAdfPattern adf;
    EXPECT_EQ(adf.Names(), "");
    EXPECT_EQ(adf.Count(), 0);
    adf.SetPattern(0, Named("A"));
    adf.SetPattern(1, Named("B"));
    adf.SetPattern(3, Named("hidden"));
    EXPECT_EQ(adf.Names(), "A\nB");
    EXPECT_EQ(adf.Count(), 2);
    EXPECT_EQ(adf.FirstEmpty(), 2);
    // Empty name but tile numbers set: listed with an empty line.
    adf.SetPattern(2, Named("", 7));
    EXPECT_EQ(adf.Names(), "A\nB\n\nhidden");
}

TEST(CAdfPattern, NamesAreTrimmedAndReadUpToTheFirstZero) {
    AdfEntry e = Named("  \t2,2 H \x01 ");
    EXPECT_EQ(e.Name(), "2,2 H");
    AdfEntry full;
    std::memset(full.name.data(), 'x', 32);
    EXPECT_EQ(full.Name(), std::string(32, 'x'));
    AdfEntry cut = Named("ab");
    cut.name[5] = 'z'; // after the terminating 0
    EXPECT_EQ(cut.Name(), "ab");
    EXPECT_EQ(Named("   ").Name(), "");
}

TEST(CAdfPattern, NamesAreCp932InTheFileAndUtf8InTheProgram) {
    AdfEntry e;
    e.SetName("スプライト");
    // ス = 83 58, プ = 83 76, ラ = 83 89, イ = 83 43, ト = 83 67
    const std::vector<uint8_t> expected = {0x83, 0x58, 0x83, 0x76, 0x83, 0x89,
                                           0x83, 0x43, 0x83, 0x67, 0x00};
    EXPECT_EQ(std::vector<uint8_t>(e.name.begin(), e.name.begin() + 11), expected);
    EXPECT_EQ(e.Name(), "スプライト");
}

TEST(CAdfPattern, SetNameCutsAtAWholeCharacterWithin32Bytes) {
    AdfEntry e;
    e.SetName("a" + std::string(20, ' ') + "あいうえお"); // 21 + 10 bytes: "お" ends at 31
    EXPECT_EQ(e.name[31], 0);
    e.SetName("ab" + std::string(20, '-') + "あいうえお"); // exactly 32 bytes, no 0 byte
    EXPECT_EQ(e.Name(), "ab" + std::string(20, '-') + "あいうえお");
    e.SetName("abc" + std::string(20, '-') + "あいうえお"); // "お" would need byte 32
    EXPECT_EQ(e.Name(), "abc" + std::string(20, '-') + "あいうえ");
    EXPECT_EQ(e.name[31], 0);
    e.SetName(std::string(40, 'q'));
    EXPECT_EQ(e.Name(), std::string(32, 'q'));
    e.SetName("");
    EXPECT_EQ(e.name, (std::array<uint8_t, 32>{}));
}

TEST(CAdfPattern, NormalRuleFillsOnlyAnEmptyEntryZero) {
    CAdfPattern adf;
    EXPECT_TRUE(adf.EnsureNormal());
    const AdfEntry& e = adf.GetPattern(0);
    EXPECT_EQ(e.Name(), "Normal");
    for (int n = 0; n < 256; ++n)
        ASSERT_EQ(e.tiles[n], n);
    EXPECT_EQ(adf.Names(), "Normal");
    EXPECT_FALSE(adf.EnsureNormal());

    CAdfPattern other;
    other.SetPattern(0, Named("", 0));
    AdfEntry notEmpty;
    notEmpty.tiles[255] = 9;
    other.SetPattern(0, notEmpty);
    EXPECT_FALSE(other.EnsureNormal());
    EXPECT_EQ(other.GetPattern(0), notEmpty);
}

TEST(CAdfPattern, ShortFileChangesNothingAndMissingFileIsFalse) {
    TempFolder dir;
    CAdfPattern adf;
    adf.SetPattern(0, Named("keep"));
    EXPECT_FALSE(adf.LoadFromFile(dir.File("none.adf")));
    WriteFile(dir.File("s.adf"), RandomBytes(287, 1));
    EXPECT_TRUE(adf.LoadFromFile(dir.File("s.adf")));
    EXPECT_EQ(adf.Names(), "keep");
}

TEST(CAdfPattern, FileOfTwoEntriesReplacesOnlyThoseTwo) {
    TempFolder dir;
    CAdfPattern adf;
    for (int i = 0; i < 4; ++i)
        adf.SetPattern(i, Named(("old" + std::to_string(i)).c_str()));
    std::vector<uint8_t> bytes = EntryBytes(Named("new0"));
    const std::vector<uint8_t> second = EntryBytes(Named("new1"));
    bytes.insert(bytes.end(), second.begin(), second.end());
    bytes.resize(576 + 100, 0x41); // a partial third entry is ignored
    WriteFile(dir.File("two.adf"), bytes);
    ASSERT_TRUE(adf.LoadFromFile(dir.File("two.adf")));
    EXPECT_EQ(adf.Names(), "new0\nnew1\nold2\nold3");
}

TEST(CAdfPattern, LongFileLoads64EntriesAndIgnoresTheRest) {
    TempFolder dir;
    const std::vector<uint8_t> bytes = RandomBytes(20000, 4);
    WriteFile(dir.File("big.adf"), bytes);
    CAdfPattern adf;
    ASSERT_TRUE(adf.LoadFromFile(dir.File("big.adf")));
    EXPECT_EQ(adf.ToBytes(), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 18432));
}

TEST(CAdfPattern, SaveWritesAll64EntriesExactlyWithoutTruncating) {
    TempFolder dir;
    const std::vector<uint8_t> bytes = RandomBytes(18432, 8);
    CAdfPattern adf;
    adf.LoadFromBytes(bytes.data(), bytes.size());
    ASSERT_TRUE(adf.SaveToFile(dir.File("o.adf")));
    EXPECT_EQ(ReadBytes(dir.File("o.adf")), bytes);

    WriteFile(dir.File("long.adf"), std::vector<uint8_t>(19000, 0x99));
    ASSERT_TRUE(adf.SaveToFile(dir.File("long.adf")));
    std::vector<uint8_t> expected = bytes;
    expected.resize(19000, 0x99);
    EXPECT_EQ(ReadBytes(dir.File("long.adf")), expected);

    CAdfPattern back;
    ASSERT_TRUE(back.LoadFromFile(dir.File("long.adf")));
    EXPECT_EQ(back.ToBytes(), bytes);
}

TEST(CAdfPatternGenerator, TwoByTwoHorizontal) {
    const AdfEntry e = GenerateCharacterPattern(2, 2, false);
    EXPECT_EQ(e.Name(), "2,2 H");
    EXPECT_EQ(Row(e, 0), "00 01 04 05 08 09 0C 0D 10 11 14 15 18 19 1C 1D");
    EXPECT_EQ(Row(e, 1), "02 03 06 07 0A 0B 0E 0F 12 13 16 17 1A 1B 1E 1F");
    EXPECT_EQ(Row(e, 2), "20 21 24 25 28 29 2C 2D 30 31 34 35 38 39 3C 3D");
    EXPECT_EQ(Row(e, 15), "E2 E3 E6 E7 EA EB EE EF F2 F3 F6 F7 FA FB FE FF");
}

TEST(CAdfPatternGenerator, OneByTwoVertical) {
    const AdfEntry e = GenerateCharacterPattern(1, 2, true);
    EXPECT_EQ(e.Name(), "1,2 V");
    EXPECT_EQ(Row(e, 0), "00 02 04 06 08 0A 0C 0E 10 12 14 16 18 1A 1C 1E");
    EXPECT_EQ(Row(e, 1), "01 03 05 07 09 0B 0D 0F 11 13 15 17 19 1B 1D 1F");
    EXPECT_EQ(Row(e, 2), "20 22 24 26 28 2A 2C 2E 30 32 34 36 38 3A 3C 3E");
}

TEST(CAdfPatternGenerator, TwoByTwoVerticalRunsDownEachColumnOfABlock) {
    const AdfEntry e = GenerateCharacterPattern(2, 2, true);
    EXPECT_EQ(e.Name(), "2,2 V");
    EXPECT_EQ(Row(e, 0), "00 02 04 06 08 0A 0C 0E 10 12 14 16 18 1A 1C 1E");
    EXPECT_EQ(Row(e, 1), "01 03 05 07 09 0B 0D 0F 11 13 15 17 19 1B 1D 1F");
}

TEST(CAdfPatternGenerator, WholePageBlockIsTheNormalOrder) {
    const AdfEntry e = GenerateCharacterPattern(16, 16, false);
    EXPECT_EQ(e.Name(), "16,16 H");
    EXPECT_EQ(e.tiles, NormalPattern().tiles);
}

TEST(CAdfPatternGenerator, BlocksThatDoNotDivideTheRowLeaveZeros) {
    const AdfEntry e = GenerateCharacterPattern(3, 5, false);
    EXPECT_EQ(e.Name(), "3,5 H");
    EXPECT_EQ(Row(e, 0), "00 01 02 0F 10 11 1E 1F 20 2D 2E 2F 3C 3D 3E 00");
    EXPECT_EQ(Row(e, 4), "0C 0D 0E 1B 1C 1D 2A 2B 2C 39 3A 3B 48 49 4A 00");
    EXPECT_EQ(Row(e, 5), "4B 4C 4D 5A 5B 5C 69 6A 6B 78 79 7A 87 88 89 00");
    EXPECT_EQ(Row(e, 14), "A2 A3 A4 B1 B2 B3 C0 C1 C2 CF D0 D1 DE DF E0 00");
    EXPECT_EQ(Row(e, 15), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(e.tiles[14 * 16 + 14], 224); // the last block's last tile
}

TEST(CAdfPatternGenerator, SizesOutsideOneToSixteenAreHeldInRange) {
    EXPECT_EQ(GenerateCharacterPattern(0, 0, false), GenerateCharacterPattern(1, 1, false));
    EXPECT_EQ(GenerateCharacterPattern(99, 17, true), GenerateCharacterPattern(16, 16, true));
    EXPECT_EQ(GenerateCharacterPattern(1, 1, false).tiles, NormalPattern().tiles);
}

TEST(CAdfPatternGenerator, EverySizeNumbersEachCoveredSlotOnce) {
    for (int w = 1; w <= 16; ++w) {
        for (int h = 1; h <= 16; ++h) {
            for (bool vertical : {false, true}) {
                const AdfEntry e = GenerateCharacterPattern(w, h, vertical);
                const int covered = (16 / w) * w * (16 / h) * h;
                std::vector<int> seen(256, 0);
                for (int r = 0; r < 16; ++r) {
                    for (int c = 0; c < 16; ++c) {
                        const bool inside = c < (16 / w) * w && r < (16 / h) * h;
                        if (inside)
                            ++seen[e.tiles[r * 16 + c]];
                        else
                            ASSERT_EQ(e.tiles[r * 16 + c], 0);
                    }
                }
                for (int n = 0; n < 256; ++n)
                    ASSERT_EQ(seen[n], n < covered ? 1 : 0) << w << "," << h << " n=" << n;
            }
        }
    }
}

class CAdfPatternEditing : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 4; ++i)
            adf.SetPattern(i, Named(std::string(1, static_cast<char>('A' + i)).c_str()));
    }
    CAdfPattern adf;
};

TEST_F(CAdfPatternEditing, AddGoesIntoTheFirstEmptyEntryAndUpdateIntoTheSelection) {
    AdfEntry working = GenerateCharacterPattern(2, 2, false);
    EXPECT_EQ(adf.AddOrUpdate(-1, working, "sprites"), 4);
    EXPECT_EQ(adf.Names(), "A\nB\nC\nD\nsprites");
    EXPECT_EQ(working.Name(), "sprites");
    EXPECT_EQ(adf.GetPattern(4).tiles, GenerateCharacterPattern(2, 2, false).tiles);
    EXPECT_EQ(adf.AddOrUpdate(1, working, "two"), 1);
    EXPECT_EQ(adf.Names(), "A\ntwo\nC\nD\nsprites");
}

TEST_F(CAdfPatternEditing, AddIntoAFullTableStoresNothing) {
    for (int i = 0; i < 64; ++i)
        adf.SetPattern(i, Named("p"));
    const std::vector<uint8_t> before = adf.ToBytes();
    AdfEntry working = NormalPattern();
    EXPECT_EQ(adf.AddOrUpdate(-1, working, "x"), -1);
    EXPECT_EQ(adf.ToBytes(), before);
}

TEST_F(CAdfPatternEditing, MoveUpAndDown) {
    EXPECT_EQ(adf.MoveUp(2), 1);
    EXPECT_EQ(adf.Names(), "A\nC\nB\nD");
    EXPECT_EQ(adf.MoveUp(0), 0);
    EXPECT_EQ(adf.MoveDown(1), 2);
    EXPECT_EQ(adf.Names(), "A\nB\nC\nD");
    EXPECT_EQ(adf.MoveDown(3), 3);
    EXPECT_EQ(adf.Names(), "A\nB\nC\nD");
    EXPECT_EQ(adf.MoveDown(-1), 0); // no selection: item 0 becomes selected
    EXPECT_EQ(adf.Names(), "A\nB\nC\nD");
    EXPECT_EQ(adf.MoveUp(-1), -1);
}

TEST_F(CAdfPatternEditing, DeleteClosesTheGap) {
    EXPECT_EQ(adf.Delete(1), 1);
    EXPECT_EQ(adf.Names(), "A\nC\nD");
    EXPECT_TRUE(CAdfPattern::IsEmpty(adf.GetPattern(3)));
    EXPECT_EQ(adf.Delete(2), 1); // the last item: selection moves up
    EXPECT_EQ(adf.Names(), "A\nC");
    EXPECT_EQ(adf.Delete(-1), -1); // no selection: the last listed entry goes
    EXPECT_EQ(adf.Names(), "A");
    EXPECT_EQ(adf.Delete(0), -1);
    EXPECT_EQ(adf.Names(), "");
    EXPECT_EQ(adf.Delete(-1), -1);
    EXPECT_TRUE(adf.EnsureNormal()); // closing the dialog brings "Normal" back
    EXPECT_EQ(adf.Names(), "Normal");
}

TEST_F(CAdfPatternEditing, DeleteKeepsEntriesAfterTheList) {
    adf.SetPattern(5, Named("after"));
    EXPECT_EQ(adf.Delete(0), 0);
    EXPECT_EQ(adf.Names(), "B\nC\nD");
    EXPECT_EQ(adf.GetPattern(5).Name(), "after");
}
