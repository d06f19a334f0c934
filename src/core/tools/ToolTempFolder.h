#pragma once

#include <string>
#include <vector>

namespace tavrin {

// A folder the temporary bitmap may be written to.
struct TempFolderCandidate {
    std::string folder; // with its trailing '/'
    bool writable = false;
};

// The first writable candidate's folder, or "" when none is writable.
std::string ChooseTempFolder(const std::vector<TempFolderCandidate>& candidates);

// The candidates on this system in order of preference: the executable's folder (exeDir,
// with its trailing '/'), then "tavrin/" in the user's runtime folder ($XDG_RUNTIME_DIR) and
// in the user's cache folder ($XDG_CACHE_HOME, else ~/.cache). A subfolder that does not
// exist yet counts as writable when its parent is.
std::vector<TempFolderCandidate> SystemTempFolderCandidates(const std::string& exeDir);

// The temporary bitmap "temp.bmp" in the first writable candidate, its folder created when
// needed; beside the executable when no candidate is writable, so that the failure to write
// it names the usual place.
std::string ToolTempBitmapPath(const std::string& exeDir);

} // namespace tavrin
