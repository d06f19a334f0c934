#pragma once

#include "core/palette/files/PaletteFormat.h"

#include <optional>
#include <string>

namespace tavrin {

// The file dialogs of the palette files of other formats: "name|*.ext;*.ext|..." with one
// entry per format. The open dialog begins with every palette file (the format found from
// the file) and ends with all files; the save dialog has the formats only.
std::string PaletteFileFilter(bool save);
// The format a filter entry of that dialog stands for; none for "found from the file".
std::optional<PaletteFormat> PaletteFormatOfFilter(int index, bool save);
// The extension a save in the format gets when the name has none ("pal", without the dot).
std::string DefaultPaletteExtension(PaletteFormat format);

} // namespace tavrin
