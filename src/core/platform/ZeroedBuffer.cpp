#include "core/platform/ZeroedBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tavrin {

void ZeroedBuffer::Free::operator()(uint8_t* p) const {
    std::free(p);
}

ZeroedBuffer::ZeroedBuffer(const ZeroedBuffer& other) {
    if (!Allocate(other.m_size))
        throw std::bad_alloc();
    if (m_size > 0)
        std::memcpy(m_data.get(), other.data(), m_size);
}

ZeroedBuffer& ZeroedBuffer::operator=(const ZeroedBuffer& other) {
    if (this != &other) {
        ZeroedBuffer copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ZeroedBuffer::ZeroedBuffer(ZeroedBuffer&& other) noexcept
    : m_data(std::move(other.m_data)), m_map(std::move(other.m_map)), m_size(other.m_size) {
    other.m_size = 0;
}

ZeroedBuffer& ZeroedBuffer::operator=(ZeroedBuffer&& other) noexcept {
    m_data = std::move(other.m_data);
    m_map = std::move(other.m_map);
    m_size = other.m_size;
    other.m_size = 0;
    return *this;
}

bool ZeroedBuffer::Allocate(size_t size) {
    // calloc(0) may give null; one byte keeps data() valid.
    auto* p = static_cast<uint8_t*>(std::calloc(size > 0 ? size : 1, 1));
    if (!p)
        return false;
    m_data.reset(p);
    m_map = MappedFile();
    m_size = size;
    return true;
}

bool ZeroedBuffer::MapFile(int fd, size_t fileBytes, size_t size, size_t capacity) {
    MappedFile map;
    if (size < fileBytes || !map.Map(fd, fileBytes, std::max(size, capacity)))
        return false;
    m_data.reset();
    m_map = std::move(map);
    m_size = size;
    return true;
}

bool ZeroedBuffer::Grow(size_t size) {
    if (size <= m_size)
        return true;
    if (m_map.IsMapped() && size <= m_map.capacity()) {
        m_size = size; // the kept address space is zero past the file already
        return true;
    }
    ZeroedBuffer bigger;
    if (!bigger.Allocate(size))
        return false;
    if (m_size > 0)
        std::memcpy(bigger.m_data.get(), data(), m_size);
    *this = std::move(bigger);
    return true;
}

} // namespace tavrin
