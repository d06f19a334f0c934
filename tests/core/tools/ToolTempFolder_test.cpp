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
    EXPECT_EQ(ChooseTempFolder({{"/opt/t/", false}, {"/run/tavrin/", false}, {"/c/tavrin/", true}}),
              "/c/tavrin/");
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

TEST(ToolTempBitmapPath, BesideTheProgramElseInTheRuntimeThenTheCacheFolder) {
    ToolsTestFolder exe, runtime, cache;
    EXPECT_EQ(ToolTempBitmapPath(exe.Path()), exe.Path() + "/temp.bmp");

    ScopedEnvironment runtimeDir("XDG_RUNTIME_DIR", runtime.Path());
    ScopedEnvironment cacheHome("XDG_CACHE_HOME", cache.Path());
    const std::string missing = runtime.Path() + "/no/such/program/folder/";
    EXPECT_EQ(ToolTempBitmapPath(missing), runtime.Path() + "/tavrin/temp.bmp");
    struct stat info {};
    ASSERT_EQ(stat((runtime.Path() + "/tavrin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A runtime "folder" that is a file passes to the cache; with nothing writable the
    // bitmap stays beside the program, where writing it then fails.
    runtime.WriteText("file", "");
    ScopedEnvironment blocked("XDG_RUNTIME_DIR", runtime.File("file"));
    EXPECT_EQ(ToolTempBitmapPath(missing), cache.Path() + "/tavrin/temp.bmp");
    ScopedEnvironment noCache("XDG_CACHE_HOME", runtime.File("file"));
    EXPECT_EQ(ToolTempBitmapPath(missing), missing + "temp.bmp");
}

} // namespace
