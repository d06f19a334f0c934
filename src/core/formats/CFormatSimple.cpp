#include "core/formats/CFormatSimple.h"

#include <cstring>

namespace tavrin {

CFormatSimple::CFormatSimple() = default;
CFormatSimple::~CFormatSimple() = default;

void CFormatSimple::Activate() {
    const BlockGeometry g = GetBlockGeometry(m_info);
    m_workCell.assign(static_cast<size_t>(g.tileWidth) * g.tileHeight, 0);
}

void CFormatSimple::Deactivate() {
    m_workCell.clear();
    m_workCell.shrink_to_fit();
}

int32_t CFormatSimple::TileAddress(int32_t blockAddress, int tileIndex, int bytesPerTile) const {
    return static_cast<int32_t>(int64_t{blockAddress} + int64_t{tileIndex} * bytesPerTile);
}

uint8_t* CFormatSimple::WorkCell(const BlockGeometry& g) {
    // A format used without activation still transforms safely: the cell is made on demand.
    const size_t size = static_cast<size_t>(g.tileWidth) * g.tileHeight;
    if (m_workCell.size() < size)
        m_workCell.resize(size);
    return m_workCell.data();
}

void CFormatSimple::DecodeBlock(Image8& image, const BlockParams& p) {
    const BlockGeometry g = GetBlockGeometry(m_info);
    TileParams tp{};
    tp.bytes = p.bytes;
    tp.rotate = p.rotate;
    tp.mirror = p.mirror;
    for (int y = 0; y < g.rows; ++y) {
        for (int x = 0; x < g.columns; ++x) {
            const int t = TileIndexAt(p, y * g.columns + x);
            tp.x = x;
            tp.y = y;
            tp.tileOffset = TileAddress(p.address, t, g.bytesPerTile);
            tp.colourOffset = TileColourOffset(p, t);
            DecodeTile(image, &tp);
            if (p.rotate != 0)
                RotateCell(image, x, y, g, p.rotate);
            if (p.mirror != 0)
                MirrorCell(image, x, y, g, p.mirror);
        }
    }
}

void CFormatSimple::EncodeBlock(Image8& image, const BlockParams& p) {
    const BlockGeometry g = GetBlockGeometry(m_info);
    TileParams tp{};
    tp.bytes = p.bytes;
    tp.rotate = p.rotate;
    tp.mirror = p.mirror;
    for (int y = 0; y < g.rows; ++y) {
        for (int x = 0; x < g.columns; ++x) {
            const int t = TileIndexAt(p, y * g.columns + x);
            if (p.mirror != 0)
                MirrorCell(image, x, y, g, p.mirror);
            if (p.rotate != 0)
                RotateCell(image, x, y, g, p.rotate);
            tp.x = x;
            tp.y = y;
            tp.tileOffset = TileAddress(p.address, t, g.bytesPerTile);
            EncodeTile(image, &tp);
        }
    }
}

// Both transforms scatter the cell into the work cell (pixel at row r, column c goes to
// index k(c, r)) and copy the work cell back row by row.
void CFormatSimple::RotateCell(Image8& image, int x, int y, const BlockGeometry& g, int code) {
    const int w = g.tileWidth;
    const int h = g.tileHeight;
    // A quarter turn of a non-square cell would not fit back into it.
    if (w != h || code < 1 || code > 3 || !CellInside(image, x, y, w, h))
        return;
    uint8_t* work = WorkCell(g);
    for (int r = 0; r < h; ++r) {
        const uint8_t* row = image.ScanLine(y * h + r) + x * w;
        for (int c = 0; c < w; ++c) {
            int k = 0;
            switch (code) {
            case 1:
                k = c * w + (w - 1 - r);
                break;
            case 2:
                k = (h - 1 - r) * w + (w - 1 - c);
                break;
            default:
                k = (h - 1 - c) * w + r;
                break;
            }
            work[k] = row[c];
        }
    }
    for (int r = 0; r < h; ++r)
        std::memcpy(image.ScanLine(y * h + r) + x * w, work + r * w, static_cast<size_t>(w));
}

void CFormatSimple::MirrorCell(Image8& image, int x, int y, const BlockGeometry& g, int code) {
    const int w = g.tileWidth;
    const int h = g.tileHeight;
    if (code < 1 || code > 3 || !CellInside(image, x, y, w, h))
        return;
    uint8_t* work = WorkCell(g);
    const bool flipColumns = code != 2;
    const bool flipRows = code != 1;
    for (int r = 0; r < h; ++r) {
        const uint8_t* row = image.ScanLine(y * h + r) + x * w;
        uint8_t* target = work + (flipRows ? h - 1 - r : r) * w;
        for (int c = 0; c < w; ++c)
            target[flipColumns ? w - 1 - c : c] = row[c];
    }
    for (int r = 0; r < h; ++r)
        std::memcpy(image.ScanLine(y * h + r) + x * w, work + r * w, static_cast<size_t>(w));
}

} // namespace tavrin
