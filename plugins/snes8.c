/*
 * "8BPP SNES": 8 x 8 tiles of 64 bytes in the SNES 8-bit planar layout. Bit planes come in
 * pairs interleaved by row: byte 2r holds value bit 0 of row r and byte 2r + 1 value bit 1;
 * bytes 16 + 2r and 17 + 2r bits 2 and 3, 32 + 2r and 33 + 2r bits 4 and 5, 48 + 2r and
 * 49 + 2r bits 6 and 7. In a plane byte bit 7 is the leftmost pixel.
 */
#include "tavrin_plugin.h"

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

/* spread[b] holds bit 7 - c of b in bit 8c: a plane byte spread over a row of eight pixels,
   one byte each. Filled on activation, which comes before any block operation. */
static uint64_t spread[256];

static void Activate(TavrinFormat* self) {
    (void)self;
    for (int b = 0; b < 256; ++b) {
        uint64_t row = 0;
        for (int c = 0; c < 8; ++c)
            row |= (uint64_t)((b >> (7 - c)) & 1) << (8 * c);
        spread[b] = row;
    }
}

/* Byte of value bit k of row r: the planes come in pairs interleaved by row. */
static int PlaneByte(int k, int r) {
    return 16 * (k / 2) + 2 * r + (k & 1);
}

static void DecodeTile(const uint8_t* src, uint8_t tile[64]) {
    for (int r = 0; r < 8; ++r) {
        uint64_t row = 0;
        for (int k = 0; k < 8; ++k)
            row |= spread[src[PlaneByte(k, r)]] << k;
        for (int c = 0; c < 8; ++c)
            tile[r * 8 + c] = (uint8_t)(row >> (8 * c));
    }
}

static void EncodeTile(const uint8_t tile[64], uint8_t* dst) {
    for (int r = 0; r < 8; ++r) {
        uint64_t row = 0;
        for (int c = 0; c < 8; ++c)
            row |= (uint64_t)tile[r * 8 + c] << (8 * c);
        for (int k = 0; k < 8; ++k) {
            /* Bit k of the eight pixels, one in each byte, gathered into the top byte of the
               product with pixel 0 in bit 7. */
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

static uint8_t* TileBytes(const TavrinBlockParams* p, int n) {
    const int t = p->pattern != NULL ? p->pattern[n] : n;
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
        const int t = p->pattern != NULL ? p->pattern[n] : n;
        const uint8_t offset =
            (uint8_t)(p->tilePalettes != NULL ? p->tilePalettes[t] << info.bitsPerPixel
                                              : p->colourOffset);
        uint8_t tile[64];
        uint8_t* cell = Cell(image, n);
        DecodeTile(TileBytes(p, n), tile);
        if (plain) {
            for (int r = 0; r < 8; ++r)
                for (int c = 0; c < 8; ++c)
                    cell[r * image->stride + c] = (uint8_t)(tile[r * 8 + c] | offset);
        } else {
            for (int i = 0; i < 64; ++i)
                cell[shown[i]] = (uint8_t)(tile[i] | offset);
        }
    }
}

static void EncodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    /* The cell is mirrored, then turned: tile pixel j comes from cell position source[j]. */
    ptrdiff_t source[64];
    (void)self;
    for (int q = 0; q < 64; ++q)
        source[Turned(p->rotate, Mirrored(p->mirror, q))] = ImageOffset(image, q);
    for (int n = 0; n < 256; ++n) {
        const uint8_t* cell = Cell(image, n);
        uint8_t tile[64];
        for (int j = 0; j < 64; ++j)
            tile[j] = cell[source[j]];
        EncodeTile(tile, TileBytes(p, n));
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
