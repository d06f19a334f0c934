#include "core/platform/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin {

namespace {

// Closes a descriptor on every path out of a routine.
struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

// Opens path for reading when it names a regular file; -1 otherwise. Opening does not wait
// (a pipe would block until a writer came), and the type is checked on the open descriptor.
int OpenRegularForReading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        return -1;
    }
    return fd;
}

// Why a file could not be opened for reading.
FileResult Classify(const std::string& path, int error) {
    if (error == ENOENT || error == ENOTDIR || path.empty())
        return FileResult::Fail(FileFailure::NotFound, path);
    if (error == EISDIR || error == ENODEV)
        return FileResult::Fail(FileFailure::NotRegular, path);
    return FileResult::Fail(FileFailure::ReadFailed, path, error);
}

} // namespace

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileResult ProbeReadable(const std::string& path) {
    Fd f(OpenRegularForReading(path));
    if (f.fd >= 0)
        return FileResult::Ok(path);
    return Classify(path, errno);
}

FileResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    out.clear();
    Fd f(OpenRegularForReading(path));
    struct stat st {};
    if (f.fd < 0)
        return Classify(path, errno);
    if (::fstat(f.fd, &st) != 0)
        return FileResult::Fail(FileFailure::ReadFailed, path, errno);
    std::vector<uint8_t> data(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(f.fd, data.data() + got, data.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return FileResult::Fail(FileFailure::ReadFailed, path, errno);
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    data.resize(got);
    out.swap(data);
    return FileResult::Ok(path);
}

long long ReadFilePrefix(const std::string& path, uint8_t* dst, size_t maxBytes) {
    Fd f(OpenRegularForReading(path));
    if (f.fd < 0)
        return -1;
    size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(f.fd, dst + got, maxBytes - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    return static_cast<long long>(got);
}

FileResult ReadFilePrefix(const std::string& path, std::vector<uint8_t>& out, size_t limit) {
    out.clear();
    Fd f(OpenRegularForReading(path));
    if (f.fd < 0)
        return Classify(path, errno);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        return FileResult::Fail(FileFailure::ReadFailed, path, errno);
    // Sized by the file, not the limit: a short file costs only its own length.
    std::vector<uint8_t> data(std::min(limit, static_cast<size_t>(st.st_size)));
    size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(f.fd, data.data() + got, data.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return FileResult::Fail(FileFailure::ReadFailed, path, errno);
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    data.resize(got);
    out.swap(data);
    return FileResult::Ok(path);
}

PathKind KindOfPath(const std::string& path) {
    struct stat st {};
    if (path.empty())
        return PathKind::Missing;
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Other;
    if (S_ISREG(st.st_mode))
        return PathKind::RegularFile;
    if (S_ISDIR(st.st_mode))
        return PathKind::Folder;
    if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))
        return PathKind::Pipe;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return PathKind::Device;
    return PathKind::Other;
}

std::string FileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtensionPart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot);
}

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    const std::string current = ExtensionPart(path);
    return path.substr(0, path.size() - current.size()) + ext;
}

} // namespace tavrin
