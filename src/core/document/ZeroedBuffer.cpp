#include "core/document/ZeroedBuffer.h"

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
        std::memcpy(m_data.get(), other.m_data.get(), m_size);
}

ZeroedBuffer& ZeroedBuffer::operator=(const ZeroedBuffer& other) {
    if (this != &other) {
        ZeroedBuffer copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ZeroedBuffer::ZeroedBuffer(ZeroedBuffer&& other) noexcept
    : m_data(std::move(other.m_data)), m_size(other.m_size) {
    other.m_size = 0;
}

ZeroedBuffer& ZeroedBuffer::operator=(ZeroedBuffer&& other) noexcept {
    m_data = std::move(other.m_data);
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
    m_size = size;
    return true;
}

bool ZeroedBuffer::Grow(size_t size) {
    if (size <= m_size)
        return true;
    ZeroedBuffer bigger;
    if (!bigger.Allocate(size))
        return false;
    if (m_size > 0)
        std::memcpy(bigger.m_data.get(), m_data.get(), m_size);
    *this = std::move(bigger);
    return true;
}

} // namespace tavrin
