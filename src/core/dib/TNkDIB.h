#pragma once

#include "core/dib/DibRecords.h"
#include "core/dib/TNkInternalDIB.h"
#include "core/platform/Colour.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace tavrin {

class Image8;

// The clipboard format number of a device-independent bitmap.
constexpr uint32_t ClipboardFormatDib = 8;

// A device-independent bitmap as it crosses the clipboard: loaded from any DIB, converted to
// 8 bits per pixel, read row by row; filled from an indexed image and saved as a packed DIB.
// Copies share one image; an operation that changes pixels first makes the image its own.
// Every failure throws DibError with the container's text; a failed load keeps the old image.
class TNkDIB {
public:
    TNkDIB();

    // Takes the size, the 256 palette colours and the pixels of an 8-bit indexed image.
    // An empty image empties the container.
    void Assign(const Image8& image);
    // Takes a 24-bit image of the given size from colours listed row by row from the top.
    void AssignRgb(int width, int height, std::span<const Colour> pixels);
    // Gives the image its size, palette and 8-bit pixels; a DIB of another format is converted
    // to 8 bits per pixel on the way (this container is left as it is).
    void AssignTo(Image8& image) const;

    // Loads the data of a clipboard format; only ClipboardFormatDib with data is accepted.
    void LoadFromClipboardFormat(uint32_t format, std::span<const uint8_t> data);
    // The packed DIB to offer as ClipboardFormatDib: header, colours used x 4 bytes, pixels.
    std::vector<uint8_t> SaveToClipboardFormat() const;

    // Loads a bitmap file (file header, then a DIB) from its bytes.
    void LoadFromStream(std::span<const uint8_t> bytes);
    // The image as bitmap file bytes.
    std::vector<uint8_t> SaveToStream() const;

    DibPixelFormat PixelFormat() const;
    // Converts the image; only the conversion to DibPixelFormat::Bits8 is offered, and
    // setting the current format does nothing.
    void SetPixelFormat(DibPixelFormat format);

    // The first byte of pixel row y, 0 being the top row, for 0 <= y < Height().
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;

    int Width() const { return m_image->Width(); }
    int Height() const { return m_image->Height(); }
    bool IsTopDown() const { return m_image->IsTopDown(); }
    bool IsEmpty() const { return m_image->IsEmpty(); }
    const BitmapInfoHeader& Header() const { return m_image->Header(); }
    const std::vector<RgbQuad>& Colours() const { return m_image->Colours(); }

    bool SharesImageWith(const TNkDIB& other) const { return m_image == other.m_image; }

private:
    void Load(const uint8_t* data, size_t size, const TNkInternalDIB::LoadOptions& options);
    void CheckScanLine(int y) const;
    TNkInternalDIB& Unique();

    std::shared_ptr<TNkInternalDIB> m_image;
};

} // namespace tavrin
