#pragma once

#include <string>

namespace tavrin {

// The help texts of the tool and of each command, as --help prints them.
std::string ToolHelp();
std::string FormatsHelp();
std::string InfoHelp();
std::string ExportHelp();
std::string ImportHelp();
std::string FindHelp();
std::string BookmarksHelp();
std::string RenderSetHelp();
std::string PaletteConvertHelp();
std::string ScanHelp();
std::string UnpackHelp();
std::string PackHelp();

} // namespace tavrin
