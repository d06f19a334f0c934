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

const char* const kSummary =
    "  scan ROM [opts]         list the packed blocks of a ROM (LZ10, LZ11, RLE30, SNES)\n"
    "  unpack ROM ADDRESS --codec C OUT\n"
    "                          write the unpacked bytes of the block at ADDRESS\n"
    "  pack IN --codec C OUT   write IN packed with codec C\n";

const char* const kCodecs = "lz10, lz11, rle30, snes-be or snes-le";

const char* const kScanHelp =
    "Usage: tavrin-cli scan ROM [--codec C,...] [--min-size N] [--max-size N] [--align N]\n"
    "\n"
    "Lists every block of ROM that unpacks cleanly, one a line, tab-separated: address\n"
    "(0x%06X), codec, packed size, unpacked size. Exits with status 1 and 'no blocks found.'\n"
    "when there is none.\n"
    "\n"
    "Options:\n"
    "  --codec C,...     codecs to look for: lz10, lz11, rle30 (the handheld BIOS forms, with\n"
    "                    a header), snes-be, snes-le (the SNES command scheme with its repeat\n"
    "                    address big- or little-endian) (default lz10,lz11,rle30)\n"
    "  --min-size N      smallest unpacked size (default 32)\n"
    "  --max-size N      largest unpacked size (default 65536; larger headers are taken for\n"
    "                    chance bytes)\n"
    "  --align N         step between addresses tried (default 4 for the handheld codecs,\n"
    "                    1 for SNES)\n";

const char* const kUnpackHelp =
    "Usage: tavrin-cli unpack ROM ADDRESS --codec C OUT\n"
    "\n"
    "Unpacks the block at ADDRESS of ROM and writes its bytes to OUT. C is lz10, lz11, rle30,\n"
    "snes-be or snes-le. A block that does not unpack cleanly (a copy before the start of the\n"
    "output, data ending inside an item or before the end mark) is refused with the reason.\n";

const char* const kPackHelp =
    "Usage: tavrin-cli pack IN --codec C OUT [--allow-distance-1]\n"
    "\n"
    "Packs the bytes of IN with codec C (lz10, lz11, rle30, snes-be or snes-le) and writes\n"
    "them to OUT, after checking that they unpack to the same bytes. LZ10 copies never read\n"
    "from one byte back (video memory is written 16 bits at a time) unless\n"
    "--allow-distance-1 is given.\n";

struct PackedOptions {
    std::string command;
    std::vector<std::string> positional;
    std::vector<PackedCodec> codecs;
    std::optional<long long> minSize, maxSize, align;
    bool allowDistance1 = false;
    bool help = false;
};

bool ParseCodecs(const std::string& text, std::vector<PackedCodec>& codecs) {
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(',', start);
        const std::string name =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const auto codec = ParseCodecName(name);
        if (!codec)
            return false;
        codecs.push_back(*codec);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return !codecs.empty();
}

