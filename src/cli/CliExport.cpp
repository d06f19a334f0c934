#include "cli/CliExport.h"

#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "core/dib/BitmapFile.h"
#include "core/dib/TNkInternalDIB.h"
#include "core/formats/CFormatTable.h"
#include "core/platform/FileIO.h"
#include "core/platform/SafeFileStream.h"
#include "core/workspace/PageTransfer.h"
#include "core/workspace/Workspace.h"
#include "qt/PngWriter.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <ostream>

namespace tavrin {

namespace {

// PNG output favours speed: tile pages compress well at zlib's fastest level.
constexpr int PngLevel = 1;
// Pages decoded at a time: one display palette per band, a bounded band in memory.
constexpr long long BandPages = 64;

// Where the image's bytes go: standard output, or a file that appears only when complete.
class ImageTarget {
public:
    ImageTarget(const std::string& path, std::ostream& out) : m_path(path), m_out(out) {}

    FileResult Open() { return m_path == "-" ? FileResult::Ok(m_path) : m_file.Open(m_path); }
    bool Put(std::span<const uint8_t> bytes) {
        if (m_path != "-")
            return static_cast<bool>(m_file.Write(bytes));
        m_out.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(m_out);
    }
    FileResult Commit() {
        if (m_path != "-")
            return m_file.Commit();
        m_out.flush();
        return m_out ? FileResult::Ok(m_path)
                     : FileResult::Fail(FileFailure::WriteFailed, "standard output", EIO);
    }
    // Why the last Put failed.
    FileResult Failure() {
        if (m_path != "-")
            return m_file.Write({});
        return FileResult::Fail(FileFailure::WriteFailed, "standard output", EIO);
    }

private:
    std::string m_path;
    std::ostream& m_out;
    SafeFileStream m_file;
};

bool Report(std::ostream& err, const std::string& path, const FileResult& result) {
    // A writer that stopped without a failure of the file could not make the image.
    CliProblem(err, path == "-" ? std::string("standard output") : path,
               result ? std::string("the image could not be made")
                      : CliFailureText(result, "image"));
    return false;
}

// The largest colour number a page can hold: the palette group's base with every colour bit
// of the format; any for a plug-in's format (its decoder is not ours) or with a colour set.
int LargestIndex(const Workspace& ws) {
    if (ws.FormatIndex() >= CFormatTable::BuiltinCount || ws.IsColourSetEnabled())
        return 255;
    return ws.PaletteSet().GroupBase() | ws.ColourMask();
}

bool WritePng(Workspace& ws, int first, long long count, ImageTarget& target,
              const std::string& path, std::ostream& err) {
    const int pageBytes = ws.Page().pageBytes;
    const int side = Workspace::TileImageSide;
    PngWriter png([&target](std::span<const uint8_t> bytes) { return target.Put(bytes); },
                  PngLevel);
    bool ok = png.Begin(side, static_cast<int>(side * count), ws.DisplayPalette(false),
                        PngWriter::DepthFor(LargestIndex(ws)));
    for (long long k = 0; ok && k < count; k += BandPages) {
        const long long pages = std::min(BandPages, count - k);
        ok = png.AddRows(ws.ExportPages(static_cast<int>(first + k * pageBytes), pages));
    }
    ok = ok && png.Finish();
    if (!ok)
        return Report(err, path, target.Failure());
    return true;
}

bool WriteBitmap(Workspace& ws, int first, long long count, ImageTarget& target,
                 const std::string& path, std::ostream& err) {
    const std::vector<uint8_t> bytes = Image8ToBitmapFile(ws.ExportPages(first, count));
    if (!target.Put(bytes))
        return Report(err, path, target.Failure());
    return true;
}

} // namespace

int RunExport(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& out,
              std::ostream& err) {
    // A folder or a pipe is refused before any work rather than after it (or never).
    bool png = true;
    if (const std::string problem = CliImageOutputProblem(o.image, true, png); !problem.empty()) {
        CliProblem(err, o.image, problem);
        return CliBadInput;
    }
    if (!CheckNamedInputs(o, err))
        return CliBadInput;
    const TransferResult pages = PrepareExport(ws, {CliPageRequest(o, paths), o.pages, o.allPages});
    if (!CliReport(err, pages))
        return CliBadInput;
    return WriteExportImage(ws, pages.first, pages.pages, o.image, png, out, err) ? CliOk
                                                                                  : CliBadInput;
}

bool WriteExportImage(Workspace& ws, int first, long long count, const std::string& path, bool png,
                      std::ostream& out, std::ostream& err) {
    const int side = Workspace::TileImageSide;
    if (count < 1 || count > INT_MAX / side) {
        CliProblem(err, path, std::to_string(count) + " pages make an image too tall to write");
        return false;
    }
    const long long pixels = static_cast<long long>(side) * side * count;
    if (!png && pixels > MaxDibPixels) {
        CliProblem(err, path,
                   std::to_string(count) + " pages make " + std::to_string(pixels) +
                       " pixels, more than a bitmap may hold (" + std::to_string(MaxDibPixels) +
                       "); write a PNG instead (OUT.png), which takes any number of pages");
        return false;
    }
    ImageTarget target(path, out);
    if (FileResult opened = target.Open(); !opened)
        return Report(err, path, opened);
    if (!(png ? WritePng(ws, first, count, target, path, err)
              : WriteBitmap(ws, first, count, target, path, err)))
        return false;
    if (FileResult done = target.Commit(); !done)
        return Report(err, path, done);
    return true;
}

} // namespace tavrin
