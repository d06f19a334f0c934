#include "core/document/RomDocument.h"

#include "core/platform/FileIO.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <utility>

namespace tavrin {

namespace {

constexpr uint8_t INesSignature[4] = {0x4E, 0x45, 0x53, 0x1A};
constexpr int INesHeaderBytes = 16;
constexpr int INesTrainerBytes = 512;
constexpr int INesProgramBankBytes = 16384;
constexpr int INesCharacterBankBytes = 8192;

} // namespace

RomDocument::RomDocument() : m_buffer(BufferSizeFor(0), 0) {}

size_t RomDocument::BufferSizeFor(size_t reach) {
    // At least data size + 1 and 8192 bytes, and a whole largest page past the furthest
    // address navigation can reach.
    return std::max({reach + 1, static_cast<size_t>(MinBufferBytes),
                     reach + static_cast<size_t>(MaxPageBytes)});
}

void RomDocument::New() {
    RomDocument fresh;
    fresh.m_buffer.assign(BufferSizeFor(MinBufferBytes), 0);
    fresh.m_dataSize = MinBufferBytes;
    fresh.SetFilePath(NewFileName);
    fresh.ApplyLayout();
    *this = std::move(fresh);
}

bool RomDocument::ReadRom(const std::string& path) {
    if (!FileExists(path))
        return false;
    std::error_code error;
    const uintmax_t length = std::filesystem::file_size(path, error);
    if (error || length > static_cast<uintmax_t>(MaxDataSize))
        return false;
    RomDocument fresh;
    try {
        fresh.m_buffer.assign(BufferSizeFor(static_cast<size_t>(length)), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // A file that shrank since its size was taken gives what it still holds.
    const long long got = ReadFilePrefix(path, fresh.m_buffer.data(), static_cast<size_t>(length));
    if (got < 0)
        return false;
    fresh.m_dataSize = static_cast<int>(got);
    fresh.SetFilePath(path);
    fresh.ApplyLayout();
    *this = std::move(fresh);
    return true;
}

bool RomDocument::LoadBytes(const uint8_t* data, size_t size, const std::string& path) {
    if (size > static_cast<size_t>(MaxDataSize))
        return false;
    RomDocument fresh;
    fresh.m_buffer.assign(BufferSizeFor(size), 0);
    if (size > 0)
        std::copy(data, data + size, fresh.m_buffer.begin());
    fresh.m_dataSize = static_cast<int>(size);
    fresh.SetFilePath(path);
    fresh.ApplyLayout();
    *this = std::move(fresh);
    return true;
}

void RomDocument::ApplyLayout() {
    m_headerOffset = 0;
    m_startAddress = 0;
    m_endAddress = m_dataSize;
    m_ines = {};
    // The header is read from the buffer, so a file shorter than its header reads zeros.
    const uint8_t* b = m_buffer.data();
    if (m_dataSize >= 4 && std::equal(INesSignature, INesSignature + 4, b)) {
        m_ines.present = true;
        m_ines.programBanks = b[4];
        m_ines.characterBanks = b[5];
        m_ines.trainer = (b[6] & 0x04) != 0;
        const int trainer = m_ines.trainer ? INesTrainerBytes : 0;
        const int programSize = m_ines.programBanks * INesProgramBankBytes;
        const int characterSize = m_ines.characterBanks * INesCharacterBankBytes;
        m_headerOffset = INesHeaderBytes;
        if (characterSize > 0) {
            m_startAddress = INesHeaderBytes + trainer + programSize;
            m_endAddress = m_startAddress + characterSize;
        } else {
            m_startAddress = INesHeaderBytes + trainer;
        }
    }
    // A header may declare more than the file holds; those pages read zeros.
    const size_t needed = BufferSizeFor(static_cast<size_t>(std::max(m_endAddress, m_dataSize)));
    if (m_buffer.size() < needed)
        m_buffer.resize(needed, 0);
}

bool RomDocument::WriteRom(const std::string& path, bool saveSmallSize) const {
    return WriteAtStart(path, m_buffer.data(), static_cast<size_t>(WriteLength(saveSmallSize)));
}

int RomDocument::WriteLength(bool saveSmallSize) const {
    if (m_dataSize < MinBufferBytes && !saveSmallSize)
        return MinBufferBytes;
    return m_dataSize;
}

std::string RomDocument::CompanionPath(const std::string& path, Companion which) {
    switch (which) {
    case Companion::Dat:
        return ReplaceExtension(path, ".dat");
    case Companion::Pal:
        return ReplaceExtension(path, ".pal");
    case Companion::Adf:
        return ReplaceExtension(path, ".adf");
    case Companion::Col:
        break;
    }
    return ReplaceExtension(path, ".col");
}

int RomDocument::ClampPageAddress(int address, int pageBytes) const {
    // Widened so that an address typed near the int limit cannot overflow.
    long long a = address;
    if (a + pageBytes > m_endAddress)
        a = static_cast<long long>(m_endAddress) - pageBytes;
    if (a < 0)
        a = 0;
    return static_cast<int>(a);
}

bool RomDocument::Contains(int address, int bytes) const {
    return address >= 0 && bytes >= 0 &&
           static_cast<long long>(address) + bytes <= static_cast<long long>(m_buffer.size());
}

void RomDocument::SetFilePath(const std::string& path) {
    m_filePath = path;
    m_fileName = FileNamePart(path);
}

} // namespace tavrin
