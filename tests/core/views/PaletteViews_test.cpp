#include "core/views/CImageDat.h"
#include "core/views/CImagePal.h"
#include "core/views/PaletteViewRules.h"

#include "core/palette/CColSet.h"
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tavrin {
namespace {

constexpr Colour White = MakeColour(255, 255, 255);
constexpr Colour Black = MakeColour(0, 0, 0);
constexpr Colour Red = MakeColour(255, 0, 0);

Colour MasterColour(int k) {
    return MakeColour(k, 255 - k, 100 + k / 4);
}

// The views only read the palette set; these give it what they report, as the main window
// does through its workspace.
struct AppliedPal : CImagePal {
    AppliedPal(const CPalette& palette, CDatPalette& set) : CImagePal(palette, set), set(set) {}
    PaletteViewResult Apply(const PaletteViewResult& r) {
        if (r.masterIndex >= 0)
            set.SetEntry(set.SelectedEntry(), r.masterIndex);
        return r;
    }
    PaletteViewResult Press(int button, int x, int y) {
        return Apply(CImagePal::Press(button, x, y));
    }
    PaletteViewResult Move(int x, int y) { return Apply(CImagePal::Move(x, y)); }
    CDatPalette& set;
};

struct AppliedDat : CImageDat {
    explicit AppliedDat(CDatPalette& set) : CImageDat(set), set(set) {}
    PaletteViewResult Apply(const PaletteViewResult& r) {
        if (r.selectEntry >= 0)
            set.SetSelectedEntry(r.selectEntry);
        return r;
    }
    PaletteViewResult Press(int button, int x, int y) {
        return Apply(CImageDat::Press(button, x, y));
    }
    PaletteViewResult Move(int x, int y) { return Apply(CImageDat::Move(x, y)); }
    int SetPaletteOnly(bool on) {
        set.SetIdentityMode(on);
        return CImageDat::SetPaletteOnly(on);
    }
    CDatPalette& set;
};

struct PaletteViewFixture : ::testing::Test {
    PaletteViewFixture() : paletteSet(&palette), pal(palette, paletteSet), dat(paletteSet) {
        for (int k = 0; k < 256; ++k)
            palette.SetColor(k, MasterColour(k));
        for (int i = 0; i < 256; ++i)
            paletteSet.SetEntry(i, (i * 7 + 3) & 0xFF);
        paletteSet.SetBpp(2);
    }

    CPalette palette;
    CDatPalette paletteSet;
    AppliedPal pal;
    AppliedDat dat;
};

// --- palette view picture

TEST_F(PaletteViewFixture, PaletteViewFillsEachCellWithItsMasterColour) {
    paletteSet.SetSelectedEntry(5);
    pal.Redraw();
    for (int k = 0; k < 256; ++k) {
        if (k == paletteSet.GetEntry(5))
            continue;
        const int x = k % 16 * 16;
        const int y = k / 16 * 16;
        EXPECT_EQ(pal.Picture().Pixel(x, y), MasterColour(k));
        EXPECT_EQ(pal.Picture().Pixel(x + 15, y + 15), MasterColour(k));
        EXPECT_EQ(pal.Picture().Pixel(x + 8, y + 8), MasterColour(k)) << "no label on " << k;
    }
}

TEST_F(PaletteViewFixture, PaletteViewFramesAndLabelsTheSelectedMasterColour) {
    paletteSet.SetSelectedEntry(5);
    paletteSet.SetEntry(5, 0x21); // cell at (16, 32)
    pal.Redraw();
    const ImageRgb& p = pal.Picture();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(p.Pixel(16 + i, 32), White);
        EXPECT_EQ(p.Pixel(16 + i, 47), White);
        EXPECT_EQ(p.Pixel(16, 32 + i), White);
        EXPECT_EQ(p.Pixel(31, 32 + i), White);
    }
    EXPECT_EQ(p.Pixel(17, 33), MasterColour(0x21));
    // Label "21" at (18, 36): its first outline pixel at label (1, 0), the first digit pixel
    // of "2" at label (2, 1).
    EXPECT_EQ(p.Pixel(18, 36), MasterColour(0x21));
    EXPECT_EQ(p.Pixel(19, 36), Black);
    EXPECT_EQ(p.Pixel(20, 37), White);
    EXPECT_EQ(p.Pixel(15, 32), MasterColour(0x20));
}

// --- palette view mouse

TEST_F(PaletteViewFixture, PaletteViewDragAssignsTheMasterColourOnce) {
    paletteSet.SetSelectedEntry(9);
    EXPECT_TRUE(pal.Press(ButtonLeft, 40, 20).changed);
    EXPECT_EQ(paletteSet.GetEntry(9), 2 + 16);
    EXPECT_FALSE(pal.Move(45, 30).changed);
    EXPECT_TRUE(pal.Move(0, 0).changed);
    EXPECT_EQ(paletteSet.GetEntry(9), 0);
    const PaletteViewResult up = pal.Release(ButtonLeft);
    EXPECT_EQ(up, PaletteViewResult{});
    EXPECT_EQ(pal.ButtonState(), ButtonNone);
}

TEST_F(PaletteViewFixture, PaletteViewClampsToTheVisibleRows) {
    paletteSet.SetSelectedEntry(1);
    pal.SetTopRow(3);
    pal.Press(ButtonRight, 999, 999);
    EXPECT_EQ(paletteSet.GetEntry(1), 6 * 16 + 15);
    pal.Move(-5, -40);
    EXPECT_EQ(paletteSet.GetEntry(1), 3 * 16);
    EXPECT_TRUE(pal.Release(ButtonRight).openEditor);
}

TEST_F(PaletteViewFixture, PaletteViewIgnoresMovesWithoutLeftOrRight) {
    paletteSet.SetSelectedEntry(1);
    const int before = paletteSet.GetEntry(1);
    EXPECT_FALSE(pal.Move(100, 10).changed);
    EXPECT_FALSE(pal.Press(ButtonMiddle, 100, 10).changed);
    EXPECT_EQ(paletteSet.GetEntry(1), before);
    EXPECT_FALSE(pal.Release(ButtonMiddle).openEditor);
}

// --- palette-set view picture

TEST_F(PaletteViewFixture, PaletteSetViewShowsEntryColoursAndTheGroupLabels) {
    paletteSet.SetSelectedEntry(0x1E);
    dat.Redraw();
    const ImageRgb& p = dat.Picture();
    EXPECT_EQ(p.Pixel(8, 8), MasterColour(paletteSet.GetEntry(0)));
    EXPECT_EQ(p.Pixel(5 * 16 + 3, 2 * 16 + 5), MasterColour(paletteSet.GetEntry(0x25)));
    // Entry 0x1C is the group's first: label of its master index at (192 + 2, 16 + 4).
    const int master = paletteSet.GetEntry(0x1C);
    const HexLabelList labels;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const auto ink = labels.At(master, x, y);
            const Colour expected = ink == HexLabelList::Digit     ? White
                                    : ink == HexLabelList::Outline ? Black
                                                                   : MasterColour(master);
            EXPECT_EQ(p.Pixel(194 + x, 20 + y), expected) << x << "," << y;
        }
    // Entries outside the group carry no label.
    EXPECT_EQ(p.Pixel(11 * 16 + 4, 16 + 6), MasterColour(paletteSet.GetEntry(0x1B)));
}

