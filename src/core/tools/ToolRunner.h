#pragma once

#include "core/platform/Text.h"
#include "core/tools/ToolCommandLine.h"

#include <string>

namespace tavrin {

class CTools;
class ToolRunnerHost;
class ToolRunSteps;
struct ToolDefinition;

// Where a tool run takes its paths from; filled by the caller for every run.
struct ToolRunContext {
    std::string documentPath;   // the file saved and reopened; %FILE is its absolute path
    std::string executableDir;  // %EXEPATH, with its trailing '/'
    std::string tempBitmapPath; // %TEMP, written and pasted back
};

// How a run ended.
enum class ToolRunResult {
    NotRun,     // the index is outside 0-9
    SaveFailed, // the document could not be saved first
    TempFailed, // the temporary bitmap could not be written first
    Refused,    // the command line cannot be split into program and arguments
    NotStarted, // the program did not start
    Finished,   // started, waited for, and read back as the tool asks
};

// Runs tool i of the Tool menu: saves what the tool reads, starts it, holds the program in a
// modal message until the user says the tool is done, then reads back what the tool wrote.
// Nothing is read back from a tool that did not start, and a tool is not started on a file
// that could not be saved first (reopening it afterwards would lose the edits).
class ToolRunner {
public:
    static constexpr const char* FailureText = TAVRIN_TR_NOOP("Tools", "実行に失敗しました：\n");
    static constexpr const char* SaveFailedText =
        TAVRIN_TR_NOOP("Tools", "ファイルの保存に失敗しました：\n");
    static constexpr const char* TempFailedText =
        TAVRIN_TR_NOOP("Tools", "テンポラリ画像の作成に失敗しました：\n");
    static constexpr const char* WaitText = TAVRIN_TR_NOOP(
        "Tools", "ツールを起動しています。\nツールでの編集が終わったらOKを押してください。\n\n"
                 "ツールで編集が完了する前にOKを押した場合は、\n"
                 "編集終了時に手動で編集結果を読み込む必要があります。");

    // Why a command line did not start, after FailureText and the program part.
    static constexpr const char* NoSplitPointText = TAVRIN_TR_NOOP(
        "Tools", "プログラムを \"\" で囲み、空白を空けてパラメータを続けてください。");
    static constexpr const char* OpenQuoteText =
        TAVRIN_TR_NOOP("Tools", "引用符が閉じていません。");
    static constexpr const char* PartTooLongText =
        TAVRIN_TR_NOOP("Tools", "プログラムかパラメータが 255 バイトを超えています。");
    static constexpr const char* NoProgramText =
        TAVRIN_TR_NOOP("Tools", "プログラムが指定されていません。");
    static constexpr const char* NotFoundText =
        TAVRIN_TR_NOOP("Tools", "プログラムが見つかりません。");
    static constexpr const char* NotExecutableText =
        TAVRIN_TR_NOOP("Tools", "プログラムを実行する許可がありません。");

    // The reason's text for a problem, or "" for None.
    static std::string ProblemText(ToolLaunchProblem problem);

    // steps does the work on the document and the bitmap, host starts and waits.
    ToolRunner(ToolRunSteps& steps, ToolRunnerHost& host, const CTools& tools)
        : m_steps(steps), m_host(host), m_tools(tools) {}

    ToolRunResult Run(int index, const ToolRunContext& context);
    ToolRunResult Run(const ToolDefinition& tool, const ToolRunContext& context);

private:
    ToolRunSteps& m_steps;
    ToolRunnerHost& m_host;
    const CTools& m_tools;
};

} // namespace tavrin
