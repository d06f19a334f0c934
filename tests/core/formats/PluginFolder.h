#pragma once

// Test helper: a folder of plug-in files made for one test and removed after it, filled with
// copies of the built sample plug-ins and of the broken ones built for the loader's tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace tavrin::test {

inline std::string SamplePlugin(const std::string& name) {
    return std::string(TAVRIN_BIN_DIR) + "/plugin-samples/" + name + ".so";
}

inline std::string TestPlugin(const std::string& name) {
    return std::string(TAVRIN_BIN_DIR) + "/plugin-tests/" + name + ".so";
}

class PluginFolder {
public:
    PluginFolder() {
        static int serial = 0;
        m_dir = std::filesystem::temp_directory_path() /
                ("tavrin_plugins_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    ~PluginFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    PluginFolder(const PluginFolder&) = delete;
    PluginFolder& operator=(const PluginFolder&) = delete;

    std::string Path() const { return m_dir.string() + "/"; }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    // Copies a built library under the given file name (replacing a file of that name by a
    // new one, as an update would) and returns its path in the folder.
    std::string Copy(const std::string& built, const std::string& name) {
        const std::filesystem::path to = m_dir / name;
        std::filesystem::remove(to);
        EXPECT_TRUE(std::filesystem::copy_file(built, to)) << built;
        return to.string();
    }
    std::string Write(const std::string& name, const std::string& contents) {
        std::ofstream(m_dir / name, std::ios::binary) << contents;
        return (m_dir / name).string();
    }
    void MakeFolder(const std::string& name) { std::filesystem::create_directories(m_dir / name); }

private:
    std::filesystem::path m_dir;
};

} // namespace tavrin::test
