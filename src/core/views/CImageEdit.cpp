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

void CImageEdit::Press(EditButton button, int viewX, int viewY) {
    if (m_pastePreview || m_editSize <= 0)
        return;
    if (button == EditButton::Left) {
        ViewToPixel(viewX, viewY, m_startX, m_startY);
        m_prevX = m_startX;
        m_prevY = m_startY;
        if (m_tileImage && m_workingCopy)
            *m_workingCopy = *m_tileImage;
    }
    if (m_button == EditButton::Left && button == EditButton::Right)
        m_button = EditButton::None;
    else
        m_button = button;
}

void CImageEdit::Move(int viewX, int viewY) {
    const int lastTile = m_result.tileUnderMouse;
    m_result = {};
    m_result.tileUnderMouse = lastTile;
    if (m_pastePreview || m_editSize <= 0 || !m_pen || !m_tileImage || !m_workingCopy)
        return;
    uint8_t colour = m_paletteSet ? static_cast<uint8_t>(m_paletteSet->SelectedEntry()) : 0;
    int x = 0;
    int y = 0;
    ViewToPixel(viewX, viewY, x, y);

    const int button = m_button == EditButton::Left ? 1 : m_button == EditButton::Right ? 2 : 0;
    const PenEvent event = MakePenEvent(button, x, y, m_startX, m_startY, m_prevX, m_prevY, m_area);

    if (m_button != EditButton::None)
        *m_workingCopy = *m_tileImage;
    if (m_button == EditButton::Left && m_penNumber == 0)
        StampStep(event);

    PenResult pen{};
    Image8& target = m_pen->GetInfo()->mode == 1 ? *m_tileImage : *m_workingCopy;
    m_pen->Draw(target, colour, pen, event);
    m_prevX = x;
    m_prevY = y;

    if (pen.commit)
        *m_tileImage = *m_workingCopy;
    if (pen.redraw) {
        m_marquee = pen.showRect ? PixelRect{event.left, event.top, event.right, event.bottom}
                                 : PixelRect{};
        RenderStrokePreview();
        m_result.redrawn = true;
    }
    if (pen.picked && m_paletteSet) {
        const int mask = m_paletteSet->ColourMask();
        m_result.pickedEntry = (colour & mask) | (m_paletteSet->SelectedEntry() & ~mask);
        m_result.picked = true;
    }
    const int tile = (x / 8) + (y / 8) * 16;
    if (tile != lastTile) {
        m_result.tileUnderMouse = tile;
        m_result.tileChanged = true;
    }
}

void CImageEdit::StampStep(const PenEvent& event) {
    StampState& s = m_stamp;
    const PixelRect& r = s.region;
    if (s.regionExists && r.left <= event.startX && event.startX < r.right &&
        r.top <= event.startY && event.startY < r.bottom) {
        const int dx = event.x - event.startX;
        const int dy = event.y - event.startY;
        s.movedRect = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
        m_workingCopy->CopyRect(*m_tileImage, r.left, r.top, r.Width(), r.Height(),
                                s.movedRect.left, s.movedRect.top);
        s.moved = true;
    } else {
        s.regionExists = false;
        s.region = {event.left, event.top, event.right + 1, event.bottom + 1};
    }
}

void CImageEdit::Release(EditButton /*button*/) {
    const int lastTile = m_result.tileUnderMouse;
    m_result = {};
    m_result.tileUnderMouse = lastTile;
    if (m_pastePreview || m_editSize <= 0)
        return;
    if (m_button == EditButton::Left) {
        m_result.changed = true;
        if (m_penNumber == 0) {
            m_stamp.regionExists = true;
            if (m_stamp.moved)
                m_stamp.region = m_stamp.movedRect;
            else
                m_result.changed = false;
            m_stamp.moved = false;
        }
        if (m_tileImage && m_workingCopy)
            m_tileImage->CopyRect(*m_workingCopy, m_area.left, m_area.top, m_area.Width(),
                                  m_area.Height(), m_area.left, m_area.top);
    }
    m_button = EditButton::None;
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
    // A grid type outside the list (from a hand-edited settings file) draws no grid, as in
    // the tile view.
    if (n <= 0 || s <= 0 || m_gridType < 0 || m_gridType > 3)
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
