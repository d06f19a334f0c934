#include "core/workspace/ImageIndices.h"

#include "core/dib/BitmapFile.h"
#include "core/dib/DibError.h"
#include "core/platform/FileIO.h"
#include "core/workspace/Workspace.h"

#include <cstdint>
#include <vector>

namespace tavrin {

namespace {

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// The colours as a packed 24-bit DIB, so that the DIB container reduces them as it reduces a
// pasted picture.
std::vector<uint8_t> Dib24(const ImageRgb& colours) {
    constexpr size_t HeaderSize = 40;
    const int width = colours.Width();
    const int height = colours.Height();
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> dib(HeaderSize + stride * static_cast<size_t>(height), 0);
    Put32(dib, 0, HeaderSize);
    Put32(dib, 4, static_cast<uint32_t>(width));
    Put32(dib, 8, static_cast<uint32_t>(height)); // bottom-up
    dib[12] = 1;                                  // planes
    dib[14] = 24;                                 // bits per pixel
    Put32(dib, 20, static_cast<uint32_t>(stride * static_cast<size_t>(height)));
    for (int y = 0; y < height; ++y) {
        uint8_t* row = dib.data() + HeaderSize + stride * static_cast<size_t>(height - 1 - y);
        const Colour* src = colours.ScanLine(y);
        for (int x = 0; x < width; ++x, row += 3) {
            row[0] = static_cast<uint8_t>(BlueOf(src[x]));
            row[1] = static_cast<uint8_t>(GreenOf(src[x]));
            row[2] = static_cast<uint8_t>(RedOf(src[x]));
        }
    }
    return dib;
}

} // namespace

std::optional<ColourMismatch> PictureIndices(const FilePicture& picture, const Workspace& workspace,
                                             OtherColours other, Image8& out) {
    const std::optional<ColourMismatch> mismatch = PictureToIndices(picture, workspace, out);
    if (!mismatch || other == OtherColours::Refuse)
        return mismatch;
    DibToImage8(Dib24(picture.colours), out);
    return std::nullopt;
}

FileResult BitmapFileIndices(const std::string& path, const Workspace& workspace,
                             OtherColours other, Image8& out, std::string& detail) {
    std::vector<uint8_t> bytes;
    FileResult read = ReadWholeFile(path, bytes);
    if (!read)
        return read;
    try {
        const FilePicture picture = BitmapFilePicture(bytes);
        if (const auto mismatch = PictureIndices(picture, workspace, other, out)) {
            detail.clear();
            return FileResult::Fail(FileFailure::Malformed, path);
        }
    } catch (const DibError& e) {
        detail = e.what();
        return FileResult::Fail(FileFailure::Malformed, path);
    }
    return read;
}

} // namespace tavrin
