#pragma once

// LZ11, the handheld LZ77 form with longer copies.
//
// Header: the byte 0x11, then the unpacked size as a 24-bit little-endian number.
// Then groups of one flag byte and up to 8 items, most significant flag bit first:
//   0  one literal byte;
//   1  a copy. Its first nibble N = B0 >> 4 selects the form:
//      N = 0: three bytes B0 B1 B2, length ((B0 & 0xF) << 4 | B1 >> 4) + 0x11 (17..272),
//             distance ((B1 & 0xF) << 8 | B2) + 1;
//      N = 1: four bytes B0 B1 B2 B3, length ((B0 & 0xF) << 12 | B1 << 4 | B2 >> 4) + 0x111
//             (273..65808), distance ((B2 & 0xF) << 8 | B3) + 1;
//      else:  two bytes B0 B1, length N + 1 (3..16), distance ((B0 & 0xF) << 8 | B1) + 1.
//      Distances are 1..4096 back from the current output position; copies go byte by byte
//      and may overlap what they write.
// Decoding stops as soon as the stated size is reached; a copy reaching past it is cut.

#include "core/compress/PackedCodec.h"

namespace tavrin {

Unpacked UnpackLz11(std::span<const uint8_t> input, size_t limit = MaxUnpackedSize);
std::optional<BlockSize> MeasureLz11(std::span<const uint8_t> input,
                                     size_t limit = MaxUnpackedSize);
// Greedy with lazy matching (or plain greedy when !options.lazy). None above MaxHeaderSize
// bytes.
std::optional<std::vector<uint8_t>> PackLz11(std::span<const uint8_t> data,
                                             const PackOptions& options = {});

} // namespace tavrin
