#pragma once

#include "core/platform/FileResult.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tavrin {

// An ini file that keeps every section, key and comment it does not touch. Files written in
// cp932 or UTF-8 are read; the file is written as UTF-8.
class IniFile {
public:
    IniFile();
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Settings files are small; a larger file is not one of ours and is not read.
    static constexpr size_t MaxFileBytes = 1 << 20;

    // Loads path; a missing file gives an empty ini. Fails only when the file exists and
    // cannot be read or is larger than MaxFileBytes (TooLarge; the caller then leaves it
    // alone).
    FileResult Load(const std::string& path);
    bool LoadFromText(const std::string& text);
    FileResult Save(const std::string& path) const;
    std::string SaveToText() const;

    bool HasKey(const std::string& section, const std::string& key) const;
    // A missing key or a value without a leading decimal integer gives def.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void DeleteKey(const std::string& section, const std::string& key);
    void EraseSection(const std::string& section);
    std::vector<std::string> SectionKeys(const std::string& section) const;
    // The section is written back exactly as it was loaded, comments, spacing and order
    // included (the file's own text, as UTF-8), rather than as the library lays it out. A
    // section that the file did not have is written as usual.
    void KeepSectionAsLoaded(const std::string& section);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Where a section lies in an ini text: from the start of its header line to the start of the
// next section's header line (or the end of the text); {npos, 0} when there is none. Names
// compare without case, as the file's keys do.
std::pair<size_t, size_t> IniSectionSpan(const std::string& text, const std::string& section);

// Parses a leading optional sign and decimal digits after blanks; false when there are none
// or the value does not fit an int.
bool ParseIniInteger(const std::string& text, int& out);

} // namespace tavrin
