#include "core/settings/CIniInfo.h"

#include "core/platform/FileIO.h"
#include "core/platform/IniFile.h"
#include "core/platform/SafeFileWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace tavrin;

// A settings file of 1 MiB is read; a larger one is neither read nor written over at exit,
// and the window is given a warning naming it.
TEST(SettingsFileSize, ALargerFileIsLeftAloneWithAWarning) {
    const test::TempFolder folder;
    const std::string path = folder.File("big.ini");
    for (const size_t size : {IniFile::MaxFileBytes, IniFile::MaxFileBytes + 1}) {
        std::string text = "[Tavrin]\nGridType=2\n;"; // then one long comment
        text.resize(size, 'x');
        ASSERT_TRUE(WriteFileSafely(path, text.data(), text.size()));
        const bool fits = size <= IniFile::MaxFileBytes;
        CIniInfo settings;
        EXPECT_EQ(settings.SetPath(path), fits);
        EXPECT_EQ(settings.GridType, fits ? 2 : 0);
        EXPECT_EQ(settings.Warning().empty(), fits);
        EXPECT_EQ(settings.Warning().find(path) == std::string::npos, fits);
        settings.GridType = 3;
        EXPECT_EQ(static_cast<bool>(settings.Write()), fits);
        std::vector<uint8_t> after;
        ASSERT_TRUE(ReadWholeFile(path, after));
        EXPECT_EQ(after.size() == text.size(), !fits) << "only the readable file is written";
    }
    std::filesystem::remove(path);
}
