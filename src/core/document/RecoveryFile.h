#pragma once

#include "core/platform/FileResult.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

class RomDocument;

// What a recovery file keeps of a document with unsaved changes: its path, where it was
// shown, and its bytes (the data and what was drawn past it, as the buffer holds them).
struct RecoveryRecord {
    std::string documentPath;
    int32_t address = 0;
    int32_t format = 0;
    int32_t dataSize = 0;
    std::vector<uint8_t> bytes; // at least dataSize
};

// The record's bytes in the file, and back. Decoding checks every size against the bytes
// there are; false (record unchanged) for anything else.
std::vector<uint8_t> EncodeRecovery(const RecoveryRecord& record);
bool DecodeRecovery(std::span<const uint8_t> file, RecoveryRecord& record);

// The recovery file of a document in folder (with a trailing '/'): one per document path.
std::string RecoveryFilePath(const std::string& folder, const std::string& documentPath);
// The recovery files in folder, the newest first.
std::vector<std::string> RecoveryFilesIn(const std::string& folder);

// Keeps the recovery file of the document up to date: written (through the safe writer)
// when the document has changes the file does not hold yet, removed when the document has
// none. The window calls Keep at most every 30 seconds, and Forget on a normal close.
class RecoveryKeeper {
public:
    explicit RecoveryKeeper(std::string folder) : m_folder(std::move(folder)) {}

    // generation changes with every change of the bytes (the undo position). False when a
    // file should have been written and could not be.
    bool Keep(const RomDocument& document, bool modified, int generation, int address, int format);
    // Removes the document's recovery file when the document has no unsaved changes (after a
    // save, or undoing back to the saved bytes).
    void ForgetIfSaved(const RomDocument& document, bool modified);
    // Removes the document's recovery file (a normal close, or the user discarding it).
    void Forget(const std::string& documentPath);

    const std::string& Folder() const { return m_folder; }

private:
    std::string m_folder;
    std::string m_writtenPath;
    int m_writtenGeneration = -1;
};

} // namespace tavrin
