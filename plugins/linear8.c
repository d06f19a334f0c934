/*
 * "8BPP linear": 8 x 8 tiles of 64 bytes, one byte per pixel, row by row from the top left,
 * as GBA and PC tile data of 256 colours are stored.
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
    .name = "8BPP linear",
    .extensions = "8bpp",
};

/* Writes the tile's 8 x 8 pixels, each ORed with offset, to rows of dst stride bytes apart;
   reads them back. A row of eight pixels is moved as one 64-bit word. */
static void DecodeTile(const uint8_t* src, uint8_t* dst, ptrdiff_t stride, uint8_t offset,
                       void* user) {
    (void)user;
    const uint64_t offsets = offset * UINT64_C(0x0101010101010101);
    for (int r = 0; r < 8; ++r, dst += stride, src += 8) {
        uint64_t row;
        memcpy(&row, src, sizeof row);
        row |= offsets;
        memcpy(dst, &row, sizeof row);
    }
}

static void EncodeTile(const uint8_t* src, ptrdiff_t stride, uint8_t* dst, void* user) {
    (void)user;
    for (int r = 0; r < 8; ++r, src += stride, dst += 8)
        memcpy(dst, src, 8);
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
