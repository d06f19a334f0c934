#pragma once

#include "core/platform/Colour.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavrin {

class ImageRgb;

// The 256 hexadecimal labels of the palette views: label n shows n as two digits, white with
// a dark outline on a transparent background, 12 x 10 pixels.
class HexLabelList {
public:
    static constexpr int Width = 12;
    static constexpr int Height = 10;
    static constexpr int Count = 256;

    enum Ink : uint8_t { Transparent = 0, Outline = 1, Digit = 2 };
    using Label = std::array<uint8_t, Width * Height>; // Ink per pixel, row by row

    HexLabelList();

    // Label n (taken modulo 256).
    const Label& Get(int n) const { return m_labels[static_cast<size_t>(n & 0xFF)]; }
    Ink At(int n, int x, int y) const;

    // Draws label n with its top-left corner at (x, y); transparent pixels leave the picture.
    void Draw(ImageRgb& picture, int n, int x, int y) const;

    static constexpr Colour DigitColour = MakeColour(255, 255, 255);
    static constexpr Colour OutlineColour = MakeColour(0, 0, 0);

private:
    std::array<Label, Count> m_labels{};
};

} // namespace tavrin
