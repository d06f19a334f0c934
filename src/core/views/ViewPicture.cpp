#include "core/views/ViewPicture.h"

#include <cstring>
#include <vector>

namespace tavrin {

uint8_t NearestColourIndex(const Image8::Palette& palette, Colour colour) {
    int best = 0;
    int bestDistance = INT32_MAX;
    for (int i = 0; i < 256; ++i) {
        const int dr = RedOf(palette[i]) - RedOf(colour);
        const int dg = GreenOf(palette[i]) - GreenOf(colour);
        const int db = BlueOf(palette[i]) - BlueOf(colour);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return static_cast<uint8_t>(best);
}

void StretchToView(const Image8& src, const PixelRect& area, Image8& dst) {
    const PixelRect r = CBitmapEdit::ClampRect(src, area);
    const int dw = dst.Width();
    const int dh = dst.Height();
    if (dst.IsEmpty())
        return;
    if (r.IsEmpty()) {
        dst.Fill(0);
        return;
    }
    const int sw = r.Width();
    const int sh = r.Height();
    std::vector<int> columns(static_cast<size_t>(dw));
    for (int x = 0; x < dw; ++x)
        columns[static_cast<size_t>(x)] =
            r.left + static_cast<int>(static_cast<int64_t>(x) * sw / dw);
    int previousRow = -1;
    for (int y = 0; y < dh; ++y) {
        const int sy = r.top + static_cast<int>(static_cast<int64_t>(y) * sh / dh);
        uint8_t* d = dst.ScanLine(y);
        if (sy == previousRow) {
            // Rows repeated by the enlargement are copied whole.
            std::memcpy(d, dst.ScanLine(y - 1), static_cast<size_t>(dw));
            continue;
        }
        const uint8_t* s = src.ScanLine(sy);
        for (int x = 0; x < dw; ++x)
            d[x] = s[columns[static_cast<size_t>(x)]];
        previousRow = sy;
    }
}

} // namespace tavrin
