#include "core/platform/FileIO.h"
#include "core/platform/SafeFileStream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

class SafeFileStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tavrin_stream_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::vector<uint8_t> Bytes(const std::string& name) const {
        std::vector<uint8_t> bytes;
        ReadWholeFile(Path(name), bytes);
        return bytes;
    }
    size_t Entries() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir), {}));
    }
    fs::path m_dir;
};

const std::vector<uint8_t> Old = {1, 2, 3, 4, 5, 6, 7, 8};

} // namespace

// Pieces arrive in the target only at the commit, with the old tail carried or dropped and
// the old permissions kept.
TEST_F(SafeFileStreamTest, PiecesReplaceTheFileAtTheCommit) {
    struct Case {
        ExistingTail tail;
        std::vector<uint8_t> expected;
    };
    for (const Case& c : {Case{ExistingTail::Drop, {9, 9, 7}},
                          Case{ExistingTail::Keep, {9, 9, 7, 4, 5, 6, 7, 8}}}) {
        ASSERT_TRUE(WriteFileSafely(Path("f.bin"), Old.data(), Old.size()));
        ASSERT_EQ(::chmod(Path("f.bin").c_str(), 0604), 0);
        SafeFileStream stream;
        ASSERT_TRUE(stream.Open(Path("f.bin")));
        ASSERT_TRUE(stream.Write(std::vector<uint8_t>{9, 9}));
        ASSERT_TRUE(stream.Write(std::vector<uint8_t>{7}));
        EXPECT_EQ(Bytes("f.bin"), Old) << "nothing shows before the commit";
        EXPECT_EQ(Entries(), 2u) << "the temporary file lies beside the target";
        ASSERT_TRUE(stream.Commit(c.tail));
        EXPECT_EQ(Bytes("f.bin"), c.expected);
        struct stat st {};
        ASSERT_EQ(::stat(Path("f.bin").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0604u);
        EXPECT_EQ(Entries(), 1u);
    }
}

// A stream given up part-way (an error, an exception) leaves the old file and no trace.
TEST_F(SafeFileStreamTest, AStreamNotCommittedLeavesTheOldFile) {
    ASSERT_TRUE(WriteFileSafely(Path("f.bin"), Old.data(), Old.size()));
    {
        SafeFileStream stream;
        ASSERT_TRUE(stream.Open(Path("f.bin")));
        ASSERT_TRUE(stream.Write(std::vector<uint8_t>(100000, 0xEE)));
    }
    EXPECT_EQ(Bytes("f.bin"), Old);
    EXPECT_EQ(Entries(), 1u);

    fs::create_directories(m_dir / "folder");
    SafeFileStream folder;
    EXPECT_EQ(folder.Open(Path("folder")).failure, FileFailure::NotRegular);
    EXPECT_FALSE(folder.Write(Old));
    EXPECT_EQ(folder.Commit().failure, FileFailure::NotRegular);
    SafeFileStream nowhere;
    const FileResult r = nowhere.Open(Path("none/x.bin"));
    EXPECT_EQ(r.failure, FileFailure::WriteFailed);
    EXPECT_EQ(r.systemError, ENOENT);
}

TEST_F(SafeFileStreamTest, PrefixReadsStopAtTheLimitAndKindsAreNamed) {
    ASSERT_TRUE(WriteFileSafely(Path("f.bin"), Old.data(), Old.size()));
    std::vector<uint8_t> bytes = {42};
    ASSERT_TRUE(ReadFilePrefix(Path("f.bin"), bytes, 3));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));
    ASSERT_TRUE(ReadFilePrefix(Path("f.bin"), bytes, 100));
    EXPECT_EQ(bytes, Old);
    EXPECT_EQ(ReadFilePrefix(Path("none"), bytes, 3).failure, FileFailure::NotFound);
    EXPECT_TRUE(bytes.empty());

    fs::create_directories(m_dir / "folder");
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(ReadFilePrefix(Path("pipe"), bytes, 3).failure, FileFailure::NotRegular);
    struct Case {
        std::string path;
        PathKind kind;
    };
    for (const Case& c :
         {Case{Path("f.bin"), PathKind::RegularFile}, Case{Path("none"), PathKind::Missing},
          Case{Path("none/deeper"), PathKind::Missing},
          Case{Path("f.bin/deeper"), PathKind::Missing}, Case{Path("folder"), PathKind::Folder},
          Case{Path("pipe"), PathKind::Pipe}, Case{"/dev/null", PathKind::Device},
          Case{"", PathKind::Missing}})
        EXPECT_EQ(KindOfPath(c.path), c.kind) << c.path;
}
