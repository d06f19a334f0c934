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

std::optional<FileResult> PackedBlockOrigin::ReadDocument(const std::string& path,
                                                          RomDocument& doc) {
    if (m_path.empty() || path != m_path)
        return std::nullopt;
    std::vector<uint8_t> rom;
    if (FileResult read = ReadWholeFile(m_romPath, rom); !read)
        return read;
    const size_t address = m_source.address;
    const Unpacked block = address < rom.size()
                               ? Unpack(m_source.codec, std::span(rom).subspan(address))
                               : Unpacked{UnpackError::Truncated, {}, 0};
    if (!block)
        return FileResult::Fail(FileFailure::Malformed, m_romPath);
    if (!doc.LoadBytes(block.bytes.data(), block.bytes.size(), m_path))
        return FileResult::Fail(FileFailure::TooLarge, m_romPath);
    const auto first = rom.begin() + static_cast<std::ptrdiff_t>(address);
    m_source.packed.assign(first, first + static_cast<std::ptrdiff_t>(block.packedSize));
    m_source.room = block.packedSize;
    return FileResult::Ok(path);
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
