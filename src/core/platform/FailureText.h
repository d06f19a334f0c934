#pragma once

#include "core/platform/FileResult.h"

#include <string>

namespace tavrin {

// What the user tried when a file failed.
enum class FileAction { Open, Save };

// Who reads the words of a failure: the window (its language, through the translator) or the
// command line (English).
enum class FailureVoice { Window, CommandLine };

// The one describer of failed loads and saves: the reason in plain words, without the path.
// The command line's words name what the file is to the reader (subject: "file", "image",
// "set file"): "no such file", "cannot write the image: No space left on device". The window's
// words stand under the path and name no subject ("ディスクの空きが足りません。"). Empty on
// success.
std::string FailureReason(const FileResult& result, FailureVoice voice,
                          const char* subject = "file");

// The command line's words (FailureReason in English).
inline std::string DescribeFailure(const FileResult& result, const char* subject = "file") {
    return FailureReason(result, FailureVoice::CommandLine, subject);
}

// The window's message for a failed load or save: what failed, the path, and the reason
// ("ファイルを保存できませんでした：\n<path>\nディスクの空きが足りません。").
std::string FailureMessage(const FileResult& result, FileAction action);

} // namespace tavrin
