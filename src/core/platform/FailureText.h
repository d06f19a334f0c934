#pragma once

#include "core/platform/FileResult.h"

#include <string>

namespace tavrin {

// What the user tried when a file failed.
enum class FileAction { Open, Save };

// The window's message for a failed load or save: what failed, the path, and the reason in
// plain words ("ファイルを保存できませんでした：\n<path>\nディスクの空きが足りません。").
std::string FailureMessage(const FileResult& result, FileAction action);

} // namespace tavrin
