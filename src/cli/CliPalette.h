#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace tavrin {

// tavrin-cli formats --palettes: one line per palette file format, tab-separated: name,
// description, extensions, the sizes that tell it apart among formats of one extension ("-"
// when its content does), and where its entries may go ("master", "palette-set" or both; the
// first is where --palette puts them).
int RunPaletteFormats(std::ostream& out);

// tavrin-cli palette convert IN OUT: the palette file in another format. Warnings and the
// reason for a refusal (nothing is then written) go to err.
int RunPaletteConvert(const CliOptions& options, std::ostream& err);

} // namespace tavrin
