#include "core/platform/Image8.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

Image8::Image8(int width, int height) { Resize(width, height); }

void Image8::Resize(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0);
}

uint8_t Image8::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return ScanLine(y)[x];
}

void Image8::SetPixel(int x, int y, uint8_t value) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    ScanLine(y)[x] = value;
}

void Image8::Fill(uint8_t value) { std::fill(m_pixels.begin(), m_pixels.end(), value); }

void Image8::CopyRect(const Image8& src, int sx, int sy, int w, int h, int dx, int dy) {
    // Clip against the source, then against the destination, moving both origins together.
    if (sx < 0) {
        w += sx;
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        dy -= sy;
        sy = 0;
    }
    if (dx < 0) {
        w += dx;
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        h += dy;
        sy -= dy;
        dy = 0;
    }
    w = std::min({w, src.m_width - sx, m_width - dx});
    h = std::min({h, src.m_height - sy, m_height - dy});
    if (w <= 0 || h <= 0)
        return;
    for (int y = 0; y < h; ++y)
        std::memmove(ScanLine(dy + y) + dx, src.ScanLine(sy + y) + sx, static_cast<size_t>(w));
}

Image8 Image8::SubImage(int x, int y, int w, int h) const {
    Image8 out(w, h);
    out.m_palette = m_palette;
    out.CopyRect(*this, x, y, w, h, 0, 0);
    return out;
}

void Image8::StretchFrom(const Image8& src, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                         int dh) {
    if (sw <= 0 || sh <= 0 || dw == 0 || dh == 0 || src.IsEmpty())
        return;
    const bool flipX = dw < 0;
    const bool flipY = dh < 0;
    if (flipX) {
        dx += dw + 1;
        dw = -dw;
    }
    if (flipY) {
        dy += dh + 1;
        dh = -dh;
    }
    for (int j = 0; j < dh; ++j) {
        const int ty = dy + j;
        if (ty < 0 || ty >= m_height)
            continue;
        const int rj = flipY ? dh - 1 - j : j;
        const int py = sy + static_cast<int>(static_cast<int64_t>(rj) * sh / dh);
        if (py < 0 || py >= src.m_height)
            continue;
        const uint8_t* s = src.ScanLine(py);
        uint8_t* d = ScanLine(ty);
        for (int i = 0; i < dw; ++i) {
            const int tx = dx + i;
            if (tx < 0 || tx >= m_width)
                continue;
            const int ri = flipX ? dw - 1 - i : i;
            const int px = sx + static_cast<int>(static_cast<int64_t>(ri) * sw / dw);
            if (px < 0 || px >= src.m_width)
                continue;
            d[tx] = s[px];
        }
    }
}

} // namespace tavrin
