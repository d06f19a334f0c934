#pragma once

#include "core/views/EditArea.h"

namespace tavrin {

// The tile view's rules of geometry: zoom and edit size, placing the edit area with the mouse,
// page sizes and the scroll bar of the CHR panel. All pure, so they are tested without a window.

constexpr int TileViewSize = 256; // the view picture's side in screen pixels
constexpr int TileViewCell = 16;  // screen pixels per tile (the tile image is shown doubled)
constexpr int PageTilesPerSide = 16;
constexpr int ZoomCount = 5; // "x1", "x2", "x4", "x8", "x16"

// A tile of the page: column and row, 0-15.
struct TilePos {
    int column = 0;
    int row = 0;
    bool operator==(const TilePos&) const = default;
};

// The zoom list index held within 0..4.
int ClampZoomIndex(int zoomIndex);
// Side of the edit area in tile-image pixels: 128, 64, 32, 16, 8 for "x1" ... "x16".
int ZoomEditSize(int zoomIndex);

// Per axis: a last tile beyond 15 pulls the area back to end at 15 keeping its size, then a
// first tile below 0 pushes it forward to start at 0.
EditArea ClampEditArea(EditArea area);
// The area keeps its first tile and takes editSize / 8 tiles per side, then is clamped.
EditArea ResizeEditArea(EditArea area, int editSize);

// The tile under a view position; the position is first held within the view.
TilePos TileAt(int x, int y);
// Page tile index (column + 16 row) of the cell under a view position, for the pattern status.
int ScreenTileIndex(int x, int y);
// Left drag: an area of the zoom's size whose top-left tile follows the mouse.
EditArea LeftDragArea(int x, int y, int editSize);
// Right drag: the rectangle spanned by the anchor tile and the tile under the mouse.
EditArea RightDragArea(TilePos anchor, int x, int y);

// Bytes of one row of 16 tiles and of a page, from the format's bits per pixel.
struct PageGeometry {
    int rowBytes = 256;
    int pageBytes = 4096;
    int RowsPerPage() const { return pageBytes / rowBytes; }
    bool operator==(const PageGeometry&) const = default;
};
// The geometry for bpp; a bpp of 0 or less keeps the previous geometry.
PageGeometry PageGeometryFor(int bpp, const PageGeometry& previous = {});

// A scroll bar's range in the classic terms.
struct ScrollBarRange {
    int minimum = 0;
    int maximum = 0;
    int pageSize = 1;
    int smallChange = 1;
    int largeChange = 1;
    bool operator==(const ScrollBarRange&) const = default;
};

// The CHR scroll bar: one position per row of tiles. Documents under 8192 bytes get 16 rows.
ScrollBarRange ChrScrollRange(int dataSize, const PageGeometry& page);
// Position of an address: (address - headerOffset) / rowBytes.
int ChrScrollPosition(int address, int headerOffset, const PageGeometry& page);
// Address of a position: position * rowBytes + headerOffset.
int ChrScrollAddress(int position, int headerOffset, const PageGeometry& page);
// While the bar is dragged: held within 0 ... maximum - rows per page (never below 0).
int ClampChrScrollPosition(int position, const ScrollBarRange& range, const PageGeometry& page);

} // namespace tavrin