TEST_F(PaletteViewFixture, PaletteSetViewFramesTheGroupInRedAndTheSelectionInWhite) {
    paletteSet.SetSelectedEntry(0x1E);
    dat.Redraw();
    const ImageRgb& p = dat.Picture();
    // Group 0x1C-0x1F: cells 12-15 of row 1, x 192..255, y 16..31.
    EXPECT_EQ(p.Pixel(192, 16), Red);
    EXPECT_EQ(p.Pixel(255, 31), Red);
    EXPECT_EQ(p.Pixel(200, 16), Red);
    EXPECT_EQ(p.Pixel(191, 16), MasterColour(paletteSet.GetEntry(0x1B)));
    // The selected entry 0x1E: x 224..239, y 17..30.
    EXPECT_EQ(p.Pixel(224, 17), White);
    EXPECT_EQ(p.Pixel(239, 30), White);
    EXPECT_EQ(p.Pixel(224, 16), Red);
    EXPECT_EQ(p.Pixel(239, 31), Red);
    EXPECT_EQ(p.Pixel(225, 18), MasterColour(paletteSet.GetEntry(0x1E)));
}

TEST_F(PaletteViewFixture, GroupFrameFollowsTheFormatDepth) {
    paletteSet.SetBpp(4);
    paletteSet.SetSelectedEntry(0x35);
    dat.Redraw();
    EXPECT_EQ(dat.Picture().Pixel(0, 48), Red);
    EXPECT_EQ(dat.Picture().Pixel(255, 63), Red);
    EXPECT_EQ(dat.Picture().Pixel(0, 47), MasterColour(paletteSet.GetEntry(0x20)));
    EXPECT_EQ(dat.Picture().Pixel(0, 64), MasterColour(paletteSet.GetEntry(0x40)));

    paletteSet.SetBpp(1);
    paletteSet.SetSelectedEntry(0x35);
    dat.Redraw();
    // Group 0x34-0x35: two cells wide.
    EXPECT_EQ(dat.Picture().Pixel(64, 48), Red);
    EXPECT_EQ(dat.Picture().Pixel(95, 63), Red);
    EXPECT_EQ(dat.Picture().Pixel(96, 63), MasterColour(paletteSet.GetEntry(0x36)));
}

