#include "core/palette/CColSet.h"
#include "core/palette/CDatPalette.h"

#include "PaletteTestFiles.h"

#include <gtest/gtest.h>

using namespace tavrin;
using tavrin::test::RandomBytes;
using tavrin::test::ReadBytes;
using tavrin::test::TempFolder;
using tavrin::test::WriteFile;

TEST(CColSet, StartsEmpty) {
    CColSet col;
    EXPECT_EQ(col.BufferSize(), 0);
    EXPECT_EQ(col.Header(), nullptr);
    EXPECT_EQ(col.GroupAt(0), 0);
    EXPECT_EQ(col.Entry(0), 0);
}

TEST(CColSet, ResizeCountsTilesPlusTheHeaderBlock) {
    CColSet col;
    EXPECT_EQ(col.Resize(16384, 16), 1280);
    EXPECT_EQ(col.TileBytes(), 16);
    EXPECT_EQ(col.TileCount(), 1024);
    // A format of fewer than 8 bytes per tile is sized as 8.
    EXPECT_EQ(col.Resize(16384, 4), 2304);
    EXPECT_EQ(col.TileBytes(), 8);
    EXPECT_EQ(col.Resize(0, 16), 256);
    EXPECT_EQ(col.Resize(15, 16), 256);
    EXPECT_EQ(col.Resize(-5, 16), 256);
    EXPECT_EQ(col.Resize(8192, 0), 1280);
}

TEST(CColSet, ResizeClearsEvenAtTheSameSize) {
    CColSet col;
    col.Resize(8192, 16);
    col.Entry(100) = 7;
    const std::vector<uint8_t> header(128, 0x33);
    col.SetHeader(header.data());
    col.Resize(8192, 16);
    EXPECT_EQ(std::vector<uint8_t>(col.Buffer(), col.Buffer() + col.BufferSize()),
              std::vector<uint8_t>(768, 0));
}

TEST(CColSet, EntryNamesTheByteOfTheTileHoldingTheAddress) {
    CColSet col;
    col.Resize(8192, 16);
    col.Entry(0x20) = 5;  // tile 2
    col.Entry(0x2F) += 1; // same tile
    EXPECT_EQ(col.Buffer()[256 + 2], 6);
    EXPECT_EQ(col.GroupAt(0x25), 6);
    EXPECT_EQ(col.GroupAt(0x30), 0);
    col.Entry(8191) = 9; // last tile
    EXPECT_EQ(col.Buffer()[col.BufferSize() - 1], 9);
}

TEST(CColSet, AddressesOutsideTheTableReadGroupZeroAndKeepNothing) {
    CColSet col;
    col.Resize(64, 16); // 4 tiles: buffer 260 bytes
    ASSERT_EQ(col.BufferSize(), 260);
    const std::vector<uint8_t> before(col.Buffer(), col.Buffer() + col.BufferSize());
    col.Entry(64) = 3;
    col.Entry(-1) = 4;
    col.Entry(0x7FFFFFFF) = 5;
    EXPECT_EQ(col.Entry(64), 0);
    EXPECT_EQ(col.GroupAt(64), 0);
    EXPECT_EQ(col.GroupAt(-16), 0);
    EXPECT_EQ(std::vector<uint8_t>(col.Buffer(), col.Buffer() + col.BufferSize()), before);
}

TEST(CColSet, PageGroupsStopAtTheEndOfTheTable) {
    CColSet col;
    col.Resize(16 * 10, 16); // 10 tiles
    for (int t = 0; t < 10; ++t)
        col.Entry(t * 16) = static_cast<uint8_t>(t + 1);
    const std::array<uint8_t, 256> fromStart = col.PageGroups(0);
    for (int t = 0; t < 256; ++t)
        ASSERT_EQ(fromStart[t], t < 10 ? t + 1 : 0) << t;
    const std::array<uint8_t, 256> fromTile7 = col.PageGroups(7 * 16 + 3);
    EXPECT_EQ(fromTile7[0], 8);
    EXPECT_EQ(fromTile7[2], 10);
    EXPECT_EQ(fromTile7[3], 0);
    const std::array<uint8_t, 256> past = col.PageGroups(4096);
    EXPECT_EQ(past, (std::array<uint8_t, 256>{}));
    EXPECT_EQ(col.PageGroups(-1), (std::array<uint8_t, 256>{}));
}

