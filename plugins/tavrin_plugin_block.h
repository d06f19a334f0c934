/*
 * tavrin_plugin_block.h: the part of DecodeBlock and EncodeBlock that every plug-in shares.
 *
 * A block is the 128 x 128 tile image laid out in cells of one tile each. Walking it means,
 * for every cell: finding the tile through the ADF pattern, adding the colour offset or the
 * tile's palette, and turning and mirroring the cell (tavrin_plugin.h says each step). These
 * two functions do all of it; a plug-in supplies only the codec of one tile:
 *
 *   static void DecodeTile(const uint8_t* tile, uint8_t* pixels, ptrdiff_t stride,
 *                          uint8_t offset, void* user);
 *       Unpacks the tile's bytes into width x height pixels: pixel (row r, column c) goes to
 *       pixels[r * stride + c], ORed with offset.
 *   static void EncodeTile(const uint8_t* pixels, ptrdiff_t stride, uint8_t* tile, void* user);
 *       Packs the pixels (same layout) into the tile's bytes, keeping the low bitsPerPixel
 *       bits of each.
 *
 *   static void DecodeBlock(TavrinFormat* self, TavrinTileImage* image,
 *                           const TavrinBlockParams* p) {
 *       TavrinDecodeBlockWith(&info, image, p, DecodeTile, self);
 *   }
 *
 * The codec is called with pixels straight in the image when the cell is neither turned nor
 * mirrored, else with a scratch cell. Include this header after tavrin_plugin.h; it is
 * self-contained C99 and C++, and every function is static inline.
 */
#ifndef TAVRIN_PLUGIN_BLOCK_H
#define TAVRIN_PLUGIN_BLOCK_H

#include "tavrin_plugin.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*TavrinTileDecoder)(const uint8_t* tile, uint8_t* pixels, ptrdiff_t stride,
                                  uint8_t offset, void* user);
typedef void (*TavrinTileEncoder)(const uint8_t* pixels, ptrdiff_t stride, uint8_t* tile,
                                  void* user);

/* A tile side as the program uses it: 0 and 1 mean 8. */
static inline int TavrinTileSide(int32_t side) {
    return side < 2 ? 8 : (int)side;
}

/* Bytes of one tile of the format. */
static inline ptrdiff_t TavrinTileBytes(const TavrinFormatInfo* info) {
    return (ptrdiff_t)TavrinTileSide(info->width) * TavrinTileSide(info->height) *
           info->bitsPerPixel / 8;
}

/* Where pixel (r, c) of a tile of w x h pixels is shown in its cell: turned by the rotate code
   (square tiles only), then mirrored by the mirror code. */
static inline void TavrinShownAt(int rotate, int mirror, int w, int h, int r, int c, int* row,
                                 int* column) {
    int tr = r, tc = c;
    if (w == h) {
        switch (rotate & 3) {
        case 1:
            tr = c;
            tc = w - 1 - r;
            break;
        case 2:
            tr = h - 1 - r;
            tc = w - 1 - c;
            break;
        case 3:
            tr = h - 1 - c;
            tc = r;
            break;
        default:
            break;
        }
    }
    *row = (mirror & 2) ? h - 1 - tr : tr;
    *column = (mirror & 1) ? w - 1 - tc : tc;
}

/* Where cell pixel (r, c) is stored in the tile when encoding: mirrored, then turned by the
   rotate code the program sends (the inverse of the decode's turn). */
static inline void TavrinStoredAt(int rotate, int mirror, int w, int h, int r, int c, int* row,
                                  int* column) {
    int mr = (mirror & 2) ? h - 1 - r : r;
    int mc = (mirror & 1) ? w - 1 - c : c;
    *row = mr;
    *column = mc;
    if (w != h)
        return;
    switch (rotate & 3) {
    case 1:
        *row = mc;
        *column = w - 1 - mr;
        break;
    case 2:
        *row = h - 1 - mr;
        *column = w - 1 - mc;
        break;
    case 3:
        *row = h - 1 - mc;
        *column = mr;
        break;
    default:
        break;
    }
}

/* The walk of the cells: cell n (row by row) shows tile pattern[n] or n, kept below 256. */
static inline int TavrinTileOfCell(const TavrinFormatInfo* info, const TavrinBlockParams* p,
                                   int n) {
    return (p->pattern != NULL && info->disableAdfPattern == 0) ? p->pattern[n & 255] : n & 255;
}

/* Fills the whole tile image from the block's bytes through decode. */
static inline void TavrinDecodeBlockWith(const TavrinFormatInfo* info, TavrinTileImage* image,
                                         const TavrinBlockParams* p, TavrinTileDecoder decode,
                                         void* user) {
    const int w = TavrinTileSide(info->width), h = TavrinTileSide(info->height);
    const int columns = 128 / w, cells = columns * (128 / h);
    const int plain = (p->rotate & 3) == 0 && (p->mirror & 3) == 0;
    uint8_t scratch[128 * 128];
    for (int n = 0; n < cells; ++n) {
        const int t = TavrinTileOfCell(info, p, n);
        const uint8_t offset =
            (uint8_t)(p->tilePalettes != NULL ? p->tilePalettes[t] << info->bitsPerPixel
                                              : p->colourOffset);
        const uint8_t* tile = p->bytes + p->address + (ptrdiff_t)t * TavrinTileBytes(info);
        uint8_t* cell = image->bits + (ptrdiff_t)(n / columns) * h * image->stride +
                        (ptrdiff_t)(n % columns) * w;
        if (plain) {
            decode(tile, cell, image->stride, offset, user);
            continue;
        }
        decode(tile, scratch, w, offset, user);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                int row, column;
                TavrinShownAt(p->rotate, p->mirror, w, h, r, c, &row, &column);
                cell[(ptrdiff_t)row * image->stride + column] = scratch[r * w + c];
            }
    }
}

/* Writes the whole tile image back into the block's bytes through encode. */
static inline void TavrinEncodeBlockWith(const TavrinFormatInfo* info, TavrinTileImage* image,
                                         const TavrinBlockParams* p, TavrinTileEncoder encode,
                                         void* user) {
    const int w = TavrinTileSide(info->width), h = TavrinTileSide(info->height);
    const int columns = 128 / w, cells = columns * (128 / h);
    const int plain = (p->rotate & 3) == 0 && (p->mirror & 3) == 0;
    uint8_t scratch[128 * 128];
    for (int n = 0; n < cells; ++n) {
        uint8_t* tile =
            p->bytes + p->address + (ptrdiff_t)TavrinTileOfCell(info, p, n) * TavrinTileBytes(info);
        const uint8_t* cell = image->bits + (ptrdiff_t)(n / columns) * h * image->stride +
                              (ptrdiff_t)(n % columns) * w;
        if (plain) {
            encode(cell, image->stride, tile, user);
            continue;
        }
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                int row, column;
                TavrinStoredAt(p->rotate, p->mirror, w, h, r, c, &row, &column);
                scratch[row * w + column] = cell[(ptrdiff_t)r * image->stride + c];
            }
        encode(scratch, w, tile, user);
    }
}

#ifdef __cplusplus
}
#endif

#endif /* TAVRIN_PLUGIN_BLOCK_H */
