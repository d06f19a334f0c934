#include "cli/CliCommands.h"

#include "cli/CliParser.h"
#include "core/dib/BitmapFile.h"
#include "core/dib/DibError.h"
#include "core/document/RomDocument.h"
#include "core/formats/CFormatTable.h"
#include "core/formats/PageCodec.h"
#include "core/nav/ImageSearch.h"
#include "core/palette/CAdfPattern.h"
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "core/palette/DisplayPalette.h"
#include "core/platform/FileIO.h"
#include "core/views/CBitmapEdit.h"
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
bool OpenDocument(const std::string& path, RomDocument& doc, std::ostream& err) {
    if (!FileExists(path)) {
        Problem(err, path, "no such file");
        return false;
    }
    if (!doc.ReadRom(path)) {
        Problem(err, path, "cannot read the file (unreadable, or larger than 2 GiB)");
        return false;
    }
    return true;
}

// The format chosen by --format, else by the file name as the window's automatic choice.
CFormat* ChooseFormat(const CliOptions& o, CFormatTable& formats, int& index) {
    index = o.formatIndex ? *o.formatIndex : formats.FindByExtension(o.rom);
    return formats.Get(index);
}

// Activates a format for the duration of a command (the cell transforms need it).
class ActiveFormat {
public:
    explicit ActiveFormat(CFormat& f) : m_format(f) { m_format.Activate(); }
    ~ActiveFormat() { m_format.Deactivate(); }
    ActiveFormat(const ActiveFormat&) = delete;
    ActiveFormat& operator=(const ActiveFormat&) = delete;

private:
    CFormat& m_format;
};

// Loads the pattern named by --pattern into entry; false (reported) when unusable.
bool LoadPattern(const CliOptions& o, AdfEntry& entry, std::ostream& err) {
    if (!FileExists(o.patternFile)) {
        Problem(err, o.patternFile, "no such pattern file");
        return false;
    }
    CAdfPattern patterns;
    if (!patterns.LoadFromFile(o.patternFile)) {
        Problem(err, o.patternFile, "cannot read the pattern file");
        return false;
    }
    patterns.EnsureNormal();
    if (o.patternIndex >= patterns.Count()) {
        Problem(err, o.patternFile,
                "pattern " + std::to_string(o.patternIndex) + " is not in the file (it lists " +
                    std::to_string(patterns.Count()) + ")");
        return false;
    }
    entry = patterns.GetPattern(o.patternIndex);
    return true;
}

