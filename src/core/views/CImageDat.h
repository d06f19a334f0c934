#pragma once

#include "core/views/HexLabelList.h"
#include "core/views/ImageRgb.h"
#include "core/views/PaletteViewRules.h"

namespace tavrin {

class CDatPalette;

// The panel "DAT": the 256 palette-set entries in 16 x 16 cells, the current group framed in
// red with the master index of each of its entries as a label, and the selected entry framed
// in white. A left or right drag selects the entry under the pointer (the drawing colour).
class CImageDat {
public:
    static constexpr int Size = 256;
    static constexpr int Cell = 16;

    explicit CImageDat(const CDatPalette& paletteSet);

    // Draws the picture from the palette set (its bits per pixel give the group size).
    void Redraw();

    // Mouse steps in panel coordinates (y = 0 at the top of the visible part). The entry under
    // the pointer is reported in selectEntry for the caller to select.
    PaletteViewResult Press(int button, int x, int y);
    PaletteViewResult Move(int x, int y);
    PaletteViewResult Release(int button);
    int ButtonState() const { return m_button; }
    bool IsButtonHeld() const { return m_button == ButtonLeft || m_button == ButtonRight; }

    int TopRow() const { return m_topRow; }
    void SetTopRow(int row) { m_topRow = row; }
    // 2 rows in palette + palette-set mode, 7 in palette-only mode.
    int VisibleRowCount() const { return m_visibleRows; }

    // The palette display mode (the palette set's identity table is the caller's to switch):
    // the panel shows 7 or 2 rows, and a scroll position below the last page is
    // pulled back to it. Returns the scroll position to show.
    int SetPaletteOnly(bool paletteOnly);
    bool PaletteOnly() const { return m_visibleRows == PaletteOnlyRows; }

    const ImageRgb& Picture() const { return m_picture; }
    const PaletteViewResult& Result() const { return m_result; }

    // Rows shown in palette-only mode and with the palette set.
    static constexpr int PaletteOnlyRows = 7;
    static constexpr int PaletteSetRows = 2;

private:
    const CDatPalette& m_paletteSet;
    HexLabelList m_labels;
    ImageRgb m_picture;
    int m_button = ButtonNone;
    int m_topRow = 0;
    int m_visibleRows = PaletteSetRows;
    PaletteViewResult m_result;
};

} // namespace tavrin
