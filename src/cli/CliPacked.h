#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace tavrin {

// The packed-graphics commands: scan, unpack, pack. They work on files, not on a workspace.
int RunPackedCommand(const CliOptions& options, std::ostream& out, std::ostream& err);

} // namespace tavrin
