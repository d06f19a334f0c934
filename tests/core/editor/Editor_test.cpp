#include "core/editor/Editor.h"

#include "RecordingView.h"

#include "core/platform/IniFile.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

const std::vector<std::string> BuiltinNames = {
    "1BPP",         "2BPP NES",        "2BPP GB",         "2BPP NGP",
    "2BPP VB",      "2BPP MSX",        "3BPP SNES",       "4BPP SNES/PCE CG",
    "4BPP GBA",     "4BPP SMS/GG/WSC", "4BPP MSX/MD/WSC", "4BPP PCE SG(16x16)",
    "1BPP (16x16)",
};

// Index of the first log entry equal to entry, or -1.
int IndexOf(const RecordingView& view, const std::string& entry) {
    for (size_t i = 0; i < view.log.size(); ++i)
        if (view.log[i] == entry)
            return static_cast<int>(i);
    return -1;
}

using EditorStartup = EditorTest;

TEST_F(EditorStartup, DefaultsWithoutSettingsOrStandardFiles) {
    Editor& e = Start();

    EXPECT_EQ(view.formatList, BuiltinNames);
    EXPECT_EQ(view.formatIndex, 1);
    EXPECT_EQ(e.Space().FormatIndex(), 1);
    EXPECT_EQ(e.Space().Format().Name(), "2BPP NES");
    EXPECT_EQ(view.patternList, std::vector<std::string>{"Normal"});
    EXPECT_EQ(e.Space().PatternIndex(), 0);
    EXPECT_EQ(e.Space().Pattern().tiles[0], 0);
    EXPECT_EQ(e.Space().Pattern().tiles[255], 255);

    // Zoom "x8", no grids, status bar, hints and the simplified menu.
    EXPECT_EQ(e.ZoomIndex(), 3);
    EXPECT_EQ(ZoomEditSize(e.ZoomIndex()), 16);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 0, 1, 1}));
    EXPECT_FALSE(e.Settings().GridChr);
    EXPECT_FALSE(e.Settings().GridEdit);
    EXPECT_FALSE(e.Settings().FrameDraw);
    EXPECT_EQ(e.Settings().GridType, 0);
    EXPECT_TRUE(e.Settings().Statusbar);
    EXPECT_TRUE(e.IsMouseHintsVisible());
    EXPECT_TRUE(e.Settings().SimpleMenu);
    EXPECT_FALSE(e.IsPaletteOnly());
    EXPECT_FALSE(e.Space().IsColourSetEnabled());
    EXPECT_EQ(e.Space().RotateIndex(), 0);
    EXPECT_EQ(e.Space().MirrorIndex(), 0);
    EXPECT_FALSE(e.IsInitialising());

    // A new document of 8192 zero bytes.
    EXPECT_EQ(e.Space().Document().FileName(), "NewFile.chr");
    EXPECT_EQ(e.Space().Document().DataSize(), 8192);
    EXPECT_EQ(e.Space().Address(), 0);
    EXPECT_EQ(view.caption, "Tavrin ( 000000 / 002000 ) NewFile.chr");
    EXPECT_EQ(view.status[0], "CHR : 000000 - 000FFF / 002000");
    EXPECT_EQ(e.ApplicationTitle(), "Tavrin");
    EXPECT_EQ(view.ranges[ScrollBarId::Chr], (ScrollRange{0, 32, 17, 1, 16}));
    EXPECT_EQ(view.ranges[ScrollBarId::Dat], (ScrollRange{0, 16, 3, 1, 2}));
    EXPECT_EQ(view.ranges[ScrollBarId::Pal], (ScrollRange{0, 16, 5, 1, 4}));
    EXPECT_EQ(view.positions[ScrollBarId::Chr], 0);
    EXPECT_EQ(view.focused, Panel::Chr);
}

