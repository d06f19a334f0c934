#include "core/nav/RecentFiles.h"

#include "core/platform/IniFile.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

Place At(int32_t address) {
    return {address, "2BPP NES", 1, 2, 3, 4};
}

TEST(RecentFiles, MostRecentFirstAtMostTen) {
    RecentFiles recent;
    for (int i = 0; i < 12; ++i)
        recent.Add("/roms/" + std::to_string(i), At(i));
    ASSERT_EQ(recent.Items().size(), 10u);
    EXPECT_EQ(recent.Items().front().path, "/roms/11");
    EXPECT_EQ(recent.Items().back().path, "/roms/2");
    recent.Add("/roms/5", At(0x500)); // again: to the front, once
    EXPECT_EQ(recent.Items().size(), 10u);
    EXPECT_EQ(recent.Items()[0], (RecentFile{"/roms/5", At(0x500)}));
    EXPECT_EQ(recent.Items()[1].path, "/roms/11");
    EXPECT_EQ(recent.Items().back().path, "/roms/2"); // moved, not repeated
    EXPECT_TRUE(recent.Update("/roms/11", At(0x1100)));
    EXPECT_EQ(recent.Items()[1].place, At(0x1100));
    EXPECT_FALSE(recent.Update("/roms/0", At(0)));
    recent.Remove("/roms/11");
    EXPECT_EQ(recent.Items().size(), 9u);
    EXPECT_EQ(recent.Items()[1].path, "/roms/10");
    recent.Clear();
    EXPECT_TRUE(recent.Items().empty());
}

TEST(RecentFiles, KeptInItsOwnSection) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[Tavrin]\nZoomType=2\n[Other]\nkey=value\n"
                                 "[Tavrin.Recent]\n1=old\n7=old too\n"));
    RecentFiles recent;
    recent.Add("/a/game | one.nes", At(0x10));
    recent.Add("/b/ゲーム.sfc", At(0x8000));
    recent.WriteTo(ini);
    EXPECT_EQ(ini.ReadString("Other", "key", ""), "value");
    EXPECT_EQ(ini.ReadInteger("Tavrin", "ZoomType", 0), 2);
    EXPECT_FALSE(ini.HasKey(RecentFiles::Section, "7"));
    EXPECT_EQ(ini.ReadString(RecentFiles::Section, "1", ""),
              "008000 | 2BPP NES | 1 | 180 | both | 4 | /b/ゲーム.sfc");

    IniFile reread;
    ASSERT_TRUE(reread.LoadFromText(ini.SaveToText()));
    RecentFiles back;
    back.ReadFrom(reread);
    EXPECT_EQ(back.Items(), recent.Items());
}

TEST(RecentFiles, SkipsDamagedAndRepeatedEntries) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[Tavrin.Recent]\n"
                                 "1=000010 | 2BPP NES | 0 | 0 | none | 0 | /x.nes\n"
                                 "2=not a place\n"
                                 "3=000020 | 2BPP NES | 0 | 0 | none | 0 | /x.nes\n"
                                 "4=000030 | 2BPP NES | 0 | 0 | none | 0 | \n"
                                 "5=000040 | 2BPP GB | 0 | 0 | none | 0 | /y.gb\n"));
    RecentFiles recent;
    recent.ReadFrom(ini);
    ASSERT_EQ(recent.Items().size(), 2u);
    EXPECT_EQ(recent.Items()[0].place.address, 0x10);
    EXPECT_EQ(recent.Items()[1].path, "/y.gb");
}

TEST(RecentFiles, Accelerators) {
    const std::string expected = "1234567890";
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(RecentAccelerator(i), expected[i]);
    EXPECT_EQ(RecentAccelerator(10), '\0');
}

TEST(RecentFiles, ShortensPathsInTheMiddle) {
    struct Case {
        const char* path;
        size_t max;
        const char* expected;
    };
    const Case cases[] = {
        {"/short/path.nes", 40, "/short/path.nes"},
        {"/home/user/roms/nintendo/collection/game.nes", 30, "/home/use…/collection/game.nes"},
        {"/home/user/roms/a-very-long-file-name-of-a-rom.nes", 20, "/home/…-of-a-rom.nes"},
        {"/ホーム/ユーザー/ロム/ファミコン/ゲーム.nes", 16, "/ホーム/…コン/ゲーム.nes"},
        {"abcdef", 2, "abcdef"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenPathMiddle(c.path, c.max), c.expected) << c.path;
}

} // namespace
} // namespace tavrin
