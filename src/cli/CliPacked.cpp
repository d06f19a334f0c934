#include "cli/CliPacked.h"

#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "cli/CliParser.h"
#include "core/compress/BlockScanner.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <optional>
#include <ostream>

namespace tavrin {

namespace {

// Reads a file named on the command line; reports and returns false on failure.
bool ReadInput(const std::string& path, std::vector<uint8_t>& bytes, std::ostream& err) {
    if (FileResult read = ReadWholeFile(path, bytes); !read) {
        CliProblem(err, path, CliFailureText(read));
        return false;
    }
    return true;
}

bool WriteOutput(const std::string& path, const std::vector<uint8_t>& bytes, std::ostream& err) {
    if (FileResult written = WriteFileSafely(path, bytes); !written) {
        CliProblem(err, path, CliFailureText(written));
        return false;
    }
    return true;
}

int RunScan(const CliOptions& o, std::ostream& out, std::ostream& err) {
    std::vector<uint8_t> rom;
    if (!ReadInput(o.rom, rom, err))
        return CliBadInput;
    ScanOptions options;
    if (!o.codecs.empty())
        options.codecs = o.codecs;
    options.minUnpacked = static_cast<size_t>(o.minSize.value_or(32));
    options.maxUnpacked = static_cast<size_t>(o.maxSize.value_or(0x10000));
    options.align = static_cast<size_t>(o.align.value_or(0));
    const std::vector<FoundBlock> blocks = FindAllBlocks(rom, options);
    if (blocks.empty()) {
        err << "no blocks found.\n";
        return CliNotFound;
    }
    for (const FoundBlock& b : blocks)
        out << CliHex(static_cast<long long>(b.address)) << '\t' << CodecName(b.codec) << '\t'
            << b.size.packed << '\t' << b.size.unpacked << '\n';
    return CliOk;
}

int RunUnpack(const CliOptions& o, std::ostream& err) {
    long long address = 0;
    if (!ParseCliNumber(o.addressText, address) || address < 0) {
        CliProblem(err, {}, "bad address '" + o.addressText + "'");
        return CliBadInput;
    }
    std::vector<uint8_t> rom;
    if (!ReadInput(o.rom, rom, err))
        return CliBadInput;
    const PackedCodec codec = o.codecs.front();
    const auto at = static_cast<size_t>(address);
    const Unpacked block = at < rom.size() ? Unpack(codec, std::span(rom).subspan(at))
                                           : Unpacked{UnpackError::Truncated, {}, 0};
    if (!block) {
        CliProblem(err, o.rom,
                   "no " + std::string(CodecName(codec)) + " block at " + CliHex(address) + ": " +
                       std::string(DescribeUnpackError(block.error)));
        return CliBadInput;
    }
    return WriteOutput(o.output, block.bytes, err) ? CliOk : CliBadInput;
}

int RunPack(const CliOptions& o, std::ostream& err) {
    std::vector<uint8_t> data;
    if (!ReadInput(o.input, data, err))
        return CliBadInput;
    const PackedCodec codec = o.codecs.front();
    PackOptions options;
    options.allowDistance1 = o.allowDistance1;
    const auto packed = Pack(codec, data, options);
    if (!packed) {
        CliProblem(err, o.input, "too large for " + std::string(CodecName(codec)));
        return CliBadInput;
    }
    // Nothing is written that does not unpack to the same bytes.
    if (Unpack(codec, *packed).bytes != data) {
        CliProblem(err, o.input, "the packed data did not unpack to the same bytes");
        return CliBadInput;
    }
    return WriteOutput(o.output, *packed, err) ? CliOk : CliBadInput;
}

} // namespace

int RunPackedCommand(const CliOptions& o, std::ostream& out, std::ostream& err) {
    switch (o.command) {
    case CliCommand::Scan:
        return RunScan(o, out, err);
    case CliCommand::Unpack:
        return RunUnpack(o, err);
    default:
        return RunPack(o, err);
    }
}

} // namespace tavrin
