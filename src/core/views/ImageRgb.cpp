#include "core/views/ImageRgb.h"

#include <algorithm>

namespace tavrin {

ImageRgb::ImageRgb(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0) {}

Colour ImageRgb::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[static_cast<size_t>(y) * m_width + x];
}

void ImageRgb::SetPixel(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<size_t>(y) * m_width + x] = colour;
}

void ImageRgb::Fill(Colour colour) {
    std::fill(m_pixels.begin(), m_pixels.end(), colour);
}

void ImageRgb::FillRect(const PixelRect& rect, Colour colour) {
    const int l = std::clamp(rect.left, 0, m_width);
    const int r = std::clamp(rect.right, 0, m_width);
    const int t = std::clamp(rect.top, 0, m_height);
    const int b = std::clamp(rect.bottom, 0, m_height);
    for (int y = t; y < b; ++y) {
        Colour* row = m_pixels.data() + static_cast<size_t>(y) * m_width;
        std::fill(row + l, row + std::max(l, r), colour);
    }
}

void ImageRgb::BoxOutline(const PixelRect& rect, Colour colour) {
    if (rect.IsEmpty())
        return;
    FillRect({rect.left, rect.top, rect.right, rect.top + 1}, colour);
    FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

} // namespace tavrin
