#include "core/formats/CFormatTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

namespace tavrin {
namespace {

// A stand-in for a plug-in format: its record is set by the test, and it can fail.
class FakeFormat : public CFormat {
public:
    enum class Mode { Record, Null, Throw };
    explicit FakeFormat(const char* name, const char* extensions = "", int bpp = 2,
                        bool* destroyed = nullptr)
        : m_destroyed(destroyed) {
        m_info.bitsPerPixel = bpp;
        m_info.width = 8;
        m_info.height = 8;
        CopyText(m_info.name, name);
        CopyText(m_info.extensions, extensions);
    }
    ~FakeFormat() override {
        if (m_destroyed != nullptr)
            *m_destroyed = true;
    }
    const FormatInfo* GetInfo() override {
        if (mode == Mode::Throw)
            throw std::runtime_error("plug-in failed");
        return mode == Mode::Null ? nullptr : &m_info;
    }
    FormatInfo& Info() { return m_info; }
    Mode mode = Mode::Record;

private:
    bool* m_destroyed;
};

std::unique_ptr<FakeFormat> Fake(const char* name, const char* extensions = "") {
    return std::make_unique<FakeFormat>(name, extensions);
}

TEST(CFormatTable, NameListHoldsTheBuiltinsInOrder) {
    CFormatTable table;
    EXPECT_EQ(table.Count(), 13);
    EXPECT_EQ(table.NameList(), "1BPP\n2BPP NES\n2BPP GB\n2BPP NGP\n2BPP VB\n2BPP MSX\n"
                                "3BPP SNES\n4BPP SNES/PCE CG\n4BPP GBA\n4BPP SMS/GG/WSC\n"
                                "4BPP MSX/MD/WSC\n4BPP PCE SG(16x16)\n1BPP (16x16)");
}

TEST(CFormatTable, ExtensionPatternsListTwentySixBuiltinPatterns) {
    CFormatTable table;
    const std::string patterns = table.ExtensionPatterns();
    EXPECT_EQ(patterns, "*.bin;*.chr;*.nes;*.fds;*.fam;*.gb;*.gbc;*.ngp;*.npc;*.ngc;*.vb;"
                        "*.smc;*.sfc;*.fig;*.smc;*.sfc;*.fig;*.pce;*.gba;*.sms;*.gg;*.ws;"
                        "*.wsc;*.rom;*.smd;*.pce;");
    EXPECT_EQ(std::count(patterns.begin(), patterns.end(), ';'), 26);
}

TEST(CFormatTable, ExtensionPatternsIncludeAddedFormatsAndSkipThoseWithoutInfo) {
    CFormatTable table;
    ASSERT_TRUE(table.Add(Fake("Extra", "xyz,abc")));
    auto silent = Fake("Silent", "qqq");
    FakeFormat* silentPtr = silent.get();
    ASSERT_TRUE(table.Add(std::move(silent)));
    silentPtr->mode = FakeFormat::Mode::Null;
    const std::string patterns = table.ExtensionPatterns();
    EXPECT_EQ(patterns.substr(patterns.size() - 12), "*.xyz;*.abc;");
}

TEST(CFormatTable, FindByExtensionLetsLaterEntriesWin) {
    CFormatTable table;
    const struct {
        const char* file;
        int index;
    } cases[] = {
        {"GAME.GB", 2},
        {"game.gbc", 2},
        {"game.gba", 8},
        {"data.dat", 0},
        {"readme", 0},
        {"x.md", 0},
        {"game.sfc", 7},
        {"game.SMC", 7},
        {"game.fig", 7},
        {"game.pce", 11},
        {"game.nes", 1},
        {"game.fam", 1},
        {"a.tar.smd", 10},
        {"file.", 0},
        {"", 0},
        {"roms.gb/readme", 0},
        {"C:\\roms\\Zelda.NES", 1},
        {"/home/u/roms.v1/sonic.sms", 9},
        {"game.ws", 9},
        {"game.bin", 0},
        {"game.vb", 4},
        {"game.npc", 3},
        {"game.rom", 10},
        {".gb", 2},
        // Tile files as the usual Game Boy tools write them, though no record names them.
        {"font.1bpp", 0},
        {"tiles.2bpp", 2},
        {"TILES.2BPP", 2},
        {"tiles.3bpp", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.FindByExtension(c.file), c.index) << c.file;
}

TEST(CFormatTable, AddedFormatClaimingAnExtensionWinsOverBuiltins) {
    CFormatTable table;
    ASSERT_TRUE(table.Add(Fake("Plug", "xyz,nes")));
    EXPECT_EQ(table.FindByExtension("mario.nes"), 13);
    EXPECT_EQ(table.FindByExtension("mario.XYZ"), 13);
    EXPECT_EQ(table.FindByExtension("mario.chr"), 1);
}

TEST(CFormatTable, GetClampsNegativeIndicesAndRefusesBeyondTheCount) {
    CFormatTable table;
    EXPECT_EQ(table.Get(-5)->Name(), "1BPP");
    EXPECT_EQ(table.Get(12)->Name(), "1BPP (16x16)");
    EXPECT_EQ(table.Get(13), nullptr);
    EXPECT_EQ(table.Get(1000), nullptr);
}

TEST(CFormatTable, FullTableRefusesTheSeventeenthFormat) {
    CFormatTable table;
    EXPECT_TRUE(table.Add(Fake("P13")));
    EXPECT_TRUE(table.Add(Fake("P14")));
    EXPECT_TRUE(table.Add(Fake("P15")));
    EXPECT_EQ(table.Count(), 16);
    bool destroyed = false;
    EXPECT_FALSE(table.Add(std::make_unique<FakeFormat>("P16", "", 2, &destroyed)));
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(table.Count(), 16);
    EXPECT_EQ(table.Get(15)->Name(), "P15");
    EXPECT_FALSE(table.Add(nullptr));
}

TEST(CFormatTable, AddRefusesFormatsWithoutUsableInfo) {
    CFormatTable table;
    auto null = Fake("Null");
    null->mode = FakeFormat::Mode::Null;
    EXPECT_FALSE(table.Add(std::move(null)));
    auto thrower = Fake("Throw");
    thrower->mode = FakeFormat::Mode::Throw;
    EXPECT_FALSE(table.Add(std::move(thrower)));

    const struct {
        int bpp, width, height;
        bool accepted;
    } cases[] = {
        {1, 8, 8, true},     {8, 8, 8, true},   {0, 8, 8, false},  {9, 8, 8, false},
        {-1, 8, 8, false},   {2, 0, 0, true},   {2, 1, 1, true},   {2, 2, 4, true},
        {2, 128, 128, true}, {2, 32, 64, true}, {2, 3, 8, false},  {2, 8, 24, false},
        {2, 256, 8, false},  {2, 8, -8, false}, {2, -1, 8, false}, {2, 8, INT32_MIN, false},
    };
    for (const auto& c : cases) {
        FormatInfo info{};
        info.bitsPerPixel = c.bpp;
        info.width = c.width;
        info.height = c.height;
        EXPECT_EQ(CFormatTable::IsUsableInfo(info), c.accepted)
            << c.bpp << " " << c.width << " " << c.height;
    }
    auto deep = std::make_unique<FakeFormat>("Deep", "", 9);
    EXPECT_FALSE(table.Add(std::move(deep)));
    auto odd = Fake("Odd");
    odd->Info().width = 24;
    EXPECT_FALSE(table.Add(std::move(odd)));
    EXPECT_EQ(table.Count(), 13);
}

TEST(CFormatTable, RemoveShiftsLaterEntriesAndDestroysAddedOnes) {
    CFormatTable table;
    bool destroyed = false;
    ASSERT_TRUE(table.Add(std::make_unique<FakeFormat>("P13", "", 2, &destroyed)));
    ASSERT_TRUE(table.Add(Fake("P14")));
    table.Remove(13);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(table.Count(), 14);
    EXPECT_EQ(table.Get(13)->Name(), "P14");
    table.Remove(0);
    EXPECT_EQ(table.Count(), 13);
    EXPECT_EQ(table.Get(0)->Name(), "2BPP NES");
    EXPECT_EQ(table.Get(12)->Name(), "P14");
    EXPECT_EQ(table.Get(13), nullptr);
    table.Remove(-1);
    table.Remove(13);
    EXPECT_EQ(table.Count(), 13);
    EXPECT_TRUE(table.Add(Fake("P15")));
    EXPECT_EQ(table.Get(13)->Name(), "P15");
}

TEST(CFormatTable, AddedFormatsAreDestroyedWithTheTable) {
    bool destroyed = false;
    {
        CFormatTable table;
        ASSERT_TRUE(table.Add(std::make_unique<FakeFormat>("P13", "", 2, &destroyed)));
    }
    EXPECT_TRUE(destroyed);
}

} // namespace
} // namespace tavrin
