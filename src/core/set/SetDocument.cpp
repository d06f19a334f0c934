#include "core/set/SetDocument.h"

#include <algorithm>

namespace tavrin {

namespace {

int CellIndex(int x, int y) {
    return y * SetDocument::Columns + x;
}

// The selection clipped to the 32 x 30 cells; empty (x1 > x2) when it lies outside.
CellSelection ClipToCells(const CellSelection& s) {
    const CellSelection n = s.Normalized();
    return {std::max(n.x1, 0), std::max(n.y1, 0), std::min(n.x2, SetDocument::Columns - 1),
            std::min(n.y2, SetDocument::Rows - 1)};
}

// The tile number of column c, row r of the tile source.
uint8_t TileNumber(int column, int row) {
    return static_cast<uint8_t>(column | (row << 4));
}

} // namespace

uint8_t SetDocument::Name(int x, int y) const {
    return IsCell(x, y) ? m_names[CellIndex(x, y)] : 0;
}

void SetDocument::SetName(int x, int y, uint8_t tile) {
    if (IsCell(x, y))
        m_names[CellIndex(x, y)] = tile;
}

uint8_t SetDocument::Palette(int x, int y) const {
    return IsCell(x, y) ? m_palettes[CellIndex(x, y)] : 0;
}

void SetDocument::SetPalette(int x, int y, uint8_t group) {
    if (IsCell(x, y))
        m_palettes[CellIndex(x, y)] = group;
}

Sprite SetDocument::GetSprite(int index) const {
    if (index < 0 || index >= SpriteCount)
        return {};
    const uint8_t* p = m_sprites.data() + index * 4;
    return {p[0], p[1], p[2], p[3]};
}

void SetDocument::SetSprite(int index, const Sprite& sprite) {
    if (index < 0 || index >= SpriteCount)
        return;
    uint8_t* p = m_sprites.data() + index * 4;
    p[0] = sprite.y;
    p[1] = sprite.tile;
    p[2] = sprite.attributes;
    p[3] = sprite.x;
}

void SetDocument::Stamp(const CellSelection& chr, int x, int y) {
    const CellSelection c = chr.Normalized();
    for (int i = 0; i <= c.y2 - c.y1; ++i)
        for (int j = 0; j <= c.x2 - c.x1; ++j)
            SetName(x + j, y + i, TileNumber(c.x1 + j, c.y1 + i));
}

void SetDocument::Fill(const CellSelection& set, const CellSelection& chr) {
    const CellSelection c = chr.Normalized();
    const int w = c.x2 - c.x1 + 1;
    const int h = c.y2 - c.y1 + 1;
    const CellSelection n = set.Normalized();
    const CellSelection s = ClipToCells(set);
    for (int y = s.y1; y <= s.y2; ++y)
        for (int x = s.x1; x <= s.x2; ++x)
            SetName(x, y, TileNumber(c.x1 + (x - n.x1) % w, c.y1 + (y - n.y1) % h));
}

void SetDocument::ApplyPalette(int x, int y, uint8_t value, bool nesRule) {
    if (!IsCell(x, y))
        return;
    if (!nesRule) {
        SetPalette(x, y, value);
        return;
    }
    // The NES keeps one palette per 16 x 16 pixels: the 2 x 2 block of cells. The row count
    // is even, so a block never reaches past the table.
    const int bx = x & ~1;
    const int by = y & ~1;
    SetPalette(bx, by, value);
    SetPalette(bx + 1, by, value);
    SetPalette(bx, by + 1, value);
    SetPalette(bx + 1, by + 1, value);
}

void SetDocument::ApplyPaletteOver(const CellSelection& set, uint8_t value, bool nesRule) {
    const CellSelection s = ClipToCells(set);
    for (int y = s.y1; y <= s.y2; ++y)
        for (int x = s.x1; x <= s.x2; ++x)
            ApplyPalette(x, y, value, nesRule);
}

void SetDocument::ExpandAttributes(const AttributeTable& attributes) {
    auto block = [this](int x, int y, int value) {
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                SetPalette(x + j, y + i, static_cast<uint8_t>(value & 3));
    };
    for (int i = 0; i < AttributeSize; ++i) {
        const int a = attributes[i];
        const int x = (i % 8) * 4;
        const int y = (i / 8) * 4;
        block(x, y, a);
        block(x + 2, y, a >> 2);
        // The last row of attribute bytes covers rows 28-31; only its top half exists.
        if (CellIndex(x + 3, y + 3) < Cells) {
            block(x, y + 2, a >> 4);
            block(x + 2, y + 2, a >> 6);
        }
    }
}

SetDocument::AttributeTable SetDocument::PackAttributes() const {
    AttributeTable attributes{};
    for (int i = 0; i < AttributeSize; ++i) {
        const int x = (i % 8) * 4;
        const int y = (i / 8) * 4;
        attributes[i] = static_cast<uint8_t>((Palette(x, y) & 3) | ((Palette(x + 2, y) & 3) << 2) |
                                             ((Palette(x, y + 2) & 3) << 4) |
                                             ((Palette(x + 2, y + 2) & 3) << 6));
    }
    return attributes;
}

bool SetDocument::HasWidePalettes() const {
    return std::any_of(m_palettes.begin(), m_palettes.end(), [](uint8_t g) { return g > 3; });
}

} // namespace tavrin
