#include "core/app/Editor.h"

#include <algorithm>

// The palette and palette-set panels: display modes, scroll bars, pictures and the mouse.

namespace tavrin {

namespace {

constexpr int PaletteBarMaximum = 16;

ScrollRange DatRange(bool paletteOnly) {
    return paletteOnly ? ScrollRange{0, PaletteBarMaximum, 8, 1, 7}
                       : ScrollRange{0, PaletteBarMaximum, 3, 1, 2};
}

constexpr ScrollRange PalRange{0, PaletteBarMaximum, 5, 1, 4};

} // namespace

void Editor::ConstructPaletteViews() {
    // The palette and palette-set pictures join here with their view objects.
}

void Editor::SetPaletteScrollRanges() {
    m_view.SetScrollRange(ScrollBarId::Dat, DatRange(m_paletteOnly));
    m_view.SetScrollRange(ScrollBarId::Pal, PalRange);
}

void Editor::RedrawDatView() {
    m_view.RepaintDatView();
}

void Editor::RedrawPalView() {
    m_view.RepaintPalView();
}

void Editor::SetDatScrollPosition(int position) {
    m_datPosition = std::clamp(position, 0, DatRange(m_paletteOnly).MaxPosition());
    m_view.SetScrollPosition(ScrollBarId::Dat, m_datPosition);
}

void Editor::SetPalScrollPosition(int position) {
    m_palPosition = std::clamp(position, 0, PalRange.MaxPosition());
    m_view.SetScrollPosition(ScrollBarId::Pal, m_palPosition);
}

void Editor::ScrollBarDatChange(int position) {
    SetDatScrollPosition(position);
}

void Editor::ScrollBarPalChange(int position) {
    SetPalScrollPosition(position);
}

void Editor::SetPaletteDisplayMode(bool paletteOnly) {
    m_datPalette.SetIdentityMode(paletteOnly);
    m_paletteOnly = paletteOnly;
    m_view.SetScrollRange(ScrollBarId::Dat, DatRange(paletteOnly));
    m_view.LayoutChanged();
    m_view.CommandStatesChanged();
    const int top = PaletteBarMaximum - (paletteOnly ? 7 : 2);
    if (m_datPosition >= top)
        SetDatScrollPosition(top);
    RebuildDisplayPalette();
    Redraw();
}

} // namespace tavrin
