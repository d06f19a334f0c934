#pragma once

#include "core/platform/FileResult.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// One pattern as the .adf file stores it: a cp932 name and the tile number of each of the
// 16 x 16 slots of a page (slot (c, r) at tiles[r * 16 + c]).
struct AdfEntry {
    std::array<uint8_t, 32> name{};
    std::array<uint8_t, 256> tiles{};

    // The name read up to its first 0 byte, trimmed of blanks and control characters, in
    // UTF-8.
    std::string Name() const;
    // Clears the name field and stores the text (UTF-8) as cp932, cut to whole characters
    // within 32 bytes.
    void SetName(std::string_view utf8);
    void Clear();

    bool operator==(const AdfEntry& other) const = default;
};
static_assert(sizeof(AdfEntry) == 288);
static_assert(offsetof(AdfEntry, tiles) == 32);

// The table of 64 named tile-order patterns that rearrange the slots of the tile view.
class CAdfPattern {
public:
    static constexpr int EntryCount = 64;
    static constexpr size_t EntrySize = 288;
    static constexpr size_t FileSize = EntryCount * EntrySize;

    CAdfPattern();

    // Entry 0 for an index outside 0-63.
    const AdfEntry& GetPattern(int index) const;
    // Ignored for an index outside 0-63.
    void SetPattern(int index, const AdfEntry& entry);

    // Empty: name, first tile number and last tile number all 0. Empty entries end the list.
    static bool IsEmpty(const AdfEntry& entry);
    // Number of listed entries: those before the first empty one.
    int Count() const;
    // The first empty entry, or -1 when all 64 are in use.
    int FirstEmpty() const;
    // The listed names joined with "\n".
    std::string Names() const;
    std::vector<std::string> NameList() const;

    // When entry 0 is empty it becomes "Normal" with slot n showing tile n. True if it did.
    bool EnsureNormal();

    // Nothing happens and false is returned when no file exists or it cannot be read. Whole
    // 288-byte entries are read from the start (at most 64); later entries keep their
    // contents.
    FileResult LoadFromFile(const std::string& path);
    void LoadFromBytes(const uint8_t* bytes, size_t size);
    // Writes all 18432 bytes at offset 0 without truncating; false when the write failed.
    FileResult SaveToFile(const std::string& path) const;
    // The 18432 bytes of the table as the file holds them.
    std::vector<uint8_t> ToBytes() const;

    // Pattern dialog editing, each returning the list selection afterwards (-1 none).
    // Stores the working entry, named from the name box, into the selected entry or else the
    // first empty one; -1 when there is no selection and no empty entry (nothing stored).
    int AddOrUpdate(int selected, AdfEntry& working, std::string_view name);
    int MoveUp(int selected);
    int MoveDown(int selected);
    // Removes the selected entry (or the last listed one) and closes the gap.
    int Delete(int selected);

private:
    std::array<AdfEntry, EntryCount> m_entries{};
};

// The "Normal" order: slot n shows tile n.
AdfEntry NormalPattern();

// The character pattern for blocks of w x h tiles (each 1-16; other values are held within
// that range), numbered row by row within a block when horizontal and column by column when
// vertical, named "w,h H" or "w,h V". Slots no whole block covers stay 0.
AdfEntry GenerateCharacterPattern(int w, int h, bool vertical);

} // namespace tavrin
