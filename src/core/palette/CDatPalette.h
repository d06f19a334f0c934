#pragma once

#include "core/platform/FileResult.h"

#include "core/platform/Colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrin {

class CPalette;

// The palette set: 256 entries, each the index of a master-palette colour, cut into palette
// groups of 2^bpp entries. A tile pixel value is an entry index (low bpp bits the colour,
// high bits the group). In palette-only mode the identity table stands in for the set, so
// pixel values index the master palette directly.
class CDatPalette {
public:
    static constexpr int Size = 256;

    explicit CDatPalette(const CPalette* palette = nullptr);

    const CPalette* Palette() const { return m_palette; }
    void SetPalette(const CPalette* palette) { m_palette = palette; }

    // The table in use (palette-set table or identity table), 256 bytes.
    const uint8_t* Map() const { return m_identityMode ? m_identity.data() : m_table.data(); }
    // The palette-set table whatever the mode (what .dat files hold).
    const uint8_t* Table() const { return m_table.data(); }
    uint8_t* Table() { return m_table.data(); }

    // Current table[index]; 0 for an index outside 0-255.
    int GetEntry(int index) const;
    // Points entry index of the palette-set table at a master colour. The identity table
    // never changes, so this writes the palette-set table in either mode; an index or value
    // outside 0-255 is ignored.
    void SetEntry(int index, int masterIndex);
    // The master colour of current table[index]; 0 without a palette or outside 0-255.
    Colour GetEntryColor(int index) const;

    bool IdentityMode() const { return m_identityMode; }
    void SetIdentityMode(bool identity) { m_identityMode = identity; }

    // Copies min(count, 256) bytes into the palette-set table from entry 0.
    void SetTable(const uint8_t* bytes, size_t count);

    int SelectedEntry() const { return m_selected; }
    void SetSelectedEntry(int entry) { m_selected = static_cast<uint8_t>(entry & 0xFF); }
    int Bpp() const { return m_bpp; }
    void SetBpp(int bpp) { m_bpp = static_cast<uint8_t>(bpp < 0 ? 0 : (bpp > 255 ? 255 : bpp)); }

    // 2^bpp, 256 at most (one group covers the whole set from 8 bits per pixel on).
    int GroupSize() const;
    int ColourMask() const { return GroupSize() - 1; }
    // The selected entry with its low bpp bits cleared.
    int GroupBase() const { return m_selected & ~ColourMask(); }
    // The group number as the colour set stores it (selected entry >> bpp).
    int GroupNumber() const { return m_selected >> BppForMask(); }
    // The current table from the group base on, as the colour replacement reads the group's
    // master indices; places past entry 255 are 0.
    std::array<uint8_t, Size> GroupEntries() const;

    // False when no file exists or it cannot be read. Entries the file does not cover keep
    // their value.
    FileResult LoadFromFile(const std::string& path);
    void LoadFromBytes(const uint8_t* bytes, size_t size);
    // Writes the 256 bytes at offset 0 without truncating; false when the write failed.
    FileResult SaveToFile(const std::string& path) const;

private:
    int BppForMask() const { return m_bpp > 8 ? 8 : m_bpp; }

    const CPalette* m_palette = nullptr;
    std::array<uint8_t, Size> m_identity{};
    std::array<uint8_t, Size> m_table{};
    bool m_identityMode = false;
    uint8_t m_selected = 0;
    uint8_t m_bpp = 2;
};

} // namespace tavrin
