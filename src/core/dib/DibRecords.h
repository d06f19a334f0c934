#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrin {

// The published records of device-independent bitmaps and bitmap files. Their layout is fixed
// by the file format; bytes are always read and written field by field in little-endian order.

constexpr size_t BitmapFileHeaderSize = 14;
constexpr size_t BitmapInfoHeaderSize = 40;
constexpr size_t BitmapCoreHeaderSize = 12;
constexpr size_t BitfieldMasksSize = 12;

// biCompression values.
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiRle8 = 1;
constexpr uint32_t BiRle4 = 2;
constexpr uint32_t BiBitfields = 3;

// The bytes "BM" as a little-endian word.
constexpr uint16_t BitmapFileType = 0x4D42;

#pragma pack(push, 1)
struct BitmapFileHeader {
    uint16_t bfType;
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits; // from the start of the file to the pixel data

    static BitmapFileHeader Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};
#pragma pack(pop)
static_assert(sizeof(BitmapFileHeader) == BitmapFileHeaderSize);
static_assert(offsetof(BitmapFileHeader, bfSize) == 2);
static_assert(offsetof(BitmapFileHeader, bfReserved1) == 6);
static_assert(offsetof(BitmapFileHeader, bfReserved2) == 8);
static_assert(offsetof(BitmapFileHeader, bfOffBits) == 10);

struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight; // positive: rows stored bottom-up; negative: top-down
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;

    static BitmapInfoHeader Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};
static_assert(sizeof(BitmapInfoHeader) == BitmapInfoHeaderSize);
static_assert(offsetof(BitmapInfoHeader, biWidth) == 4);
static_assert(offsetof(BitmapInfoHeader, biHeight) == 8);
static_assert(offsetof(BitmapInfoHeader, biPlanes) == 12);
static_assert(offsetof(BitmapInfoHeader, biBitCount) == 14);
static_assert(offsetof(BitmapInfoHeader, biCompression) == 16);
static_assert(offsetof(BitmapInfoHeader, biSizeImage) == 20);
static_assert(offsetof(BitmapInfoHeader, biXPelsPerMeter) == 24);
static_assert(offsetof(BitmapInfoHeader, biYPelsPerMeter) == 28);
static_assert(offsetof(BitmapInfoHeader, biClrUsed) == 32);
static_assert(offsetof(BitmapInfoHeader, biClrImportant) == 36);

// The older header: unsigned sizes (always bottom-up) and 3-byte colour-table entries.
struct BitmapCoreHeader {
    uint32_t bcSize;
    uint16_t bcWidth;
    uint16_t bcHeight;
    uint16_t bcPlanes;
    uint16_t bcBitCount;

    static BitmapCoreHeader Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};
static_assert(sizeof(BitmapCoreHeader) == BitmapCoreHeaderSize);
static_assert(offsetof(BitmapCoreHeader, bcWidth) == 4);
static_assert(offsetof(BitmapCoreHeader, bcHeight) == 6);
static_assert(offsetof(BitmapCoreHeader, bcPlanes) == 8);
static_assert(offsetof(BitmapCoreHeader, bcBitCount) == 10);

// A colour-table entry as stored: blue, green, red, 0.
struct RgbQuad {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;

    bool operator==(const RgbQuad&) const = default;
};
static_assert(sizeof(RgbQuad) == 4);
static_assert(offsetof(RgbQuad, rgbRed) == 2);

} // namespace tavrin
