#include "core/platform/SafeFileWriter.h"

#include "core/platform/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tavrin {

namespace {

// Closes a descriptor on every path out; the temporary file is removed unless kept.
struct TempFile {
    int fd = -1;
    std::string path;
    bool keep = false;
    ~TempFile() {
        if (fd >= 0)
            ::close(fd);
        if (!keep && !path.empty())
            ::unlink(path.c_str());
    }
};

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

// The old way, for a writable file in a folder where no new file may be made: written over
// from the start, truncated unless the tail is kept. Not atomic, but the only way there.
FileResult WriteInPlace(const std::string& target, std::span<const uint8_t> content,
                        ExistingTail tail) {
    const int flags = O_WRONLY | O_CLOEXEC | (tail == ExistingTail::Drop ? O_TRUNC : 0);
    TempFile f; // only for closing; path stays empty
    f.fd = ::open(target.c_str(), flags);
    if (f.fd < 0 || !WriteAll(f.fd, content.data(), content.size()) || ::fsync(f.fd) != 0)
        return FileResult::Fail(FileFailure::WriteFailed, target, errno);
    return FileResult::Ok(target);
}

} // namespace

FileResult WriteFileSafely(const std::string& path, std::span<const uint8_t> content,
                           ExistingTail tail) {
    const std::string target = FollowLinks(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return FileResult::Fail(FileFailure::NotRegular, path, S_ISDIR(old.st_mode) ? EISDIR : 0);

    const std::string folder = DirectoryPart(target);
    TempFile temp;
    temp.path = folder + "." + FileNamePart(target) + ".XXXXXX";
    std::vector<char> name(temp.path.begin(), temp.path.end());
    name.push_back('\0');
    temp.fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (temp.fd < 0) {
        temp.path.clear();
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM) && ::access(target.c_str(), W_OK) == 0)
            return WriteInPlace(target, content, tail);
        return FileResult::Fail(FileFailure::WriteFailed, path, error);
    }
    temp.path.assign(name.data());

    const mode_t mode = exists ? (old.st_mode & 07777) : NewFileMode();
    bool ok = WriteAll(temp.fd, content.data(), content.size());
    if (ok && exists && tail == ExistingTail::Keep &&
        old.st_size > static_cast<off_t>(content.size()))
        ok = CopyTail(target, static_cast<off_t>(content.size()), temp.fd);
    if (ok && exists) {
        // Another owner's file stays theirs where we may say so; elsewhere it becomes ours.
        [[maybe_unused]] const int ignored = ::fchown(temp.fd, old.st_uid, old.st_gid);
    }
    ok = ok && ::fchmod(temp.fd, mode) == 0 && ::fsync(temp.fd) == 0;
    if (!ok)
        return FileResult::Fail(FileFailure::WriteFailed, path, errno);
    const int fd = temp.fd;
    temp.fd = -1;
    if (::close(fd) != 0 || ::rename(temp.path.c_str(), target.c_str()) != 0)
        return FileResult::Fail(FileFailure::WriteFailed, path, errno);
    temp.keep = true;
    // The rename itself reaches the disk with the folder.
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return FileResult::Ok(path);
}

} // namespace tavrin
