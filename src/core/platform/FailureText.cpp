#include "core/platform/FailureText.h"

#include "core/platform/Text.h"

#include <cerrno>
#include <cstring>

namespace tavrin {

namespace {

// The system's reason in the window's words where a user meets it often.
std::string WindowSystemReason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return TAVRIN_TR("Files", "アクセスが許可されていません。");
    case ENOSPC:
    case EDQUOT:
        return TAVRIN_TR("Files", "ディスクの空きが足りません。");
    case EROFS:
        return TAVRIN_TR("Files", "書き込みできない場所です。");
    case EFBIG:
        return TAVRIN_TR("Files", "ファイルが大きすぎます。");
    case ENOENT:
    case ENOTDIR:
        return TAVRIN_TR("Files", "フォルダーが見つかりません。");
    case EISDIR:
        return TAVRIN_TR("Files", "フォルダーです。");
    case EIO:
        return TAVRIN_TR("Files", "入出力エラーが起きました。");
    default:
        return std::string("(") + std::strerror(error) + ")";
    }
}

} // namespace

std::string FailureReason(const FileResult& result, FailureVoice voice, const char* subject) {
    const bool window = voice == FailureVoice::Window;
    const std::string what = subject;
    // Each reason once, in both voices; the window's text is looked up in the translation.
    const auto say = [window](const char* windowText, std::string english) {
        return window ? TranslateText("Files", windowText) : english;
    };
    switch (result.failure) {
    case FileFailure::None:
        return {};
    case FileFailure::NotFound:
        return say(TAVRIN_TR_NOOP("Files", "ファイルが見つかりません。"), "no such " + what);
    case FileFailure::NotRegular:
        return say(TAVRIN_TR_NOOP("Files", "通常のファイルではありません（フォルダーなど）。"),
                   "not a regular " + what + " (a folder, a pipe or a device)");
    case FileFailure::TooLarge:
        if (result.systemError == ENOMEM)
            return say(TAVRIN_TR_NOOP("Files", "メモリが足りません。"),
                       "not enough memory to read the " + what);
        return say(TAVRIN_TR_NOOP("Files", "ファイルが大きすぎます（2 GiB まで）。"),
                   "the " + what + " is too large (2 GiB at most)");
    case FileFailure::Malformed:
        return say(TAVRIN_TR_NOOP("Files", "ファイルの内容が正しくありません。"),
                   "the " + what + " is damaged or of another kind");
    case FileFailure::Cancelled:
        return say(TAVRIN_TR_NOOP("Files", "取り消しました。"), "cancelled");
    case FileFailure::ChangedOutside:
        // clang-format off
        return say(TAVRIN_TR_NOOP("Files", "開いている間にほかのプログラムがファイルを変えました。書き込んでいません（別の名前で保存してください）。"),
                   "another program changed the " + what +
                       " while it was open; nothing was written (save under another name)");
        // clang-format on
    case FileFailure::ReadFailed:
    case FileFailure::WriteFailed:
        break;
    }
    const bool reading = result.failure == FileFailure::ReadFailed;
    if (window) {
        if (result.systemError != 0)
            return WindowSystemReason(result.systemError);
        return reading ? TAVRIN_TR("Files", "読み込めませんでした。")
                       : TAVRIN_TR("Files", "書き込めませんでした。");
    }
    std::string text = (reading ? "cannot read the " : "cannot write the ") + what;
    if (result.systemError != 0)
        text += std::string(": ") + std::strerror(result.systemError);
    return text;
}

std::string FailureMessage(const FileResult& result, FileAction action) {
    if (result)
        return {};
    const std::string head = action == FileAction::Open
                                 ? TAVRIN_TR("Files", "ファイルを開けませんでした：\n")
                                 : TAVRIN_TR("Files", "ファイルを保存できませんでした：\n");
    return head + result.path + "\n" + FailureReason(result, FailureVoice::Window);
}

} // namespace tavrin
