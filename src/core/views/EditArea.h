#pragma once

#include "core/views/CBitmapEdit.h"

namespace tavrin {

// The block of tiles the edit view shows and the edit operations act on: columns and rows of
// the page, 0-15, first <= last.
struct EditArea {
    int firstColumn = 0;
    int firstRow = 0;
    int lastColumn = 1;
    int lastRow = 1;

    int Columns() const { return lastColumn - firstColumn + 1; }
    int Rows() const { return lastRow - firstRow + 1; }
    bool IsSquare() const { return lastColumn - firstColumn == lastRow - firstRow; }
    // The area in tile-image pixels, right and bottom exclusive.
    PixelRect Pixels() const {
        return {firstColumn * 8, firstRow * 8, (lastColumn + 1) * 8, (lastRow + 1) * 8};
    }
    bool operator==(const EditArea&) const = default;
};

} // namespace tavrin
