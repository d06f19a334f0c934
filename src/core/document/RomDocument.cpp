#include "core/document/RomDocument.h"

#include "core/nav/AddressStep.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include "core/platform/SafeFileStream.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tavrin {

namespace {

constexpr uint8_t INesSignature[4] = {0x4E, 0x45, 0x53, 0x1A};
constexpr int INesHeaderBytes = 16;
constexpr int INesTrainerBytes = 512;
constexpr int INesProgramBankBytes = 16384;
constexpr int INesCharacterBankBytes = 8192;
// Signature, program banks, character banks, flags.
constexpr size_t INesFieldBytes = 7;

struct Layout {
    int headerOffset = 0;
    int startAddress = 0;
    int endAddress = 0;
    INesInfo ines;
};

// head holds the first INesFieldBytes bytes of the data, zero past its end.
Layout LayoutOf(const uint8_t* head, int dataSize) {
    Layout l;
    l.endAddress = dataSize;
    if (dataSize < 4 || !std::equal(INesSignature, INesSignature + 4, head))
        return l;
    l.ines.present = true;
    l.ines.programBanks = head[4];
    l.ines.characterBanks = head[5];
    l.ines.trainer = (head[6] & 0x04) != 0;
    const int trainer = l.ines.trainer ? INesTrainerBytes : 0;
    const int programSize = l.ines.programBanks * INesProgramBankBytes;
    const int characterSize = l.ines.characterBanks * INesCharacterBankBytes;
    l.headerOffset = INesHeaderBytes;
    if (characterSize > 0) {
        l.startAddress = INesHeaderBytes + trainer + programSize;
        l.endAddress = l.startAddress + characterSize;
    } else {
        l.startAddress = INesHeaderBytes + trainer;
    }
    return l;
}

// At least data size + 1 and 8192 bytes, and a whole largest page past the furthest address
// navigation can reach: a header may declare more than the file holds, or a start past a
// short file, and those pages read zeros.
size_t BufferBytesFor(const Layout& l, int dataSize) {
    const size_t reach = static_cast<size_t>(std::max({l.endAddress, l.startAddress, dataSize}));
    return std::max({static_cast<size_t>(dataSize) + 1,
                     static_cast<size_t>(RomDocument::MinBufferBytes),
                     reach + static_cast<size_t>(RomDocument::MaxPageBytes)});
}

// Files from this size on are seen through a mapping, read as their pages are touched;
// smaller ones are read whole, which no other program can change under the document.
constexpr long long MapFromBytes = 32LL << 20;
// Every buffer a mapped document can grow to: the largest data and a page past it (a header
// reaches far less far).
constexpr size_t MappedCapacity =
    static_cast<size_t>(RomDocument::MaxDataSize) + RomDocument::MaxPageBytes;
// A save copies the buffer out a piece at a time.
constexpr size_t SavePieceBytes = size_t{1} << 20;

bool ReadAt(int fd, uint8_t* out, size_t bytes) {
    size_t got = 0;
    while (got < bytes) {
        const ssize_t n = ::pread(fd, out + got, bytes - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        got += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

RomDocument::RomDocument() {
    if (!m_buffer.Allocate(BufferBytesFor(Layout{}, 0)))
        throw std::bad_alloc();
}

void RomDocument::New() {
    ZeroedBuffer buffer;
    if (!buffer.Allocate(BufferBytesFor(Layout{}, MinBufferBytes)) ||
        !Adopt(std::move(buffer), MinBufferBytes, NewFileName))
        throw std::bad_alloc();
}

FileResult RomDocument::ReadRom(const std::string& path) {
    if (FileResult probe = ProbeReadable(path); !probe)
        return probe;
    std::error_code error;
    const uintmax_t length = std::filesystem::file_size(path, error);
    if (error)
        return FileResult::Fail(FileFailure::ReadFailed, path, error.value());
    if (length > static_cast<uintmax_t>(MaxDataSize))
        return FileResult::Fail(FileFailure::TooLarge, path);
    if (length >= static_cast<uintmax_t>(MapFromBytes))
        if (std::optional<FileResult> mapped = MapRom(path))
            return *mapped;
    // The header decides how far the buffer must reach, so it is read first to allocate once.
    uint8_t head[INesFieldBytes] = {};
    if (ReadFilePrefix(path, head, sizeof head) < 0)
        return FileResult::Fail(FileFailure::ReadFailed, path, errno);
    ZeroedBuffer buffer;
    if (!buffer.Allocate(
            BufferBytesFor(LayoutOf(head, static_cast<int>(length)), static_cast<int>(length))))
        return FileResult::Fail(FileFailure::TooLarge, path, ENOMEM);
    // A file that shrank since its size was taken gives what it still holds.
    const long long got = ReadFilePrefix(path, buffer.data(), static_cast<size_t>(length));
    if (got < 0)
        return FileResult::Fail(FileFailure::ReadFailed, path, errno);
    if (!Adopt(std::move(buffer), static_cast<int>(got), path))
        return FileResult::Fail(FileFailure::TooLarge, path, ENOMEM);
    return FileResult::Ok(path);
}

std::optional<FileResult> RomDocument::MapRom(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        return FileResult::Fail(FileFailure::ReadFailed, path, error);
    }
    if (st.st_size > MaxDataSize) {
        ::close(fd);
        return FileResult::Fail(FileFailure::TooLarge, path);
    }
    const int dataSize = static_cast<int>(st.st_size);
    uint8_t head[INesFieldBytes] = {};
    if (!ReadAt(fd, head, std::min<size_t>(sizeof head, static_cast<size_t>(dataSize)))) {
        const int error = errno;
        ::close(fd);
        return FileResult::Fail(FileFailure::ReadFailed, path, error);
    }
    ZeroedBuffer buffer;
    if (!buffer.MapFile(fd, static_cast<size_t>(dataSize),
                        BufferBytesFor(LayoutOf(head, dataSize), dataSize), MappedCapacity))
        return std::nullopt;
    if (!Adopt(std::move(buffer), dataSize, path))
        return FileResult::Fail(FileFailure::TooLarge, path, ENOMEM);
    return FileResult::Ok(path);
}

bool RomDocument::LoadBytes(const uint8_t* data, size_t size, const std::string& path) {
    if (size > static_cast<size_t>(MaxDataSize))
        return false;
    uint8_t head[INesFieldBytes] = {};
    std::copy(data, data + std::min(size, sizeof head), head);
    ZeroedBuffer buffer;
    if (!buffer.Allocate(
            BufferBytesFor(LayoutOf(head, static_cast<int>(size)), static_cast<int>(size))))
        return false;
    std::copy(data, data + size, buffer.data());
    return Adopt(std::move(buffer), static_cast<int>(size), path);
}

bool RomDocument::Adopt(ZeroedBuffer&& buffer, int dataSize, const std::string& path) {
    // The header is taken from the buffer, so a file shorter than its header reads zeros.
    const Layout l = LayoutOf(buffer.data(), dataSize);
    // Only a file changed between its two reads can need more than was allocated.
    if (!buffer.Grow(BufferBytesFor(l, dataSize)))
        return false;
    m_buffer = std::move(buffer);
    m_dataSize = dataSize;
    m_headerOffset = l.headerOffset;
    m_startAddress = l.startAddress;
    m_endAddress = l.endAddress;
    m_ines = l.ines;
    SetFilePath(path);
    return true;
}

bool RomDocument::SourceChanged() const {
    return m_buffer.Mapping().SourceChanged();
}

FileResult RomDocument::WriteRom(const std::string& path, bool saveSmallSize,
                                 ExistingTail tail) const {
    const MappedFile& mapping = m_buffer.Mapping();
    if (!mapping.IsMapped())
        return WriteFileSafely(path, m_buffer.data(),
                               static_cast<size_t>(WriteLength(saveSmallSize)), tail);
    // Writing over a file another program changed would put a mix of its bytes and ours
    // there, silently; the edits stay in the document for a save under another name.
    std::error_code error;
    if (SourceChanged() &&
        (path == m_filePath || std::filesystem::equivalent(path, m_filePath, error)))
        return FileResult::Fail(FileFailure::ChangedOutside, path);
    // Through a copy a piece at a time: a page the file lost reads zeros here (in a system
    // call it would fail the write), and the pieces written leave memory again.
    SafeFileStream file;
    if (FileResult opened = file.Open(path); !opened)
        return opened;
    std::vector<uint8_t> piece(SavePieceBytes);
    const auto length = static_cast<size_t>(WriteLength(saveSmallSize));
    for (size_t at = 0; at < length; at += piece.size()) {
        const size_t n = std::min(piece.size(), length - at);
        std::copy(m_buffer.data() + at, m_buffer.data() + at + n, piece.begin());
        mapping.Release(at, n);
        if (FileResult written = file.Write({piece.data(), n}); !written)
            return written;
    }
    return file.Commit(tail);
}

int RomDocument::LastChangeFrom(int from) const {
    for (int i = BufferSize() - 1; i >= std::max(from, 0); --i)
        if (m_buffer.data()[i] != 0)
            return i;
    return -1;
}

bool RomDocument::ExtendTo(int dataSize) {
    if (dataSize <= m_dataSize || dataSize > MaxDataSize)
        return false;
    const Layout l = LayoutOf(m_buffer.data(), dataSize);
    if (!m_buffer.Grow(BufferBytesFor(l, dataSize)))
        return false;
    m_dataSize = dataSize;
    m_headerOffset = l.headerOffset;
    m_startAddress = l.startAddress;
    m_endAddress = l.endAddress;
    m_ines = l.ines;
    return true;
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
    return ClampAddress(address, pageBytes, m_endAddress);
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
