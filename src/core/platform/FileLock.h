#pragma once

#include "core/platform/FileResult.h"

#include <string>

namespace tavrin {

// An exclusive lock that serialises the program's writers of one file: two imports into one
// ROM at the same time (a parallel build) run one after the other, so neither loses the
// other's pages. It is advisory: other programs that write the file do not see it.
//
// The lock is taken on the file itself, not on a lock file beside it: a lock file would be
// left behind in the user's folder and cannot be made in a folder without write permission,
// where the safe writer still writes the file in place. Because the safe writer renames a new
// file over the old one, the lock could end up on a file the path no longer names; so after
// the lock is granted the locked file is compared with the one the path names now, and on a
// difference the lock moves to the new file. Take the lock before reading the file and hold
// it until the new content has been renamed over it.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits until no other holder has the file. Fails (NotFound, NotRegular, ReadFailed) for
    // a path that names no regular file that can be opened.
    FileResult Acquire(const std::string& path);
    void Release();
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace tavrin
