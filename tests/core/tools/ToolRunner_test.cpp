#include "core/tools/ToolRunner.h"

#include "core/tools/CTools.h"
#include "core/tools/ToolRunnerHost.h"
#include "core/tools/ToolsTestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace tavrin;
using tavrin::test::ToolsTestFolder;

namespace {

using Calls = std::vector<std::string>;

// Records every call in order; each step can be made to fail. The started "tool" writes
// tempToCreate when it is set.
class RecordingHost : public ToolRunnerHost, public ToolRunSteps {
public:
    bool saveOk = true, tempOk = true, startOk = true;
    std::string tempToCreate;
    Calls calls;

    bool SaveDocument() override { return Call("save", saveOk); }
    bool WriteTempBitmap(const std::string& path) override { return Call("temp " + path, tempOk); }
    bool StartDetached(const std::string& program, const std::vector<std::string>& args) override {
        std::string call = "start " + program;
        for (const std::string& a : args)
            call += " [" + a + "]";
        if (startOk && !tempToCreate.empty())
            std::ofstream(tempToCreate) << "BM";
        return Call(call, startOk);
    }
    void ShowMessage(const std::string& text) override { calls.push_back("message " + text); }
    void WaitForTool(const std::string& text) override { calls.push_back("wait " + text); }
    void PasteTempBitmap(const std::string& path) override { calls.push_back("paste " + path); }
    void ReopenDocument() override { calls.push_back("reopen"); }

private:
    bool Call(std::string call, bool result) {
        calls.push_back(std::move(call));
        return result;
    }
};

class ToolRunnerTest : public ::testing::Test {
protected:
    // Flags in the order the run uses them.
    ToolRunResult Run(const std::string& command, bool saveFile, bool saveTemp, bool loadTemp,
                      bool loadFile) {
        ToolDefinition tool;
        tool.Command = command;
        tool.SaveFile = saveFile;
        tool.SaveTemp = saveTemp;
        tool.LoadTemp = loadTemp;
        tool.LoadFile = loadFile;
        tools.SetTool(4, tool);
        return runner.Run(4, context);
    }
    static std::string Message(const char* prefix, const std::string& what) {
        return std::string("message ") + prefix + what;
    }

