#pragma once

#include "core/platform/Colour.h"
#include "core/platform/Image8.h"

#include <array>

namespace tavrin {

class CDatPalette;

// The display palette of the tile images: entry i is the colour of palette-set entry i.
// Equal colours are nudged apart by one step so that a colour pick or a bitmap read back
// from the screen can tell entries apart; halftone halves every channel afterwards.
Image8::Palette BuildDisplayPalette(const std::array<Colour, 256>& entryColours, bool halftone);

// The display palette from the palette set's current table and master palette.
Image8::Palette RebuildDisplayPalette(const CDatPalette& palettes, bool halftone);

} // namespace tavrin
