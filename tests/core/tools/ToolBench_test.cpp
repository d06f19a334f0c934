#include "core/tools/ToolBench.h"

#include "core/dib/BitmapFile.h"
#include "core/editor/Editor.h"
#include "core/tools/ToolRunnerHost.h"
#include "support/Bitmap24.h"
#include "support/RandomBytes.h"

#include "core/editor/RecordingView.h"
#include "core/platform/IniFile.h"
#include "core/settings/OptionActions.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrin;

namespace {

// The editor of the main window with its tools, wired as the window wires them: the tools
// are read before the start-up, and each command-state refresh applies their captions.
class ToolBenchTest : public EditorTest {
protected:
    void TearDown() override {
        tools.reset();
        EditorTest::TearDown();
    }
    Editor& StartWithTools(const std::vector<std::string>& arguments = {}) {
        tools.reset();
        editor.reset();
        workspace = std::make_unique<Workspace>();
        settings = std::make_unique<CIniInfo>();
        OpenSettingsFile(*settings, paths.settingsFile);
        editor = std::make_unique<Editor>(view, *workspace, *settings, paths, 3);
        tools = std::make_unique<ToolBench>(*editor, view);
        view.onCommandStates = [this] {
            if (!tools->CaptionsApplied())
                tools->CaptionsShown();
        };
        editor->FormCreate(arguments);
        editor->FormShow();
        return *editor;
    }

    std::unique_ptr<ToolBench> tools;
};

TEST_F(ToolBenchTest, ToolCaptionsWaitForTheRefreshAfterStartLoadAndConfiguration) {
    WriteText("tavrin.ini", "[TOOL]\nTool3Name=Paint\nTool3Enabled=1\n");
    Editor& e = StartWithTools();
    EXPECT_TRUE(tools->CaptionsApplied());
    EXPECT_EQ(tools->Tools().GetTool(3).Name, "Paint");
    EXPECT_TRUE(tools->Tools().GetTool(3).Enabled);

    WriteText("tavrin.ini", "[TOOL]\nTool3Name=Gimp\nTool3Enabled=0\n");
    tools->Load();
    EXPECT_FALSE(tools->CaptionsApplied());
    EXPECT_EQ(tools->Tools().GetTool(3).Name, "Gimp");
    EXPECT_FALSE(tools->Tools().GetTool(3).Enabled);
    e.RefreshCommandStates();
    EXPECT_TRUE(tools->CaptionsApplied());

    view.ClearLog();
    tools->ConfigChanged();
    EXPECT_EQ(view.Steps(), "C");
    EXPECT_TRUE(tools->CaptionsApplied());

    // Saving keeps the window's own section.
    e.FormDestroy(0, 0, -1);
    ToolDefinition tool;
    tool.Name = "Packer";
    tools->Tools().SetTool(9, tool);
    ASSERT_TRUE(tools->Save());
    const std::string text = ReadText("tavrin.ini");
    EXPECT_NE(text.find("Tool9Name = Packer"), std::string::npos);
    EXPECT_NE(text.find("[Tavrin]"), std::string::npos);
}

// A settings file in place that cannot be read is said at start-up; none is normal, and one
// too large the settings' warning alone names.
TEST_F(ToolBenchTest, AnUnreadableToolsFileIsReportedAtStartUp) {
    const struct {
        const char* path;
        char kind; // 'd' a folder in its place, 'L' a file over the size limit
        size_t failures, messages;
    } cases[] = {
        {"", 0, 0, 0}, {"none/tavrin.ini", 0, 0, 0}, {"a.ini", 'd', 1, 0}, {"b.ini", 'L', 0, 1}};
    for (const auto& c : cases) {
        if (c.kind == 'd')
            std::filesystem::create_directory(PathOf(c.path));
        if (c.kind == 'L')
            WriteText(c.path, std::string(IniFile::MaxFileBytes + 1, ';'));
        paths.settingsFile = *c.path ? PathOf(c.path) : "";
        view.failures.clear();
        view.messages.clear();
        StartWithTools();
        EXPECT_EQ(view.failures.size(), c.failures) << c.path;
        EXPECT_EQ(view.messages.size(), c.messages) << c.path;
    }
}

// Records what the window would start and how often it waits.
struct RecordingHost : ToolRunnerHost {
    bool StartDetached(const std::string& p, const std::vector<std::string>& a) override {
        program = p;
        arguments = a;
        return true;
    }
    void WaitForTool(const std::string&) override { ++waits; }

    std::string program;
    std::vector<std::string> arguments;
    int waits = 0;
};

TEST_F(ToolBenchTest, ATrueColourToolBitmapInThePagesOwnColoursGivesBackTheSameBytes) {
    const std::vector<uint8_t> bytes = test::RandomBytes(8192, 3);
    Editor& e = StartWithTools({WriteFile("game.chr", bytes)});
    e.PaletteSelect(3);
    ImageRgb colours(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            colours.SetPixel(x, y, e.DisplayPalette()[e.Space().TileImage().Pixel(x, y)]);
    tools->PasteBitmap(WriteFile("temp.bmp", test::Bitmap24(colours)));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(e.Space().Undo().CanUndo()) << "pasted as one step";
    EXPECT_EQ(std::vector<uint8_t>(e.Space().Document().Data(),
                                   e.Space().Document().Data() + bytes.size()),
              bytes);
}

TEST_F(ToolBenchTest, ToolPaths) {
    const std::string rom = WriteFile("game.chr", Counting(8192));
    Editor& e = StartWithTools({rom});
    e.PaletteSelect(3); // the next palette group, so the bitmap's indices carry its offset
    ToolDefinition tool;
    tool.Command = "\"/opt/paint\" %file %TEMP %ExePath /x";
    tool.SaveTemp = true;
    tools->Tools().SetTool(2, tool);

    RecordingHost host;
    EXPECT_EQ(tools->Run(2, host), ToolRunResult::Finished);
    EXPECT_EQ(host.program, "/opt/paint");
    const std::string folder = DirectoryPart(ExePath());
    EXPECT_EQ(host.arguments, (std::vector<std::string>{rom, folder + "temp.bmp", folder, "/x"}));
    const std::string tempPath = tools->Context().tempBitmapPath;
    EXPECT_EQ(tempPath, folder + "temp.bmp");
    EXPECT_EQ(host.waits, 1);

    Image8 written;
    ASSERT_TRUE(ReadBitmapFile(tempPath, written));
    ASSERT_EQ(written.Width(), 128);
    ASSERT_EQ(written.Height(), 128);
    bool offset = false;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            ASSERT_EQ(written.Pixel(x, y), e.Space().TileImage().Pixel(x, y)) << x << "," << y;
            offset = offset || written.Pixel(x, y) >= 4;
        }
    EXPECT_TRUE(offset);
    EXPECT_EQ(written.Colours(), e.DisplayPalette());
    EXPECT_EQ(tools->Run(10, host), ToolRunResult::NotRun);
}

} // namespace
