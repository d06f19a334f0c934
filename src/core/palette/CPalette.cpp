#include "core/palette/CPalette.h"

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <vector>

namespace tavrin {

Colour CPalette::GetColor(int index) const {
    if (index < 0 || index >= Count)
        return 0;
    const uint8_t* p = m_data.data() + 3 * index;
    return MakeColour(p[0], p[1], p[2]);
}

void CPalette::SetColor(int index, Colour colour) {
    if (index < 0 || index >= Count)
        return;
    uint8_t* p = m_data.data() + 3 * index;
    p[0] = static_cast<uint8_t>(RedOf(colour));
    p[1] = static_cast<uint8_t>(GreenOf(colour));
    p[2] = static_cast<uint8_t>(BlueOf(colour));
}

FileResult CPalette::LoadFromFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    // A missing or unreadable file changes nothing rather than loading as empty. The longest
    // layout (a RIFF palette of 256 four-byte entries) ends at byte 1048; the rest is not read.
    if (FileResult read = ReadFilePrefix(path, bytes, RiffDataOffset + 4 * Count); !read)
        return read;
    LoadFromBytes(bytes.data(), bytes.size());
    return FileResult::Ok(path);
}

void CPalette::LoadFromBytes(const uint8_t* bytes, size_t size) {
    m_data.fill(0);
    if (bytes == nullptr)
        return;
    const bool riff =
        size >= 4 && bytes[0] == 'R' && bytes[1] == 'I' && bytes[2] == 'F' && bytes[3] == 'F';
    // Only the magic is checked: the header's form type, version and count are not trusted,
    // the entries simply run to the end of the file.
    const size_t offset = riff ? RiffDataOffset : 0;
    const size_t stride = riff ? 4 : 3;
    if (size <= offset)
        return;
    size_t entries = (size - offset) / stride;
    if (entries > static_cast<size_t>(Count))
        entries = Count;
    for (size_t k = 0; k < entries; ++k) {
        const uint8_t* p = bytes + offset + k * stride;
        SetColor(static_cast<int>(k), MakeColour(p[0], p[1], p[2]));
    }
}

FileResult CPalette::SaveToFile(const std::string& path) const {
    return WriteFileSafely(path, m_data.data(), m_data.size(), ExistingTail::Keep);
}

} // namespace tavrin
