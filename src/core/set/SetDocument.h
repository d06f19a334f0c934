#pragma once

#include "core/set/SetRecords.h"

#include <array>
#include <cstdint>

namespace tavrin {

// One sprite of the sprite table, in the order of its four bytes.
struct Sprite {
    uint8_t y = 0;
    uint8_t tile = 0;
    uint8_t attributes = 0; // bits 0-1: the palette (group 4 + value); the rest is kept only
    uint8_t x = 0;
    bool operator==(const Sprite&) const = default;
};

// The set window's data: an NES-style screen of 32 x 30 cells, each a tile number and a
// palette group number, the NES attribute bytes, 64 sprites of 8 x 16 pixels and their 256
// tiles in the 2BPP NES layout. Everything starts at 0. Cell accessors and the editing rules
// stay inside the tables whatever coordinates they are given.
class SetDocument {
public:
    static constexpr int Columns = 32;
    static constexpr int Rows = 30;
    static constexpr int Cells = Columns * Rows; // 960
    static constexpr int AttributeSize = 64;
    static constexpr int SpriteCount = 64;
    static constexpr int SpriteTableSize = SpriteCount * 4; // 256
    static constexpr int SpriteTileSize = 4096;             // 256 tiles of 16 bytes

    using CellTable = std::array<uint8_t, Cells>;
    using AttributeTable = std::array<uint8_t, AttributeSize>;
    using SpriteTable = std::array<uint8_t, SpriteTableSize>;
    using SpriteTiles = std::array<uint8_t, SpriteTileSize>;

    static bool IsCell(int x, int y) { return x >= 0 && x < Columns && y >= 0 && y < Rows; }

    // Cell (x, y) at y * 32 + x.
    CellTable& Names() { return m_names; }
    const CellTable& Names() const { return m_names; }
    CellTable& Palettes() { return m_palettes; }
    const CellTable& Palettes() const { return m_palettes; }
    AttributeTable& Attributes() { return m_attributes; }
    const AttributeTable& Attributes() const { return m_attributes; }
    SpriteTable& Sprites() { return m_sprites; }
    const SpriteTable& Sprites() const { return m_sprites; }
    SpriteTiles& SpriteTileBytes() { return m_spriteTiles; }
    const SpriteTiles& SpriteTileBytes() const { return m_spriteTiles; }

    // Outside the 32 x 30 cells reads 0 and writes nothing.
    uint8_t Name(int x, int y) const;
    void SetName(int x, int y, uint8_t tile);
    uint8_t Palette(int x, int y) const;
    void SetPalette(int x, int y, uint8_t group);

    // Sprite index outside 0-63 reads an empty sprite and writes nothing.
    Sprite GetSprite(int index) const;
    void SetSprite(int index, const Sprite& sprite);

    // DRAW mode: the CHR selection's tiles placed with their top left at cell (x, y), as far
    // as they fit.
    void Stamp(const CellSelection& chr, int x, int y);
    // TYPE mode: the CHR selection repeated across the SET selection.
    void Fill(const CellSelection& set, const CellSelection& chr);
    // The palette of a cell; with the NES rule the whole 2 x 2 block of cells holding it.
    void ApplyPalette(int x, int y, uint8_t value, bool nesRule);
    void ApplyPaletteOver(const CellSelection& set, uint8_t value, bool nesRule);

    // Attribute bytes into the palette table: each two bits give a 2 x 2 block of cells;
    // the halves below row 29 are skipped.
    void ExpandAttributes(const AttributeTable& attributes);
    // The palette table as attribute bytes, from the top-left cell of each 2 x 2 block. The
    // bits of the rows below 29 are 0.
    AttributeTable PackAttributes() const;
    // Whether some cell holds a palette number that two bits cannot keep.
    bool HasWidePalettes() const;

    bool operator==(const SetDocument&) const = default;

private:
    CellTable m_names{};
    CellTable m_palettes{};
    AttributeTable m_attributes{};
    SpriteTable m_sprites{};
    SpriteTiles m_spriteTiles{};
};

} // namespace tavrin
