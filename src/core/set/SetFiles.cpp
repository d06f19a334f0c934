#include "core/set/SetFiles.h"

#include "core/dib/BitmapFile.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace tavrin {

namespace {

// The one place the set window's own files are written: from offset 0, keeping the bytes of
// a longer existing file.
FileResult WriteKeepingTail(const std::string& path, std::span<const uint8_t> bytes) {
    return WriteFileSafely(path, bytes, ExistingTail::Keep);
}

// Copies what bytes hold from offset on into dst, at most dst.size() bytes; returns the count.
size_t CopyPart(std::span<const uint8_t> bytes, size_t offset, std::span<uint8_t> dst) {
    if (offset >= bytes.size())
        return 0;
    const size_t n = std::min(dst.size(), bytes.size() - offset);
    std::memcpy(dst.data(), bytes.data() + offset, n);
    return n;
}

std::string LowerCase(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

SetFileKind SetFileKindOf(const std::string& path) {
    const std::string ext = LowerCase(ExtensionPart(path));
    if (ext.compare(0, 3, ".st") == 0)
        return SetFileKind::VirtuaNesState;
    if (ext == ".nam")
        return SetFileKind::Nam;
    return SetFileKind::Set;
}

void LoadNamBytes(SetDocument& doc, std::span<const uint8_t> bytes) {
    CopyPart(bytes, 0, doc.Names());
    CopyPart(bytes, SetDocument::Cells, doc.Attributes());
    doc.ExpandAttributes(doc.Attributes());
}

void LoadSetBytes(SetDocument& doc, std::span<const uint8_t> bytes) {
    CopyPart(bytes, 0, doc.Names());
    CopyPart(bytes, SetDocument::Cells, doc.Palettes());
}

size_t VirtuaNesNameTableOffset(std::span<const uint8_t> bytes) {
    static constexpr char Signature[] = "VirtuaNES";
    static constexpr char Block[] = "MMU ";
    if (bytes.size() < 9 || std::memcmp(bytes.data(), Signature, 9) != 0)
        return 0;
    if (bytes.size() <= VirtuaNesNameTableDistance)
        return 0;
    // The block must start before size - 8276.
    const size_t end = bytes.size() - VirtuaNesNameTableDistance;
    for (size_t i = 0; i < end; ++i)
        if (std::memcmp(bytes.data() + i, Block, 4) == 0)
            return i + VirtuaNesNameTableDistance;
    return 0;
}

void LoadVirtuaNesState(SetDocument& doc, std::span<const uint8_t> bytes) {
    const size_t offset = VirtuaNesNameTableOffset(bytes);
    // A state cut short reads as zeros where it ends.
    std::array<uint8_t, NamFileSize> table{};
    CopyPart(bytes, offset, table);
    std::copy_n(table.begin(), SetDocument::Cells, doc.Names().begin());
    SetDocument::AttributeTable attributes{};
    std::copy_n(table.begin() + SetDocument::Cells, SetDocument::AttributeSize, attributes.begin());
    doc.ExpandAttributes(attributes);
}

void LoadSpriteTableBytes(SetDocument& doc, std::span<const uint8_t> bytes) {
    CopyPart(bytes, 0, doc.Sprites());
}

void LoadSpriteTileBytes(SetDocument& doc, std::span<const uint8_t> bytes) {
    CopyPart(bytes, 0, doc.SpriteTileBytes());
}

std::vector<uint8_t> NamFileBytes(const SetDocument& doc) {
    std::vector<uint8_t> bytes(doc.Names().begin(), doc.Names().end());
    const SetDocument::AttributeTable attributes = doc.PackAttributes();
    bytes.insert(bytes.end(), attributes.begin(), attributes.end());
    return bytes;
}

std::vector<uint8_t> SetFileBytes(const SetDocument& doc) {
    std::vector<uint8_t> bytes(doc.Names().begin(), doc.Names().end());
    bytes.insert(bytes.end(), doc.Palettes().begin(), doc.Palettes().end());
    return bytes;
}

FileResult LoadSetFile(SetDocument& doc, const std::string& path) {
    std::vector<uint8_t> bytes;
    FileResult read;
    switch (SetFileKindOf(path)) {
    case SetFileKind::VirtuaNesState:
        if ((read = ReadWholeFile(path, bytes)))
            LoadVirtuaNesState(doc, bytes);
        return read;
    case SetFileKind::Nam:
        if ((read = ReadFilePrefix(path, bytes, NamFileSize)))
            LoadNamBytes(doc, bytes);
        return read;
    case SetFileKind::Set:
        if ((read = ReadFilePrefix(path, bytes, SetFileSize)))
            LoadSetBytes(doc, bytes);
        return read;
    }
    return FileResult::Fail(FileFailure::Malformed, path);
}

SetFileResult SaveSetFile(SetDocument& doc, const std::string& path, SetSaveFilter filter) {
    SetFileResult result;
    switch (filter) {
    case SetSaveFilter::Nam: {
        const std::vector<uint8_t> bytes = NamFileBytes(doc);
        if (!(result.file = WriteKeepingTail(path, bytes)))
            return result;
        // The document takes what was written only once it is on disk, so a failed save
        // loses no palette numbers.
        result.converted = doc.HasWidePalettes();
        std::copy(bytes.begin() + SetDocument::Cells, bytes.end(), doc.Attributes().begin());
        doc.ExpandAttributes(doc.Attributes());
        break;
    }
    case SetSaveFilter::Set:
        result.file = WriteKeepingTail(path, SetFileBytes(doc));
        break;
    case SetSaveFilter::AllFiles:
        // The file is opened (or created) as for the other filters, but nothing is written.
        result.file = WriteKeepingTail(path, {});
        break;
    }
    return result;
}

FileResult LoadSpriteTiles(SetDocument& doc, const std::string& path) {
    std::vector<uint8_t> bytes;
    FileResult read = ReadFilePrefix(path, bytes, SetDocument::SpriteTileSize);
    if (read)
        LoadSpriteTileBytes(doc, bytes);
    return read;
}

FileResult LoadSpriteTable(SetDocument& doc, const std::string& path) {
    std::vector<uint8_t> bytes;
    FileResult read = ReadFilePrefix(path, bytes, SetDocument::SpriteTableSize);
    if (read)
        LoadSpriteTableBytes(doc, bytes);
    return read;
}

FileResult SaveSpriteTable(const SetDocument& doc, const std::string& path) {
    return WriteKeepingTail(path, doc.Sprites());
}

FileResult SaveSetImage(const Image8& setImage, const std::string& path) {
    return WriteBitmapFile(path, setImage);
}

} // namespace tavrin
