#pragma once

#include <string>

namespace tavrin {

// Where the program finds and puts its files. Each main() fills one; nothing deeper looks
// for a path of its own, so tests and other installations change only this.
struct AppPaths {
    // The settings file ("tavrin.ini").
    std::string settingsFile;
    // The standard files without their extension: "<folder>/tavrin" names tavrin.pal,
    // tavrin.dat, tavrin.adf and the demo tavrin.chr, found as the companions of this path.
    std::string standardFiles;
    // The folder snapshots are suggested in ("" is the current folder), with a trailing '/'.
    std::string workFolder;
    // The folder for temporary files such as the external tools' bitmap, trailing '/'.
    std::string tempFolder;
    // The folder of format plug-ins (*.so), trailing '/'; "" loads none.
    std::string pluginFolder;

    // The layout of a program run from its build folder: everything beside the executable,
    // named after it ("tavrin" -> tavrin.ini, tavrin.pal, ...), snapshots in the current
    // folder.
    static AppPaths BesideExecutable(const std::string& executablePath);
    // The standard files, settings and temporary files of the program in folder (with a
    // trailing '/'): folder/tavrin.pal, folder/tavrin.ini, ...; no plug-ins.
    static AppPaths InFolder(const std::string& folder);
};

} // namespace tavrin
