#pragma once

#include "cli/CliOptions.h"

#include <string>
#include <vector>

namespace tavrin {

class CFormatTable;
struct AppPaths;

// Parses decimal or 0x-prefixed hexadecimal; false for anything else or values beyond int64.
bool ParseCliNumber(const std::string& text, long long& out);

// Parses the arguments (without the program name). Every problem is appended to errors;
// nothing is done by the caller unless errors stays empty.
CliOptions ParseCliArguments(const std::vector<std::string>& args, CFormatTable& formats,
                             std::vector<std::string>& errors);

// Whether the command named works with the format table (and so with the plug-ins' formats);
// true for a name that is no command.
bool CliCommandReadsFormats(const std::string& name);

// The help text of the tool, or of one command, naming the files where paths has them.
std::string CliHelpText(CliCommand command, const AppPaths& paths);

} // namespace tavrin
