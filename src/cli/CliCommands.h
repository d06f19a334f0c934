#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin {

class Workspace;
struct AppPaths;
struct PageRequest;
struct TransferResult;

// Exit statuses of the tool.
enum CliStatus { CliOk = 0, CliNotFound = 1, CliBadInput = 2 };

// Runs a parsed command on a workspace. Results go to out, problems (one line each) to err.
// paths names the standard palette and palette-set files.
int RunCliCommand(const CliOptions& options, Workspace& workspace, const AppPaths& paths,
                  std::ostream& out, std::ostream& err);

// The page of export, import and render-set as the core takes it: the ROM opened as the
// window opens it (with its companion files unless --no-companions), the page settings and
// the display palette (--pal, --dat, --state, --entry, --palette-only).
PageRequest CliPageRequest(const CliOptions& options, const AppPaths& paths);
// Whether every file named for the palettes can be read; false (reported) when one cannot.
bool CheckNamedInputs(const CliOptions& options, std::ostream& err);
// Prints a core call's notes, one line each; whether the call succeeded.
bool CliReport(std::ostream& err, const TransferResult& result);

// The whole tool: parses args (without the program name) and runs the command.
int RunCli(const std::vector<std::string>& args, const AppPaths& paths, std::ostream& out,
           std::ostream& err);

} // namespace tavrin
