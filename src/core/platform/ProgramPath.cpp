#include "core/platform/ProgramPath.h"

#include "core/platform/FileIO.h"

#include <climits>
#include <unistd.h>

namespace tavrin {

std::string ExecutablePath() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    return std::string(buf, static_cast<size_t>(n));
}

std::string ExecutableDir() { return DirectoryPart(ExecutablePath()); }

std::string NamedLikeExecutable(const std::string& ext, const std::string& exePath) {
    return ReplaceExtension(exePath.empty() ? ExecutablePath() : exePath, ext);
}

} // namespace tavrin
