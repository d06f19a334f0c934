#pragma once

#include "core/platform/FileResult.h"
#include "core/platform/ZeroedBuffer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

// The colour set: one palette-group byte per tile of the document, after a 256-byte block
// whose second half keeps entries 0-127 of the palette set. The buffer is also the .col file.
class CColSet {
public:
    static constexpr int HeaderOffset = 128;
    static constexpr int HeaderSize = 128;
    static constexpr int TableOffset = 256;
    static constexpr int MinTileBytes = 8;

    CColSet() = default;

    // Sizes the table for dataSize / max(tileBytes, 8) tiles and clears it; returns the size.
    int Resize(int dataSize, int tileBytes);

    // The group byte of the tile holding the byte address. Addresses whose tile lies outside
    // the table get a scratch byte that reads 0 and keeps nothing written to it.
    uint8_t& Entry(int address);
    // The group of the tile holding the address; 0 outside the table.
    uint8_t GroupAt(int address) const;
    // The groups of the 256 consecutive tiles from the one holding the address, as the page
    // decode reads them; tiles past the table get group 0.
    std::array<uint8_t, 256> PageGroups(int address) const;

    uint8_t* Buffer() { return m_buffer.data(); }
    const uint8_t* Buffer() const { return m_buffer.data(); }
    int BufferSize() const { return static_cast<int>(m_buffer.size()); }
    int TileBytes() const { return m_tileBytes; }
    // Number of tiles the table holds.
    int TileCount() const { return BufferSize() > TableOffset ? BufferSize() - TableOffset : 0; }

    // The 128 palette-set entries kept in the file; null before the first Resize.
    const uint8_t* Header() const;
    // Copies 128 bytes into the header block; ignored before the first Resize.
    void SetHeader(const uint8_t* entries);

    // False when no file exists or it cannot be read. Reads at most BufferSize() bytes; the
    // rest stays as it is.
    FileResult LoadFromFile(const std::string& path);
    void LoadFromBytes(const uint8_t* bytes, size_t size);
    // Writes the whole buffer at offset 0 without truncating; false when the buffer is empty
    // (nothing is written) or the write failed.
    FileResult SaveToFile(const std::string& path) const;

private:
    // Buffer offset of the tile holding the address, or -1 outside the table.
    long long OffsetOf(long long address) const;

    ZeroedBuffer m_buffer;
    int m_tileBytes = MinTileBytes;
    uint8_t m_scratch = 0;
};

} // namespace tavrin
