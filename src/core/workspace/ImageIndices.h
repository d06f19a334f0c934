#pragma once

#include "core/platform/FileResult.h"
#include "core/workspace/FilePicture.h"

#include <optional>
#include <string>

namespace tavrin {

class Workspace;

// What becomes of true colours that no entry of the display palette has.
enum class OtherColours {
    Reduce, // reduced to 256 colours by the DIB container, as a pasted picture is (the window)
    Refuse, // the picture is refused (the command line)
};

// The one rule that turns a picture into a page's colour numbers, for the snapshot load, the
// tools' paste-back, the clipboard's paste and the command line's import:
// - indexed and grey pictures keep their indices;
// - true colours that are exactly colours of the workspace's display palette take those
//   indices (the selected group's entries first), so an exported page comes back exact;
// - other true colours are reduced or refuse the picture (the first such pixel returned,
//   out left as it was).
std::optional<ColourMismatch> PictureIndices(const FilePicture& picture, const Workspace& workspace,
                                             OtherColours other, Image8& out);

// A bitmap file by that rule. A file that cannot be read fails with its FileResult; a
// malformed one fails as Malformed with the DIB container's text in detail.
FileResult BitmapFileIndices(const std::string& path, const Workspace& workspace,
                             OtherColours other, Image8& out, std::string& detail);

} // namespace tavrin