PackedOptions Parse(const std::vector<std::string>& args, std::vector<std::string>& errors) {
    PackedOptions o;
    o.command = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
            return o;
        }
        if (a.rfind("--", 0) != 0 || a == "--") {
            o.positional.push_back(a);
            continue;
        }
        std::string name = a;
        std::string value;
        bool hasValue = false;
        if (const size_t eq = a.find('='); eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            hasValue = true;
        }
        const bool scan = o.command == "scan";
        const bool known =
            name == "--codec" ||
            (scan && (name == "--min-size" || name == "--max-size" || name == "--align")) ||
            (o.command == "pack" && name == "--allow-distance-1");
        if (!known) {
            errors.push_back("unknown option '" + name + "' for '" + o.command + "'");
            continue;
        }
        if (name == "--allow-distance-1") {
            if (hasValue)
                errors.push_back("option " + name + " takes no value");
            o.allowDistance1 = true;
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                errors.push_back("option " + name + " needs a value");
                continue;
            }
            value = args[++i];
        }
        if (name == "--codec") {
            o.codecs.clear();
            if (!ParseCodecs(value, o.codecs) || (!scan && o.codecs.size() != 1))
                errors.push_back("bad codec '" + value + "' (" + kCodecs +
                                 (scan ? ", separated by commas)" : ")"));
            continue;
        }
        long long number = 0;
        const long long most = name == "--align" ? 0x10000 : 0x1000000;
        if (!ParseCliNumber(value, number) || number < 1 || number > most) {
            errors.push_back("bad number '" + value + "' for " + name + " (1 to " +
                             std::to_string(most) + ")");
            continue;
        }
        (name == "--min-size" ? o.minSize : name == "--max-size" ? o.maxSize : o.align) = number;
    }
    const size_t wanted = o.command == "scan" ? 1 : 2;
    if (o.command == "unpack" && o.positional.size() != 3)
        errors.push_back("expected: tavrin-cli unpack ROM ADDRESS --codec C OUT");
    else if (o.command != "unpack" && o.positional.size() != wanted)
        errors.push_back(o.command == "scan" ? "expected: tavrin-cli scan ROM"
                                             : "expected: tavrin-cli pack IN --codec C OUT");
    if (o.command != "scan" && o.codecs.empty())
        errors.push_back(std::string("option --codec is needed (") + kCodecs + ")");
    return o;
}

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

int RunScan(const PackedOptions& o, std::ostream& out, std::ostream& err) {
    std::vector<uint8_t> rom;
    if (!ReadInput(o.positional[0], rom, err))
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

int RunUnpack(const PackedOptions& o, std::ostream& err) {
    long long address = 0;
    if (!ParseCliNumber(o.positional[1], address) || address < 0) {
        CliProblem(err, {}, "bad address '" + o.positional[1] + "'");
        return CliBadInput;
    }
    std::vector<uint8_t> rom;
    if (!ReadInput(o.positional[0], rom, err))
        return CliBadInput;
    const PackedCodec codec = o.codecs.front();
    const auto at = static_cast<size_t>(address);
    const Unpacked block = at < rom.size() ? Unpack(codec, std::span(rom).subspan(at))
                                           : Unpacked{UnpackError::Truncated, {}, 0};
    if (!block) {
        CliProblem(err, o.positional[0],
                   "no " + std::string(CodecName(codec)) + " block at " + CliHex(address) + ": " +
                       std::string(DescribeUnpackError(block.error)));
        return CliBadInput;
    }
    return WriteOutput(o.positional[2], block.bytes, err) ? CliOk : CliBadInput;
}

int RunPack(const PackedOptions& o, std::ostream& err) {
    std::vector<uint8_t> data;
    if (!ReadInput(o.positional[0], data, err))
        return CliBadInput;
    const PackedCodec codec = o.codecs.front();
    PackOptions options;
    options.allowDistance1 = o.allowDistance1;
    const auto packed = Pack(codec, data, options);
    if (!packed) {
        CliProblem(err, o.positional[0], "too large for " + std::string(CodecName(codec)));
        return CliBadInput;
    }
    // Nothing is written that does not unpack to the same bytes.
    if (Unpack(codec, *packed).bytes != data) {
        CliProblem(err, o.positional[0], "the packed data did not unpack to the same bytes");
        return CliBadInput;
    }
    return WriteOutput(o.positional[1], *packed, err) ? CliOk : CliBadInput;
}

} // namespace

bool IsPackedCommand(const std::string& name) {
    return name == "scan" || name == "unpack" || name == "pack";
}

const char* PackedCommandsSummary() {
    return kSummary;
}

int RunPackedCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> errors;
    const PackedOptions o = Parse(args, errors);
    if (o.help) {
        out << (o.command == "scan" ? kScanHelp : o.command == "unpack" ? kUnpackHelp : kPackHelp);
        return CliOk;
    }
    if (!errors.empty()) {
        for (const std::string& e : errors)
            CliProblem(err, {}, e);
        return CliBadInput;
    }
    if (o.command == "scan")
        return RunScan(o, out, err);
    return o.command == "unpack" ? RunUnpack(o, err) : RunPack(o, err);
}

} // namespace tavrin
