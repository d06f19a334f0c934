#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin {

class CFormatTable;

// Exit statuses of the tool.
enum CliStatus { CliOk = 0, CliNotFound = 1, CliBadInput = 2 };

// Runs a parsed command. Results go to out, problems (one line each) to err. dataDir is where
// the standard palette and palette-set files are looked for (the executable's folder).
int RunCliCommand(const CliOptions& options, CFormatTable& formats, const std::string& dataDir,
                  std::ostream& out, std::ostream& err);

// The whole tool: parses args (without the program name) and runs the command.
int RunCli(const std::vector<std::string>& args, const std::string& dataDir, std::ostream& out,
           std::ostream& err);

} // namespace tavrin
