#include "core/tools/ToolRunner.h"

#include "core/tools/CTools.h"
#include "core/tools/ToolRunnerHost.h"
#include "core/tools/ToolsTestFolder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tavrin;
using tavrin::test::ToolsTestFolder;

namespace {

using Calls = std::vector<std::string>;

// Records every call in order; each step can be made to fail.
class RecordingHost : public ToolRunnerHost {
public:
    bool saveOk = true;
    bool tempOk = true;
    bool startOk = true;
    std::string tempToCreate; // written by the "tool" when it starts
    Calls calls;

    bool SaveDocument() override {
        calls.push_back("save");
        return saveOk;
    }
    bool WriteTempBitmap(const std::string& path) override {
        calls.push_back("temp " + path);
        return tempOk;
    }
    bool StartDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override {
        std::string call = "start " + program;
        for (const std::string& a : arguments)
            call += " [" + a + "]";
        calls.push_back(call);
        if (startOk && !tempToCreate.empty())
            std::ofstream(tempToCreate) << "BM";
        return startOk;
    }
    void ShowMessage(const std::string& text) override { calls.push_back("message " + text); }
    void WaitForTool(const std::string& text) override { calls.push_back("wait " + text); }
    void PasteTempBitmap(const std::string& path) override { calls.push_back("paste " + path); }
    void ReopenDocument() override { calls.push_back("reopen"); }
};

class ToolRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.documentPath = folder.File("game.nes");
        context.executableDir = folder.Path() + "/";
        context.tempBitmapPath = folder.File("temp.bmp");
    }

    ToolDefinition Tool(const std::string& command, bool saveFile, bool saveTemp, bool loadTemp,
                        bool loadFile) const {
        ToolDefinition tool;
        tool.Name = "t";
        tool.Command = command;
        tool.Enabled = true;
        tool.SaveFile = saveFile;
        tool.SaveTemp = saveTemp;
        tool.LoadTemp = loadTemp;
        tool.LoadFile = loadFile;
        return tool;
    }

    ToolRunResult Run(const ToolDefinition& tool) {
        tools.SetTool(4, tool);
        return runner.Run(4, context);
    }

    std::string Wait() const { return std::string("wait ") + ToolRunner::WaitText; }

    ToolsTestFolder folder;
    ToolRunContext context;
    CTools tools;
    RecordingHost host;
    ToolRunner runner{host, tools};
};

TEST_F(ToolRunnerTest, EveryStepInOrderWhenAllAreAsked) {
    host.tempToCreate = context.tempBitmapPath;
    EXPECT_EQ(Run(Tool("\"/usr/bin/gimp\" %TEMP /x %FILE", true, true, true, true)),
              ToolRunResult::Finished);
    const std::string temp = context.tempBitmapPath;
    EXPECT_EQ(host.calls,
              (Calls{"save", "temp " + temp,
                     "start /usr/bin/gimp [" + temp + "] [/x] [" + context.documentPath + "]",
                     Wait(), "paste " + temp, "reopen"}));
}

TEST_F(ToolRunnerTest, OnlyTheAskedStepsRun) {
    EXPECT_EQ(Run(Tool("\"%EXEPATHpack\" -q", false, false, false, false)),
              ToolRunResult::Finished);
    EXPECT_EQ(host.calls, (Calls{"start " + folder.Path() + "/pack [-q]", Wait()}));

    host.calls.clear();
    EXPECT_EQ(Run(Tool("\"/emu\" %FILE", true, false, false, true)), ToolRunResult::Finished);
    EXPECT_EQ(host.calls,
              (Calls{"save", "start /emu [" + context.documentPath + "]", Wait(), "reopen"}));
}

TEST_F(ToolRunnerTest, AMissingBitmapAfterTheToolIsNotPasted) {
    EXPECT_EQ(Run(Tool("\"/t\" %TEMP", false, false, true, true)), ToolRunResult::Finished);
    EXPECT_EQ(host.calls, (Calls{"start /t [" + context.tempBitmapPath + "]", Wait(), "reopen"}));
}

TEST_F(ToolRunnerTest, AToolThatDidNotStartNeverPastesOrReloads) {
    folder.WriteText("temp.bmp", "BM");
    host.startOk = false;
    EXPECT_EQ(Run(Tool("\"/no/such\" %TEMP", true, true, true, true)), ToolRunResult::NotStarted);
    EXPECT_EQ(host.calls,
              (Calls{"save", "temp " + context.tempBitmapPath,
                     "start /no/such [" + context.tempBitmapPath + "]",
                     std::string("message ") + ToolRunner::FailureText + "\"/no/such\""}));
}

TEST_F(ToolRunnerTest, ARefusedCommandLineStartsNothingAndNamesItsProgramPart) {
    folder.WriteText("temp.bmp", "BM");
    const std::string longProgram = "\"/" + std::string(254, 'p') + "\"";
    const struct {
        std::string command;
        std::string shown;
    } cases[] = {
        {"/usr/bin/gimp %TEMP", "/usr/bin/gimp \"" + context.tempBitmapPath + "\""},
        {longProgram + " x", longProgram},
        {"\"/t\" %FILE 'open", "\"/t\""},
        {"", ""},
    };
    for (const auto& c : cases) {
        host.calls.clear();
        EXPECT_EQ(Run(Tool(c.command, false, true, true, true)), ToolRunResult::Refused);
        EXPECT_EQ(host.calls, (Calls{"temp " + context.tempBitmapPath,
                                     std::string("message ") + ToolRunner::FailureText + c.shown}))
            << c.command;
    }
}

TEST_F(ToolRunnerTest, NothingStartsOnAFileOrBitmapThatCouldNotBeSaved) {
    host.saveOk = false;
    EXPECT_EQ(Run(Tool("\"/t\" %FILE", true, true, true, true)), ToolRunResult::SaveFailed);
    EXPECT_EQ(host.calls, (Calls{"save", std::string("message ") + ToolRunner::SaveFailedText +
                                             context.documentPath}));

    host.calls.clear();
    host.saveOk = true;
    host.tempOk = false;
    EXPECT_EQ(Run(Tool("\"/t\" %TEMP", true, true, true, true)), ToolRunResult::TempFailed);
    EXPECT_EQ(host.calls, (Calls{"save", "temp " + context.tempBitmapPath,
                                 std::string("message ") + ToolRunner::TempFailedText +
                                     context.tempBitmapPath}));
}

TEST_F(ToolRunnerTest, AnIndexOutsideTheTenRunsNothing) {
    tools.SetTool(0, Tool("\"/t\" x", true, true, true, true));
    for (const int index : {-1, 10, 99})
        EXPECT_EQ(runner.Run(index, context), ToolRunResult::NotRun);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(runner.Run(0, context), ToolRunResult::Finished);
}

} // namespace
