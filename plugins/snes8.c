/*
 * "8BPP SNES": 8 x 8 tiles of 64 bytes in the SNES 8-bit planar layout. Bit planes come in
 * pairs interleaved by row: byte 2r holds value bit 0 of row r and byte 2r + 1 value bit 1;
 * bytes 16 + 2r and 17 + 2r bits 2 and 3, 32 + 2r and 33 + 2r bits 4 and 5, 48 + 2r and
 * 49 + 2r bits 6 and 7. In a plane byte bit 7 is the leftmost pixel.
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
static void DecodeTile(const uint8_t* src, uint8_t* dst, ptrdiff_t stride, uint8_t offset) {
    const uint64_t offsets = offset * UINT64_C(0x0101010101010101);
    for (int r = 0; r < 8; ++r, dst += stride) {
        uint64_t row = offsets;
        for (int k = 0; k < 8; ++k)
            row |= spread[src[PlaneByte(k, r)]] << k;
        memcpy(dst, &row, sizeof row);
    }
}

static void EncodeTile(const uint8_t* src, ptrdiff_t stride, uint8_t* dst) {
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