// What export and import share: the pattern, the document and the format; false (reported)
// when any of them is unusable.
bool OpenPageSource(const CliOptions& o, CFormatTable& formats, AdfEntry& pattern, RomDocument& doc,
                    CFormat*& format, std::ostream& err) {
    if (!o.patternFile.empty() && !LoadPattern(o, pattern, err))
        return false;
    if (!OpenDocument(o.rom, doc, err))
        return false;
    int formatIndex = 0;
    format = ChooseFormat(o, formats, formatIndex);
    if (!format) {
        Problem(err, o.rom, "no format");
        return false;
    }
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

int RunInfo(const CliOptions& o, CFormatTable& formats, std::ostream& out, std::ostream& err) {
    RomDocument doc;
    if (!OpenDocument(o.rom, doc, err))
        return CliBadInput;
    const int index = formats.FindByExtension(o.rom);
    CFormat* f = formats.Get(index);
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

int RunExport(const CliOptions& o, CFormatTable& formats, const std::string& dataDir,
              std::ostream& err) {
    const std::string ext = LowerExtension(o.image);
    if (ext != ".png" && ext != ".bmp") {
        Problem(err, o.image, "unknown image type (the name must end in .bmp or .png)");
        return CliBadInput;
    }
    for (const std::string* file : {&o.palFile, &o.datFile})
        if (!file->empty() && !FileExists(*file)) {
            Problem(err, *file, "no such file");
            return CliBadInput;
        }
    AdfEntry pattern;
    RomDocument doc;
    CFormat* format = nullptr;
    if (!OpenPageSource(o, formats, pattern, doc, format, err))
        return CliBadInput;

    // The display palette from the standard state (or the given files), as the window builds it.
    CPalette palette;
    CDatPalette palettes(&palette);
    palette.LoadFromFile(o.palFile.empty() ? dataDir + "tavrin.pal" : o.palFile);
    palettes.LoadFromFile(o.datFile.empty() ? dataDir + "tavrin.dat" : o.datFile);
    palettes.SetIdentityMode(o.paletteOnly);
    palettes.SetBpp(format->BitsPerPixel());
    palettes.SetSelectedEntry(static_cast<int>(o.entry));

    const int pageBytes = PageBytesFor(format->BitsPerPixel());
    const int32_t address =
        doc.ClampPageAddress(o.address ? *o.address : doc.StartAddress(), pageBytes);
    long long pages = o.pages;
    if (o.allPages)
        pages = std::max<long long>(
            1, (static_cast<long long>(doc.EndAddress()) - address + pageBytes - 1) / pageBytes);

    // Pages past the buffer read as zero from a padded copy; addresses stay 32-bit.
    const long long needed = address + pages * pageBytes;
    if (needed > INT32_MAX) {
        Problem(err, o.rom,
                std::to_string(pages) + " pages from " + Hex6(address) +
                    " reach past the largest address");
        return CliBadInput;
    }
    std::vector<uint8_t> padded;
    uint8_t* bytes = doc.Data();
    if (needed > doc.BufferSize()) {
        padded.assign(static_cast<size_t>(needed), 0);
        std::copy(doc.Data(), doc.Data() + doc.DataSize(), padded.begin());
        bytes = padded.data();
    }

    Image8 out(128, static_cast<int>(128 * pages));
    out.Colours() = RebuildDisplayPalette(palettes, false);
    Image8 page(128, 128);
    PageSettings s;
    s.colourOffset = palettes.GroupBase();
    s.rotateIndex = o.rotateIndex;
    s.mirrorIndex = o.mirrorIndex;
    s.pattern = o.patternFile.empty() ? nullptr : pattern.tiles.data();
    {
        ActiveFormat active(*format);
        for (long long k = 0; k < pages; ++k) {
            s.address = static_cast<int32_t>(address + k * pageBytes);
            DecodePage(*format, bytes, s, page);
            out.CopyRect(page, 0, 0, 128, 128, 0, static_cast<int>(128 * k));
        }
    }
    const bool written =
        ext == ".png" ? WritePng(out, o.image, PngLevel) : WriteBitmapFile(o.image, out);
    if (!written) {
        Problem(err, o.image, "cannot write the image");
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

int RunImport(const CliOptions& o, CFormatTable& formats, std::ostream& err) {
    AdfEntry pattern;
    RomDocument doc;
    CFormat* format = nullptr;
    Image8 image;
    if (!OpenPageSource(o, formats, pattern, doc, format, err) ||
        !ReadIndexedImage(o.image, image, err))
        return CliBadInput;
    const int pageBytes = PageBytesFor(format->BitsPerPixel());
    PageSettings s;
    s.address = doc.ClampPageAddress(o.address ? *o.address : doc.StartAddress(), pageBytes);
    s.rotateIndex = o.rotateIndex;
    s.mirrorIndex = o.mirrorIndex;
    s.pattern = o.patternFile.empty() ? nullptr : pattern.tiles.data();

    const int imagePages = std::max(1, (image.Height() + 127) / 128);
    const int pages = o.allPages ? imagePages : o.pages;
    // Every page must start inside the data; what lies past the data is not written back.
    const long long lastStart = static_cast<long long>(s.address) + (pages - 1LL) * pageBytes;
    if (pages > 1 && lastStart >= doc.DataSize()) {
        Problem(err, o.rom,
                std::to_string(pages) + " pages from " + Hex6(s.address) +
                    " reach past the end of the data (" + Hex6(doc.DataSize()) + ")");
        return CliBadInput;
    }
    if (image.Height() > 128LL * pages)
        Problem(err, o.image,
                "warning: only the first " + std::to_string(pages) + " of " +
                    std::to_string(imagePages) + " pages were imported (see --pages)");

    const int32_t first = s.address;
    const auto mask = static_cast<uint8_t>(format->ColourMask());
    Image8 page(128, 128);
    ActiveFormat active(*format);
    for (int k = 0; k < pages; ++k) {
        s.address = static_cast<int32_t>(first + static_cast<long long>(k) * pageBytes);
        DecodePage(*format, doc.Data(), s, page);
        // The snapshot rule: indices masked to the format's colours into the top-left corner.
        CBitmapEdit::CopyRectAnd(page, 0, 0, image, PixelRect{0, 128 * k, 128, 128 * k + 128},
                                 mask);
        EncodePage(*format, doc.Data(), s, page);
    }
    // Same length as before: only the data bytes go back, never padding.
    if (!WriteAtStart(o.rom, doc.Data(), static_cast<size_t>(doc.DataSize()))) {
        Problem(err, o.rom, "cannot write the file");
        return CliBadInput;
    }
    return CliOk;
}

int RunFind(const CliOptions& o, CFormatTable& formats, std::ostream& out, std::ostream& err) {
    RomDocument doc;
    if (!OpenDocument(o.rom, doc, err))
        return CliBadInput;
    int formatIndex = 0;
    CFormat* format = ChooseFormat(o, formats, formatIndex);
    const FormatInfo* info = format ? format->GetInfo() : nullptr;
    if (!info) {
        Problem(err, o.rom, "no format");
        return CliBadInput;
    }
    const long long from = o.from ? *o.from : doc.StartAddress();
    const auto found =
        FindNextImage(std::span<const uint8_t>(doc.Data(), static_cast<size_t>(doc.DataSize())),
                      static_cast<int32_t>(from), BytesPerTile(*info));
    if (!found) {
        err << "not found.\n";
        return CliNotFound;
    }
    out << Hex6(*found) << '\n';
    return CliOk;
}

} // namespace

int RunCliCommand(const CliOptions& o, CFormatTable& formats, const std::string& dataDir,
                  std::ostream& out, std::ostream& err) {
    if (o.command == CliCommand::Help || o.help) {
        out << CliHelpText(o.command);
        return CliOk;
    }
    switch (o.command) {
    case CliCommand::Formats:
        return RunFormats(formats, out);
    case CliCommand::Info:
        return RunInfo(o, formats, out, err);
    case CliCommand::Export:
        return RunExport(o, formats, dataDir, err);
    case CliCommand::Import:
        return RunImport(o, formats, err);
    case CliCommand::Find:
        return RunFind(o, formats, out, err);
    default:
        out << CliHelpText(CliCommand::Help);
        return CliBadInput;
    }
}

int RunCli(const std::vector<std::string>& args, const std::string& dataDir, std::ostream& out,
           std::ostream& err) {
    CFormatTable formats;
    std::vector<std::string> errors;
    const CliOptions options = ParseCliArguments(args, formats, errors);
    if (!errors.empty()) {
        for (const std::string& e : errors)
            Problem(err, {}, e);
        return CliBadInput;
    }
    return RunCliCommand(options, formats, dataDir, out, err);
}

} // namespace tavrin
