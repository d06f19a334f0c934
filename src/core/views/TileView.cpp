#include "core/views/TileView.h"

#include "core/views/ViewPicture.h"

#include <cstring>

namespace tavrin {

namespace {

constexpr int Cell = 16;
constexpr uint8_t PixelLineIndex = 1;
constexpr uint8_t HalfLineIndex = 3;

// The page is always shown at twice its size; this is the hot path of every redraw.
void Double(const Image8& src, Image8& dst) {
    for (int y = 0; y < src.Height(); ++y) {
        const uint8_t* s = src.ScanLine(y);
        uint8_t* d = dst.ScanLine(2 * y);
        for (int x = 0; x < src.Width(); ++x) {
            d[2 * x] = s[x];
            d[2 * x + 1] = s[x];
        }
        std::memcpy(dst.ScanLine(2 * y + 1), d, static_cast<size_t>(dst.Width()));
    }
}

} // namespace

TileView::TileView() : m_picture(Size, Size) {
    SetPalette(m_picture.Colours());
}

void TileView::SetPalette(const Image8::Palette& palette) {
    m_picture.Colours() = palette;
    m_white = NearestColourIndex(palette, MakeColour(255, 255, 255));
    m_dark = NearestColourIndex(palette, MakeColour(0, 0, 0));
}

void TileView::Draw(const Image8& tileImage, const EditArea& area, const TileViewOptions& options) {
    if (tileImage.Width() * 2 == Size && tileImage.Height() * 2 == Size)
        Double(tileImage, m_picture);
    else
        StretchToView(tileImage, {0, 0, tileImage.Width(), tileImage.Height()}, m_picture);
    if (options.pastEnd != nullptr)
        HatchPastEnd(*options.pastEnd);
    if (options.grid)
        DrawGrid(options);
    const PixelRect frame{area.firstColumn * Cell, area.firstRow * Cell,
                          (area.lastColumn + 1) * Cell, (area.lastRow + 1) * Cell};
    // A dark line around the white frame keeps it visible over white tiles.
    CBitmapEdit::BoxOutline(
        m_picture, {frame.left - 1, frame.top - 1, frame.right + 1, frame.bottom + 1}, m_dark);
    CBitmapEdit::BoxOutline(m_picture, frame, m_white);
}

void TileView::HatchPastEnd(const Image8& pastEnd) {
    // Diagonal lines, light and dark in turn, show over any colour.
    const int scale = pastEnd.Width() > 0 ? Size / pastEnd.Width() : 0;
    if (scale <= 0 || pastEnd.Height() * scale != Size)
        return;
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const int phase = (x + y) % 8;
            if ((phase == 0 || phase == 4) && pastEnd.Pixel(x / scale, y / scale) != 0)
                m_picture.SetPixel(x, y, phase == 0 ? m_white : m_dark);
        }
}

void TileView::DrawGrid(const TileViewOptions& options) {
    if (options.gridType == 0) {
        for (int i = 0; i < Size / Cell; ++i)
            for (int j = 0; j < Size / Cell; ++j)
                m_picture.SetPixel(Cell * j, Cell * i, m_white);
        return;
    }
    const DashPattern* pattern = &options.pattern;
    for (int k = 0; k < Size / Cell; ++k) {
        if (k == 8)
            continue;
        CBitmapEdit::PatternLine(m_picture, PixelLineIndex, pattern, Cell * k, 0, Cell * k, Size);
        CBitmapEdit::PatternLine(m_picture, PixelLineIndex, pattern, 0, Cell * k, Size, Cell * k);
    }
    CBitmapEdit::PatternLine(m_picture, HalfLineIndex, pattern, Size / 2, 0, Size / 2, Size);
    CBitmapEdit::PatternLine(m_picture, HalfLineIndex, pattern, 0, Size / 2, Size, Size / 2);
}

} // namespace tavrin
