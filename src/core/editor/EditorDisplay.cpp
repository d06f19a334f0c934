#include "core/editor/Editor.h"

#include "core/formats/CFormatUtil.h"

#include <algorithm>

// The format, the display settings panel and the palette display controls.

namespace tavrin {

// ---- Format ----

void Editor::SelectFormat(int index) {
    m_ws.SelectFormat(index, this);
    m_view.SetFormatIndex(m_ws.FormatIndex());
    SetChrScrollRange();
    SetChrScrollPosition(
        ChrScrollPosition(m_ws.Address(), m_ws.Document().HeaderOffset(), m_ws.Page()));
    RebuildDisplayPalette();
    RedrawDatView();
    RedrawPalView();
    if (m_initialising)
        return;

    m_ws.SetColourSetEnabled(false, this);
    const FormatInfo* info = m_ws.Format().GetInfo();
    if (m_settings.AutoPalette && info != nullptr && info->autoPaletteMode == 1)
        SetPaletteDisplayMode(info->defaultPaletteMode != 0);
    ShowPage();
    DrawTileView();
    UpdateEditView();
    RefreshCommandStates();
}

void Editor::ActFormat(int digit) {
    if (digit < 0 || digit >= m_ws.Formats().Count())
        return;
    SelectFormat(digit);
}

std::string Editor::FormatInfoText() const {
    return CFormatUtil::InfoText(&m_ws.Format());
}

// ---- Display settings panel ----

void Editor::SetRotate(int index) {
    m_ws.SetRotate(index, this);
    if (m_initialising)
        return;
    DecodePage();
    DrawTileView();
    UpdateEditView();
}

void Editor::SetMirror(int index) {
    m_ws.SetMirror(index, this);
    if (m_initialising)
        return;
    DecodePage();
    DrawTileView();
    UpdateEditView();
}

void Editor::SelectPattern(int index) {
    const int held = m_ws.SelectPattern(index, this);
    m_view.SetPatternIndex(held);
    if (m_initialising)
        return;
    ShowPage();
    DrawTileView();
    UpdateEditView();
}

void Editor::SetGridType(int index) {
    // The list holds four items; any other index is no selection, which is what is stored
    // (and written back at exit) and draws no grid.
    if (index < 0 || index > 3)
        index = -1;
    if (index >= 1)
        m_grid.SelectPattern(index - 1);
    m_settings.GridType = index;
    m_editView.SetGridType(index);
    m_editView.SetGridPattern(m_grid.CurrentPattern());
    if (m_initialising)
        return;
    DrawTileView();
    UpdateEditView();
}

void Editor::SetZoom(int index) {
    m_zoomIndex = ClampZoomIndex(index);
    m_editSize = ZoomEditSize(m_zoomIndex);
    m_editView.SetEditSize(m_editSize);
    m_area = ResizeEditArea(m_area, m_editSize);
    if (m_initialising)
        return;
    DrawTileView();
    UpdateEditView();
    // A right-button rectangle becomes square again, so rotation may be possible now.
    RefreshCommandStates();
}

void Editor::SetGridChr(bool on) {
    m_settings.GridChr = on;
    if (m_initialising)
        return;
    DrawTileView();
    UpdateEditView();
}

void Editor::SetGridEdit(bool on) {
    m_settings.GridEdit = on;
    m_editView.SetGridFlag(on);
    if (m_initialising)
        return;
    DrawTileView();
    UpdateEditView();
}

void Editor::SetFrameDraw(bool on) {
    m_settings.FrameDraw = on;
    m_editView.SetFrameFlag(on);
    if (m_initialising)
        return;
    DrawTileView();
    UpdateEditView();
}

void Editor::SetHalftone(bool on) {
    m_settings.Halftone = on;
    if (m_initialising)
        return;
    RebuildDisplayPalette();
    DecodePage();
    DrawTileView();
    UpdateEditView();
}

} // namespace tavrin
