#pragma once

#include "core/platform/Image8.h"
#include "core/set/SetRecords.h"

#include <optional>
#include <span>

namespace tavrin {

class SetDocument;

// The three pictures of the set window as indexed images in the display palette; the window
// only paints them. Grey (128, 128, 128) and white are the palette's nearest entries. Frames
// and outlines leave out their right and bottom edge: a frame around cells c1-c2 runs from
// 16 c1 to 16 (c2 + 1).

constexpr int ChrPictureSize = 257;
constexpr int SetPictureWidth = 512;
constexpr int SetPictureHeight = 480;
constexpr int PalPictureWidth = 256;
constexpr int PalPictureHeight = 16;
constexpr int PictureCell = 16; // screen pixels per tile or cell

// What ImageSet draws over the doubled set image.
struct SetPictureOverlay {
    bool grid = false;                      // ActViewGridBG: every 2 cells
    const SetDocument* sprites = nullptr;   // outlines of all 64 sprites, when given
    int currentSprite = 0;                  // its outline white and solid, the others dotted
    std::optional<CellSelection> typeFrame; // TYPE mode: the SET selection
};

// ImageChr: the 128 x 128 source doubled (one tile per 16 pixels; the 257th row and column
// repeat the last), the grid every 16 pixels when asked, and a white frame around each block
// of tiles in frames.
void DrawChrPicture(const Image8& source, bool grid, std::span<const CellSelection> frames,
                    Image8& out);

// ImageSet: the 256 x 240 set image doubled, then the overlay.
void DrawSetPicture(const Image8& setImage, const SetPictureOverlay& overlay, Image8& out);

// The palette strip: group g as a 16 x 16 square at x = 16 g of its four colours 4g (top
// left), 4g + 1, 4g + 2, 4g + 3 (bottom right), and a white frame at (16 column, 16 row),
// out of sight for a row above 0 or a column of -1.
void DrawPalPicture(const Image8::Palette& palette, int column, int row, Image8& out);

} // namespace tavrin
