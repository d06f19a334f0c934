#pragma once

#include "core/platform/FileResult.h"

#include "core/platform/Colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrin {

// The master palette: 256 RGB colours that the palette set's entries point into.
class CPalette {
public:
    static constexpr int Count = 256;
    static constexpr size_t DataSize = 768;
    // RIFF palettes keep their 4-byte entries from this offset on.
    static constexpr size_t RiffDataOffset = 24;

    CPalette() = default;

    // 0 for an index outside 0-255.
    Colour GetColor(int index) const;
    // Stores the low three bytes of the colour; an index outside 0-255 is ignored.
    void SetColor(int index, Colour colour);

    // The table itself: red, green, blue of entry i at 3 * i.
    uint8_t* Data() { return m_data.data(); }
    const uint8_t* Data() const { return m_data.data(); }

    // False when no file exists at the path or it cannot be read; the table is then unchanged.
    FileResult LoadFromFile(const std::string& path);
    // Fills the table from a file's bytes (raw triples or a RIFF palette); entries the bytes
    // do not cover become black.
    void LoadFromBytes(const uint8_t* bytes, size_t size);
    // Writes the 768 raw bytes at offset 0 without truncating; false when the write failed.
    FileResult SaveToFile(const std::string& path) const;

    bool operator==(const CPalette& other) const = default;

private:
    std::array<uint8_t, DataSize> m_data{};
};

} // namespace tavrin
