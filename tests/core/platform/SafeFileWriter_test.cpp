#include "core/platform/FailureText.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

class SafeFileWriterTest : public test::TempFolderTest {
protected:
    void TearDown() override {
        if (m_mounted)
            ::umount(m_dir.c_str());
    }
    static std::vector<uint8_t> Bytes(const std::string& path) {
        return test::ReadBytesIfAny(path);
    }
    // Only the named files: no temporary file may be left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    bool m_mounted = false;
};

const std::vector<uint8_t> Old = {1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<uint8_t> New = {9, 9, 9};

TEST_F(SafeFileWriterTest, ReplacesOrCarriesTheTailAndKeepsPermissions) {
    struct Case {
        ExistingTail tail;
        mode_t mode;
        std::vector<uint8_t> expected;
    };
    for (const Case& c : {Case{ExistingTail::Drop, 0640, New},
                          Case{ExistingTail::Keep, 0604, {9, 9, 9, 4, 5, 6, 7, 8}},
                          Case{ExistingTail::Keep, 0755, {9, 9, 9, 4, 5, 6, 7, 8}}}) {
        const std::string path = Path("rom.bin");
        ASSERT_TRUE(WriteFileSafely(path, Old.data(), Old.size()));
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        ASSERT_TRUE(WriteFileSafely(path, New.data(), New.size(), c.tail));
        EXPECT_EQ(Bytes(path), c.expected);
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
        EXPECT_EQ(Names(), std::vector<std::string>{"rom.bin"});
    }
    // A shorter old file has no tail to carry.
    const std::string shorter = Path("short.bin");
    ASSERT_TRUE(WriteFileSafely(shorter, New.data(), 2));
    ASSERT_TRUE(WriteFileSafely(shorter, Old.data(), Old.size(), ExistingTail::Keep));
    EXPECT_EQ(Bytes(shorter), Old);
}

// In a folder where no new file can be made, a file that may be written is written over in
// place, with the same tail rules, and nothing else appears. Root makes files anywhere, so it
// gives up its rights for the write.
TEST_F(SafeFileWriterTest, AFolderWithoutRoomForANewFileIsWrittenInPlace) {
    struct Case {
        ExistingTail tail;
        std::vector<uint8_t> expected;
    };
    for (const Case& c :
         {Case{ExistingTail::Keep, {9, 9, 9, 4, 5, 6, 7, 8}}, Case{ExistingTail::Drop, New}}) {
        const std::string path = Path("rom.bin");
        ASSERT_TRUE(WriteFileSafely(path, Old.data(), Old.size()));
        ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
        ASSERT_EQ(::chmod(m_dir.c_str(), 0555), 0);
        const bool root = ::geteuid() == 0;
        if (root) {
            ASSERT_EQ(::seteuid(65534), 0);
        }
        const FileResult written = WriteFileSafely(path, New.data(), New.size(), c.tail);
        if (root) {
            ASSERT_EQ(::seteuid(0), 0);
        }
        ASSERT_EQ(::chmod(m_dir.c_str(), 0700), 0);
        EXPECT_TRUE(written) << written.systemError;
        EXPECT_EQ(Bytes(path), c.expected);
        EXPECT_EQ(Names(), std::vector<std::string>{"rom.bin"});
    }
}

TEST_F(SafeFileWriterTest, ANewFileTakesTheUmaskAndALinkKeepsPointingAtTheSavedFile) {
    const mode_t mask = ::umask(027);
    const std::string fresh = Path("fresh.bin");
    ASSERT_TRUE(WriteFileSafely(fresh, New.data(), New.size()));
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // An absolute and a relative link to an existing file, and a link to a file not made yet.
    fs::create_directories(m_dir / "real");
    const std::string target = Path("real/game.nes");
    ASSERT_TRUE(WriteFileSafely(target, Old.data(), Old.size()));
    fs::create_symlink(target, m_dir / "abs.nes");
    fs::create_symlink("real/game.nes", m_dir / "rel.nes");
    fs::create_symlink("real/later.nes", m_dir / "dangling.nes");
    for (const char* link : {"abs.nes", "rel.nes"}) {
        ASSERT_TRUE(WriteFileSafely(Path(link), New.data(), New.size(), ExistingTail::Keep))
            << link;
        EXPECT_TRUE(fs::is_symlink(m_dir / link)) << link;
    }
    EXPECT_EQ(Bytes(target), (std::vector<uint8_t>{9, 9, 9, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(WriteFileSafely(Path("dangling.nes"), New.data(), New.size()));
    EXPECT_TRUE(fs::is_symlink(m_dir / "dangling.nes"));
    EXPECT_EQ(Bytes(Path("real/later.nes")), New);
}

TEST_F(SafeFileWriterTest, AFailureLeavesTheOldFileAndNoTemporaryFile) {
    const std::string path = Path("keep.bin");
    ASSERT_TRUE(WriteFileSafely(path, Old.data(), Old.size()));

    // A folder or a missing folder is no target.
    fs::create_directories(m_dir / "folder");
    FileResult r = WriteFileSafely(Path("folder"), New.data(), New.size());
    EXPECT_EQ(r.failure, FileFailure::NotRegular);
    r = WriteFileSafely(Path("none/x.bin"), New.data(), New.size());
    EXPECT_EQ(r.failure, FileFailure::WriteFailed);
    EXPECT_EQ(r.systemError, ENOENT);
    EXPECT_EQ(r.path, Path("none/x.bin"));

    // A write that stops part-way (the file-size limit stands in for a full disk).
    const std::vector<uint8_t> big(64 * 1024, 0xAB);
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    r = WriteFileSafely(path, big.data(), big.size(), ExistingTail::Keep);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(r.failure, FileFailure::WriteFailed);
    EXPECT_EQ(r.systemError, EFBIG);
    EXPECT_EQ(Bytes(path), Old);
    EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "keep.bin"}));
}

TEST_F(SafeFileWriterTest, AFullDiskLeavesTheOldFile) {
    if (::mount("tavrin", m_dir.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here: " << std::strerror(errno);
    m_mounted = true;
    const std::string path = Path("rom.bin");
    const std::vector<uint8_t> half(32 * 1024, 0x11);
    ASSERT_TRUE(WriteFileSafely(path, half.data(), half.size()));
    const std::vector<uint8_t> more(48 * 1024, 0x22);
    const FileResult r = WriteFileSafely(path, more.data(), more.size());
    EXPECT_EQ(r.failure, FileFailure::WriteFailed);
    EXPECT_EQ(r.systemError, ENOSPC);
    EXPECT_EQ(Bytes(path), half);
    EXPECT_EQ(Names(), std::vector<std::string>{"rom.bin"});
}

TEST(FileResult, DescriptionsSayWhatFailedInPlainWords) {
    struct Case {
        FileResult result;
        const char* subject;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {FileResult::Ok("a"), "file", ""},
        {FileResult::Fail(FileFailure::NotFound, "a"), "file", "no such file"},
        {FileResult::Fail(FileFailure::NotRegular, "a"), "image",
         "not a regular image (a folder, a pipe or a device)"},
        {FileResult::Fail(FileFailure::TooLarge, "a"), "file",
         "the file is too large (2 GiB at most)"},
        {FileResult::Fail(FileFailure::ReadFailed, "a", EACCES), "file",
         std::string("cannot read the file: ") + std::strerror(EACCES)},
        {FileResult::Fail(FileFailure::WriteFailed, "a", ENOSPC), "image",
         std::string("cannot write the image: ") + std::strerror(ENOSPC)},
        {FileResult::Fail(FileFailure::WriteFailed, "a"), "file", "cannot write the file"},
        {FileResult::Fail(FileFailure::Malformed, "a"), "file",
         "the file is damaged or of another kind"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DescribeFailure(c.result, c.subject), c.expected);
    // Reading tells a missing file, a folder and an unreadable one apart.
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile("/no/such/file", bytes).failure, FileFailure::NotFound);
    EXPECT_EQ(ReadWholeFile(fs::temp_directory_path().string(), bytes).failure,
              FileFailure::NotRegular);
    EXPECT_EQ(ProbeReadable("").failure, FileFailure::NotFound);
}

} // namespace
