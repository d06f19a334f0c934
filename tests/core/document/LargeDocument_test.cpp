#include "core/document/RomDocument.h"

#include "core/platform/FileIO.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

constexpr int Big = 64 << 20; // read through a mapping
constexpr int MiB = 1 << 20;

// Sparse files with a few marked bytes, in a folder of their own.
class LargeDocument : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tavrin_large_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Sparse(const std::string& name, uintmax_t size) const {
        const std::string path = (m_dir / name).string();
        std::ofstream(path).close();
        fs::resize_file(path, size);
        for (const long long at : {0LL, 5LL * MiB + 3, static_cast<long long>(size) - 1})
            if (at < static_cast<long long>(size))
                Poke(path, at, static_cast<uint8_t>(0x40 + at % 97));
        return path;
    }
    static void Poke(const std::string& path, long long at, uint8_t value) {
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, &value, 1, at), 1);
        ::close(fd);
    }
    static int ByteOf(const std::string& path, long long at) {
        uint8_t value = 0;
        const int fd = ::open(path.c_str(), O_RDONLY);
        const ssize_t n = ::pread(fd, &value, 1, at);
        ::close(fd);
        return n == 1 ? value : -1;
    }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

long long ResidentBytes() {
    long long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

} // namespace

// The largest file opens as a plain read would show it, and costs memory only for the pages
// looked at: the mapping reads nothing more than a few pages here.
TEST_F(LargeDocument, OpensWithoutReadingTheWholeFile) {
    for (const uintmax_t size :
         {static_cast<uintmax_t>(Big), static_cast<uintmax_t>(RomDocument::MaxDataSize)}) {
        const std::string path = Sparse("big.bin", size);
        RomDocument doc;
        const long long before = ResidentBytes();
        ASSERT_TRUE(doc.ReadRom(path));
        EXPECT_EQ(doc.DataSize(), static_cast<long long>(size));
        EXPECT_EQ(doc.Data()[0], 0x40);
        EXPECT_EQ(doc.Data()[5 * MiB + 3], 0x40 + (5 * MiB + 3) % 97);
        EXPECT_EQ(doc.Data()[size - 1], 0x40 + (size - 1) % 97);
        EXPECT_EQ(doc.Data()[size], 0); // the buffer past the data
        EXPECT_EQ(doc.Data()[doc.BufferSize() - 1], 0);
        EXPECT_EQ(doc.LastChangeFrom(static_cast<int>(size)), -1);
        EXPECT_LT(ResidentBytes() - before, 16 * MiB) << size;
        EXPECT_FALSE(doc.SourceChanged());
        ASSERT_TRUE(doc.ExtendTo(static_cast<int>(
                        std::min<uintmax_t>(size + 100, RomDocument::MaxDataSize))) ||
                    size == RomDocument::MaxDataSize);
        EXPECT_EQ(doc.Data()[size - 1], 0x40 + (size - 1) % 97);
    }
}

// Edits stay the program's own: the file is unchanged until a save, which writes every byte.
TEST_F(LargeDocument, SavesEveryByteWithTheEdits) {
    const std::string path = Sparse("big.bin", Big);
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(path));
    doc.Data()[7 * MiB] = 0xA5;
    doc.Data()[Big - 2] = 0x5A;
    EXPECT_EQ(ByteOf(path, 7 * MiB), 0);
    for (const std::string& target : {PathOf("copy.bin"), path}) {
        SCOPED_TRACE(target);
        ASSERT_TRUE(doc.WriteRom(target, false));
        EXPECT_EQ(fs::file_size(target), static_cast<uintmax_t>(Big));
        for (const auto& [at, value] :
             std::vector<std::pair<long long, int>>{{0, 0x40},
                                                    {5 * MiB + 3, 0x40 + (5 * MiB + 3) % 97},
                                                    {7 * MiB, 0xA5},
                                                    {Big - 2, 0x5A},
                                                    {Big - 1, 0x40 + (Big - 1) % 97},
                                                    {Big / 2, 0}})
            EXPECT_EQ(ByteOf(target, at), value) << at;
    }
    EXPECT_FALSE(doc.SourceChanged());
}

// Another program cuts or rewrites the file underneath: reading never crashes (lost pages read
// zeros), saving over the file is refused with the reason and writes nothing, the edits are
// kept for a save under another name.
TEST_F(LargeDocument, FileChangedUnderneathLosesNoEdit) {
    for (const bool cut : {true, false}) {
        SCOPED_TRACE(cut ? "cut" : "rewritten");
        const std::string path = Sparse("big.bin", Big);
        RomDocument doc;
        ASSERT_TRUE(doc.ReadRom(path));
        doc.Data()[40 * MiB] = 0x77; // edited before the change
        if (cut)
            fs::resize_file(path, MiB);
        else
            Poke(path, 30 * MiB, 0x99);
        EXPECT_TRUE(doc.SourceChanged());
        int sum = 0;
        for (long long at = 0; at < Big; at += 4096)
            sum += doc.Data()[at];
        EXPECT_EQ(doc.Data()[40 * MiB], 0x77);
        EXPECT_GT(sum, 0);
        const FileResult over = doc.WriteRom(path, false);
        EXPECT_EQ(over.failure, FileFailure::ChangedOutside);
        EXPECT_EQ(fs::file_size(path), cut ? static_cast<uintmax_t>(MiB) : Big);
        const std::string copy = PathOf("saved.bin");
        ASSERT_TRUE(doc.WriteRom(copy, false));
        EXPECT_EQ(ByteOf(copy, 40 * MiB), 0x77);
        EXPECT_EQ(ByteOf(copy, 0), 0x40);
        EXPECT_EQ(ByteOf(copy, Big - 1), cut ? 0 : 0x40 + (Big - 1) % 97);
    }
}

// Small files are read whole: what another program does to them afterwards changes nothing.
TEST_F(LargeDocument, SmallFilesAreReadWhole) {
    const std::string path = Sparse("small.bin", 3 * MiB);
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(path));
    fs::resize_file(path, 10);
    EXPECT_FALSE(doc.SourceChanged());
    EXPECT_EQ(doc.Data()[3 * MiB - 1], 0x40 + (3 * MiB - 1) % 97);
    EXPECT_TRUE(doc.WriteRom(path, false));
    EXPECT_EQ(fs::file_size(path), static_cast<uintmax_t>(3 * MiB));
}
