#include "core/nav/RecentFiles.h"

#include "core/platform/IniFile.h"

#include <algorithm>

namespace tavrin {

void RecentFiles::Add(const std::string& path, const Place& place) {
    Remove(path);
    m_items.insert(m_items.begin(), {path, place});
    if (m_items.size() > MaxCount)
        m_items.resize(MaxCount);
}

bool RecentFiles::Update(const std::string& path, const Place& place) {
    for (RecentFile& item : m_items) {
        if (item.path == path) {
            item.place = place;
            return true;
        }
    }
    return false;
}

void RecentFiles::Remove(const std::string& path) {
    std::erase_if(m_items, [&](const RecentFile& item) { return item.path == path; });
}

void RecentFiles::ReadFrom(const IniFile& ini) {
    m_items.clear();
    for (size_t i = 1; i <= MaxCount; ++i) {
        const std::string value = ini.ReadString(Section, std::to_string(i), "");
        RecentFile item;
        if (!ParsePlaceLine(value, item.place, item.path) || item.path.empty())
            continue;
        const bool repeated = std::any_of(m_items.begin(), m_items.end(),
                                          [&](const RecentFile& r) { return r.path == item.path; });
        if (!repeated)
            m_items.push_back(std::move(item));
    }
}

void RecentFiles::WriteTo(IniFile& ini) const {
    ini.EraseSection(Section);
    for (size_t i = 0; i < m_items.size(); ++i)
        ini.WriteString(Section, std::to_string(i + 1),
                        FormatPlaceLine(m_items[i].place, m_items[i].path));
}

char RecentAccelerator(size_t index) {
    if (index < 9)
        return static_cast<char>('1' + index);
    return index == 9 ? '0' : '\0';
}

namespace {

// Byte offsets of the starts of the UTF-8 characters of text.
std::vector<size_t> CharacterStarts(std::string_view text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    }
    return starts;
}

} // namespace

std::string ShortenPathMiddle(std::string_view path, size_t maxChars) {
    const std::vector<size_t> starts = CharacterStarts(path);
    const size_t count = starts.size();
    if (count <= maxChars || maxChars < 3)
        return std::string(path);
    const std::string_view ellipsis = "…";
    const size_t keep = maxChars - 1; // characters besides the ellipsis
    // The file name is kept whole when it leaves room for a few characters of the start.
    const size_t slash = path.rfind('/');
    size_t tail = keep - keep / 3;
    if (slash != std::string_view::npos) {
        const auto nameChars = static_cast<size_t>(
            std::count_if(starts.begin(), starts.end(), [&](size_t s) { return s >= slash; }));
        if (nameChars + 4 <= keep)
            tail = std::max(tail, nameChars);
    }
    tail = std::min(tail, keep);
    const size_t head = keep - tail;
    const size_t headEnd = head < count ? starts[head] : path.size();
    const size_t tailStart = starts[count - tail];
    std::string shortened(path.substr(0, headEnd));
    shortened += ellipsis;
    shortened += path.substr(tailStart);
    return shortened;
}

} // namespace tavrin
