#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavrin::test {

// A private folder, removed with everything in it at the end: tests run in parallel, also
// from several build folders at once.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Dir() const { return m_dir; }
    std::string Path() const { return m_dir.string(); }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }

    // Writes the file (through the program's writer) and returns its path.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::string WriteText(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path m_dir;
};

// The whole file; a failure to read it fails the test.
std::vector<uint8_t> ReadBytes(const std::string& path);
// The whole file, or nothing when it cannot be read (for files that may be missing).
std::vector<uint8_t> ReadBytesIfAny(const std::string& path);
std::string ReadText(const std::string& path);

// A test with a folder of its own.
class TempFolderTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_temp.File(name); }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        return m_temp.Write(name, bytes);
    }
    std::string WriteText(const std::string& name, const std::string& text) const {
        return m_temp.WriteText(name, text);
    }
    static std::vector<uint8_t> Read(const std::string& path) { return ReadBytes(path); }

    TempFolder m_temp;
    const std::filesystem::path m_dir = m_temp.Dir();
};

} // namespace tavrin::test
