#include "core/tools/ToolRunner.h"

#include "core/platform/FileIO.h"
#include "core/tools/CTools.h"
#include "core/tools/ToolCommandLine.h"
#include "core/tools/ToolRunnerHost.h"

#include <cstdlib>
#include <filesystem>

namespace tavrin {

namespace {

// The document's path as a tool gets it: absolute, so that a name beginning with '-' does not
// reach the tool as an option and a tool started elsewhere finds the file.
std::string AbsolutePath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

std::string ToolRunner::ProblemText(ToolLaunchProblem problem) {
    switch (problem) {
    case ToolLaunchProblem::None:
        return {};
    case ToolLaunchProblem::NoSplitPoint:
        return TranslateText("Tools", NoSplitPointText);
    case ToolLaunchProblem::OpenQuote:
        return TranslateText("Tools", OpenQuoteText);
    case ToolLaunchProblem::PartTooLong:
        return TranslateText("Tools", PartTooLongText);
    case ToolLaunchProblem::NoProgram:
        return TranslateText("Tools", NoProgramText);
    case ToolLaunchProblem::NotFound:
        return TranslateText("Tools", NotFoundText);
    case ToolLaunchProblem::NotExecutable:
        return TranslateText("Tools", NotExecutableText);
    }
    return {};
}

ToolRunResult ToolRunner::Run(int index, const ToolRunContext& context) {
    if (!CTools::IsValidIndex(index))
        return ToolRunResult::NotRun;
    return Run(m_tools.GetTool(index), context);
}

ToolRunResult ToolRunner::Run(const ToolDefinition& tool, const ToolRunContext& context) {
    if (tool.SaveFile && !m_steps.SaveDocument()) {
        m_steps.ShowMessage(TranslateText("Tools", SaveFailedText) + context.documentPath);
        return ToolRunResult::SaveFailed;
    }
    if (tool.SaveTemp && !m_steps.WriteTempBitmap(context.tempBitmapPath)) {
        m_steps.ShowMessage(TranslateText("Tools", TempFailedText) + context.tempBitmapPath);
        return ToolRunResult::TempFailed;
    }

    const std::string commandLine =
        BuildToolCommandLine(tool.Command, {AbsolutePath(context.documentPath),
                                            context.tempBitmapPath, context.executableDir});
    ToolLaunch launch;
    const auto fail = [&](ToolLaunchProblem problem) {
        std::string text = TranslateText("Tools", FailureText) + launch.programPart;
        if (problem != ToolLaunchProblem::None)
            text += "\n" + ProblemText(problem);
        m_steps.ShowMessage(text);
    };
    if (!SplitToolCommandLine(commandLine, launch)) {
        fail(launch.problem);
        return ToolRunResult::Refused;
    }
    if (!m_host.StartDetached(launch.program, launch.arguments)) {
        const char* path = std::getenv("PATH");
        fail(ProgramProblem(launch.program, path != nullptr ? path : "/usr/bin:/bin"));
        return ToolRunResult::NotStarted;
    }

    m_host.WaitForTool(TranslateText("Tools", WaitText));
    if (tool.LoadTemp && FileExists(context.tempBitmapPath))
        m_steps.PasteTempBitmap(context.tempBitmapPath);
    if (tool.LoadFile)
        m_steps.ReopenDocument();
    return ToolRunResult::Finished;
}

} // namespace tavrin
