#include "core/set/SetPictures.h"

#include "core/set/SetDocument.h"
#include "core/views/CBitmapEdit.h"
#include "core/views/ViewPicture.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

namespace {

constexpr Colour Grey = MakeColour(128, 128, 128);
constexpr Colour White = MakeColour(255, 255, 255);

void Prepare(Image8& out, int width, int height, const Image8::Palette& palette) {
    if (out.Width() != width || out.Height() != height)
        out.Resize(width, height);
    out.Colours() = palette;
}

// Each source pixel as 2 x 2 picture pixels; picture pixels past twice the source repeat its
// last row and column.
void Double(const Image8& src, Image8& out) {
    if (src.IsEmpty()) {
        out.Fill(0);
        return;
    }
    const int width = out.Width();
    const int pairs = std::min(src.Width(), width / 2);
    for (int y = 0; y < out.Height(); ++y) {
        uint8_t* d = out.ScanLine(y);
        if ((y & 1) == 1 && y / 2 < src.Height()) {
            std::memcpy(d, out.ScanLine(y - 1), static_cast<size_t>(width));
            continue;
        }
        const uint8_t* s = src.ScanLine(std::min(y / 2, src.Height() - 1));
        for (int i = 0; i < pairs; ++i) {
            const uint16_t twice = static_cast<uint16_t>(s[i] * 0x0101);
            std::memcpy(d + 2 * i, &twice, 2);
        }
        for (int x = 2 * pairs; x < width; ++x)
            d[x] = s[std::min(x / 2, src.Width() - 1)];
    }
}

// Grid lines across the whole picture.
void VerticalLine(Image8& out, int x, uint8_t index) {
    if (x < 0 || x >= out.Width())
        return;
    for (int y = 0; y < out.Height(); ++y)
        out.ScanLine(y)[x] = index;
}

void HorizontalLine(Image8& out, int y, uint8_t index) {
    CBitmapEdit::FillBox(out, {0, y, out.Width(), y + 1}, index);
}

PixelRect CellFrame(const CellSelection& cells) {
    const CellSelection n = cells.Normalized();
    return {n.x1 * PictureCell, n.y1 * PictureCell, (n.x2 + 1) * PictureCell,
            (n.y2 + 1) * PictureCell};
}

} // namespace

void DrawChrPicture(const Image8& source, bool grid, std::span<const CellSelection> frames,
                    Image8& out) {
    Prepare(out, ChrPictureSize, ChrPictureSize, source.Colours());
    Double(source, out);
    if (grid) {
        const uint8_t grey = NearestColourIndex(out.Colours(), Grey);
        for (int k = 0; k < 16; ++k) {
            VerticalLine(out, k * PictureCell, grey);
            HorizontalLine(out, k * PictureCell, grey);
        }
    }
    const uint8_t white = NearestColourIndex(out.Colours(), White);
    for (const CellSelection& frame : frames)
        CBitmapEdit::BoxOutline(out, CellFrame(frame), white);
}

void DrawSetPicture(const Image8& setImage, const SetPictureOverlay& overlay, Image8& out) {
    Prepare(out, SetPictureWidth, SetPictureHeight, setImage.Colours());
    Double(setImage, out);
    const uint8_t grey = NearestColourIndex(out.Colours(), Grey);
    const uint8_t white = NearestColourIndex(out.Colours(), White);
    if (overlay.grid) {
        for (int x = 0; x < SetPictureWidth; x += 2 * PictureCell)
            VerticalLine(out, x, grey);
        for (int y = 0; y < SetPictureHeight; y += 2 * PictureCell)
            HorizontalLine(out, y, grey);
    }
    if (overlay.sprites != nullptr) {
        auto outline = [](const Sprite& s) {
            return PixelRect{2 * s.x, 2 * s.y, 2 * s.x + 16, 2 * s.y + 32};
        };
        for (int i = 0; i < SetDocument::SpriteCount; ++i)
            if (i != overlay.currentSprite)
                CBitmapEdit::DottedBoxOutline(out, outline(overlay.sprites->GetSprite(i)), grey);
        // Drawn last, so that no other outline crosses it.
        if (overlay.currentSprite >= 0 && overlay.currentSprite < SetDocument::SpriteCount)
            CBitmapEdit::BoxOutline(out, outline(overlay.sprites->GetSprite(overlay.currentSprite)),
                                    white);
    }
    if (overlay.typeFrame)
        CBitmapEdit::BoxOutline(out, CellFrame(*overlay.typeFrame), white);
}

void DrawPalPicture(const Image8::Palette& palette, int column, int row, Image8& out) {
    Prepare(out, PalPictureWidth, PalPictureHeight, palette);
    constexpr int Half = PictureCell / 2;
    for (int g = 0; g < 16; ++g)
        for (int k = 0; k < 4; ++k) {
            const int x = g * PictureCell + (k & 1) * Half;
            const int y = (k >> 1) * Half;
            CBitmapEdit::FillBox(out, {x, y, x + Half, y + Half}, static_cast<uint8_t>(4 * g + k));
        }
    const uint8_t white = NearestColourIndex(palette, White);
    CBitmapEdit::BoxOutline(out,
                            {column * PictureCell, row * PictureCell, (column + 1) * PictureCell,
                             (row + 1) * PictureCell},
                            white);
}

} // namespace tavrin
