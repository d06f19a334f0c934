#include "core/platform/FailureText.h"

#include "core/platform/Text.h"

#include <cerrno>
#include <cstring>

namespace tavrin {

namespace {

// The system's reason, in the window's words where a user meets it often.
std::string SystemReason(int error) {
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

std::string Reason(const FileResult& result) {
    switch (result.failure) {
    case FileFailure::None:
        return {};
    case FileFailure::NotFound:
        return TAVRIN_TR("Files", "ファイルが見つかりません。");
    case FileFailure::NotRegular:
        return TAVRIN_TR("Files", "通常のファイルではありません（フォルダーなど）。");
    case FileFailure::TooLarge:
        if (result.systemError == ENOMEM)
            return TAVRIN_TR("Files", "メモリが足りません。");
        return TAVRIN_TR("Files", "ファイルが大きすぎます（2 GiB まで）。");
    case FileFailure::Malformed:
        return TAVRIN_TR("Files", "ファイルの内容が正しくありません。");
    case FileFailure::Cancelled:
        return TAVRIN_TR("Files", "取り消しました。");
    case FileFailure::ChangedOutside:
        // clang-format off
        return TAVRIN_TR("Files", "開いている間にほかのプログラムがファイルを変えました。書き込んでいません（別の名前で保存してください）。");
        // clang-format on
    case FileFailure::ReadFailed:
    case FileFailure::WriteFailed:
        break;
    }
    if (result.systemError != 0)
        return SystemReason(result.systemError);
    return result.failure == FileFailure::ReadFailed ? TAVRIN_TR("Files", "読み込めませんでした。")
                                                     : TAVRIN_TR("Files", "書き込めませんでした。");
}

} // namespace

std::string FailureMessage(const FileResult& result, FileAction action) {
    if (result)
        return {};
    const std::string head = action == FileAction::Open
                                 ? TAVRIN_TR("Files", "ファイルを開けませんでした：\n")
                                 : TAVRIN_TR("Files", "ファイルを保存できませんでした：\n");
    return head + result.path + "\n" + Reason(result);
}

} // namespace tavrin