TEST_F(EditorStartup, ListsAreFilledBeforeTheFormatIsChosenAndTheDocumentComesLast) {
    WriteFile("tavrin.dat", std::vector<uint8_t>(256, 7));
    Start();
    const int tooltip = IndexOf(view, "tooltip");
    const int formatList = IndexOf(view, "formatList");
    const int patternList = IndexOf(view, "patternList");
    const int formatIndex = IndexOf(view, "formatIndex");
    const int caption = IndexOf(view, "caption");
    ASSERT_GE(tooltip, 0);
    EXPECT_LT(tooltip, formatList);
    EXPECT_LT(formatList, patternList);
    EXPECT_LT(patternList, formatIndex);
    EXPECT_LT(formatIndex, caption);
    // While initialising the format change still rebuilds the display palette and redraws
    // the two palette views, and nothing else.
    std::vector<std::string> afterIndex(view.log.begin() + formatIndex + 1, view.log.end());
    ASSERT_GE(afterIndex.size(), 3u);
    EXPECT_EQ(afterIndex[0], "range");
    EXPECT_EQ(afterIndex[1], "position");
    EXPECT_EQ(afterIndex[2], "P");
    EXPECT_EQ(afterIndex[3], "S");
    EXPECT_EQ(afterIndex[4], "L");
}

TEST_F(EditorStartup, StandardFilesBesideTheExecutableAreLoaded) {
    std::vector<uint8_t> pal(768);
    for (int i = 0; i < 768; ++i)
        pal[static_cast<size_t>(i)] = static_cast<uint8_t>(i / 3);
    WriteFile("tavrin.pal", pal);
    std::vector<uint8_t> dat(256);
    for (int i = 0; i < 256; ++i)
        dat[static_cast<size_t>(i)] = static_cast<uint8_t>(255 - i);
    WriteFile("tavrin.dat", dat);
    AdfEntry sprites = GenerateCharacterPattern(2, 2, false);
    CAdfPattern table;
    table.SetPattern(0, NormalPattern());
    table.SetPattern(1, sprites);
    const std::vector<uint8_t> adf = table.ToBytes();
    WriteFile("tavrin.adf", adf);

    Editor& e = Start();
    EXPECT_EQ(e.Space().Palette().GetColor(10), MakeColour(10, 10, 10));
    EXPECT_EQ(e.Space().PaletteSet().GetEntry(0), 255);
    EXPECT_EQ(view.patternList, (std::vector<std::string>{"Normal", "2,2 H"}));
    EXPECT_EQ(view.toolTips[HintTarget::PalPanel], PathOf("tavrin.pal"));
    EXPECT_EQ(view.toolTips[HintTarget::DatPanel], PathOf("tavrin.dat") + "\n");
    EXPECT_EQ(view.toolTips[HintTarget::PatternList], PathOf("tavrin.adf"));
    // The standard state never enables the colour set.
    EXPECT_FALSE(e.Space().IsColourSetEnabled());
    // Display colour k is master colour dat[k] (equal colours nudged apart).
    EXPECT_EQ(e.DisplayPalette()[0], MakeColour(255, 255, 255));
}

TEST_F(EditorStartup, BlankPatternEntryZeroBecomesNormalButAFilledOneStays) {
    CAdfPattern table;
    AdfEntry named = GenerateCharacterPattern(1, 2, true);
    table.SetPattern(0, named);
    WriteFile("tavrin.adf", table.ToBytes());
    Editor& e = Start();
    EXPECT_EQ(view.patternList, std::vector<std::string>{"1,2 V"});
    EXPECT_EQ(e.Space().Pattern().tiles[1], 2);
}

TEST_F(EditorStartup, TheChrFileBesideTheExecutableOpensWhenNoArgumentIsGiven) {
    WriteFile("tavrin.chr", Counting(16384));
    Editor& e = Start();
    EXPECT_EQ(e.Space().Document().FilePath(), PathOf("tavrin.chr"));
    EXPECT_EQ(e.Space().Document().DataSize(), 16384);
    EXPECT_EQ(view.applicationTitle, "Tavrin tavrin.chr");
    EXPECT_EQ(view.caption, "Tavrin ( 000000 / 004000 ) tavrin.chr");
}

TEST_F(EditorStartup, TheSingleArgumentWinsOverTheChrFile) {
    WriteFile("tavrin.chr", Counting(16384));
    const std::string rom = WriteFile("game.gb", Counting(32768));
    Editor& e = Start({rom});
    EXPECT_EQ(e.Space().Document().FilePath(), rom);
    // The extension chooses the format on a fresh open.
    EXPECT_EQ(e.Space().FormatIndex(), 2);
    EXPECT_EQ(view.formatIndex, 2);
}

TEST_F(EditorStartup, TwoArgumentsOpenNeitherOfThem) {
    WriteFile("tavrin.chr", Counting(16384));
    const std::string a = WriteFile("a.bin", Counting(100));
    const std::string b = WriteFile("b.bin", Counting(100));
    Editor& e = Start({a, b});
    EXPECT_EQ(e.Space().Document().FilePath(), PathOf("tavrin.chr"));
}

