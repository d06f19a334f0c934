#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrin {

// Expansion of run-length compressed DIB pixel data (RLE8 and RLE4) into one palette index per
// byte. Rows come out in stored order: the first row of the data is dst row 0. dst holds
// height rows of stride bytes (stride >= width) and must be zeroed by the caller, since skipped
// pixels keep their value. Malformed data throws DibError with a numbered text:
//   1 the data ends inside a code (a run, an absolute run or a delta is cut off)
//   2 an encoded run passes the right edge of its row
//   3 an absolute run passes the right edge of its row
//   4 a delta moves past the right edge or past the last row
//   5 pixels follow the last row
// Data that ends on a code boundary without an end-of-bitmap code leaves the rest unchanged.
void ExpandRle8(const uint8_t* src, size_t size, int width, int height, uint8_t* dst,
                ptrdiff_t stride);
void ExpandRle4(const uint8_t* src, size_t size, int width, int height, uint8_t* dst,
                ptrdiff_t stride);

} // namespace tavrin
