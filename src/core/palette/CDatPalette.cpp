#include "core/palette/CDatPalette.h"

#include "core/palette/CPalette.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tavrin {

CDatPalette::CDatPalette(const CPalette* palette) : m_palette(palette) {
    for (int k = 0; k < Size; ++k)
        m_identity[k] = static_cast<uint8_t>(k);
}

int CDatPalette::GetEntry(int index) const {
    if (index < 0 || index >= Size)
        return 0;
    return Map()[index];
}

void CDatPalette::SetEntry(int index, int masterIndex) {
    if (index < 0 || index >= Size || masterIndex < 0 || masterIndex > 255)
        return;
    m_table[index] = static_cast<uint8_t>(masterIndex);
}

Colour CDatPalette::GetEntryColor(int index) const {
    if (m_palette == nullptr || index < 0 || index >= Size)
        return 0;
    return m_palette->GetColor(Map()[index]);
}

void CDatPalette::SetTable(const uint8_t* bytes, size_t count) {
    if (bytes == nullptr)
        return;
    std::memcpy(m_table.data(), bytes, std::min(count, static_cast<size_t>(Size)));
}

int CDatPalette::GroupSize() const {
    return 1 << BppForMask();
}

std::array<uint8_t, CDatPalette::Size> CDatPalette::GroupEntries() const {
    std::array<uint8_t, Size> entries{};
    const int base = GroupBase();
    std::memcpy(entries.data(), Map() + base, static_cast<size_t>(Size - base));
    return entries;
}

FileResult CDatPalette::LoadFromFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    // A missing or unreadable file changes nothing rather than loading as empty. Only the
    // 256 entries are read, however long the file.
    if (FileResult read = ReadFilePrefix(path, bytes, Size); !read)
        return read;
    LoadFromBytes(bytes.data(), bytes.size());
    return FileResult::Ok(path);
}

void CDatPalette::LoadFromBytes(const uint8_t* bytes, size_t size) {
    SetTable(bytes, size);
}

FileResult CDatPalette::SaveToFile(const std::string& path) const {
    return WriteFileSafely(path, m_table.data(), m_table.size(), ExistingTail::Keep);
}

} // namespace tavrin
