#include "core/editor/PanelMouse.h"

#include "core/editor/Editor.h"
#include "core/views/PaletteViewRules.h"

#include <algorithm>

// The mouse on the four panels: which press is tracked, the drag it makes and the stroke's
// page. It drives the editor's views through the editor, whose state it shares.

namespace tavrin {

namespace {

constexpr int ViewMax = TileViewSize - 1;

EditButton ToEditButton(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return EditButton::Left;
    case MouseButton::Right:
        return EditButton::Right;
    case MouseButton::Middle:
        return EditButton::Middle;
    }
    return EditButton::None;
}

} // namespace

void PanelMouse::Down(Panel panel, MouseButton button, int x, int y) {
    switch (panel) {
    case Panel::Chr:
        return ChrDown(button, x, y);
    case Panel::Edit:
        return EditDown(button, x, y);
    case Panel::Dat:
        return DatDown(button, x, y);
    case Panel::Pal:
        return PalDown(button, x, y);
    case Panel::None:
        return;
    }
}

void PanelMouse::Move(Panel panel, int x, int y) {
    switch (panel) {
    case Panel::Chr:
        return ChrMove(x, y);
    case Panel::Edit:
        return EditMove(x, y);
    case Panel::Dat:
        return DatMove(x, y);
    case Panel::Pal:
        return PalMove(x, y);
    case Panel::None:
        return;
    }
}

void PanelMouse::Up(Panel panel, MouseButton button, int x, int y) {
    switch (panel) {
    case Panel::Chr:
        return ChrUp(button, x, y);
    case Panel::Edit:
        return EditUp(button, x, y);
    case Panel::Dat:
        return DatUp(button, x, y);
    case Panel::Pal:
        return PalUp(button, x, y);
    case Panel::None:
        return;
    }
}

void PanelMouse::Track(Panel panel, MouseButton button) {
    m_trackedPanel = panel;
    switch (button) {
    case MouseButton::Left:
        m_dragMode = Drag::Left;
        break;
    case MouseButton::Right:
        m_dragMode = Drag::Right;
        break;
    case MouseButton::Middle:
        m_dragMode = Drag::Middle;
        break;
    }
}

void PanelMouse::EndTrack() {
    m_trackedPanel = Panel::None;
    m_dragMode = Drag::None;
}

void PanelMouse::FormMove() {
    if (m_trackedPanel == Panel::None)
        m_ed.ShowMouseHints(0);
}

void PanelMouse::FormMove(int x, int y) {
    if (m_trackedPanel == Panel::None) {
        m_ed.ShowMouseHints(0);
        return;
    }
    if (m_dragMode == Drag::Left) {
        FormUp(MouseButton::Left, x, y);
        return;
    }
    const int cx = std::clamp(x, 0, ViewMax);
    switch (m_trackedPanel) {
    case Panel::Chr:
        ChrMove(cx, std::clamp(y, 0, ViewMax));
        break;
    case Panel::Edit:
        EditMove(cx, std::clamp(y, 0, ViewMax));
        break;
    case Panel::Dat:
        DatMove(cx, std::clamp(y, 0, m_ed.m_datView.VisibleRowCount() * CImageDat::Cell - 1));
        break;
    case Panel::Pal:
        PalMove(cx, std::clamp(y, 0, m_ed.m_palView.VisibleRowCount() * CImagePal::Cell - 1));
        break;
    case Panel::None:
        break;
    }
}

void PanelMouse::FormUp(MouseButton button, int x, int y) {
    switch (m_trackedPanel) {
    case Panel::Chr:
        ChrUp(button, x, y);
        break;
    case Panel::Edit:
        EditUp(button, x, y);
        break;
    case Panel::Dat:
        DatUp(button, x, y);
        break;
    case Panel::Pal:
        PalUp(button, x, y);
        break;
    case Panel::None:
        break;
    }
    EndTrack();
}

