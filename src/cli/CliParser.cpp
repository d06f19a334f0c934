#include "cli/CliParser.h"

#include "core/formats/CFormatTable.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tavrin {

namespace {

const char* const kToolHelp =
    "Usage: tavrin-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Exports pages of tile graphics from ROM images to indexed bitmaps and imports them back,\n"
    "bit-exact, with the same formats, patterns and palettes as the Tavrin window.\n"
    "\n"
    "Commands:\n"
    "  formats                 list the tile formats\n"
    "  info ROM                show the document's sizes, addresses and default format\n"
    "  export ROM OUT [opts]   decode pages into OUT.bmp or OUT.png ('-': a PNG on\n"
    "                          standard output)\n"
    "  import ROM IN [opts]    encode IN.bmp or IN.png back into the ROM file in place\n"
    "  find ROM [opts]         find the next graphics after an address\n"
    "  scan ROM [opts]         list the packed blocks of a ROM (LZ10, LZ11, RLE30, SNES)\n"
    "  unpack ROM ADDRESS --codec C OUT\n"
    "                          write the unpacked bytes of the block at ADDRESS\n"
    "  pack IN --codec C OUT   write IN packed with codec C\n"
    "  render-set SET ROM OUT [opts]\n"
    "                          draw the set window's screen over a page into OUT.bmp or OUT.png\n"
    "\n"
    "Run 'tavrin-cli COMMAND --help' for the options of a command.\n"
    "Numbers are decimal or 0x-prefixed hexadecimal. Exit status: 0 success (notes and\n"
    "warnings on standard error say what was moved or left out), 1 not found, 2 bad input:\n"
    "one line on standard error, and nothing is written. Files are written whole beside the\n"
    "target and then renamed over it, so a failure part-way leaves the old file.\n"
    "Without arguments this text goes to standard error with status 2.\n";

const char* const kFormatsHelp =
    "Usage: tavrin-cli formats\n"
    "\n"
    "Prints one line per format of the table, tab-separated: index, name, bits per pixel,\n"
    "tile width x height, extensions. The 13 built-in formats come first; a plug-in format\n"
    "(index 13 to 15: a *.so in 'plugins' beside tavrin-cli or, when installed, in\n"
    "lib/tavrin/plugins or ~/.local/share/tavrin/plugins) adds a sixth column, its header\n"
    "line: 'Ver.3  NAME ( EXTENSIONS )  by AUTHOR  ( URL )'. A plug-in that is refused is\n"
    "named on standard error with the reason.\n";

const char* const kInfoHelp =
    "Usage: tavrin-cli info ROM\n"
    "\n"
    "Prints 'key: value' lines: data size, header offset, start address, end address, and the\n"
    "format that the file's extension selects (index and name).\n";

const char* const kCodecOptions =
    "  --format F        table index or exact name (default: chosen by ROM's extension)\n"
    "  --address A       address of the first page (default: the start address). One\n"
    "                    whose page would reach past the end address is moved back to the\n"
    "                    last page by export (as the window does, with a note) and\n"
    "                    refused by import\n"
    "  --rotate R        0, 90, 180 or 270 (default 0)\n"
    "  --mirror M        none, horizontal, vertical or both (default none)\n"
    "  --pattern FILE.adf[:INDEX]\n"
    "                    arrange tiles by pattern INDEX (default 0) of a pattern file\n"
    "                    (default: pattern 0 of ROM's .adf, else of tavrin.adf)\n"
    "  --no-companions   leave out the companion files beside the ROM: ROM's name with\n"
    "                    .pal, .dat, .adf and .col, which colour and arrange the pages as\n"
    "                    in the window (over tavrin.pal, .dat and .adf beside the program;\n"
    "                    --pal, --dat and --pattern override them)\n";

const char* const kExportHelpHead =
    "Usage: tavrin-cli export ROM OUT.bmp|OUT.png|- [options]\n"
    "\n"
    "Decodes pages exactly as the tile view does and writes them as an indexed image, 128\n"
    "pixels wide, whose palette is the display palette: a bitmap at 8 bits per pixel, a PNG\n"
    "at the fewest bits (1, 2, 4 or 8) that hold every colour number the format and the\n"
    "palette group give. OUT '-' writes a PNG to standard output; an OUT that is a folder, a\n"
    "pipe or a device is refused at once. A PNG is made page by page as it is written, in\n"
    "the same memory at any page count, deflated on every core; a bitmap holds at most\n"
    "100000000 pixels (6103 pages), so more are refused with a word on PNG.\n"
    "\n"
    "Options:\n";

const char* const kExportHelpTail =
    "  --pages N|all     N pages stacked downwards (page k at address + k x page bytes;\n"
    "                    bytes past the data read as zero); 'all' is every page that\n"
    "                    starts inside the data before the end address, the pages that\n"
    "                    import --pages all takes back (default 1)\n"
    "  --pal FILE        palette file (default: ROM's .pal, else tavrin.pal beside the\n"
    "                    program)\n"
    "  --dat FILE        palette-set file (default: ROM's .dat, else tavrin.dat beside the\n"
    "                    program)\n"
    "  --entry E         selected palette-set entry; its group is the colour offset\n"
    "                    (default 0)\n"
    "  --palette-only    colour through the palette directly (identity palette set)\n"
    "  --state FILE      then colours from an emulator's save-state, as F12 takes them in\n"
    "                    the window: the section [STATE] of the settings file says, per\n"
    "                    file extension, where its palette and palette-set bytes lie\n"
    "  --ini FILE        the settings file for --state (default: tavrin.ini beside the\n"
    "                    program)\n";

const char* const kImportHelpHead =
    "Usage: tavrin-cli import ROM IN.bmp|IN.png [options]\n"
    "\n"
    "Reads an image, writes each pixel's colour number AND the format's colour mask into\n"
    "the top-left 128 x 128 pixels of the decoded page, encodes the page back at the\n"
    "address and rewrites the ROM file in place (same length; bytes outside the page\n"
    "unchanged). With --pages, an image of pages stacked downwards (as export writes it)\n"
    "goes back page by page. The colour numbers of an image:\n"
    "  indexed (bitmaps of 1, 4 or 8 bits, RLE too; indexed PNG) and grey images: their\n"
    "  indices; true-colour images (bitmaps of 16, 24 or 32 bits; RGB PNG): the index of the\n"
    "  entry of exactly that colour in the palette export writes with the same --pal, --dat,\n"
    "  --entry and --palette-only (the entry's group first); the first pixel of another\n"
    "  colour refuses the image, named with its place.\n"
    "An address given is taken exactly: a page that would reach past the end address, or\n"
    "start past the end of the data, is refused. Warnings name what the pages do not take\n"
    "(columns past 128, rows past the pages, a page only partly covered, bytes past the end\n"
    "of the data). Imports into one ROM at the same time run one after the other.\n"
    "\n"
    "Options:\n";

const char* const kImportHelpTail =
    "  --pages N|all     import N pages from the image's rows 128 k … 128 k + 127 into the\n"
    "                    pages at address + k x page bytes; 'all' takes every page the\n"
    "                    image holds (default 1: only the top 128 rows are read). Every\n"
    "                    page must start inside the ROM's data\n"
    "  --pal FILE, --dat FILE, --entry E, --palette-only\n"
    "                    the palette true colours are matched against, as for export\n";

const char* const kFindHelp =
    "Usage: tavrin-cli find ROM [--from A] [--format F]\n"
    "\n"
    "Searches, from the byte after A (default: the start address), for the next run of equal\n"
    "bytes at least one tile long and prints the address where it ends (on a 16-byte\n"
    "boundary) as 0x%06X, as F3 does in the window. Prints 'not found.' on standard error\n"
    "and exits with status 1 when there is none.\n"
    "\n"
    "Options:\n"
    "  --from A          the current address to search after\n"
    "  --format F        table index or exact name (default: chosen by ROM's extension)\n";

const char* const kRenderSetHelpHead =
    "Usage: tavrin-cli render-set SET ROM OUT.png|OUT.bmp [options]\n"
    "\n"
    "Draws the screen the set window composes and writes it as a 256 x 240 indexed image (a\n"
    "PNG at the fewest bits that hold its colour numbers), the picture the window's "
    "\"SETの画像を保存\" writes. SET is read as the window\n"
    "reads it by its extension: .nam (name table and attribute bytes), .set (name table and\n"
    "palette numbers), .st? (the name table of a VirtuaNES state), anything else as .set. The\n"
    "tiles are the page of ROM that export decodes with the same options, in its palette.\n"
    "\n"
    "Options:\n";

const char* const kRenderSetHelpTail =
    "  --pal FILE, --dat FILE, --entry E, --palette-only, --state FILE, --ini FILE\n"
    "                    the display palette, as for export\n"
    "  --spd FILE        sprite table (64 sprites of Y, tile, attributes, X); draws the\n"
    "                    sprites over the screen as the window shows them\n"
    "  --spr FILE        sprite tiles (256 tiles in the 2BPP NES layout); goes with --spd\n";

// The options, by the group of commands that take them.
enum OptionGroup : unsigned {
    FormatOption = 1,   // --format
    PageOptions = 2,    // --address, --rotate, --mirror, --pattern
    PageCount = 4,      // --pages
    ColourOptions = 8,  // --pal, --dat, --entry, --palette-only, --no-companions
    StateOptions = 16,  // --state, --ini
    SpriteOptions = 32, // --spd, --spr
    FromOption = 64,    // --from
};

struct OptionRow {
    const char* name;
    OptionGroup group;
    bool takesValue;
};

const OptionRow Options[] = {
    {"--format", FormatOption, true},
    {"--address", PageOptions, true},
    {"--rotate", PageOptions, true},
    {"--mirror", PageOptions, true},
    {"--pattern", PageOptions, true},
    {"--pages", PageCount, true},
    {"--pal", ColourOptions, true},
    {"--dat", ColourOptions, true},
    {"--entry", ColourOptions, true},
    {"--palette-only", ColourOptions, false},
    {"--no-companions", ColourOptions, false},
    {"--state", StateOptions, true},
    {"--ini", StateOptions, true},
    {"--spd", SpriteOptions, true},
    {"--spr", SpriteOptions, true},
    {"--from", FromOption, true},
};

// A command: its name, its arguments (the usage line names them), the options it takes and
// its help. A new command is a row here, a case in RunCliCommand and its Run function.
struct CommandRow {
    const char* name;
    CliCommand command;
    const char* usage; // after "tavrin-cli "
    int arguments;
    unsigned options;
    std::string (*help)();
};

const unsigned CodecOptions = FormatOption | PageOptions | ColourOptions;

const CommandRow Commands[] = {
    {"formats", CliCommand::Formats, "formats", 0, 0, [] { return std::string(kFormatsHelp); }},
    {"info", CliCommand::Info, "info ROM", 1, 0, [] { return std::string(kInfoHelp); }},
    {"export", CliCommand::Export, "export ROM OUT.bmp|OUT.png", 2,
     CodecOptions | PageCount | StateOptions,
     [] { return std::string(kExportHelpHead) + kCodecOptions + kExportHelpTail; }},
    {"import", CliCommand::Import, "import ROM IN.bmp|IN.png", 2, CodecOptions | PageCount,
     [] { return std::string(kImportHelpHead) + kCodecOptions + kImportHelpTail; }},
    {"find", CliCommand::Find, "find ROM", 1, FormatOption | FromOption,
     [] { return std::string(kFindHelp); }},
    // render-set decodes one page as export does.
    {"render-set", CliCommand::RenderSet, "render-set SET ROM OUT.png|OUT.bmp", 3,
     CodecOptions | StateOptions | SpriteOptions,
     [] { return std::string(kRenderSetHelpHead) + kCodecOptions + kRenderSetHelpTail; }},
};

const CommandRow* FindCommand(CliCommand command) {
    for (const CommandRow& row : Commands)
        if (row.command == command)
            return &row;
    return nullptr;
}

// The format a --format value names, or "" with index set. A name two formats share (a
// plug-in named like a built-in format) is refused rather than taken at random.
std::string ResolveFormat(const std::string& text, CFormatTable& formats, int& index) {
    const std::string unknown =
        "unknown format '" + text + "' (a table index or an exact name; see 'tavrin-cli formats')";
    long long number = 0;
    if (ParseCliNumber(text, number)) {
        if (number < 0 || number >= formats.Count())
            return unknown;
        index = static_cast<int>(number);
        return {};
    }
    std::vector<int> named;
    for (int i = 0; i < formats.Count(); ++i) {
        CFormat* f = formats.Get(i);
        if (f && f->Name() == text)
            named.push_back(i);
    }
    if (named.empty())
        return unknown;
    if (named.size() > 1) {
        std::string list;
        for (size_t k = 0; k < named.size(); ++k)
            list += (k == 0                  ? ""
                     : k + 1 == named.size() ? " and "
                                             : ", ") +
                    std::to_string(named[k]);
        return "format name '" + text + "' names formats " + list + "; give the index instead";
    }
    index = named.front();
    return {};
}

} // namespace

