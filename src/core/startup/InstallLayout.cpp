#include "core/startup/InstallLayout.h"

#include "core/platform/FileIO.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace tavrin {

namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// $XDG_... when it is an absolute path, else home + fallback, else "".
std::string UserFolder(const std::string& xdgValue, const std::string& home, const char* fallback) {
    if (!xdgValue.empty() && xdgValue.front() == '/')
        return WithSlash(xdgValue);
    if (!home.empty() && home.front() == '/')
        return WithSlash(home) + fallback;
    return {};
}

// "/usr/bin/" -> "/usr/", or "" when the folder is not named "bin".
std::string PrefixOfBin(const std::string& exeDir) {
    const std::string suffix = "/bin/";
    if (exeDir.size() < suffix.size() ||
        exeDir.compare(exeDir.size() - suffix.size(), suffix.size(), suffix) != 0)
        return {};
    return exeDir.substr(0, exeDir.size() - suffix.size() + 1);
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The folders of a ':'-separated list, each with a trailing '/'; empty entries are left out.
std::vector<std::string> FolderList(const std::string& list) {
    std::vector<std::string> folders;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(':', start), list.size());
        if (end > start)
            folders.push_back(WithSlash(list.substr(start, end - start)));
        start = end + 1;
    }
    return folders;
}

AppPaths LayoutWithoutPluginPath(const LayoutInputs& inputs) {
    const AppPaths portable = AppPaths::BesideExecutable(inputs.executablePath);
    const std::string exeDir = DirectoryPart(inputs.executablePath);
    const std::string prefix = PrefixOfBin(exeDir);
    if (prefix.empty())
        return portable;
    const std::string share = prefix + "share/tavrin/";
    if (!inputs.isFolder || !inputs.isFolder(share))
        return portable;
    // A settings file beside an installed program keeps it portable.
    if (inputs.isFile && inputs.isFile(portable.settingsFile))
        return portable;

    AppPaths paths;
    paths.installed = true;
    paths.programFolder = exeDir;
    paths.standardFiles = share + "tavrin";
    paths.workFolder = "";
    const std::string config = UserFolder(inputs.configHome, inputs.home, ".config/");
    // Without a home there is nowhere to keep settings: defaults, nothing written.
    paths.settingsFile = config.empty() ? "" : config + "tavrin/tavrin.ini";
    const std::string state = UserFolder(inputs.stateHome, inputs.home, ".local/state/");
    paths.recoveryFolder = state.empty() ? "" : state + "tavrin/recovery/";
    if (!inputs.runtimeDir.empty() && inputs.runtimeDir.front() == '/')
        paths.tempFolder = WithSlash(inputs.runtimeDir) + "tavrin/";
    else {
        const std::string cache = UserFolder(inputs.cacheHome, inputs.home, ".cache/");
        paths.tempFolder = cache.empty() ? "" : cache + "tavrin/";
    }
    // The user's own plug-ins come before those installed with the program.
    const std::string data = UserFolder(inputs.dataHome, inputs.home, ".local/share/");
    if (!data.empty())
        paths.pluginFolders.push_back(data + "tavrin/plugins/");
    paths.pluginFolders.push_back(exeDir + "plugins/");
    paths.pluginFolders.push_back(prefix + "lib/tavrin/plugins/");
    return paths;
}

} // namespace

AppPaths ResolveAppPaths(const LayoutInputs& inputs) {
    AppPaths paths = LayoutWithoutPluginPath(inputs);
    std::vector<std::string> folders = FolderList(inputs.pluginPath);
    folders.insert(folders.end(), paths.pluginFolders.begin(), paths.pluginFolders.end());
    paths.pluginFolders = std::move(folders);
    paths.pluginFolder = paths.pluginFolders.empty() ? "" : paths.pluginFolders.front();
    return paths;
}

LayoutInputs SystemLayoutInputs(const std::string& executablePath) {
    LayoutInputs inputs;
    inputs.executablePath = executablePath;
    inputs.home = Environment("HOME");
    inputs.configHome = Environment("XDG_CONFIG_HOME");
    inputs.dataHome = Environment("XDG_DATA_HOME");
    inputs.cacheHome = Environment("XDG_CACHE_HOME");
    inputs.stateHome = Environment("XDG_STATE_HOME");
    inputs.runtimeDir = Environment("XDG_RUNTIME_DIR");
    inputs.pluginPath = Environment("TAVRIN_PLUGIN_PATH");
    inputs.isFolder = [](const std::string& path) { return KindOfPath(path) == PathKind::Folder; };
    inputs.isFile = [](const std::string& path) {
        return KindOfPath(path) == PathKind::RegularFile;
    };
    return inputs;
}

void PrepareUserFolders(const AppPaths& paths) {
    if (!paths.installed || paths.settingsFile.empty())
        return;
    const std::string folder = DirectoryPart(paths.settingsFile);
    std::error_code error;
    if (std::filesystem::create_directories(folder, error))
        chmod(folder.c_str(), 0700);
}

std::string DescribeFolders(const AppPaths& paths) {
    std::string text = paths.installed ? "Folders in use (installed):\n"
                                       : "Folders in use (portable, beside the program):\n";
    text +=
        "  settings:        " + (paths.settingsFile.empty() ? "(none)" : paths.settingsFile) + "\n";
    text += "  standard files:  " + DirectoryPart(paths.standardFiles) +
            " (tavrin.pal, .dat, .adf, .chr, .htm)\n";
    text += "  plug-ins:        ";
    for (size_t i = 0; i < paths.pluginFolders.size(); ++i)
        text += (i ? "\n                   " : "") + paths.pluginFolders[i];
    if (paths.pluginFolders.empty())
        text += "(none)";
    text +=
        "\n  temporary files: " + (paths.tempFolder.empty() ? "(none)" : paths.tempFolder) + "\n";
    text +=
        "  recovery files:  " + (paths.recoveryFolder.empty() ? "(none)" : paths.recoveryFolder) +
        "\n";
    return text;
}

} // namespace tavrin
