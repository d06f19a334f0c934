#include "core/editor/Editor.h"
#include "support/WorkspaceAccess.h"

#include "RecordingView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrin;

namespace {

using EditorFile = EditorTest;

TEST_F(EditorFile, NewDocumentIsEightKilobytesOfZeros) {
    const std::string rom = WriteFile("a.chr", Counting(20000));
    Editor& e = Start({rom});
    e.AddrJump(0x2000);
    e.FileNew();
    EXPECT_EQ(e.Space().Document().FilePath(), "NewFile.chr");
    EXPECT_EQ(e.Space().Document().DataSize(), 8192);
    EXPECT_EQ(e.Space().Document().EndAddress(), 8192);
    EXPECT_EQ(e.Space().Address(), 0);
    for (int i = 0; i < 8192; ++i)
        ASSERT_EQ(e.Space().Document().Data()[i], 0) << i;
    EXPECT_EQ(view.ranges[ScrollBarId::Chr], (ScrollRange{0, 32, 17, 1, 16}));
    // The application title stays with the last opened file.
    EXPECT_EQ(e.ApplicationTitle(), "Tavrin a.chr");
}

TEST_F(EditorFile, OpenReadsTheFileAndGoesToItsStart) {
    std::vector<uint8_t> bytes = Counting(5000);
    const std::string rom = WriteFile("data.chr", bytes);
    Editor& e = Start();
    e.AddrJump(0x100);
    EXPECT_TRUE(e.OpenRom(rom, true));
    EXPECT_EQ(e.Space().Address(), 0);
    EXPECT_EQ(e.Space().Document().DataSize(), 5000);
    EXPECT_EQ(e.Space().Document().EndAddress(), 5000);
    EXPECT_EQ(e.Space().Document().Data()[4999], bytes[4999]);
    EXPECT_EQ(e.Space().Document().Data()[5000], 0);
    // Under 8192 bytes the scroll bar keeps 16 rows.
    EXPECT_EQ(view.ranges[ScrollBarId::Chr], (ScrollRange{0, 16, 17, 1, 16}));
}

TEST_F(EditorFile, AutoFormatChoosesByExtensionOnlyOnAFreshOpen) {
    const std::string sfc = WriteFile("game.sfc", Counting(65536));
    Editor& e = Start();
    e.OpenRom(sfc, true);
    EXPECT_EQ(e.Space().FormatIndex(), 7);
    e.SelectFormat(2);
    e.FileReload();
    EXPECT_EQ(e.Space().FormatIndex(), 2);
    e.OpenRom(WriteFile("readme", Counting(100)), true);
    EXPECT_EQ(e.Space().FormatIndex(), 0);
}

TEST_F(EditorFile, TheExtensionIsMatchedWholeAndWithoutCase) {
    Editor& e = Start();
    const struct {
        const char* name;
        int format;
    } cases[] = {
        {"GAME.GB", 2}, {"game.gba", 8}, {"data.dat", 0},  {"readme", 0},
        {"x.md", 0},    {"game.sfc", 7}, {"game.pce", 11}, {"a.b/c", 0},
        {"ROM.NES", 1}, {"pic.WSC", 9},  {"x.smd", 10},
    };
    for (const auto& c : cases) {
        const std::string name = c.name;
        if (name.find('/') != std::string::npos)
            std::filesystem::create_directories(PathOf(name.substr(0, name.find('/'))));
        e.OpenRom(WriteFile(name, Counting(100)), true);
        EXPECT_EQ(e.Space().FormatIndex(), c.format) << name;
        EXPECT_EQ(view.formatIndex, c.format) << name;
    }
}

TEST_F(EditorFile, WithoutAutoFormatTheFormatStays) {
    WriteText("tavrin.ini", "[Tavrin]\nAutoFormat=0\n");
    Editor& e = Start();
    e.OpenRom(WriteFile("game.gba", Counting(65536)), true);
    EXPECT_EQ(e.Space().FormatIndex(), 1);
}

TEST_F(EditorFile, ReloadKeepsTheAddressAndClampsWhenTheFileShrank) {
    const std::string rom = WriteFile("r.chr", Counting(65536));
    Editor& e = Start({rom});
    e.AddrJump(0x3000);
    e.FileReload();
    EXPECT_EQ(e.Space().Address(), 0x3000);
    WriteFile("r.chr", Counting(0x2000));
    e.FileReload();
    EXPECT_EQ(e.Space().Document().DataSize(), 0x2000);
    EXPECT_EQ(e.Space().Address(), 0x1000);
    EXPECT_EQ(view.caption, "Tavrin ( 001000 / 002000 ) r.chr");
}

TEST_F(EditorFile, ReloadReadsTheBytesOnDiskAgain) {
    const std::string rom = WriteFile("r.chr", Counting(8192));
    Editor& e = Start({rom});
    WorkspaceTestAccess::Bytes(e.Space())[10] = 0xEE;
    e.FileReload();
    EXPECT_EQ(e.Space().Document().Data()[10], 10);
}

TEST_F(EditorFile, SaveWritesTheBufferInPlace) {
    const std::string rom = WriteFile("s.chr", Counting(10000));
    Editor& e = Start({rom});
    WorkspaceTestAccess::Bytes(e.Space())[0] = 0xAB;
    WorkspaceTestAccess::Bytes(e.Space())[9999] = 0xCD;
    e.FileSave();
    const std::vector<uint8_t> disk = ReadFile("s.chr");
    ASSERT_EQ(disk.size(), 10000u);
    EXPECT_EQ(disk[0], 0xAB);
    EXPECT_EQ(disk[1], 1);
    EXPECT_EQ(disk[9999], 0xCD);
}

TEST_F(EditorFile, SmallDocumentsAreSavedAtTheirSizeUnlessPaddingIsAskedFor) {
    const std::string rom = WriteFile("small.bin", Counting(100));
    Editor& e = Start({rom});
    e.FileSave();
    EXPECT_EQ(ReadFile("small.bin").size(), 100u);

    e.Settings().SaveSmallSize = false;
    WorkspaceTestAccess::Bytes(e.Space())[200] = 0x5A;
    e.FileSave();
    const std::vector<uint8_t> disk = ReadFile("small.bin");
    ASSERT_EQ(disk.size(), 8192u);
    EXPECT_EQ(disk[99], 99);
    EXPECT_EQ(disk[100], 0);
    EXPECT_EQ(disk[200], 0x5A);
    EXPECT_EQ(disk[8191], 0);
}

TEST_F(EditorFile, SaveAsOntoALongerFileReplacesItAndSaveInPlaceKeepsATail) {
    const std::string rom = WriteFile("short.chr", std::vector<uint8_t>(8192, 0x11));
    WriteFile("long.chr", std::vector<uint8_t>(12000, 0x77));
    Editor& e = Start({rom});
    // The user agreed to replace long.chr: it holds the document and nothing else.
    e.FileSaveAs(PathOf("long.chr"));
    EXPECT_EQ(ReadFile("long.chr"), std::vector<uint8_t>(8192, 0x11));
    EXPECT_EQ(e.Space().Document().FilePath(), PathOf("long.chr"));
    // A file that grew since it was opened keeps its tail when saved in place.
    WriteFile("long.chr", std::vector<uint8_t>(12000, 0x77));
    WorkspaceTestAccess::Bytes(e.Space())[1] = 0x22;
    e.FileSave();
    const std::vector<uint8_t> disk = ReadFile("long.chr");
    ASSERT_EQ(disk.size(), 12000u);
    EXPECT_EQ(disk[1], 0x22);
    EXPECT_EQ(disk[8191], 0x11);
    EXPECT_EQ(disk[8192], 0x77);
    EXPECT_EQ(ReadFile("short.chr")[1], 0x11);
}

TEST_F(EditorFile, SaveAsIntoAFolderThatDoesNotExistBeepsAndKeepsTheName) {
    const std::string rom = WriteFile("keep.chr", Counting(8192));
    Editor& e = Start({rom});
    e.FileSaveAs(PathOf("no/such/folder/x.chr"));
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(e.Space().Document().FilePath(), rom);
    EXPECT_EQ(view.caption, "Tavrin ( 000000 / 002000 ) keep.chr");
}

TEST_F(EditorFile, CompanionFilesLoadWithTheDocument) {
    const std::string rom = WriteFile("hero.chr", Counting(16384));
    std::vector<uint8_t> pal(768, 0);
    pal[3 * 5] = 200;
    WriteFile("hero.pal", pal);
    WriteFile("hero.dat", std::vector<uint8_t>(32, 5));
    CAdfPattern table;
    table.SetPattern(0, GenerateCharacterPattern(2, 2, true));
    WriteFile("hero.adf", table.ToBytes());
    Editor& e = Start();
    view.ClearLog();
    e.OpenRom(rom, true);
    EXPECT_EQ(e.Space().Palette().GetColor(5), MakeColour(200, 0, 0));
    EXPECT_EQ(e.Space().PaletteSet().GetEntry(31), 5);
    EXPECT_EQ(view.patternList, std::vector<std::string>{"2,2 V"});
    EXPECT_EQ(view.toolTips[HintTarget::DatPanel], PathOf("hero.dat") + "\n");
    EXPECT_EQ(view.toolTips[HintTarget::PalPanel], PathOf("hero.pal"));
    EXPECT_FALSE(e.Space().IsColourSetEnabled());
    // The display palette colour of entry 0 is master colour 5.
    EXPECT_EQ(e.DisplayPalette()[0], MakeColour(200, 0, 0));
}

TEST_F(EditorFile, AColourSetFileEnablesTheColourSetAndFillsThePaletteSet) {
    const std::string rom = WriteFile("col.chr", Counting(16384));
    std::vector<uint8_t> col(256 + 1024, 0);
    for (int i = 0; i < 128; ++i)
        col[static_cast<size_t>(128 + i)] = static_cast<uint8_t>(0x80 + i);
    col[256 + 1] = 3; // tile 1 shows with group 3
    WriteFile("col.col", col);
    Editor& e = Start();
    e.OpenRom(rom, true);
    EXPECT_TRUE(e.Space().IsColourSetEnabled());
    EXPECT_TRUE(e.Space().IsColourSetEnabled());
    EXPECT_EQ(e.Space().PaletteSet().GetEntry(0), 0x80);
    EXPECT_EQ(e.Space().PaletteSet().GetEntry(127), 0xFF);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(16), 3);
    // Tile 1 of the page decodes with group 3: every pixel has the high bits 3 << 2.
    EXPECT_EQ(e.Space().TileImage().Pixel(8, 0) & 0xFC, 12);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0) & 0xFC, 0);
}

