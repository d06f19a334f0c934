#pragma once

#include "core/platform/MappedFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tavrin {

// Zero-filled bytes from the system's zeroed allocation: pages that are never touched cost
// nothing, so a buffer reaching far past its data (a header declaring data the file lacks)
// is cheap, and a large file is copied into it once rather than after a zeroing pass. A very
// large file is not copied at all but seen through a MappedFile at the buffer's start.
class ZeroedBuffer {
public:
    ZeroedBuffer() = default;
    ZeroedBuffer(const ZeroedBuffer& other);
    ZeroedBuffer& operator=(const ZeroedBuffer& other);
    ZeroedBuffer(ZeroedBuffer&& other) noexcept;
    ZeroedBuffer& operator=(ZeroedBuffer&& other) noexcept;
    ~ZeroedBuffer() = default;

    // Replaces the contents with size zero bytes. False, with the contents kept, when the
    // memory cannot be had.
    bool Allocate(size_t size);
    // Replaces the contents with the first fileBytes of the open file fd followed by zeros up
    // to size bytes, read as they are touched; address space for capacity bytes is kept so
    // that Grow stays in place. Takes fd. False, with the contents kept, on failure.
    bool MapFile(int fd, size_t fileBytes, size_t size, size_t capacity);
    // Grows to size bytes, the new ones zero. False, with the contents kept, on failure.
    bool Grow(size_t size);

    uint8_t* data() { return m_map.IsMapped() ? m_map.data() : m_data.get(); }
    const uint8_t* data() const { return m_map.IsMapped() ? m_map.data() : m_data.get(); }
    size_t size() const { return m_size; }
    // The mapped file, unmapped for bytes of our own.
    const MappedFile& Mapping() const { return m_map; }

private:
    struct Free {
        void operator()(uint8_t* p) const;
    };
    std::unique_ptr<uint8_t[], Free> m_data;
    MappedFile m_map;
    size_t m_size = 0;
};

} // namespace tavrin
