#include "support/TempFolder.h"

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <cstdlib>
#include <system_error>

namespace tavrin::test {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrin_test_XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr)
        m_dir = pattern;
    EXPECT_FALSE(m_dir.empty()) << "no temporary folder";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!m_dir.empty())
        std::filesystem::remove_all(m_dir, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string path = File(name);
    EXPECT_TRUE(WriteFileSafely(path, bytes.data(), bytes.size())) << path;
    return path;
}

std::string TempFolder::WriteText(const std::string& name, const std::string& text) const {
    const std::string path = File(name);
    EXPECT_TRUE(WriteFileSafely(path, text.data(), text.size())) << path;
    return path;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
    return bytes;
}

std::vector<uint8_t> ReadBytesIfAny(const std::string& path) {
    std::vector<uint8_t> bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

std::string ReadText(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

} // namespace tavrin::test
