#pragma once

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavrin::test {

// A private folder per test, removed with everything in it at the end: tests run in parallel.
class ToolsTestFolder {
public:
    ToolsTestFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tavrin_tools_XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~ToolsTestFolder() {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    ToolsTestFolder(const ToolsTestFolder&) = delete;
    ToolsTestFolder& operator=(const ToolsTestFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

    void WriteText(const std::string& name, const std::string& text) const {
        ASSERT_TRUE(WriteFileSafely(File(name), text.data(), text.size()));
    }
    std::string ReadText(const std::string& name) const {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(ReadWholeFile(File(name), bytes));
        return std::string(bytes.begin(), bytes.end());
    }

private:
    std::string m_path;
};

} // namespace tavrin::test
