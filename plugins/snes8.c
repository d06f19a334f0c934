/*
 * "8BPP SNES": 8 x 8 tiles of 64 bytes in the SNES 8-bit planar layout. Bit planes come in
 * pairs interleaved by row: byte 2r holds value bit 0 of row r and byte 2r + 1 value bit 1;
 * bytes 16 + 2r and 17 + 2r bits 2 and 3, 32 + 2r and 33 + 2r bits 4 and 5, 48 + 2r and
 * 49 + 2r bits 6 and 7. In a plane byte bit 7 is the leftmost pixel.
 */
#include "tavrin_plugin_block.h"

#include <string.h>

static const TavrinFormatHeader header = {TAVRIN_PLUGIN_VERSION, 1, "Tavrin project",
                                          "https://tavrin.example.org/plugins"};

static const TavrinFormatInfo info = {
    .bitsPerPixel = 8,
    .width = 8,
    .height = 8,
    .autoPaletteMode = 1,
    .defaultPaletteMode = 1,
    .name = "8BPP SNES",
    .extensions = "cgx",
};

/* spread[b] holds the eight bits of b as eight bytes in memory order, leftmost pixel (bit 7)
   first, each 0 or 1: a plane byte spread over a row of pixels. Shifting it left by k moves
   every bit to bit k of its own byte, whatever the machine's byte order. Filled on
   activation, which comes before any block operation. */
static uint64_t spread[256];

static void Activate(TavrinFormat* self) {
    (void)self;
    for (int b = 0; b < 256; ++b) {
        uint8_t pixels[8];
        for (int c = 0; c < 8; ++c)
            pixels[c] = (uint8_t)((b >> (7 - c)) & 1);
        memcpy(&spread[b], pixels, sizeof pixels);
    }
}

/* Byte of value bit k of row r: the planes come in pairs interleaved by row. */
static int PlaneByte(int k, int r) {
    return 16 * (k / 2) + 2 * r + (k & 1);
}

/* Writes the tile's 8 x 8 pixels, each ORed with offset, to rows of dst stride bytes apart;
   reads them back. */
static void DecodeTile(const uint8_t* src, uint8_t* dst, ptrdiff_t stride, uint8_t offset,
                       void* user) {
    (void)user;
    const uint64_t offsets = offset * UINT64_C(0x0101010101010101);
    for (int r = 0; r < 8; ++r, dst += stride) {
        uint64_t row = offsets;
        for (int k = 0; k < 8; ++k)
            row |= spread[src[PlaneByte(k, r)]] << k;
        memcpy(dst, &row, sizeof row);
    }
}

static void EncodeTile(const uint8_t* src, ptrdiff_t stride, uint8_t* dst, void* user) {
    (void)user;
    for (int r = 0; r < 8; ++r, src += stride) {
        uint64_t row = 0;
        for (int c = 0; c < 8; ++c)
            row |= (uint64_t)src[c] << (8 * c);
        for (int k = 0; k < 8; ++k) {
            /* Bit k of the eight pixels, one in each byte (pixel c in byte c), gathered into
               the top byte of the product with pixel 0 in bit 7. */
            const uint64_t bits = (row >> k) & UINT64_C(0x0101010101010101);
            dst[PlaneByte(k, r)] = (uint8_t)((bits * UINT64_C(0x8040201008040201)) >> 56);
        }
    }
}

static void DecodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    (void)self;
    TavrinDecodeBlockWith(&info, image, p, DecodeTile, NULL);
}

static void EncodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    (void)self;
    TavrinEncodeBlockWith(&info, image, p, EncodeTile, NULL);
}

static const TavrinFormatInfo* GetInfo(TavrinFormat* self) {
    (void)self;
    return &info;
}

static const TavrinFormatOps ops = {
    .GetInfo = GetInfo,
    .Activate = Activate,
    .DecodeBlock = DecodeBlock,
    .EncodeBlock = EncodeBlock,
};

static TavrinFormat object = {&ops};

const TavrinFormatHeader* PluginHeaderProc(void) {
    return &header;
}

TavrinFormat* PluginObjectProc(void) {
    return &object;
}
