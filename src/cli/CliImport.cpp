#include "cli/CliImport.h"

#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "core/workspace/FilePicture.h"
#include "core/workspace/PageTransfer.h"
#include "qt/PictureReader.h"

#include <ostream>

namespace tavrin {

namespace {

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

} // namespace

int RunImport(const CliOptions& o, Workspace& ws, const AppPaths& paths, std::ostream& err,
              const ImportInto& into) {
    FilePicture picture;
    if (!ReadPicture(o.image, picture, err))
        return CliBadInput;

    if (!CheckNamedInputs(o, err))
        return CliBadInput;
    ImportRequest request{CliPageRequest(o, paths), o.image, into.lockFile, o.pages, o.allPages};
    TransferResult result = ImportPicture(ws, request, picture);
    if (!result.ok && into.explain)
        into.explain(result);
    if (!CliReport(err, result))
        return CliBadInput;
    return CliOk;
}

} // namespace tavrin
