#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin {

class Workspace;
struct AppPaths;

// Exit statuses of the tool.
enum CliStatus { CliOk = 0, CliNotFound = 1, CliBadInput = 2 };

// Runs a parsed command on a workspace. Results go to out, problems (one line each) to err.
// paths names the standard palette and palette-set files.
int RunCliCommand(const CliOptions& options, Workspace& workspace, const AppPaths& paths,
                  std::ostream& out, std::ostream& err);

// What export does before it decodes: the pattern, the ROM, the format, the page settings and
// the display palette (--pal, --dat, --state, --entry, --palette-only), so that the
// workspace's ExportPages gives the page as export writes it. False (reported) when any of
// them is unusable.
bool PrepareExportPage(const CliOptions& options, Workspace& workspace, const AppPaths& paths,
                       std::ostream& err);

// The whole tool: parses args (without the program name) and runs the command.
int RunCli(const std::vector<std::string>& args, const AppPaths& paths, std::ostream& out,
           std::ostream& err);

} // namespace tavrin
