#include "core/editor/Editor.h"

#include "core/views/PaletteViewRules.h"

#include <algorithm>

// The palette and palette-set panels: display modes, scroll bars, pictures and the mouse.

namespace tavrin {

namespace {

ScrollRange ToScrollRange(const ScrollBarRange& r) {
    return {r.minimum, r.maximum, r.pageSize, r.smallChange, r.largeChange};
}

} // namespace

void Editor::SetPaletteScrollRanges() {
    m_view.SetScrollRange(ScrollBarId::Dat, ToScrollRange(DatScrollRange(m_paletteOnly)));
    m_view.SetScrollRange(ScrollBarId::Pal, ToScrollRange(PalScrollRange()));
}

void Editor::RedrawPaletteViews() {
    m_datView.Redraw();
    m_view.RepaintDatView();
    m_palView.Redraw();
    m_view.RepaintPalView();
}

// ---- Palette display ----

void Editor::PaletteSelect(int tag) {
    m_ws.SelectPaletteEntry(
        PaletteSelectStep(tag, m_ws.PaletteSet().SelectedEntry(), m_ws.Format().BitsPerPixel()),
        this);
    RebuildDisplayPalette();
    Redraw();
}

void Editor::SetPaletteDisplayMode(bool paletteOnly) {
    m_paletteOnly = paletteOnly;
    m_ws.SetPaletteOnly(paletteOnly, this);
    const int top = m_datView.SetPaletteOnly(paletteOnly);
    m_view.SetScrollRange(ScrollBarId::Dat, ToScrollRange(DatScrollRange(paletteOnly)));
    m_view.SetScrollPosition(ScrollBarId::Dat, top);
    m_view.LayoutChanged();
    m_view.CommandStatesChanged();
    RebuildDisplayPalette();
    Redraw();
}

void Editor::PaletteEnableSet() {
    m_ws.SetColourSetEnabled(!m_ws.IsColourSetEnabled(), this);
    RefreshCommandStates();
    DecodePage();
    DrawTileView();
    UpdateEditView();
}

void Editor::OpenPaletteEditor() {
    m_view.ShowPaletteEditor(m_palView.SelectedMasterIndex());
}

} // namespace tavrin
