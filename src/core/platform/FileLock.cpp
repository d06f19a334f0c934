#include "core/platform/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin {

FileLock::~FileLock() {
    Release();
}

void FileLock::Release() {
    // Closing the descriptor gives the lock up.
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

FileResult FileLock::Acquire(const std::string& path) {
    Release();
    for (;;) {
        // Without waiting for a writer, as a pipe's open would.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            const int error = errno;
            if (error == ENOENT || error == ENOTDIR || path.empty())
                return FileResult::Fail(FileFailure::NotFound, path);
            return FileResult::Fail(FileFailure::ReadFailed, path, error);
        }
        struct stat locked {};
        if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
            const bool folder = S_ISDIR(locked.st_mode);
            ::close(fd);
            return FileResult::Fail(FileFailure::NotRegular, path, folder ? EISDIR : 0);
        }
        int granted;
        do
            granted = ::flock(fd, LOCK_EX);
        while (granted != 0 && errno == EINTR);
        if (granted != 0) {
            const int error = errno;
            ::close(fd);
            return FileResult::Fail(FileFailure::ReadFailed, path, error);
        }
        // The holder before us may have renamed a new file over this one.
        struct stat now {};
        if (::stat(path.c_str(), &now) == 0 && now.st_dev == locked.st_dev &&
            now.st_ino == locked.st_ino) {
            m_fd = fd;
            return FileResult::Ok(path);
        }
        ::close(fd);
    }
}

} // namespace tavrin
