#pragma once

// LZ10, the handheld BIOS's LZ77 form.
//
// Header: the byte 0x10, then the unpacked size as a 24-bit little-endian number.
// Then groups of one flag byte and up to 8 items; the flag's bits, most significant first,
// say what each item is:
//   0  one literal byte, copied to the output;
//   1  two bytes B0 B1: copy length (B0 >> 4) + 3 (3..18) from distance
//      ((B0 & 0x0F) << 8 | B1) + 1 (1..4096) back from the current output position. The
//      copy goes byte by byte, so it may overlap the bytes it writes.
// Decoding stops as soon as the stated size is reached (the rest of the flag is unused; a
// copy reaching past the size is cut there).

#include "core/compress/PackedCodec.h"

namespace tavrin {

Unpacked UnpackLz10(std::span<const uint8_t> input, size_t limit = MaxUnpackedSize);
std::optional<BlockSize> MeasureLz10(std::span<const uint8_t> input,
                                     size_t limit = MaxUnpackedSize);
// Greedy with lazy matching (or plain greedy when !options.lazy); never a copy from one byte
// back unless options.allowDistance1. None above MaxHeaderSize bytes.
std::optional<std::vector<uint8_t>> PackLz10(std::span<const uint8_t> data,
                                             const PackOptions& options = {});

} // namespace tavrin
