/*
 * "8BPP linear": 8 x 8 tiles of 64 bytes, one byte per pixel, row by row from the top left,
 * as GBA and PC tile data of 256 colours are stored.
 */
#include "tavrin_plugin.h"

#include <string.h>

#define TILE_BYTES 64

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
static void DecodeTile(const uint8_t* src, uint8_t* dst, ptrdiff_t stride, uint8_t offset) {
    const uint64_t offsets = offset * UINT64_C(0x0101010101010101);
    for (int r = 0; r < 8; ++r, dst += stride, src += 8) {
        uint64_t row;
        memcpy(&row, src, sizeof row);
        row |= offsets;
        memcpy(dst, &row, sizeof row);
    }
}

static void EncodeTile(const uint8_t* src, ptrdiff_t stride, uint8_t* dst) {
    for (int r = 0; r < 8; ++r, src += stride, dst += 8)
        memcpy(dst, src, 8);
}

/* Where the pixel at position p (row * 8 + column) of an 8 x 8 cell goes under a rotate
   code, and under a mirror code. */
static int Turned(int code, int p) {
    const int r = p / 8, c = p % 8;
    switch (code & 3) {
    case 1:
        return c * 8 + (7 - r);
    case 2:
        return (7 - r) * 8 + (7 - c);
    case 3:
        return (7 - c) * 8 + r;
    default:
        return p;
    }
}

static int Mirrored(int code, int p) {
    const int r = p / 8, c = p % 8;
    return ((code & 2) ? 7 - r : r) * 8 + ((code & 1) ? 7 - c : c);
}

/* The offset in the image, from a cell's top-left pixel, of each cell position. */
static ptrdiff_t ImageOffset(const TavrinTileImage* image, int p) {
    return (ptrdiff_t)(p / 8) * image->stride + p % 8;
}

static uint8_t* Cell(TavrinTileImage* image, int n) {
    return image->bits + (ptrdiff_t)(n / 16) * 8 * image->stride + (n % 16) * 8;
}

static int TileAt(const TavrinBlockParams* p, int n) {
    return p->pattern != NULL ? p->pattern[n] : n;
}

static uint8_t* TileBytes(const TavrinBlockParams* p, int t) {
    return p->bytes + p->address + (ptrdiff_t)t * TILE_BYTES;
}

static void DecodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    /* Tile pixel i is shown at shown[i]: turned, then mirrored. */
    ptrdiff_t shown[64];
    const int plain = (p->rotate & 3) == 0 && (p->mirror & 3) == 0;
    (void)self;
    for (int i = 0; i < 64; ++i)
        shown[i] = ImageOffset(image, Mirrored(p->mirror, Turned(p->rotate, i)));
    for (int n = 0; n < 256; ++n) {
        const int t = TileAt(p, n);
        const uint8_t offset =
            (uint8_t)(p->tilePalettes != NULL ? p->tilePalettes[t] << info.bitsPerPixel
                                              : p->colourOffset);
        uint8_t* cell = Cell(image, n);
        if (plain) {
            DecodeTile(TileBytes(p, t), cell, image->stride, offset);
        } else {
            uint8_t tile[64];
            DecodeTile(TileBytes(p, t), tile, 8, offset);
            for (int i = 0; i < 64; ++i)
                cell[shown[i]] = tile[i];
        }
    }
}

static void EncodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    /* The cell is mirrored, then turned: tile pixel j comes from cell position source[j]. */
    ptrdiff_t source[64];
    const int plain = (p->rotate & 3) == 0 && (p->mirror & 3) == 0;
    (void)self;
    for (int q = 0; q < 64; ++q)
        source[Turned(p->rotate, Mirrored(p->mirror, q))] = ImageOffset(image, q);
    for (int n = 0; n < 256; ++n) {
        const uint8_t* cell = Cell(image, n);
        uint8_t* dst = TileBytes(p, TileAt(p, n));
        if (plain) {
            EncodeTile(cell, image->stride, dst);
        } else {
            uint8_t tile[64];
            for (int j = 0; j < 64; ++j)
                tile[j] = cell[source[j]];
            EncodeTile(tile, 8, dst);
        }
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
