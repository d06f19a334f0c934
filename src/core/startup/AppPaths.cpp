#include "core/startup/AppPaths.h"

#include "core/platform/FileIO.h"
#include "core/platform/ProgramPath.h"

namespace tavrin {

AppPaths AppPaths::BesideExecutable(const std::string& executablePath) {
    AppPaths paths;
    paths.settingsFile = NamedLikeExecutable(".ini", executablePath);
    paths.standardFiles = ReplaceExtension(executablePath, "");
    paths.workFolder = "";
    paths.tempFolder = DirectoryPart(executablePath);
    paths.pluginFolder = DirectoryPart(executablePath) + "plugins/";
    paths.pluginFolders = {paths.pluginFolder};
    paths.programFolder = DirectoryPart(executablePath);
    paths.recoveryFolder = DirectoryPart(executablePath) + "recovery/";
    return paths;
}

AppPaths AppPaths::InFolder(const std::string& folder) {
    AppPaths paths = BesideExecutable(folder + "tavrin");
    paths.pluginFolder.clear();
    paths.pluginFolders.clear();
    return paths;
}

} // namespace tavrin
