#include "core/views/CImagePal.h"

#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr Colour White = MakeColour(255, 255, 255);
constexpr int LabelX = 2;
constexpr int LabelY = 4;

} // namespace

CImagePal::CImagePal(const CPalette& palette, const CDatPalette& paletteSet)
    : m_palette(palette), m_paletteSet(paletteSet), m_picture(Size, Size) {}

int CImagePal::SelectedMasterIndex() const {
    return m_paletteSet.GetEntry(m_paletteSet.SelectedEntry());
}

void CImagePal::Redraw() {
    for (int k = 0; k < 256; ++k) {
        const int x = k % 16 * Cell;
        const int y = k / 16 * Cell;
        m_picture.FillRect({x, y, x + Cell, y + Cell}, m_palette.GetColor(k));
    }
    const int k = SelectedMasterIndex();
    const int x = k % 16 * Cell;
    const int y = k / 16 * Cell;
    m_picture.BoxOutline({x, y, x + Cell, y + Cell}, White);
    m_labels.Draw(m_picture, k, x + LabelX, y + LabelY);
}

PaletteViewResult CImagePal::Press(int button, int x, int y) {
    m_button = button;
    return Move(x, y);
}

PaletteViewResult CImagePal::Move(int x, int y) {
    m_result = {};
    if (m_button != ButtonLeft && m_button != ButtonRight)
        return m_result;
    const int top = m_topRow * Cell;
    const int px = std::clamp(x, 0, Size - 1);
    const int py = std::clamp(top + y, top, top + VisibleRows * Cell - 1);
    // A scroll position beyond the picture must not reach past the 256 colours.
    const int k = std::clamp(px / Cell + py / Cell * 16, 0, 255);
    const int selected = m_paletteSet.SelectedEntry();
    if (m_paletteSet.GetEntry(selected) != k) {
        m_result.masterIndex = k;
        m_result.changed = true;
    }
    return m_result;
}

PaletteViewResult CImagePal::Release(int button) {
    m_result = {};
    m_button = ButtonNone;
    m_result.openEditor = button == ButtonRight;
    return m_result;
}

} // namespace tavrin
