#pragma once

#include "core/compress/BlockScanner.h"
#include "core/compress/PackedWriteBack.h"
#include "core/document/DocumentOrigin.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrin {

// Packed blocks of ROM files opened as documents. A block is opened under the name
// "/dir/rom.gba [LZ10 @ 0x1A2B30]" (the caption shows its name part), which is no file: the
// document is the block's unpacked bytes, and saving packs them and writes them back into the
// ROM by the write-back rules, asking decide when the block has to move.
class PackedBlockOrigin : public DocumentOrigin {
public:
    // The name a block is opened under, and back: none for a name of another form.
    static std::string BlockPath(const std::string& romPath, PackedCodec codec, size_t address);
    struct BlockName {
        std::string romPath;
        PackedCodec codec = PackedCodec::Lz10;
        size_t address = 0;
    };
    static std::optional<BlockName> ParseBlockPath(const std::string& path);

    // Makes the block known; open the returned name to show it.
    std::string Choose(const std::string& romPath, PackedCodec codec, size_t address);

    // A document that comes back under a block's name (a recovery file) takes that block as
    // chosen, its packed bytes read from the ROM again, so that saving packs it back there.
    // Missing: the name is a block's, but the ROM cannot be read or no longer unpacks there.
    enum class Adoption { NotABlock, Adopted, Missing };
    Adoption Adopt(const std::string& path);

    // True while doc is a block opened here (it has the block's name).
    bool Holds(const RomDocument& doc) const;
    const std::string& RomPath() const { return m_romPath; }
    const PackedSource& Source() const { return m_source; }

    void SetDecider(WriteBackDecider decide) { m_decide = std::move(decide); }
    void SetPackOptions(const PackOptions& options) { m_options = options; }
    // The outcome of the last save, for the window to say what happened.
    const WriteBackResult& LastWrite() const { return m_lastWrite; }

    std::optional<FileResult> ReadDocument(const std::string& path, RomDocument& doc) override;
    std::optional<FileResult> WriteDocument(const std::string& path, RomDocument& doc) override;

    // Scanning works on the ROM behind an open block, else on the document. The address a
    // find-next starts after: the open block's, else the document's current one.
    struct ScanSubject {
        std::vector<uint8_t> bytes;
        std::string romPath;
        FileResult read;
    };
    ScanSubject ScanBytes(const RomDocument& doc) const;

private:
    // Reads the chosen block from the ROM: its unpacked bytes, with its packed bytes and room
    // kept for the write-back. ok false when the ROM cannot be read or the block not unpacked.
    struct SourceRead {
        FileResult file;
        Unpacked block;
    };
    SourceRead ReadSource();

    std::string m_romPath;
    std::string m_path; // the name of the chosen block
    PackedSource m_source;
    PackOptions m_options;
    WriteBackDecider m_decide;
    WriteBackResult m_lastWrite;
};

} // namespace tavrin
