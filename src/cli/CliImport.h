#pragma once

#include "cli/CliOptions.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace tavrin {

class Workspace;
struct AppPaths;
struct TransferResult;

// Where an import writes when the ROM named is not written as a file of its own (a packed
// block of it): the file to lock, and a say in the words of a refusal before it is printed.
struct ImportInto {
    std::string lockFile;
    std::function<void(TransferResult&)> explain;
};

// tavrin-cli import ROM IN: reads the image (indexed, grey or true colour, as
// the core's PictureIndices turns it into colour numbers with the palette export would write),
// locks the ROM against other imports, checks that every page starts inside the data, encodes the
// pages and writes the ROM back. Every refusal is one line on err and writes nothing; what
// the image holds but the pages do not take is named in a warning.
int RunImport(const CliOptions& options, Workspace& workspace, const AppPaths& paths,
              std::ostream& err, const ImportInto& into = {});

} // namespace tavrin
