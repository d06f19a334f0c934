#include "core/settings/CIniInfo.h"

#include "core/platform/Cp932.h"
#include "core/platform/FileIO.h"
#include "core/platform/IniFile.h"
#include "core/platform/SafeFileWriter.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

class CIniInfoFiles : public test::TempFolderTest {
protected:
    void SetUp() override { m_path = Path("tavrin.ini"); }

    void WriteText(const std::string& text) const {
        ASSERT_TRUE(WriteFileSafely(m_path, text.data(), text.size()));
    }
    std::string ReadText() const {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(ReadWholeFile(m_path, bytes));
        return std::string(bytes.begin(), bytes.end());
    }

    std::string m_path;
};

// The settings as one line, in the order of the file.
std::string Describe(const CIniInfo& s) {
    std::string out;
    const auto add = [&](const char* key, int value) {
        out += key;
        out += '=';
        out += std::to_string(value);
        out += ' ';
    };
    add("GridChr", s.GridChr);
    add("GridEdit", s.GridEdit);
    add("FrameDraw", s.FrameDraw);
    add("GridType", s.GridType);
    add("ZoomType", s.ZoomType);
    add("Statusbar", s.Statusbar);
    add("MouseNavigation", s.MouseNavigation);
    add("SimpleMenu", s.SimpleMenu);
    add("WindowColor", s.WindowColor);
    add("Left", s.Left);
    add("Top", s.Top);
    add("WheelCount", s.WheelCount);
    add("DispTitleAddr", s.DispTitleAddr);
    add("AutoFormat", s.AutoFormat);
    add("AutoPalette", s.AutoPalette);
    add("UsePopupMenu", s.UsePopupMenu);
    add("SaveSmallSize", s.SaveSmallSize);
    add("SavePosition", s.SavePosition);
    add("Halftone", s.Halftone);
    return out;
}

const std::string Defaults =
    "GridChr=0 GridEdit=0 FrameDraw=0 GridType=0 ZoomType=3 Statusbar=1 MouseNavigation=1 "
    "SimpleMenu=1 WindowColor=-1 Left=0 Top=0 WheelCount=0 DispTitleAddr=1 AutoFormat=1 "
    "AutoPalette=1 UsePopupMenu=0 SaveSmallSize=1 SavePosition=0 Halftone=0 ";

// Every setting away from its default.
void ChangeAll(CIniInfo& s) {
    s.GridChr = true;
    s.GridEdit = true;
    s.FrameDraw = true;
    s.GridType = 2;
    s.ZoomType = 4;
    s.Statusbar = false;
    s.MouseNavigation = false;
    s.SimpleMenu = false;
    s.WindowColor = 0x00336699;
    s.Left = -120;
    s.Top = 45;
    s.WheelCount = 5;
    s.DispTitleAddr = false;
    s.AutoFormat = false;
    s.AutoPalette = false;
    s.UsePopupMenu = true;
    s.SaveSmallSize = false;
    s.SavePosition = true;
}

const std::string Changed =
    "GridChr=1 GridEdit=1 FrameDraw=1 GridType=2 ZoomType=4 Statusbar=0 MouseNavigation=0 "
    "SimpleMenu=0 WindowColor=3368601 Left=-120 Top=45 WheelCount=5 DispTitleAddr=0 "
    "AutoFormat=0 AutoPalette=0 UsePopupMenu=1 SaveSmallSize=0 SavePosition=1 Halftone=0 ";

} // namespace

TEST(CIniInfo, StartsWithTheDefaults) {
    const CIniInfo s;
    EXPECT_EQ(Describe(s), Defaults);
    EXPECT_EQ(s.Path(), "");
}

TEST(CIniInfo, WithoutAPathNothingIsWritten) {
    const CIniInfo s;
    EXPECT_FALSE(s.Write());
}

TEST(CIniInfo, AnyNonZeroIntegerIsTrue) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[Tavrin]\nGridChr=2\nGridEdit=-1\nStatusbar=0\n"
                                 "FrameDraw=  7  \nSimpleMenu=00\n"));
    CIniInfo s;
    s.ReadFrom(ini);
    EXPECT_TRUE(s.GridChr);
    EXPECT_TRUE(s.GridEdit);
    EXPECT_TRUE(s.FrameDraw);
    EXPECT_FALSE(s.Statusbar);
    EXPECT_FALSE(s.SimpleMenu);
}

TEST(CIniInfo, UnreadableValuesGiveTheDefaults) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[Tavrin]\nGridChr=yes\nZoomType=\nStatusbar=true\n"
                                 "WindowColor=99999999999\nLeft=abc\nAutoFormat=-\n"));
    CIniInfo s;
    ChangeAll(s);
    s.ReadFrom(ini);
    EXPECT_EQ(Describe(s), Defaults);
}

