#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tavrin {

// Zero-filled bytes from the system's zeroed allocation: pages that are never touched cost
// nothing, so a buffer reaching far past its data (a header declaring data the file lacks)
// is cheap, and a large file is copied into it once rather than after a zeroing pass.
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
    // Grows to size bytes, the new ones zero. False, with the contents kept, on failure.
    bool Grow(size_t size);

    uint8_t* data() { return m_data.get(); }
    const uint8_t* data() const { return m_data.get(); }
    size_t size() const { return m_size; }

private:
    struct Free {
        void operator()(uint8_t* p) const;
    };
    std::unique_ptr<uint8_t[], Free> m_data;
    size_t m_size = 0;
};

} // namespace tavrin
