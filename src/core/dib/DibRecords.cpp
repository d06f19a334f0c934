#include "core/dib/DibRecords.h"

#include "core/platform/LittleEndian.h"

namespace tavrin {

BitmapFileHeader BitmapFileHeader::Load(const uint8_t* p) {
    BitmapFileHeader h{};
    h.bfType = LoadLE16(p);
    h.bfSize = LoadLE32(p + 2);
    h.bfReserved1 = LoadLE16(p + 6);
    h.bfReserved2 = LoadLE16(p + 8);
    h.bfOffBits = LoadLE32(p + 10);
    return h;
}

void BitmapFileHeader::Store(uint8_t* p) const {
    StoreLE16(p, bfType);
    StoreLE32(p + 2, bfSize);
    StoreLE16(p + 6, bfReserved1);
    StoreLE16(p + 8, bfReserved2);
    StoreLE32(p + 10, bfOffBits);
}

BitmapInfoHeader BitmapInfoHeader::Load(const uint8_t* p) {
    BitmapInfoHeader h{};
    h.biSize = LoadLE32(p);
    h.biWidth = LoadLE32s(p + 4);
    h.biHeight = LoadLE32s(p + 8);
    h.biPlanes = LoadLE16(p + 12);
    h.biBitCount = LoadLE16(p + 14);
    h.biCompression = LoadLE32(p + 16);
    h.biSizeImage = LoadLE32(p + 20);
    h.biXPelsPerMeter = LoadLE32s(p + 24);
    h.biYPelsPerMeter = LoadLE32s(p + 28);
    h.biClrUsed = LoadLE32(p + 32);
    h.biClrImportant = LoadLE32(p + 36);
    return h;
}

void BitmapInfoHeader::Store(uint8_t* p) const {
    StoreLE32(p, biSize);
    StoreLE32(p + 4, static_cast<uint32_t>(biWidth));
    StoreLE32(p + 8, static_cast<uint32_t>(biHeight));
    StoreLE16(p + 12, biPlanes);
    StoreLE16(p + 14, biBitCount);
    StoreLE32(p + 16, biCompression);
    StoreLE32(p + 20, biSizeImage);
    StoreLE32(p + 24, static_cast<uint32_t>(biXPelsPerMeter));
    StoreLE32(p + 28, static_cast<uint32_t>(biYPelsPerMeter));
    StoreLE32(p + 32, biClrUsed);
    StoreLE32(p + 36, biClrImportant);
}

BitmapCoreHeader BitmapCoreHeader::Load(const uint8_t* p) {
    BitmapCoreHeader h{};
    h.bcSize = LoadLE32(p);
    h.bcWidth = LoadLE16(p + 4);
    h.bcHeight = LoadLE16(p + 6);
    h.bcPlanes = LoadLE16(p + 8);
    h.bcBitCount = LoadLE16(p + 10);
    return h;
}

void BitmapCoreHeader::Store(uint8_t* p) const {
    StoreLE32(p, bcSize);
    StoreLE16(p + 4, bcWidth);
    StoreLE16(p + 6, bcHeight);
    StoreLE16(p + 8, bcPlanes);
    StoreLE16(p + 10, bcBitCount);
}

} // namespace tavrin
