#include "core/tools/ToolTempFolder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tavrin {

namespace {

constexpr const char* TempBitmapName = "temp.bmp";
constexpr const char* SubFolder = "tavrin/";

bool IsWritableDirectory(const std::string& folder) {
    struct stat info {};
    return !folder.empty() && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// base/tavrin/, writable when it is or when it can be created in a writable base.
TempFolderCandidate UserCandidate(const std::string& base) {
    if (base.empty() || base.front() != '/')
        return {};
    const std::string folder = WithSlash(base) + SubFolder;
    struct stat info {};
    const bool exists = stat(folder.c_str(), &info) == 0;
    return {folder, exists ? IsWritableDirectory(folder) : IsWritableDirectory(WithSlash(base))};
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string ChooseTempFolder(const std::vector<TempFolderCandidate>& candidates) {
    for (const TempFolderCandidate& candidate : candidates)
        if (candidate.writable && !candidate.folder.empty())
            return candidate.folder;
    return {};
}

std::vector<TempFolderCandidate> SystemTempFolderCandidates(const std::string& exeDir) {
    std::vector<TempFolderCandidate> candidates;
    candidates.push_back({WithSlash(exeDir), IsWritableDirectory(WithSlash(exeDir))});
    const auto addUser = [&candidates](const std::string& base) {
        TempFolderCandidate candidate = UserCandidate(base);
        if (!candidate.folder.empty())
            candidates.push_back(std::move(candidate));
    };
    addUser(Environment("XDG_RUNTIME_DIR"));
    std::string cache = Environment("XDG_CACHE_HOME");
    if (cache.empty() || cache.front() != '/') {
        const std::string home = Environment("HOME");
        cache = home.empty() ? "" : WithSlash(home) + ".cache";
    }
    addUser(cache);
    return candidates;
}

std::string ToolTempBitmapPath(const std::string& exeDir) {
    const std::string folder = ChooseTempFolder(SystemTempFolderCandidates(exeDir));
    if (folder.empty())
        return WithSlash(exeDir) + TempBitmapName;
    // The user's folders are private to the user.
    mkdir(folder.c_str(), 0700);
    return folder + TempBitmapName;
}

} // namespace tavrin
