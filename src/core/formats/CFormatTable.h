#pragma once

#include "core/formats/BuiltinFormats.h"
#include "core/formats/CFormat_plugin.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace tavrin {

// Every format the program offers, in the order of the format list: the 13 built-in formats,
// then at most 3 more. The constructor registers only the built-ins; LoadPlugins adds the
// plug-in formats afterwards through Add.
//
// Each entry's FormatInfo is copied when the entry is added, after it has been checked, and
// the table reads only its copies: the names, extensions and list lines never call into a
// plug-in, and nothing a format throws leaves the table.
class CFormatTable {
public:
    static constexpr int MaxEntries = 16;
    static constexpr int BuiltinCount = 13;

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
    // The filter of the ROM open and save dialogs: "ROM image|<patterns>|All files|*.*".
    std::string RomFileFilter() const;
    // The index of the last entry claiming the file name's extension, else 0.
    int FindByExtension(std::string_view fileName) const;

    // The record copied when the entry at index was added, or null beyond the count.
    const FormatInfo* Info(int index) const;
    // The line the format lists show for the entry at index ("Ver.3  2BPP NES ( chr,nes ) ",
    // plus the author and the web address when they are given), or "" beyond the count.
    std::string ListLine(int index) const;

    // Adds the formats of the plug-in libraries "*.so" in folder (with or without a trailing
    // '/'), taken in the order of their file names, until the table is full. Each library
    // that is refused, and the end of the scan at a full table, is reported through report
    // (one line each). False when a plug-in could not be added because the table was full.
    // A missing folder adds nothing and reports nothing. The plug-in formats keep report for
    // later failures (activation, a plug-in that throws), so it must stay callable for the
    // table's lifetime. announce, when given, receives a line before the first calls into
    // each library (see CFormat_plugin), with the same lifetime.
    bool LoadPlugins(const std::string& folder, const PluginReport& report = {},
                     const PluginReport& announce = {});

    // Whether a record describes a format the table can hold (see Add).
    static bool IsUsableInfo(const FormatInfo& info);
    // Why a record cannot be held, or "" when it can.
    static std::string InfoProblem(const FormatInfo& info);

private:
    bool AddEntry(CFormat* format);
    // The copied record of an entry whose format still gives one (a format may withdraw its
    // record; it is then left out of the extension lists), else null.
    const FormatInfo* PresentInfo(int index) const;

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
    std::array<FormatInfo, MaxEntries> m_infos{};
    // Which entries the table deletes (the added ones), index for index with m_entries.
    std::array<std::unique_ptr<CFormat>, MaxEntries> m_owned;
    int m_count = 0;
};

} // namespace tavrin