TEST_F(PaletteViewFixture, NoGroupFrameForAnEightBitFormat) {
    paletteSet.SetBpp(8);
    paletteSet.SetSelectedEntry(0);
    dat.Redraw();
    for (int x = 16; x < 256; ++x)
        EXPECT_NE(dat.Picture().Pixel(x, 0), Red) << x;
}

// --- palette-set view mouse

TEST_F(PaletteViewFixture, DraggingIntoTheNextGroupChangesTheGroupOnce) {
    paletteSet.SetSelectedEntry(0);
    PaletteViewResult r = dat.Press(ButtonLeft, 20, 5); // entry 1
    EXPECT_TRUE(r.selectionChanged);
    EXPECT_FALSE(r.groupChanged);
    r = dat.Move(30, 5);
    EXPECT_FALSE(r.selectionChanged);
    r = dat.Move(60, 5); // entry 3
    EXPECT_TRUE(r.selectionChanged);
    EXPECT_FALSE(r.groupChanged);
    r = dat.Move(70, 5); // entry 4: the next group
    EXPECT_TRUE(r.selectionChanged);
    EXPECT_TRUE(r.groupChanged);
    r = dat.Move(90, 5); // entry 5
    EXPECT_FALSE(r.groupChanged);
    EXPECT_EQ(paletteSet.SelectedEntry(), 5);
    EXPECT_EQ(dat.Release(ButtonLeft), PaletteViewResult{});
}

TEST_F(PaletteViewFixture, PaletteSetViewClampsToItsVisibleRows) {
    dat.SetTopRow(14);
    dat.Press(ButtonRight, 300, 300);
    EXPECT_EQ(paletteSet.SelectedEntry(), 0xFF);
    dat.Move(0, -100);
    EXPECT_EQ(paletteSet.SelectedEntry(), 0xE0);
    dat.SetPaletteOnly(true);
    EXPECT_EQ(dat.TopRow(), 9);
    dat.Move(0, 500);
    EXPECT_EQ(paletteSet.SelectedEntry(), 0xF0);
    EXPECT_TRUE(dat.Release(ButtonRight).openEditor);
    EXPECT_FALSE(dat.Move(0, 0).selectionChanged);
}

TEST_F(PaletteViewFixture, PaletteOnlyModeShowsSevenRowsAndTheIdentityTable) {
    dat.SetTopRow(12);
    EXPECT_EQ(dat.SetPaletteOnly(true), 9);
    EXPECT_TRUE(paletteSet.IdentityMode());
    EXPECT_EQ(dat.VisibleRowCount(), 7);
    EXPECT_TRUE(dat.PaletteOnly());
    EXPECT_EQ(dat.SetPaletteOnly(false), 9);
    EXPECT_FALSE(paletteSet.IdentityMode());
    EXPECT_EQ(dat.VisibleRowCount(), 2);
    dat.SetTopRow(15);
    EXPECT_EQ(dat.SetPaletteOnly(false), 14);
    EXPECT_EQ(dat.SetPaletteOnly(true), 9);
    dat.SetTopRow(4);
    EXPECT_EQ(dat.SetPaletteOnly(true), 4);
}

// --- rules

