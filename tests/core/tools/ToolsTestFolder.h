#pragma once

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
        std::filesystem::remove_all(m_path, ec);
    }

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

    void WriteText(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
    }
    std::string ReadText(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_path;
};

} // namespace tavrin::test
