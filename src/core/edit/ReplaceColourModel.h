#pragma once

#include "core/platform/Colour.h"
#include "core/views/CBitmapEdit.h"
#include "core/views/ImageRgb.h"

#include <array>
#include <cstdint>

namespace tavrin {

class CPalette;
class Image8;

// Colour number k of every pixel in the area becomes map[k]; the palette-group bits (those
// outside colourMask) stay. Returns the number of pixels changed.
int ApplyColourMap(Image8& image, const PixelRect& area, const std::array<uint8_t, 256>& map,
                   uint8_t colourMask);

// What the colour replacement dialog shows and edits: the colours of the current palette
// group as two rows of squares (as they are, and as they will become) and the replacement
// map built by clicking them. The after row picks the colour number to replace (the cursor),
// the before row the number it becomes.
//
// Square k sits at x = 16 * (k mod 16), y = 16 * (k div 16): up to 16 colours make one row
// of 16-pixel squares; larger counts (plug-in formats of more than 4 bits per pixel) wrap to
// further rows of 16, so the position rule k = 16 * (y div 16) + x div 16 holds for all.
class ReplaceColourModel {
public:
    static constexpr int SquareSize = 16;
    static constexpr int SquaresPerRow = 16;
    static constexpr int MinClientWidth = 160;

    enum class Row { Before, After };

    // n = 4 and the identity map, so that a dialog confirmed before it was ever prepared
    // changes nothing; no palette (black squares) and all group entries 0.
    ReplaceColourModel();

    // Colour count n of the current format (2^bpp), held within 1-256.
    void SetColourCount(int n);
    int ColourCount() const { return m_count; }
    int ColourMask() const { return m_count - 1; }

    // The master palette, read in place whenever a row is drawn; null shows black.
    void SetMasterColours(const CPalette* palette) { m_palette = palette; }
    // Copies the 256 group entries (the palette set's table from the group base; null reads
    // as all 0) and resets the map to the identity.
    void Prepare(const uint8_t* groupEntries);
    // The dialog is being shown: the cursor goes back to 0 and drags of an earlier showing
    // whose release never came are forgotten.
    void Show();

    const std::array<uint8_t, 256>& GroupEntries() const { return m_groupEntries; }
    const std::array<uint8_t, 256>& Map() const { return m_map; }
    int Cursor() const { return m_cursor; }
    bool Dragging(Row row) const { return m_dragging[Index(row)]; }

    // Size of each row's picture: 16 n x 16 up to 16 colours, else 256 wide and one 16-pixel
    // band per 16 colours.
    int ImageWidth() const;
    int ImageHeight() const;
    // The dialog's client width for a row panel at panelLeft whose image sits at imageLeft
    // inside it: the picture plus that margin on both sides, but at least 160.
    int ClientWidth(int panelLeft, int imageLeft) const;

    // The square under a pointer held within the picture; -1 where a partly filled last
    // band has no square.
    int SquareAt(int x, int y) const;

    // Mouse on a row (button: 0 left, 1 right, 2 middle). A left press starts a drag and acts
    // as a move; another button ends the row's drag and does nothing. Each returns true when
    // the map or cursor changed, so both rows need drawing again.
    bool Press(Row row, int button, int x, int y);
    bool Move(Row row, int x, int y);
    void Release(Row row) { m_dragging[Index(row)] = false; }

    // The master colour square k of a row shows: group entry k in the before row, group
    // entry map[k] in the after row.
    Colour SquareColour(Row row, int k) const;
    // A row's picture: every square filled with its colour, and a white frame on square
    // map[cursor] in the before row and on the cursor in the after row.
    ImageRgb RenderRow(Row row) const;

    // Applies the map to the rectangle of a tile image, keeping each pixel's palette-group
    // bits; returns the number of pixels changed.
    int Apply(Image8& image, const PixelRect& area) const;

private:
    static int Index(Row row) { return row == Row::Before ? 0 : 1; }
    PixelRect SquareRect(int k) const;

    int m_count = 4;
    const CPalette* m_palette = nullptr;
    std::array<uint8_t, 256> m_groupEntries{};
    std::array<uint8_t, 256> m_map{};
    int m_cursor = 0;
    std::array<bool, 2> m_dragging{};
};

} // namespace tavrin
