#include "core/tools/ToolTempFolder.h"

#include "core/tools/ToolsTestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sys/stat.h>

using namespace tavrin;
using tavrin::test::ToolsTestFolder;

namespace {

TEST(ChooseTempFolder, TakesTheFirstWritableCandidate) {
    EXPECT_EQ(ChooseTempFolder({{"/opt/t/", true}, {"/run/u/tavrin/", true}}), "/opt/t/");
    EXPECT_EQ(ChooseTempFolder(
                  {{"/opt/t/", false}, {"/run/u/tavrin/", true}, {"/home/u/.cache/tavrin/", true}}),
              "/run/u/tavrin/");
    EXPECT_EQ(
        ChooseTempFolder(
            {{"/opt/t/", false}, {"/run/u/tavrin/", false}, {"/home/u/.cache/tavrin/", true}}),
        "/home/u/.cache/tavrin/");
    EXPECT_EQ(ChooseTempFolder({{"/opt/t/", false}, {"", true}}), "");
    EXPECT_EQ(ChooseTempFolder({}), "");
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(ToolTempBitmapPath, BesideTheProgramWhenItsFolderIsWritable) {
    ToolsTestFolder exe;
    EXPECT_EQ(ToolTempBitmapPath(exe.Path()), exe.Path() + "/temp.bmp");
    EXPECT_EQ(ToolTempBitmapPath(exe.Path() + "/"), exe.Path() + "/temp.bmp");
}

TEST(ToolTempBitmapPath, InTheRuntimeThenTheCacheFolderWhenTheProgramsIsNot) {
    ToolsTestFolder runtime;
    ToolsTestFolder cache;
    ScopedEnvironment runtimeDir("XDG_RUNTIME_DIR", runtime.Path());
    ScopedEnvironment cacheHome("XDG_CACHE_HOME", cache.Path());
    const std::string missing = runtime.Path() + "/no/such/program/folder/";

    const std::vector<TempFolderCandidate> candidates = SystemTempFolderCandidates(missing);
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_FALSE(candidates[0].writable);
    EXPECT_EQ(candidates[1].folder, runtime.Path() + "/tavrin/");
    EXPECT_EQ(candidates[2].folder, cache.Path() + "/tavrin/");

    EXPECT_EQ(ToolTempBitmapPath(missing), runtime.Path() + "/tavrin/temp.bmp");
    struct stat info {};
    ASSERT_EQ(stat((runtime.Path() + "/tavrin").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A runtime folder that is a file, not a folder, passes to the cache.
    runtime.WriteText("blocked", "");
    ScopedEnvironment blocked("XDG_RUNTIME_DIR", runtime.File("blocked"));
    EXPECT_EQ(ToolTempBitmapPath(missing), cache.Path() + "/tavrin/temp.bmp");

    // Nothing writable: the usual place, where writing then fails.
    ScopedEnvironment noCache("XDG_CACHE_HOME", runtime.File("blocked"));
    ScopedEnvironment noHome("HOME", "");
    EXPECT_EQ(ToolTempBitmapPath(missing), missing + "temp.bmp");
}

} // namespace
