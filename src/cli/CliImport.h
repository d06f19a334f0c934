#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace tavrin {

class Workspace;
struct AppPaths;

// tavrin-cli import ROM IN: reads the image (indexed, grey or true colour, as
// the core's PictureIndices turns it into colour numbers with the palette export would write),
// locks the ROM against other imports, checks that every page starts inside the data, encodes the
// pages and writes the ROM back. Every refusal is one line on err and writes nothing; what
// the image holds but the pages do not take is named in a warning.
int RunImport(const CliOptions& options, Workspace& workspace, const AppPaths& paths,
              std::ostream& err);

} // namespace tavrin