bool ParseCliNumber(const std::string& text, long long& out) {
    if (text.empty())
        return false;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    for (size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[i];
        const bool ok = hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                            : (c >= '0' && c <= '9') || (i == 0 && c == '-' && digits.size() > 1);
        if (!ok)
            return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(digits.c_str(), &end, hex ? 16 : 10);
    if (errno == ERANGE || !end || *end != '\0')
        return false;
    out = v;
    return true;
}

CliOptions ParseCliArguments(const std::vector<std::string>& args, CFormatTable& formats,
                             std::vector<std::string>& errors) {
    CliOptions o;
    if (args.empty()) {
        o.command = CliCommand::Help;
        return o;
    }
    const std::string& cmd = args[0];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        o.command = CliCommand::Help;
        return o;
    }
    const CommandRow* row = nullptr;
    for (const CommandRow& candidate : Commands)
        if (cmd == candidate.name)
            row = &candidate;
    if (row == nullptr) {
        errors.push_back("unknown command '" + cmd + "' (try --help)");
        return o;
    }
    o.command = row->command;

    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
            return o;
        }
        if (a.rfind("--", 0) != 0 || a == "--") {
            positional.push_back(a);
            continue;
        }
        // Options are "--name value" or "--name=value".
        std::string name = a;
        std::string value;
        bool hasValue = false;
        if (const size_t eq = a.find('='); eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            hasValue = true;
        }
        const auto option =
            std::find_if(std::begin(Options), std::end(Options),
                         [&name](const OptionRow& candidate) { return name == candidate.name; });
        const bool known = option != std::end(Options) && (row->options & option->group) != 0;
        const bool takesValue = known && option->takesValue;
        if (!known) {
            errors.push_back("unknown option '" + name + "' for '" + cmd + "'");
            continue;
        }
        if (takesValue && !hasValue) {
            if (i + 1 >= args.size()) {
                errors.push_back("option " + name + " needs a value");
                continue;
            }
            value = args[++i];
        } else if (!takesValue && hasValue) {
            errors.push_back("option " + name + " takes no value");
            continue;
        }

        long long number = 0;
        if (name == "--format") {
            int index = 0;
            if (const std::string problem = ResolveFormat(value, formats, index); problem.empty())
                o.formatIndex = index;
            else
                errors.push_back(problem);
        } else if (name == "--address" || name == "--from") {
            if (!ParseCliNumber(value, number) || number < 0 || number > INT_MAX)
                errors.push_back("bad number '" + value + "' for " + name);
            else if (name == "--address")
                o.address = number;
            else
                o.from = number;
        } else if (name == "--entry") {
            if (!ParseCliNumber(value, number) || number < 0 || number > 255)
                errors.push_back("bad palette-set entry '" + value + "' (0 to 255)");
            else
                o.entry = number;
        } else if (name == "--pages") {
            if (value == "all")
                o.allPages = true;
            else if (!ParseCliNumber(value, number) || number < 1 || number > 65536)
                errors.push_back("bad page count '" + value + "' (1 to 65536, or all)");
            else
                o.pages = static_cast<int>(number);
        } else if (name == "--rotate") {
            static const char* const kRotations[] = {"0", "90", "180", "270"};
            int found = -1;
            for (int k = 0; k < 4; ++k)
                if (value == kRotations[k])
                    found = k;
            if (found < 0)
                errors.push_back("bad rotation '" + value + "' (0, 90, 180 or 270)");
            else
                o.rotateIndex = found;
        } else if (name == "--mirror") {
            static const char* const kMirrors[] = {"none", "horizontal", "vertical", "both"};
            int found = -1;
            for (int k = 0; k < 4; ++k)
                if (value == kMirrors[k])
                    found = k;
            if (found < 0)
                errors.push_back("bad mirror '" + value + "' (none, horizontal, vertical or both)");
            else
                o.mirrorIndex = found;
        } else if (name == "--pattern") {
            // FILE.adf[:INDEX]; a colon followed by a number ends the file name.
            o.patternFile = value;
            o.patternIndex = 0;
            if (const size_t colon = value.rfind(':'); colon != std::string::npos) {
                const std::string tail = value.substr(colon + 1);
                if (ParseCliNumber(tail, number)) {
                    if (number < 0 || number > 63)
                        errors.push_back("bad pattern index '" + tail + "' (0 to 63)");
                    o.patternFile = value.substr(0, colon);
                    o.patternIndex = static_cast<int>(number);
                }
            }
            if (o.patternFile.empty())
                errors.push_back("option --pattern needs a file name");
        } else if (name == "--pal") {
            o.palFile = value;
        } else if (name == "--dat") {
            o.datFile = value;
        } else if (name == "--palette-only") {
            o.paletteOnly = true;
        } else if (name == "--no-companions") {
            o.noCompanions = true;
        } else if (name == "--state") {
            o.stateFile = value;
        } else if (name == "--ini") {
            o.iniFile = value;
        } else if (name == "--spd") {
            o.spdFile = value;
        } else if (name == "--spr") {
            o.sprFile = value;
        }
    }

    if (!o.iniFile.empty() && o.stateFile.empty())
        errors.push_back("option --ini only goes with --state");

    if (o.spdFile.empty() != o.sprFile.empty())
        errors.push_back("options --spd and --spr go together");

    if (positional.size() != static_cast<size_t>(row->arguments)) {
        // After a bad option the count says nothing new: the option's value may be among them.
        if (!errors.empty())
            return o;
        if (row->arguments == 0)
            errors.push_back(std::string("'") + row->name + "' takes no arguments");
        else
            errors.push_back(std::string("expected: tavrin-cli ") + row->usage);
        return o;
    }
    // SET comes before ROM; then the image.
    const bool withSet = o.command == CliCommand::RenderSet;
    if (withSet)
        o.setFile = positional[0];
    if (positional.size() > (withSet ? 1u : 0u))
        o.rom = positional[withSet ? 1 : 0];
    if (positional.size() > (withSet ? 2u : 1u))
        o.image = positional[withSet ? 2 : 1];
    return o;
}

std::string CliHelpText(CliCommand command) {
    const CommandRow* row = FindCommand(command);
    return row != nullptr ? row->help() : std::string(kToolHelp);
}

} // namespace tavrin
