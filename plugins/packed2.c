/*
 * "2BPP packed": 8 x 8 tiles of 16 bytes, four pixels to a byte, row by row: byte 2r holds
 * pixels 0 to 3 of row r and byte 2r + 1 pixels 4 to 7, the first pixel in the top two bits
 * (pixel c of a byte in bits 7 - 2c and 6 - 2c).
 */
#include "tavrin_plugin_block.h"

static const TavrinFormatHeader header = {TAVRIN_PLUGIN_VERSION, 1, "Tavrin project",
                                          "https://tavrin.example.org/plugins"};

static const TavrinFormatInfo info = {
    .bitsPerPixel = 2,
    .width = 8,
    .height = 8,
    .autoPaletteMode = 1,
    .defaultPaletteMode = 0,
    .name = "2BPP packed",
    .extensions = "p2bpp",
};

/* Writes the tile's 8 x 8 pixels, each ORed with offset, to rows of dst stride bytes apart;
   reads them back without the offset. */
static void DecodeTile(const uint8_t* src, uint8_t* dst, ptrdiff_t stride, uint8_t offset,
                       void* user) {
    (void)user;
    for (int r = 0; r < 8; ++r, dst += stride) {
        for (int half = 0; half < 2; ++half) {
            const uint8_t b = src[2 * r + half];
            uint8_t* out = dst + 4 * half;
            out[0] = (uint8_t)((b >> 6) | offset);
            out[1] = (uint8_t)(((b >> 4) & 3) | offset);
            out[2] = (uint8_t)(((b >> 2) & 3) | offset);
            out[3] = (uint8_t)((b & 3) | offset);
        }
    }
}

static void EncodeTile(const uint8_t* src, ptrdiff_t stride, uint8_t* dst, void* user) {
    (void)user;
    for (int r = 0; r < 8; ++r, src += stride) {
        for (int half = 0; half < 2; ++half) {
            const uint8_t* in = src + 4 * half;
            dst[2 * r + half] = (uint8_t)(((in[0] & 3) << 6) | ((in[1] & 3) << 4) |
                                          ((in[2] & 3) << 2) | (in[3] & 3));
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
