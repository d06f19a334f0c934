#include "core/palette/CStateFile.h"

#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/platform/IniFile.h"

#include "PaletteTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cstring>
#include <tuple>

using namespace tavrin;
using tavrin::test::TempFolder;
using tavrin::test::WriteFile;
using Status = StateImportResult::Status;

namespace {

// Every master colour and palette-set entry starts recognisable, so that an import that
// writes too much shows.
Colour Before(int k) {
    return MakeColour(k, 255 - k, 0x55);
}
uint8_t TableBefore(int k) {
    return static_cast<uint8_t>(0xFF - k);
}

void Put(std::vector<uint8_t>& bytes, size_t at, std::initializer_list<uint8_t> values) {
    if (bytes.size() < at + values.size())
        bytes.resize(at + values.size());
    std::copy(values.begin(), values.end(), bytes.begin() + at);
}

void PutText(std::vector<uint8_t>& bytes, size_t at, const char* text) {
    const size_t n = std::strlen(text);
    if (bytes.size() < at + n)
        bytes.resize(at + n);
    std::memcpy(bytes.data() + at, text, n);
}

std::vector<uint8_t> Ramp(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    return bytes;
}

class CStateFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int k = 0; k < 256; ++k) {
            palette.SetColor(k, Before(k));
            dat.Table()[k] = TableBefore(k);
        }
    }

    void Define(const std::string& iniText) { ASSERT_TRUE(ini.LoadFromText(iniText)); }

    StateImportResult Import(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = dir.File(name);
        WriteFile(path, bytes);
        return state.LoadFromFile(path);
    }

    // Master colours from first on are untouched.
    void ExpectPaletteKeptFrom(int first) const {
        for (int k = first; k < 256; ++k)
            ASSERT_EQ(palette.GetColor(k), Before(k)) << k;
    }
    void ExpectTableKeptFrom(int first) const {
        for (int k = first; k < 256; ++k)
            ASSERT_EQ(dat.Table()[k], TableBefore(k)) << k;
    }

    TempFolder dir;
    IniFile ini;
    CPalette palette;
    CDatPalette dat{&palette};
    CStateFile state{ini, palette, dat};
};

} // namespace

