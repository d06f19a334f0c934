#include "core/tools/ToolRunner.h"

#include "core/platform/FileIO.h"
#include "core/tools/CTools.h"
#include "core/tools/ToolCommandLine.h"
#include "core/tools/ToolRunnerHost.h"

namespace tavrin {

ToolRunResult ToolRunner::Run(int index, const ToolRunContext& context) {
    if (!CTools::IsValidIndex(index))
        return ToolRunResult::NotRun;
    return Run(m_tools.GetTool(index), context);
}

ToolRunResult ToolRunner::Run(const ToolDefinition& tool, const ToolRunContext& context) {
    if (tool.SaveFile && !m_host.SaveDocument()) {
        m_host.ShowMessage(TranslateText("Tools", SaveFailedText) + context.documentPath);
        return ToolRunResult::SaveFailed;
    }
    if (tool.SaveTemp && !m_host.WriteTempBitmap(context.tempBitmapPath)) {
        m_host.ShowMessage(TranslateText("Tools", TempFailedText) + context.tempBitmapPath);
        return ToolRunResult::TempFailed;
    }

    const std::string commandLine = BuildToolCommandLine(
        tool.Command, {context.documentPath, context.tempBitmapPath, context.executableDir});
    ToolLaunch launch;
    if (!SplitToolCommandLine(commandLine, launch)) {
        m_host.ShowMessage(TranslateText("Tools", FailureText) + launch.programPart);
        return ToolRunResult::Refused;
    }
    if (!m_host.StartDetached(launch.program, launch.arguments)) {
        m_host.ShowMessage(TranslateText("Tools", FailureText) + launch.programPart);
        return ToolRunResult::NotStarted;
    }

    m_host.WaitForTool(TranslateText("Tools", WaitText));
    if (tool.LoadTemp && FileExists(context.tempBitmapPath))
        m_host.PasteTempBitmap(context.tempBitmapPath);
    if (tool.LoadFile)
        m_host.ReopenDocument();
    return ToolRunResult::Finished;
}

} // namespace tavrin
