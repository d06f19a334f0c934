#include "core/platform/FileResult.h"

#include <cstring>

namespace tavrin {

std::string DescribeFailure(const FileResult& result, const char* subject) {
    const std::string what = subject;
    std::string text;
    switch (result.failure) {
    case FileFailure::None:
        return {};
    case FileFailure::NotFound:
        return "no such " + what;
    case FileFailure::NotRegular:
        return "not a regular " + what + " (a folder, a pipe or a device)";
    case FileFailure::TooLarge:
        return "the " + what + " is too large (2 GiB at most)";
    case FileFailure::ReadFailed:
        text = "cannot read the " + what;
        break;
    case FileFailure::WriteFailed:
        text = "cannot write the " + what;
        break;
    case FileFailure::Malformed:
        text = "the " + what + " is damaged or of another kind";
        break;
    case FileFailure::Cancelled:
        return "cancelled";
    case FileFailure::ChangedOutside:
        return "another program changed the " + what +
               " while it was open; nothing was written (save under another name)";
    }
    if (result.systemError != 0)
        text += std::string(": ") + std::strerror(result.systemError);
    return text;
}

} // namespace tavrin
