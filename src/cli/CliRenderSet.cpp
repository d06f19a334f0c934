#include "cli/CliRenderSet.h"

#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "core/dib/BitmapFile.h"
#include "core/platform/FileIO.h"
#include "core/set/SetDocument.h"
#include "core/set/SetFiles.h"
#include "core/set/SetImage.h"
#include "core/workspace/PageTransfer.h"
#include "core/workspace/Workspace.h"
#include "qt/ImageBridge.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace tavrin {

namespace {

// As export writes its pages: speed over size.
constexpr int PngLevel = 1;

// The set data from the files named on the command line, read as the window reads them. The
// window takes a file it cannot read as "nothing loaded"; here it is an error with its reason.
bool LoadSetData(const CliOptions& o, SetDocument& doc, std::ostream& err) {
    struct Part {
        const std::string& path;
        const char* subject;
        FileResult (*load)(SetDocument&, const std::string&);
    };
    const Part parts[] = {{o.setFile, "set file", &LoadSetFile},
                          {o.spdFile, "sprite table", &LoadSpriteTable},
                          {o.sprFile, "sprite tiles", &LoadSpriteTiles}};
    for (const Part& part : parts) {
        if (part.path.empty())
            continue;
        if (const std::string problem = CliInputProblem(part.path, part.subject);
            !problem.empty()) {
            CliProblem(err, part.path, problem);
            return false;
        }
        if (const FileResult read = part.load(doc, part.path); !read) {
            CliProblem(err, part.path, CliFailureText(read, part.subject));
            return false;
        }
    }
    return true;
}

} // namespace

int RunRenderSet(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& err) {
    bool png = true;
    if (const std::string problem = CliImageOutputProblem(o.image, false, png); !problem.empty()) {
        CliProblem(err, o.image, problem);
        return CliBadInput;
    }
    SetDocument doc;
    if (!LoadSetData(o, doc, err) || !CheckNamedInputs(o, err) ||
        !CliReport(err, PreparePage(ws, CliPageRequest(o, paths))))
        return CliBadInput;

    // The tile source is the page the window would show at that address, in its palette.
    const Image8 tiles = ws.ExportPages(ws.Address(), 1);
    const Image8 screen = RenderSetImage(doc, tiles, !o.spdFile.empty());
    const FileResult written =
        png ? WritePng(screen, o.image, PngLevel) : WriteBitmapFile(o.image, screen);
    if (!written) {
        CliProblem(err, o.image, CliFailureText(written, "image"));
        return CliBadInput;
    }
    return CliOk;
}

} // namespace tavrin
