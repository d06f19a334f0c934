#include "cli/CliParser.h"

#include "cli/CliHelp.h"
#include "core/formats/CFormatTable.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tavrin {

namespace {

// What an option's value is read into, and where its problems go.
struct ParseContext {
    CliOptions& o;
    CFormatTable& formats;
    std::vector<std::string>& errors;
    const std::string& name; // the option as given
};

// The options, by the group of commands that take them.
enum OptionGroup : unsigned {
    FormatOption = 1u << 0,   // --format
    PageOptions = 1u << 1,    // --address, --rotate, --mirror, --pattern
    PageCount = 1u << 2,      // --pages
    ColourOptions = 1u << 3,  // --pal, --dat, --entry, --palette-only, --no-companions
    StateOptions = 1u << 4,   // --state, --ini
    SpriteOptions = 1u << 5,  // --spd, --spr
    FromOption = 1u << 6,     // --from A
    PaletteFile = 1u << 7,    // --palette, --palette-format, --expand
    PaletteList = 1u << 8,    // --palettes
    PaletteConvert = 1u << 9, // --from F, --to F, --expand, --master
    CodecChoice = 1u << 10,   // --codec
    ScanSizes = 1u << 11,     // --min-size, --max-size, --align
    PackFlags = 1u << 12,     // --allow-distance-1
    PackedPages = 1u << 13,   // --packed
    BlockMove = 1u << 14,     // --append, --repoint
    ByteOptions = 1u << 15,   // --backward, --bytes, --text
};

// One option: its name, the commands that take it, whether a value follows, and how the
// value is read. One name may have a row per group when it means different things there.
struct OptionRow {
    const char* name;
    unsigned group;
    bool takesValue;
    void (*read)(const std::string& value, ParseContext& c);
};

void Bad(ParseContext& c, const std::string& text) {
    c.errors.push_back(text);
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

// An address-like number: 0 to INT_MAX.
void ReadAddress(const std::string& value, ParseContext& c, std::optional<long long>& out) {
    long long number = 0;
    if (!ParseCliNumber(value, number) || number < 0 || number > INT_MAX)
        Bad(c, "bad number '" + value + "' for " + c.name);
    else
        out = number;
}

// One of the words, by its index.
void ReadChoice(const std::string& value, ParseContext& c, std::initializer_list<const char*> words,
                const char* wanted, int& out) {
    int k = 0;
    for (const char* word : words) {
        if (value == word) {
            out = k;
            return;
        }
        ++k;
    }
    Bad(c, "bad " + std::string(c.name.substr(2)) + " '" + value + "' (" + wanted + ")");
}

void ReadPaletteFormat(const std::string& value, ParseContext& c,
                       std::optional<PaletteFormat>& out) {
    out = PaletteFormatByName(value);
    if (!out)
        Bad(c, "unknown palette format '" + value + "' for " + c.name + " (" +
                   PaletteFormatNames() + "; see 'tavrin-cli formats --palettes')");
}

void ReadPattern(const std::string& value, ParseContext& c) {
    // FILE.adf[:INDEX]; a colon followed by a number ends the file name.
    CliOptions& o = c.o;
    o.patternGiven = true;
    o.patternFile = value;
    o.patternIndex = 0;
    long long number = 0;
    if (const size_t colon = value.rfind(':'); colon != std::string::npos) {
        const std::string tail = value.substr(colon + 1);
        if (ParseCliNumber(tail, number)) {
            if (number < 0 || number > 63)
                Bad(c, "bad pattern index '" + tail + "' (0 to 63)");
            o.patternFile = value.substr(0, colon);
            o.patternIndex = static_cast<int>(number);
        }
    }
    if (o.patternFile.empty())
        Bad(c, "option --pattern needs a file name");
}

const char* const kCodecNames = "lz10, lz11, rle30, snes-be or snes-le";

// One codec or several separated by commas; the command decides how many it takes.
void ReadCodecs(const std::string& value, ParseContext& c) {
    std::vector<PackedCodec>& codecs = c.o.codecs;
    codecs.clear();
    size_t start = 0;
    bool ok = true;
    for (;;) {
        const size_t comma = value.find(',', start);
        const auto codec = ParseCodecName(
            value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        ok = ok && codec.has_value();
        if (codec)
            codecs.push_back(*codec);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    const bool several = c.o.command == CliCommand::Scan;
    if (!ok || (!several && codecs.size() != 1)) {
        codecs.clear();
        Bad(c, "bad codec '" + value + "' (" + kCodecNames +
                   (several ? ", separated by commas)" : ")"));
    }
}

void ReadSize(const std::string& value, ParseContext& c, std::optional<long long>& out) {
    long long number = 0;
    const long long most = c.name == "--align" ? 0x10000 : 0x1000000;
    if (!ParseCliNumber(value, number) || number < 1 || number > most)
        Bad(c, "bad number '" + value + "' for " + c.name + " (1 to " + std::to_string(most) + ")");
    else
        out = number;
}

const OptionRow Options[] = {
    {"--format", FormatOption, true,
     [](const std::string& v, ParseContext& c) {
         int index = 0;
         if (const std::string problem = ResolveFormat(v, c.formats, index); problem.empty())
             c.o.formatIndex = index;
         else
             Bad(c, problem);
     }},
    {"--address", PageOptions, true,
     [](const std::string& v, ParseContext& c) {
         // @NAME: the place of a bookmark of the ROM.
         if (v.size() > 1 && v[0] == '@')
             c.o.addressBookmark = v.substr(1);
         else
             ReadAddress(v, c, c.o.address);
     }},
    {"--rotate", PageOptions, true,
     [](const std::string& v, ParseContext& c) {
         ReadChoice(v, c, {"0", "90", "180", "270"}, "0, 90, 180 or 270", c.o.rotateIndex);
         c.o.rotateGiven = true;
     }},
    {"--mirror", PageOptions, true,
     [](const std::string& v, ParseContext& c) {
         ReadChoice(v, c, {"none", "horizontal", "vertical", "both"},
                    "none, horizontal, vertical or both", c.o.mirrorIndex);
         c.o.mirrorGiven = true;
     }},
    {"--pattern", PageOptions, true, ReadPattern},
    {"--pages", PageCount, true,
     [](const std::string& v, ParseContext& c) {
         long long number = 0;
         if (v == "all")
             c.o.allPages = true;
         else if (!ParseCliNumber(v, number) || number < 1 || number > 65536)
             Bad(c, "bad page count '" + v + "' (1 to 65536, or all)");
         else
             c.o.pages = static_cast<int>(number);
     }},
    {"--pal", ColourOptions, true, [](const std::string& v, ParseContext& c) { c.o.palFile = v; }},
    {"--dat", ColourOptions, true, [](const std::string& v, ParseContext& c) { c.o.datFile = v; }},
    {"--entry", ColourOptions, true,
     [](const std::string& v, ParseContext& c) {
         long long number = 0;
         if (!ParseCliNumber(v, number) || number < 0 || number > 255)
             Bad(c, "bad palette-set entry '" + v + "' (0 to 255)");
         else
             c.o.entry = number;
         c.o.entryGiven = true;
     }},
    {"--palette-only", ColourOptions, false,
     [](const std::string&, ParseContext& c) { c.o.paletteOnly = true; }},
    {"--no-companions", ColourOptions, false,
     [](const std::string&, ParseContext& c) { c.o.noCompanions = true; }},
    {"--state", StateOptions, true,
     [](const std::string& v, ParseContext& c) { c.o.stateFile = v; }},
    {"--ini", StateOptions, true, [](const std::string& v, ParseContext& c) { c.o.iniFile = v; }},
    {"--spd", SpriteOptions, true, [](const std::string& v, ParseContext& c) { c.o.spdFile = v; }},
    {"--spr", SpriteOptions, true, [](const std::string& v, ParseContext& c) { c.o.sprFile = v; }},
    {"--from", FromOption, true,
     [](const std::string& v, ParseContext& c) { ReadAddress(v, c, c.o.from); }},
    {"--backward", ByteOptions, false,
     [](const std::string&, ParseContext& c) { c.o.backward = true; }},
    {"--bytes", ByteOptions, true, [](const std::string& v, ParseContext& c) { c.o.bytes = v; }},
    {"--text", ByteOptions, true, [](const std::string& v, ParseContext& c) { c.o.text = v; }},
    {"--palette", PaletteFile, true,
     [](const std::string& v, ParseContext& c) { c.o.paletteFile = v; }},
    {"--palette-format", PaletteFile, true,
     [](const std::string& v, ParseContext& c) { ReadPaletteFormat(v, c, c.o.paletteFormat); }},
    {"--expand", PaletteFile | PaletteConvert, true,
     [](const std::string& v, ParseContext& c) {
         int k = 0;
         ReadChoice(v, c, {"full", "shift"}, "full or shift", k);
         c.o.expansion = k == 0 ? ChannelExpansion::Full : ChannelExpansion::Shift;
     }},
    {"--palettes", PaletteList, false,
     [](const std::string&, ParseContext& c) { c.o.palettes = true; }},
    {"--from", PaletteConvert, true,
     [](const std::string& v, ParseContext& c) { ReadPaletteFormat(v, c, c.o.paletteFrom); }},
    {"--to", PaletteConvert, true,
     [](const std::string& v, ParseContext& c) { ReadPaletteFormat(v, c, c.o.paletteTo); }},
    {"--master", PaletteConvert, true,
     [](const std::string& v, ParseContext& c) { c.o.masterFile = v; }},
    {"--codec", CodecChoice, true, ReadCodecs},
    {"--min-size", ScanSizes, true,
     [](const std::string& v, ParseContext& c) { ReadSize(v, c, c.o.minSize); }},
    {"--max-size", ScanSizes, true,
     [](const std::string& v, ParseContext& c) { ReadSize(v, c, c.o.maxSize); }},
    {"--align", ScanSizes, true,
     [](const std::string& v, ParseContext& c) { ReadSize(v, c, c.o.align); }},
    {"--allow-distance-1", PackFlags, false,
     [](const std::string&, ParseContext& c) { c.o.allowDistance1 = true; }},
    {"--packed", PackedPages, true,
     [](const std::string& v, ParseContext& c) {
         c.o.packed = ParseCodecName(v);
         if (!c.o.packed)
             Bad(c, "bad codec '" + v + "' (" + kCodecNames + ")");
     }},
    {"--append", BlockMove, false, [](const std::string&, ParseContext& c) { c.o.append = true; }},
    {"--repoint", BlockMove, false,
     [](const std::string&, ParseContext& c) { c.o.repoint = true; }},
};

// Where a command's arguments go, in order.
using ArgumentSlot = std::string CliOptions::*;

// A command: its name (and the word after it, for a command of two words), its arguments
// (the usage line names them), the options it takes and its help. A new command is a row
// here, a case in RunCliCommand and its Run function.
struct CommandRow {
    const char* name;
    const char* word; // the second word, or nullptr
    CliCommand command;
    const char* usage; // after "tavrin-cli "
    std::vector<ArgumentSlot> arguments;
    unsigned options;
    std::string (*help)();
};

const unsigned CodecOptions = FormatOption | PageOptions | ColourOptions | PaletteFile;

const CommandRow Commands[] = {
    {"formats", nullptr, CliCommand::Formats, "formats [--palettes]", {}, PaletteList, FormatsHelp},
    {"--version", nullptr, CliCommand::Version, "--version", {}, 0, VersionHelp},
    {"info", nullptr, CliCommand::Info, "info ROM", {&CliOptions::rom}, 0, InfoHelp},
    {"export",
     nullptr,
     CliCommand::Export,
     "export ROM OUT.bmp|OUT.png",
     {&CliOptions::rom, &CliOptions::image},
     CodecOptions | PageCount | StateOptions | PackedPages,
     ExportHelp},
    {"import",
     nullptr,
     CliCommand::Import,
     "import ROM IN.bmp|IN.png",
     {&CliOptions::rom, &CliOptions::image},
     CodecOptions | PageCount | PackedPages | BlockMove,
     ImportHelp},
    {"find",
     nullptr,
     CliCommand::Find,
     "find ROM",
     {&CliOptions::rom},
     FormatOption | FromOption | ByteOptions,
     FindHelp},
    // render-set decodes one page as export does.
    {"render-set",
     nullptr,
     CliCommand::RenderSet,
     "render-set SET ROM OUT.png|OUT.bmp",
     {&CliOptions::setFile, &CliOptions::rom, &CliOptions::image},
     CodecOptions | StateOptions | SpriteOptions,
     RenderSetHelp},
    {"bookmarks",
     nullptr,
     CliCommand::Bookmarks,
     "bookmarks ROM",
     {&CliOptions::rom},
     0,
     BookmarksHelp},
    {"palette",
     "convert",
     CliCommand::PaletteConvert,
     "palette convert IN OUT",
     {&CliOptions::input, &CliOptions::output},
     PaletteConvert,
     PaletteConvertHelp},
    {"scan",
     nullptr,
     CliCommand::Scan,
     "scan ROM",
     {&CliOptions::rom},
     CodecChoice | ScanSizes,
     ScanHelp},
    {"unpack",
     nullptr,
     CliCommand::Unpack,
     "unpack ROM ADDRESS --codec C OUT",
     {&CliOptions::rom, &CliOptions::addressText, &CliOptions::output},
     CodecChoice,
     UnpackHelp},
    {"pack",
     nullptr,
     CliCommand::Pack,
     "pack IN --codec C OUT",
     {&CliOptions::input, &CliOptions::output},
     CodecChoice | PackFlags,
     PackHelp},
};

const CommandRow* FindCommand(CliCommand command) {
    for (const CommandRow& row : Commands)
        if (row.command == command)
            return &row;
    return nullptr;
}

// The row of the command the arguments start with; errors say why there is none.
const CommandRow* MatchCommand(const std::vector<std::string>& args, size_t& used,
                               std::vector<std::string>& errors) {
    const std::string& cmd = args[0];
    for (const CommandRow& row : Commands) {
        if (cmd != row.name)
            continue;
        used = 1;
        if (row.word == nullptr)
            return &row;
        // "palette --help" asks for the help of its one command.
        if (args.size() > 1 && (args[1] == row.word || args[1] == "--help" || args[1] == "-h")) {
            used = args[1] == row.word ? 2 : 1;
            return &row;
        }
        errors.push_back("expected: tavrin-cli " + std::string(row.usage) + " (try 'tavrin-cli " +
                         row.name + " --help')");
        return nullptr;
    }
    errors.push_back("unknown command '" + cmd + "' (try --help)");
    return nullptr;
}

// The checks of options that go together, once all are read.
void CheckCombinations(const CliOptions& o, std::vector<std::string>& errors) {
    if (!o.iniFile.empty() && o.stateFile.empty())
        errors.push_back("option --ini only goes with --state");
    if (o.spdFile.empty() != o.sprFile.empty())
        errors.push_back("options --spd and --spr go together");
    if ((o.paletteFormat || o.expansion) && o.paletteFile.empty() &&
        o.command != CliCommand::PaletteConvert)
        errors.push_back("options --palette-format and --expand go with --palette");
    if (!o.bytes.empty() && !o.text.empty())
        errors.push_back("options --bytes and --text do not go together");
    if (o.packed && !o.address && o.addressBookmark.empty())
        errors.push_back("option --packed needs --address (the block's address)");
    if ((o.append || o.repoint) && !o.packed)
        errors.push_back("options --append and --repoint go with --packed");
    if (o.repoint && !o.append)
        errors.push_back("option --repoint goes with --append");
    if ((o.command == CliCommand::Unpack || o.command == CliCommand::Pack) && o.codecs.empty())
        errors.push_back(std::string("option --codec is needed (") + kCodecNames + ")");
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
    size_t used = 0;
    const CommandRow* row = MatchCommand(args, used, errors);
    if (row == nullptr)
        return o;
    o.command = row->command;

    std::vector<std::string> positional;
    for (size_t i = used; i < args.size(); ++i) {
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
        const auto option = std::find_if(
            std::begin(Options), std::end(Options), [&name, row](const OptionRow& candidate) {
                return name == candidate.name && (row->options & candidate.group) != 0;
            });
        if (option == std::end(Options)) {
            errors.push_back("unknown option '" + name + "' for '" + cmd + "'");
            continue;
        }
        if (option->takesValue && !hasValue) {
            if (i + 1 >= args.size()) {
                errors.push_back("option " + name + " needs a value");
                continue;
            }
            value = args[++i];
        } else if (!option->takesValue && hasValue) {
            errors.push_back("option " + name + " takes no value");
            continue;
        }
        ParseContext context{o, formats, errors, name};
        option->read(value, context);
    }

    CheckCombinations(o, errors);

    if (positional.size() != row->arguments.size()) {
        // After a bad option the count says nothing new: the option's value may be among them.
        if (!errors.empty())
            return o;
        if (row->arguments.empty())
            errors.push_back(std::string("'") + row->name + "' takes no arguments");
        else
            errors.push_back(std::string("expected: tavrin-cli ") + row->usage);
        return o;
    }
    for (size_t k = 0; k < positional.size(); ++k)
        o.*(row->arguments[k]) = positional[k];
    return o;
}

bool CliCommandReadsFormats(const std::string& name) {
    for (const CommandRow& row : Commands)
        if (name == row.name)
            return (row.options & FormatOption) != 0 || row.command == CliCommand::Formats ||
                   row.command == CliCommand::Info;
    return true;
}

std::string CliHelpText(CliCommand command, const AppPaths& paths) {
    const CommandRow* row = FindCommand(command);
    return WithPaths(row != nullptr ? row->help() : ToolHelp(), paths);
}

} // namespace tavrin
