#include "core/app/Editor.h"

#include "core/formats/CFormatUtil.h"

#include <algorithm>

// The format, the display settings panel and the palette display controls.

namespace tavrin {

// ---- Format ----

int Editor::FormatTileBytes() const {
    const FormatInfo* info = m_format->GetInfo();
    return info != nullptr ? BytesPerTile(*info) : 8 * m_format->BitsPerPixel();
}

int Editor::BlockBytes() const {
    const FormatInfo* info = m_format->GetInfo();
    if (info == nullptr)
        return m_page.pageBytes;
    const BlockGeometry g = GetBlockGeometry(*info);
    const int slots = g.columns * g.rows;
    int lastTile = slots - 1;
    // Through a pattern any slot may name any of 256 tiles.
    if (info->disableAdfPattern == 0)
        for (int n = 0; n < slots && n < 256; ++n)
            lastTile = std::max<int>(lastTile, m_pattern->tiles[static_cast<size_t>(n)]);
    const long long reach = static_cast<long long>(lastTile + 1) * g.bytesPerTile;
    return reach > m_doc.BufferSize() ? m_doc.BufferSize() + 1 : static_cast<int>(reach);
}

void Editor::SelectFormat(int index) {
    const int count = m_formats.Count();
    index = std::clamp(index, 0, std::max(count - 1, 0));
    m_view.SetFormatIndex(index);
    if (index != m_formatIndex || m_formats.Get(index) != m_format) {
        m_format->Deactivate();
        m_format = m_formats.Get(index);
        m_formatIndex = index;
        m_format->Activate();
    }
    m_pattern = &m_patterns.GetPattern(m_patternIndex);

    const int bpp = m_format->BitsPerPixel();
    m_datPalette.SetBpp(bpp);
    m_colSet.Resize(m_doc.DataSize(), FormatTileBytes());
    m_page = PageGeometryFor(bpp, m_page);

    SetChrScrollRange();
    SetChrScrollPosition(ChrScrollPosition(m_address, m_doc.HeaderOffset(), m_page));
    RebuildDisplayPalette();
    RedrawDatView();
    RedrawPalView();
    if (m_initialising)
        return;

    m_colourSetEnabled = false;
    const FormatInfo* info = m_format->GetInfo();
    if (m_settings.AutoPalette && info != nullptr && info->autoPaletteMode == 1)
        SetPaletteDisplayMode(info->defaultPaletteMode != 0);
    ShowPage();
    DrawTileView();
    UpdateEditView();
    RefreshCommandStates();
}

void Editor::ActFormat(int digit) {
    if (digit < 0 || digit >= m_formats.Count())
        return;
    SelectFormat(digit);
}

std::string Editor::FormatInfoText() const {
    return CFormatUtil::InfoText(m_format);
}

// ---- Display settings panel ----

void Editor::SetRotate(int index) {
    m_rotateIndex = std::clamp(index, 0, 3);
    if (m_initialising)
        return;
    DecodePage();
    DrawTileView();
    UpdateEditView();
}

void Editor::SetMirror(int index) {
    m_mirrorIndex = std::clamp(index, 0, 3);
    if (m_initialising)
        return;
    DecodePage();
    DrawTileView();
    UpdateEditView();
}

void Editor::SelectPattern(int index) {
    const int count = std::max(m_patterns.Count(), 1);
    const int held = std::clamp(index, 0, count - 1);
    m_patternIndex = held;
    m_pattern = &m_patterns.GetPattern(held);
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
