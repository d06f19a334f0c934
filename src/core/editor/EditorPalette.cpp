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

void Editor::RedrawDatView() {
    m_datView.Redraw();
    m_view.RepaintDatView();
}

void Editor::RedrawPalView() {
    m_palView.Redraw();
    m_view.RepaintPalView();
}

void Editor::SetDatScrollPosition(int position) {
    const int top = std::max(ClampPaletteScroll(position, DatScrollRange(m_paletteOnly)), 0);
    m_datView.SetTopRow(top);
    m_view.SetScrollPosition(ScrollBarId::Dat, top);
}

void Editor::SetPalScrollPosition(int position) {
    const int top = std::max(ClampPaletteScroll(position, PalScrollRange()), 0);
    m_palView.SetTopRow(top);
    m_view.SetScrollPosition(ScrollBarId::Pal, top);
}

void Editor::ScrollBarDatChange(int position) {
    SetDatScrollPosition(position);
}

void Editor::ScrollBarPalChange(int position) {
    SetPalScrollPosition(position);
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

// ---- Palette-set view mouse ----

void Editor::DatMouseDown(MouseButton button, int x, int y) {
    m_view.FocusPanel(Panel::Dat);
    TrackMouse(Panel::Dat, button);
    m_datView.Press(static_cast<int>(button), x, y);
    AfterDatMove();
}

void Editor::DatMouseMove(int x, int y) {
    m_datView.Move(x, y);
    AfterDatMove();
}

void Editor::AfterDatMove() {
    const PaletteViewResult result = m_datView.Result();
    bool painted = false;
    if (m_datView.IsButtonHeld() && m_ws.IsColourSetEnabled() && m_lastReleaseRight) {
        // A format that ignores patterns shows slot n as tile n, so it is painted that way.
        const FormatInfo* info = m_ws.Format().GetInfo();
        const bool usePattern = info == nullptr || info->disableAdfPattern == 0;
        const AdfEntry normal = NormalPattern();
        painted =
            tavrin::PaintColourSet(m_ws.ColourSet(), m_area,
                                   usePattern ? m_ws.Pattern().tiles.data() : normal.tiles.data(),
                                   m_ws.Address(), m_ws.Format().BitsPerPixel(),
                                   m_ws.PaletteSet().SelectedEntry()) > 0;
    }
    if (result.groupChanged || painted) {
        m_ws.PalettesEdited(this);
        DecodePage();
        DrawTileView();
        UpdateEditView();
    }
    if (result.selectionChanged) {
        RedrawDatView();
        RedrawPalView();
    }
    ShowMouseHints(3);
}

void Editor::DatMouseUp(MouseButton button, int /*x*/, int /*y*/) {
    const PaletteViewResult result = m_datView.Release(static_cast<int>(button));
    EndTrackMouse();
    if (result.openEditor)
        OpenPaletteEditor();
}

// ---- Palette view mouse ----

void Editor::PalMouseDown(MouseButton button, int x, int y) {
    m_view.FocusPanel(Panel::Pal);
    TrackMouse(Panel::Pal, button);
    m_palView.Press(static_cast<int>(button), x, y);
    AfterPalMove();
}

void Editor::PalMouseMove(int x, int y) {
    m_palView.Move(x, y);
    AfterPalMove();
}

void Editor::AfterPalMove() {
    if (m_palView.Result().changed) {
        m_ws.PalettesEdited(this);
        RebuildDisplayPalette();
        Redraw();
    }
    ShowMouseHints(4);
}

void Editor::PalMouseUp(MouseButton button, int /*x*/, int /*y*/) {
    const PaletteViewResult result = m_palView.Release(static_cast<int>(button));
    EndTrackMouse();
    if (result.openEditor)
        OpenPaletteEditor();
}

void Editor::OpenPaletteEditor() {
    m_view.ShowPaletteEditor(m_palView.SelectedMasterIndex());
    m_ws.PalettesEdited(this);
    RebuildDisplayPalette();
    Redraw();
}

} // namespace tavrin
