#pragma once

#include "core/palette/files/PaletteFormat.h"

#include <array>
#include <cstdint>

namespace tavrin {

class CPalette;
class CDatPalette;

// Where the entries of a palette file go, and where a written one takes them from.
enum class PaletteDestination {
    MasterPalette, // colour k is master entry k
    PaletteSet,    // entry k of the palette set, so that rows of colour memory are groups
};

// Whether the format's entries can go into the palette set (console palette memory).
bool CanUsePaletteSet(PaletteFormat format);
// NES palette RAM holds indices, not colours: only the palette set can take it.
bool CanUseMasterPalette(PaletteFormat format);
PaletteDestination DefaultDestination(PaletteFormat format);

// What one transfer into the palettes changed.
struct PaletteTransfer {
    int masterEntries = 0; // master-palette entries written from 0
    int setEntries = 0;    // palette-set entries written from 0
    size_t leftOut = 0;    // entries past 256 that have no place
};

// Puts what a file held into the palettes. Into the master palette: colour k into entry k.
// Into the palette set: indices into its entries from 0; colours into master entries from 0
// with palette-set entry k pointing at master entry k, so that each row of 16 colours shows
// as a palette group. Entries past those written keep their values.
PaletteTransfer ApplyPaletteContents(const PaletteContents& contents,
                                     PaletteDestination destination, CPalette& palette,
                                     CDatPalette& set);

// What a palette file written in the format holds: the 256 master colours, or the colours
// the 256 palette-set entries show; for NES palette RAM the first 32 palette-set entries.
PaletteContents ContentsToWrite(PaletteFormat format, PaletteDestination source,
                                const CPalette& palette, const CDatPalette& set);

// Indices looked up in a master palette's colours (an index past its end is black).
std::vector<Colour> ColoursOfIndices(const std::vector<uint8_t>& indices,
                                     const std::vector<Colour>& master);
// Each colour as the index of the nearest of the first limit master colours.
std::vector<uint8_t> IndicesOfColours(const std::vector<Colour>& colours,
                                      const std::vector<Colour>& master, size_t limit);

// The palettes as they were before a change, for one undo step.
struct PaletteState {
    std::array<uint8_t, 768> master{};
    std::array<uint8_t, 256> set{};
    bool operator==(const PaletteState&) const = default;
};
// Kept in the undo ring as one block of bytes.
static_assert(sizeof(PaletteState) == 1024);
PaletteState TakePaletteState(const CPalette& palette, const CDatPalette& set);
void RestorePaletteState(const PaletteState& state, CPalette& palette, CDatPalette& set);

} // namespace tavrin
