#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tavrin {

// The window program's command line: its own options, and the arguments left for the
// document (exactly one names the file to open).
struct StartOptions {
    bool help = false;
    // "ja" or "en" from --lang, "" when not given (the settings decide).
    std::string language;
    // From --scale: 0 automatic or a percentage; -1 when not given (the settings decide).
    int viewScale = -1;
    std::vector<std::string> files;
    // Why the command line was refused, in English; "" when it was not.
    std::string error;
};

// --help (-h), --lang ja|en (or --lang=en) and --scale auto|100|150|200|300|400 are taken
// out; "--" ends them. An argument that names an existing file is always a file, so a
// document called "--help" still opens. More than one file is refused.
StartOptions ParseStartOptions(const std::vector<std::string>& args,
                               const std::function<bool(const std::string&)>& fileExists);

} // namespace tavrin
