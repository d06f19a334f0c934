#include "core/set/SetFiles.h"

#include "core/platform/Image8.h"

#include "SetTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

using namespace tavrin;
using test::GetFile;
using test::PutFile;
using test::RandomBytes;

namespace {

// A document with every table full of seeded bytes.
SetDocument RandomDocument(uint32_t seed) {
    const std::vector<uint8_t> bytes = RandomBytes(960 * 2 + 64 + 256, seed);
    SetDocument doc;
    std::copy_n(bytes.begin(), 960, doc.Names().begin());
    std::copy_n(bytes.begin() + 960, 960, doc.Palettes().begin());
    std::copy_n(bytes.begin() + 1920, 64, doc.Attributes().begin());
    std::copy_n(bytes.begin() + 1984, 256, doc.Sprites().begin());
    return doc;
}

// A VirtuaNES state of the given size whose only "MMU " block (if any) starts at mmu.
std::vector<uint8_t> VirtuaNesState(size_t size, long mmu) {
    std::vector<uint8_t> bytes = RandomBytes(size, 11);
    for (size_t i = 0; i + 3 < size; ++i)
        if (std::memcmp(&bytes[i], "MMU ", 4) == 0)
            bytes[i] = 'X';
    std::memcpy(bytes.data(), "VirtuaNES", 9);
    if (mmu >= 0)
        std::memcpy(&bytes[static_cast<size_t>(mmu)], "MMU ", 4);
    return bytes;
}

bool AllZero(const SetDocument::CellTable& table) {
    return std::all_of(table.begin(), table.end(), [](uint8_t b) { return b == 0; });
}

} // namespace

TEST(SetFiles, NamSaveOfTwoBitPalettesGivesEachBlockItsTopLeftNumber) {
    test::TempFolder folder;
    SetDocument doc;
    doc.SetPalette(0, 0, 1);
    doc.SetPalette(1, 0, 2);
    doc.SetName(31, 29, 0xAB);
    const SetFileResult r = SaveSetFile(doc, folder.File("a.nam"), SetSaveFilter::Nam);
    EXPECT_TRUE(r.file);
    EXPECT_FALSE(r.converted);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}})
        EXPECT_EQ(doc.Palette(x, y), 1);
    const std::vector<uint8_t> bytes = GetFile(folder.File("a.nam"));
    ASSERT_EQ(bytes.size(), 1024u);
    EXPECT_EQ(bytes[959], 0xAB);
    EXPECT_EQ(bytes[960], 0x01);
}

