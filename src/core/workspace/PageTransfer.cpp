#include "core/workspace/PageTransfer.h"

#include "core/document/RomDocument.h"
#include "core/palette/CStateFile.h"
#include "core/palette/files/PaletteTransfer.h"
#include "core/platform/FileLock.h"
#include "core/platform/Text.h"
#include "core/workspace/DataPages.h"
#include "core/workspace/FilePicture.h"
#include "core/workspace/ImageIndices.h"
#include "core/workspace/Workspace.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <tuple>

namespace tavrin {

namespace {

constexpr int Side = Workspace::TileImageSide;

std::string Hex(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%06llX", value);
    return text;
}

std::string ColourText(Colour c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

// Collects the notes of one request.
class Notes {
public:
    explicit Notes(TransferResult& result) : m_result(result) {}
    void Say(const std::string& file, std::string text) {
        m_result.notes.push_back({file, std::move(text), std::nullopt});
    }
    void Warn(const std::string& file, const std::string& text) { Say(file, "warning: " + text); }
    void Failed(const std::string& file, FileResult failure, const char* subject = "file") {
        m_result.notes.push_back({file, {}, std::move(failure), subject});
    }
    // Says why the request is refused; false, for the caller to return.
    bool Refuse(const std::string& file, std::string text) {
        Say(file, std::move(text));
        return false;
    }

private:
    TransferResult& m_result;
};

// The patterns of --pattern, read before the ROM so that a bad file is the first word.
bool ReadPatternFile(const PageRequest& r, CAdfPattern& patterns, Notes& notes) {
    if (FileResult read = patterns.LoadFromFile(r.patternFile); !read) {
        if (read.failure == FileFailure::NotFound)
            return notes.Refuse(r.patternFile, "no such pattern file");
        notes.Failed(r.patternFile, std::move(read), "pattern file");
        return false;
    }
    patterns.EnsureNormal();
    if (r.patternIndex >= patterns.Count())
        return notes.Refuse(r.patternFile, "pattern " + std::to_string(r.patternIndex) +
                                               " is not in the file (it lists " +
                                               std::to_string(patterns.Count()) + ")");
    return true;
}

// The files the window reads: the standard ones as it starts, then those beside the ROM as
// it opens it; a file that is not there leaves what came before.
void LoadWindowFiles(Workspace& ws, const PageRequest& r) {
    ws.LoadCompanionFiles(r.standardFiles, false);
    if (r.companions && ws.LoadCompanionFiles(r.rom, true).adf)
        ws.EditPatterns([](CAdfPattern& patterns) { patterns.EnsureNormal(); });
}

// The colours of the save-state over the palette and palette set, as F12 takes them.
bool ImportState(Workspace& ws, const PageRequest& r, Notes& notes) {
    const StateImportResult imported = ws.ImportState(r.stateSettings, r.stateFile);
    if (imported.status != StateImportResult::Status::Done)
        return notes.Refuse(r.stateFile, imported.Description());
    // The window says nothing when neither part lies inside the file; here it is worth a note.
    if (imported.paletteEntries == 0 && imported.tableEntries == 0)
        notes.Warn(r.stateFile, imported.Description());
    return true;
}

// A palette file of another format, as the window's "other formats" import takes it. Its
// entries go where the format's own default puts them: colours into the master palette as a
// .pal's do, NES palette RAM (indices, no colours) into the palette set.
bool ImportPaletteFile(Workspace& ws, const PageRequest& r, Notes& notes) {
    PaletteOptions options;
    options.expansion = r.paletteExpansion;
    PaletteLoad load = LoadPaletteFile(r.paletteFile, r.paletteFormat, options);
    if (!load.file) {
        if (load.file.failure == FileFailure::Malformed && !load.read)
            return notes.Refuse(r.paletteFile, DescribePaletteProblem(load.read));
        notes.Failed(r.paletteFile, std::move(load.file), "palette file");
        return false;
    }
    for (const std::string& warning : DescribePaletteWarnings(load.read))
        notes.Warn(r.paletteFile, warning);
    ws.EditPalettes([&load](CPalette& palette, CDatPalette& paletteSet) {
        ApplyPaletteContents(load.read.contents, DefaultDestination(load.read.format), palette,
                             paletteSet);
    });
    return true;
}

// The address of the first page: one whose page would reach past the end address moves back
// as the window moves it, with a note, unless it was given to be taken exactly.
bool CheckFirstAddress(const Workspace& ws, const PageRequest& r, Notes& notes) {
    const RomDocument& doc = ws.Document();
    const long long asked = r.address ? *r.address : doc.StartAddress();
    if (asked == ws.Address())
        return true;
    if (r.address && r.exactAddress)
        return notes.Refuse(
            r.rom, "the page at " + Hex(asked) + " would reach past the end address (" +
                       Hex(doc.EndAddress()) + "); the last page starts at " + Hex(ws.Address()));
    notes.Say(r.rom, "note: the page at " + Hex(asked) + " would reach past the end address (" +
                         Hex(doc.EndAddress()) + "); the address used is " + Hex(ws.Address()));
    return true;
}

bool Prepare(Workspace& ws, const PageRequest& r, Notes& notes) {
    CAdfPattern patterns;
    if (!r.patternFile.empty() && !ReadPatternFile(r, patterns, notes))
        return false;
    if (FileResult read = ws.OpenRom(r.rom); !read) {
        notes.Failed(r.rom, std::move(read));
        return false;
    }
    // The window opens a ROM in the format its name chooses; choosing another one there
    // turns the colour set off.
    const int opened = ws.Formats().FindByExtension(r.rom);
    ws.SelectFormat(opened);
    LoadWindowFiles(ws, r);
    if (r.format && *r.format != opened) {
        ws.SelectFormat(*r.format);
        ws.SetColourSetEnabled(false);
    }
    if (!r.patternFile.empty())
        ws.EditPatterns([&patterns](CAdfPattern& list) { list = patterns; });
    ws.SelectPattern(r.patternIndex);
    ws.SetRotate(r.rotate);
    ws.SetMirror(r.mirror);
    ws.SetAddress(ws.ClampAddress(r.address ? *r.address : ws.Document().StartAddress()));

    // Files named on purpose: one that cannot be read stops the request, as the ROM would.
    for (const auto& [kind, file, subject] :
         {std::tuple{RomDocument::Companion::Pal, &r.palFile, "palette file"},
          std::tuple{RomDocument::Companion::Dat, &r.datFile, "palette-set file"}}) {
        if (file->empty())
            continue;
        if (FileResult read = ws.LoadCompanion(kind, *file); !read) {
            notes.Failed(*file, std::move(read), subject);
            return false;
        }
    }
    if (!r.paletteFile.empty() && !ImportPaletteFile(ws, r, notes))
        return false;
    if (!r.stateFile.empty() && !ImportState(ws, r, notes))
        return false;
    ws.EditPalettes([&](CPalette&, CDatPalette& paletteSet) {
        paletteSet.SetIdentityMode(r.paletteOnly);
        paletteSet.SetBpp(ws.Format().BitsPerPixel());
        paletteSet.SetSelectedEntry(static_cast<int>(r.entry));
    });
    return CheckFirstAddress(ws, r, notes);
}

// Every page must start inside the data: bytes past it are not written back.
bool CheckPagesInData(const Workspace& ws, const ImportRequest& r, int first, int pages,
                      Notes& notes) {
    const long long dataSize = ws.Document().DataSize();
    if (first >= dataSize)
        return notes.Refuse(r.page.rom, "no data at " + Hex(first) +
                                            " to import into (the data ends at " + Hex(dataSize) +
                                            ")");
    const long long lastStart = first + (pages - 1LL) * ws.Page().pageBytes;
    if (lastStart >= dataSize)
        return notes.Refuse(r.page.rom, std::to_string(pages) + " pages from " + Hex(first) +
                                            " reach past the end of the data (" + Hex(dataSize) +
                                            ")");
    return true;
}

// What of the image the pages do not take, or pages the image does not fill.
void WarnAboutLeftOut(const ImportRequest& r, const Image8& image, int pages, Notes& notes) {
    for (const std::string& text : DescribeImportFit({image.Width(), image.Height(), pages}))
        notes.Warn(r.image, text);
}

// Bytes past the data are not saved; a page that reached past the data and put anything
// there has lost it.
void WarnAboutPastTheData(const Workspace& ws, const ImportRequest& r, Notes& notes) {
    const RomDocument& doc = ws.Document();
    const uint8_t* begin = doc.Data() + doc.DataSize();
    const uint8_t* end = doc.Data() + doc.BufferSize();
    if (std::any_of(begin, end, [](uint8_t b) { return b != 0; }))
        notes.Warn(r.image, "the last page reaches past the end of the data (" +
                                Hex(doc.DataSize()) +
                                "); what the image holds there was not written");
}

bool Import(Workspace& ws, const ImportRequest& r, const FilePicture& picture, Notes& notes) {
    // Held from before the ROM is read until the new ROM has replaced it.
    FileLock lock;
    const std::string& locked = r.lockFile.empty() ? r.page.rom : r.lockFile;
    if (FileResult held = lock.Acquire(locked); !held) {
        notes.Failed(locked, std::move(held));
        return false;
    }
    PageRequest page = r.page;
    page.exactAddress = true;
    if (!Prepare(ws, page, notes))
        return false;

    Image8 image;
    if (const auto mismatch = PictureIndices(picture, ws, OtherColours::Refuse, image))
        return notes.Refuse(
            r.image, "pixel (" + std::to_string(mismatch->x) + ", " + std::to_string(mismatch->y) +
                         ") has the colour " + ColourText(mismatch->colour) +
                         ", which is not in the palette export writes with these options (give "
                         "import the --pal, --dat, --entry and --palette-only of the export)");

    const int first = ws.Address();
    const int imagePages = std::max(1, (image.Height() + Side - 1) / Side);
    const int pages = r.allPages ? imagePages : r.pages;
    if (!CheckPagesInData(ws, r, first, pages, notes))
        return false;
    WarnAboutLeftOut(r, image, pages, notes);

    ws.ImportPages(image, first, pages);
    WarnAboutPastTheData(ws, r, notes);
    // Saved as the window saves in place: the data over the file, its length unchanged.
    if (FileResult written = ws.SaveRom(r.page.rom, true); !written) {
        notes.Failed(r.page.rom, std::move(written));
        return false;
    }
    return true;
}

} // namespace

std::vector<std::string> DescribeImportFit(const ImportFit& fit) {
    std::vector<std::string> lines;
    const int imagePages = std::max(1, (fit.height + Side - 1) / Side);
    const auto n = [](long long value) { return std::to_string(value); };
    if (fit.width > Side)
        lines.push_back("the image is " + n(fit.width) + " pixels wide; only its left " + n(Side) +
                        " columns were imported (columns " + n(Side) + " to " + n(fit.width - 1) +
                        " were left out)");
    if (fit.height > static_cast<long long>(Side) * fit.pages) {
        lines.push_back("only the first " + n(fit.pages) + " of " + n(imagePages) +
                        " pages were imported (see --pages)");
    } else if (imagePages < fit.pages) {
        lines.push_back("the image's " + n(fit.height) + " rows reach only " + n(imagePages) +
                        " of the " + n(fit.pages) + " pages; the others kept their bytes");
    } else if (fit.height > Side && fit.height % Side != 0) {
        lines.push_back("the image is " + n(fit.height) + " rows high, not a whole number of " +
                        n(Side) + "-row pages: page " + n(fit.pages) + " took only its top " +
                        n(fit.height % Side) + " rows, the rest of it kept its bytes");
    }
    return lines;
}

std::vector<std::string> ImportFitMessages(const ImportFit& fit) {
    // The window loads one page at a time: only columns and rows past it can be left out.
    std::vector<std::string> lines;
    const auto n = [](long long value) { return std::to_string(value); };
    if (fit.width > Side)
        lines.push_back(FillText(TAVRIN_TR("PageTransfer", "画像の幅は %1 ピクセルです。"
                                                           "左の %2 列だけを読み込みました。"),
                                 {n(fit.width), n(Side)}));
    if (fit.height > static_cast<long long>(Side) * fit.pages)
        lines.push_back(FillText(TAVRIN_TR("PageTransfer", "画像の高さは %1 ピクセルです。"
                                                           "上の %2 行だけを読み込みました。"),
                                 {n(fit.height), n(static_cast<long long>(Side) * fit.pages)}));
    return lines;
}

TransferResult PreparePage(Workspace& workspace, const PageRequest& request) {
    TransferResult result;
    Notes notes(result);
    result.ok = Prepare(workspace, request, notes);
    result.first = workspace.Address();
    result.pages = 1;
    return result;
}

TransferResult PrepareExport(Workspace& ws, const ExportRequest& request) {
    TransferResult result = PreparePage(ws, request.page);
    if (!result.ok)
        return result;
    Notes notes(result);
    const int first = ws.Address();
    const std::string& rom = request.page.rom;
    // "all" counts the pages import takes back: those that start inside the data.
    result.pages = request.allPages ? PagesInData(ws, first) : request.pages;
    if (result.pages == 0)
        result.ok = notes.Refuse(rom, "no data at " + Hex(first) + " to export (the data ends at " +
                                          Hex(DataPageLimit(ws)) + ")");
    // Pages past the document read as zero; addresses stay 32-bit.
    else if (first + result.pages * ws.Page().pageBytes > INT32_MAX)
        result.ok = notes.Refuse(rom, std::to_string(result.pages) + " pages from " + Hex(first) +
                                          " reach past the largest address");
    return result;
}

TransferResult ImportPicture(Workspace& workspace, const ImportRequest& request,
                             const FilePicture& picture) {
    TransferResult result;
    Notes notes(result);
    result.ok = Import(workspace, request, picture, notes);
    result.first = workspace.Address();
    return result;
}

} // namespace tavrin