void PanelMouse::ChrDown(MouseButton button, int x, int y) {
    m_lastRecorded = {-1, -1, -1, -1};
    m_ed.m_view.FocusPanel(Panel::Chr);
    m_ed.m_pastePreview = false;
    Track(Panel::Chr, button);
    if (button == MouseButton::Right) {
        m_ed.m_pastePreview = true;
        m_anchor = TileAt(x, y);
        m_rightHeld = true;
        m_ed.RefreshCommandStates();
    }
    ChrMove(x, y);
    m_ed.UpdateEditView();
}

void PanelMouse::ChrMove(int x, int y) {
    x = std::clamp(x, 0, ViewMax);
    y = std::clamp(y, 0, ViewMax);
    if (m_trackedPanel == Panel::Chr && m_dragMode == Drag::Left) {
        m_ed.m_area = LeftDragArea(x, y, m_ed.m_editSize);
        if (m_ed.m_area.firstColumn != m_lastRecorded.firstColumn ||
            m_ed.m_area.firstRow != m_lastRecorded.firstRow) {
            m_ed.DrawTileView();
            m_ed.UpdateEditView();
        }
    } else if (m_trackedPanel == Panel::Chr && m_dragMode == Drag::Right) {
        m_ed.m_area = RightDragArea(m_anchor, x, y);
        if (m_ed.m_area != m_lastRecorded)
            m_ed.DrawTileView();
        m_lastRecorded.lastColumn = m_ed.m_area.lastColumn;
        m_lastRecorded.lastRow = m_ed.m_area.lastRow;
    }
    m_lastRecorded.firstColumn = m_ed.m_area.firstColumn;
    m_lastRecorded.firstRow = m_ed.m_area.firstRow;

    const int tile = ScreenTileIndex(x, y);
    if (tile != m_ed.m_lastTileIndex) {
        m_ed.m_lastTileIndex = tile;
        m_ed.ShowPatternStatus(tile);
    }
    m_ed.ShowMouseHints(1);
}

void PanelMouse::ChrUp(MouseButton button, int x, int y) {
    EndTrack();
    m_rightHeld = false;
    m_ed.RefreshCommandStates();
    if (button == MouseButton::Right) {
        // At the pointer, even when a drag ended beyond the view.
        if (m_ed.m_settings.UsePopupMenu)
            m_ed.m_view.ShowPopupMenu(x, y);
        m_lastReleaseRight = true;
    } else {
        m_lastReleaseRight = false;
    }
}

void PanelMouse::EditDown(MouseButton button, int x, int y) {
    m_ed.m_view.FocusPanel(Panel::Edit);
    m_ed.m_editView.SetPenNumber(m_ed.m_penNumber);
    m_ed.m_editView.SetPen(m_ed.m_pen);
    m_ed.m_editView.Press(ToEditButton(button), x, y);
    if (button == MouseButton::Left)
        m_strokePage = m_ed.CurrentPageKey();
    if (m_trackedPanel == Panel::Edit && m_dragMode == Drag::Left && button == MouseButton::Right) {
        // A right press during a left drag cancels the drag.
        m_dragMode = Drag::None;
        return;
    }
    Track(Panel::Edit, button);
    EditMove(x, y);
}

void PanelMouse::EditMove(int x, int y) {
    m_ed.m_editView.Move(x, y);
    AfterEditViewStep();
}

void PanelMouse::AfterEditViewStep() {
    const EditViewResult& r = m_ed.m_editView.Result();
    if (r.redrawn)
        m_ed.m_view.RepaintEditView();
    if (r.picked) {
        m_ed.m_ws.SelectPaletteEntry(r.pickedEntry, &m_ed);
        m_ed.RedrawPaletteViews();
    }
    if (r.tileChanged) {
        m_ed.ShowPatternStatus(r.tileUnderMouse);
        m_ed.ShowMouseHints(2);
    }
}

