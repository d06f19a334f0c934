#pragma once

// The SNES command scheme, in two variants that differ only in the byte order of the repeat
// address (big-endian or little-endian). There is no header.
//
// Each command starts with a byte C. Normally its top 3 bits are the command and its low 5
// bits the length minus one (1..32). When the top 3 bits are 111, the form is extended: the
// next 3 bits (C >> 2 & 7) are the command and the length minus one is 10 bits, the low 2
// bits of C followed by the next byte (1..1024). The byte 0xFF ends the data.
// Commands:
//   0  copy the next `length` bytes of the input;
//   1  one byte follows: write it `length` times;
//   2  two bytes follow: write them alternately, `length` bytes in all;
//   3  one byte follows: write it `length` times, adding one (mod 256) each time;
//   4  a 16-bit offset follows (big-endian in one variant, little-endian in the other):
//      copy `length` bytes of the output from that absolute offset, byte by byte. The offset
//      must lie inside the output written so far.
// Commands 5 and 6, and the extended command 7 other than the end byte, are not defined and
// make the data invalid.

#include "core/compress/PackedCodec.h"

namespace tavrin {

enum class SnesOrder { BigEndian, LittleEndian };

Unpacked UnpackSnes(std::span<const uint8_t> input, SnesOrder order,
                    size_t limit = MaxUnpackedSize);
std::optional<BlockSize> MeasureSnes(std::span<const uint8_t> input, SnesOrder order,
                                     size_t limit = MaxUnpackedSize);
// At each position the command that saves the most bytes (runs, alternating pairs, rising
// bytes, repeats from the first 64 KiB), with lazy matching; else literal bytes. None above
// MaxUnpackedSize bytes.
std::optional<std::vector<uint8_t>> PackSnes(std::span<const uint8_t> data, SnesOrder order,
                                             const PackOptions& options = {});

} // namespace tavrin
