#include "core/compress/PackedBlockOrigin.h"

#include "core/document/RomDocument.h"
#include "core/platform/FileIO.h"

#include <cstdio>

namespace tavrin {

std::string PackedBlockOrigin::BlockPath(const std::string& romPath, PackedCodec codec,
                                         size_t address) {
    char where[48];
    std::snprintf(where, sizeof where, " [%s @ 0x%06zX]", std::string(CodecLabel(codec)).c_str(),
                  address);
    return romPath + where;
}

std::string PackedBlockOrigin::Choose(const std::string& romPath, PackedCodec codec,
                                      size_t address) {
    m_romPath = romPath;
    m_source = {codec, address, {}, 0};
    m_path = BlockPath(romPath, codec, address);
    return m_path;
}

bool PackedBlockOrigin::Holds(const RomDocument& doc) const {
    return !m_path.empty() && doc.FilePath() == m_path;
}

PackedBlockOrigin::SourceRead PackedBlockOrigin::ReadSource() {
    SourceRead read;
    std::vector<uint8_t> rom;
    if (read.file = ReadWholeFile(m_romPath, rom); !read.file)
        return read;
    const size_t address = m_source.address;
    read.block = address < rom.size() ? Unpack(m_source.codec, std::span(rom).subspan(address))
                                      : Unpacked{UnpackError::Truncated, {}, 0};
    if (!read.block) {
        read.file = FileResult::Fail(FileFailure::Malformed, m_romPath);
        return read;
    }
    const auto first = rom.begin() + static_cast<std::ptrdiff_t>(address);
    m_source.packed.assign(first, first + static_cast<std::ptrdiff_t>(read.block.packedSize));
    m_source.room = read.block.packedSize;
    return read;
}

std::optional<FileResult> PackedBlockOrigin::ReadDocument(const std::string& path,
                                                          RomDocument& doc) {
    if (m_path.empty() || path != m_path)
        return std::nullopt;
    SourceRead read = ReadSource();
    if (!read.file)
        return std::move(read.file);
    if (!doc.LoadBytes(read.block.bytes.data(), read.block.bytes.size(), m_path))
        return FileResult::Fail(FileFailure::TooLarge, m_romPath);
    return FileResult::Ok(path);
}

std::optional<PackedBlockOrigin::BlockName>
PackedBlockOrigin::ParseBlockPath(const std::string& path) {
    const size_t open = path.rfind(" [");
    const size_t at = path.rfind(" @ 0x");
    if (open == std::string::npos || at == std::string::npos || at < open || path.back() != ']')
        return std::nullopt;
    const std::string_view label = std::string_view(path).substr(open + 2, at - open - 2);
    std::optional<PackedCodec> codec;
    for (const PackedCodec c : AllPackedCodecs)
        if (CodecLabel(c) == label)
            codec = c;
    const std::string digits = path.substr(at + 5, path.size() - at - 6);
    if (!codec || digits.empty() || digits.size() > 16 ||
        digits.find_first_not_of("0123456789ABCDEF") != std::string::npos)
        return std::nullopt;
    BlockName name{path.substr(0, open), *codec,
                   static_cast<size_t>(std::stoull(digits, nullptr, 16))};
    // Only the exact form BlockPath writes, so that an ordinary file name is never taken.
    if (BlockPath(name.romPath, name.codec, name.address) != path)
        return std::nullopt;
    return name;
}

PackedBlockOrigin::Adoption PackedBlockOrigin::Adopt(const std::string& path) {
    const std::optional<BlockName> name = ParseBlockPath(path);
    if (!name)
        return Adoption::NotABlock;
    const std::string romPath = m_romPath;
    const PackedSource source = m_source;
    const std::string chosen = m_path;
    Choose(name->romPath, name->codec, name->address);
    if (ReadSource().file)
        return Adoption::Adopted;
    // The block chosen before stays chosen.
    m_romPath = romPath;
    m_source = source;
    m_path = chosen;
    return Adoption::Missing;
}

std::optional<FileResult> PackedBlockOrigin::WriteDocument(const std::string& path,
                                                           RomDocument& doc) {
    if (m_path.empty() || path != m_path)
        return std::nullopt;
    const std::span<const uint8_t> data(doc.Data(), static_cast<size_t>(doc.DataSize()));
    m_lastWrite = WriteBackBlock(m_romPath, m_source, data, m_options, m_decide);
    switch (m_lastWrite.problem) {
    case WriteBackProblem::None:
        break;
    case WriteBackProblem::FileFailed:
        return m_lastWrite.file;
    case WriteBackProblem::Cancelled:
    case WriteBackProblem::DoesNotFit:
        return FileResult::Fail(FileFailure::Cancelled, m_romPath);
    case WriteBackProblem::PackFailed:
        return FileResult::Fail(FileFailure::TooLarge, m_romPath);
    case WriteBackProblem::CheckFailed:
    case WriteBackProblem::SourceChanged:
        return FileResult::Fail(FileFailure::Malformed, m_romPath);
    }
    if (m_lastWrite.appended) {
        m_path = BlockPath(m_romPath, m_source.codec, m_source.address);
        doc.SetFilePath(m_path);
    }
    return FileResult::Ok(m_path);
}

PackedBlockOrigin::ScanSubject PackedBlockOrigin::ScanBytes(const RomDocument& doc) const {
    ScanSubject subject;
    if (Holds(doc)) {
        subject.romPath = m_romPath;
        subject.read = ReadWholeFile(m_romPath, subject.bytes);
        return subject;
    }
    subject.romPath = doc.FilePath();
    subject.bytes.assign(doc.Data(), doc.Data() + doc.DataSize());
    subject.read = FileResult::Ok(doc.FilePath());
    return subject;
}

} // namespace tavrin
