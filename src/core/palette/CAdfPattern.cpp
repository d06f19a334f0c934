#include "core/palette/CAdfPattern.h"

#include "core/platform/Cp932.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace tavrin {

namespace {

// Lead bytes of cp932 double-byte characters.
bool IsCp932Lead(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Blanks and control characters, as trimming removes them. No cp932 trail byte is below
// 0x40, so trimming raw bytes never splits a character.
bool IsTrimmed(uint8_t b) {
    return b <= 0x20;
}

} // namespace

std::string AdfEntry::Name() const {
    size_t end = 0;
    while (end < name.size() && name[end] != 0)
        ++end;
    size_t begin = 0;
    while (begin < end && IsTrimmed(name[begin]))
        ++begin;
    while (end > begin && IsTrimmed(name[end - 1]))
        --end;
    return Cp932ToUtf8(
        std::string_view(reinterpret_cast<const char*>(name.data()) + begin, end - begin));
}

void AdfEntry::SetName(std::string_view utf8) {
    name.fill(0);
    const std::string cp932 = Utf8ToCp932(utf8);
    size_t length = 0;
    while (length < cp932.size()) {
        const size_t step = IsCp932Lead(static_cast<uint8_t>(cp932[length])) ? 2 : 1;
        if (length + step > name.size() || length + step > cp932.size())
            break;
        length += step;
    }
    std::memcpy(name.data(), cp932.data(), length);
}

void AdfEntry::Clear() {
    name.fill(0);
    tiles.fill(0);
}

CAdfPattern::CAdfPattern() = default;

const AdfEntry& CAdfPattern::GetPattern(int index) const {
    if (index < 0 || index >= EntryCount)
        return m_entries[0];
    return m_entries[index];
}

void CAdfPattern::SetPattern(int index, const AdfEntry& entry) {
    if (index < 0 || index >= EntryCount)
        return;
    m_entries[index] = entry;
}

bool CAdfPattern::IsEmpty(const AdfEntry& entry) {
    return entry.name[0] == 0 && entry.tiles[0] == 0 && entry.tiles[255] == 0;
}

int CAdfPattern::Count() const {
    const int empty = FirstEmpty();
    return empty < 0 ? EntryCount : empty;
}

int CAdfPattern::FirstEmpty() const {
    for (int i = 0; i < EntryCount; ++i) {
        if (IsEmpty(m_entries[i]))
            return i;
    }
    return -1;
}

std::vector<std::string> CAdfPattern::NameList() const {
    std::vector<std::string> names;
    const int count = Count();
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.push_back(m_entries[i].Name());
    return names;
}

std::string CAdfPattern::Names() const {
    std::string text;
    const std::vector<std::string> names = NameList();
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += names[i];
    }
    return text;
}

bool CAdfPattern::EnsureNormal() {
    if (!IsEmpty(m_entries[0]))
        return false;
    m_entries[0] = NormalPattern();
    return true;
}

FileResult CAdfPattern::LoadFromFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    // A missing or unreadable file changes nothing rather than loading as empty. Only the 64
    // entries are read, however long the file.
    if (FileResult read = ReadFilePrefix(path, bytes, FileSize); !read)
        return read;
    LoadFromBytes(bytes.data(), bytes.size());
    return FileResult::Ok(path);
}

void CAdfPattern::LoadFromBytes(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr)
        return;
    const size_t count = std::min(size / EntrySize, static_cast<size_t>(EntryCount));
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = bytes + i * EntrySize;
        std::memcpy(m_entries[i].name.data(), p, m_entries[i].name.size());
        std::memcpy(m_entries[i].tiles.data(), p + 32, m_entries[i].tiles.size());
    }
}

std::vector<uint8_t> CAdfPattern::ToBytes() const {
    std::vector<uint8_t> bytes(FileSize);
    for (size_t i = 0; i < EntryCount; ++i) {
        uint8_t* p = bytes.data() + i * EntrySize;
        std::memcpy(p, m_entries[i].name.data(), m_entries[i].name.size());
        std::memcpy(p + 32, m_entries[i].tiles.data(), m_entries[i].tiles.size());
    }
    return bytes;
}

FileResult CAdfPattern::SaveToFile(const std::string& path) const {
    const std::vector<uint8_t> bytes = ToBytes();
    return WriteFileSafely(path, bytes.data(), bytes.size(), ExistingTail::Keep);
}

int CAdfPattern::AddOrUpdate(int selected, AdfEntry& working, std::string_view name) {
    const int target = (selected >= 0 && selected < EntryCount) ? selected : FirstEmpty();
    if (target < 0)
        return -1;
    working.SetName(name);
    m_entries[target] = working;
    return target;
}

int CAdfPattern::MoveUp(int selected) {
    if (selected <= 0 || selected >= Count())
        return selected < Count() ? selected : -1;
    std::swap(m_entries[selected], m_entries[selected - 1]);
    return selected - 1;
}

int CAdfPattern::MoveDown(int selected) {
    const int count = Count();
    if (selected < 0)
        return count > 0 ? 0 : -1;
    if (selected >= count)
        return -1;
    if (selected < count - 1) {
        std::swap(m_entries[selected], m_entries[selected + 1]);
        return selected + 1;
    }
    return selected;
}

int CAdfPattern::Delete(int selected) {
    const int count = Count();
    if (count == 0)
        return -1;
    const int last = count - 1;
    if (selected >= count)
        selected = -1;
    if (selected >= 0 && selected < last)
        std::rotate(m_entries.begin() + selected, m_entries.begin() + selected + 1,
                    m_entries.begin() + last + 1);
    m_entries[last].Clear();
    if (selected >= last)
        selected = last - 1;
    return selected;
}

AdfEntry NormalPattern() {
    AdfEntry entry;
    entry.SetName("Normal");
    for (int n = 0; n < 256; ++n)
        entry.tiles[n] = static_cast<uint8_t>(n);
    return entry;
}

AdfEntry GenerateCharacterPattern(int w, int h, bool vertical) {
    w = std::clamp(w, 1, 16);
    h = std::clamp(h, 1, 16);
    AdfEntry entry;
    char name[32];
    std::snprintf(name, sizeof name, "%d,%d %s", w, h, vertical ? "V" : "H");
    entry.SetName(name);
    const int across = 16 / w;
    const int down = 16 / h;
    int counter = 0;
    for (int blockRow = 0; blockRow < down; ++blockRow) {
        for (int blockCol = 0; blockCol < across; ++blockCol) {
            const int outer = vertical ? w : h;
            const int inner = vertical ? h : w;
            for (int a = 0; a < outer; ++a) {
                for (int b = 0; b < inner; ++b) {
                    const int x = vertical ? a : b;
                    const int y = vertical ? b : a;
                    const int slot = (blockRow * h + y) * 16 + blockCol * w + x;
                    entry.tiles[slot] = static_cast<uint8_t>(counter++);
                }
            }
        }
    }
    return entry;
}

} // namespace tavrin
