#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrin {

// The records a format exchanges with the program and with plug-in libraries. Their layout
// is binding: a plug-in hands over exactly these bytes.

struct FormatHeader {
    int32_t version;  // interface version; 3 for every accepted format
    int32_t revision; // 1 in every built-in format; nothing reads it
    char author[40];  // cp932, NUL-terminated
    char url[1024];   // cp932, NUL-terminated
};
static_assert(sizeof(FormatHeader) == 1072);
static_assert(offsetof(FormatHeader, author) == 8);
static_assert(offsetof(FormatHeader, url) == 48);

struct FormatInfo {
    int32_t bitsPerPixel;
    int32_t width;
    int32_t height;
    uint8_t autoPaletteMode; // 1: choosing the format may switch the palette display mode
    uint8_t reserved1[3];
    int32_t defaultPaletteMode; // 0: palette plus palette set; non-zero: palette only
    uint8_t disableAdfPattern;
    uint8_t indexMode;
    uint8_t reserved2[2];
    int32_t maxIndex;
    uint8_t compress;
    uint8_t loadOnly;
    char name[40];        // cp932, NUL-terminated
    char extensions[258]; // "chr,nes,fds,fam": lower case, no dots
};
static_assert(sizeof(FormatInfo) == 328);
static_assert(offsetof(FormatInfo, autoPaletteMode) == 12);
static_assert(offsetof(FormatInfo, defaultPaletteMode) == 16);
static_assert(offsetof(FormatInfo, disableAdfPattern) == 20);
static_assert(offsetof(FormatInfo, indexMode) == 21);
static_assert(offsetof(FormatInfo, maxIndex) == 24);
static_assert(offsetof(FormatInfo, compress) == 28);
static_assert(offsetof(FormatInfo, loadOnly) == 29);
static_assert(offsetof(FormatInfo, name) == 30);
static_assert(offsetof(FormatInfo, extensions) == 70);

// Rotation codes: 0 none, 1 quarter turn clockwise, 2 half turn, 3 quarter turn
// counter-clockwise. Mirror codes: 0 none, 1 left-right, 2 top-bottom, 3 both.
struct BlockParams {
    int32_t x;       // not read by the block operations
    int32_t y;       // not read by the block operations
    uint8_t* bytes;  // first byte of the document buffer
    int32_t address; // byte offset of the block within the document
    int32_t reserved1;
    int32_t colourOffset; // ORed into every decoded pixel (decode only)
    uint8_t rotate;
    uint8_t mirror;
    uint8_t reserved2[2];
    const uint8_t* pattern;      // 256 tile indices of the current ADF pattern, or null
    const uint8_t* tilePalettes; // 256 palette numbers, one per tile index, or null (decode only)
};

// The same first fields as BlockParams, for one tile: x and y are its column and row in the
// block and tileOffset the offset of its first byte.
struct TileParams {
    int32_t x;
    int32_t y;
    uint8_t* bytes;
    int32_t tileOffset;
    int32_t reserved1;
    int32_t colourOffset;
    uint8_t rotate;
    uint8_t mirror;
    uint8_t reserved2[2];
};

static_assert(offsetof(BlockParams, bytes) == offsetof(TileParams, bytes));
static_assert(offsetof(BlockParams, address) == offsetof(TileParams, tileOffset));
static_assert(offsetof(BlockParams, colourOffset) == offsetof(TileParams, colourOffset));
static_assert(offsetof(BlockParams, rotate) == offsetof(TileParams, rotate));
static_assert(offsetof(BlockParams, mirror) == offsetof(TileParams, mirror));
static_assert(sizeof(void*) != 8 || sizeof(BlockParams) == 48);

// Step codes of StepAddress.
enum StepCode : int32_t {
    StepFirst = 1,
    StepMinus100Blocks = 2,
    StepMinus10Blocks = 3,
    StepMinus1Block = 4,
    StepMinus1 = 5,
    StepPlus1 = 6,
    StepPlus1Block = 7,
    StepPlus10Blocks = 8,
    StepPlus100Blocks = 9,
    StepLast = 10,
    StepWheelUp = 16,
    StepWheelDown = 17,
    StepJump = 64,
};

} // namespace tavrin
