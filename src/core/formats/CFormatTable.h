#pragma once

#include "core/formats/BuiltinFormats.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace tavrin {

// Every format the program offers, in the order of the format list: the 13 built-in formats,
// then at most 3 more. The constructor registers only the built-ins; the plug-in loader adds
// plug-in formats afterwards through Add.
class CFormatTable {
public:
    static constexpr int MaxEntries = 16;

    CFormatTable();
    ~CFormatTable();
    CFormatTable(const CFormatTable&) = delete;
    CFormatTable& operator=(const CFormatTable&) = delete;

    // Appends a format the table then owns. Refused (and the format destroyed) when the table
    // is full, when GetInfo yields null or throws, or when its record could not be laid over
    // the tile image: bitsPerPixel outside 1..8, or a width or height that does not divide
    // 128 into whole tiles (0 and 1 count as 8; negative sizes are refused).
    bool Add(std::unique_ptr<CFormat> format);
    // The entry at index (a negative index counts as 0), or null at or beyond the count.
    CFormat* Get(int index) const;
    // Drops the entry at index, moving later entries down; an added format is destroyed.
    // An index outside the table changes nothing.
    void Remove(int index);
    int Count() const { return m_count; }

    // The names of all entries joined by "\n".
    std::string NameList() const;
    // "*.ext;" for every extension of every entry, in table order ("*.bin;*.chr;...").
    std::string ExtensionPatterns() const;
    // The index of the last entry claiming the file name's extension, else 0.
    int FindByExtension(std::string_view fileName) const;

    // Whether a record describes a format the table can hold (see Add).
    static bool IsUsableInfo(const FormatInfo& info);

private:
    bool AddEntry(CFormat* format);

    CFormat_1bpp m_1bpp;
    CFormat_2NES m_2nes;
    CFormat_2GB m_2gb;
    CFormat_2NGP m_2ngp;
    CFormat_2VB m_2vb;
    CFormat_2MSX m_2msx;
    CFormat_3SNES m_3snes;
    CFormat_4SNES m_4snes;
    CFormat_4GBA m_4gba;
    CFormat_4SMS m_4sms;
    CFormat_4MSX m_4msx;
    CFormat_4PceSG m_4pceSg;
    CFormat_1bpp16 m_1bpp16;

    std::array<CFormat*, MaxEntries> m_entries{};
    // Which entries the table deletes (the added ones), index for index with m_entries.
    std::array<std::unique_ptr<CFormat>, MaxEntries> m_owned;
    int m_count = 0;
};

} // namespace tavrin
