#pragma once

#include "core/startup/AppPaths.h"

#include <functional>
#include <string>

namespace tavrin {

// What decides where the program's files live: the executable, the user's folders from the
// environment and a look at the file system. Passed in whole, so the rule is tested without
// installing anything.
struct LayoutInputs {
    // The absolute path of the running executable ("/usr/bin/tavrin").
    std::string executablePath;
    // $HOME, $XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_CACHE_HOME and $XDG_RUNTIME_DIR as set
    // ("" when unset); a relative XDG value is ignored, as the XDG rules say.
    std::string home;
    std::string configHome;
    std::string dataHome;
    std::string cacheHome;
    std::string stateHome; // $XDG_STATE_HOME
    std::string runtimeDir;
    // $TAVRIN_PLUGIN_PATH: plug-in folders separated by ':', searched before all others (for
    // developing a plug-in); "" when unset.
    std::string pluginPath;
    // Whether a folder, and a file, exists at the path.
    std::function<bool(const std::string&)> isFolder;
    std::function<bool(const std::string&)> isFile;
};

// The one rule of the program's layout.
//
// Installed: the executable's folder is named "bin", "../share/tavrin" exists beside it and
// no settings file named like the executable lies beside it. Then the standard files and the
// manual come from share/tavrin, the settings file is the user's
// <config>/tavrin/tavrin.ini (<config> = $XDG_CONFIG_HOME or ~/.config), recovery files go to
// <state>/tavrin/recovery/ (<state> = $XDG_STATE_HOME or ~/.local/state), temporary files go
// to $XDG_RUNTIME_DIR/tavrin/ (else <cache>/tavrin/, <cache> = $XDG_CACHE_HOME or ~/.cache),
// and plug-ins are searched in the user's <data>/tavrin/plugins (<data> = $XDG_DATA_HOME or
// ~/.local/share), beside the program and in <prefix>/lib/tavrin/plugins, in that order.
//
// Anything else (the build tree, an unpacked folder, an installed program with its own
// tavrin.ini) is portable: everything beside the executable, exactly as
// AppPaths::BesideExecutable says.
//
// In both layouts the folders of pluginPath come first, in their order.
AppPaths ResolveAppPaths(const LayoutInputs& inputs);

// The inputs of this process: the environment and the real file system.
LayoutInputs SystemLayoutInputs(const std::string& executablePath);

// Creates the folder of the settings file of an installed program (private to the user), so
// the settings can be written at exit. Nothing for a portable one.
void PrepareUserFolders(const AppPaths& paths);

// The folders in use, for --help: one line each, in English.
std::string DescribeFolders(const AppPaths& paths);

} // namespace tavrin