TEST_F(EditorFile, SavingWritesTheColourSetOnlyWhileEnabled) {
    const std::string rom = WriteFile("c.chr", Counting(16384));
    Editor& e = Start({rom});
    ASSERT_FALSE(e.Space().IsColourSetEnabled());
    e.FileSave();
    EXPECT_FALSE(Exists("c.col"));

    e.PaletteEnableSet();
    EXPECT_TRUE(e.Space().IsColourSetEnabled());
    e.Space().SetPaletteEntry(0, 0x42);
    e.Space().EditColourSet([](CColSet& c) { c.Entry(32) = 2; });
    e.FileSave();
    const std::vector<uint8_t> col = ReadFile("c.col");
    ASSERT_EQ(col.size(), 256u + 1024u);
    EXPECT_EQ(col[128], 0x42);
    EXPECT_EQ(col[256 + 2], 2);

    // Disabled again: the file on disk is left as it is.
    e.PaletteEnableSet();
    e.Space().EditColourSet([](CColSet& c) { c.Entry(32) = 1; });
    e.FileSave();
    EXPECT_EQ(ReadFile("c.col")[256 + 2], 2);
}

TEST_F(EditorFile, SavingANewDocumentWritesNewFileChrIntoTheCurrentFolder) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(PathOf(""));
    Editor& e = Start();
    WorkspaceTestAccess::Bytes(e.Space())[3] = 9;
    e.FileSave();
    std::filesystem::current_path(before);
    const std::vector<uint8_t> disk = ReadFile("NewFile.chr");
    ASSERT_EQ(disk.size(), 8192u);
    EXPECT_EQ(disk[3], 9);
}