TEST_F(EditorStartup, AMissingArgumentFileLeavesANewDocument) {
    Editor& e = Start({PathOf("missing.nes")});
    EXPECT_EQ(e.Space().Document().FileName(), "NewFile.chr");
    EXPECT_EQ(e.Space().Document().DataSize(), 8192);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(EditorStartup, DisplayControlsComeFromTheSettings) {
    WriteText("tavrin.ini", "[Tavrin]\nGridChr=1\nGridEdit=1\nFrameDraw=1\nGridType=2\n"
                            "ZoomType=1\nStatusbar=0\nMouseNavigation=1\nSimpleMenu=0\n"
                            "WheelCount=2\n");
    Editor& e = Start();
    EXPECT_TRUE(e.Settings().GridChr);
    EXPECT_TRUE(e.Settings().GridEdit);
    EXPECT_TRUE(e.Settings().FrameDraw);
    EXPECT_EQ(e.Settings().GridType, 2);
    EXPECT_EQ(e.ZoomIndex(), 1);
    EXPECT_EQ(ZoomEditSize(e.ZoomIndex()), 64);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 0, 7, 7}));
    EXPECT_FALSE(e.Settings().Statusbar);
    EXPECT_FALSE(e.IsMouseHintsVisible());
    EXPECT_FALSE(e.Settings().SimpleMenu);
    EXPECT_EQ(e.WheelStepLines(), 2);
    // With the status bar hidden the address panel is never written.
    EXPECT_EQ(view.status.count(0), 0u);
}

TEST_F(EditorStartup, AZoomOutsideTheListIsTakenAsX1) {
    WriteText("tavrin.ini", "[Tavrin]\nZoomType=9\n");
    Editor& e = Start();
    EXPECT_EQ(e.ZoomIndex(), 0);
    EXPECT_EQ(ZoomEditSize(e.ZoomIndex()), 128);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 0, 15, 15}));
}

TEST_F(EditorStartup, AGridTypeOutsideTheListDrawsNoGridAndIsWrittenBackAsNoSelection) {
    WriteText("tavrin.ini", "[Tavrin]\nGridType=7\nGridChr=1\n");
    Editor& e = Start();
    // The list has no item 7, so it shows no selection, and that is what the handler stores.
    EXPECT_EQ(e.Settings().GridType, -1);
    // The tile view shows the page and the frame only: row 0 between the frame's corners
    // and tile columns holds no white grid dot.
    const Image8& picture = e.TileViewPicture();
    EXPECT_EQ(picture.Pixel(64, 0), picture.Pixel(65, 0));
    e.FormDestroy(0, 0, -1);
    IniFile ini;
    ASSERT_TRUE(ini.Load(PathOf("tavrin.ini")));
    EXPECT_EQ(ini.ReadInteger("Tavrin", "GridType", 0), -1);
}

TEST_F(EditorStartup, AnyGridIndexOutsideTheListIsNoSelection) {
    WriteText("tavrin.ini", "[Tavrin]\nGridType=-5\n");
    Editor& e = Start();
    EXPECT_EQ(e.Settings().GridType, -1);
    e.SetViewOption(ViewOption::GridChr, true);
    e.SetViewOption(ViewOption::GridType, 0);
    EXPECT_EQ(e.Settings().GridType, 0);
    EXPECT_NE(e.TileViewPicture().Pixel(16, 48), 0);
    EXPECT_EQ(e.TileViewPicture().Pixel(16, 49), 0);
    // An index the list cannot hold is no selection as well.
    e.SetViewOption(ViewOption::GridType, 4);
    EXPECT_EQ(e.Settings().GridType, -1);
    EXPECT_EQ(e.TileViewPicture().Pixel(16, 48), 0);
}

// ---- Shutdown and the settings file ----

using EditorSettings = EditorTest;

