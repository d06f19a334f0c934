#include "core/dib/BitmapFile.h"

#include "core/dib/TNkDIB.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"

#include <cstdio>

namespace tavrin {

bool ReadBitmapFile(const std::string& path, Image8& out) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        return false;
    }
    BitmapFileToImage8(bytes, out);
    return true;
}

FileResult WriteBitmapFile(const std::string& path, const Image8& image) {
    if (image.IsEmpty())
        return FileResult::Fail(FileFailure::Malformed, path);
    const std::vector<uint8_t> bytes = Image8ToBitmapFile(image);
    return WriteFileSafely(path, bytes.data(), bytes.size());
}

void BitmapFileToImage8(std::span<const uint8_t> bytes, Image8& out) {
    TNkDIB dib;
    dib.LoadFromStream(bytes);
    dib.AssignTo(out);
}

std::vector<uint8_t> Image8ToBitmapFile(const Image8& image) {
    TNkDIB dib;
    dib.Assign(image);
    return dib.SaveToStream();
}

void DibToImage8(std::span<const uint8_t> dib, Image8& out) {
    TNkDIB container;
    container.LoadFromClipboardFormat(ClipboardFormatDib, dib);
    container.AssignTo(out);
}

std::vector<uint8_t> Image8ToDib(const Image8& image) {
    TNkDIB dib;
    dib.Assign(image);
    return dib.SaveToClipboardFormat();
}

void AnyBitmapToImage8(std::span<const uint8_t> bytes, Image8& out) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        BitmapFileToImage8(bytes, out);
    } else {
        DibToImage8(bytes, out);
    }
}

std::string SnapshotSuggestedName(const std::string& folder) {
    char name[32];
    for (int n = 0; n <= 999; ++n) {
        std::snprintf(name, sizeof name, "chr%03d.bmp", n);
        if (!FileExists(folder + name))
            return name;
    }
    return "chr000.bmp";
}

} // namespace tavrin
