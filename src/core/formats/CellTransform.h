#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrin {

// A symmetry of a tile's cell: an optional transpose (pixel (r, c) to (c, r)), then optional
// flips of the rows (top-bottom) and of the columns (left-right). Every rotation and mirror
// code, and any sequence of them, is one such transform, so a cell is moved only once.
struct CellTransform {
    bool transpose = false;
    bool flipRows = false;
    bool flipColumns = false;

    bool IsIdentity() const { return !transpose && !flipRows && !flipColumns; }
    bool operator==(const CellTransform&) const = default;
};

// Rotation codes: 1 quarter turn clockwise, 2 half turn, 3 quarter turn counter-clockwise.
// Mirror codes: 1 left-right, 2 top-bottom, 3 both. Any other code is the identity.
CellTransform RotationTransform(int code);
CellTransform MirrorTransform(int code);
// The transform that applies first, then second.
CellTransform Then(CellTransform first, CellTransform second);

// Transforms the width x height cell at cell in place. A transpose needs a square cell;
// work must hold width x height bytes unless the cell is 8 x 8 or 16 x 16.
void ApplyCellTransform(uint8_t* cell, ptrdiff_t stride, int width, int height, CellTransform t,
                        uint8_t* work);

} // namespace tavrin
