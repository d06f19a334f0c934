#pragma once

#include "core/platform/Image8.h"
#include "core/views/CBitmapEdit.h"
#include "core/views/EditArea.h"

#include <cstdint>

namespace tavrin {

// What the tile view draws besides the page.
struct TileViewOptions {
    bool grid = false;                             // cbGridL
    int gridType = 0;                              // 0 "点" dots, 1-3 lines with the pattern
    DashPattern pattern{true, false, true, false}; // the grid's current dash pattern
    // 128 x 128, non-zero where a pixel of the page lies past the end of the file's data:
    // those are hatched. Null: nothing is.
    const Image8* pastEnd = nullptr;
};

// The picture of the panel "CHR": the 128 x 128 tile image doubled to 256 x 256, the tile
// grid and the white frame of the edit area, in the display palette. The panel only paints
// Picture().
class TileView {
public:
    static constexpr int Size = 256;

    TileView();

    // The display palette; white is the entry nearest to white in it.
    void SetPalette(const Image8::Palette& palette);
    uint8_t WhiteIndex() const { return m_white; }

    // DrawTileView: page, grid, edit-area frame.
    void Draw(const Image8& tileImage, const EditArea& area, const TileViewOptions& options);

    const Image8& Picture() const { return m_picture; }

private:
    void DrawGrid(const TileViewOptions& options);
    void HatchPastEnd(const Image8& pastEnd);

    Image8 m_picture;
    uint8_t m_white = 0;
    uint8_t m_dark = 0;
};

} // namespace tavrin