TEST_F(EditorFile, DroppedFilesOpenTheFirstOnly) {
    const std::string a = WriteFile("a.gb", Counting(9000));
    const std::string b = WriteFile("b.chr", Counting(9000));
    Editor& e = Start();
    e.DropFiles({a, b});
    EXPECT_EQ(e.Space().Document().FilePath(), a);
    e.DropFiles({});
    EXPECT_EQ(e.Space().Document().FilePath(), a);
}

// ---- Bad input ----

TEST_F(EditorFile, AMissingFileChangesNothingAndSaysSo) {
    const std::string rom = WriteFile("here.chr", Counting(20000));
    Editor& e = Start({rom});
    e.AddrJump(0x800);
    view.ClearLog();
    EXPECT_FALSE(e.OpenRom(PathOf("gone.chr"), true));
    EXPECT_EQ(e.Space().Document().FilePath(), rom);
    EXPECT_EQ(e.Space().Address(), 0x800);
    EXPECT_EQ(view.Steps(), "");
    EXPECT_EQ(view.failures,
              std::vector<std::string>{"ファイルを開けませんでした：\n" + PathOf("gone.chr") +
                                       "\nファイルが見つかりません。"});
    std::filesystem::remove(rom);
    e.FileReload();
    EXPECT_EQ(e.Space().Document().DataSize(), 20000);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(EditorFile, AZeroByteFileIsShownFromAddressZero) {
    const std::string rom = WriteFile("empty.chr", {});
    Editor& e = Start({rom});
    EXPECT_EQ(e.Space().Document().DataSize(), 0);
    EXPECT_EQ(e.Space().Address(), 0);
    EXPECT_EQ(view.caption, "Tavrin ( 000000 / 000000 ) empty.chr");
    EXPECT_EQ(view.status[0], "CHR : 000000 - 000FFF / 000000");
    for (int code : {2, 3, 4, 5, 6, 7, 8, 9, 10, 16, 17}) {
        e.AddrStep(code);
        EXPECT_EQ(e.Space().Address(), 0) << code;
    }
    e.AddrFind();
    EXPECT_EQ(view.messages, std::vector<std::string>{"not found."});
    e.FileSave();
    EXPECT_EQ(ReadFile("empty.chr").size(), 0u);
}

TEST_F(EditorFile, AOneByteFileShowsTheByteAndZeros) {
    const std::string rom = WriteFile("one.bin", {0xFF});
    Editor& e = Start({rom});
    e.SelectFormat(1);
    EXPECT_EQ(e.Space().Document().EndAddress(), 1);
    // 2BPP NES: byte 0 is the low plane of row 0 of tile 0, so its pixels are colour 1.
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 1);
    EXPECT_EQ(e.Space().TileImage().Pixel(7, 0), 1);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 1), 0);
}

