#include "core/editor/Editor.h"

#include "RecordingView.h"
#include "core/platform/FileIO.h"

#include "core/formats/CFormatUtil.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

using EditorFormat = EditorTest;

// A format as a plug-in may bring it: 8 bits per pixel in 16 x 16 tiles with patterns on.
// Each decoded cell's top-left pixel gets the last byte of its tile, so a test sees which
// bytes were read (and the sanitizers see any read outside the buffer).
class ProbeFormat : public CFormat {
public:
    ProbeFormat() {
        m_info.bitsPerPixel = 8;
        m_info.width = 16;
        m_info.height = 16;
        CopyText(m_info.name, "PROBE 8BPP 16x16");
    }
    void DecodeTile(Image8& image, const TileParams* p) override {
        uint8_t last = 0;
        for (int i = 0; i < 256; ++i)
            last = p->bytes[p->tileOffset + i];
        image.SetPixel(p->x * 16, p->y * 16, last);
    }
};

TEST_F(EditorFormat, DigitKeysSelectTheFirstTenFormats) {
    Editor& e = Start();
    const int pageBytes[] = {2048, 4096, 4096, 4096, 4096, 4096, 6144, 8192, 8192, 8192};
    for (int digit = 0; digit <= 9; ++digit) {
        e.ActFormat(digit);
        EXPECT_EQ(e.Space().FormatIndex(), digit);
        EXPECT_EQ(view.formatIndex, digit);
        EXPECT_EQ(e.Space().Page().pageBytes, pageBytes[digit]) << digit;
        EXPECT_EQ(e.Space().Page().rowBytes, pageBytes[digit] / 16) << digit;
        EXPECT_EQ(e.Space().PaletteSet().Bpp(), pageBytes[digit] / 2048) << digit;
    }
    EXPECT_EQ(e.Space().Format().Name(), "4BPP SMS/GG/WSC");
    // Only as many digits as there are formats act.
    e.ActFormat(13);
    e.ActFormat(-1);
    EXPECT_EQ(e.Space().FormatIndex(), 9);
}

TEST_F(EditorFormat, TheListIndexIsHeldWithinTheTable) {
    Editor& e = Start();
    e.SelectFormat(40);
    EXPECT_EQ(e.Space().FormatIndex(), 12);
    EXPECT_EQ(e.Space().Format().Name(), "1BPP (16x16)");
    e.SelectFormat(-3);
    EXPECT_EQ(e.Space().FormatIndex(), 0);
}

TEST_F(EditorFormat, AutoPaletteFollowsTheFormatsDefaultMode) {
    Editor& e = Start();
    EXPECT_FALSE(e.IsPaletteOnly());
    e.ActFormat(7); // 4BPP SNES: palette only
    EXPECT_TRUE(e.IsPaletteOnly());
    EXPECT_TRUE(e.Space().PaletteSet().IdentityMode());
    EXPECT_EQ(view.ranges[ScrollBarId::Dat], (ScrollRange{0, 16, 8, 1, 7}));
    e.ActFormat(0); // 1BPP does not switch the mode
    EXPECT_TRUE(e.IsPaletteOnly());
    e.ActFormat(2); // 2BPP GB: palette plus palette set
    EXPECT_FALSE(e.IsPaletteOnly());
    EXPECT_FALSE(e.Space().PaletteSet().IdentityMode());
    EXPECT_EQ(view.ranges[ScrollBarId::Dat], (ScrollRange{0, 16, 3, 1, 2}));
}

TEST_F(EditorFormat, WithoutAutoPaletteTheModeStays) {
    WriteText("tavrin.ini", "[Tavrin]\nAutoPalette=0\n");
    Editor& e = Start();
    e.ActFormat(8);
    EXPECT_FALSE(e.IsPaletteOnly());
    e.SetPaletteDisplayMode(true);
    e.ActFormat(1);
    EXPECT_TRUE(e.IsPaletteOnly());
}

