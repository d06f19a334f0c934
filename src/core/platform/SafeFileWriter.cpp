#include "core/platform/SafeFileWriter.h"

#include "core/platform/SafeFileStream.h"

namespace tavrin {

FileResult WriteFileSafely(const std::string& path, std::span<const uint8_t> content,
                           ExistingTail tail) {
    SafeFileStream file;
    if (FileResult opened = file.Open(path); !opened)
        return opened;
    if (FileResult written = file.Write(content); !written)
        return written;
    return file.Commit(tail);
}

} // namespace tavrin
