#pragma once

#include "core/nav/Place.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

class IniFile;

struct RecentFile {
    std::string path;
    Place place; // where the file was left
    bool operator==(const RecentFile&) const = default;
};

// The files opened last, most recent first, each with the place it was left at. Kept in a
// section of its own in the settings file, one key a file ("1" to "10"), each value in the
// form of FormatPlaceLine with the path as its text.
class RecentFiles {
public:
    static constexpr const char* Section = "Tavrin.Recent";
    static constexpr size_t MaxCount = 10;

    const std::vector<RecentFile>& Items() const { return m_items; }
    // The file goes to the front (from wherever it was); the oldest beyond MaxCount goes.
    void Add(const std::string& path, const Place& place);
    // The place of a file in the list changes, the order does not; false when not there.
    bool Update(const std::string& path, const Place& place);
    void Remove(const std::string& path);
    void Clear() { m_items.clear(); }

    // Entries that are damaged or repeat a path are skipped.
    void ReadFrom(const IniFile& ini);
    // The section is written anew; other sections stay as they are.
    void WriteTo(IniFile& ini) const;

private:
    std::vector<RecentFile> m_items;
};

// The menu's accelerator of entry index (0-based): '1' to '9', then '0'; none past that.
char RecentAccelerator(size_t index);

// A path of more than maxChars characters with its middle replaced by "…": the start of the
// path and as much of its end as fits, the file name whole where it can be.
std::string ShortenPathMiddle(std::string_view path, size_t maxChars);

} // namespace tavrin
