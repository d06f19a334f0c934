#pragma once

#include "core/platform/Image8.h"

#include <cstdint>

namespace tavrin {

class SetDocument;

// The composed NES screen, shared by the set window and the command line so that both draw
// the same picture.

constexpr int SetImageWidth = 256;
constexpr int SetImageHeight = 240;
constexpr int SourceImageSize = 128; // the tile source and sprite tile images, 16 x 16 tiles

// A pixel of palette group g: its colour number (p AND 3) in the group's four display-palette
// entries 4g to 4g + 3, whatever depth the source was decoded in. Groups above 63 wrap.
constexpr uint8_t GroupPixel(uint8_t p, int group) {
    return static_cast<uint8_t>((p & 3) | ((group * 4) & 0xFF));
}

// Every pixel p becomes GroupPixel(p, group).
void RecolourImage(Image8& image, int group);

// The 4096 sprite tile bytes (256 tiles, 2BPP NES) as a 128 x 128 image: tile t at column
// t mod 16, row t div 16, pixels 0-3. The palette is kept.
void DecodeSpriteTiles(const uint8_t* bytes, Image8& out);

// The set image: each cell's tile from the 128 x 128 tile source (tile t at column t mod 16,
// row t div 16) in the cell's palette group; then, when spriteTiles is given, the 64 sprites
// in order over it, each its tile t above tile t + 1 from the sprite tile image in group
// 4 + (attributes AND 3), only pixels with a non-zero colour number, clipped at the right and
// bottom. out becomes 256 x 240 with the tile source's palette. A source of another size is
// read as if padded with 0 or cut to 128 x 128.
void DrawSetImage(const SetDocument& doc, const Image8& tileSource, const Image8* spriteTiles,
                  Image8& out);

// The same picture from the document alone: the sprites (when wanted) come from its sprite
// tile bytes.
Image8 RenderSetImage(const SetDocument& doc, const Image8& tileSource, bool withSprites);

} // namespace tavrin
