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

namespace {

// A quarter turn of a non-square cell would not fit back into it, so such cells are only
// mirrored.
CellTransform RotationFor(const BlockGeometry& g, int code) {
    return g.tileWidth == g.tileHeight ? RotationTransform(code) : CellTransform{};
}

} // namespace

void CFormatSimple::DecodeBlock(Image8& image, const BlockParams& p) {
    const BlockGeometry g = GetBlockGeometry(m_info);
    const CellTransform decodeTransform = Then(RotationFor(g, p.rotate), MirrorTransform(p.mirror));
    ForEachCell(p, g.columns, g.rows, [&](TileParams& tp, int t) {
        tp.tileOffset = TileAddress(p.address, t, g.bytesPerTile);
        tp.colourOffset = TileColourOffset(p, t);
        DecodeTile(image, &tp);
        TransformCell(image, tp.x, tp.y, g, decodeTransform);
    });
}

void CFormatSimple::EncodeBlock(Image8& image, const BlockParams& p) {
    const BlockGeometry g = GetBlockGeometry(m_info);
    const CellTransform encodeTransform = Then(MirrorTransform(p.mirror), RotationFor(g, p.rotate));
    ForEachCell(p, g.columns, g.rows, [&](TileParams& tp, int t) {
        TransformCell(image, tp.x, tp.y, g, encodeTransform);
        tp.tileOffset = TileAddress(p.address, t, g.bytesPerTile);
        EncodeTile(image, &tp);
    });
}

void CFormatSimple::TransformCell(Image8& image, int x, int y, const BlockGeometry& g,
                                  CellTransform t) {
    const int w = g.tileWidth;
    const int h = g.tileHeight;
    if (t.IsIdentity() || !CellInside(image, x, y, w, h))
        return;
    ApplyCellTransform(image.ScanLine(y * h) + x * w, image.Stride(), w, h, t, WorkCell(g));
}

} // namespace tavrin
