#pragma once

#include <string>
#include <vector>

namespace tavrin {

// Where the program finds and puts its files. Each main() fills one (ResolveAppPaths in
// InstallLayout.h decides between the portable and the installed layout); nothing deeper
// looks for a path of its own, so tests and other installations change only this.
struct AppPaths {
    // The settings file ("tavrin.ini").
    std::string settingsFile;
    // The standard files without their extension: "<folder>/tavrin" names tavrin.pal,
    // tavrin.dat, tavrin.adf, the demo tavrin.chr and the manual tavrin.htm, found as the
    // companions of this path.
    std::string standardFiles;
    // The folder snapshots are suggested in ("" is the current folder), with a trailing '/'.
    std::string workFolder;
    // The folder for temporary files such as the external tools' bitmap, trailing '/'.
    std::string tempFolder;
    // The first of pluginFolders, or "" (kept for the callers that load one folder).
    std::string pluginFolder;
    // The folders of format plug-ins (*.so), each with a trailing '/', searched in this order
    // until the format table is full; empty loads none.
    std::vector<std::string> pluginFolders;
    // The folder of the recovery files of documents with unsaved changes, trailing '/'; ""
    // keeps none.
    std::string recoveryFolder;
    // The folder of the program itself, trailing '/' (%EXEPATH of the external tools).
    std::string programFolder;
    // True when the program runs from an install prefix (bin/ beside share/tavrin/).
    bool installed = false;

    // The layout of a program run from its build folder: everything beside the executable,
    // named after it ("tavrin" -> tavrin.ini, tavrin.pal, ...), snapshots in the current
    // folder.
    static AppPaths BesideExecutable(const std::string& executablePath);
    // The standard files, settings and temporary files of the program in folder (with a
    // trailing '/'): folder/tavrin.pal, folder/tavrin.ini, ...; no plug-ins.
    static AppPaths InFolder(const std::string& folder);
};

} // namespace tavrin