TEST(PaletteViewRules, ScrollRanges) {
    EXPECT_EQ(PalScrollRange(), (ScrollBarRange{0, 16, 5, 1, 4}));
    EXPECT_EQ(DatScrollRange(false), (ScrollBarRange{0, 16, 3, 1, 2}));
    EXPECT_EQ(DatScrollRange(true), (ScrollBarRange{0, 16, 8, 1, 7}));
}

TEST(PaletteViewRules, DraggedPositionsKeepTheLastRowsAtTheBottom) {
    EXPECT_EQ(ClampPaletteScroll(16, PalScrollRange()), 12);
    EXPECT_EQ(ClampPaletteScroll(12, PalScrollRange()), 12);
    EXPECT_EQ(ClampPaletteScroll(11, PalScrollRange()), 11);
    EXPECT_EQ(ClampPaletteScroll(15, DatScrollRange(false)), 14);
    EXPECT_EQ(ClampPaletteScroll(10, DatScrollRange(true)), 9);
    EXPECT_EQ(ClampPaletteScroll(-1, DatScrollRange(true)), 0);
}

TEST(PaletteViewRules, SelectionKeysWithTwoBitsPerPixel) {
    EXPECT_EQ(PaletteSelectStep(0, 0x1E, 2), 0x1A);
    EXPECT_EQ(PaletteSelectStep(3, 0x1E, 2), 0x22);
    EXPECT_EQ(PaletteSelectStep(1, 0x1E, 2), 0x1D);
    EXPECT_EQ(PaletteSelectStep(2, 0x1E, 2), 0x1F);
    EXPECT_EQ(PaletteSelectStep(2, 0xFF, 2), 0xFF);
    EXPECT_EQ(PaletteSelectStep(3, 0xFF, 2), 0xFF);
    EXPECT_EQ(PaletteSelectStep(1, 0, 2), 0);
    EXPECT_EQ(PaletteSelectStep(0, 0, 2), 0);
    EXPECT_EQ(PaletteSelectStep(0, 0x02, 2), 0x02);
}

TEST(PaletteViewRules, SelectionKeysWithOtherDepths) {
    EXPECT_EQ(PaletteSelectStep(3, 0x15, 4), 0x25);
    EXPECT_EQ(PaletteSelectStep(3, 0xF5, 4), 0xF5);
    EXPECT_EQ(PaletteSelectStep(0, 0x15, 8), 0x15);
    EXPECT_EQ(PaletteSelectStep(2, 0x15, 8), 0x16);
    EXPECT_EQ(PaletteSelectStep(0, 0x03, 1), 0x01);
}

TEST(PaletteViewRules, PaintColourSetGivesEveryTileOfTheAreaTheGroup) {
    CColSet colourSet;
    colourSet.Resize(16384, 32); // 4 bits per pixel: 32 bytes per tile
    std::array<uint8_t, 256> pattern{};
    std::iota(pattern.begin(), pattern.end(), 0);
    std::swap(pattern[17], pattern[200]); // the slot (1, 1) shows tile 200
    const int address = 0x400;
    EXPECT_EQ(PaintColourSet(colourSet, {0, 0, 1, 1}, pattern.data(), address, 4, 0x35), 4);
    for (int t : {0, 1, 16, 200})
        EXPECT_EQ(colourSet.GroupAt(address + t * 32), 3) << t;
    EXPECT_EQ(colourSet.GroupAt(address + 17 * 32), 0);
    EXPECT_EQ(colourSet.GroupAt(address + 2 * 32), 0);
    EXPECT_EQ(colourSet.GroupAt(0), 0);
}

TEST(PaletteViewRules, PaintColourSetPastTheDocumentWritesNothing) {
    CColSet colourSet;
    colourSet.Resize(1024, 16);
    std::array<uint8_t, 256> pattern{};
    std::iota(pattern.begin(), pattern.end(), 0);
    const std::vector<uint8_t> before(colourSet.Buffer(),
                                      colourSet.Buffer() + colourSet.BufferSize());
    PaintColourSet(colourSet, {0, 8, 15, 15}, pattern.data(), 0x7FFFF000, 2, 0xFF);
    EXPECT_EQ(std::vector<uint8_t>(colourSet.Buffer(), colourSet.Buffer() + colourSet.BufferSize()),
              before);
    EXPECT_EQ(PaintColourSet(colourSet, {0, 0, 1, 1}, nullptr, 0, 2, 0xFF), 0);
}

} // namespace
} // namespace tavrin
