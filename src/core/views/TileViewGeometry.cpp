#include "core/views/TileViewGeometry.h"

#include <algorithm>
#include <cstdint>

namespace tavrin {

namespace {

void ClampAxis(int& first, int& last) {
    const int n = last - first + 1;
    if (last > PageTilesPerSide - 1) {
        last = PageTilesPerSide - 1;
        first = PageTilesPerSide - n;
    }
    if (first < 0) {
        first = 0;
        last = n - 1;
    }
}

int SaturateToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

int ClampZoomIndex(int zoomIndex) {
    return std::clamp(zoomIndex, 0, ZoomCount - 1);
}

int ZoomEditSize(int zoomIndex) {
    return 128 >> ClampZoomIndex(zoomIndex);
}

EditArea ClampEditArea(EditArea area) {
    ClampAxis(area.firstColumn, area.lastColumn);
    ClampAxis(area.firstRow, area.lastRow);
    return area;
}

EditArea ResizeEditArea(EditArea area, int editSize) {
    const int n = editSize / 8;
    area.lastColumn = area.firstColumn + n - 1;
    area.lastRow = area.firstRow + n - 1;
    return ClampEditArea(area);
}

TilePos TileAt(int x, int y) {
    return {std::clamp(x, 0, TileViewSize - 1) / TileViewCell,
            std::clamp(y, 0, TileViewSize - 1) / TileViewCell};
}

int ScreenTileIndex(int x, int y) {
    const TilePos t = TileAt(x, y);
    return t.column + PageTilesPerSide * t.row;
}

EditArea LeftDragArea(int x, int y, int editSize) {
    const TilePos t = TileAt(x, y);
    EditArea area;
    area.firstColumn = t.column;
    area.firstRow = t.row;
    return ResizeEditArea(area, editSize);
}

EditArea RightDragArea(TilePos anchor, int x, int y) {
    const TilePos t = TileAt(x, y);
    EditArea area{std::min(anchor.column, t.column), std::min(anchor.row, t.row),
                  std::max(anchor.column, t.column), std::max(anchor.row, t.row)};
    return ClampEditArea(area);
}

PageGeometry PageGeometryFor(int bpp, const PageGeometry& previous) {
    if (bpp <= 0)
        return previous;
    return {bpp * 128, bpp * 2048};
}

ScrollBarRange ChrScrollRange(int dataSize, const PageGeometry& page) {
    ScrollBarRange range;
    range.minimum = 0;
    range.maximum = dataSize > 8191 ? dataSize / page.rowBytes : 16;
    range.pageSize = page.RowsPerPage() + 1;
    range.smallChange = 1;
    range.largeChange = page.RowsPerPage();
    return range;
}

int ChrScrollPosition(int address, int headerOffset, const PageGeometry& page) {
    return SaturateToInt((static_cast<int64_t>(address) - headerOffset) / page.rowBytes);
}

int ChrScrollAddress(int position, int headerOffset, const PageGeometry& page) {
    return SaturateToInt(static_cast<int64_t>(position) * page.rowBytes + headerOffset);
}

int ClampChrScrollPosition(int position, const ScrollBarRange& range, const PageGeometry& page) {
    const int top = std::max(range.maximum - page.RowsPerPage(), 0);
    return std::clamp(position, 0, top);
}

} // namespace tavrin
