#pragma once

#include "core/views/HexLabelList.h"
#include "core/views/ImageRgb.h"
#include "core/views/PaletteViewRules.h"

namespace tavrin {

class CPalette;
class CDatPalette;

// The panel "PAL": the 256 master colours in 16 x 16 cells, the selected entry's master colour
// framed in white and labelled. A left or right drag reports the master colour under the
// pointer (masterIndex) for the caller to give the palette set's selected entry.
class CImagePal {
public:
    static constexpr int Size = 256;
    static constexpr int Cell = 16;
    static constexpr int VisibleRows = 4;

    CImagePal(const CPalette& palette, const CDatPalette& paletteSet);

    // Draws the picture from the palettes.
    void Redraw();

    // Mouse steps. x and y are panel coordinates: y = 0 is the top of the visible part, which
    // shows the picture from row TopRow() on. Buttons: ButtonLeft, ButtonRight, ButtonMiddle.
    PaletteViewResult Press(int button, int x, int y);
    PaletteViewResult Move(int x, int y);
    PaletteViewResult Release(int button);
    int ButtonState() const { return m_button; }

    // The scroll position: the first visible row of cells.
    int TopRow() const { return m_topRow; }
    void SetTopRow(int row) { m_topRow = row; }
    int VisibleRowCount() const { return VisibleRows; }

    // The master index of the selected palette-set entry (what the editor dialog opens on).
    int SelectedMasterIndex() const;

    const ImageRgb& Picture() const { return m_picture; }
    const PaletteViewResult& Result() const { return m_result; }

private:
    const CPalette& m_palette;
    const CDatPalette& m_paletteSet;
    HexLabelList m_labels;
    ImageRgb m_picture;
    int m_button = ButtonNone;
    int m_topRow = 0;
    PaletteViewResult m_result;
};

} // namespace tavrin
