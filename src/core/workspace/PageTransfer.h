#pragma once

#include "core/palette/files/PaletteFormat.h"
#include "core/platform/FileResult.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrin {

class Workspace;
struct FilePicture;

// The page an export, an import or a drawing of the set screen works on: the ROM opened as
// the window opens it, and the window's page and palette settings given as options.
struct PageRequest {
    std::string rom;
    std::string standardFiles;        // the standard palette files, as AppPaths names them
    std::optional<int> format;        // a table index; none: chosen by the ROM's name
    std::optional<long long> address; // none: the start address
    bool exactAddress = false;        // an address given is refused rather than moved back
    int rotate = 0;                   // 0-3
    int mirror = 0;                   // 0-3
    std::string patternFile;          // over the standard and companion patterns
    int patternIndex = 0;
    bool companions = true; // the .pal, .dat, .adf and .col beside the ROM
    std::string palFile;    // over the standard and companion palette
    std::string datFile;    // over the standard and companion palette set
    // A palette file of another program or console colour memory, over --pal and --dat: its
    // colours into the master palette from entry 0 (palette RAM of indices into the set).
    std::string paletteFile;
    std::optional<PaletteFormat> paletteFormat; // none: found from the file
    ChannelExpansion paletteExpansion = ChannelExpansion::Full;
    std::string stateFile;     // a save-state's colours over both
    std::string stateSettings; // the settings file that defines where they are
    long long entry = 0;       // the selected palette-set entry
    bool paletteOnly = false;  // the identity palette set
};

struct ExportRequest {
    PageRequest page;
    long long pages = 1;
    bool allPages = false; // every page that starts inside the data
};

struct ImportRequest {
    PageRequest page;
    std::string image; // the picture's file, named in its notes
    // The file locked from before the ROM is read until it is replaced, when the ROM is not
    // a file of its own name (a packed block of it): "" locks the ROM.
    std::string lockFile;
    int pages = 1;
    bool allPages = false; // as many pages as the picture holds
};

// A warning or the reason a request was refused, about one file ("" for none). A failed load
// or save carries its FileResult, to be said by the caller's describer, with what the file
// is to the reader ("file", "pattern file").
struct TransferNote {
    std::string file;
    std::string text;
    std::optional<FileResult> failure;
    const char* subject = "file";
};

struct TransferResult {
    bool ok = false;
    // In the order they arose; when !ok the last says why.
    std::vector<TransferNote> notes;
    int first = 0;       // the address of the first page
    long long pages = 0; // how many pages
};

// What of an image of width x height went into pages pages (128 x 128 each, stacked from
// its top-left corner): columns past 128 and rows past the pages are left out, and pages the
// rows do not reach keep their bytes. The command line says it in English; the window, which
// loads one page, in its own (translated) words.
struct ImportFit {
    int width = 0;
    int height = 0;
    int pages = 1;
};
std::vector<std::string> DescribeImportFit(const ImportFit& fit);
std::vector<std::string> ImportFitMessages(const ImportFit& fit);

// Opens the ROM and sets the page and its palette up so that the workspace's ExportPages
// gives the page as the window shows it.
TransferResult PreparePage(Workspace& workspace, const PageRequest& request);
// PreparePage, then the pages to export: first and pages of the result.
TransferResult PrepareExport(Workspace& workspace, const ExportRequest& request);
// Puts the picture's pages into the ROM and saves it in place, with the ROM locked from
// before it is read until it is replaced.
TransferResult ImportPicture(Workspace& workspace, const ImportRequest& request,
                             const FilePicture& picture);

} // namespace tavrin
