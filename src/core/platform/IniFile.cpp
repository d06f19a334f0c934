#include "core/platform/IniFile.h"

#include "core/platform/Cp932.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

// Texts are converted to UTF-8 before loading, so the library needs no converter.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

namespace tavrin {

struct IniFile::Impl {
    CSimpleIniA ini{true, false, false};
    // Comment lines after the last entry, which the library does not keep.
    std::string trailingComments;
    // The text as loaded (UTF-8), and the sections written back exactly as they were in it.
    std::string loaded;
    std::vector<std::string> keptSections;
};

namespace {

bool IsIniComment(char c) {
    return c == ';' || c == '#';
}

// The library keeps comments in front of a section or key and the block at the very top of
// the file; comments after the last entry would be lost on saving, so they are taken here.
std::string TrailingComments(const std::string& all) {
    // The library reads up to the first NUL only.
    const std::string text = all.substr(0, all.find('\0'));
    // Lines end as the library ends them: at "\r\n", "\n" or a lone "\r".
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(begin, end - begin));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++end;
        begin = end + 1;
    }
    const auto firstNonBlank = [](const std::string& line) {
        const size_t at = line.find_first_not_of(" \t\r");
        return at == std::string::npos ? '\0' : line[at];
    };
    size_t start = 0;
    bool content = false;
    for (size_t i = lines.size(); i-- > 0;) {
        const char c = firstNonBlank(lines[i]);
        if (c != '\0' && !IsIniComment(c)) {
            start = i + 1;
            content = true;
            break;
        }
    }
    if (!content) {
        // The library already keeps the comment lines that open the file.
        while (start < lines.size() && !lines[start].empty() && IsIniComment(lines[start][0]))
            ++start;
    }
    while (start < lines.size() && firstNonBlank(lines[start]) == '\0')
        ++start;
    size_t stop = lines.size();
    while (stop > start && firstNonBlank(lines[stop - 1]) == '\0')
        --stop;
    std::string out;
    for (size_t i = start; i < stop; ++i) {
        out += lines[i];
        out += '\n';
    }
    return out;
}

} // namespace

IniFile::IniFile() : m_impl(std::make_unique<Impl>()) {}
IniFile::~IniFile() = default;

FileResult IniFile::Load(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!FileExists(path)) {
        LoadFromText({});
        return FileResult::Ok(path);
    }
    // One byte past the limit tells a file over it without reading the rest.
    if (FileResult read = ReadFilePrefix(path, bytes, MaxFileBytes + 1); !read)
        return read;
    if (bytes.size() > MaxFileBytes)
        return FileResult::Fail(FileFailure::TooLarge, path);
    if (!LoadFromText(std::string(bytes.begin(), bytes.end())))
        return FileResult::Fail(FileFailure::Malformed, path);
    return FileResult::Ok(path);
}

bool IniFile::LoadFromText(const std::string& raw) {
    m_impl->ini.Reset();
    std::string text = raw;
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
        static_cast<unsigned char>(text[1]) == 0xBB && static_cast<unsigned char>(text[2]) == 0xBF)
        text.erase(0, 3);
    if (!IsValidUtf8(text))
        text = Cp932ToUtf8(text);
    m_impl->trailingComments = TrailingComments(text);
    m_impl->loaded = text;
    return m_impl->ini.LoadData(text.data(), text.size()) >= 0;
}

std::string IniFile::SaveToText() const {
    std::string out;
    m_impl->ini.Save(out);
    if (!m_impl->trailingComments.empty()) {
        if (!out.empty())
            out += out.back() == '\n' ? "\n" : "\n\n";
        out += m_impl->trailingComments;
    }
    for (const std::string& section : m_impl->keptSections) {
        const auto [from, length] = IniSectionSpan(m_impl->loaded, section);
        const auto [at, written] = IniSectionSpan(out, section);
        if (from != std::string::npos && at != std::string::npos)
            out.replace(at, written, m_impl->loaded, from, length);
    }
    return out;
}

void IniFile::KeepSectionAsLoaded(const std::string& section) {
    m_impl->keptSections.push_back(section);
}

std::pair<size_t, size_t> IniSectionSpan(const std::string& text, const std::string& section) {
    const auto lineStart = [&text](size_t at) {
        return at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r';
    };
    const auto headerName = [&text](size_t at, std::string& name) {
        const size_t first = text.find_first_not_of(" \t", at);
        if (first == std::string::npos || text[first] != '[')
            return false;
        const size_t close = text.find(']', first);
        const size_t eol = text.find_first_of("\r\n", first);
        if (close == std::string::npos || (eol != std::string::npos && close > eol))
            return false;
        name = text.substr(first + 1, close - first - 1);
        return true;
    };
    const auto sameName = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    };
    size_t start = std::string::npos;
    std::string name;
    for (size_t at = 0; at < text.size(); ++at) {
        if (!lineStart(at) || text[at] == '\n' || text[at] == '\r')
            continue;
        if (!headerName(at, name))
            continue;
        if (start != std::string::npos)
            return {start, at - start};
        if (sameName(name, section))
            start = at;
    }
    if (start == std::string::npos)
        return {std::string::npos, 0};
    return {start, text.size() - start};
}

FileResult IniFile::Save(const std::string& path) const {
    const std::string text = SaveToText();
    return WriteFileSafely(path, text.data(), text.size());
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
    return m_impl->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

bool ParseIniInteger(const std::string& text, int& out) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (digits == 0)
        return false;
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    const char* v = m_impl->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    int result = def;
    if (!v || !ParseIniInteger(v, result))
        return def;
    return result;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    const char* v = m_impl->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    return v ? std::string(v) : def;
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    m_impl->ini.SetValue(section.c_str(), key.c_str(), value.c_str());
}

void IniFile::DeleteKey(const std::string& section, const std::string& key) {
    m_impl->ini.Delete(section.c_str(), key.c_str());
}

void IniFile::EraseSection(const std::string& section) {
    m_impl->ini.Delete(section.c_str(), nullptr);
}

std::vector<std::string> IniFile::SectionKeys(const std::string& section) const {
    CSimpleIniA::TNamesDepend keys;
    m_impl->ini.GetAllKeys(section.c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> out;
    for (const auto& k : keys)
        out.emplace_back(k.pItem);
    return out;
}

} // namespace tavrin
