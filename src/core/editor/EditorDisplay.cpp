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
    SetScrollPosition(
        ScrollBarId::Chr,
        ChrScrollPosition(m_ws.Address(), m_ws.Document().HeaderOffset(), m_ws.Page()));
    RebuildDisplayPalette();
    RedrawPaletteViews();
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

// ---- Display settings panel ----

void Editor::SelectPattern(int index) {
    const int held = m_ws.SelectPattern(index, this);
    m_view.SetPatternIndex(held);
    if (m_initialising)
        return;
    ShowPage();
    DrawTileView();
    UpdateEditView();
}

void Editor::SetViewOption(ViewOption option, int value) {
    const bool on = value != 0;
    switch (option) {
    case ViewOption::Rotate:
        m_ws.SetRotate(value, this);
        break;
    case ViewOption::Mirror:
        m_ws.SetMirror(value, this);
        break;
    case ViewOption::GridType:
        // The list holds four items; any other index is no selection, which is what is stored
        // (and written back at exit) and draws no grid.
        if (value < 0 || value > 3)
            value = -1;
        if (value >= 1)
            m_grid.SelectPattern(value - 1);
        m_settings.GridType = value;
        m_editView.SetGridType(value);
        m_editView.SetGridPattern(m_grid.CurrentPattern());
        break;
    case ViewOption::Zoom:
        m_zoomIndex = ClampZoomIndex(value);
        m_editSize = ZoomEditSize(m_zoomIndex);
        m_editView.SetEditSize(m_editSize);
        m_area = ResizeEditArea(m_area, m_editSize);
        break;
    case ViewOption::GridChr:
        m_settings.GridChr = on;
        break;
    case ViewOption::GridEdit:
        m_settings.GridEdit = on;
        m_editView.SetGridFlag(on);
        break;
    case ViewOption::FrameDraw:
        m_settings.FrameDraw = on;
        m_editView.SetFrameFlag(on);
        break;
    case ViewOption::Halftone:
        m_settings.Halftone = on;
        break;
    case ViewOption::StatusBar:
        m_settings.Statusbar = on;
        m_view.LayoutChanged();
        m_view.CommandStatesChanged();
        // The address panel is written only while shown, so it would be stale otherwise.
        ShowAddressStatus();
        return;
    case ViewOption::MouseNavigation:
        m_settings.MouseNavigation = on;
        m_view.LayoutChanged();
        m_view.CommandStatesChanged();
        return;
    case ViewOption::SimpleMenu:
        m_settings.SimpleMenu = on;
        RefreshCommandStates();
        return;
    }
    // The display controls are set once more at start-up, before anything is drawn.
    if (m_initialising)
        return;
    if (option == ViewOption::Halftone)
        RebuildDisplayPalette();
    if (option == ViewOption::Rotate || option == ViewOption::Mirror ||
        option == ViewOption::Halftone)
        DecodePage();
    DrawTileView();
    UpdateEditView();
    // A right-button rectangle becomes square again, so rotation may be possible now.
    if (option == ViewOption::Zoom)
        RefreshCommandStates();
}

} // namespace tavrin
