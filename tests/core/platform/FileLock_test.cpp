#include "core/platform/FileIO.h"
#include "core/platform/FileLock.h"
#include "core/platform/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <unistd.h>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

std::string TempPath(const char* name) {
    return (fs::temp_directory_path() / ("tavrin_lock_" + std::to_string(::getpid()) + name))
        .string();
}

} // namespace

// A second writer waits for the first; once the first has renamed a new file over the old
// one, the second holds the new file, not the replaced one.
TEST(FileLock, ASecondHolderWaitsAndThenHoldsTheReplacedFile) {
    const std::string path = TempPath("rom.bin");
    ASSERT_TRUE(WriteFileSafely(path, std::vector<uint8_t>{1}));
    FileLock first;
    ASSERT_TRUE(first.Acquire(path));

    std::atomic<bool> granted = false;
    std::vector<uint8_t> seen;
    std::thread second([&] {
        FileLock lock;
        ASSERT_TRUE(lock.Acquire(path));
        granted = true;
        ReadWholeFile(path, seen);
    });
    // Nothing to wait on but the lock: the second thread cannot get it while it is held.
    for (int i = 0; i < 50; ++i) {
        std::this_thread::yield();
        ::usleep(1000);
    }
    EXPECT_FALSE(granted);
    ASSERT_TRUE(WriteFileSafely(path, std::vector<uint8_t>{2}));
    first.Release();
    second.join();
    EXPECT_TRUE(granted);
    EXPECT_EQ(seen, std::vector<uint8_t>{2});
    fs::remove(path);
}

TEST(FileLock, OnlyAnExistingRegularFileIsLocked) {
    FileLock lock;
    EXPECT_EQ(lock.Acquire(TempPath("missing")).failure, FileFailure::NotFound);
    EXPECT_EQ(lock.Acquire(fs::temp_directory_path().string()).failure, FileFailure::NotRegular);
    EXPECT_FALSE(lock.Held());
}
