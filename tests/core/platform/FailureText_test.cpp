#include "core/platform/FailureText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace tavrin;

namespace {

// Every failure in both voices: the window's words stand under the path, the command line's
// name what the file is.
TEST(FailureText, EachFailureHasItsWordsInBothVoices) {
    const std::string noSpace = std::strerror(ENOSPC);
    const std::string odd = std::strerror(EXDEV);
    struct Case {
        FileResult result;
        std::string window;
        std::string commandLine; // subject "set file"
    };
    const Case cases[] = {
        {FileResult::Ok("a"), "", ""},
        {FileResult::Fail(FileFailure::NotFound, "a"), "ファイルが見つかりません。",
         "no such set file"},
        {FileResult::Fail(FileFailure::NotRegular, "a"),
         "通常のファイルではありません（フォルダーなど）。",
         "not a regular set file (a folder, a pipe or a device)"},
        {FileResult::Fail(FileFailure::TooLarge, "a"), "ファイルが大きすぎます（2 GiB まで）。",
         "the set file is too large (2 GiB at most)"},
        {FileResult::Fail(FileFailure::TooLarge, "a", ENOMEM), "メモリが足りません。",
         "not enough memory to read the set file"},
        {FileResult::Fail(FileFailure::ReadFailed, "a"), "読み込めませんでした。",
         "cannot read the set file"},
        {FileResult::Fail(FileFailure::WriteFailed, "a"), "書き込めませんでした。",
         "cannot write the set file"},
        {FileResult::Fail(FileFailure::WriteFailed, "a", ENOSPC), "ディスクの空きが足りません。",
         "cannot write the set file: " + noSpace},
        {FileResult::Fail(FileFailure::ReadFailed, "a", ENOTDIR), "フォルダーが見つかりません。",
         std::string("cannot read the set file: ") + std::strerror(ENOTDIR)},
        {FileResult::Fail(FileFailure::ReadFailed, "a", EXDEV), "(" + odd + ")",
         "cannot read the set file: " + odd},
        {FileResult::Fail(FileFailure::Malformed, "a"), "ファイルの内容が正しくありません。",
         "the set file is damaged or of another kind"},
        {FileResult::Fail(FileFailure::Cancelled, "a"), "取り消しました。", "cancelled"},
    };
    for (const Case& c : cases) {
        const int kind = static_cast<int>(c.result.failure);
        EXPECT_EQ(FailureReason(c.result, FailureVoice::Window), c.window) << kind;
        EXPECT_EQ(FailureReason(c.result, FailureVoice::CommandLine, "set file"), c.commandLine)
            << kind;
    }
    const FileResult changed = FileResult::Fail(FileFailure::ChangedOutside, "a");
    EXPECT_EQ(DescribeFailure(changed, "ROM").rfind("another program changed the ROM", 0), 0u);
}

TEST(FailureText, TheWindowsMessageSaysWhatFailedThePathAndWhy) {
    const FileResult unwritable = FileResult::Fail(FileFailure::WriteFailed, "/r/a.nam", EACCES);
    EXPECT_EQ(FailureMessage(unwritable, FileAction::Save),
              "ファイルを保存できませんでした：\n/r/a.nam\nアクセスが許可されていません。");
    EXPECT_EQ(FailureMessage(FileResult::Fail(FileFailure::NotFound, "b.spr"), FileAction::Open),
              "ファイルを開けませんでした：\nb.spr\nファイルが見つかりません。");
    EXPECT_EQ(FailureMessage(FileResult::Ok("c"), FileAction::Save), "");
}

} // namespace
