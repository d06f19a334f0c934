#pragma once

#include "core/platform/Colour.h"
#include "core/platform/Image8.h"
#include "core/views/ImageRgb.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tavrin {

class Workspace;

// A picture as an image file holds it, before it becomes the colour numbers of tile pages.
// The window's snapshot load and the command line's import read pictures into this and turn
// them into colour numbers through PictureToIndices, so both follow one rule:
// - an indexed or grey picture keeps its indices (grey: the grey levels);
// - a true-colour picture takes, pixel by pixel, the index of the display-palette entry of
//   exactly that colour (the palette an export writes), the selected group's entries first;
//   a colour that no entry has refuses the picture.
struct FilePicture {
    bool trueColour = false;
    Image8 indexed;   // indexed and grey pictures: indices and their palette
    ImageRgb colours; // true-colour pictures

    int Width() const { return trueColour ? colours.Width() : indexed.Width(); }
    int Height() const { return trueColour ? colours.Height() : indexed.Height(); }
};

// A bitmap file's bytes as a picture: 16-, 24- and 32-bit bitmaps keep their colours, the
// others their indices and colour table (RLE expanded) as the DIB container reads them.
// Malformed bytes throw DibError with the container's text.
FilePicture BitmapFilePicture(std::span<const uint8_t> bytes);
// The same for a packed DIB (a bitmap without its file header), as the clipboard holds it.
FilePicture DibPicture(std::span<const uint8_t> packedDib);

// The first pixel (rows from the top, each from the left) whose colour no entry has.
struct ColourMismatch {
    int x = 0;
    int y = 0;
    Colour colour = 0;
};

// The colour numbers of a picture with the palette an export would write (see FilePicture):
// entries [preferredFirst, preferredFirst + preferredCount) are matched before the others,
// then the lowest index wins. out takes the indices and the palette; on a mismatch it is left
// as it was.
std::optional<ColourMismatch> PictureToIndices(const FilePicture& picture,
                                               const Image8::Palette& palette, int preferredFirst,
                                               int preferredCount, Image8& out);
// The same with the workspace's display palette (without halftone) and its selected group.
std::optional<ColourMismatch> PictureToIndices(const FilePicture& picture,
                                               const Workspace& workspace, Image8& out);

} // namespace tavrin
