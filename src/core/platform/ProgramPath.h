#pragma once

#include <string>

namespace tavrin {

// The full path of the running executable (from /proc/self/exe), or "" when unknown.
std::string ExecutablePath();
// The executable's folder with a trailing '/'.
std::string ExecutableDir();
// A file named like the executable: its path with the extension replaced by ext
// ("tavrin" -> "tavrin.ini"). exePath defaults to ExecutablePath().
std::string NamedLikeExecutable(const std::string& ext, const std::string& exePath = {});

} // namespace tavrin
