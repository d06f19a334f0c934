#include "cli/CliPackedPages.h"

#include "cli/CliCommands.h"
#include "cli/CliExport.h"
#include "cli/CliImport.h"
#include "cli/CliMessages.h"
#include "core/compress/PackedBlockOrigin.h"
#include "core/formats/CFormatTable.h"
#include "core/platform/FileIO.h"
#include "core/workspace/PageTransfer.h"
#include "core/workspace/Workspace.h"

#include <ostream>

namespace tavrin {

namespace {

// The block must unpack before anything else is done, so that its failure is said in the
// codec's words rather than as a file that cannot be read.
bool CheckBlock(const CliOptions& o, std::ostream& err) {
    if (const std::string problem = CliInputProblem(o.rom); !problem.empty()) {
        CliProblem(err, o.rom, problem);
        return false;
    }
    std::vector<uint8_t> rom;
    if (FileResult read = ReadWholeFile(o.rom, rom); !read) {
        CliProblem(err, o.rom, CliFailureText(read));
        return false;
    }
    const auto at = static_cast<size_t>(*o.address);
    const Unpacked block = at < rom.size() ? Unpack(*o.packed, std::span(rom).subspan(at))
                                           : Unpacked{UnpackError::Truncated, {}, 0};
    if (!block) {
        CliProblem(err, o.rom,
                   "no " + std::string(CodecName(*o.packed)) + " block at " + CliHex(*o.address) +
                       ": " + std::string(DescribeUnpackError(block.error)));
        return false;
    }
    return true;
}

// The last note of a refused import, in the words of the write-back when it refused.
void ExplainWriteBack(const WriteBackResult& written, const std::string& rom,
                      TransferResult& result) {
    if (result.notes.empty())
        return;
    TransferNote& last = result.notes.back();
    switch (written.problem) {
    case WriteBackProblem::DoesNotFit:
        last = {rom,
                "the packed block (" + std::to_string(written.packedSize) +
                    " bytes) no longer fits in its place; --append puts it at the end of the file",
                std::nullopt};
        break;
    case WriteBackProblem::PackFailed:
    case WriteBackProblem::CheckFailed:
    case WriteBackProblem::SourceChanged:
        last = {rom, DescribeWriteBackProblem(written.problem), std::nullopt};
        break;
    default:
        break;
    }
}

} // namespace

int RunOnPackedBlock(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& out,
                     std::ostream& err) {
    if (!CheckBlock(o, err))
        return CliBadInput;
    PackedBlockOrigin origin;
    CliOptions block = o;
    // The block's name has no extension of its own: the format is the ROM's.
    if (!block.formatIndex)
        block.formatIndex = ws.Formats().FindByExtension(o.rom);
    block.rom = origin.Choose(o.rom, *o.packed, static_cast<size_t>(*o.address));
    block.address = 0;
    origin.SetDecider([&o](const WriteBackPlan&) -> std::optional<WriteBackChoice> {
        return WriteBackChoice{o.append, o.repoint};
    });
    ws.SetDocumentOrigin(&origin);
    int status = CliBadInput;
    if (o.command == CliCommand::Export) {
        status = RunExport(block, ws, paths, out, err);
    } else {
        ImportInto into{o.rom, [&origin, &o](TransferResult& result) {
                            ExplainWriteBack(origin.LastWrite(), o.rom, result);
                        }};
        status = RunImport(block, ws, paths, err, into);
        const WriteBackResult& written = origin.LastWrite();
        if (status == CliOk && written.appended)
            CliProblem(err, o.rom,
                       "note: the block moved to " +
                           CliHex(static_cast<long long>(written.address)) + "; " +
                           std::to_string(written.pointersMoved) + " pointers changed");
    }
    ws.SetDocumentOrigin(nullptr);
    return status;
}

} // namespace tavrin
