#include "core/palette/files/PaletteTransfer.h"

#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"

#include <gtest/gtest.h>

using namespace tavrin;

TEST(PaletteTransfer, EntriesGoWhereTheUserChose) {
    struct Case {
        const char* name;
        PaletteContents contents;
        PaletteDestination destination;
        int masterEntries;
        int setEntries;
        size_t leftOut;
    };
    PaletteContents row, ram, many;
    row.colours = {0x010101, 0x020202, 0x030303};
    ram.indices = {0x0F, 0x30, 0x16};
    many.colours.assign(300, 0x404040);
    const Case cases[] = {
        {"colours to master", row, PaletteDestination::MasterPalette, 3, 0, 0},
        {"colours to set", row, PaletteDestination::PaletteSet, 3, 3, 0},
        {"indices to set", ram, PaletteDestination::PaletteSet, 0, 3, 0},
        {"indices never colour the master", ram, PaletteDestination::MasterPalette, 0, 3, 0},
        {"past 256 left out", many, PaletteDestination::MasterPalette, 256, 0, 44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPalette palette;
        for (int k = 0; k < 256; ++k)
            palette.SetColor(k, 0xABCDEF);
        CDatPalette set(&palette);
        std::vector<uint8_t> table(256, 0xEE);
        set.SetTable(table.data(), table.size());
        const PaletteTransfer t = ApplyPaletteContents(c.contents, c.destination, palette, set);
        EXPECT_EQ(t.masterEntries, c.masterEntries);
        EXPECT_EQ(t.setEntries, c.setEntries);
        EXPECT_EQ(t.leftOut, c.leftOut);
        for (int k = 0; k < 256; ++k) {
            const Colour wantColour = k < c.masterEntries ? c.contents.colours[k] : 0xABCDEF;
            const int wantEntry = k >= c.setEntries           ? 0xEE
                                  : c.contents.HoldsIndices() ? c.contents.indices[k]
                                                              : k;
            ASSERT_EQ(palette.GetColor(k), wantColour) << k;
            ASSERT_EQ(set.Table()[k], wantEntry) << k;
        }
    }
}

TEST(PaletteTransfer, WrittenContentsComeFromTheChosenSource) {
    CPalette palette;
    for (int k = 0; k < 256; ++k)
        palette.SetColor(k, MakeColour(k, 0, 0));
    CDatPalette set(&palette);
    std::vector<uint8_t> table(256);
    for (int k = 0; k < 256; ++k)
        table[k] = static_cast<uint8_t>(255 - k);
    set.SetTable(table.data(), table.size());

    const PaletteContents master =
        ContentsToWrite(PaletteFormat::Gpl, PaletteDestination::MasterPalette, palette, set);
    const PaletteContents shown =
        ContentsToWrite(PaletteFormat::Bgr555, PaletteDestination::PaletteSet, palette, set);
    const PaletteContents nes =
        ContentsToWrite(PaletteFormat::Nes, PaletteDestination::MasterPalette, palette, set);
    const PaletteContents ram =
        ContentsToWrite(PaletteFormat::NesRam, PaletteDestination::PaletteSet, palette, set);
    ASSERT_EQ(master.colours.size(), 256u);
    EXPECT_EQ(master.colours[10], MakeColour(10, 0, 0));
    EXPECT_EQ(shown.colours[10], MakeColour(245, 0, 0));
    EXPECT_EQ(nes.colours.size(), 64u);
    EXPECT_EQ(ram.indices, std::vector<uint8_t>(table.begin(), table.begin() + 32));
}

TEST(PaletteTransfer, IndicesAndColoursConvertThroughAMaster) {
    const std::vector<Colour> master = {0x000000, 0xFFFFFF, 0x0000FF, 0xFFFFFF, 0x00FF00};
    EXPECT_EQ(ColoursOfIndices({2, 0, 9}, master),
              (std::vector<Colour>{0x0000FF, 0x000000, 0x000000}));
    // Nearest colour, the first of equals, only among the first limit entries.
    EXPECT_EQ(IndicesOfColours({0x0000F0, 0xEEEEEE, 0x00FF00}, master, 64),
              (std::vector<uint8_t>{2, 1, 4}));
    EXPECT_EQ(IndicesOfColours({0x00FF00}, master, 4), (std::vector<uint8_t>{0}));
}

TEST(PaletteTransfer, StateComesBackWhole) {
    CPalette palette;
    CDatPalette set(&palette);
    const PaletteState before = TakePaletteState(palette, set);
    PaletteContents row;
    row.colours = {0x123456};
    ApplyPaletteContents(row, PaletteDestination::PaletteSet, palette, set);
    set.SetEntry(255, 7);
    EXPECT_NE(TakePaletteState(palette, set), before);
    RestorePaletteState(before, palette, set);
    EXPECT_EQ(TakePaletteState(palette, set), before);
}
