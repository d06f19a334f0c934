// The safe writer's system calls, seen through link-time wrappers (-Wl,--wrap): a save survives
// a crash only when the content is written and synced before the rename, and the folder is
// synced after it.
#include "core/platform/SafeFileWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool g_recording = false;
std::vector<std::string> g_calls;
std::vector<int> g_writtenFds;
int g_syncedFd = -1;

bool IsFolder(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

// Consecutive writes count as one step.
void Record(const std::string& call) {
    if (g_calls.empty() || g_calls.back() != call || call != "write")
        g_calls.push_back(call);
}

} // namespace

extern "C" {
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_fsync(int fd);
int __real_rename(const char* from, const char* to);

ssize_t __wrap_write(int fd, const void* data, size_t size) {
    if (g_recording) {
        Record("write");
        g_writtenFds.push_back(fd);
    }
    return __real_write(fd, data, size);
}

int __wrap_fsync(int fd) {
    if (g_recording) {
        const bool folder = IsFolder(fd);
        Record(folder ? "sync folder" : "sync");
        if (!folder)
            g_syncedFd = fd;
    }
    return __real_fsync(fd);
}

int __wrap_rename(const char* from, const char* to) {
    if (g_recording)
        Record("rename");
    return __real_rename(from, to);
}
}

namespace tavrin {
namespace {

TEST(SafeFileWriterOrder, WritesSyncsRenamesThenSyncsTheFolder) {
    const test::TempFolder folder;
    const std::vector<uint8_t> content(5000, 0x5A);
    const struct {
        const char* name;
        std::vector<uint8_t> old; // empty: no file yet
        ExistingTail tail;
    } cases[] = {
        {"new file", {}, ExistingTail::Drop},
        {"shorter old file", std::vector<uint8_t>(10, 1), ExistingTail::Keep},
        {"longer old file, tail kept", std::vector<uint8_t>(9000, 2), ExistingTail::Keep},
        {"longer old file, tail dropped", std::vector<uint8_t>(9000, 3), ExistingTail::Drop},
    };
    for (const auto& c : cases) {
        const std::string path = folder.File(std::string(c.name) + ".bin");
        if (!c.old.empty())
            folder.Write(std::string(c.name) + ".bin", c.old);
        g_calls.clear();
        g_writtenFds.clear();
        g_syncedFd = -1;
        g_recording = true;
        const FileResult result = WriteFileSafely(path, content, c.tail);
        g_recording = false;
        ASSERT_TRUE(result) << c.name;
        EXPECT_EQ(g_calls, (std::vector<std::string>{"write", "sync", "rename", "sync folder"}))
            << c.name;
        // The file synced is the one written.
        ASSERT_FALSE(g_writtenFds.empty()) << c.name;
        EXPECT_EQ(g_syncedFd, g_writtenFds.back()) << c.name;
    }
}

} // namespace
} // namespace tavrin
