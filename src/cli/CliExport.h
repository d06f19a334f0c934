#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>
#include <string>

namespace tavrin {

class Workspace;
struct AppPaths;

// tavrin-cli export ROM OUT: checks OUT's type and that it can be written before any work,
// prepares the pages as the window shows them and writes them. Every refusal is one line on
// err and writes nothing.
int RunExport(const CliOptions& options, Workspace& workspace, const AppPaths& paths,
              std::ostream& out, std::ostream& err);

// Writes count pages from first of the workspace (decoded as ExportPages decodes them, in
// its display palette) as one image 128 pixels wide to path, or to out when path is "-".
// A PNG is made page by page as it is written, so memory stays the same at any count; a
// bitmap is made whole and refused past the DIB container's pixel limit with a word on PNG.
// The file appears only complete (written beside it, then renamed over it). False, reported
// on err, when nothing was written.
bool WriteExportImage(Workspace& workspace, int first, long long count, const std::string& path,
                      bool png, std::ostream& out, std::ostream& err);

} // namespace tavrin