TEST(CIniInfo, KeysOfOtherSectionsAreNotRead) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[Other]\nZoomType=1\n[tavrinx]\nGridChr=1\n"));
    CIniInfo s;
    s.ReadFrom(ini);
    EXPECT_EQ(Describe(s), Defaults);
}

TEST(CIniInfo, WritesTheEighteenKeysInOrder) {
    IniFile ini;
    CIniInfo s;
    ChangeAll(s);
    s.Halftone = true;
    s.WriteTo(ini);
    EXPECT_EQ(
        ini.SectionKeys("Tavrin"),
        (std::vector<std::string>{"GridChr", "GridEdit", "FrameDraw", "GridType", "ZoomType",
                                  "Statusbar", "MouseNavigation", "SimpleMenu", "WindowColor",
                                  "Left", "Top", "WheelCount", "DispTitleAddr", "AutoFormat",
                                  "AutoPalette", "UsePopupMenu", "SaveSmallSize", "SavePosition"}));
    EXPECT_EQ(ini.ReadString("Tavrin", "GridChr", ""), "1");
    EXPECT_EQ(ini.ReadString("Tavrin", "Statusbar", ""), "0");
    EXPECT_EQ(ini.ReadString("Tavrin", "WindowColor", ""), "3368601");
    EXPECT_EQ(ini.ReadString("Tavrin", "Left", ""), "-120");
}

TEST_F(CIniInfoFiles, NoFileGivesTheDefaults) {
    CIniInfo s;
    ASSERT_TRUE(s.SetPath(m_path));
    EXPECT_EQ(s.Path(), m_path);
    s.Read();
    EXPECT_EQ(Describe(s), Defaults);
    EXPECT_FALSE(FileExists(m_path));
}

TEST_F(CIniInfoFiles, RoundTripThroughTheFile) {
    CIniInfo first;
    ASSERT_TRUE(first.SetPath(m_path));
    ChangeAll(first);
    first.Halftone = true;
    ASSERT_TRUE(first.Write());

    CIniInfo second;
    ASSERT_TRUE(second.SetPath(m_path));
    EXPECT_EQ(Describe(second), Changed);

    // Writing the same settings again changes nothing in the file.
    const std::string once = ReadText();
    ASSERT_TRUE(second.Write());
    EXPECT_EQ(ReadText(), once);
}

