#include "core/formats/CellTransform.h"

#include "core/formats/BitPlanes.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tavrin {

using bitplanes::LoadPixels8;
using bitplanes::StorePixels8;

CellTransform RotationTransform(int code) {
    switch (code) {
    case 1: // (r, c) -> (c, W - 1 - r)
        return {true, false, true};
    case 2: // (r, c) -> (H - 1 - r, W - 1 - c)
        return {false, true, true};
    case 3: // (r, c) -> (H - 1 - c, r)
        return {true, true, false};
    default:
        return {};
    }
}

CellTransform MirrorTransform(int code) {
    switch (code) {
    case 1:
        return {false, false, true};
    case 2:
        return {false, true, false};
    case 3:
        return {false, true, true};
    default:
        return {};
    }
}

CellTransform Then(CellTransform first, CellTransform second) {
    // Flips done before a transpose act on the other axis after it.
    if (second.transpose)
        std::swap(first.flipRows, first.flipColumns);
    return {first.transpose != second.transpose, first.flipRows != second.flipRows,
            first.flipColumns != second.flipColumns};
}

namespace {

// Rows a and b exchange the fields that mask (shifted by shift) selects: one step of the
// block-swapping transpose of an 8 x 8 byte matrix.
void SwapFields(uint64_t& a, uint64_t& b, int shift, uint64_t mask) {
    const uint64_t t = ((a >> shift) ^ b) & mask;
    a ^= t << shift;
    b ^= t;
}

// rows[r] holds pixel (r, c) in bits 8c to 8c + 7.
void Transform8(uint64_t (&rows)[8], CellTransform t) {
    if (t.transpose) {
        for (int r = 0; r < 4; ++r)
            SwapFields(rows[r], rows[r + 4], 32, 0x0000'0000'FFFF'FFFFull);
        for (int r : {0, 1, 4, 5})
            SwapFields(rows[r], rows[r + 2], 16, 0x0000'FFFF'0000'FFFFull);
        for (int r : {0, 2, 4, 6})
            SwapFields(rows[r], rows[r + 1], 8, 0x00FF'00FF'00FF'00FFull);
    }
    if (t.flipColumns)
        for (uint64_t& row : rows)
            row = __builtin_bswap64(row);
    if (t.flipRows)
        std::reverse(std::begin(rows), std::end(rows));
}

// A 16 x 16 cell as four 8 x 8 blocks: each block is transformed the same way and moves to
// the block position the transform gives it on a 2 x 2 grid.
void Transform16(uint8_t* cell, ptrdiff_t stride, CellTransform t) {
    uint64_t blocks[2][2][8];
    for (int br = 0; br < 2; ++br)
        for (int bc = 0; bc < 2; ++bc)
            for (int r = 0; r < 8; ++r)
                blocks[br][bc][r] = LoadPixels8(cell + (8 * br + r) * stride + 8 * bc);
    for (int br = 0; br < 2; ++br)
        for (int bc = 0; bc < 2; ++bc) {
            Transform8(blocks[br][bc], t);
            int tr = t.transpose ? bc : br;
            int tc = t.transpose ? br : bc;
            tr = t.flipRows ? 1 - tr : tr;
            tc = t.flipColumns ? 1 - tc : tc;
            for (int r = 0; r < 8; ++r)
                StorePixels8(cell + (8 * tr + r) * stride + 8 * tc, blocks[br][bc][r]);
        }
}

void TransformAny(uint8_t* cell, ptrdiff_t stride, int width, int height, CellTransform t,
                  uint8_t* work) {
    const int outWidth = t.transpose ? height : width;
    const int outHeight = t.transpose ? width : height;
    for (int r = 0; r < height; ++r) {
        const uint8_t* row = cell + r * stride;
        for (int c = 0; c < width; ++c) {
            int tr = t.transpose ? c : r;
            int tc = t.transpose ? r : c;
            tr = t.flipRows ? outHeight - 1 - tr : tr;
            tc = t.flipColumns ? outWidth - 1 - tc : tc;
            work[tr * outWidth + tc] = row[c];
        }
    }
    for (int r = 0; r < outHeight; ++r)
        std::memcpy(cell + r * stride, work + r * outWidth, static_cast<size_t>(outWidth));
}

} // namespace

void ApplyCellTransform(uint8_t* cell, ptrdiff_t stride, int width, int height, CellTransform t,
                        uint8_t* work) {
    if (t.IsIdentity() || (t.transpose && width != height))
        return;
    if (width == 8 && height == 8) {
        uint64_t rows[8];
        for (int r = 0; r < 8; ++r)
            rows[r] = LoadPixels8(cell + r * stride);
        Transform8(rows, t);
        for (int r = 0; r < 8; ++r)
            StorePixels8(cell + r * stride, rows[r]);
    } else if (width == 16 && height == 16) {
        Transform16(cell, stride, t);
    } else {
        TransformAny(cell, stride, width, height, t, work);
    }
}

} // namespace tavrin
