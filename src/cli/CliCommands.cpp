#include "cli/CliCommands.h"

#include "cli/CliExport.h"
#include "cli/CliImport.h"
#include "cli/CliMessages.h"
#include "cli/CliNavigate.h"
#include "cli/CliPacked.h"
#include "cli/CliPackedPages.h"
#include "cli/CliPalette.h"
#include "cli/CliParser.h"
#include "cli/CliRenderSet.h"
#include "cli/CliSameFile.h"
#include "core/formats/PluginFolders.h"
#include "core/platform/FileIO.h"
#include "core/startup/AppPaths.h"
#include "core/workspace/PageTransfer.h"
#include "core/workspace/Workspace.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <ostream>
#include <span>

namespace tavrin {

namespace {

void Problem(std::ostream& err, const std::string& file, const std::string& text) {
    err << "tavrin-cli: " << (file.empty() ? std::string() : file + ": ") << text << "\n";
}

std::string Hex6(long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%06llX", v);
    return buf;
}

int RunFormats(CFormatTable& formats, std::ostream& out) {
    for (int i = 0; i < formats.Count(); ++i) {
        CFormat* f = formats.Get(i);
        const FormatInfo* info = f ? f->GetInfo() : nullptr;
        if (!info)
            continue;
        out << i << '\t' << f->Name() << '\t' << info->bitsPerPixel << '\t' << info->width << 'x'
            << info->height << '\t' << TextField(info->extensions);
        // A plug-in format adds its header line, as the settings dialog lists it; the
        // built-in lines keep their five columns for scripts that read them.
        if (i >= CFormatTable::BuiltinCount) {
            std::string line = formats.ListLine(i);
            while (!line.empty() && line.back() == ' ')
                line.pop_back();
            out << '\t' << line;
        }
        out << '\n';
    }
    return CliOk;
}

int RunInfo(const CliOptions& o, Workspace& ws, std::ostream& out, std::ostream& err) {
    if (FileResult read = ws.OpenRom(o.rom); !read) {
        Problem(err, o.rom, CliFailureText(read));
        return CliBadInput;
    }
    const RomDocument& doc = ws.Document();
    const int index = ws.Formats().FindByExtension(o.rom);
    CFormat* f = ws.Formats().Get(index);
    out << "file: " << o.rom << '\n'
        << "data size: " << doc.DataSize() << '\n'
        << "header offset: " << doc.HeaderOffset() << '\n'
        << "start address: " << Hex6(doc.StartAddress()) << '\n'
        << "end address: " << Hex6(doc.EndAddress()) << '\n'
        << "format: " << index << ' ' << (f ? f->Name() : std::string()) << '\n';
    if (doc.INes().present)
        out << "ines: " << doc.INes().programBanks << " program banks, "
            << doc.INes().characterBanks << " character banks, "
            << (doc.INes().trainer ? "trainer" : "no trainer") << '\n';
    return CliOk;
}

} // namespace

PageRequest CliPageRequest(const CliOptions& o, const AppPaths& paths) {
    PageRequest r;
    r.rom = o.rom;
    r.standardFiles = paths.standardFiles;
    r.format = o.formatIndex;
    r.address = o.address;
    r.rotate = o.rotateIndex;
    r.mirror = o.mirrorIndex;
    r.patternFile = o.patternFile;
    r.patternIndex = o.patternIndex;
    r.companions = !o.noCompanions;
    r.palFile = o.palFile;
    r.datFile = o.datFile;
    r.paletteFile = o.paletteFile;
    r.paletteFormat = o.paletteFormat;
    r.paletteExpansion = o.expansion.value_or(ChannelExpansion::Full);
    r.stateFile = o.stateFile;
    r.stateSettings = o.iniFile.empty() ? paths.settingsFile : o.iniFile;
    r.entry = o.entry;
    r.paletteOnly = o.paletteOnly;
    return r;
}

bool CheckNamedInputs(const CliOptions& o, std::ostream& err) {
    for (const std::string* file :
         {&o.palFile, &o.datFile, &o.paletteFile, &o.stateFile, &o.iniFile})
        if (!file->empty())
            if (const std::string problem = CliInputProblem(*file); !problem.empty()) {
                Problem(err, *file, problem);
                return false;
            }
    return true;
}

bool CliReport(std::ostream& err, const TransferResult& result) {
    for (const TransferNote& note : result.notes)
        Problem(err, note.file,
                note.failure ? CliFailureText(*note.failure, note.subject) : note.text);
    return result.ok;
}

int RunCliCommand(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& out,
                  std::ostream& err) {
    if (o.command == CliCommand::Help || o.help) {
        out << CliHelpText(o.command, paths);
        return CliOk;
    }
    if (!o.addressBookmark.empty()) {
        CliOptions placed = o;
        if (!ApplyBookmark(placed, ws.Formats(), err))
            return CliBadInput;
        placed.addressBookmark.clear();
        return RunCliCommand(placed, ws, paths, out, err);
    }
    if (o.command == CliCommand::Version) {
        out << "tavrin-cli " << TAVRIN_VERSION << '\n';
        return CliOk;
    }
    // An output that names one of the inputs would replace it: refused before any work.
    if (const std::string problem = OutputOverInputProblem(o); !problem.empty()) {
        Problem(err, *CliOutputFile(o), problem);
        return CliBadInput;
    }
    switch (o.command) {
    case CliCommand::Formats:
        return o.palettes ? RunPaletteFormats(out) : RunFormats(ws.Formats(), out);
    case CliCommand::Info:
        return RunInfo(o, ws, out, err);
    case CliCommand::Export:
    case CliCommand::Import:
        if (o.packed)
            return RunOnPackedBlock(o, ws, paths, out, err);
        return o.command == CliCommand::Export ? RunExport(o, ws, paths, out, err)
                                               : RunImport(o, ws, paths, err);
    case CliCommand::Find:
        return RunFind(o, ws, out, err);
    case CliCommand::Bookmarks:
        return RunBookmarks(o, out, err);
    case CliCommand::RenderSet:
        return RunRenderSet(o, ws, paths, err);
    case CliCommand::PaletteConvert:
        return RunPaletteConvert(o, err);
    case CliCommand::Scan:
    case CliCommand::Unpack:
    case CliCommand::Pack:
        return RunPackedCommand(o, out, err);
    default:
        out << CliHelpText(CliCommand::Help, paths);
        return CliBadInput;
    }
}

int RunCli(const std::vector<std::string>& args, const AppPaths& paths, std::ostream& out,
           std::ostream& err) {
    // Without a command the usage goes where problems go, and the run counts as bad input.
    if (args.empty()) {
        err << CliHelpText(CliCommand::Help, paths);
        return CliBadInput;
    }
    Workspace ws;
    // Plug-ins join the table before the options name formats; a refused one says why, and
    // each library is named before the first call into it. Commands on plain files (packed
    // blocks, palette files) leave them alone.
    const auto toErr = [&err](const std::string& message) { err << message << '\n' << std::flush; };
    if (CliCommandReadsFormats(args[0]))
        LoadPluginFolders(ws.Formats(), paths.pluginFolders, toErr, toErr);
    std::vector<std::string> errors;
    const CliOptions options = ParseCliArguments(args, ws.Formats(), errors);
    if (!errors.empty()) {
        for (const std::string& e : errors)
            Problem(err, {}, e);
        return CliBadInput;
    }
    // Whatever a core call throws ends here as one line; every write is whole or not at all.
    try {
        return RunCliCommand(options, ws, paths, out, err);
    } catch (const std::exception& e) {
        Problem(err, {}, CliExceptionText(e));
        return CliBadInput;
    }
}

} // namespace tavrin