TEST(StateDefinition, ReadsLikeScanfAndStopsAtTheFirstMismatch) {
    struct Case {
        const char* text;
        StateDefinition expected;
    };
    const Case cases[] = {
        {"100,300,2,940,20", {0x100, 0x300, 2, 0x940, 0x20}},
        {" 0x10,\t0X2a, 3,ff,Ff", {0x10, 0x2A, 3, 0xFF, 0xFF}},
        {"10,20", {0x10, 0x20, 0, 0, 0}},
        {"10 ,20,1,2,3", {0x10, 0, 0, 0, 0}}, // a blank before a comma stops the reading
        {"10,20,x,5,5", {0x10, 0x20, 0, 0, 0}},
        {"10,20,1a,5,5", {0x10, 0x20, 1, 0, 0}},
        {"-10,FFFFFFFF,-2,123456789,7fffffff", {-0x10, -1, -2, -1, 0x7FFFFFFF}},
        {"10;20,1,2,3", {0x10, 0, 0, 0, 0}},
        {"", {}},
        {"zz", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseStateDefinition(c.text), c.expected) << c.text;
}

TEST(StateDefinition, KeysAreTheLowerCaseExtensionAndItsFirstThreeCharacters) {
    struct Case {
        const char* path;
        const char* exact;
        const char* wildcard;
    };
    const Case cases[] = {
        {"/a/b/GAME.STA", ".sta", ".st*"}, {"x.sv1", ".sv1", ".sv*"},
        {"a.ZS12", ".zs12", ".zs*"},       {"a.s", ".s", ".s*"},
        {"dir.v2/state", "", "*"},         {"a.stá", ".stá", ".st*"},
        {"a.éé", ".éé", ".éé*"},
    };
    for (const Case& c : cases) {
        const StateKeys keys = StateFileKeys(c.path);
        EXPECT_EQ(keys.exact, c.exact) << c.path;
        EXPECT_EQ(keys.wildcard, c.wildcard) << c.path;
    }
}

TEST_F(CStateFileTest, UpperCaseExtensionUsesItsLowerCaseKeyThenTheWildcard) {
    const std::vector<uint8_t> bytes = Ramp(64);
    Define("[STATE]\n.sta=0,3,2,0,0\n.st*=3,3,2,0,0\n");
    StateImportResult result = Import("SAVE.STA", bytes);
    EXPECT_EQ(result.status, Status::Done);
    EXPECT_EQ(result.key, ".sta");
    EXPECT_EQ(palette.GetColor(0), MakeColour(bytes[0], bytes[1], bytes[2]));

    Define("[STATE]\n.sta=\n.st*=3,3,2,0,0\n");
    result = Import("SAVE.STA", bytes);
    EXPECT_EQ(result.key, ".st*");
    EXPECT_EQ(palette.GetColor(0), MakeColour(bytes[3], bytes[4], bytes[5]));
    EXPECT_EQ(result.paletteEntries, 1);
    ExpectPaletteKeptFrom(1);

    // A name without an extension has only the key "*".
    Define("[STATE]\n*=2,3,2,0,0\n");
    result = Import("state", bytes);
    EXPECT_EQ(result.key, "*");
    EXPECT_EQ(palette.GetColor(0), MakeColour(bytes[2], bytes[3], bytes[4]));
}

TEST_F(CStateFileTest, GtsfFileFindsItsPaletteAfterThePalTag) {
    // No ".sv1" key: the wildcard serves, and its palette offset 0 is replaced.
    Define("[STATE]\n.sv*=0,6,2,0,0\n");
    std::vector<uint8_t> bytes(0x60, 0);
    PutText(bytes, 0, "GTSF");
    PutText(bytes, 0x40, "PAL ");
    Put(bytes, 0x44, {6, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
    const StateImportResult result = Import("game.sv1", bytes);
    EXPECT_EQ(result.key, ".sv*");
    EXPECT_EQ(GtsfPaletteOffset(bytes.data(), bytes.size()), 0x48);
    EXPECT_EQ(palette.GetColor(0), MakeColour(0x10, 0x20, 0x30));
    EXPECT_EQ(palette.GetColor(1), MakeColour(0x40, 0x50, 0x60));
    ExpectPaletteKeptFrom(2);
}

TEST_F(CStateFileTest, SvFileWithoutMagicOrTagSkipsOnlyThePalette) {
    Define("[STATE]\n.sv*=0,6,2,10,4\n");
    std::vector<uint8_t> bytes = Ramp(0x40);
    PutText(bytes, 0x20, "PAL "); // a tag without the magic counts for nothing
    const StateImportResult result = Import("game.sv2", bytes);
    EXPECT_EQ(result.paletteEntries, 0);
    ExpectPaletteKeptFrom(0);
    EXPECT_EQ(result.tableEntries, 4);
    EXPECT_EQ(dat.Table()[0], bytes[0x10]);
    EXPECT_EQ(dat.Table()[3], bytes[0x13]);
    ExpectTableKeptFrom(4);
}

TEST_F(CStateFileTest, VirtuaNesLayoutsPlaceThePaletteSet) {
    Define("[STATE]\n.st*=0,0,0,0,20\n");
    // Layout 2: 2112 + the 32-bit value at 44.
    std::vector<uint8_t> bytes = Ramp(0x980);
    PutText(bytes, 0, "VirtuaNES");
    Put(bytes, 15, {2});
    Put(bytes, 44, {0x00, 0x01, 0x00, 0x00});
    EXPECT_EQ(VirtuaNesTableOffset(bytes.data(), bytes.size()), 0x940);
    StateImportResult result = Import("mario.st0", bytes);
    EXPECT_EQ(result.tableEntries, 0x20);
    EXPECT_EQ(std::vector<uint8_t>(dat.Table(), dat.Table() + 0x20),
              std::vector<uint8_t>(bytes.begin() + 0x940, bytes.begin() + 0x960));
    ExpectTableKeptFrom(0x20);

    // Layout 1 (offset 2440) is the example section's test.
    // Any other layout, a value that points past the end, a file too short to hold the value,
    // another magic: nothing.
    for (const auto& [layout, size, magic] :
         {std::tuple{3, 0x2000, "VirtuaNES"}, std::tuple{2, 0x2000, "VirtuaNES"},
          std::tuple{2, 47, "VirtuaNES"}, std::tuple{1, 0x2000, "VirtuaNEZ"}}) {
        SetUp();
        bytes = Ramp(size);
        PutText(bytes, 0, magic);
        Put(bytes, 15, {static_cast<uint8_t>(layout)});
        if (size >= 48)
            Put(bytes, 44, {0xF0, 0xFF, 0xFF, 0xFF});
        result = Import("mario.st2", bytes);
        EXPECT_EQ(result.status, Status::Done);
        EXPECT_EQ(result.tableEntries, 0) << layout << " " << size;
        ExpectTableKeptFrom(0);
    }
}

TEST_F(CStateFileTest, PartsReachingPastTheEndAreCutOrSkipped) {
    // 0x300 bytes at 0x100 of a 0x200-byte file: 0x100 bytes, 85 whole entries.
    Define("[STATE]\n.zs0=100,300,2,1FF,5\n");
    const std::vector<uint8_t> bytes = Ramp(0x200);
    StateImportResult result = Import("a.zs0", bytes);
    EXPECT_EQ(result.paletteEntries, 85);
    EXPECT_EQ(palette.GetColor(84), MakeColour(bytes[0x1FC], bytes[0x1FD], bytes[0x1FE]));
    ExpectPaletteKeptFrom(85);
    EXPECT_EQ(result.tableEntries, 1);
    EXPECT_EQ(dat.Table()[0], bytes[0x1FF]);
    ExpectTableKeptFrom(1);

    // At the end, before the start, a length that would overflow: skipped, nothing read.
    for (const char* definition :
         {"200,10,2,200,10", "-10,30,2,-1,20", "10,7FFFFFFF,3,0,-4", "80000000,10,2,FFFFFFF0,20"}) {
        SetUp();
        Define(std::string("[STATE]\n.zs0=") + definition + "\n");
        result = Import("a.zs0", bytes);
        EXPECT_EQ(result.status, Status::Done) << definition;
        EXPECT_EQ(result.tableEntries, 0) << definition;
        ExpectTableKeptFrom(0);
        if (ParseStateDefinition(definition).paletteLength == 0x7FFFFFFF) {
            EXPECT_EQ(result.paletteEntries, (0x200 - 0x10) / 4); // cut at the end of the file
            EXPECT_EQ(palette.GetColor(0), MakeColour(bytes[0x10], bytes[0x11], bytes[0x12]));
        } else {
            EXPECT_EQ(result.paletteEntries, 0) << definition;
            ExpectPaletteKeptFrom(0);
        }
    }
}

TEST_F(CStateFileTest, PaletteTypes) {
    // Type 1: 15-bit BGR; bit 15 is not a colour.
    Define("[STATE]\n.gba=0,8,1,0,0\n");
    StateImportResult result = Import("a.gba", {0xFF, 0x7F, 0x1F, 0x00, 0xE0, 0x03, 0x00, 0xFC});
    EXPECT_EQ(result.paletteEntries, 4);
    EXPECT_EQ(palette.GetColor(0), MakeColour(248, 248, 248));
    EXPECT_EQ(palette.GetColor(1), MakeColour(248, 0, 0));
    EXPECT_EQ(palette.GetColor(2), MakeColour(0, 248, 0));
    EXPECT_EQ(palette.GetColor(3), MakeColour(0, 0, 248));
    ExpectPaletteKeptFrom(4);

    // Type 2 with a partial last entry: 10 entries.
    SetUp();
    const std::vector<uint8_t> bytes = Ramp(0x800);
    Define("[STATE]\n.x=0,20,2,0,0\n");
    result = Import("a.x", bytes);
    EXPECT_EQ(result.paletteEntries, 10);
    EXPECT_EQ(palette.GetColor(9), MakeColour(bytes[27], bytes[28], bytes[29]));
    ExpectPaletteKeptFrom(10);

    Define("[STATE]\n.x=4,500,3,0,0\n"); // 320 entries, of which 256 fit
    result = Import("a.x", bytes);
    EXPECT_EQ(result.paletteEntries, 256);
    EXPECT_EQ(palette.GetColor(1), MakeColour(bytes[8], bytes[9], bytes[10]));
    EXPECT_EQ(palette.GetColor(255), MakeColour(bytes[1024], bytes[1025], bytes[1026]));

    // Another type imports no palette; the palette set is copied, 256 bytes at most.
    SetUp();
    Define("[STATE]\n.x=0,30,4,100,200\n");
    result = Import("a.x", bytes);
    EXPECT_EQ(result.paletteEntries, 0);
    ExpectPaletteKeptFrom(0);
    EXPECT_EQ(result.tableEntries, 256);
    EXPECT_EQ(std::vector<uint8_t>(dat.Table(), dat.Table() + 256),
              std::vector<uint8_t>(bytes.begin() + 0x100, bytes.begin() + 0x200));
}

TEST_F(CStateFileTest, MessagesWhenTheDefinitionIsMissingOrEmpty) {
    const std::vector<uint8_t> bytes = Ramp(0x100);
    Define("[STATE]\n.abc=\n.zs*=0,0,2,0,0\n.qq=zz\n[Other]\n.def=0,10,2,0,0\n");
    struct Case {
        const char* name;
        Status status;
        const char* message;
    };
    const Case cases[] = {
        {"a.abc", Status::NoDefinition, "ステートファイルのINI定義の読み込みに失敗しました。"},
        {"a.def", Status::NoDefinition, "ステートファイルのINI定義の読み込みに失敗しました。"},
        {"a.zs1", Status::NoSize, "ステートファイルのINI定義の読み込みサイズが0です。"},
        {"a.qq", Status::NoSize, "ステートファイルのINI定義の読み込みサイズが0です。"},
    };
    for (const Case& c : cases) {
        const StateImportResult result = Import(c.name, bytes);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.Message(), c.message) << c.name;
        EXPECT_FALSE(result.Description().empty());
    }
    ExpectPaletteKeptFrom(0);
    ExpectTableKeptFrom(0);

    // A definition but no file: silent.
    Define("[STATE]\n.abc=0,10,2,0,0\n");
    const StateImportResult missing = state.LoadFromFile(dir.File("none.abc"));
    EXPECT_EQ(missing.status, Status::NoFile);
    EXPECT_EQ(missing.Message(), "");
    ExpectPaletteKeptFrom(0);

    // A file larger than a save-state can be is refused before it is read.
    const std::string huge = dir.File("huge.abc");
    WriteFile(huge, bytes);
    std::filesystem::resize_file(huge, CStateFile::MaxFileBytes + 1);
    Define("[STATE]\n.abc=0,10,2,0,0\n");
    const StateImportResult large = state.LoadFromFile(huge);
    EXPECT_EQ(large.status, Status::TooLarge);
    EXPECT_EQ(large.Message(), "ステートファイルが大きすぎるため読み込めません（64 MB まで）。");
    EXPECT_EQ(large.Description(), "the state file is larger than 64 MiB");
    ExpectPaletteKeptFrom(0);
    std::filesystem::resize_file(huge, CStateFile::MaxFileBytes);
    EXPECT_EQ(state.LoadFromFile(huge).status, Status::Done) << "64 MiB exactly is read";
    ExpectPaletteKeptFrom(16);
}

TEST_F(CStateFileTest, PaletteSetIsImportedWhilePaletteOnlyModeShowsTheIdentity) {
    Define("[STATE]\n.x=0,0,0,8,4\n");
    dat.SetIdentityMode(true);
    const std::vector<uint8_t> bytes = Ramp(16);
    Import("a.x", bytes);
    EXPECT_EQ(dat.Map()[0], 0);
    EXPECT_EQ(dat.Map()[3], 3);
    dat.SetIdentityMode(false);
    EXPECT_EQ(std::vector<uint8_t>(dat.Map(), dat.Map() + 5),
              (std::vector<uint8_t>{bytes[8], bytes[9], bytes[10], bytes[11], TableBefore(4)}));
}

TEST_F(CStateFileTest, SettingsFileIsReadAtEveryImport) {
    const std::string iniPath = dir.File("tavrin.ini");
    CStateFile fromPath(iniPath, palette, dat);
    const std::vector<uint8_t> bytes = Ramp(0x10);
    WriteFile(dir.File("a.x"), bytes);
    EXPECT_EQ(fromPath.LoadFromFile(dir.File("a.x")).status, Status::NoDefinition);

    const std::string text = "[Tavrin]\nGridChr=1\n[STATE]\n.x=3,3,2,0,0\n";
    WriteFile(iniPath, std::vector<uint8_t>(text.begin(), text.end()));
    const StateImportResult result = fromPath.LoadFromFile(dir.File("a.x"));
    EXPECT_EQ(result.status, Status::Done);
    EXPECT_EQ(palette.GetColor(0), MakeColour(bytes[3], bytes[4], bytes[5]));
}

TEST_F(CStateFileTest, ExampleSectionDescribesVirtuaNesAndGtsf) {
    Define(std::string(StateSectionExample()));
    EXPECT_EQ(ini.SectionKeys(CStateFile::Section), (std::vector<std::string>{".st*", ".sv*"}));

    std::vector<uint8_t> nes = Ramp(2440 + 0x40);
    PutText(nes, 0, "VirtuaNES");
    Put(nes, 15, {1});
    StateImportResult result = Import("zelda.st3", nes);
    EXPECT_EQ(result.paletteEntries, 0);
    EXPECT_EQ(result.tableEntries, 32);
    EXPECT_EQ(dat.Table()[31], nes[2440 + 31]);
    ExpectTableKeptFrom(32);

    std::vector<uint8_t> gtsf(0x300, 0);
    PutText(gtsf, 0, "GTSF");
    PutText(gtsf, 0x20, "PAL ");
    Put(gtsf, 0x28, {0x1F, 0x00});
    Put(gtsf, 0x28 + 2 * 255, {0x00, 0x7C});
    result = Import("game.sv0", gtsf);
    EXPECT_EQ(result.paletteEntries, 256);
    EXPECT_EQ(palette.GetColor(0), MakeColour(248, 0, 0));
    EXPECT_EQ(palette.GetColor(255), MakeColour(0, 0, 248));
}
