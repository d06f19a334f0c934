#include "core/views/CImageEdit.h"

#include "core/views/ViewPicture.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr uint8_t PixelLineIndex = 1;
constexpr uint8_t TileLineIndex = 3;
constexpr int TilePixels = 8;

} // namespace

CImageEdit::CImageEdit() : m_picture(ViewSize, ViewSize) {
    SetPalette(m_picture.Colours());
}

void CImageEdit::SetImages(Image8* tileImage, Image8* displayImage, Image8* workingCopy) {
    m_tileImage = tileImage;
    m_displayImage = displayImage;
    m_workingCopy = workingCopy;
}

void CImageEdit::SetPalette(const Image8::Palette& palette) {
    m_picture.Colours() = palette;
    m_white = NearestColourIndex(palette, MakeColour(255, 255, 255));
    m_aqua = NearestColourIndex(palette, MakeColour(0, 255, 255));
}

int CImageEdit::Scale() const {
    return m_editSize > 0 ? ViewSize / m_editSize : 0;
}

void CImageEdit::ViewToPixel(int viewX, int viewY, int& x, int& y) const {
    const int s = std::max(Scale(), 1);
    x = m_area.left + std::clamp(viewX, 0, ViewSize - 1) / s;
    y = m_area.top + std::clamp(viewY, 0, ViewSize - 1) / s;
}

void CImageEdit::Redraw() {
    if (m_tileImage)
        RenderArea(*m_tileImage);
    else
        m_picture.Fill(0);
    if (m_grid)
        DrawGrid();
    if (m_stamp.regionExists && m_penNumber == 0 && m_editSize != 0)
        DrawStampRegion();
}

void CImageEdit::RenderStrokePreview() {
    if (m_workingCopy)
        RenderArea(*m_workingCopy);
    else
        m_picture.Fill(0);
    if (m_grid)
        DrawGrid();
    const int s = Scale();
    const PixelRect& m = m_marquee;
    if (m_frame && m.left != m.right && m.top != m.bottom && s > 0)
        CBitmapEdit::DottedBoxOutline(m_picture,
                                      {(m.left - m_area.left) * s, (m.top - m_area.top) * s,
                                       (m.right - m_area.left + 1) * s,
                                       (m.bottom - m_area.top + 1) * s},
                                      m_aqua);
    // While a region is being marked it does not exist yet, but the stamp pen shows it.
    if ((m_stamp.regionExists || m_penNumber == 0) && m_editSize != 0)
        DrawStampRegion();
}

void CImageEdit::RenderPastePreview(const Image8* clipboardImage, int colourOffset) {
    Image8 scratch;
    Image8& display = m_displayImage ? *m_displayImage : scratch;
    if (!m_displayImage)
        display.Resize(128, 128);
    display.Fill(0);
    int w = 1;
    int h = 1;
    if (clipboardImage && !clipboardImage->IsEmpty()) {
        const int cw = std::min(clipboardImage->Width(), display.Width());
        const int ch = std::min(clipboardImage->Height(), display.Height());
        for (int y = 0; y < ch; ++y) {
            const uint8_t* s = clipboardImage->ScanLine(y);
            uint8_t* d = display.ScanLine(y);
            for (int x = 0; x < cw; ++x)
                d[x] = static_cast<uint8_t>(s[x] | colourOffset);
        }
        w = std::clamp(clipboardImage->Width(), 1, ViewSize - 1);
        h = std::clamp(clipboardImage->Height(), 1, ViewSize - 1);
    }
    StretchToView(display, {0, 0, display.Width(), display.Height()}, m_picture);
    CBitmapEdit::BoxOutline(m_picture, {0, 0, 2 * w, 2 * h}, m_white);
}

void CImageEdit::RenderArea(const Image8& source) {
    // The display image holds what the view shows, so other readers see the same pixels.
    const Image8* shown = &source;
    if (m_displayImage && m_displayImage != &source) {
        if (m_displayImage->Width() == source.Width() &&
            m_displayImage->Height() == source.Height())
            m_displayImage->CopyRect(source, 0, 0, source.Width(), source.Height(), 0, 0);
        else
            *m_displayImage = source;
        shown = m_displayImage;
    }
    StretchToView(*shown, m_area, m_picture);
}

void CImageEdit::DrawGrid() {
    const int n = m_editSize;
    const int s = Scale();
    if (n <= 0 || s <= 0)
        return;
    if (m_gridType == 0) {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const bool tileCorner = i % TilePixels == 0 || j % TilePixels == 0;
                m_picture.SetPixel(j * s, i * s, tileCorner ? TileLineIndex : PixelLineIndex);
            }
        return;
    }
    auto lines = [&](int k, uint8_t index) {
        m_gridTool.PatternLine(m_picture, index, &m_pattern, k * s, 0, k * s, ViewSize);
        m_gridTool.PatternLine(m_picture, index, &m_pattern, 0, k * s, ViewSize, k * s);
    };
    // Pixel boundaries only from zoom "x4" on; below they would cover the picture.
    if (n <= 32)
        for (int k = 0; k < n; ++k)
            if (k % TilePixels != 0)
                lines(k, PixelLineIndex);
    for (int k = 0; k < n; k += TilePixels)
        lines(k, TileLineIndex);
}

void CImageEdit::DrawStampRegion() {
    const int s = Scale();
    const PixelRect& r = m_stamp.moved ? m_stamp.movedRect : m_stamp.region;
    CBitmapEdit::DottedBoxOutline(m_picture,
                                  {(r.left - m_area.left) * s, (r.top - m_area.top) * s,
                                   (r.right - m_area.left) * s, (r.bottom - m_area.top) * s},
                                  m_white);
}

} // namespace tavrin