void PanelMouse::EditUp(MouseButton button, int /*x*/, int /*y*/) {
    // A key or the wheel may have moved to another page during the stroke; what was drawn
    // belongs to the old page and must not land on this one.
    if (m_ed.CurrentPageKey() != m_strokePage)
        m_ed.m_editView.CancelStroke();
    m_ed.m_editView.Release(ToEditButton(button));
    if (m_ed.m_editView.Result().changed)
        m_ed.CommitPage();
    m_ed.DecodePage();
    m_ed.DrawTileView();
    m_ed.UpdateEditView();
    EndTrack();
}

// The two palette panels take a press and a release alike; what a move changes differs.
template <class View>
void PanelMouse::PalettePress(Panel panel, View& view, MouseButton button, int x, int y) {
    m_ed.m_view.FocusPanel(panel);
    Track(panel, button);
    view.Press(static_cast<int>(button), x, y);
}

template <class View> void PanelMouse::PaletteRelease(View& view, MouseButton button) {
    const PaletteViewResult result = view.Release(static_cast<int>(button));
    EndTrack();
    if (result.openEditor)
        m_ed.OpenPaletteEditor();
}

void PanelMouse::DatDown(MouseButton button, int x, int y) {
    PalettePress(Panel::Dat, m_ed.m_datView, button, x, y);
    AfterDatMove();
}

void PanelMouse::DatMove(int x, int y) {
    m_ed.m_datView.Move(x, y);
    AfterDatMove();
}

void PanelMouse::AfterDatMove() {
    const PaletteViewResult result = m_ed.m_datView.Result();
    Workspace& ws = m_ed.m_ws;
    if (result.selectEntry >= 0)
        ws.SelectPaletteEntry(result.selectEntry, &m_ed);
    bool painted = false;
    if (m_ed.m_datView.IsButtonHeld() && ws.IsColourSetEnabled() && m_lastReleaseRight) {
        // A format that ignores patterns shows slot n as tile n, so it is painted that way.
        const FormatInfo* info = ws.Format().GetInfo();
        const bool usePattern = info == nullptr || info->disableAdfPattern == 0;
        const AdfEntry normal = NormalPattern();
        ws.EditColourSet(
            [&](CColSet& colourSet) {
                painted = tavrin::PaintColourSet(colourSet, m_ed.m_area,
                                                 usePattern ? ws.Pattern().tiles.data()
                                                            : normal.tiles.data(),
                                                 ws.Address(), ws.Format().BitsPerPixel(),
                                                 ws.PaletteSet().SelectedEntry()) > 0;
            },
            &m_ed);
    }
    if (result.groupChanged || painted) {
        m_ed.DecodePage();
        m_ed.DrawTileView();
        m_ed.UpdateEditView();
    }
    if (result.selectionChanged) {
        m_ed.RedrawPaletteViews();
    }
    m_ed.ShowMouseHints(3);
}

void PanelMouse::DatUp(MouseButton button, int /*x*/, int /*y*/) {
    PaletteRelease(m_ed.m_datView, button);
}

void PanelMouse::PalDown(MouseButton button, int x, int y) {
    PalettePress(Panel::Pal, m_ed.m_palView, button, x, y);
    AfterPalMove();
}

void PanelMouse::PalMove(int x, int y) {
    m_ed.m_palView.Move(x, y);
    AfterPalMove();
}

void PanelMouse::AfterPalMove() {
    const PaletteViewResult& result = m_ed.m_palView.Result();
    if (result.masterIndex >= 0) {
        m_ed.m_ws.SetPaletteEntry(m_ed.m_ws.PaletteSet().SelectedEntry(), result.masterIndex,
                                  &m_ed);
        m_ed.RebuildDisplayPalette();
        m_ed.Redraw();
    }
    m_ed.ShowMouseHints(4);
}

void PanelMouse::PalUp(MouseButton button, int /*x*/, int /*y*/) {
    PaletteRelease(m_ed.m_palView, button);
}

} // namespace tavrin
