#include "core/formats/PackedCodecs.h"

#include "core/formats/BitPlanes.h"

namespace tavrin::codec {

using namespace bitplanes;

namespace {

// Four pixels (pixel c in bits 8c of the word) as 2-bit fields, pixel 0 at the top.
uint8_t PackPairsHigh(uint64_t pixels) {
    unsigned b = 0;
    for (int c = 0; c < 4; ++c)
        b |= ((pixels >> (8 * c)) & 3u) << (6 - 2 * c);
    return static_cast<uint8_t>(b);
}

// The same with pixel 0 at the bottom.
uint8_t PackPairsLow(uint64_t pixels) {
    unsigned b = 0;
    for (int c = 0; c < 4; ++c)
        b |= ((pixels >> (8 * c)) & 3u) << (2 * c);
    return static_cast<uint8_t>(b);
}

} // namespace

void Decode2NGP(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    const uint64_t offset = Broadcast8(colourOffset);
    for (int r = 0; r < 8; ++r, cell += stride) {
        const uint64_t left = ExpandPairsHigh[bytes[2 * r + 1]];
        const uint64_t right = ExpandPairsHigh[bytes[2 * r]];
        StorePixels8(cell, left | (right << 32) | offset);
    }
}
void Encode2NGP(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    for (int r = 0; r < 8; ++r, cell += stride) {
        const uint64_t row = LoadPixels8(cell);
        bytes[2 * r + 1] = PackPairsHigh(row);
        bytes[2 * r] = PackPairsHigh(row >> 32);
    }
}

void Decode2VB(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    const uint64_t offset = Broadcast8(colourOffset);
    for (int r = 0; r < 8; ++r, cell += stride) {
        const uint64_t left = ExpandPairsLow[bytes[2 * r]];
        const uint64_t right = ExpandPairsLow[bytes[2 * r + 1]];
        StorePixels8(cell, left | (right << 32) | offset);
    }
}
void Encode2VB(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    for (int r = 0; r < 8; ++r, cell += stride) {
        const uint64_t row = LoadPixels8(cell);
        bytes[2 * r] = PackPairsLow(row);
        bytes[2 * r + 1] = PackPairsLow(row >> 32);
    }
}

void Decode4GBA(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    for (int r = 0; r < 8; ++r, cell += stride) {
        for (int k = 0; k < 4; ++k) {
            const uint8_t b = bytes[4 * r + k];
            cell[2 * k] = static_cast<uint8_t>((b & 0x0F) | colourOffset);
            cell[2 * k + 1] = static_cast<uint8_t>((b >> 4) | colourOffset);
        }
    }
}
void Encode4GBA(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    for (int r = 0; r < 8; ++r, cell += stride)
        for (int k = 0; k < 4; ++k)
            bytes[4 * r + k] = static_cast<uint8_t>((cell[2 * k] & 0x0F) | (cell[2 * k + 1] << 4));
}

void Decode4MSX(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    for (int r = 0; r < 8; ++r, cell += stride) {
        for (int k = 0; k < 4; ++k) {
            const uint8_t b = bytes[4 * r + k];
            cell[2 * k] = static_cast<uint8_t>((b >> 4) | colourOffset);
            cell[2 * k + 1] = static_cast<uint8_t>((b & 0x0F) | colourOffset);
        }
    }
}
void Encode4MSX(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    for (int r = 0; r < 8; ++r, cell += stride)
        for (int k = 0; k < 4; ++k)
            bytes[4 * r + k] = static_cast<uint8_t>((cell[2 * k] << 4) | (cell[2 * k + 1] & 0x0F));
}

} // namespace tavrin::codec
