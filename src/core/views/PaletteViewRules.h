#pragma once

#include "core/views/EditArea.h"
#include "core/views/TileViewGeometry.h"

#include <cstdint>

namespace tavrin {

class CColSet;

// Mouse buttons as the palette and edit views take them.
constexpr int ButtonNone = -1;
constexpr int ButtonLeft = 0;
constexpr int ButtonRight = 1;
constexpr int ButtonMiddle = 2;

// What the main window reads after a mouse step of a palette view.
struct PaletteViewResult {
    bool changed = false;          // palette view: the selected entry's master colour changed
    bool selectionChanged = false; // palette-set view: another entry was selected
    bool groupChanged = false;     // palette-set view: ... in another palette group
    bool openEditor = false;       // right release: open the palette edit dialog
    // What the step asks of the palette set, which the view only reads: the entry to select
    // (palette-set view) or the master index for the selected entry (palette view); -1: none.
    int selectEntry = -1;
    int masterIndex = -1;
    bool operator==(const PaletteViewResult&) const = default;
};

// Scroll bars of the panels "PAL" and "DAT" (the picture moves 16 pixels per position).
ScrollBarRange PalScrollRange();
ScrollBarRange DatScrollRange(bool paletteOnly);
// While a bar is dragged the last rows stay at the bottom: positions beyond
// maximum - pageSize + 1 are pulled back to it, and negative ones to 0.
int ClampPaletteScroll(int position, const ScrollBarRange& range);

// The palette selection keys Z, X, C, V (tags 0-3) for a format of bpp bits per pixel:
// Z and V step to the previous and next group keeping the colour, X and C to the previous and
// next entry; the result stays within 0-255 and within the groups.
int PaletteSelectStep(int tag, int selectedEntry, int bpp);

// Colour-set painting from the palette-set view (the caller checks that a button is held, the
// colour set is enabled and the tiles were chosen with the right button): every tile slot of
// the edit area gets the group number (selectedEntry >> bpp) in the colour set, at the byte
// address of the tile the pattern puts there. pattern holds 256 tile indices. Returns the
// number of slots painted.
int PaintColourSet(CColSet& colourSet, const EditArea& area, const uint8_t* pattern, int address,
                   int bpp, int selectedEntry);

} // namespace tavrin
