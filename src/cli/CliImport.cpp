#include "cli/CliImport.h"

#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "core/platform/FileLock.h"
#include "core/workspace/ImageIndices.h"
#include "core/workspace/Workspace.h"
#include "qt/PictureReader.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace tavrin {

namespace {

constexpr int Side = Workspace::TileImageSide;

std::string ColourText(Colour c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

bool ReadPicture(const std::string& path, FilePicture& picture, std::ostream& err) {
    if (const std::string problem = CliInputProblem(path); !problem.empty()) {
        CliProblem(err, path, problem);
        return false;
    }
    std::string error;
    if (!ReadFilePicture(path, picture, error)) {
        CliProblem(err, path, CliImageErrorText(error));
        return false;
    }
    return true;
}

// The address the pages start at: an address given is taken exactly or refused, so that
// nothing lands where it was not asked for; the start address moves as the window moves it.
bool CheckFirstAddress(const CliOptions& o, const Workspace& ws, std::ostream& err) {
    const RomDocument& doc = ws.Document();
    const long long asked = o.address ? *o.address : doc.StartAddress();
    if (asked == ws.Address())
        return true;
    if (!o.address) {
        CliProblem(err, o.rom, CliMovedAddressNote(asked, ws.Address(), doc.EndAddress()));
        return true;
    }
    CliProblem(err, o.rom,
               "the page at " + CliHex(asked) + " would reach past the end address (" +
                   CliHex(doc.EndAddress()) + "); the last page starts at " + CliHex(ws.Address()));
    return false;
}

// Every page must start inside the data: bytes past it are not written back.
bool CheckPagesInData(const CliOptions& o, const Workspace& ws, int first, int pages,
                      std::ostream& err) {
    const long long dataSize = ws.Document().DataSize();
    if (first >= dataSize) {
        CliProblem(err, o.rom,
                   "no data at " + CliHex(first) + " to import into (the data ends at " +
                       CliHex(dataSize) + ")");
        return false;
    }
    const long long lastStart = first + (pages - 1LL) * ws.Page().pageBytes;
    if (lastStart >= dataSize) {
        CliProblem(err, o.rom,
                   std::to_string(pages) + " pages from " + CliHex(first) +
                       " reach past the end of the data (" + CliHex(dataSize) + ")");
        return false;
    }
    return true;
}

// What of the image the pages do not take, or pages the image does not fill.
void WarnAboutLeftOut(const CliOptions& o, const Image8& image, int pages, std::ostream& err) {
    const int width = image.Width();
    const int height = image.Height();
    const int imagePages = std::max(1, (height + Side - 1) / Side);
    const auto warn = [&](const std::string& text) {
        CliProblem(err, o.image, "warning: " + text);
    };
    if (width > Side)
        warn("the image is " + std::to_string(width) + " pixels wide; only its left " +
             std::to_string(Side) + " columns were imported (columns " + std::to_string(Side) +
             " to " + std::to_string(width - 1) + " were left out)");
    if (height > static_cast<long long>(Side) * pages) {
        warn("only the first " + std::to_string(pages) + " of " + std::to_string(imagePages) +
             " pages were imported (see --pages)");
    } else if (imagePages < pages) {
        warn("the image's " + std::to_string(height) + " rows reach only " +
             std::to_string(imagePages) + " of the " + std::to_string(pages) +
             " pages; the others kept their bytes");
    } else if (height > Side && height % Side != 0) {
        warn("the image is " + std::to_string(height) + " rows high, not a whole number of " +
             std::to_string(Side) + "-row pages: page " + std::to_string(pages) +
             " took only its top " + std::to_string(height % Side) +
             " rows, the rest of it kept its bytes");
    }
}

// Bytes past the data are not saved; a page that reached past the data and put anything
// there has lost it.
void WarnAboutPastTheData(const CliOptions& o, const Workspace& ws, std::ostream& err) {
    const RomDocument& doc = ws.Document();
    const uint8_t* begin = doc.Data() + doc.DataSize();
    const uint8_t* end = doc.Data() + doc.BufferSize();
    if (std::any_of(begin, end, [](uint8_t b) { return b != 0; }))
        CliProblem(err, o.image,
                   "warning: the last page reaches past the end of the data (" +
                       CliHex(doc.DataSize()) + "); what the image holds there was not written");
}

} // namespace

int RunImport(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& err) {
    FilePicture picture;
    if (!ReadPicture(o.image, picture, err))
        return CliBadInput;

    // Held from before the ROM is read until the new ROM has replaced it.
    FileLock lock;
    if (FileResult locked = lock.Acquire(o.rom); !locked) {
        CliProblem(err, o.rom, CliFailureText(locked));
        return CliBadInput;
    }
    if (!PrepareExportPage(o, ws, paths, err) || !CheckFirstAddress(o, ws, err))
        return CliBadInput;

    Image8 image;
    if (const auto mismatch = PictureIndices(picture, ws, OtherColours::Refuse, image)) {
        CliProblem(err, o.image,
                   "pixel (" + std::to_string(mismatch->x) + ", " + std::to_string(mismatch->y) +
                       ") has the colour " + ColourText(mismatch->colour) +
                       ", which is not in the palette export writes with these options (give "
                       "import the --pal, --dat, --entry and --palette-only of the export)");
        return CliBadInput;
    }

    const int first = ws.Address();
    const int imagePages = std::max(1, (image.Height() + Side - 1) / Side);
    const int pages = o.allPages ? imagePages : o.pages;
    if (!CheckPagesInData(o, ws, first, pages, err))
        return CliBadInput;
    WarnAboutLeftOut(o, image, pages, err);

    ws.ImportPages(image, first, pages);
    WarnAboutPastTheData(o, ws, err);
    // Saved as the window saves in place: the data over the file, its length unchanged.
    if (FileResult written = ws.SaveRom(o.rom, true); !written) {
        CliProblem(err, o.rom, CliFailureText(written));
        return CliBadInput;
    }
    return CliOk;
}

} // namespace tavrin
