/*
 * tavrin_plugin.h: the interface between Tavrin and a tile-format plug-in.
 *
 * A plug-in is a shared library (a file "NAME.so") placed in one of the program's plug-in
 * folders (README.md beside this header lists them). It adds one tile format to the program's
 * format list (after the 13 built-in ones; at most 3 plug-in formats are taken, folder by
 * folder, in the order of their file names). This header is all a plug-in needs: it includes
 * only <stddef.h> and <stdint.h> and compiles as C99 and as C++. tavrin_plugin_block.h adds
 * the walk over a block's cells, so that a plug-in writes only the codec of one tile.
 *
 * What the library exports (plain C symbols, default visibility):
 *
 *   const TavrinFormatHeader* PluginHeaderProc(void);
 *       The plug-in's header: interface version (must be TAVRIN_PLUGIN_VERSION), author and
 *       web address. Called once at start-up; the program copies the record at once.
 *
 *   TavrinFormat* PluginObjectProc(void);
 *       The plug-in's format object, or NULL when it cannot make one. Called once at
 *       start-up, only to read the format's information (TavrinFormatInfo), and then each
 *       time the user selects the format. The object belongs to the library: the program
 *       never frees it and never calls its Destroy operation.
 *
 * The life of a plug-in in the program:
 *
 *   1. Start-up: the file is checked (an ELF shared library of the program's class and
 *      machine, not cut short), the library is loaded, PluginHeaderProc is called and its record
 * copied; when the version is right, PluginObjectProc is called and the object's GetInfo (only
 *      GetInfo, without Activate) gives the TavrinFormatInfo, which is copied and checked;
 *      then the library is unloaded again. A library that fails any step is skipped and the
 *      reason is written to standard error.
 *   2. The user selects the format: the library is loaded again, PluginObjectProc is called
 *      and the object's Activate; afterwards DecodeBlock and EncodeBlock are called as pages
 *      are shown and edited.
 *   3. The user selects another format (or the program ends): the object's Deactivate is
 *      called and the library is unloaded. Step 2 starts afresh the next time, so all static
 *      data of the library starts from its initial values again.
 *
 * Rules for a plug-in:
 *
 *   - Every call comes from one thread, the program's user-interface thread, one at a time.
 *     A plug-in may use threads of its own inside one call, but must have joined them before
 *     the call returns and before Deactivate returns (the library is unloaded right after).
 *   - No exception, longjmp or other non-local exit may leave any function of this
 *     interface. A plug-in written in C++ catches everything at its entry points. (The
 *     program also guards each call: a plug-in that throws stops being called until it is
 *     selected again, and the failure is reported.)
 *   - Pointers handed to an operation (the image, the parameters and everything they point
 *     to) are valid only during that call; do not keep them.
 *   - Pointers the plug-in returns (the header, the object, its operation table and its
 *     information record) must stay valid until the library is unloaded. Static data is the
 *     simplest way. The information record must not change while the library is loaded.
 *   - GetInfo must work on an object that is not activated.
 *   - DecodeBlock and EncodeBlock read and write only the block's bytes: the tiles from
 *     params->address to params->address + 2048 x bitsPerPixel (the page the program shows),
 *     or the tiles the ADF pattern names. The program guarantees that these bytes lie inside
 *     the document buffer; nothing beyond them does.
 *   - Do not call exit(), abort() or write to standard output; standard error is fine for
 *     diagnostics.
 *   - Texts in the records are NUL-terminated and in the Japanese ANSI code page (cp932);
 *     plain ASCII is valid cp932. A text that fills its field without a NUL is cut to the
 *     field's size minus one.
 */
#ifndef TAVRIN_PLUGIN_H
#define TAVRIN_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

/* The interface version a plug-in reports in TavrinFormatHeader.version. */
#define TAVRIN_PLUGIN_VERSION 3

#ifdef __cplusplus
#define TAVRIN_PLUGIN_STATIC_ASSERT(cond, name) static_assert(cond, #name)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define TAVRIN_PLUGIN_STATIC_ASSERT(cond, name) _Static_assert(cond, #name)
#else
#define TAVRIN_PLUGIN_STATIC_ASSERT(cond, name)                                                    \
    typedef char tavrin_plugin_assert_##name[(cond) ? 1 : -1]
#endif

#if defined(_WIN32)
#define TAVRIN_PLUGIN_EXPORT __declspec(dllexport)
#else
#define TAVRIN_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * The plug-in's header, 1072 bytes. Integers are 32-bit in the machine's byte order (little
 * endian on every machine the program runs on).
 */