TEST_F(EditorFormat, AFormatChangeClearsAndDisablesTheColourSet) {
    const std::string rom = WriteFile("c.chr", Counting(16384));
    Editor& e = Start({rom});
    e.PaletteEnableSet();
    e.Space().EditColourSet([](CColSet& c) { c.Entry(0) = 5; });
    ASSERT_TRUE(e.Space().IsColourSetEnabled());
    e.ActFormat(1);
    EXPECT_FALSE(e.Space().IsColourSetEnabled());
    EXPECT_EQ(e.Space().ColourSet().GroupAt(0), 0);
    EXPECT_EQ(e.Space().ColourSet().BufferSize(), 16384 / 16 + 256);
    e.ActFormat(0); // 8 bytes per tile
    EXPECT_EQ(e.Space().ColourSet().BufferSize(), 16384 / 8 + 256);
}

TEST_F(EditorFormat, AFormatChangeRunsItsRedrawStepsAndClampsTheAddress) {
    const std::string rom = WriteFile("f.chr", Counting(0x4000));
    Editor& e = Start({rom});
    e.AddrStep(StepLast);
    EXPECT_EQ(e.Space().Address(), 0x3000);
    view.ClearLog();
    e.ActFormat(0); // 1BPP: page 2048, row 128
    EXPECT_EQ(view.Steps(), "P S L T E T E C");
    EXPECT_EQ(e.Space().Address(), 0x3000);
    EXPECT_EQ(view.positions[ScrollBarId::Chr], 0x3000 / 128);
    EXPECT_EQ(view.ranges[ScrollBarId::Chr], (ScrollRange{0, 128, 17, 1, 16}));
    e.ActFormat(8); // 4BPP: page 8192, so the address is pulled back
    EXPECT_EQ(e.Space().Address(), 0x2000);
    EXPECT_EQ(view.positions[ScrollBarId::Chr], 0x2000 / 512);
    EXPECT_EQ(view.status[0], "CHR : 002000 - 003FFF / 004000");
}

TEST_F(EditorFormat, APageThatWouldReachPastTheBufferIsShownBlank) {
    std::vector<uint8_t> bytes(20000, 0);
    bytes[255] = 0x41;            // last byte of tile 0
    bytes[63 * 256 + 255] = 0x42; // last byte of tile 63
    Editor& e = Start({WriteFile("p.bin", bytes)});
    ASSERT_TRUE(e.Space().Formats().Add(std::make_unique<ProbeFormat>()));
    e.SelectFormat(13);
    EXPECT_EQ(e.Space().Page().pageBytes, 16384);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 0x41);
    EXPECT_EQ(e.Space().TileImage().Pixel(7 * 16, 7 * 16), 0x42);
    // Through a pattern a slot may name tile 255, 64 KiB on: past this document's buffer.
    CAdfPattern table;
    table.SetPattern(0, NormalPattern());
    AdfEntry far = NormalPattern();
    far.tiles[5] = 255;
    far.SetName("far");
    table.SetPattern(1, far);
    e.OpenCompanion(RomDocument::Companion::Adf, WriteFile("far.adf", table.ToBytes()));
    e.SelectPattern(1);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 0);
    EXPECT_EQ(e.Space().TileImage().Pixel(7 * 16, 7 * 16), 0);
    e.SelectPattern(0);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 0x41);
}

TEST_F(EditorFormat, TheInformationTextIsTheCurrentFormats) {
    Editor& e = Start();
    e.ActFormat(3);
    EXPECT_EQ(CFormatUtil::InfoText(&e.Space().Format()),
              CFormatUtil::InfoText(e.Space().Formats().Get(3)));
    EXPECT_EQ(CFormatUtil::InfoText(&e.Space().Format()).substr(0, 34),
              "Format name           \t: 2BPP NGP\n");
}

// ---- Display settings panel ----

using EditorDisplay = EditorTest;