TEST_F(EditorSettings, ShutdownWritesTheStateAndKeepsOtherSections) {
    WriteText("tavrin.ini", "; tools and states\n[TOOL]\nTool0=viewer %FILE\n[Tavrin]\n"
                            "ZoomType=3\nUnknownKey=5\n[STATE]\nName0=emu\n");
    Editor& e = Start();
    e.SetViewOption(ViewOption::Zoom, 4);
    e.SetViewOption(ViewOption::GridChr, true);
    e.SetViewOption(ViewOption::GridEdit, true);
    e.SetViewOption(ViewOption::FrameDraw, true);
    e.SetViewOption(ViewOption::GridType, 3);
    e.SetViewOption(ViewOption::StatusBar, false);
    e.SetViewOption(ViewOption::MouseNavigation, false);
    e.SetViewOption(ViewOption::SimpleMenu, false);
    e.SetViewOption(ViewOption::Halftone, true);
    e.FormDestroy(120, 45, 0x00336699);

    IniFile ini;
    ASSERT_TRUE(ini.Load(PathOf("tavrin.ini")));
    EXPECT_EQ(ini.ReadString("TOOL", "Tool0", ""), "viewer %FILE");
    EXPECT_EQ(ini.ReadString("STATE", "Name0", ""), "emu");
    EXPECT_EQ(ini.ReadInteger("Tavrin", "UnknownKey", 0), 5);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "ZoomType", -9), 4);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "GridChr", -9), 1);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "GridEdit", -9), 1);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "FrameDraw", -9), 1);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "GridType", -9), 3);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "Statusbar", -9), 0);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "MouseNavigation", -9), 0);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "SimpleMenu", -9), 0);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "WindowColor", -9), 0x00336699);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "Left", -9), 120);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "Top", -9), 45);
    EXPECT_FALSE(ini.HasKey("Tavrin", "Halftone"));
    EXPECT_NE(ReadText("tavrin.ini").find("; tools and states"), std::string::npos);
}

TEST_F(EditorSettings, ARoundTripRestoresTheDisplayControlsButNotHalftone) {
    {
        Editor& e = Start();
        e.SetViewOption(ViewOption::Zoom, 2);
        e.SetViewOption(ViewOption::GridType, 1);
        e.SetViewOption(ViewOption::GridChr, true);
        e.SetViewOption(ViewOption::Halftone, true);
        e.SetViewOption(ViewOption::StatusBar, false);
        e.FormDestroy(3, 4, -1);
    }
    editor.reset();
    RecordingView second;
    Workspace space;
    CIniInfo settings;
    OpenSettingsFile(settings, paths.settingsFile);
    Editor again(second, space, settings, paths, 3);
    again.FormCreate({});
    EXPECT_EQ(again.ZoomIndex(), 2);
    EXPECT_EQ(ZoomEditSize(again.ZoomIndex()), 32);
    EXPECT_EQ(again.Settings().GridType, 1);
    EXPECT_TRUE(again.Settings().GridChr);
    EXPECT_FALSE(again.Settings().Halftone);
    EXPECT_FALSE(again.Settings().Statusbar);
    EXPECT_EQ(again.Settings().WindowColor, -1);
    EXPECT_EQ(again.Settings().Left, 3);
}

TEST_F(EditorSettings, TheSettingsDialogsWheelCountTakesEffectWhenItCloses) {
    Editor& e = Start({}, 3);
    EXPECT_EQ(e.WheelStepLines(), 3);
    e.Settings().WheelCount = 5;
    EXPECT_EQ(e.WheelStepLines(), 3);
    e.SettingsChanged();
    EXPECT_EQ(e.WheelStepLines(), 5);
}

// ---- Caption, title and status bar ----

using EditorCaption = EditorTest;

TEST_F(EditorCaption, CaptionAndStatusFollowTheAddress) {
    const std::string rom = WriteFile("level.bin", Counting(0x12345));
    Editor& e = Start({rom});
    e.ActFormat(1);
    e.AddrJump(0x1000);
    EXPECT_EQ(view.caption, "Tavrin ( 001000 / 012345 ) level.bin");
    EXPECT_EQ(view.status[0], "CHR : 001000 - 001FFF / 012345");
    EXPECT_EQ(view.applicationTitle, "Tavrin level.bin");
    e.ActFormat(8);
    EXPECT_EQ(view.status[0], "CHR : 001000 - 002FFF / 012345");
}

TEST_F(EditorCaption, WithoutTheAddressTheCaptionIsTheApplicationTitle) {
    WriteText("tavrin.ini", "[Tavrin]\nDispTitleAddr=0\n");
    Editor& e = Start();
    EXPECT_EQ(view.caption, "Tavrin");
    const std::string rom = WriteFile("x.chr", Counting(8192));
    e.OpenRom(rom, true);
    EXPECT_EQ(view.caption, "Tavrin x.chr");
}