TEST(CColSet, HeaderHoldsPaletteSetEntriesAtOffset128) {
    CColSet col;
    col.SetHeader(std::vector<uint8_t>(128, 1).data()); // no buffer yet: ignored
    col.Resize(1024, 16);
    CDatPalette dat;
    const std::vector<uint8_t> table = RandomBytes(256, 21);
    dat.SetTable(table.data(), table.size());
    col.SetHeader(dat.Table());
    EXPECT_EQ(std::vector<uint8_t>(col.Buffer() + 128, col.Buffer() + 256),
              std::vector<uint8_t>(table.begin(), table.begin() + 128));
    EXPECT_EQ(col.Buffer()[0], 0);
    EXPECT_EQ(col.Buffer()[127], 0);
    EXPECT_EQ(col.Header(), col.Buffer() + 128);
}

TEST(CColSet, ShortFileFillsOnlyItsLength) {
    TempFolder dir;
    const std::vector<uint8_t> bytes = RandomBytes(300, 9);
    WriteFile(dir.File("s.col"), bytes);
    CColSet col;
    col.Resize(16384, 16);
    ASSERT_TRUE(col.LoadFromFile(dir.File("s.col")));
    std::vector<uint8_t> expected = bytes;
    expected.resize(1280, 0);
    EXPECT_EQ(std::vector<uint8_t>(col.Buffer(), col.Buffer() + col.BufferSize()), expected);
}

TEST(CColSet, LongFileIsReadUpToTheBufferSize) {
    TempFolder dir;
    const std::vector<uint8_t> bytes = RandomBytes(5000, 10);
    WriteFile(dir.File("l.col"), bytes);
    CColSet col;
    col.Resize(1024, 16);
    ASSERT_TRUE(col.LoadFromFile(dir.File("l.col")));
    EXPECT_EQ(std::vector<uint8_t>(col.Buffer(), col.Buffer() + col.BufferSize()),
              std::vector<uint8_t>(bytes.begin(), bytes.begin() + 320));
}

TEST(CColSet, MissingFileAndUnsizedBuffer) {
    TempFolder dir;
    CColSet col;
    EXPECT_FALSE(col.LoadFromFile(dir.File("none.col")));
    WriteFile(dir.File("x.col"), RandomBytes(100, 1));
    EXPECT_TRUE(col.LoadFromFile(dir.File("x.col"))); // nothing to fill
    EXPECT_EQ(col.BufferSize(), 0);
    EXPECT_FALSE(col.SaveToFile(dir.File("y.col")));
    EXPECT_FALSE(FileExists(dir.File("y.col")));
}

TEST(CColSet, SaveRoundTripKeepsTheFirstBlockAndTheTail) {
    TempFolder dir;
    const std::vector<uint8_t> bytes = RandomBytes(320, 12);
    CColSet col;
    col.Resize(1024, 16);
    col.LoadFromBytes(bytes.data(), bytes.size());
    WriteFile(dir.File("o.col"), std::vector<uint8_t>(400, 0xEE));
    ASSERT_TRUE(col.SaveToFile(dir.File("o.col")));
    std::vector<uint8_t> expected = bytes;
    expected.resize(400, 0xEE);
    EXPECT_EQ(ReadBytes(dir.File("o.col")), expected);

    CColSet back;
    back.Resize(1024, 16);
    ASSERT_TRUE(back.LoadFromFile(dir.File("o.col")));
    EXPECT_EQ(std::vector<uint8_t>(back.Buffer(), back.Buffer() + back.BufferSize()), bytes);
}
