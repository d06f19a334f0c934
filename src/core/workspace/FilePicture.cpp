#include "core/workspace/FilePicture.h"

#include "core/dib/TNkDIB.h"
#include "core/workspace/Workspace.h"

#include <algorithm>
#include <unordered_map>

namespace tavrin {

namespace {

FilePicture PictureOf(TNkDIB& dib) {
    FilePicture picture;
    if (dib.PixelFormat() != DibPixelFormat::Bits24) {
        dib.AssignTo(picture.indexed);
        return picture;
    }
    picture.trueColour = true;
    picture.colours = ImageRgb(dib.Width(), dib.Height());
    for (int y = 0; y < dib.Height(); ++y) {
        const uint8_t* p = dib.ScanLine(y); // blue, green, red
        for (int x = 0; x < dib.Width(); ++x, p += 3)
            picture.colours.SetPixel(x, y, MakeColour(p[2], p[1], p[0]));
    }
    return picture;
}

} // namespace

FilePicture BitmapFilePicture(std::span<const uint8_t> bytes) {
    TNkDIB dib;
    dib.LoadFromStream(bytes);
    return PictureOf(dib);
}

FilePicture DibPicture(std::span<const uint8_t> packedDib) {
    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, packedDib);
    return PictureOf(dib);
}

std::optional<ColourMismatch> PictureToIndices(const FilePicture& picture,
                                               const Image8::Palette& palette, int preferredFirst,
                                               int preferredCount, Image8& out) {
    if (!picture.trueColour) {
        out = picture.indexed;
        return std::nullopt;
    }
    std::unordered_map<Colour, uint8_t> indexOf;
    const int first = std::clamp(preferredFirst, 0, 256);
    const int last = std::clamp(preferredFirst + preferredCount, first, 256);
    for (int i = first; i < last; ++i)
        indexOf.emplace(palette[static_cast<size_t>(i)], static_cast<uint8_t>(i));
    for (int i = 0; i < 256; ++i)
        indexOf.emplace(palette[static_cast<size_t>(i)], static_cast<uint8_t>(i));

    const ImageRgb& colours = picture.colours;
    Image8 indices(colours.Width(), colours.Height());
    indices.Colours() = palette;
    for (int y = 0; y < colours.Height(); ++y) {
        const Colour* row = colours.ScanLine(y);
        uint8_t* dst = indices.ScanLine(y);
        for (int x = 0; x < colours.Width(); ++x) {
            const auto found = indexOf.find(row[x]);
            if (found == indexOf.end())
                return ColourMismatch{x, y, row[x]};
            dst[x] = found->second;
        }
    }
    out = std::move(indices);
    return std::nullopt;
}

std::optional<ColourMismatch> PictureToIndices(const FilePicture& picture,
                                               const Workspace& workspace, Image8& out) {
    const CDatPalette& set = workspace.PaletteSet();
    return PictureToIndices(picture, workspace.DisplayPalette(false), set.GroupBase(),
                            set.GroupSize(), out);
}

} // namespace tavrin