    ToolsTestFolder folder;
    const std::string rom = folder.File("game.nes");
    const std::string temp = folder.File("temp.bmp");
    const ToolRunContext context{rom, folder.Path() + "/", temp};
    const std::string wait = std::string("wait ") + ToolRunner::WaitText;
    CTools tools;
    RecordingHost host;
    ToolRunner runner{host, host, tools};
};

TEST_F(ToolRunnerTest, EveryStepInOrderWhenAllAreAsked) {
    host.tempToCreate = temp;
    EXPECT_EQ(Run("\"/usr/bin/gimp\" %TEMP /x %FILE", true, true, true, true),
              ToolRunResult::Finished);
    EXPECT_EQ(host.calls, (Calls{"save", "temp " + temp,
                                 "start /usr/bin/gimp [" + temp + "] [/x] [" + rom + "]", wait,
                                 "paste " + temp, "reopen"}));
}

TEST_F(ToolRunnerTest, OnlyTheAskedStepsRunAndAMissingBitmapIsNotPasted) {
    EXPECT_EQ(Run("\"%EXEPATHpack\" -q", false, false, false, false), ToolRunResult::Finished);
    EXPECT_EQ(host.calls, (Calls{"start " + folder.Path() + "/pack [-q]", wait}));
    host.calls.clear();
    EXPECT_EQ(Run("\"/t\" %TEMP", false, false, true, true), ToolRunResult::Finished);
    EXPECT_EQ(host.calls, (Calls{"start /t [" + temp + "]", wait, "reopen"}));
}

TEST_F(ToolRunnerTest, AToolThatDidNotStartNeverPastesOrReloads) {
    folder.WriteText("temp.bmp", "BM");
    host.startOk = false;
    EXPECT_EQ(Run("\"/no/such\" %TEMP", true, true, true, true), ToolRunResult::NotStarted);
    EXPECT_EQ(host.calls, (Calls{"save", "temp " + temp, "start /no/such [" + temp + "]",
                                 Message(ToolRunner::FailureText, "\"/no/such\"\n") +
                                     ToolRunner::NotFoundText}));

    // A program that is there but may not be run says so.
    host.calls.clear();
    folder.WriteText("plain", "x");
    EXPECT_EQ(Run("\"" + folder.File("plain") + "\"", false, false, false, false),
              ToolRunResult::NotStarted);
    EXPECT_EQ(host.calls.back(),
              Message(ToolRunner::FailureText, "\"" + folder.File("plain") + "\"\n") +
                  ToolRunner::NotExecutableText);

    // A refused command line starts nothing and names its program part and why.
    const struct {
        std::string command;
        std::string programPart;
        const char* reason;
    } refused[] = {
        {"/usr/bin/gimp %TEMP", "/usr/bin/gimp \"" + temp + "\"", ToolRunner::NoSplitPointText},
        {"\"/e\" 'x", "\"/e\"", ToolRunner::OpenQuoteText},
        {"\"\" x", "\"\"", ToolRunner::NoProgramText},
        {"\"/e\" " + std::string(256, 'a'), "\"/e\"", ToolRunner::PartTooLongText},
    };
    for (const auto& r : refused) {
        host.calls.clear();
        EXPECT_EQ(Run(r.command, false, false, true, true), ToolRunResult::Refused) << r.command;
        EXPECT_EQ(host.calls,
                  (Calls{Message(ToolRunner::FailureText, r.programPart + "\n") + r.reason}));
    }
}

TEST_F(ToolRunnerTest, TheDocumentReachesTheToolByItsAbsolutePath) {
    const std::string cwd = std::filesystem::current_path().string();
    const struct {
        std::string document, argument;
    } cases[] = {
        {"-x.nes", cwd + "/-x.nes"},
        {"./a/../b.nes", cwd + "/b.nes"},
        {rom, rom},
    };
    for (const auto& c : cases) {
        host.calls.clear();
        ToolDefinition tool;
        tool.Command = "\"/t\" %FILE";
        EXPECT_EQ(runner.Run(tool, {c.document, folder.Path() + "/", temp}),
                  ToolRunResult::Finished);
        EXPECT_EQ(host.calls.front(), "start /t [" + c.argument + "]") << c.document;
    }
    // A quoted program alone runs with no arguments.
    host.calls.clear();
    ToolDefinition alone;
    alone.Command = "\"/t\"";
    EXPECT_EQ(runner.Run(alone, context), ToolRunResult::Finished);
    EXPECT_EQ(host.calls.front(), "start /t");
}

TEST_F(ToolRunnerTest, NothingStartsOnAFileOrBitmapThatCouldNotBeSaved) {
    host.saveOk = false;
    EXPECT_EQ(Run("\"/t\" %FILE", true, true, true, true), ToolRunResult::SaveFailed);
    EXPECT_EQ(host.calls, (Calls{"save", Message(ToolRunner::SaveFailedText, rom)}));

    host.calls.clear();
    host.saveOk = true;
    host.tempOk = false;
    EXPECT_EQ(Run("\"/t\" %TEMP", true, true, true, true), ToolRunResult::TempFailed);
    EXPECT_EQ(host.calls,
              (Calls{"save", "temp " + temp, Message(ToolRunner::TempFailedText, temp)}));
}

TEST_F(ToolRunnerTest, AnIndexOutsideTheTenRunsNothing) {
    ToolDefinition zero;
    zero.Command = "\"/t\" x";
    tools.SetTool(0, zero);
    for (const int index : {-1, 10, 99})
        EXPECT_EQ(runner.Run(index, context), ToolRunResult::NotRun);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(runner.Run(0, context), ToolRunResult::Finished);
}

} // namespace
