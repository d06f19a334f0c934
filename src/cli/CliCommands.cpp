#include "cli/CliCommands.h"

#include "cli/CliParser.h"
#include "core/app/AppPaths.h"
#include "core/app/Workspace.h"
#include "core/dib/BitmapFile.h"
#include "core/nav/ImageSearch.h"
#include "core/palette/CStateFile.h"
#include "core/platform/FileIO.h"
#include "qt/ImageBridge.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <ostream>
#include <span>

namespace tavrin {

namespace {

// PNG output favours speed: tile pages compress well at zlib's fastest level.
constexpr int PngLevel = 1;

void Problem(std::ostream& err, const std::string& file, const std::string& text) {
    err << "tavrin-cli: " << (file.empty() ? std::string() : file + ": ") << text << "\n";
}

std::string Hex6(long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%06llX", v);
    return buf;
}

std::string LowerExtension(const std::string& path) {
    std::string e = ExtensionPart(path);
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
    return e;
}

// Opens the ROM named on the command line; reports and returns false on failure.
bool OpenDocument(const std::string& path, Workspace& ws, std::ostream& err) {
    if (FileResult read = ws.OpenRom(path); !read) {
        Problem(err, path, DescribeFailure(read));
        return false;
    }
    return true;
}

// Loads the pattern named by --pattern into the workspace and selects it; false (reported)
// when unusable.
bool LoadPattern(const CliOptions& o, Workspace& ws, std::ostream& err) {
    CAdfPattern& patterns = ws.Patterns();
    if (FileResult read = patterns.LoadFromFile(o.patternFile); !read) {
        Problem(err, o.patternFile,
                read.failure == FileFailure::NotFound ? "no such pattern file"
                                                      : DescribeFailure(read, "pattern file"));
        return false;
    }
    patterns.EnsureNormal();
    if (o.patternIndex >= patterns.Count()) {
        Problem(err, o.patternFile,
                "pattern " + std::to_string(o.patternIndex) + " is not in the file (it lists " +
                    std::to_string(patterns.Count()) + ")");
        return false;
    }
    ws.SelectPattern(static_cast<int>(o.patternIndex));
    return true;
}

// The format of --format, else the one the file name chooses, as the window's automatic
// choice.
void ChooseFormat(const CliOptions& o, Workspace& ws) {
    ws.SelectFormat(o.formatIndex ? *o.formatIndex : ws.Formats().FindByExtension(o.rom));
}

// What export and import share: the pattern, the document, the format and the page
// settings; false (reported) when any of them is unusable.
bool OpenPageSource(const CliOptions& o, Workspace& ws, std::ostream& err) {
    if (!o.patternFile.empty() && !LoadPattern(o, ws, err))
        return false;
    if (!OpenDocument(o.rom, ws, err))
        return false;
    ChooseFormat(o, ws);
    ws.SetRotate(o.rotateIndex);
    ws.SetMirror(o.mirrorIndex);
    ws.SetAddress(ws.ClampAddress(o.address ? *o.address : ws.Document().StartAddress()));
    return true;
}

int RunFormats(CFormatTable& formats, std::ostream& out) {
    for (int i = 0; i < formats.Count(); ++i) {
        CFormat* f = formats.Get(i);
        const FormatInfo* info = f ? f->GetInfo() : nullptr;
        if (!info)
            continue;
        out << i << '\t' << f->Name() << '\t' << info->bitsPerPixel << '\t' << info->width << 'x'
            << info->height << '\t' << TextField(info->extensions) << '\n';
    }
    return CliOk;
}

int RunInfo(const CliOptions& o, Workspace& ws, std::ostream& out, std::ostream& err) {
    if (!OpenDocument(o.rom, ws, err))
        return CliBadInput;
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

// The colours of --state over the palette and palette set, as F12 takes them in the window;
// false (reported) when the settings file has no usable definition or the file is unreadable.
bool ImportState(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& err) {
    CStateFile state(o.iniFile.empty() ? paths.settingsFile : o.iniFile, ws.Palette(),
                     ws.PaletteSet());
    const StateImportResult imported = state.LoadFromFile(o.stateFile);
    if (imported.status != StateImportResult::Status::Done) {
        Problem(err, o.stateFile, imported.Description());
        return false;
    }
    // The window says nothing when neither part lies inside the file; here it is worth a note.
    if (imported.paletteEntries == 0 && imported.tableEntries == 0)
        Problem(err, o.stateFile, "warning: " + imported.Description());
    return true;
}

int RunExport(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& err) {
    const std::string ext = LowerExtension(o.image);
    if (ext != ".png" && ext != ".bmp") {
        Problem(err, o.image, "unknown image type (the name must end in .bmp or .png)");
        return CliBadInput;
    }
    for (const std::string* file : {&o.palFile, &o.datFile, &o.stateFile, &o.iniFile})
        if (!file->empty() && !FileExists(*file)) {
            Problem(err, *file, "no such file");
            return CliBadInput;
        }
    if (!OpenPageSource(o, ws, err))
        return CliBadInput;

    // The display palette from the standard state (or the given files), as the window builds it.
    using Companion = RomDocument::Companion;
    ws.Palette().LoadFromFile(o.palFile.empty()
                                  ? RomDocument::CompanionPath(paths.standardFiles, Companion::Pal)
                                  : o.palFile);
    ws.PaletteSet().LoadFromFile(
        o.datFile.empty() ? RomDocument::CompanionPath(paths.standardFiles, Companion::Dat)
                          : o.datFile);
    if (!o.stateFile.empty() && !ImportState(o, ws, paths, err))
        return CliBadInput;
    ws.PaletteSet().SetIdentityMode(o.paletteOnly);
    ws.PaletteSet().SetBpp(ws.Format().BitsPerPixel());
    ws.PaletteSet().SetSelectedEntry(static_cast<int>(o.entry));

    const int32_t address = ws.Address();
    const long long pages = o.allPages ? ws.PagesToEnd(address) : o.pages;
    // Pages past the document read as zero; addresses stay 32-bit.
    if (address + pages * ws.Page().pageBytes > INT32_MAX) {
        Problem(err, o.rom,
                std::to_string(pages) + " pages from " + Hex6(address) +
                    " reach past the largest address");
        return CliBadInput;
    }
    const Image8 out = ws.ExportPages(address, pages);
    const FileResult written =
        ext == ".png" ? WritePng(out, o.image, PngLevel) : WriteBitmapFile(o.image, out);
    if (!written) {
        Problem(err, o.image, DescribeFailure(written, "image"));
        return CliBadInput;
    }
    return CliOk;
}

// Reads a bitmap (any kind the DIB container takes) or, failing the "BM" signature, any
// indexed image Qt reads.
bool ReadIndexedImage(const std::string& path, Image8& image, std::ostream& err) {
    std::string error;
    if (!ReadIndexedImageFile(path, image, error)) {
        Problem(err, path, error);
        return false;
    }
    return true;
}

int RunImport(const CliOptions& o, Workspace& ws, std::ostream& err) {
    Image8 image;
    if (!OpenPageSource(o, ws, err) || !ReadIndexedImage(o.image, image, err))
        return CliBadInput;
    const RomDocument& doc = ws.Document();
    const int32_t first = ws.Address();

    const int imagePages = std::max(1, (image.Height() + 127) / 128);
    const int pages = o.allPages ? imagePages : o.pages;
    // Every page must start inside the data; what lies past the data is not written back.
    const long long lastStart = static_cast<long long>(first) + (pages - 1LL) * ws.Page().pageBytes;
    if (pages > 1 && lastStart >= doc.DataSize()) {
        Problem(err, o.rom,
                std::to_string(pages) + " pages from " + Hex6(first) +
                    " reach past the end of the data (" + Hex6(doc.DataSize()) + ")");
        return CliBadInput;
    }
    if (image.Height() > 128LL * pages)
        Problem(err, o.image,
                "warning: only the first " + std::to_string(pages) + " of " +
                    std::to_string(imagePages) + " pages were imported (see --pages)");

    ws.ImportPages(image, first, pages);
    // Saved as the window saves in place: the data over the file, its length unchanged.
    if (FileResult written = ws.SaveRom(o.rom, true); !written) {
        Problem(err, o.rom, DescribeFailure(written));
        return CliBadInput;
    }
    return CliOk;
}

int RunFind(const CliOptions& o, Workspace& ws, std::ostream& out, std::ostream& err) {
    if (!OpenDocument(o.rom, ws, err))
        return CliBadInput;
    ChooseFormat(o, ws);
    const RomDocument& doc = ws.Document();
    const long long from = o.from ? *o.from : doc.StartAddress();
    const auto found =
        FindNextImage(std::span<const uint8_t>(doc.Data(), static_cast<size_t>(doc.DataSize())),
                      static_cast<int32_t>(from), ws.TileBytes());
    if (!found) {
        err << "not found.\n";
        return CliNotFound;
    }
    out << Hex6(*found) << '\n';
    return CliOk;
}

} // namespace

int RunCliCommand(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& out,
                  std::ostream& err) {
    if (o.command == CliCommand::Help || o.help) {
        out << CliHelpText(o.command);
        return CliOk;
    }
    switch (o.command) {
    case CliCommand::Formats:
        return RunFormats(ws.Formats(), out);
    case CliCommand::Info:
        return RunInfo(o, ws, out, err);
    case CliCommand::Export:
        return RunExport(o, ws, paths, err);
    case CliCommand::Import:
        return RunImport(o, ws, err);
    case CliCommand::Find:
        return RunFind(o, ws, out, err);
    default:
        out << CliHelpText(CliCommand::Help);
        return CliBadInput;
    }
}

int RunCli(const std::vector<std::string>& args, const AppPaths& paths, std::ostream& out,
           std::ostream& err) {
    Workspace ws;
    std::vector<std::string> errors;
    const CliOptions options = ParseCliArguments(args, ws.Formats(), errors);
    if (!errors.empty()) {
        for (const std::string& e : errors)
            Problem(err, {}, e);
        return CliBadInput;
    }
    return RunCliCommand(options, ws, paths, out, err);
}

} // namespace tavrin
