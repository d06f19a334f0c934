#pragma once

// Test helper: a folder of plug-in files made for one test and removed after it, filled with
// copies of the built sample plug-ins and of the broken ones built for the loader's tests.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tavrin::test {

inline std::string SamplePlugin(const std::string& name) {
    return std::string(TAVRIN_BIN_DIR) + "/plugin-samples/" + name + ".so";
}

inline std::string TestPlugin(const std::string& name) {
    return std::string(TAVRIN_BIN_DIR) + "/plugin-tests/" + name + ".so";
}

class PluginFolder : public TempFolder {
public:
    // With the trailing slash folder settings take.
    std::string Path() const { return TempFolder::Path() + "/"; }
    std::string PathOf(const std::string& name) const { return File(name); }

    // Copies a built library under the given file name (replacing a file of that name by a
    // new one, as an update would) and returns its path in the folder.
    std::string Copy(const std::string& built, const std::string& name) {
        const std::filesystem::path to = Dir() / name;
        std::filesystem::remove(to);
        EXPECT_TRUE(std::filesystem::copy_file(built, to)) << built;
        return to.string();
    }
    std::string Write(const std::string& name, const std::string& contents) {
        std::ofstream(Dir() / name, std::ios::binary) << contents;
        return File(name);
    }
    void MakeFolder(const std::string& name) { std::filesystem::create_directories(Dir() / name); }
};

} // namespace tavrin::test
