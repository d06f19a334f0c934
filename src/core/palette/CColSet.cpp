#include "core/palette/CColSet.h"

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace tavrin {

int CColSet::Resize(int dataSize, int tileBytes) {
    m_tileBytes = std::max(tileBytes, MinTileBytes);
    const int tiles = dataSize > 0 ? dataSize / m_tileBytes : 0;
    // Zeroed pages cost nothing until a group is set: a large document's table is mostly zero.
    if (!m_buffer.Allocate(static_cast<size_t>(tiles) + TableOffset))
        throw std::bad_alloc();
    return BufferSize();
}

long long CColSet::OffsetOf(long long address) const {
    if (address < 0)
        return -1;
    const long long offset = TableOffset + address / m_tileBytes;
    return offset < BufferSize() ? offset : -1;
}

uint8_t& CColSet::Entry(int address) {
    const long long offset = OffsetOf(address);
    if (offset < 0) {
        m_scratch = 0;
        return m_scratch;
    }
    return m_buffer.data()[static_cast<size_t>(offset)];
}

uint8_t CColSet::GroupAt(int address) const {
    const long long offset = OffsetOf(address);
    return offset < 0 ? 0 : m_buffer.data()[static_cast<size_t>(offset)];
}

std::array<uint8_t, 256> CColSet::PageGroups(int address) const {
    std::array<uint8_t, 256> groups{};
    const long long first = OffsetOf(address);
    if (first < 0)
        return groups;
    const long long count = std::min<long long>(256, BufferSize() - first);
    std::memcpy(groups.data(), m_buffer.data() + first, static_cast<size_t>(count));
    return groups;
}

const uint8_t* CColSet::Header() const {
    return BufferSize() >= TableOffset ? m_buffer.data() + HeaderOffset : nullptr;
}

void CColSet::SetHeader(const uint8_t* entries) {
    if (entries == nullptr || BufferSize() < TableOffset)
        return;
    std::memcpy(m_buffer.data() + HeaderOffset, entries, HeaderSize);
}

FileResult CColSet::LoadFromFile(const std::string& path) {
    if (FileResult probe = ProbeReadable(path); !probe)
        return probe;
    if ((m_buffer.size() == 0))
        return FileResult::Ok(path);
    if (ReadFilePrefix(path, m_buffer.data(), m_buffer.size()) < 0)
        return FileResult::Fail(FileFailure::ReadFailed, path, errno);
    return FileResult::Ok(path);
}

void CColSet::LoadFromBytes(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || (m_buffer.size() == 0))
        return;
    std::memcpy(m_buffer.data(), bytes, std::min(size, m_buffer.size()));
}

FileResult CColSet::SaveToFile(const std::string& path) const {
    if ((m_buffer.size() == 0))
        return FileResult::Fail(FileFailure::Malformed, path);
    return WriteFileSafely(path, m_buffer.data(), m_buffer.size(), ExistingTail::Keep);
}

} // namespace tavrin
