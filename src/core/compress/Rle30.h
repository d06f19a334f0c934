#pragma once

// RLE30, the handheld BIOS's run-length form.
//
// Header: the byte 0x30, then the unpacked size as a 24-bit little-endian number.
// Then items, each led by a flag byte F:
//   bit 7 set:   one byte follows, written (F & 0x7F) + 3 times (3..130);
//   bit 7 clear: (F & 0x7F) + 1 literal bytes follow (1..128).
// Decoding stops as soon as the stated size is reached; an item reaching past it is cut
// (its bytes must still be in the input).

#include "core/compress/PackedCodec.h"

namespace tavrin {

Unpacked UnpackRle30(std::span<const uint8_t> input, size_t limit = MaxUnpackedSize);
std::optional<BlockSize> MeasureRle30(std::span<const uint8_t> input,
                                      size_t limit = MaxUnpackedSize);
// Runs of three or more equal bytes become run items, the rest literal items. None above
// MaxHeaderSize bytes.
std::optional<std::vector<uint8_t>> PackRle30(std::span<const uint8_t> data);

} // namespace tavrin
