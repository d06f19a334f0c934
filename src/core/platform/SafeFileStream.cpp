#include "core/platform/SafeFileStream.h"

#include "core/platform/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tavrin {

namespace {

bool WriteAll(int fd, const uint8_t* p, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The file a path finally names, through any chain of symbolic links (also one that points
// at a file not made yet). Relative links count from the folder of the link.
std::string FollowLinks(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::vector<char> target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size())
            return path;
        const std::string link(target.data(), static_cast<size_t>(n));
        path = link.front() == '/' ? link : DirectoryPart(path) + link;
    }
    return path;
}

// Copies the bytes of the old file from offset `from` to its end onto fd.
bool CopyTail(const std::string& oldPath, off_t from, int fd) {
    const int in = ::open(oldPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    std::vector<uint8_t> chunk(1 << 16);
    bool ok = ::lseek(in, from, SEEK_SET) == from;
    while (ok) {
        const ssize_t n = ::read(in, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = WriteAll(fd, chunk.data(), static_cast<size_t>(n));
    }
    const int saved = errno;
    ::close(in);
    errno = saved;
    return ok;
}

mode_t NewFileMode() {
    // The process's umask can only be read by setting it; put it straight back.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

SafeFileStream::~SafeFileStream() {
    Discard();
}

void SafeFileStream::Discard() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}

FileResult SafeFileStream::Fail(int error) {
    Discard();
    m_state = FileResult::Fail(FileFailure::WriteFailed, m_path, error);
    return m_state;
}

FileResult SafeFileStream::Open(const std::string& path) {
    Discard();
    m_path = path;
    m_target = FollowLinks(path);
    m_inPlace = false;
    m_written = 0;
    struct stat old {};
    m_exists = ::stat(m_target.c_str(), &old) == 0;
    if (m_exists && !S_ISREG(old.st_mode)) {
        m_state =
            FileResult::Fail(FileFailure::NotRegular, path, S_ISDIR(old.st_mode) ? EISDIR : 0);
        return m_state;
    }
    m_mode = m_exists ? (old.st_mode & 07777) : NewFileMode();
    m_uid = old.st_uid;
    m_gid = old.st_gid;
    m_oldSize = m_exists ? old.st_size : 0;

    std::string name = DirectoryPart(m_target) + "." + FileNamePart(m_target) + ".XXXXXX";
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd >= 0) {
        m_tempPath = name;
        m_state = FileResult::Ok(path);
        return m_state;
    }
    const int error = errno;
    if (m_exists && (error == EACCES || error == EPERM) && ::access(m_target.c_str(), W_OK) == 0) {
        // Not atomic, but the only way in a folder where no new file may be made.
        m_fd = ::open(m_target.c_str(), O_WRONLY | O_CLOEXEC);
        if (m_fd >= 0) {
            m_inPlace = true;
            m_state = FileResult::Ok(path);
            return m_state;
        }
        return Fail(errno);
    }
    return Fail(error);
}

FileResult SafeFileStream::Write(std::span<const uint8_t> bytes) {
    if (!m_state || m_fd < 0)
        return m_state ? FileResult::Fail(FileFailure::WriteFailed, m_path, EBADF) : m_state;
    if (!WriteAll(m_fd, bytes.data(), bytes.size()))
        return Fail(errno);
    m_written += bytes.size();
    // The disk starts on what is written while the rest is made, so the flush at the commit
    // waits for little. Only a hint: the commit's fsync is what reports a failure.
    if (m_written - m_writebackFrom >= WritebackBytes) {
        ::sync_file_range(m_fd, static_cast<off_t>(m_writebackFrom),
                          static_cast<off_t>(m_written - m_writebackFrom), SYNC_FILE_RANGE_WRITE);
        m_writebackFrom = m_written;
    }
    return m_state;
}

FileResult SafeFileStream::Commit(ExistingTail tail) {
    if (!m_state || m_fd < 0)
        return m_state ? FileResult::Fail(FileFailure::WriteFailed, m_path, EBADF) : m_state;
    const bool longerOld = m_exists && static_cast<uint64_t>(m_oldSize) > m_written;
    if (m_inPlace) {
        // The old bytes past the new content are still there; they go unless kept.
        if (tail == ExistingTail::Drop && longerOld &&
            ::ftruncate(m_fd, static_cast<off_t>(m_written)) != 0)
            return Fail(errno);
        if (::fsync(m_fd) != 0)
            return Fail(errno);
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            return Fail(errno);
        return m_state;
    }
    if (tail == ExistingTail::Keep && longerOld &&
        !CopyTail(m_target, static_cast<off_t>(m_written), m_fd))
        return Fail(errno);
    if (m_exists) {
        // Another owner's file stays theirs where we may say so; elsewhere it becomes ours.
        [[maybe_unused]] const int ignored = ::fchown(m_fd, m_uid, m_gid);
    }
    if (::fchmod(m_fd, m_mode) != 0 || ::fsync(m_fd) != 0)
        return Fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
        return Fail(errno);
    m_tempPath.clear();
    // The rename itself reaches the disk with the folder.
    const std::string folder = DirectoryPart(m_target);
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return m_state;
}

} // namespace tavrin