typedef struct TavrinFormatHeader {
    int32_t version;  /* TAVRIN_PLUGIN_VERSION; any other value refuses the plug-in */
    int32_t revision; /* the plug-in's own revision number; the program does not read it */
    char author[40];  /* author's name; shown when longer than one character */
    char url[1024];   /* web address; shown when longer than 8 characters, and the settings
                         dialog opens it when it starts with "http://" or "https://" */
} TavrinFormatHeader;

/*
 * The format's information, 328 bytes.
 *
 * The program lays tiles of width x height pixels over its 128 x 128 tile image, row by row:
 * 128 / width columns and 128 / height rows of tiles. Width and height must each be 2, 4, 8,
 * 16, 32, 64 or 128 (0 and 1 mean 8), and bitsPerPixel 1 to 8; other records refuse the
 * plug-in. One page of the document is 2048 x bitsPerPixel bytes: the program moves through
 * the document in such pages, and by tiles of width x height x bitsPerPixel / 8 bytes.
 */
typedef struct TavrinFormatInfo {
    int32_t bitsPerPixel;       /* 1 to 8; the pixel values are 0 to 2^bitsPerPixel - 1 */
    int32_t width;              /* tile width in pixels */
    int32_t height;             /* tile height in pixels */
    uint8_t autoPaletteMode;    /* 1: selecting the format may switch the palette display mode */
    uint8_t reserved1[3];       /* zero */
    int32_t defaultPaletteMode; /* that mode: 0 palette plus palette set, else palette only */
    uint8_t disableAdfPattern;  /* non-zero: ignore TavrinBlockParams.pattern */
    uint8_t indexMode;          /* shown in the information text only */
    uint8_t reserved2[2];       /* zero */
    int32_t maxIndex;           /* shown only */
    uint8_t compress;           /* shown only */
    uint8_t loadOnly;           /* shown only */
    char name[40];              /* the name in the format list, e.g. "8BPP linear" */
    char extensions[258];       /* file extensions that select this format when a file is opened:
                                   lower case, no dots or spaces, comma-separated ("chr,nes"), or
                                   empty. A plug-in's claim wins over the built-in formats. */
} TavrinFormatInfo;

/*
 * The tile image as a plug-in sees it: 128 x 128 pixels of one byte each (an index into the
 * program's 256-colour palette-set table). Pixel (x, y) is bits[y * stride + x].
 */
typedef struct TavrinTileImage {
    uint8_t* bits;    /* pixel (0, 0) */
    int32_t width;    /* always 128 */
    int32_t height;   /* always 128 */
    ptrdiff_t stride; /* bytes from the start of one row to the next, at least width */
} TavrinTileImage;

/*
 * The arguments of DecodeBlock and EncodeBlock.
 *
 * Decoding fills the whole tile image. For the tile cell at column x, row y (position
 * n = y x columns + x):
 *   1. tile number t = pattern[n] when pattern is not NULL and the format's
 *      disableAdfPattern is 0, else n (both taken modulo 256);
 *   2. the tile's bytes start at bytes + address + t x (bytes per tile);
 *   3. each pixel written is its value ORed with the colour offset: tilePalettes[t] shifted
 *      left by bitsPerPixel when tilePalettes is not NULL, else colourOffset (the result is
 *      kept to its low 8 bits);
 *   4. the decoded cell is turned by the rotate code, then mirrored by the mirror code.
 * Encoding walks the cells the same way and for each cell first mirrors it by the mirror
 * code, then turns it by the rotate code (the program sends the inverse turn), then packs
 * the cell's pixels into the tile's bytes keeping only the low bitsPerPixel bits of each
 * pixel. The cells may be left in their transformed state: the program decodes again. When
 * a pattern names the same tile at two positions, the later position wins.
 *
 * For a cell of tile side N (only square tiles are turned): rotate code 1 moves pixel
 * (row r, column c) to (c, N-1-r) (a quarter turn clockwise), 2 to (N-1-r, N-1-c), 3 to
 * (N-1-c, r). Mirror code 1 moves it to (r, N-1-c), 2 to (N-1-r, c), 3 to (N-1-r, N-1-c).
 */
typedef struct TavrinBlockParams {
    int32_t x;                   /* zero; not to be read */
    int32_t y;                   /* zero; not to be read */
    uint8_t* bytes;              /* the first byte of the document buffer */
    int32_t address;             /* byte offset of the block (page) within the document */
    int32_t reserved1;           /* zero */
    int32_t colourOffset;        /* decode only: ORed into every pixel (see above) */
    uint8_t rotate;              /* 0 none, 1 quarter turn clockwise, 2 half, 3 counter-clockwise */
    uint8_t mirror;              /* 0 none, 1 left-right, 2 top-bottom, 3 both */
    uint8_t reserved2[2];        /* zero */
    const uint8_t* pattern;      /* 256 tile numbers of the ADF pattern, or NULL; always
                                    NULL when a page holds fewer than 256 tiles */
    const uint8_t* tilePalettes; /* decode only: 256 palette numbers by tile number, or NULL */
} TavrinBlockParams;

