#include "core/dib/TNkInternalDIB.h"

#include "core/dib/ColourReduction.h"
#include "core/dib/DibError.h"
#include "core/dib/DibRle.h"
#include "core/platform/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <new>
#include <utility>

namespace tavrin {

namespace {

constexpr int32_t DefaultPelsPerMeter = 3780;

[[noreturn]] void Fail(const char* text) {
    throw DibError(text);
}

uint64_t RowBytesOf(int64_t width, int bitCount) {
    return ((static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 31) / 32) * 4;
}

bool IsExtendedHeaderSize(uint32_t size) {
    return size == 52 || size == 56 || size == 108 || size == 124;
}

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits over the mask's full range.
class MaskChannel {
public:
    explicit MaskChannel(uint32_t mask)
        : m_mask(mask), m_shift(std::countr_zero(mask)), m_max(mask >> m_shift) {}

    uint8_t Scale(uint32_t pixel) const {
        const uint64_t v = (pixel & m_mask) >> m_shift;
        return static_cast<uint8_t>((v * 255 + m_max / 2) / m_max);
    }

private:
    uint32_t m_mask;
    int m_shift;
    uint64_t m_max;
};

} // namespace

TNkInternalDIB::TNkInternalDIB() : m_header{} {
    m_header.biSize = BitmapInfoHeaderSize;
    m_header.biPlanes = 1;
    m_header.biBitCount = 8;
    m_header.biXPelsPerMeter = DefaultPelsPerMeter;
    m_header.biYPelsPerMeter = DefaultPelsPerMeter;
}

TNkInternalDIB TNkInternalDIB::Make(int width, int height, int bitCount,
                                    std::vector<RgbQuad> colours) {
    if (width <= 0 || height <= 0 ||
        static_cast<int64_t>(width) * static_cast<int64_t>(height) > MaxDibPixels) {
        Fail("TNkInternalDIB.LoadFromStream: Invalid Width or Height");
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) {
        Fail("TNkInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
    }
    if (colours.size() > 256) {
        colours.resize(256);
    }
    TNkInternalDIB dib;
    dib.m_header.biWidth = width;
    dib.m_header.biHeight = height;
    dib.m_header.biBitCount = static_cast<uint16_t>(bitCount);
    dib.m_header.biClrUsed = static_cast<uint32_t>(colours.size());
    dib.m_colours = std::move(colours);
    dib.m_bits.assign(RowBytesOf(width, bitCount) * static_cast<uint64_t>(height), 0);
    dib.m_header.biSizeImage = static_cast<uint32_t>(dib.m_bits.size());
    return dib;
}

void TNkInternalDIB::Load(const uint8_t* data, size_t size, const LoadOptions& options) {
    const char* const invalidData = "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data";
    if (data == nullptr || size < 4) {
        Fail(invalidData);
    }
    const uint32_t headerSize = LoadLE32(data);
    BitmapInfoHeader h{};
    uint64_t colourCount = 0;
    size_t entrySize = 4;
    bool masksInHeader = false;
    if (headerSize == BitmapCoreHeaderSize) {
        if (size < BitmapCoreHeaderSize) {
            Fail(invalidData);
        }
        const BitmapCoreHeader core = BitmapCoreHeader::Load(data);
        h.biWidth = core.bcWidth;
        h.biHeight = core.bcHeight;
        h.biPlanes = core.bcPlanes;
        h.biBitCount = core.bcBitCount;
        h.biCompression = BiRgb;
        colourCount = h.biBitCount <= 8 ? uint64_t{1} << h.biBitCount : 0;
        entrySize = 3;
    } else if (headerSize == BitmapInfoHeaderSize ||
               (options.extendedHeaders && IsExtendedHeaderSize(headerSize))) {
        if (size < headerSize) {
            Fail(invalidData);
        }
        h = BitmapInfoHeader::Load(data);
        if (h.biClrUsed != 0) {
            colourCount = h.biClrUsed;
        } else if (h.biBitCount <= 8) {
            colourCount = uint64_t{1} << h.biBitCount;
        }
        masksInHeader = headerSize > BitmapInfoHeaderSize;
    } else {
        Fail(invalidData);
    }
    h.biSize = BitmapInfoHeaderSize;

    // Colour masks, then the colour table; every offset in 64 bits against the data's size.
    uint64_t tableStart = headerSize;
    uint32_t masks[3] = {0, 0, 0};
    if (h.biCompression == BiBitfields) {
        const uint64_t masksStart = masksInHeader ? BitmapInfoHeaderSize : headerSize;
        if (masksStart + BitfieldMasksSize > size) {
            Fail(invalidData);
        }
        for (int i = 0; i < 3; ++i) {
            masks[i] = LoadLE32(data + masksStart + 4 * i);
        }
        if (!masksInHeader) {
            tableStart += BitfieldMasksSize;
        }
    }
    const uint64_t tableEnd = tableStart + colourCount * entrySize;
    if (tableEnd > size) {
        Fail(invalidData);
    }
    std::vector<RgbQuad> colours(std::min<uint64_t>(colourCount, 256));
    for (size_t i = 0; i < colours.size(); ++i) {
        const uint8_t* p = data + tableStart + i * entrySize;
        colours[i] = RgbQuad{p[0], p[1], p[2], 0};
    }
    h.biClrUsed = static_cast<uint32_t>(colours.size());
    if (h.biXPelsPerMeter == 0) {
        h.biXPelsPerMeter = DefaultPelsPerMeter;
    }
    if (h.biYPelsPerMeter == 0) {
        h.biYPelsPerMeter = DefaultPelsPerMeter;
    }

    const int64_t width = h.biWidth;
    const int64_t rows = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
    if (width <= 0 || rows == 0 || width * rows > MaxDibPixels) {
        Fail("TNkInternalDIB.LoadFromStream: Invalid Width or Height");
    }

    const int bitCount = h.biBitCount;
    const bool direct = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
    const bool packed = bitCount == 16 || bitCount == 32;
    if (!direct && !packed) {
        Fail("TNkInternalDIB.LoadFromClipboardFormat: Invalid biBitCount");
    }
    if (packed && h.biCompression != BiRgb && h.biCompression != BiBitfields) {
        Fail("TNkInternalDIB.LoadFromClipboardFormat: Invalid biCompression");
    }

    const uint64_t bitsStart = options.bitsOffset >= tableEnd ? options.bitsOffset : tableEnd;
    if (bitsStart > size) {
        Fail(invalidData);
    }
    const uint64_t available = size - bitsStart;
    const uint64_t rowBytes = RowBytesOf(width, bitCount);
    uint64_t dataSize = rowBytes * static_cast<uint64_t>(rows);
    if (direct && h.biCompression != BiRgb && h.biCompression != BiBitfields) {
        // Compressed data: as long as the header says, or the rest of the data.
        dataSize = h.biSizeImage != 0 ? h.biSizeImage : available;
    }
    if (dataSize > available) {
        Fail(invalidData);
    }
    const uint8_t* bits = data + bitsStart;

    std::vector<uint8_t> pixels;
    if (direct) {
        pixels.assign(bits, bits + dataSize);
        h.biSizeImage = static_cast<uint32_t>(dataSize);
    } else {
        if (h.biCompression != BiBitfields) {
            static constexpr uint32_t Masks16[3] = {0x7C00, 0x03E0, 0x001F};
            static constexpr uint32_t Masks32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
            std::copy_n(bitCount == 16 ? Masks16 : Masks32, 3, masks);
        }
        if (masks[0] == 0 || masks[1] == 0 || masks[2] == 0) {
            Fail("TNkInternalDIB.LoadFromStream: Invalid Masks");
        }
        const MaskChannel red(masks[0]), green(masks[1]), blue(masks[2]);
        const uint64_t outRowBytes = RowBytesOf(width, 24);
        pixels.assign(outRowBytes * static_cast<uint64_t>(rows), 0);
        for (int64_t y = 0; y < rows; ++y) {
            const uint8_t* src = bits + y * rowBytes;
            uint8_t* dst = pixels.data() + y * outRowBytes;
            for (int64_t x = 0; x < width; ++x, dst += 3) {
                const uint32_t pixel =
                    bitCount == 16 ? LoadLE16(src + 2 * x) : LoadLE32(src + 4 * x);
                dst[0] = blue.Scale(pixel);
                dst[1] = green.Scale(pixel);
                dst[2] = red.Scale(pixel);
            }
        }
        h.biBitCount = 24;
        h.biCompression = BiRgb;
        h.biSizeImage = static_cast<uint32_t>(pixels.size());
    }

    m_header = h;
    m_colours = std::move(colours);
    m_bits = std::move(pixels);
}

std::vector<uint8_t> TNkInternalDIB::SaveToClipboardFormat() const {
    if (IsEmpty()) {
        Fail("TNkInternalDIB.SaveToClipboardFormat: Empty Image");
    }
    try {
        std::vector<uint8_t> out(BitmapInfoHeaderSize + m_colours.size() * 4 + m_bits.size());
        BitmapInfoHeader h = m_header;
        h.biSize = BitmapInfoHeaderSize;
        h.biClrUsed = static_cast<uint32_t>(m_colours.size());
        h.biSizeImage = static_cast<uint32_t>(m_bits.size());
        h.Store(out.data());
        uint8_t* p = out.data() + BitmapInfoHeaderSize;
        for (const RgbQuad& c : m_colours) {
            *p++ = c.rgbBlue;
            *p++ = c.rgbGreen;
            *p++ = c.rgbRed;
            *p++ = 0;
        }
        std::copy(m_bits.begin(), m_bits.end(), p);
        return out;
    } catch (const std::bad_alloc&) {
        Fail("TNkInternalDIB.SaveToClipboardFormat: Out Of Memory");
    }
}

DibPixelFormat TNkInternalDIB::PixelFormatOf(int bitCount, uint32_t compression) {
    switch (bitCount) {
    case 1:
        if (compression == BiRgb) {
            return DibPixelFormat::Bits1;
        }
        Fail("TNkInternalDIB.GetPixelFormat: Invalid DIB(1Bit)");
    case 4:
        if (compression == BiRgb) {
            return DibPixelFormat::Bits4;
        }
        if (compression == BiRle4) {
            return DibPixelFormat::Bits4Rle;
        }
        Fail("TNkInternalDIB.GetPixelFormat: Invalid DIB(4Bit)");
    case 8:
        if (compression == BiRgb) {
            return DibPixelFormat::Bits8;
        }
        if (compression == BiRle8) {
            return DibPixelFormat::Bits8Rle;
        }
        Fail("TNkInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
    case 24:
        if (compression == BiRgb) {
            return DibPixelFormat::Bits24;
        }
        Fail("TNkInternalDIB.GetPixelFormat: Invalid DIB(24Bit)");
    default:
        Fail("TNkInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)");
    }
}

DibPixelFormat TNkInternalDIB::PixelFormat() const {
    return PixelFormatOf(m_header.biBitCount, m_header.biCompression);
}

void TNkInternalDIB::SetPixelFormat(DibPixelFormat format) {
    const DibPixelFormat current = PixelFormat();
    if (format == current) {
        return;
    }
    if (format != DibPixelFormat::Bits8 || IsEmpty()) {
        Fail("TNkIntenalDIB.SetPixelsFormat: PixelFormat Error");
    }
    switch (current) {
    case DibPixelFormat::Bits1:
    case DibPixelFormat::Bits4:
        ConvertIndexedTo8Bit();
        break;
    case DibPixelFormat::Bits4Rle:
        ExpandRleTo8Bit(true);
        break;
    case DibPixelFormat::Bits8Rle:
        ExpandRleTo8Bit(false);
        break;
    case DibPixelFormat::Bits24:
        ReduceTo8Bit();
        break;
    default:
        Fail("TNkIntenalDIB.SetPixelsFormat: PixelFormat Error");
    }
}

int TNkInternalDIB::Height() const {
    return m_header.biHeight < 0 ? -m_header.biHeight : m_header.biHeight;
}

ptrdiff_t TNkInternalDIB::RowBytes() const {
    return static_cast<ptrdiff_t>(RowBytesOf(m_header.biWidth, m_header.biBitCount));
}

uint8_t* TNkInternalDIB::Row(int y) {
    const int stored = IsTopDown() ? y : Height() - 1 - y;
    return m_bits.data() + static_cast<ptrdiff_t>(stored) * RowBytes();
}

const uint8_t* TNkInternalDIB::Row(int y) const {
    return const_cast<TNkInternalDIB*>(this)->Row(y);
}

void TNkInternalDIB::ConvertIndexedTo8Bit() {
    const int width = Width();
    const int rows = Height();
    const int bitCount = m_header.biBitCount;
    const ptrdiff_t srcStride = RowBytes();
    const auto dstStride = static_cast<ptrdiff_t>(RowBytesOf(width, 8));
    std::vector<uint8_t> out(static_cast<size_t>(dstStride) * rows, 0);
    // Stored row order is kept, so the height's sign still describes the rows.
    for (int y = 0; y < rows; ++y) {
        const uint8_t* src = m_bits.data() + y * srcStride;
        uint8_t* dst = out.data() + y * dstStride;
        for (int x = 0; x < width; ++x) {
            if (bitCount == 1) {
                dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
            } else {
                dst[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
            }
        }
    }
    Set8BitPixels(std::move(out), m_colours);
}

void TNkInternalDIB::ExpandRleTo8Bit(bool nibbles) {
    const int width = Width();
    const int rows = Height();
    const auto dstStride = static_cast<ptrdiff_t>(RowBytesOf(width, 8));
    std::vector<uint8_t> out(static_cast<size_t>(dstStride) * rows, 0);
    if (nibbles) {
        ExpandRle4(m_bits.data(), m_bits.size(), width, rows, out.data(), dstStride);
    } else {
        ExpandRle8(m_bits.data(), m_bits.size(), width, rows, out.data(), dstStride);
    }
    Set8BitPixels(std::move(out), m_colours);
}

void TNkInternalDIB::ReduceTo8Bit() {
    const int width = Width();
    const int rows = Height();
    const auto dstStride = static_cast<ptrdiff_t>(RowBytesOf(width, 8));
    std::vector<uint8_t> out(static_cast<size_t>(dstStride) * rows, 0);
    std::vector<RgbQuad> table =
        ReduceColours24(m_bits.data(), RowBytes(), width, rows, out.data(), dstStride);
    Set8BitPixels(std::move(out), std::move(table));
}

void TNkInternalDIB::Set8BitPixels(std::vector<uint8_t> bits, std::vector<RgbQuad> colours) {
    m_bits = std::move(bits);
    m_colours = std::move(colours);
    m_header.biBitCount = 8;
    m_header.biCompression = BiRgb;
    m_header.biSizeImage = static_cast<uint32_t>(m_bits.size());
    m_header.biClrUsed = static_cast<uint32_t>(m_colours.size());
}

} // namespace tavrin
