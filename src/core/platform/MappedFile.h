#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

namespace tavrin {

// A file's bytes seen at the start of a larger range of zero bytes: nothing is read until a
// page is touched, and pages only read stay the system's file cache, so a file of any size
// opens at once and costs memory only for what is looked at and edited. A write makes the
// 64 KiB around it the program's own copy; the file itself is never changed.
//
// Another program may cut the file while it is seen. A page it no longer holds would end the
// program with a bus error when touched; here it reads zeros instead and the mapping notes
// that file bytes were lost. Edited pieces are the program's own and stay as they are.
// (Writes and lost pages are caught by process-wide SIGSEGV and SIGBUS handlers, which pass
// every other fault on to the handler that was there before.)
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;

    // The first fileBytes of the open file fd, then zeros up to capacity bytes. Takes fd
    // (closed here on failure too). False, with nothing mapped, when the system refuses.
    bool Map(int fd, size_t fileBytes, size_t capacity);

    uint8_t* data() const { return m_data; }
    size_t capacity() const { return m_capacity; }
    bool IsMapped() const { return m_data != nullptr; }

    // The file was cut or rewritten by another program since it was mapped, or a page it no
    // longer held was read as zeros.
    bool SourceChanged() const;
    // Pages of [from, from + bytes) the program has not written to may leave memory; they are
    // read from the file again when touched.
    void Release(size_t from, size_t bytes) const;

private:
    void Unmap();

    uint8_t* m_data = nullptr;
    size_t m_capacity = 0;
    int m_fd = -1;
    int m_slot = -1;
    off_t m_fileSize = 0;
    long long m_modified = 0; // nanoseconds
};

} // namespace tavrin