/* The arguments of the per-tile operations, which the program never calls. */
typedef struct TavrinTileParams {
    int32_t x; /* the tile's column and row in the block */
    int32_t y;
    uint8_t* bytes;
    int32_t tileOffset; /* byte offset of the tile's first byte */
    int32_t reserved1;
    int32_t colourOffset;
    uint8_t rotate;
    uint8_t mirror;
    uint8_t reserved2[2];
} TavrinTileParams;

typedef struct TavrinFormat TavrinFormat;

/*
 * The operations of a format object, in this fixed order. Each takes the object first. The
 * program calls GetInfo, Activate, Deactivate, DecodeBlock and EncodeBlock; the other entries
 * keep the order and may be NULL. A NULL GetInfo or DecodeBlock refuses the plug-in; with a
 * NULL EncodeBlock the format only shows pages (edits do not reach the document); a NULL
 * Activate or Deactivate is skipped.
 */
typedef struct TavrinFormatOps {
    /* Never called: the object belongs to the library. */
    void (*Destroy)(TavrinFormat* self);
    /* The format's information; must not be NULL for a usable format. */
    const TavrinFormatInfo* (*GetInfo)(TavrinFormat* self);
    /* The format became the current one; prepare for the block operations. */
    void (*Activate)(TavrinFormat* self);
    /* The format stops being the current one; the library is unloaded right after. */
    void (*Deactivate)(TavrinFormat* self);
    /* Never called: the program steps through the document itself. */
    int32_t (*StepAddress)(TavrinFormat* self, const uint8_t* bytes, int32_t address, int32_t value,
                           int32_t stepCode);
    /* Fill the whole tile image from the block's bytes. */
    void (*DecodeBlock)(TavrinFormat* self, TavrinTileImage* image,
                        const TavrinBlockParams* params);
    /* Write the whole tile image back into the block's bytes. */
    void (*EncodeBlock)(TavrinFormat* self, TavrinTileImage* image,
                        const TavrinBlockParams* params);
    /* Never called. */
    void (*DecodeTile)(TavrinFormat* self, TavrinTileImage* image, const TavrinTileParams* params);
    /* Never called. */
    void (*EncodeTile)(TavrinFormat* self, TavrinTileImage* image, const TavrinTileParams* params);
} TavrinFormatOps;

/*
 * A format object: the operation table comes first. A plug-in puts this structure at the
 * start of its own object and keeps its state after it:
 *
 *   struct MyFormat { TavrinFormat base; int myState; };
 */
struct TavrinFormat {
    const TavrinFormatOps* ops;
};

/* The two exported entry points, declared here so that the compiler checks a plug-in's. */
TAVRIN_PLUGIN_EXPORT const TavrinFormatHeader* PluginHeaderProc(void);
TAVRIN_PLUGIN_EXPORT TavrinFormat* PluginObjectProc(void);

typedef const TavrinFormatHeader* (*TavrinPluginHeaderProc)(void);
typedef TavrinFormat* (*TavrinPluginObjectProc)(void);

#ifdef __cplusplus
}
#endif

/* The binding sizes and offsets of the records. */
TAVRIN_PLUGIN_STATIC_ASSERT(sizeof(TavrinFormatHeader) == 1072, header_size);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatHeader, author) == 8, header_author);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatHeader, url) == 48, header_url);
TAVRIN_PLUGIN_STATIC_ASSERT(sizeof(TavrinFormatInfo) == 328, info_size);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatInfo, autoPaletteMode) == 12, info_auto);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatInfo, defaultPaletteMode) == 16, info_mode);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatInfo, disableAdfPattern) == 20, info_adf);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatInfo, maxIndex) == 24, info_max_index);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatInfo, compress) == 28, info_compress);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatInfo, name) == 30, info_name);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinFormatInfo, extensions) == 70, info_extensions);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinBlockParams, address) == 8 + sizeof(void*),
                            params_address);
TAVRIN_PLUGIN_STATIC_ASSERT(offsetof(TavrinBlockParams, rotate) == 20 + sizeof(void*),
                            params_rotate);

#endif /* TAVRIN_PLUGIN_H */
