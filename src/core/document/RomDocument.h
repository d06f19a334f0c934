#pragma once

#include "core/platform/FileResult.h"
#include "core/platform/SafeFileWriter.h"

#include "core/platform/ZeroedBuffer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tavrin {

// What the iNES header of a document declared; all zero for a plain file.
struct INesInfo {
    bool present = false;
    int programBanks = 0;   // 16384-byte banks
    int characterBanks = 0; // 8192-byte banks
    bool trainer = false;   // a 512-byte trainer follows the header
};

// The file being edited, held whole in a zero-padded buffer, with the addresses that
// navigation uses. The buffer always reaches past the data, the start and the end address by
// at least one largest page, so any page the window can show is inside it.
class RomDocument {
public:
    // The largest page of any format: 8 bits per pixel times 2048.
    static constexpr int MaxPageBytes = 16384;
    // The smallest buffer, and the size a short document is padded to when saved.
    static constexpr int MinBufferBytes = 8192;
    // Files above this are refused: addresses are 32-bit signed, and an address plus a page
    // and a row must still fit.
    static constexpr int MaxDataSize = 0x7FFF0000;
    static constexpr const char* NewFileName = "NewFile.chr";

    enum class Companion { Dat, Pal, Adf, Col };

    // An empty document: no data, no path, a zeroed buffer.
    RomDocument();

    // A new document of 8192 zero bytes named "NewFile.chr".
    void New();

    // Reads the file and applies the iNES or the plain rule. False, with the document
    // unchanged, when the file does not exist, cannot be read, is larger than MaxDataSize or
    // does not fit in memory. A large file is not read at once: its pages are read as they
    // are touched and cost memory only then (or once edited).
    FileResult ReadRom(const std::string& path);
    // A large file was cut or rewritten by another program since it was read (pages it no
    // longer holds read as zeros). WriteRom then refuses to write over it.
    bool SourceChanged() const;

    // Replaces the document with the given bytes as if read from a file named path.
    // False, with the document unchanged, when there are more than MaxDataSize bytes or they
    // do not fit in memory.
    bool LoadBytes(const uint8_t* data, size_t size, const std::string& path);

    // Writes the data from offset 0 without truncating a longer file; a document smaller
    // than 8192 bytes is padded with its buffer's bytes to 8192 unless saveSmallSize. Fails
    // with ChangedOutside, writing nothing, for the file itself once SourceChanged.
    // tail: whether a longer file keeps its bytes past the document (the default: a ROM saved
    // in place is never cut) or is replaced whole.
    FileResult WriteRom(const std::string& path, bool saveSmallSize,
                        ExistingTail tail = ExistingTail::Keep) const;

    // The number of bytes WriteRom writes.
    int WriteLength(bool saveSmallSize) const;
    // The last non-zero byte of the buffer at or past `from` (bytes the file does not hold
    // read as zero, so a non-zero one there was drawn), or -1.
    int LastChangeFrom(int from) const;
    // The data grows to dataSize bytes (within what the buffer can hold), the new ones as the
    // buffer has them; false when it cannot.
    bool ExtendTo(int dataSize);

    // The path with its extension replaced by the companion file's extension.
    static std::string CompanionPath(const std::string& path, Companion which);
    std::string CompanionPath(Companion which) const { return CompanionPath(m_filePath, which); }

    // ShowPage's rule: pulls address back so that the page ends at the end address, then up
    // to 0.
    int ClampPageAddress(int address, int pageBytes) const;
    // True when bytes bytes from address lie inside the buffer.
    bool Contains(int address, int bytes) const;

    uint8_t* Data() { return m_buffer.data(); }
    const uint8_t* Data() const { return m_buffer.data(); }
    int BufferSize() const { return static_cast<int>(m_buffer.size()); }

    int DataSize() const { return m_dataSize; }
    int HeaderOffset() const { return m_headerOffset; }
    int StartAddress() const { return m_startAddress; }
    int EndAddress() const { return m_endAddress; }
    const INesInfo& INes() const { return m_ines; }

    const std::string& FilePath() const { return m_filePath; }
    const std::string& FileName() const { return m_fileName; }
    // Save As: the document takes the new path and its name part.
    void SetFilePath(const std::string& path);

private:
    // ReadRom for a large file; none when the system will not map it (read whole instead).
    std::optional<FileResult> MapRom(const std::string& path);
    // Takes a zero-padded buffer holding dataSize bytes of data and sets the addresses.
    bool Adopt(ZeroedBuffer&& buffer, int dataSize, const std::string& path);

    ZeroedBuffer m_buffer;
    int m_dataSize = 0;
    int m_headerOffset = 0;
    int m_startAddress = 0;
    int m_endAddress = 0;
    INesInfo m_ines;
    std::string m_filePath;
    std::string m_fileName;
};

} // namespace tavrin
