#include "core/views/CImageDat.h"

#include "core/palette/CDatPalette.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr Colour White = MakeColour(255, 255, 255);
constexpr Colour Red = MakeColour(255, 0, 0);
constexpr int LabelX = 2;
constexpr int LabelY = 4;

} // namespace

CImageDat::CImageDat(const CDatPalette& paletteSet)
    : m_paletteSet(paletteSet), m_picture(Size, Size) {}

void CImageDat::Redraw() {
    const int n = m_paletteSet.GroupSize();
    const int base = m_paletteSet.GroupBase();
    for (int i = 0; i < 256; ++i) {
        const int x = i % 16 * Cell;
        const int y = i / 16 * Cell;
        m_picture.FillRect({x, y, x + Cell, y + Cell}, m_paletteSet.GetEntryColor(i));
        if (i >= base && i < base + n)
            m_labels.Draw(m_picture, m_paletteSet.GetEntry(i), x + LabelX, y + LabelY);
    }
    if (n > 0 && n < 256) {
        const int w = n > 15 ? 16 : n % 16;
        const int h = n / 16 + (n % 16 != 0 ? 1 : 0);
        const int x = base % 16 * Cell;
        const int y = base / 16 * Cell;
        m_picture.BoxOutline({x, y, x + w * Cell, y + h * Cell}, Red);
    }
    const int selected = m_paletteSet.SelectedEntry();
    const int x = selected % 16 * Cell;
    const int y = selected / 16 * Cell;
    m_picture.BoxOutline({x, y + 1, x + Cell, y + Cell - 1}, White);
}

PaletteViewResult CImageDat::Press(int button, int x, int y) {
    m_button = button;
    return Move(x, y);
}

PaletteViewResult CImageDat::Move(int x, int y) {
    m_result = {};
    if (!IsButtonHeld())
        return m_result;
    const int top = m_topRow * Cell;
    const int px = std::clamp(x, 0, Size - 1);
    const int py = std::clamp(top + y, top, top + m_visibleRows * Cell - 1);
    const int e = std::clamp(py / Cell * 16 + px / Cell, 0, 255);
    const int selected = m_paletteSet.SelectedEntry();
    if (e != selected) {
        const int groupMask = ~m_paletteSet.ColourMask();
        m_result.groupChanged = (e & groupMask) != (selected & groupMask);
        m_result.selectEntry = e;
        m_result.selectionChanged = true;
    }
    return m_result;
}

PaletteViewResult CImageDat::Release(int button) {
    m_result = {};
    m_button = ButtonNone;
    m_result.openEditor = button == ButtonRight;
    return m_result;
}

int CImageDat::SetPaletteOnly(bool paletteOnly) {
    m_visibleRows = paletteOnly ? PaletteOnlyRows : PaletteSetRows;
    const ScrollBarRange range = DatScrollRange(paletteOnly);
    m_topRow = std::min(m_topRow, range.maximum - range.pageSize + 1);
    return m_topRow;
}

} // namespace tavrin
