#pragma once

#include "core/platform/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tavrin {

// How a save treats a longer file already at the target.
enum class ExistingTail {
    Drop, // the file holds exactly the new content
    Keep, // bytes of the old file past the new content are carried over (no truncation)
};

// Every file the program writes goes through here. The whole content is written to a
// unique temporary file beside the target, flushed to the disk and renamed over the target,
// so a failure part-way (a full disk, a killed process) leaves the old file as it was. The
// target keeps its permissions (and owner, where allowed); a symbolic link is followed, so
// the link stays and the file it points at is replaced. Where the folder does not let a new
// file be made but the file itself is writable, the file is written in place instead.
FileResult WriteFileSafely(const std::string& path, std::span<const uint8_t> content,
                           ExistingTail tail = ExistingTail::Drop);

inline FileResult WriteFileSafely(const std::string& path, const void* data, size_t size,
                                  ExistingTail tail = ExistingTail::Drop) {
    return WriteFileSafely(path, {static_cast<const uint8_t*>(data), size}, tail);
}

} // namespace tavrin