TEST_F(EditorDisplay, RotationDecodesTheCellsTurned) {
    // Tile 0 of 2BPP NES: row 0 low plane 0x80 gives one pixel of colour 1 at the top left.
    std::vector<uint8_t> bytes(8192, 0);
    bytes[0] = 0x80;
    const std::string rom = WriteFile("r.chr", bytes);
    Editor& e = Start({rom});
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 1);
    view.ClearLog();
    e.SetViewOption(ViewOption::Rotate, 1);
    EXPECT_EQ(view.Steps(), "T E");
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 0);
    EXPECT_EQ(e.Space().TileImage().Pixel(7, 0), 1);
    e.SetViewOption(ViewOption::Rotate, 0);
    e.SetViewOption(ViewOption::Mirror, 2);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 7), 1);
    EXPECT_EQ(e.Space().MirrorIndex(), 2);
}

TEST_F(EditorDisplay, PatternsReorderTheTiles) {
    CAdfPattern table;
    table.SetPattern(0, NormalPattern());
    table.SetPattern(1, GenerateCharacterPattern(2, 2, false));
    WriteFile("tavrin.adf", table.ToBytes());
    std::vector<uint8_t> bytes(8192, 0);
    bytes[2 * 16] = 0xFF; // tile 2, row 0: colour 1 across
    const std::string rom = WriteFile("p.chr", bytes);
    Editor& e = Start({rom});
    EXPECT_EQ(e.Space().TileImage().Pixel(16, 0), 1);
    view.ClearLog();
    e.SelectPattern(1);
    EXPECT_EQ(view.Steps(), "T E T E");
    // "2,2 H" puts tile 2 at slot (0, 1).
    EXPECT_EQ(e.Space().TileImage().Pixel(16, 0), 0);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 8), 1);
    // The index is held within the list.
    e.SelectPattern(9);
    EXPECT_EQ(e.Space().PatternIndex(), 1);
    EXPECT_EQ(view.patternIndex, 1);
    e.PatternDialogClosed(e.Space().Patterns());
    EXPECT_EQ(e.Space().PatternIndex(), 0);
}

TEST_F(EditorDisplay, GridTypesDrawDotsOrPatternedLinesOverTheTileView) {
    Editor& e = Start();
    const Image8& picture = e.TileViewPicture();
    // A new document is all index 0, so every grid pixel stands out.
    EXPECT_EQ(picture.Pixel(16, 16), 0);
    e.SetViewOption(ViewOption::GridChr, true);
    e.SetViewOption(ViewOption::GridType, 0); // "点": one dot per tile corner, nothing between
    EXPECT_NE(picture.Pixel(16, 48), 0);
    EXPECT_EQ(picture.Pixel(16, 49), 0);
    e.SetViewOption(ViewOption::GridType, 1); // "点線": on, off, on, off
    EXPECT_EQ(picture.Pixel(16, 49), 0);
    EXPECT_EQ(picture.Pixel(16, 50), 1);
    e.SetViewOption(ViewOption::GridType, 2); // "破線": on, on, off, off
    EXPECT_EQ(picture.Pixel(16, 49), 1);
    EXPECT_EQ(picture.Pixel(16, 50), 0);
    e.SetViewOption(ViewOption::GridType, 3); // "線"
    EXPECT_EQ(picture.Pixel(16, 50), 1);
    EXPECT_EQ(picture.Pixel(128, 50), 3) << "the middle lines use index 3";
    e.SetViewOption(ViewOption::GridChr, false);
    EXPECT_EQ(picture.Pixel(16, 50), 0);
}

TEST_F(EditorDisplay, HalftoneHalvesTheDisplayColours) {
    std::vector<uint8_t> pal(768, 0);
    pal[0] = 200;
    pal[1] = 100;
    pal[2] = 51;
    WriteFile("tavrin.pal", pal);
    Editor& e = Start();
    // Entry 0 of a zero palette set points at master colour 0.
    EXPECT_EQ(e.DisplayPalette()[0], MakeColour(200, 100, 51));
    view.ClearLog();
    e.SetViewOption(ViewOption::Halftone, true);
    EXPECT_EQ(view.Steps(), "P T E");
    EXPECT_EQ(e.DisplayPalette()[0], MakeColour(100, 50, 25));
    EXPECT_EQ(e.TileViewPicture().Colours()[0], MakeColour(100, 50, 25));
    EXPECT_EQ(e.EditViewPicture().Colours()[0], MakeColour(100, 50, 25));
}

