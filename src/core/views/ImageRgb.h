#pragma once

#include "core/platform/Colour.h"
#include "core/views/CBitmapEdit.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin {

// A true-colour picture for the palette views, one Colour (red in bits 0-7, green 8-15, blue
// 16-23) per pixel, rows top-down. In memory each pixel is the bytes red, green, blue, 0, so a
// widget wraps Bits() as a QImage of Format_RGBX8888 without converting.
class ImageRgb {
public:
    ImageRgb() = default;
    // Filled with black.
    ImageRgb(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const Colour* ScanLine(int y) const {
        return m_pixels.data() + static_cast<size_t>(y) * m_width;
    }
    const Colour* Bits() const { return m_pixels.data(); }

    // Outside the picture reads 0 and writes nothing.
    Colour Pixel(int x, int y) const;
    void SetPixel(int x, int y, Colour colour);
    void Fill(Colour colour);
    // Clipped to the picture; right and bottom exclusive.
    void FillRect(const PixelRect& rect, Colour colour);
    void BoxOutline(const PixelRect& rect, Colour colour);

    bool operator==(const ImageRgb&) const = default;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Colour> m_pixels;
};

} // namespace tavrin
