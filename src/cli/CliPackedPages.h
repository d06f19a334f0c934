#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace tavrin {

class Workspace;
struct AppPaths;

// export and import --packed C: the pages are the unpacked bytes of the block at --address,
// from its first byte; import packs them again and writes the block back by the window's
// rule (in place when it fits, else at the end of the file only with --append, its pointers
// moved only with --repoint).
int RunOnPackedBlock(const CliOptions& options, Workspace& workspace, const AppPaths& paths,
                     std::ostream& out, std::ostream& err);

} // namespace tavrin
