#pragma once

#include "core/compress/PackedCodec.h"
#include "core/platform/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

// A packed block as it was opened: its codec, where it lies, the bytes it took and how many
// bytes from its address may be overwritten (the size of the block first opened there, which
// a smaller save does not shrink).
struct PackedSource {
    PackedCodec codec = PackedCodec::Lz10;
    size_t address = 0;
    std::vector<uint8_t> packed;
    size_t room = 0;
};

// Handheld ROMs are addressed from here; a pointer to a block holds this plus its offset.
inline constexpr uint32_t HandheldRomBase = 0x08000000;
// Blocks appended to a file start on this boundary.
inline constexpr size_t AppendAlignment = 4;

// What saving the unpacked bytes would do to the file.
struct WriteBackPlan {
    std::vector<uint8_t> packed;  // the new block, checked to unpack to the same bytes
    bool fits = false;            // it fits in the old block's room
    size_t appendAddress = 0;     // where an append puts it: the file's end, aligned
    std::vector<size_t> pointers; // handheld only: aligned 32-bit pointers to the old block
};

enum class WriteBackProblem {
    None,
    PackFailed,    // too large for the codec
    CheckFailed,   // the packed bytes do not unpack to the same bytes; nothing is written
    SourceChanged, // the file no longer holds the block that was opened
    DoesNotFit,    // it would have to move, and moving was not allowed
    Cancelled,
    FileFailed, // reading or writing the file failed (see the FileResult)
};

// What the user allows when the block does not fit.
struct WriteBackChoice {
    bool append = false;  // put the block at the end of the file
    bool repoint = false; // and point the pointers to the old block at it
};

// Packs data with the source's codec and checks the result, then looks at file for the room
// and the pointers. Fails with PackFailed, CheckFailed or SourceChanged.
WriteBackProblem PlanWriteBack(std::span<const uint8_t> file, const PackedSource& source,
                               std::span<const uint8_t> data, const PackOptions& options,
                               WriteBackPlan& plan);

// Applies a plan to the file's bytes: in place when it fits (the old block's other bytes
// stay), else appended if the choice allows (with the pointers moved if it says so).
// The source then describes the block as written. False, with nothing changed, when it does
// not fit and appending is not allowed.
bool ApplyWriteBack(std::vector<uint8_t>& file, PackedSource& source, const WriteBackPlan& plan,
                    const WriteBackChoice& choice);

struct WriteBackResult {
    WriteBackProblem problem = WriteBackProblem::None;
    FileResult file;
    bool appended = false;
    size_t address = 0;       // where the block now lies
    size_t packedSize = 0;    // its new size
    size_t pointersMoved = 0; // pointers changed to the new place

    explicit operator bool() const { return problem == WriteBackProblem::None; }
};

// Asked only when the block does not fit: what to do (none cancels).
using WriteBackDecider = std::function<std::optional<WriteBackChoice>(const WriteBackPlan&)>;

// The whole save of an open block, the same for the window and the command line: reads the
// file at path, plans, asks decide when the block must move, and writes the file through
// the safe writer. The source follows the block when it moves.
WriteBackResult WriteBackBlock(const std::string& path, PackedSource& source,
                               std::span<const uint8_t> data, const PackOptions& options,
                               const WriteBackDecider& decide);

// The problem in plain English words.
std::string DescribeWriteBackProblem(WriteBackProblem problem);

} // namespace tavrin