TEST_F(CIniInfoFiles, WriteKeepsOtherSectionsKeysAndComments) {
    WriteText("; settings of Tavrin\n"
              "\n"
              "[STATE]\n"
              "; save-state rules\n"
              "Count=2\n"
              "[Tavrin]\n"
              "; the grid\n"
              "GridChr=1\n"
              "Unknown=keep me\n"
              "[TOOL]\n"
              "Tool0=notepad %FILE\n"
              "; last words\n");
    CIniInfo s;
    ASSERT_TRUE(s.SetPath(m_path));
    EXPECT_TRUE(s.GridChr);
    s.GridChr = false;
    s.ZoomType = 1;
    ASSERT_TRUE(s.Write());

    const std::string text = ReadText();
    for (const char* kept :
         {"; settings of Tavrin", "; save-state rules", "; the grid", "; last words",
          "Tool0 = notepad %FILE", "Unknown = keep me",
          // The save-state definitions keep their text exactly.
          "\n[STATE]\n; save-state rules\nCount=2\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << " lost from\n" << text;

    IniFile back;
    ASSERT_TRUE(back.Load(m_path));
    EXPECT_EQ(back.ReadInteger("Tavrin", "GridChr", -9), 0);
    EXPECT_EQ(back.ReadInteger("Tavrin", "ZoomType", -9), 1);
    EXPECT_EQ(back.ReadString("TOOL", "Tool0", ""), "notepad %FILE");
    EXPECT_EQ(back.SectionKeys("STATE"), std::vector<std::string>{"Count"});
    EXPECT_EQ(back.SectionKeys("Tavrin").size(), 19u);
    EXPECT_LT(text.find("[STATE]"), text.find("[Tavrin]"));
    EXPECT_LT(text.find("[Tavrin]"), text.find("[TOOL]"));
}

TEST_F(CIniInfoFiles, WriteTakesWhatOthersWroteSinceStart) {
    CIniInfo s;
    ASSERT_TRUE(s.SetPath(m_path));
    // Another part of the program writes its own section during the run.
    IniFile tools;
    ASSERT_TRUE(tools.Load(m_path));
    tools.WriteString("TOOL", "Tool1", "gimp %TEMP");
    ASSERT_TRUE(tools.Save(m_path));

    s.WheelCount = 3;
    ASSERT_TRUE(s.Write());
    IniFile back;
    ASSERT_TRUE(back.Load(m_path));
    EXPECT_EQ(back.ReadString("TOOL", "Tool1", ""), "gimp %TEMP");
    EXPECT_EQ(back.ReadInteger("Tavrin", "WheelCount", 0), 3);
}

TEST_F(CIniInfoFiles, ReadsACp932File) {
    const std::string text = Utf8ToCp932("; 設定ファイル\n[TOOL]\nCaption0=メモ帳\n"
                                         "[Tavrin]\nZoomType=2\nGridEdit=1\n");
    WriteText(text);
    CIniInfo s;
    ASSERT_TRUE(s.SetPath(m_path));
    EXPECT_EQ(s.ZoomType, 2);
    EXPECT_TRUE(s.GridEdit);
    ASSERT_TRUE(s.Write());
    IniFile back;
    ASSERT_TRUE(back.Load(m_path));
    EXPECT_EQ(back.ReadString("TOOL", "Caption0", ""), "メモ帳");
    EXPECT_NE(ReadText().find("; 設定ファイル"), std::string::npos);
}

TEST_F(CIniInfoFiles, ReadTakesTheFileAsItIsNow) {
    CIniInfo s;
    ASSERT_TRUE(s.SetPath(m_path));
    WriteText("[Tavrin]\nGridType=3\n");
    EXPECT_EQ(s.GridType, 0);
    s.Read();
    EXPECT_EQ(s.GridType, 3);
    // Keys that vanish fall back to the defaults, not to the last values.
    WriteText("[Tavrin]\n");
    s.Read();
    EXPECT_EQ(s.GridType, 0);
}

TEST_F(CIniInfoFiles, HalftoneIsNeverStored) {
    CIniInfo s;
    ASSERT_TRUE(s.SetPath(m_path));
    s.Halftone = true;
    ASSERT_TRUE(s.Write());
    EXPECT_EQ(ReadText().find("Halftone"), std::string::npos);
    CIniInfo next;
    ASSERT_TRUE(next.SetPath(m_path));
    EXPECT_FALSE(next.Halftone);
}

TEST_F(CIniInfoFiles, OutOfRangeValuesAreKeptAsWritten) {
    WriteText("[Tavrin]\nZoomType=9\nGridType=-1\nWindowColor=-2147483640\n");
    CIniInfo s;
    ASSERT_TRUE(s.SetPath(m_path));
    EXPECT_EQ(s.ZoomType, 9);
    EXPECT_EQ(s.GridType, -1);
    EXPECT_EQ(s.WindowColor, -2147483640);
    ASSERT_TRUE(s.Write());
    IniFile back;
    ASSERT_TRUE(back.Load(m_path));
    EXPECT_EQ(back.ReadString("Tavrin", "WindowColor", ""), "-2147483640");
}

TEST_F(CIniInfoFiles, AnUnreadableFileIsNeitherReadNorReplaced) {
    const std::string original = "[Tavrin]\nZoomType=1\n[TOOL]\nTool0=x\n";
    WriteText(original);
    CIniInfo early;
    ASSERT_TRUE(early.SetPath(m_path));
    ASSERT_EQ(::chmod(m_path.c_str(), 0), 0);
    ::chmod(m_dir.c_str(), 0777);

    // Root reads anything; a plain user cannot read a file locked to its owner.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
    CIniInfo late;
    ChangeAll(late);
    const bool opened = late.SetPath(m_path);
    const std::string latePath = late.Path();
    const bool lateWritten = static_cast<bool>(late.Write());
    early.ZoomType = 4;
    const bool earlyWritten = static_cast<bool>(early.Write());
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
    }

    EXPECT_FALSE(opened);
    EXPECT_EQ(latePath, "");
    EXPECT_EQ(Describe(late), Changed);
    EXPECT_FALSE(lateWritten);
    EXPECT_FALSE(earlyWritten);
    EXPECT_EQ(ReadText(), original);
}

TEST_F(CIniInfoFiles, AFolderInPlaceOfTheFileIsLeftAlone) {
    fs::create_directories(m_path);
    CIniInfo s;
    ASSERT_TRUE(s.SetPath(m_path));
    EXPECT_EQ(Describe(s), Defaults);
    EXPECT_FALSE(s.Write());
    EXPECT_TRUE(fs::is_directory(m_path));
}
