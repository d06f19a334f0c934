#include "core/tools/CTools.h"

#include "core/platform/IniFile.h"
#include "core/tools/ToolsTestFolder.h"

#include <gtest/gtest.h>

using namespace tavrin;
using tavrin::test::ToolsTestFolder;

namespace {

ToolDefinition Tool(const std::string& name, const std::string& command, bool enabled,
                    bool saveFile, bool loadFile, bool saveTemp, bool loadTemp) {
    ToolDefinition tool;
    tool.Name = name;
    tool.Command = command;
    tool.Enabled = enabled;
    tool.SaveFile = saveFile;
    tool.LoadFile = loadFile;
    tool.SaveTemp = saveTemp;
    tool.LoadTemp = loadTemp;
    return tool;
}

TEST(CTools, WritesTheKeysOfEachToolInTheirFixedOrder) {
    CTools tools;
    tools.SetTool(0, Tool("GIMP", "\"/usr/bin/gimp\" %TEMP", true, false, true, true, false));
    IniFile ini;
    tools.WriteTo(ini);
    const std::vector<std::string> keys = ini.SectionKeys("TOOL");
    ASSERT_EQ(keys.size(), 70u);
    const std::vector<std::string> first(keys.begin(), keys.begin() + 7);
    EXPECT_EQ(first, (std::vector<std::string>{"Tool0Name", "Tool0Command", "Tool0Enabled",
                                               "Tool0SaveFile", "Tool0SaveTemp", "Tool0LoadTemp",
                                               "Tool0LoadFile"}));
    EXPECT_EQ(keys[7], "Tool1Name");
    EXPECT_EQ(keys.back(), "Tool9LoadFile");
    EXPECT_EQ(ini.ReadString("TOOL", "Tool0Command", ""), "\"/usr/bin/gimp\" %TEMP");
    EXPECT_EQ(ini.ReadString("TOOL", "Tool0Enabled", ""), "1");
    EXPECT_EQ(ini.ReadString("TOOL", "Tool0SaveFile", ""), "0");
    EXPECT_EQ(ini.ReadString("TOOL", "Tool0LoadFile", ""), "1");
    EXPECT_EQ(ini.ReadString("TOOL", "Tool0SaveTemp", ""), "1");
    EXPECT_EQ(ini.ReadString("TOOL", "Tool0LoadTemp", ""), "0");
}

TEST(CTools, AnyNonZeroIntegerReadsAsOnAndMissingKeysAsDefaults) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[TOOL]\nTool3Name=Packer\nTool3Enabled=-1\nTool3SaveFile=2\n"
                                 "Tool3LoadFile=0\nTool3SaveTemp=yes\nTool3LoadTemp= 7x\n"));
    CTools tools;
    tools.SetTool(5, Tool("stale", "x", true, true, true, true, true));
    tools.ReadFrom(ini);
    EXPECT_EQ(tools.GetTool(3), Tool("Packer", "", true, true, false, false, true));
    // Read replaces every tool, so what the file lacks is reset.
    EXPECT_EQ(tools.GetTool(5), ToolDefinition{});
}

TEST(CTools, GetToolOutsideTheTenGivesToolZeroAndSetToolIgnoresIt) {
    CTools tools;
    const ToolDefinition zero = Tool("zero", "\"/bin/true\" x", true, false, false, false, false);
    const ToolDefinition nine = Tool("nine", "\"/bin/false\" y", true, true, true, true, true);
    ASSERT_TRUE(tools.SetTool(0, zero));
    ASSERT_TRUE(tools.SetTool(9, nine));
    EXPECT_EQ(tools.GetTool(9), nine);
    for (const int index : {10, -1, 11, 1 << 30, -(1 << 30)}) {
        EXPECT_EQ(tools.GetTool(index), zero) << index;
        EXPECT_FALSE(tools.SetTool(index, nine)) << index;
    }
    EXPECT_EQ(tools.GetTool(0), zero);
}

TEST(CTools, SaveAndLoadRoundTripKeepingOtherSectionsAndComments) {
    ToolsTestFolder folder;
    folder.WriteText("tavrin.ini", "; settings\n[Tavrin]\nZoomType=2\n[STATE]\nState0=abc\n"
                                   "[TOOL]\nTool0Name=old\nToolX=kept\n");
    CTools tools(folder.File("tavrin.ini"));
    const ToolDefinition edited =
        Tool("エミュレータ", "\"/opt/emu/run\" %FILE \"%EXEPATH\"", true, true, false, false, true);
    tools.SetTool(0, edited);
    tools.SetTool(7, Tool("", "\"/usr/bin/a b\" '%TEMP' /x", true, false, true, true, false));
    ASSERT_TRUE(tools.Save());

    IniFile written;
    ASSERT_TRUE(written.Load(folder.File("tavrin.ini")));
    EXPECT_EQ(written.ReadInteger("Tavrin", "ZoomType", -1), 2);
    EXPECT_EQ(written.ReadString("STATE", "State0", ""), "abc");
    EXPECT_EQ(written.ReadString("TOOL", "ToolX", ""), "kept");
    EXPECT_NE(folder.ReadText("tavrin.ini").find("; settings"), std::string::npos);

    CTools loaded(folder.File("tavrin.ini"));
    ASSERT_TRUE(loaded.Load());
    for (int i = 0; i < CTools::Count; ++i)
        EXPECT_EQ(loaded.GetTool(i), tools.GetTool(i)) << i;
    EXPECT_EQ(loaded.GetTool(0), edited);
}

TEST(CTools, LineBreaksAreStoredAsBlanksSoTheyCannotAddKeys) {
    ToolsTestFolder folder;
    CTools tools(folder.File("tavrin.ini"));
    tools.SetTool(
        1, Tool("a\nTool2Enabled=1", "\"/bin/x\"\r\n%TEMP", false, false, false, false, false));
    ASSERT_TRUE(tools.Save());
    CTools loaded(folder.File("tavrin.ini"));
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.GetTool(1).Name, "a Tool2Enabled=1");
    EXPECT_EQ(loaded.GetTool(1).Command, "\"/bin/x\"  %TEMP");
    EXPECT_FALSE(loaded.GetTool(2).Enabled);
}

TEST(CTools, WithoutAPathNothingIsReadOrWritten) {
    CTools tools;
    tools.SetTool(0, Tool("kept", "", true, false, false, false, false));
    EXPECT_FALSE(tools.Load());
    EXPECT_FALSE(tools.Save());
    EXPECT_EQ(tools.GetTool(0).Name, "kept");
}

} // namespace
