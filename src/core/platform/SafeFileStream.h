#pragma once

#include "core/platform/FileResult.h"
#include "core/platform/SafeFileWriter.h"

#include <cstdint>
#include <span>
#include <string>
#include <sys/types.h>

namespace tavrin {

// A file written a piece at a time and put in place at once, for content too large to hold
// in memory (a long export). The pieces go into a temporary file beside the target; Commit
// carries over the old tail if asked, flushes it to the disk and renames it over the target,
// keeping the target's permissions and following a symbolic link, as WriteFileSafely does.
// Dropped without a Commit (a failure, an exception) it removes the temporary file and the
// target stays as it was. Where the folder does not let a new file be made but the file
// itself is writable, the pieces go straight into the file instead.
class SafeFileStream {
public:
    SafeFileStream() = default;
    ~SafeFileStream();
    SafeFileStream(const SafeFileStream&) = delete;
    SafeFileStream& operator=(const SafeFileStream&) = delete;

    // Refuses a target that exists but is not a regular file before anything is made.
    FileResult Open(const std::string& path);
    // After a failure every later call gives the same failure.
    FileResult Write(std::span<const uint8_t> bytes);
    FileResult Commit(ExistingTail tail = ExistingTail::Drop);

private:
    FileResult Fail(int error);
    void Discard();

    std::string m_path;   // as given, for the results
    std::string m_target; // the file the path names through its links
    std::string m_tempPath;
    int m_fd = -1;
    bool m_inPlace = false;
    bool m_exists = false;
    mode_t m_mode = 0;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    off_t m_oldSize = 0;
    uint64_t m_written = 0;
    // Written bytes from here on have not yet been handed to the disk.
    static constexpr uint64_t WritebackBytes = uint64_t{2} << 20;
    uint64_t m_writebackFrom = 0;
    FileResult m_state;
};

} // namespace tavrin
