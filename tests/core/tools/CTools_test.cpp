#include "core/tools/CTools.h"

#include "core/platform/IniFile.h"
#include "core/tools/ToolsTestFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tavrin;
using tavrin::test::ToolsTestFolder;

namespace {

// Flags in the order of the file: Enabled, SaveFile, SaveTemp, LoadTemp, LoadFile.
ToolDefinition Tool(const std::string& name, const std::string& command, const char* flags) {
    ToolDefinition tool{name, command};
    tool.Enabled = flags[0] == '1';
    tool.SaveFile = flags[1] == '1';
    tool.SaveTemp = flags[2] == '1';
    tool.LoadTemp = flags[3] == '1';
    tool.LoadFile = flags[4] == '1';
    return tool;
}

TEST(CTools, WritesTheKeysOfEachToolInTheirFixedOrder) {
    CTools tools;
    tools.SetTool(0, Tool("GIMP", "\"/usr/bin/gimp\" %TEMP", "10101"));
    IniFile ini;
    tools.WriteTo(ini);
    const std::vector<std::string> keys = ini.SectionKeys("TOOL");
    ASSERT_EQ(keys.size(), 70u);
    EXPECT_EQ(
        std::vector<std::string>(keys.begin(), keys.begin() + 8),
        (std::vector<std::string>{"Tool0Name", "Tool0Command", "Tool0Enabled", "Tool0SaveFile",
                                  "Tool0SaveTemp", "Tool0LoadTemp", "Tool0LoadFile", "Tool1Name"}));
    EXPECT_EQ(keys.back(), "Tool9LoadFile");
    std::string values;
    for (int k = 1; k < 7; ++k)
        values += ini.ReadString("TOOL", keys[k], "?") + "|";
    EXPECT_EQ(values, "\"/usr/bin/gimp\" %TEMP|1|0|1|0|1|");
}

TEST(CTools, AnyNonZeroIntegerReadsAsOnAndMissingKeysAsDefaults) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[TOOL]\nTool3Name=Packer\nTool3Enabled=-1\nTool3SaveFile=2\n"
                                 "Tool3LoadFile=0\nTool3SaveTemp=yes\nTool3LoadTemp= 7x\n"));
    CTools tools;
    tools.SetTool(5, Tool("stale", "x", "11111"));
    tools.ReadFrom(ini);
    EXPECT_EQ(tools.GetTool(3), Tool("Packer", "", "11010"));
    EXPECT_EQ(tools.GetTool(5), ToolDefinition{});
}

TEST(CTools, GetToolOutsideTheTenGivesToolZeroAndSetToolIgnoresIt) {
    CTools tools;
    const ToolDefinition zero = Tool("zero", "\"/bin/true\" x", "10000");
    const ToolDefinition nine = Tool("nine", "\"/bin/false\" y", "11111");
    ASSERT_TRUE(tools.SetTool(0, zero));
    ASSERT_TRUE(tools.SetTool(9, nine));
    EXPECT_EQ(tools.GetTool(9), nine);
    for (const int index : {10, -1, 1 << 30, -(1 << 30)}) {
        EXPECT_EQ(tools.GetTool(index), zero) << index;
        EXPECT_FALSE(tools.SetTool(index, nine)) << index;
    }
    EXPECT_EQ(tools.GetTool(0), zero);
}

TEST(CTools, SaveAndLoadRoundTripKeepingOtherSectionsAndComments) {
    ToolsTestFolder folder;
    folder.WriteText("tavrin.ini", "; settings\n[Tavrin]\nZoomType=2\n[STATE]\n.st*=0,0,0,0,20\n"
                                   "[TOOL]\nTool0Name=old\nToolX=kept\n");
    CTools tools(folder.File("tavrin.ini"));
    tools.SetTool(0, Tool("エミュレータ", "\"/opt/emu/run\" %FILE \"%EXEPATH\"", "11010"));
    tools.SetTool(7, Tool("", "\"/usr/bin/a b\" '%TEMP' /x", "10101"));
    // A line break would end the value in the file and let the rest read as a key.
    tools.SetTool(8, Tool("a\nTool9Enabled=1", "\"/bin/x\"\r\n%TEMP", "00000"));
    ASSERT_TRUE(tools.Save());

    IniFile written;
    ASSERT_TRUE(written.Load(folder.File("tavrin.ini")));
    EXPECT_EQ(written.ReadInteger("Tavrin", "ZoomType", -1), 2);
    EXPECT_EQ(written.ReadString("STATE", ".st*", ""), "0,0,0,0,20");
    EXPECT_EQ(written.ReadString("TOOL", "ToolX", ""), "kept");
    EXPECT_EQ(folder.ReadText("tavrin.ini").rfind("; settings", 0), 0u);

    CTools loaded(folder.File("tavrin.ini"));
    ASSERT_TRUE(loaded.Load());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(loaded.GetTool(i), tools.GetTool(i)) << i;
    EXPECT_EQ(loaded.GetTool(8), Tool("a Tool9Enabled=1", "\"/bin/x\"  %TEMP", "00000"));
    EXPECT_FALSE(loaded.GetTool(9).Enabled);

    CTools noPath;
    EXPECT_FALSE(noPath.Load());
    EXPECT_FALSE(noPath.Save());
}

// The settings file's failures come back with their reason, and a failed read keeps the tools.
TEST(CTools, ASettingsFileThatCannotBeReadOrWrittenSaysWhy) {
    ToolsTestFolder folder;
    folder.WriteText("tavrin.ini", "[TOOL]\nTool1Name=one\n");
    const std::string good = folder.File("tavrin.ini");
    // Larger than any settings file of ours: left alone, neither read nor replaced.
    folder.WriteText("huge.ini", std::string(IniFile::MaxFileBytes + 1, ';'));
    const struct {
        std::string path;
        FileFailure load, save;
    } cases[] = {
        {"", FileFailure::NotFound, FileFailure::NotFound},
        {folder.File("huge.ini"), FileFailure::TooLarge, FileFailure::TooLarge},
        {folder.File("none/tavrin.ini"), FileFailure::None, FileFailure::WriteFailed},
    };
    for (const auto& c : cases) {
        CTools tools(good);
        ASSERT_TRUE(tools.Load());
        tools.SetPath(c.path);
        const FileResult written = tools.Save();
        EXPECT_EQ(written.failure, c.save) << c.path;
        EXPECT_EQ(written.path, c.path);
        const FileResult read = tools.Load();
        EXPECT_EQ(read.failure, c.load) << c.path;
        // A missing file reads as no tools; one that cannot be read leaves them.
        EXPECT_EQ(tools.GetTool(1).Name, read ? "" : "one") << c.path;
    }
}

// Tools the file could not give are not blanked in it by a later save; those set since are.
TEST(CTools, ASaveAfterAFailedReadWritesOnlyTheToolsSetSince) {
    ToolsTestFolder folder;
    CTools tools(folder.File("tavrin.ini"));
    ::mkdir(tools.Path().c_str(), 0755);
    ASSERT_EQ(tools.Load().failure, FileFailure::NotRegular);
    ::rmdir(tools.Path().c_str());
    folder.WriteText("tavrin.ini", "[TOOL]\nTool1Name=one\nTool2Name=two\n");
    tools.SetTool(2, Tool("new", "", "00000"));
    ASSERT_TRUE(tools.Save());
    const std::string text = folder.ReadText("tavrin.ini");
    EXPECT_EQ(text.rfind("[TOOL]\nTool1Name = one\nTool2Name = new\nTool2Command = \n", 0), 0u);
    EXPECT_EQ(text.find("Tool0"), std::string::npos);
}

} // namespace