TEST_F(EditorFile, AFolderIsNoDocument) {
    std::filesystem::create_directories(PathOf("dir.chr"));
    Editor& e = Start();
    EXPECT_FALSE(e.OpenRom(PathOf("dir.chr"), true));
    EXPECT_EQ(e.Space().Document().FileName(), "NewFile.chr");
}

TEST_F(EditorFile, AnUnreadableFileKeepsTheOldDocumentAndItsName) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const std::string rom = WriteFile("ok.chr", Counting(9000));
    const std::string locked = WriteFile("locked.chr", Counting(500));
    ::chmod(locked.c_str(), 0);
    Editor& e = Start({rom});
    EXPECT_FALSE(e.OpenRom(locked, true)) << "a file that was not read is no success";
    EXPECT_EQ(e.Space().Document().FilePath(), rom);
    EXPECT_EQ(e.Space().Document().DataSize(), 9000);
    EXPECT_EQ(view.caption, "Tavrin ( 000000 / 002328 ) ok.chr");
}

TEST_F(EditorFile, AFileTooLargeForThirtyTwoBitAddressesIsRefusedWithABeep) {
    const std::string rom = WriteFile("ok.chr", Counting(9000));
    const std::string huge = WriteFile("huge.bin", {});
    std::error_code error;
    std::filesystem::resize_file(huge, 0x80000000ull, error); // sparse: no disk used
    if (error)
        GTEST_SKIP() << "no sparse files here";
    Editor& e = Start({rom});
    view.ClearLog();
    EXPECT_FALSE(e.OpenRom(huge, true)) << "a file that was not read is no success";
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(e.Space().Document().FilePath(), rom);
    EXPECT_EQ(e.Space().Document().DataSize(), 9000);
    EXPECT_EQ(view.Steps(), "");
    std::filesystem::remove(huge);
}

TEST_F(EditorFile, ASixtyFourMebibyteFilePagesToItsEnd) {
    const size_t size = 64u << 20;
    std::vector<uint8_t> bytes(size, 0);
    bytes[size - 1] = 0xFF;
    bytes[size - 4096] = 0x80;
    const std::string rom = WriteFile("big.bin", bytes);
    bytes.clear();
    Editor& e = Start({rom});
    e.SelectFormat(1);
    EXPECT_EQ(view.ranges[ScrollBarId::Chr], (ScrollRange{0, 262144, 17, 1, 16}));
    e.AddrStep(StepLast);
    EXPECT_EQ(e.Space().Address(), static_cast<int>(size) - 4096);
    EXPECT_EQ(view.positions[ScrollBarId::Chr], 262144 - 16);
    EXPECT_EQ(view.caption, "Tavrin ( 3FFF000 / 4000000 ) big.bin");
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 1);
    e.AddrStep(StepPlus100Blocks);
    EXPECT_EQ(e.Space().Address(), static_cast<int>(size) - 4096);
    e.ScrollBarChange(ScrollBarId::Chr, 100);
    EXPECT_EQ(e.Space().Address(), 100 * 256);
    e.AddrFind();
    EXPECT_EQ(e.Space().Address(), 100 * 256 + 4096);
}

} // namespace
