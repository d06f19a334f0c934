/*
 * A plug-in for the loader's tests, built once per fault: without a define it is a working
 * 2-bit format that counts its objects and activations; FAULT_* defines break one thing each.
 * Its DecodeBlock writes what it knows into the first row of the image:
 *   pixel 0: format objects made since the library was loaded,
 *   pixel 1: activations of this object,   pixel 2: whether a pattern was passed,
 *   pixel 3: the low byte of the block address.
 * Its EncodeBlock stores pixel 0 of the image at the block address.
 */
#include "tavrin_plugin.h"

#include <stddef.h>
#include <string.h>

#ifndef TILE_SIDE
#define TILE_SIDE 8
#endif

#ifdef FAULT_VERSION
#define VERSION FAULT_VERSION
#else
#define VERSION TAVRIN_PLUGIN_VERSION
#endif

#ifdef FAULT_BAD_DEPTH
#define DEPTH 9
#else
#define DEPTH 2
#endif

#ifdef FAULT_BAD_SIZE
#define WIDTH 24
#else
#define WIDTH TILE_SIDE
#endif

static const TavrinFormatHeader header = {VERSION, 7, "Test author",
                                          "https://tavrin.example.org/plugins/test"};

static const TavrinFormatInfo info = {
    .bitsPerPixel = DEPTH,
    .width = WIDTH,
    .height = TILE_SIDE,
    .name = "Counting",
    .extensions = "cnt,nes",
};

typedef struct CountingFormat {
    TavrinFormat base;
    int activations;
} CountingFormat;

static int objectsMade;

static const TavrinFormatInfo* GetInfo(TavrinFormat* self) {
    (void)self;
#ifdef FAULT_NULL_INFO
    (void)info;
    return NULL;
#else
    return &info;
#endif
}

static void Activate(TavrinFormat* self) {
    ++((CountingFormat*)self)->activations;
}

static void DecodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    image->bits[0] = (uint8_t)objectsMade;
    image->bits[1] = (uint8_t)((CountingFormat*)self)->activations;
    image->bits[2] = p->pattern != NULL;
    image->bits[3] = (uint8_t)p->address;
}

static void EncodeBlock(TavrinFormat* self, TavrinTileImage* image, const TavrinBlockParams* p) {
    (void)self;
    p->bytes[p->address] = image->bits[0];
}

static const TavrinFormatOps ops = {
    .GetInfo = GetInfo,
    .Activate = Activate,
    .DecodeBlock = DecodeBlock,
    .EncodeBlock = EncodeBlock,
};

static CountingFormat object;

#ifndef FAULT_NO_SYMBOLS
const TavrinFormatHeader* PluginHeaderProc(void) {
    return &header;
}

#ifndef FAULT_NO_OBJECT_PROC
TavrinFormat* PluginObjectProc(void) {
#ifdef FAULT_NULL_OBJECT
    return NULL;
#else
    ++objectsMade;
    object.base.ops = &ops;
    object.activations = 0;
    return &object.base;
#endif
}
#endif
#endif

/* Something exported, so that the library without the entry points is still a library; it
   uses the records that such a build would otherwise leave unused. */
TAVRIN_PLUGIN_EXPORT int TavrinTestUnrelated(void);
int TavrinTestUnrelated(void) {
    return header.version + (ops.GetInfo != NULL) + object.activations;
}
