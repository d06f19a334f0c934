#pragma once

#include "core/dib/DibRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin {

// The colour reduction of a 24-bit DIB to at most 256 colours: a histogram over a 32 x 64 x 32
// grid of cells, then a recursive split of the cells at the mean of the axis the variances pick,
// eight levels deep; every leaf becomes one colour-table entry.
// src holds `rows` rows of `width` pixels stored blue, green, red; dst receives one index per
// pixel in the same row order. Returns the colour table, in the order the entries are made.
std::vector<RgbQuad> ReduceColours24(const uint8_t* src, ptrdiff_t srcStride, int width, int rows,
                                     uint8_t* dst, ptrdiff_t dstStride);

} // namespace tavrin