TEST(SetFiles, NamSaveCutsWidePaletteNumbersAndSaysSo) {
    test::TempFolder folder;
    SetDocument doc;
    doc.SetPalette(4, 2, 5); // top left of its block
    doc.SetPalette(7, 3, 6); // not a top-left cell: its block takes 0
    const SetFileResult r = SaveSetFile(doc, folder.File("a.nam"), SetSaveFilter::Nam);
    EXPECT_TRUE(r.file && r.converted);
    for (auto [x, y] : {std::pair{4, 2}, {5, 2}, {4, 3}, {5, 3}})
        EXPECT_EQ(doc.Palette(x, y), 1);
    EXPECT_EQ(doc.Palette(7, 3), 0);
    // Byte 1 covers cells 4-7 of rows 0-3; (4, 2) is its bottom-left block.
    EXPECT_EQ(GetFile(folder.File("a.nam"))[961], 0b00'01'00'00);
    EXPECT_EQ(doc.Attributes()[1], 0b00'01'00'00);
    EXPECT_STREQ(NamConversionMessage,
                 "パレットセットは.NAM形式に合わせて2bit(0～3のみ)に変換されました。");
}

TEST(SetFiles, FailedNamSaveLeavesThePalettesUncut) {
    test::TempFolder folder;
    SetDocument doc;
    doc.SetPalette(0, 0, 9);
    const SetDocument before = doc;
    const SetFileResult r = SaveSetFile(doc, folder.File("no/dir.nam"), SetSaveFilter::Nam);
    EXPECT_FALSE(r.file || r.converted);
    EXPECT_TRUE(doc == before);
}

TEST(SetFiles, SetSaveKeepsWideNumbersAndTheTailOfALongerFile) {
    test::TempFolder folder;
    const std::vector<uint8_t> old = RandomBytes(3000, 9);
    PutFile(folder.File("a.set"), old);
    PutFile(folder.File("a.spd"), old);
    SetDocument doc = RandomDocument(5);
    const SetDocument saved = doc;
    ASSERT_TRUE(SaveSetFile(doc, folder.File("a.set"), SetSaveFilter::Set).file);
    ASSERT_TRUE(SaveSpriteTable(doc, folder.File("a.spd")));
    EXPECT_TRUE(doc == saved);
    const std::vector<uint8_t> set = GetFile(folder.File("a.set"));
    const std::vector<uint8_t> spd = GetFile(folder.File("a.spd"));
    ASSERT_EQ(set.size(), 3000u);
    ASSERT_EQ(spd.size(), 3000u);
    EXPECT_TRUE(std::equal(old.begin() + 1920, old.end(), set.begin() + 1920));
    EXPECT_TRUE(std::equal(doc.Sprites().begin(), doc.Sprites().end(), spd.begin()));
    EXPECT_TRUE(std::equal(old.begin() + 256, old.end(), spd.begin() + 256));
    SetDocument loaded;
    ASSERT_TRUE(LoadSetFile(loaded, folder.File("a.set")));
    EXPECT_EQ(loaded.Names(), saved.Names());
    EXPECT_EQ(loaded.Palettes(), saved.Palettes());
}

TEST(SetFiles, ThirdFilterWritesNothing) {
    test::TempFolder folder;
    const std::vector<uint8_t> old = RandomBytes(500, 2);
    PutFile(folder.File("old.bin"), old);
    SetDocument doc = RandomDocument(3);
    const SetDocument before = doc;
    EXPECT_TRUE(SaveSetFile(doc, folder.File("new.bin"), SetSaveFilter::AllFiles).file);
    EXPECT_TRUE(SaveSetFile(doc, folder.File("old.bin"), SetSaveFilter::AllFiles).file);
    EXPECT_TRUE(std::filesystem::exists(folder.File("new.bin")));
    EXPECT_TRUE(GetFile(folder.File("new.bin")).empty());
    EXPECT_EQ(GetFile(folder.File("old.bin")), old);
    EXPECT_TRUE(doc == before);
}

TEST(SetFiles, ShortSetFileFillsOnlyWhatItHolds) {
    test::TempFolder folder;
    const std::vector<uint8_t> bytes = RandomBytes(1000, 8);
    PutFile(folder.File("short.SET"), bytes);
    SetDocument doc = RandomDocument(1);
    const SetDocument before = doc;
    ASSERT_TRUE(LoadSetFile(doc, folder.File("short.SET")));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 960, doc.Names().begin()));
    EXPECT_TRUE(std::equal(bytes.begin() + 960, bytes.end(), doc.Palettes().begin()));
    EXPECT_TRUE(std::equal(before.Palettes().begin() + 40, before.Palettes().end(),
                           doc.Palettes().begin() + 40));
}

TEST(SetFiles, NamLoadSetsRows28And29FromTheLowBitsOfTheLastAttributeRow) {
    test::TempFolder folder;
    std::vector<uint8_t> nam(1024, 0);
    nam[0] = 0x42;
    std::fill(nam.begin() + 960 + 56, nam.end(), 0b11'10'01'10); // bits 4-7: rows 30-31
    PutFile(folder.File("a.NAM"), nam);
    SetDocument doc = RandomDocument(6);
    ASSERT_TRUE(LoadSetFile(doc, folder.File("a.NAM")));
    EXPECT_EQ(doc.Name(0, 0), 0x42);
    EXPECT_EQ(doc.Attributes()[63], 0b11'10'01'10);
    for (int x = 0; x < 32; ++x) {
        EXPECT_EQ(doc.Palette(x, 28), x % 4 < 2 ? 2 : 1) << x;
        EXPECT_EQ(doc.Palette(x, 29), x % 4 < 2 ? 2 : 1) << x;
        EXPECT_EQ(doc.Palette(x, 27), 0) << x;
    }
}

TEST(SetFiles, VirtuaNesStateIsReadAfterTheMmuBlockOrFromTheStart) {
    test::TempFolder folder;
    const std::vector<uint8_t> withMmu = VirtuaNesState(20000, 3000);
    const std::vector<uint8_t> withoutMmu = VirtuaNesState(20000, -1);
    PutFile(folder.File("game.STA"), withMmu);
    PutFile(folder.File("other.sT5"), withoutMmu);
    struct Case {
        std::string file;
        const std::vector<uint8_t>& bytes;
        size_t offset;
    };
    for (const Case& c :
         {Case{"game.STA", withMmu, 3000 + 8276}, Case{"other.sT5", withoutMmu, 0}}) {
        SetDocument doc = RandomDocument(2);
        const SetDocument::AttributeTable attributesBefore = doc.Attributes();
        ASSERT_TRUE(LoadSetFile(doc, folder.File(c.file)));
        EXPECT_TRUE(std::equal(doc.Names().begin(), doc.Names().end(), c.bytes.begin() + c.offset));
        SetDocument expected;
        SetDocument::AttributeTable attributes;
        std::copy_n(c.bytes.begin() + c.offset + 960, 64, attributes.begin());
        expected.ExpandAttributes(attributes);
        EXPECT_EQ(doc.Palettes(), expected.Palettes()) << c.file;
        EXPECT_EQ(doc.Attributes(), attributesBefore);
    }
}

TEST(SetFiles, VirtuaNesTableCutShortReadsZerosPastTheEnd) {
    const size_t size = 10000;
    EXPECT_EQ(VirtuaNesNameTableOffset(VirtuaNesState(size, size - 8276)), 0u);
    const std::vector<uint8_t> bytes = VirtuaNesState(size, size - 8277); // the last byte
    EXPECT_EQ(VirtuaNesNameTableOffset(bytes), size - 1);
    SetDocument doc = RandomDocument(3);
    LoadVirtuaNesState(doc, bytes);
    EXPECT_EQ(doc.Names()[0], bytes[size - 1]);
    doc.Names()[0] = 0;
    EXPECT_TRUE(AllZero(doc.Names()));
    EXPECT_TRUE(AllZero(doc.Palettes()));
}

TEST(SetFiles, ShortSpriteTableReplacesWholeSpritesAndKeepsTheRest) {
    test::TempFolder folder;
    const std::vector<uint8_t> bytes = RandomBytes(100, 12);
    PutFile(folder.File("a.spd"), bytes);
    SetDocument doc = RandomDocument(13);
    const SetDocument before = doc;
    ASSERT_TRUE(LoadSpriteTable(doc, folder.File("a.spd")));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), doc.Sprites().begin()));
    EXPECT_TRUE(std::equal(before.Sprites().begin() + 100, before.Sprites().end(),
                           doc.Sprites().begin() + 100));
}