TEST_F(EditorDisplay, CheckBoxesRedrawBothViews) {
    Editor& e = Start();
    for (auto option : {ViewOption::GridChr, ViewOption::GridEdit, ViewOption::FrameDraw}) {
        view.ClearLog();
        e.SetViewOption(option, true);
        EXPECT_EQ(view.Steps(), "T E");
    }
    EXPECT_TRUE(e.Settings().GridChr);
    EXPECT_TRUE(e.Settings().GridEdit);
    EXPECT_TRUE(e.Settings().FrameDraw);
}

// ---- Palette keys and modes ----

using EditorPalette = EditorTest;

TEST_F(EditorPalette, SelectionKeysStepGroupsAndEntries) {
    Editor& e = Start();
    ASSERT_EQ(e.Space().Format().BitsPerPixel(), 2);
    struct Case {
        int from;
        int tag;
        int expected;
    };
    const Case cases[] = {
        {0x1E, 0, 0x1A}, {0x1E, 3, 0x22}, {0x1E, 1, 0x1D}, {0x1E, 2, 0x1F}, {0xFF, 2, 0xFF},
        {0xFF, 3, 0xFF}, {0x00, 1, 0x00}, {0x00, 0, 0x00}, {0x02, 0, 0x02}, {0xFD, 3, 0xFD},
    };
    for (const Case& c : cases) {
        e.Space().SelectPaletteEntry(c.from);
        e.PaletteSelect(c.tag);
        EXPECT_EQ(e.Space().PaletteSet().SelectedEntry(), c.expected)
            << "from " << c.from << " tag " << c.tag;
    }
    view.ClearLog();
    e.PaletteSelect(3);
    EXPECT_EQ(view.Steps(), "P T E S L");
}

TEST_F(EditorPalette, TheSelectedGroupColoursTheDecodedPage) {
    std::vector<uint8_t> bytes(8192, 0);
    bytes[0] = 0x80;
    bytes[8] = 0x80; // tile 0, pixel (0, 0): colour 3
    const std::string rom = WriteFile("g.chr", bytes);
    Editor& e = Start({rom});
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 3);
    e.Space().SelectPaletteEntry(0x17);
    e.PaletteSelect(2); // C: entry 0x18, group base 0x18
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 0x1B);
    e.ActFormat(8); // 4 bits: group base 0x10
    EXPECT_EQ(e.Space().TileImage().Pixel(2, 0), 0x10);
}

TEST_F(EditorPalette, PaletteOnlyModeClampsTheDatScrollPosition) {
    Editor& e = Start();
    e.ScrollBarChange(ScrollBarId::Dat, 12);
    EXPECT_EQ(e.DatView().TopRow(), 12);
    view.ClearLog();
    e.SetPaletteDisplayMode(true);
    EXPECT_EQ(e.DatView().TopRow(), 9);
    EXPECT_EQ(view.positions[ScrollBarId::Dat], 9);
    EXPECT_EQ(view.Count("layout"), 1);
    EXPECT_EQ(view.Steps(), "C P T E S L");
    e.SetPaletteDisplayMode(false);
    EXPECT_EQ(e.DatView().TopRow(), 9);
    e.ScrollBarChange(ScrollBarId::Dat, 20);
    EXPECT_EQ(e.DatView().TopRow(), 14);
    e.ScrollBarChange(ScrollBarId::Pal, 20);
    EXPECT_EQ(e.PalView().TopRow(), 12);
}

TEST_F(EditorPalette, EnablingTheColourSetShowsPenTenAndRedecodes) {
    Editor& e = Start();
    EXPECT_FALSE(e.Space().IsColourSetEnabled());
    view.ClearLog();
    e.PaletteEnableSet();
    EXPECT_TRUE(e.Space().IsColourSetEnabled());
    EXPECT_TRUE(e.Space().IsColourSetEnabled());
    EXPECT_EQ(view.Steps(), "C T E");
    e.PaletteEnableSet();
    EXPECT_FALSE(e.Space().IsColourSetEnabled());
}

