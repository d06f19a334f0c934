#pragma once

#include "core/formats/CFormat.h"
#include "core/formats/CellTransform.h"

#include <vector>

namespace tavrin {

// Base of the built-in formats: walks the block through TileAddress and transforms each cell
// in place (rotation, then mirroring, when decoding; the reverse when encoding). Cells of
// sizes without a register path go through a work cell that lives while the format is
// active.
class CFormatSimple : public CFormat {
public:
    CFormatSimple();
    ~CFormatSimple() override;

    void Activate() override;
    void Deactivate() override;
    void DecodeBlock(Image8& image, const BlockParams& p) override;
    void EncodeBlock(Image8& image, const BlockParams& p) override;

    // Byte offset of tile t of the block at blockAddress.
    virtual int32_t TileAddress(int32_t blockAddress, int tileIndex, int bytesPerTile) const;

    // Whether the work cell is held (between Activate and Deactivate).
    bool HasWorkCell() const { return !m_workCell.empty(); }

private:
    // The cell of tile (x, y) after the transform; cells outside the image are left alone.
    void TransformCell(Image8& image, int x, int y, const BlockGeometry& g, CellTransform t);
    uint8_t* WorkCell(const BlockGeometry& g);

    std::vector<uint8_t> m_workCell;
};

} // namespace tavrin
