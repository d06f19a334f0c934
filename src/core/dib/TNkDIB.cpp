#include "core/dib/TNkDIB.h"

#include "core/dib/DibError.h"
#include "core/platform/Image8.h"

#include <algorithm>
#include <utility>

namespace tavrin {

TNkDIB::TNkDIB() : m_image(std::make_shared<TNkInternalDIB>()) {}

TNkInternalDIB& TNkDIB::Unique() {
    if (m_image.use_count() > 1) {
        m_image = std::make_shared<TNkInternalDIB>(*m_image);
    }
    return *m_image;
}

void TNkDIB::Assign(const Image8& image) {
    if (image.IsEmpty()) {
        m_image = std::make_shared<TNkInternalDIB>();
        return;
    }
    std::vector<RgbQuad> colours(256);
    for (size_t i = 0; i < colours.size(); ++i) {
        const Colour c = image.Colours()[i];
        colours[i] = RgbQuad{static_cast<uint8_t>(BlueOf(c)), static_cast<uint8_t>(GreenOf(c)),
                             static_cast<uint8_t>(RedOf(c)), 0};
    }
    auto dib = std::make_shared<TNkInternalDIB>(
        TNkInternalDIB::Make(image.Width(), image.Height(), 8, std::move(colours)));
    for (int y = 0; y < image.Height(); ++y) {
        std::copy_n(image.ScanLine(y), image.Width(), dib->Row(y));
    }
    m_image = std::move(dib);
}

void TNkDIB::AssignRgb(int width, int height, std::span<const Colour> pixels) {
    auto dib = std::make_shared<TNkInternalDIB>(TNkInternalDIB::Make(width, height, 24, {}));
    if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        throw DibError("TNkInternalDIB.LoadFromStream: Invalid Width or Height");
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* row = dib->Row(y);
        const Colour* src = pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<uint8_t>(BlueOf(src[x]));
            row[3 * x + 1] = static_cast<uint8_t>(GreenOf(src[x]));
            row[3 * x + 2] = static_cast<uint8_t>(RedOf(src[x]));
        }
    }
    m_image = std::move(dib);
}

void TNkDIB::AssignTo(Image8& image) const {
    if (IsEmpty()) {
        image = Image8();
        return;
    }
    TNkDIB indexed = *this;
    indexed.SetPixelFormat(DibPixelFormat::Bits8);
    const TNkInternalDIB& dib = *indexed.m_image;
    Image8 out(dib.Width(), dib.Height());
    for (size_t i = 0; i < dib.Colours().size(); ++i) {
        const RgbQuad& c = dib.Colours()[i];
        out.Colours()[i] = MakeColour(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    for (int y = 0; y < dib.Height(); ++y) {
        std::copy_n(dib.Row(y), dib.Width(), out.ScanLine(y));
    }
    image = std::move(out);
}

void TNkDIB::Load(const uint8_t* data, size_t size, const TNkInternalDIB::LoadOptions& options) {
    auto dib = std::make_shared<TNkInternalDIB>();
    dib->Load(data, size, options);
    m_image = std::move(dib);
}

void TNkDIB::LoadFromClipboardFormat(uint32_t format, std::span<const uint8_t> data) {
    if (format != ClipboardFormatDib || data.empty()) {
        throw DibError("TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    }
    Load(data.data(), data.size(), {});
}

std::vector<uint8_t> TNkDIB::SaveToClipboardFormat() const {
    return m_image->SaveToClipboardFormat();
}

void TNkDIB::LoadFromStream(std::span<const uint8_t> bytes) {
    if (bytes.size() < BitmapFileHeaderSize ||
        BitmapFileHeader::Load(bytes.data()).bfType != BitmapFileType) {
        throw DibError("TNkDIB.LoadFromStream: Invalid Bitmap File");
    }
    const BitmapFileHeader fileHeader = BitmapFileHeader::Load(bytes.data());
    TNkInternalDIB::LoadOptions options;
    // An offset that points into the headers is ignored: the pixels then follow the colours.
    options.bitsOffset = fileHeader.bfOffBits > BitmapFileHeaderSize
                             ? fileHeader.bfOffBits - BitmapFileHeaderSize
                             : 0;
    options.extendedHeaders = true;
    Load(bytes.data() + BitmapFileHeaderSize, bytes.size() - BitmapFileHeaderSize, options);
}

std::vector<uint8_t> TNkDIB::SaveToStream() const {
    const std::vector<uint8_t> dib = SaveToClipboardFormat();
    std::vector<uint8_t> out(BitmapFileHeaderSize + dib.size());
    BitmapFileHeader h{};
    h.bfType = BitmapFileType;
    h.bfSize = static_cast<uint32_t>(out.size());
    h.bfOffBits = static_cast<uint32_t>(BitmapFileHeaderSize + BitmapInfoHeaderSize +
                                        m_image->Colours().size() * 4);
    h.Store(out.data());
    std::copy(dib.begin(), dib.end(), out.begin() + BitmapFileHeaderSize);
    return out;
}

DibPixelFormat TNkDIB::PixelFormat() const {
    return m_image->PixelFormat();
}

void TNkDIB::SetPixelFormat(DibPixelFormat format) {
    if (format == PixelFormat()) {
        return;
    }
    // Convert a copy, so that a failure leaves this image (and any sharer) unchanged.
    auto converted = std::make_shared<TNkInternalDIB>(*m_image);
    converted->SetPixelFormat(format);
    m_image = std::move(converted);
}

void TNkDIB::CheckScanLine(int y) const {
    const DibPixelFormat format = PixelFormat();
    if (format == DibPixelFormat::Bits4Rle || format == DibPixelFormat::Bits8Rle) {
        throw DibError("TNkDIB.GetScanLine: Bad DIB Type");
    }
    if (y < 0 || y >= Height()) {
        throw DibError("TNkDIB.GetScanLine: y is Out of Range");
    }
}

uint8_t* TNkDIB::ScanLine(int y) {
    CheckScanLine(y);
    return Unique().Row(y);
}

const uint8_t* TNkDIB::ScanLine(int y) const {
    CheckScanLine(y);
    return m_image->Row(y);
}

} // namespace tavrin
