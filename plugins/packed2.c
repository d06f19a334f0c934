/*
 * "2BPP packed": 8 x 8 tiles of 16 bytes, four pixels to a byte, row by row: byte 2r holds
 * pixels 0 to 3 of row r and byte 2r + 1 pixels 4 to 7, the first pixel in the top two bits
 * (pixel c of a byte in bits 7 - 2c and 6 - 2c).
 */
#include "tavrin_plugin.h"

#include <string.h>

#define TILE_BYTES 16

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

static void DecodeTile(const uint8_t* src, uint8_t cell[64]) {
    for (int i = 0; i < 64; ++i)
        cell[i] = (uint8_t)((src[i / 4] >> (6 - 2 * (i % 4))) & 3);
}

static void EncodeTile(const uint8_t cell[64], uint8_t* dst) {
    for (int b = 0; b < TILE_BYTES; ++b)
        dst[b] = (uint8_t)(((cell[4 * b] & 3) << 6) | ((cell[4 * b + 1] & 3) << 4) |
                           ((cell[4 * b + 2] & 3) << 2) | (cell[4 * b + 3] & 3));
}

/* Where pixel (r, c) of an 8 x 8 cell goes under a rotate code and under a mirror code. */
static int Turned(int code, int r, int c) {
    switch (code & 3) {
    case 1:
        return c * 8 + (7 - r);
    case 2:
        return (7 - r) * 8 + (7 - c);
    case 3:
        return (7 - c) * 8 + r;
    default:
        return r * 8 + c;
    }
}

static int Mirrored(int code, int r, int c) {
    switch (code & 3) {
    case 1:
        return r * 8 + (7 - c);
    case 2:
        return (7 - r) * 8 + c;
    case 3:
        return (7 - r) * 8 + (7 - c);
    default:
        return r * 8 + c;
    }
}

static void Transform(uint8_t cell[64], int code, int (*where)(int, int, int)) {
    uint8_t moved[64];
    if ((code & 3) == 0)
        return;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            moved[where(code, r, c)] = cell[r * 8 + c];
    memcpy(cell, moved, sizeof moved);
}

static uint8_t* CellRow(TavrinTileImage* image, int n, int r) {
    return image->bits + (ptrdiff_t)((n / 16) * 8 + r) * image->stride + (n % 16) * 8;
}

static uint8_t* TileBytes(const TavrinBlockParams* p, int t) {
    return p->bytes + p->address + (ptrdiff_t)t * TILE_BYTES;
}

static int TileAt(const TavrinBlockParams* p, int n) {
    return p->pattern != NULL ? p->pattern[n] : n;
}

static void DecodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    (void)self;
    for (int n = 0; n < 256; ++n) {
        const int t = TileAt(p, n);
        const int offset =
            p->tilePalettes != NULL ? p->tilePalettes[t] << info.bitsPerPixel : p->colourOffset;
        uint8_t cell[64];
        DecodeTile(TileBytes(p, t), cell);
        Transform(cell, p->rotate, Turned);
        Transform(cell, p->mirror, Mirrored);
        for (int r = 0; r < 8; ++r) {
            uint8_t* row = CellRow(image, n, r);
            for (int c = 0; c < 8; ++c)
                row[c] = (uint8_t)(cell[r * 8 + c] | offset);
        }
    }
}

static void EncodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    (void)self;
    for (int n = 0; n < 256; ++n) {
        uint8_t cell[64];
        for (int r = 0; r < 8; ++r)
            memcpy(cell + r * 8, CellRow(image, n, r), 8);
        Transform(cell, p->mirror, Mirrored);
        Transform(cell, p->rotate, Turned);
        EncodeTile(cell, TileBytes(p, TileAt(p, n)));
    }
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
