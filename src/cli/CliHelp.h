#pragma once

#include <string>

namespace tavrin {

struct AppPaths;

// The help texts of the tool and of each command, with the places of the files they name
// as {STANDARD}, {SETTINGS}, {PLUGINS}...; WithPaths fills them in as --help prints them.
std::string WithPaths(std::string text, const AppPaths& paths);
std::string ToolHelp();
std::string VersionHelp();
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
