#include "core/formats/PlanarCodecs.h"

#include "core/formats/BitPlanes.h"

#include <array>

namespace tavrin::codec {

using namespace bitplanes;

namespace {

// Where a plane keeps its rows in an 8 x 8 tile: row r is the byte at base + step * r.
struct PlaneRows {
    int base;
    int step;
};

template <auto Planes>
void DecodePlanar8(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    const uint64_t offset = Broadcast8(colourOffset);
    for (int r = 0; r < 8; ++r, cell += stride) {
        uint64_t row = offset;
        for (size_t k = 0; k < Planes.size(); ++k)
            row |= ExpandPlane[bytes[Planes[k].base + Planes[k].step * r]] << k;
        StorePixels8(cell, row);
    }
}

template <auto Planes> void EncodePlanar8(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    for (int r = 0; r < 8; ++r, cell += stride) {
        const uint64_t row = LoadPixels8(cell);
        for (size_t k = 0; k < Planes.size(); ++k)
            bytes[Planes[k].base + Planes[k].step * r] = PackPlane(row, static_cast<int>(k));
    }
}

constexpr std::array<PlaneRows, 1> Layout1bpp{{{0, 1}}};
constexpr std::array<PlaneRows, 2> Layout2NES{{{0, 1}, {8, 1}}};
constexpr std::array<PlaneRows, 2> Layout2MSX{{{0, 1}, {32, 1}}};
constexpr std::array<PlaneRows, 2> Layout2GB{{{0, 2}, {1, 2}}};
constexpr std::array<PlaneRows, 3> Layout3SNES{{{0, 2}, {1, 2}, {16, 1}}};
constexpr std::array<PlaneRows, 4> Layout4SNES{{{0, 2}, {1, 2}, {16, 2}, {17, 2}}};
constexpr std::array<PlaneRows, 4> Layout4SMS{{{0, 4}, {1, 4}, {2, 4}, {3, 4}}};

} // namespace

void Decode1bpp(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    DecodePlanar8<Layout1bpp>(bytes, cell, stride, colourOffset);
}
void Encode1bpp(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    EncodePlanar8<Layout1bpp>(cell, stride, bytes);
}

void Decode2NES(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    DecodePlanar8<Layout2NES>(bytes, cell, stride, colourOffset);
}
void Encode2NES(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    EncodePlanar8<Layout2NES>(cell, stride, bytes);
}

void Decode2MSX(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    DecodePlanar8<Layout2MSX>(bytes, cell, stride, colourOffset);
}
void Encode2MSX(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    EncodePlanar8<Layout2MSX>(cell, stride, bytes);
}

void Decode2GB(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    DecodePlanar8<Layout2GB>(bytes, cell, stride, colourOffset);
}
void Encode2GB(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    EncodePlanar8<Layout2GB>(cell, stride, bytes);
}

void Decode3SNES(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    DecodePlanar8<Layout3SNES>(bytes, cell, stride, colourOffset);
}
void Encode3SNES(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    EncodePlanar8<Layout3SNES>(cell, stride, bytes);
}

void Decode4SNES(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    DecodePlanar8<Layout4SNES>(bytes, cell, stride, colourOffset);
}
void Encode4SNES(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    EncodePlanar8<Layout4SNES>(cell, stride, bytes);
}

void Decode4SMS(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    DecodePlanar8<Layout4SMS>(bytes, cell, stride, colourOffset);
}
void Encode4SMS(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    EncodePlanar8<Layout4SMS>(cell, stride, bytes);
}

void Decode1bpp16(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    const uint64_t offset = Broadcast8(colourOffset);
    for (int r = 0; r < 16; ++r, cell += stride) {
        StorePixels8(cell, ExpandPlane[bytes[2 * r]] | offset);
        StorePixels8(cell + 8, ExpandPlane[bytes[2 * r + 1]] | offset);
    }
}
void Encode1bpp16(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    for (int r = 0; r < 16; ++r, cell += stride) {
        bytes[2 * r] = PackPlane(LoadPixels8(cell), 0);
        bytes[2 * r + 1] = PackPlane(LoadPixels8(cell + 8), 0);
    }
}

void Decode4PceSG(const uint8_t* bytes, uint8_t* cell, ptrdiff_t stride, uint8_t colourOffset) {
    const uint64_t offset = Broadcast8(colourOffset);
    for (int r = 0; r < 16; ++r, cell += stride) {
        uint64_t left = offset;
        uint64_t right = offset;
        for (int p = 0; p < 4; ++p) {
            left |= ExpandPlane[bytes[32 * p + 2 * r + 1]] << p;
            right |= ExpandPlane[bytes[32 * p + 2 * r]] << p;
        }
        StorePixels8(cell, left);
        StorePixels8(cell + 8, right);
    }
}
void Encode4PceSG(const uint8_t* cell, ptrdiff_t stride, uint8_t* bytes) {
    for (int r = 0; r < 16; ++r, cell += stride) {
        const uint64_t left = LoadPixels8(cell);
        const uint64_t right = LoadPixels8(cell + 8);
        for (int p = 0; p < 4; ++p) {
            bytes[32 * p + 2 * r + 1] = PackPlane(left, p);
            bytes[32 * p + 2 * r] = PackPlane(right, p);
        }
    }
}

} // namespace tavrin::codec