TEST(SetFiles, MissingFilesChangeNothing) {
    test::TempFolder folder;
    SetDocument doc = RandomDocument(15);
    const SetDocument before = doc;
    for (const char* name : {"x.nam", "x.set", "x.sta", ""})
        EXPECT_FALSE(LoadSetFile(doc, folder.File(name)));
    EXPECT_FALSE(LoadSpriteTable(doc, folder.File("x.spd")));
    EXPECT_FALSE(LoadSpriteTiles(doc, folder.File("x.spr")));
    EXPECT_TRUE(doc == before);
}

// A failed read or write names its file and says why, so the window can tell the user.
TEST(SetFiles, EachFileActionThatFailsSaysWhichFileAndWhy) {
    test::TempFolder folder;
    std::filesystem::create_directories(folder.File("dir.set"));
    const std::string missing = folder.File("none/x.nam");
    const std::string dir = folder.File("dir.set");
    const std::string state = folder.File("none.st0");
    SetDocument doc = RandomDocument(4);
    const SetDocument before = doc;
    struct Case {
        const char* action;
        FileResult result;
        std::string path;
        FileFailure failure;
        int systemError;
    };
    const Case cases[] = {
        {"load nam", LoadSetFile(doc, missing), missing, FileFailure::NotFound, 0},
        {"load state", LoadSetFile(doc, state), state, FileFailure::NotFound, 0},
        {"load set", LoadSetFile(doc, dir), dir, FileFailure::NotRegular, 0},
        {"load tiles", LoadSpriteTiles(doc, dir), dir, FileFailure::NotRegular, 0},
        {"load table", LoadSpriteTable(doc, missing), missing, FileFailure::NotFound, 0},
        {"save nam", SaveSetFile(doc, missing, SetSaveFilter::Nam).file, missing,
         FileFailure::WriteFailed, ENOENT},
        {"save set", SaveSetFile(doc, missing, SetSaveFilter::Set).file, missing,
         FileFailure::WriteFailed, ENOENT},
        {"save other", SaveSetFile(doc, missing, SetSaveFilter::AllFiles).file, missing,
         FileFailure::WriteFailed, ENOENT},
        {"save table", SaveSpriteTable(doc, missing), missing, FileFailure::WriteFailed, ENOENT},
        {"save image", SaveSetImage(Image8(8, 8), missing), missing, FileFailure::WriteFailed,
         ENOENT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result.failure, c.failure) << c.action;
        EXPECT_EQ(c.result.path, c.path) << c.action;
        EXPECT_EQ(c.result.systemError, c.systemError) << c.action;
    }
    EXPECT_TRUE(doc == before);
}
