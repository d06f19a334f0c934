#include "core/startup/InstallLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tavrin {
namespace {

// A made-up file system: the folders and files that exist.
struct FakeSystem {
    std::set<std::string> folders;
    std::set<std::string> files;

    LayoutInputs Inputs(const std::string& exe) const {
        LayoutInputs in;
        in.executablePath = exe;
        in.home = "/home/ann";
        in.isFolder = [this](const std::string& p) { return folders.count(p) != 0; };
        in.isFile = [this](const std::string& p) { return files.count(p) != 0; };
        return in;
    }
};

TEST(InstallLayout, PortableProgramsKeepEverythingBesideThemselves) {
    FakeSystem fs;
    fs.folders = {"/usr/share/tavrin/", "/opt/tv/share/tavrin/"};
    fs.files = {"/opt/tv/bin/tavrin.ini"};
    // The build tree, an unpacked folder without share/, and an installed program made
    // portable by its own tavrin.ini.
    for (const char* exe : {"/src/tavrin/build/bin/tavrin", "/home/ann/tavrin/tavrin",
                            "/opt/tv/bin/tavrin", "/usr/lib/tavrin"}) {
        SCOPED_TRACE(exe);
        const AppPaths paths = ResolveAppPaths(fs.Inputs(exe));
        const AppPaths beside = AppPaths::BesideExecutable(exe);
        EXPECT_FALSE(paths.installed);
        EXPECT_EQ(paths.settingsFile, beside.settingsFile);
        EXPECT_EQ(paths.standardFiles, beside.standardFiles);
        EXPECT_EQ(paths.tempFolder, beside.tempFolder);
        EXPECT_EQ(paths.workFolder, "");
        EXPECT_EQ(paths.recoveryFolder, beside.recoveryFolder);
        EXPECT_EQ(paths.pluginFolders, std::vector<std::string>{beside.pluginFolder});
    }
    EXPECT_EQ(ResolveAppPaths(fs.Inputs("/opt/tv/bin/tavrin")).settingsFile,
              "/opt/tv/bin/tavrin.ini");
}

TEST(InstallLayout, InstalledProgramsUseShareAndTheUsersFolders) {
    FakeSystem fs;
    fs.folders = {"/usr/share/tavrin/"};
    LayoutInputs in = fs.Inputs("/usr/bin/tavrin");
    AppPaths paths = ResolveAppPaths(in);
    EXPECT_TRUE(paths.installed);
    EXPECT_EQ(paths.standardFiles, "/usr/share/tavrin/tavrin");
    EXPECT_EQ(paths.settingsFile, "/home/ann/.config/tavrin/tavrin.ini");
    EXPECT_EQ(paths.tempFolder, "/home/ann/.cache/tavrin/");
    EXPECT_EQ(paths.recoveryFolder, "/home/ann/.local/state/tavrin/recovery/");
    EXPECT_EQ(paths.programFolder, "/usr/bin/");
    EXPECT_EQ(paths.pluginFolders,
              (std::vector<std::string>{"/home/ann/.local/share/tavrin/plugins/",
                                        "/usr/bin/plugins/", "/usr/lib/tavrin/plugins/"}));
    EXPECT_EQ(paths.pluginFolder, "/home/ann/.local/share/tavrin/plugins/");

    // The XDG variables win when absolute; relative ones are ignored.
    in.configHome = "/cfg";
    in.dataHome = "/data/";
    in.cacheHome = "relative/cache";
    in.runtimeDir = "/run/user/1000";
    in.stateHome = "/st";
    paths = ResolveAppPaths(in);
    EXPECT_EQ(paths.recoveryFolder, "/st/tavrin/recovery/");
    EXPECT_EQ(paths.settingsFile, "/cfg/tavrin/tavrin.ini");
    EXPECT_EQ(paths.tempFolder, "/run/user/1000/tavrin/");
    EXPECT_EQ(paths.pluginFolders.front(), "/data/tavrin/plugins/");
    in.runtimeDir = "run";
    EXPECT_EQ(ResolveAppPaths(in).tempFolder, "/home/ann/.cache/tavrin/");

    // Without a home there is no settings file and no user plug-in folder.
    in = fs.Inputs("/usr/bin/tavrin");
    in.home.clear();
    paths = ResolveAppPaths(in);
    EXPECT_TRUE(paths.installed);
    EXPECT_EQ(paths.settingsFile, "");
    EXPECT_EQ(paths.tempFolder, "");
    EXPECT_EQ(paths.recoveryFolder, "");
    EXPECT_EQ(paths.pluginFolders.size(), 2u);
}

TEST(InstallLayout, PluginPathComesBeforeEveryOtherPluginFolder) {
    FakeSystem fs;
    fs.folders = {"/usr/share/tavrin/"};
    const struct {
        const char* exe;
        const char* pluginPath;
        std::vector<std::string> folders;
    } cases[] = {
        {"/usr/bin/tavrin",
         "/dev/a:/dev/b/",
         {"/dev/a/", "/dev/b/", "/home/ann/.local/share/tavrin/plugins/", "/usr/bin/plugins/",
          "/usr/lib/tavrin/plugins/"}},
        {"/usr/bin/tavrin",
         "::/dev/a::",
         {"/dev/a/", "/home/ann/.local/share/tavrin/plugins/", "/usr/bin/plugins/",
          "/usr/lib/tavrin/plugins/"}},
        {"/src/build/bin/tavrin", "rel/p", {"rel/p/", "/src/build/bin/plugins/"}},
        {"/src/build/bin/tavrin", "", {"/src/build/bin/plugins/"}},
    };
    for (const auto& c : cases) {
        LayoutInputs in = fs.Inputs(c.exe);
        in.pluginPath = c.pluginPath;
        const AppPaths paths = ResolveAppPaths(in);
        EXPECT_EQ(paths.pluginFolders, c.folders) << c.exe << " " << c.pluginPath;
        EXPECT_EQ(paths.pluginFolder, c.folders.front());
    }
}

TEST(InstallLayout, FolderDescriptionNamesEveryFolderInUse) {
    FakeSystem fs;
    fs.folders = {"/usr/share/tavrin/"};
    const std::string text = DescribeFolders(ResolveAppPaths(fs.Inputs("/usr/bin/tavrin")));
    for (const char* part : {"installed", "/home/ann/.config/tavrin/tavrin.ini",
                             "/usr/share/tavrin/", "/usr/lib/tavrin/plugins/",
                             "/home/ann/.local/share/tavrin/plugins/", "/home/ann/.cache/tavrin/"})
        EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;
    EXPECT_NE(DescribeFolders(AppPaths::BesideExecutable("/x/tavrin")).find("portable"),
              std::string::npos);
}

} // namespace
} // namespace tavrin
