#pragma once

#include "core/dib/DibRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin {

// The pixel formats a DIB can have once loaded, numbered as the container reports them.
enum class DibPixelFormat : int {
    Bits1 = 0,
    Bits4 = 1,
    Bits4Rle = 2,
    Bits8 = 3,
    Bits8Rle = 4,
    Bits24 = 5,
};

// Larger images are refused: nothing the program exchanges comes near it, and a malformed
// header must not be able to exhaust memory.
constexpr int64_t MaxDibPixels = 100'000'000;

// The image a TNkDIB shares: a 40-byte info header, at most 256 colours and the pixel data,
// rows padded to 4 bytes and stored bottom-up for a positive height, top-down for a negative
// one (or the compressed data of an RLE image). After a load the bit count is 1, 4, 8 or 24:
// 16- and 32-bit pixels are turned into 24-bit ones on the way in.
class TNkInternalDIB {
public:
    struct LoadOptions {
        // Where the pixel data starts, counted from the info header's first byte. 0, or any
        // offset inside the header or colour table: right after the colour table.
        size_t bitsOffset = 0;
        // Accept the longer info headers of bitmap files (52, 56, 108 and 124 bytes), whose
        // first 40 bytes are the 40-byte header and which carry their own colour masks.
        bool extendedHeaders = false;
    };

    // An empty 8-bit image of 0 x 0 pixels.
    TNkInternalDIB();

    // Builds a zeroed bottom-up image of an uncompressed bit count (1, 4, 8 or 24).
    static TNkInternalDIB Make(int width, int height, int bitCount, std::vector<RgbQuad> colours);

    // Loads a packed DIB (header, colour masks, colour table, pixel data). On failure throws
    // DibError and keeps the previous image.
    void Load(const uint8_t* data, size_t size, const LoadOptions& options);

    // The header, the colour table and the pixel data as one packed DIB.
    std::vector<uint8_t> SaveToClipboardFormat() const;

    // The pixel format of a bit count and compression; throws for any other combination.
    static DibPixelFormat PixelFormatOf(int bitCount, uint32_t compression);
    DibPixelFormat PixelFormat() const;
    // Converts to the given format; only the conversion to 8 bits is offered.
    void SetPixelFormat(DibPixelFormat format);

    int Width() const { return m_header.biWidth; }
    int Height() const;
    bool IsTopDown() const { return m_header.biHeight < 0; }
    bool IsEmpty() const { return m_header.biWidth == 0 || m_header.biHeight == 0; }
    // Bytes per row of the uncompressed pixel data.
    ptrdiff_t RowBytes() const;
    const BitmapInfoHeader& Header() const { return m_header; }
    const std::vector<RgbQuad>& Colours() const { return m_colours; }
    const std::vector<uint8_t>& Bits() const { return m_bits; }

    // Pixel row y counted from the top; the caller checks the format and the range.
    uint8_t* Row(int y);
    const uint8_t* Row(int y) const;

private:
    void ConvertIndexedTo8Bit();
    void ExpandRleTo8Bit(bool nibbles);
    void ReduceTo8Bit();
    void Set8BitPixels(std::vector<uint8_t> bits, std::vector<RgbQuad> colours);

    BitmapInfoHeader m_header;
    std::vector<RgbQuad> m_colours;
    std::vector<uint8_t> m_bits;
};

} // namespace tavrin
