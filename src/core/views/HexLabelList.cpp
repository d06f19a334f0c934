#include "core/views/HexLabelList.h"

#include "core/views/ImageRgb.h"

namespace tavrin {

namespace {

constexpr int GlyphWidth = 4;
constexpr int GlyphHeight = 7;

// A 4 x 7 font of the hexadecimal digits; bit 3 of a row is the leftmost pixel.
constexpr uint8_t Glyphs[16][GlyphHeight] = {
    {0b0110, 0b1001, 0b1001, 0b1001, 0b1001, 0b1001, 0b0110}, // 0
    {0b0010, 0b0110, 0b0010, 0b0010, 0b0010, 0b0010, 0b0111}, // 1
    {0b0110, 0b1001, 0b0001, 0b0010, 0b0100, 0b1000, 0b1111}, // 2
    {0b0110, 0b1001, 0b0001, 0b0110, 0b0001, 0b1001, 0b0110}, // 3
    {0b0010, 0b0110, 0b1010, 0b1010, 0b1111, 0b0010, 0b0010}, // 4
    {0b1111, 0b1000, 0b1110, 0b0001, 0b0001, 0b1001, 0b0110}, // 5
    {0b0110, 0b1000, 0b1000, 0b1110, 0b1001, 0b1001, 0b0110}, // 6
    {0b1111, 0b0001, 0b0010, 0b0010, 0b0100, 0b0100, 0b0100}, // 7
    {0b0110, 0b1001, 0b1001, 0b0110, 0b1001, 0b1001, 0b0110}, // 8
    {0b0110, 0b1001, 0b1001, 0b0111, 0b0001, 0b0001, 0b0110}, // 9
    {0b0110, 0b1001, 0b1001, 0b1111, 0b1001, 0b1001, 0b1001}, // A
    {0b1110, 0b1001, 0b1001, 0b1110, 0b1001, 0b1001, 0b1110}, // B
    {0b0110, 0b1001, 0b1000, 0b1000, 0b1000, 0b1001, 0b0110}, // C
    {0b1110, 0b1001, 0b1001, 0b1001, 0b1001, 0b1001, 0b1110}, // D
    {0b1111, 0b1000, 0b1000, 0b1110, 0b1000, 0b1000, 0b1111}, // E
    {0b1111, 0b1000, 0b1000, 0b1110, 0b1000, 0b1000, 0b1000}, // F
};

// The two digits sit one pixel in from the label's edge with two pixels between them, so the
// outline fits around both.
constexpr int DigitX[2] = {1, 7};
constexpr int DigitY = 1;

} // namespace

HexLabelList::HexLabelList() {
    for (int n = 0; n < Count; ++n) {
        Label& label = m_labels[static_cast<size_t>(n)];
        const int digits[2] = {n >> 4, n & 0xF};
        for (int d = 0; d < 2; ++d)
            for (int row = 0; row < GlyphHeight; ++row)
                for (int col = 0; col < GlyphWidth; ++col)
                    if (Glyphs[digits[d]][row] & (0b1000 >> col))
                        label[static_cast<size_t>((DigitY + row) * Width + DigitX[d] + col)] =
                            Digit;
        // Every transparent pixel touching a digit pixel, also diagonally, becomes outline.
        const Label digitsOnly = label;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) {
                uint8_t& ink = label[static_cast<size_t>(y * Width + x)];
                if (ink != Transparent)
                    continue;
                for (int dy = -1; dy <= 1 && ink == Transparent; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < Width && ny < Height &&
                            digitsOnly[static_cast<size_t>(ny * Width + nx)] == Digit) {
                            ink = Outline;
                            break;
                        }
                    }
            }
    }
}

HexLabelList::Ink HexLabelList::At(int n, int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height)
        return Transparent;
    return static_cast<Ink>(Get(n)[static_cast<size_t>(y * Width + x)]);
}

void HexLabelList::Draw(ImageRgb& picture, int n, int x, int y) const {
    const Label& label = Get(n);
    for (int j = 0; j < Height; ++j)
        for (int i = 0; i < Width; ++i) {
            const uint8_t ink = label[static_cast<size_t>(j * Width + i)];
            if (ink != Transparent)
                picture.SetPixel(x + i, y + j, ink == Digit ? DigitColour : OutlineColour);
        }
}

} // namespace tavrin
