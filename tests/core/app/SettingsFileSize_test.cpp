#include "core/app/CIniInfo.h"

#include "core/platform/FileIO.h"
#include "core/platform/IniFile.h"
#include "core/platform/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace tavrin;
namespace fs = std::filesystem;

// A settings file is read when it is at most 1 MiB; a larger one is neither read nor written
// over at exit, and the window is given a warning naming it.
TEST(SettingsFileSize, ALargerFileIsLeftAloneWithAWarning) {
    const std::string path =
        (fs::temp_directory_path() / ("tavrin_big_" + std::to_string(::getpid()) + ".ini"))
            .string();
    const std::string head = "[Tavrin]\nGridType=2\n;";
    for (const size_t size : {IniFile::MaxFileBytes, IniFile::MaxFileBytes + 1}) {
        std::string text = head;
        text.resize(size, 'x'); // one long comment line
        ASSERT_TRUE(WriteFileSafely(path, text.data(), text.size()));
        const bool fits = size <= IniFile::MaxFileBytes;
        SCOPED_TRACE(fits ? "1 MiB" : "1 MiB and a byte");

        IniFile ini;
        EXPECT_EQ(ini.Load(path), fits);
        CIniInfo settings;
        EXPECT_EQ(settings.SetPath(path), fits);
        EXPECT_EQ(settings.GridType, fits ? 2 : 0);
        if (fits) {
            EXPECT_EQ(settings.Warning(), "");
            continue;
        }
        EXPECT_NE(settings.Warning().find("1 MiB"), std::string::npos);
        EXPECT_EQ(settings.Warning().substr(settings.Warning().size() - path.size()), path);
        settings.GridType = 3;
        EXPECT_FALSE(settings.Write());
        std::vector<uint8_t> after;
        ASSERT_TRUE(ReadWholeFile(path, after));
        EXPECT_EQ(after.size(), text.size()) << "the file stays as it was";
    }
    fs::remove(path);
}
