#pragma once

#include "core/platform/Colour.h"
#include "core/views/ImageRgb.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin::test {

// A 24-bit bitmap file of the picture's colours, bottom-up rows padded to 4 bytes. Without its
// 14-byte file header it is the packed DIB the clipboard holds.
inline std::vector<uint8_t> Bitmap24(const ImageRgb& colours) {
    const int w = colours.Width(), h = colours.Height();
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> file(54 + stride * static_cast<size_t>(h), 0);
    const auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<uint32_t>(file.size()));
    put(10, 54);
    put(14, 40);
    put(18, static_cast<uint32_t>(w));
    put(22, static_cast<uint32_t>(h));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Colour c = colours.Pixel(x, y);
            uint8_t* p = &file[54 + stride * static_cast<size_t>(h - 1 - y) + 3 * x];
            p[0] = static_cast<uint8_t>(BlueOf(c));
            p[1] = static_cast<uint8_t>(GreenOf(c));
            p[2] = static_cast<uint8_t>(RedOf(c));
        }
    return file;
}

} // namespace tavrin::test