TEST_F(EditorPalette, PaletteFilesOpenAndSave) {
    Editor& e = Start({WriteFile("rom.chr", Counting(8192))});
    std::vector<uint8_t> pal(768, 0);
    pal[3] = 9;
    e.OpenCompanion(RomDocument::Companion::Pal, WriteFile("other.pal", pal));
    EXPECT_EQ(e.Space().Palette().GetColor(1), MakeColour(9, 0, 0));
    EXPECT_EQ(view.toolTips[HintTarget::PalPanel], PathOf("other.pal"));
    e.OpenCompanion(RomDocument::Companion::Dat,
                    WriteFile("other.dat", std::vector<uint8_t>(4, 1)));
    EXPECT_EQ(view.toolTips[HintTarget::DatPanel],
              PathOf("other.dat") + "\n" + PathOf("other.pal"));
    EXPECT_EQ(e.DisplayPalette()[0], MakeColour(9, 0, 0));

    e.SaveCompanionBesideRom(RomDocument::Companion::Pal);
    e.SaveCompanionBesideRom(RomDocument::Companion::Dat);
    e.SaveCompanionBesideRom(RomDocument::Companion::Adf);
    EXPECT_EQ(ReadFile("rom.pal"), pal);
    const std::vector<uint8_t> dat = ReadFile("rom.dat");
    ASSERT_EQ(dat.size(), 256u);
    EXPECT_EQ(dat[3], 1);
    EXPECT_EQ(dat[4], 0);
    EXPECT_EQ(ReadFile("rom.adf").size(), 18432u);
    EXPECT_EQ(ReplaceExtension(e.Space().Document().FilePath(), ".dat"), PathOf("rom.dat"));

    e.SaveCompanion(RomDocument::Companion::Adf, PathOf("x.adf"));
    CAdfPattern table;
    table.SetPattern(0, GenerateCharacterPattern(4, 4, false));
    e.OpenCompanion(RomDocument::Companion::Adf, WriteFile("y.adf", table.ToBytes()));
    EXPECT_EQ(view.patternList[0], "4,4 H");
    EXPECT_EQ(view.toolTips[HintTarget::PatternList], PathOf("y.adf"));
    EXPECT_EQ(ReadFile("x.adf").size(), 18432u);
}

TEST_F(EditorPalette, F11BringsBackTheStandardState) {
    std::vector<uint8_t> pal(768, 0);
    pal[0] = 77;
    WriteFile("tavrin.pal", pal);
    Editor& e = Start();
    CAdfPattern table;
    table.SetPattern(0, NormalPattern());
    table.SetPattern(1, GenerateCharacterPattern(2, 2, false));
    e.OpenCompanion(RomDocument::Companion::Adf, WriteFile("more.adf", table.ToBytes()));
    e.SelectPattern(1);
    e.OpenCompanion(RomDocument::Companion::Pal,
                    WriteFile("black.pal", std::vector<uint8_t>(768, 0)));
    e.PaletteEnableSet();
    ASSERT_EQ(e.Space().Palette().GetColor(0), 0u);

    e.PaletteReload();
    EXPECT_EQ(e.Space().Palette().GetColor(0), MakeColour(77, 0, 0));
    EXPECT_EQ(e.Space().PatternIndex(), 0);
    EXPECT_EQ(view.patternIndex, 0);
    // Without a standard .adf the table keeps its patterns.
    EXPECT_EQ(view.patternList.size(), 2u);
    EXPECT_FALSE(e.Space().IsColourSetEnabled());
}

