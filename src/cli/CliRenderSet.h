#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace tavrin {

class Workspace;
struct AppPaths;

// tavrin-cli render-set: the screen the set window composes from a set file over one page of
// tiles decoded as export decodes it, with the sprites of --spd and --spr, written as a
// 256 x 240 indexed PNG or BMP. Problems go to err; returns a CliStatus.
int RunRenderSet(const CliOptions& options, Workspace& workspace, const AppPaths& paths,
                 std::ostream& err);

} // namespace tavrin
