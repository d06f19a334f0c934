#pragma once

#include "core/compress/BlockScanner.h"
#include "core/compress/PackedBlockOrigin.h"
#include "core/platform/FileResult.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrin {

class Editor;
class Workspace;
struct RecoveryRecord;

// The main window's packed blocks: finding the next one, listing them all and opening one as
// the document. While a block is open, scans look through the ROM behind it; otherwise
// through the document. Saving goes back into the ROM through the workspace's origin.
class PackedBlockNavigator {
public:
    PackedBlockNavigator(Workspace& workspace, Editor& editor);
    ~PackedBlockNavigator();
    PackedBlockNavigator(const PackedBlockNavigator&) = delete;
    PackedBlockNavigator& operator=(const PackedBlockNavigator&) = delete;

    ScanOptions& Options() { return m_options; }
    PackedBlockOrigin& Origin() { return m_origin; }

    // The next block after the open block's address, else after the current address; none
    // when there is none or the ROM cannot be read (failure says which).
    std::optional<FoundBlock> FindNext(FileResult* failure = nullptr);
    // Every block of the ROM the scans look through.
    std::vector<FoundBlock> ListBlocks(FileResult* failure = nullptr);
    // Opens a block of that ROM as the document, at its first page, after asking about
    // unsaved changes. False when the user kept the old document or it failed (reported).
    bool Open(const FoundBlock& block);

    // A recovery file's document back into the workspace (false: it could not be held). One
    // kept under a block's name is that block again, saved back into its ROM; adoption says
    // whether the block was found there.
    bool RestoreRecovery(const RecoveryRecord& record, PackedBlockOrigin::Adoption& adoption);

    bool IsBlockOpen() const;
    // "rom.gba [LZ10 @ 0x1A2B30]" while a block is open, else "".
    std::string BlockLabel() const;

private:
    PackedBlockOrigin::ScanSubject Subject(FileResult* failure) const;

    Workspace& m_ws;
    Editor& m_editor;
    PackedBlockOrigin m_origin;
    ScanOptions m_options;
};

} // namespace tavrin