TEST_F(EditorPalette, F11WithoutStandardFilesKeepsTheContentsAndSwitchesTheColourSetOff) {
    Editor& e = Start({WriteFile("k.chr", Counting(16384))});
    std::vector<uint8_t> pal(768, 0);
    pal[3 * 2 + 1] = 90;
    e.OpenCompanion(RomDocument::Companion::Pal, WriteFile("k.pal", pal));
    e.OpenCompanion(RomDocument::Companion::Dat, WriteFile("k.dat", std::vector<uint8_t>(8, 2)));
    CAdfPattern table;
    table.SetPattern(0, NormalPattern());
    table.SetPattern(1, GenerateCharacterPattern(2, 2, false));
    e.OpenCompanion(RomDocument::Companion::Adf, WriteFile("k.adf", table.ToBytes()));
    e.SelectPattern(1);
    e.PaletteEnableSet();
    e.Space().EditColourSet([](CColSet& c) { c.Entry(0) = 3; });
    view.ClearLog();

    e.PaletteReload();
    EXPECT_EQ(e.Space().Palette().GetColor(2), MakeColour(0, 90, 0));
    EXPECT_EQ(e.Space().PaletteSet().GetEntry(7), 2);
    EXPECT_EQ(view.patternList, (std::vector<std::string>{"Normal", "2,2 H"}));
    EXPECT_EQ(e.Space().PatternIndex(), 0);
    EXPECT_EQ(view.patternIndex, 0);
    EXPECT_EQ(e.Space().Pattern().tiles[1], 1);
    EXPECT_FALSE(e.Space().IsColourSetEnabled());
    EXPECT_EQ(e.Space().ColourSet().GroupAt(0), 0) << "the colour set is cleared";
    EXPECT_EQ(view.Steps(), "C P T E S L");
}

TEST_F(EditorPalette, APaletteSetLoadedInPaletteOnlyModeShowsWhenTheSetModeReturns) {
    std::vector<uint8_t> pal(768, 0);
    for (int k = 0; k < 256; ++k)
        pal[static_cast<size_t>(3 * k)] = static_cast<uint8_t>(k);
    WriteFile("tavrin.pal", pal);
    Editor& e = Start();
    e.SetPaletteDisplayMode(true);
    EXPECT_EQ(e.DisplayPalette()[5], MakeColour(5, 0, 0));
    std::vector<uint8_t> dat(16);
    for (int i = 0; i < 16; ++i)
        dat[static_cast<size_t>(i)] = static_cast<uint8_t>(0x40 + i);
    e.OpenCompanion(RomDocument::Companion::Dat, WriteFile("set.dat", dat));
    EXPECT_EQ(e.Space().PaletteSet().Table()[5], 0x45);
    EXPECT_EQ(e.DisplayPalette()[5], MakeColour(5, 0, 0)) << "palette only: unchanged";
    e.SetPaletteDisplayMode(false);
    EXPECT_EQ(e.DisplayPalette()[5], MakeColour(0x45, 0, 0));
    EXPECT_EQ(e.TileViewPicture().Colours()[5], MakeColour(0x45, 0, 0));
}

TEST_F(EditorDisplay, ClosingThePatternDialogAfterDeletingEveryEntryBringsBackNormal) {
    CAdfPattern table;
    table.SetPattern(0, GenerateCharacterPattern(2, 2, false));
    table.SetPattern(1, GenerateCharacterPattern(1, 2, true));
    WriteFile("tavrin.adf", table.ToBytes());
    Editor& e = Start();
    e.SelectPattern(1);
    ASSERT_EQ(view.patternList.size(), 2u);
    // The dialog deletes both entries in the table it works on.
    CAdfPattern edited = e.Space().Patterns();
    edited.Delete(1);
    edited.Delete(0);
    ASSERT_EQ(edited.Count(), 0);
    view.ClearLog();
    e.PatternDialogClosed(edited);
    EXPECT_EQ(view.patternList, std::vector<std::string>{"Normal"});
    EXPECT_EQ(e.Space().PatternIndex(), 0);
    EXPECT_EQ(view.patternIndex, 0);
    EXPECT_EQ(e.Space().Pattern(), NormalPattern());
    EXPECT_EQ(view.Steps(), "T E T E");
}

} // namespace
