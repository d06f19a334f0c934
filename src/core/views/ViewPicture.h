#pragma once

#include "core/platform/Colour.h"
#include "core/platform/Image8.h"
#include "core/views/CBitmapEdit.h"

#include <cstdint>

namespace tavrin {

// Helpers the indexed view pictures share.

// The palette entry closest to a colour (smallest squared distance, lowest index on a tie):
// what a white or aqua pen becomes on an indexed picture.
uint8_t NearestColourIndex(const Image8::Palette& palette, Colour colour);

// Nearest-pixel stretch of src's rectangle onto the whole of dst, the way the views enlarge
// the tile image. The rectangle is clamped to src; an empty one leaves dst filled with 0.
void StretchToView(const Image8& src, const PixelRect& area, Image8& dst);

} // namespace tavrin
