#include "core/packed/PackedBlockNavigator.h"

#include "core/document/RecoveryFile.h"
#include "core/editor/Editor.h"
#include "core/platform/FileIO.h"
#include "core/workspace/Workspace.h"

namespace tavrin {

PackedBlockNavigator::PackedBlockNavigator(Workspace& workspace, Editor& editor)
    : m_ws(workspace), m_editor(editor) {
    m_ws.SetDocumentOrigin(&m_origin);
}

PackedBlockNavigator::~PackedBlockNavigator() {
    m_ws.SetDocumentOrigin(nullptr);
}

PackedBlockOrigin::ScanSubject PackedBlockNavigator::Subject(FileResult* failure) const {
    PackedBlockOrigin::ScanSubject subject = m_origin.ScanBytes(m_ws.Document());
    if (failure)
        *failure = subject.read;
    return subject;
}

std::optional<FoundBlock> PackedBlockNavigator::FindNext(FileResult* failure) {
    const PackedBlockOrigin::ScanSubject subject = Subject(failure);
    if (!subject.read)
        return std::nullopt;
    const size_t from =
        IsBlockOpen() ? m_origin.Source().address + 1 : static_cast<size_t>(m_ws.Address()) + 1;
    return FindNextBlock(subject.bytes, from, m_options);
}

std::vector<FoundBlock> PackedBlockNavigator::ListBlocks(FileResult* failure) {
    const PackedBlockOrigin::ScanSubject subject = Subject(failure);
    if (!subject.read)
        return {};
    return FindAllBlocks(subject.bytes, m_options);
}

bool PackedBlockNavigator::Open(const FoundBlock& block) {
    const std::string rom = IsBlockOpen() ? m_origin.RomPath() : m_ws.Document().FilePath();
    if (!m_editor.ConfirmDiscard())
        return false;
    const std::string path = m_origin.Choose(rom, block.codec, block.address);
    // The format stays: the block is the same kind of graphics the ROM was being read as.
    if (!m_editor.OpenRom(path, false))
        return false;
    m_editor.AddrJump(0);
    return true;
}

bool PackedBlockNavigator::RestoreRecovery(const RecoveryRecord& record,
                                           PackedBlockOrigin::Adoption& adoption) {
    adoption = m_origin.Adopt(record.documentPath);
    return m_ws.RestoreRecovery(record);
}

bool PackedBlockNavigator::IsBlockOpen() const {
    return m_origin.Holds(m_ws.Document());
}

std::string PackedBlockNavigator::BlockLabel() const {
    return IsBlockOpen() ? FileNamePart(m_ws.Document().FilePath()) : std::string();
}

} // namespace tavrin
