#include "core/editor/Editor.h"

#include <algorithm>

// The mouse on the tile view and the edit view, press tracking and the window's own moves.

namespace tavrin {

namespace {

constexpr int ViewMax = TileViewSize - 1;

} // namespace

void Editor::TrackMouse(Panel panel, MouseButton button) {
    m_trackedPanel = panel;
    switch (button) {
    case MouseButton::Left:
        m_dragMode = DragMode::Left;
        break;
    case MouseButton::Right:
        m_dragMode = DragMode::Right;
        break;
    case MouseButton::Middle:
        m_dragMode = DragMode::Middle;
        break;
    }
}

void Editor::EndTrackMouse() {
    m_trackedPanel = Panel::None;
    m_dragMode = DragMode::None;
}

void Editor::FormMouseMove() {
    if (m_trackedPanel == Panel::None)
        ShowMouseHints(0);
}

void Editor::FormMouseMove(int x, int y) {
    if (m_trackedPanel == Panel::None) {
        ShowMouseHints(0);
        return;
    }
    if (m_dragMode == DragMode::Left) {
        FormMouseUp(MouseButton::Left, x, y);
        return;
    }
    const int cx = std::clamp(x, 0, ViewMax);
    switch (m_trackedPanel) {
    case Panel::Chr:
        ChrMouseMove(cx, std::clamp(y, 0, ViewMax));
        break;
    case Panel::Edit:
        EditMouseMove(cx, std::clamp(y, 0, ViewMax));
        break;
    case Panel::Dat:
        DatMouseMove(cx, std::clamp(y, 0, m_datView.VisibleRowCount() * CImageDat::Cell - 1));
        break;
    case Panel::Pal:
        PalMouseMove(cx, std::clamp(y, 0, m_palView.VisibleRowCount() * CImagePal::Cell - 1));
        break;
    case Panel::None:
        break;
    }
}

void Editor::FormMouseUp(MouseButton button, int x, int y) {
    switch (m_trackedPanel) {
    case Panel::Chr:
        ChrMouseUp(button, x, y);
        break;
    case Panel::Edit:
        EditMouseUp(button, x, y);
        break;
    case Panel::Dat:
        DatMouseUp(button, x, y);
        break;
    case Panel::Pal:
        PalMouseUp(button, x, y);
        break;
    case Panel::None:
        break;
    }
    EndTrackMouse();
}

// ---- Tile view ----

void Editor::ChrMouseDown(MouseButton button, int x, int y) {
    m_lastRecorded = {-1, -1, -1, -1};
    m_view.FocusPanel(Panel::Chr);
    m_pastePreview = false;
    TrackMouse(Panel::Chr, button);
    if (button == MouseButton::Right) {
        m_pastePreview = true;
        m_anchor = TileAt(x, y);
        m_rightHeld = true;
        RefreshCommandStates();
    }
    ChrMouseMove(x, y);
    UpdateEditView();
}

void Editor::ChrMouseMove(int x, int y) {
    x = std::clamp(x, 0, ViewMax);
    y = std::clamp(y, 0, ViewMax);
    if (m_trackedPanel == Panel::Chr && m_dragMode == DragMode::Left) {
        m_area = LeftDragArea(x, y, m_editSize);
        if (m_area.firstColumn != m_lastRecorded.firstColumn ||
            m_area.firstRow != m_lastRecorded.firstRow) {
            DrawTileView();
            UpdateEditView();
        }
    } else if (m_trackedPanel == Panel::Chr && m_dragMode == DragMode::Right) {
        m_area = RightDragArea(m_anchor, x, y);
        if (m_area != m_lastRecorded)
            DrawTileView();
        m_lastRecorded.lastColumn = m_area.lastColumn;
        m_lastRecorded.lastRow = m_area.lastRow;
    }
    m_lastRecorded.firstColumn = m_area.firstColumn;
    m_lastRecorded.firstRow = m_area.firstRow;

    const int tile = ScreenTileIndex(x, y);
    if (tile != m_lastTileIndex) {
        m_lastTileIndex = tile;
        ShowPatternStatus(tile);
    }
    ShowMouseHints(1);
}

void Editor::ChrMouseUp(MouseButton button, int x, int y) {
    EndTrackMouse();
    m_rightHeld = false;
    RefreshCommandStates();
    if (button == MouseButton::Right) {
        // At the pointer, even when a drag ended beyond the view.
        if (m_settings.UsePopupMenu)
            m_view.ShowPopupMenu(x, y);
        m_lastReleaseRight = true;
    } else {
        m_lastReleaseRight = false;
    }
}

// ---- Edit view ----

namespace {

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

void Editor::EditMouseDown(MouseButton button, int x, int y) {
    m_view.FocusPanel(Panel::Edit);
    m_editView.SetPenNumber(m_penNumber);
    m_editView.SetPen(m_pen);
    m_editView.Press(ToEditButton(button), x, y);
    if (button == MouseButton::Left)
        m_strokePage = CurrentPageKey();
    if (m_trackedPanel == Panel::Edit && m_dragMode == DragMode::Left &&
        button == MouseButton::Right) {
        // A right press during a left drag cancels the drag.
        m_dragMode = DragMode::None;
        return;
    }
    TrackMouse(Panel::Edit, button);
    EditMouseMove(x, y);
}

void Editor::EditMouseMove(int x, int y) {
    m_editView.Move(x, y);
    AfterEditViewStep();
}

void Editor::AfterEditViewStep() {
    const EditViewResult& r = m_editView.Result();
    if (r.redrawn)
        m_view.RepaintEditView();
    if (r.picked) {
        RedrawDatView();
        RedrawPalView();
    }
    if (r.tileChanged) {
        ShowPatternStatus(r.tileUnderMouse);
        ShowMouseHints(2);
    }
}

void Editor::EditMouseUp(MouseButton button, int /*x*/, int /*y*/) {
    // A key or the wheel may have moved to another page during the stroke; what was drawn
    // belongs to the old page and must not land on this one.
    if (CurrentPageKey() != m_strokePage)
        m_editView.CancelStroke();
    m_editView.Release(ToEditButton(button));
    if (m_editView.Result().changed)
        CommitPage();
    DecodePage();
    DrawTileView();
    UpdateEditView();
    EndTrackMouse();
}

} // namespace tavrin
