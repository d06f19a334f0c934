#pragma once

#include "core/platform/Colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin {

// An 8-bit indexed off-screen image with a 256-entry palette. Rows are stored top-down and
// contiguously, so codecs fetch one row pointer per pixel row and write bytes directly.
class Image8 {
public:
    using Palette = std::array<Colour, 256>;

    Image8() = default;
    Image8(int width, int height);

    // Reallocates to the given size with every pixel 0; the palette is kept.
    void Resize(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_width <= 0 || m_height <= 0; }
    ptrdiff_t Stride() const { return m_width; }

    uint8_t* ScanLine(int y) { return m_pixels.data() + static_cast<ptrdiff_t>(y) * m_width; }
    const uint8_t* ScanLine(int y) const {
        return m_pixels.data() + static_cast<ptrdiff_t>(y) * m_width;
    }
    uint8_t* Bits() { return m_pixels.data(); }
    const uint8_t* Bits() const { return m_pixels.data(); }

    // Checked single-pixel access: outside the image reads 0 and writes nothing.
    uint8_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint8_t value);

    void Fill(uint8_t value);

    Palette& Colours() { return m_palette; }
    const Palette& Colours() const { return m_palette; }

    // Copies the w x h rectangle at (sx, sy) of src to (dx, dy) of this image, clipped to both.
    void CopyRect(const Image8& src, int sx, int sy, int w, int h, int dx, int dy);
    // A new image holding the given rectangle (clipped; outside pixels are 0), with the palette.
    Image8 SubImage(int x, int y, int w, int h) const;
    // Nearest-pixel stretch of src's rectangle (sx, sy, sw, sh) onto this image's rectangle
    // (dx, dy, dw, dh). A negative dw or dh mirrors. Destination pixels are clipped.
    void StretchFrom(const Image8& src, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                     int dh);

    bool operator==(const Image8& other) const = default;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_pixels;
    Palette m_palette{};
};

} // namespace tavrin
