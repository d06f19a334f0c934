#pragma once

#include "core/platform/Image8.h"

#include <string>
#include <vector>

namespace tavrin::test {

// A block of an image as rows of hex digits ('.' for 0), so expected pictures read as
// pictures. Values above 15 print as '#'.
inline std::vector<std::string> Rows(const Image8& image, int x, int y, int w, int h) {
    std::vector<std::string> rows;
    for (int j = 0; j < h; ++j) {
        std::string row;
        for (int i = 0; i < w; ++i) {
            const int v = image.Pixel(x + i, y + j);
            row += v == 0 ? '.' : v < 16 ? "0123456789ABCDEF"[v] : '#';
        }
        rows.push_back(row);
    }
    return rows;
}

inline std::vector<std::string> Rows(const Image8& image) {
    return Rows(image, 0, 0, image.Width(), image.Height());
}

// An image from rows of hex digits ('.' is 0).
inline Image8 FromRows(const std::vector<std::string>& rows) {
    Image8 image(rows.empty() ? 0 : static_cast<int>(rows[0].size()),
                 static_cast<int>(rows.size()));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const char c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            const int v = c == '.' ? 0 : (c <= '9' ? c - '0' : c - 'A' + 10);
            image.SetPixel(x, y, static_cast<uint8_t>(v));
        }
    return image;
}

// Every pixel of the image outside a rectangle equals value.
inline bool AllOutsideEqual(const Image8& image, int l, int t, int r, int b, int value) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if ((x < l || x >= r || y < t || y >= b) && image.Pixel(x, y) != value)
                return false;
    return true;
}

} // namespace tavrin::test