TEST_F(EditorCaption, SaveAsRenamesTheCaptionAndTheApplicationTitle) {
    const std::string rom = WriteFile("first.chr", Counting(8192));
    Editor& e = Start({rom});
    e.FileSaveAs(PathOf("second.chr"));
    EXPECT_EQ(view.caption, "Tavrin ( 000000 / 002000 ) second.chr");
    // Message boxes carry the application title: the name the document has now.
    EXPECT_EQ(view.applicationTitle, "Tavrin second.chr");
}

TEST_F(EditorCaption, PatternStatusShowsTheScreenTileAndThePatternsTile) {
    CAdfPattern table;
    table.SetPattern(0, NormalPattern());
    table.SetPattern(1, GenerateCharacterPattern(2, 2, false));
    WriteFile("tavrin.adf", table.ToBytes());
    Editor& e = Start();
    e.Mouse().Move(Panel::Chr, 2 * 16 + 3, 1 * 16 + 9);
    EXPECT_EQ(view.status[1], "Pattern : ADF[12] = 12 ");
    e.SelectPattern(1);
    e.Mouse().Move(Panel::Chr, 3 * 16, 16);
    EXPECT_EQ(view.status[1], "Pattern : ADF[13] = 07 ");
}

TEST_F(EditorCaption, MouseHintsNameTheButtonsOfEachPanel) {
    Editor& e = Start();
    e.Mouse().Move(Panel::Chr, 5, 5);
    EXPECT_EQ(view.hintLeft, "描画領域選択");
    EXPECT_EQ(view.hintRight, "領域選択");
    const int calls = view.hintCalls;
    e.Mouse().Move(Panel::Chr, 100, 100);
    EXPECT_EQ(view.hintCalls, calls) << "the same kind and pen again writes nothing";
    e.Mouse().FormMove();
    EXPECT_EQ(view.hintLeft, "");
    EXPECT_EQ(view.hintRight, "");
    e.Mouse().Move(Panel::Edit, 10, 10);
    EXPECT_EQ(view.hintLeft, "描画：ペン");
    EXPECT_EQ(view.hintRight, "スポイト");
}

TEST_F(EditorCaption, MouseHintsStayUntouchedWhileTheStatusBarIsHidden) {
    Editor& e = Start();
    e.SetViewOption(ViewOption::StatusBar, false);
    EXPECT_FALSE(e.IsMouseHintsVisible());
    e.Mouse().Move(Panel::Chr, 5, 5);
    EXPECT_EQ(view.hintCalls, 0);
    e.SetViewOption(ViewOption::StatusBar, true);
    EXPECT_TRUE(e.IsMouseHintsVisible());
    e.Mouse().Move(Panel::Chr, 5, 5);
    EXPECT_EQ(view.hintLeft, "描画領域選択");
    e.SetViewOption(ViewOption::MouseNavigation, false);
    EXPECT_FALSE(e.IsMouseHintsVisible());
}

TEST_F(EditorCaption, TheAddressPanelWaitsWhileTheStatusBarIsHiddenAndCatchesUp) {
    Editor& e = Start({WriteFile("h.chr", Counting(0x10000))});
    e.SetViewOption(ViewOption::StatusBar, false);
    e.AddrJump(0x2000);
    EXPECT_EQ(view.status[0], "CHR : 000000 - 000FFF / 010000");
    EXPECT_EQ(view.caption, "Tavrin ( 002000 / 010000 ) h.chr");
    e.SetViewOption(ViewOption::StatusBar, true);
    EXPECT_EQ(view.status[0], "CHR : 002000 - 002FFF / 010000");
}

TEST_F(EditorCaption, RomFilterListsTheFormatsPatterns) {
    Editor& e = Start();
    EXPECT_EQ(e.Space().Formats().RomFileFilter(),
              "ROM image|*.bin;*.chr;*.nes;*.fds;*.fam;*.gb;*.gbc;*.ngp;*.npc;*.ngc;*.vb;"
              "*.smc;*.sfc;*.fig;*.smc;*.sfc;*.fig;*.pce;*.gba;*.sms;*.gg;*.ws;*.wsc;*.rom;"
              "*.smd;*.pce;*.1bpp;*.2bpp;|All files|*.*");
}

} // namespace
