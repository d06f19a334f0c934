#include "core/palette/files/PaletteTransfer.h"

#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tavrin {

namespace {
constexpr size_t NesRamEntries = 32;
constexpr size_t NesMasterColours = 64;
} // namespace

bool CanUsePaletteSet(PaletteFormat format) {
    return InfoOf(format).paletteMemory;
}

bool CanUseMasterPalette(PaletteFormat format) {
    return format != PaletteFormat::NesRam;
}

PaletteDestination DefaultDestination(PaletteFormat format) {
    return CanUseMasterPalette(format) ? PaletteDestination::MasterPalette
                                       : PaletteDestination::PaletteSet;
}

PaletteTransfer ApplyPaletteContents(const PaletteContents& contents,
                                     PaletteDestination destination, CPalette& palette,
                                     CDatPalette& set) {
    PaletteTransfer transfer;
    const size_t count = std::min<size_t>(contents.Count(), CPalette::Count);
    transfer.leftOut = contents.Count() - count;
    if (contents.HoldsIndices()) {
        // Indices have no colours of their own; they only ever point into the master palette.
        set.SetTable(contents.indices.data(), count);
        transfer.setEntries = static_cast<int>(count);
        return transfer;
    }
    for (size_t k = 0; k < count; ++k)
        palette.SetColor(static_cast<int>(k), contents.colours[k]);
    transfer.masterEntries = static_cast<int>(count);
    if (destination == PaletteDestination::PaletteSet) {
        for (size_t k = 0; k < count; ++k)
            set.SetEntry(static_cast<int>(k), static_cast<int>(k));
        transfer.setEntries = static_cast<int>(count);
    }
    return transfer;
}

PaletteContents ContentsToWrite(PaletteFormat format, PaletteDestination source,
                                const CPalette& palette, const CDatPalette& set) {
    PaletteContents contents;
    if (format == PaletteFormat::NesRam) {
        contents.indices.assign(set.Table(), set.Table() + NesRamEntries);
        return contents;
    }
    for (int k = 0; k < CPalette::Count; ++k)
        contents.colours.push_back(source == PaletteDestination::PaletteSet
                                       ? palette.GetColor(set.Table()[k])
                                       : palette.GetColor(k));
    if (format == PaletteFormat::Nes)
        contents.colours.resize(NesMasterColours);
    return contents;
}

std::vector<Colour> ColoursOfIndices(const std::vector<uint8_t>& indices,
                                     const std::vector<Colour>& master) {
    std::vector<Colour> colours;
    for (uint8_t index : indices)
        colours.push_back(index < master.size() ? master[index] : 0);
    return colours;
}

std::vector<uint8_t> IndicesOfColours(const std::vector<Colour>& colours,
                                      const std::vector<Colour>& master, size_t limit) {
    const size_t candidates = std::min({master.size(), limit, size_t{256}});
    std::vector<uint8_t> indices;
    for (Colour c : colours) {
        size_t best = 0;
        long long bestDistance = std::numeric_limits<long long>::max();
        for (size_t k = 0; k < candidates; ++k) {
            const long long dr = RedOf(c) - RedOf(master[k]);
            const long long dg = GreenOf(c) - GreenOf(master[k]);
            const long long db = BlueOf(c) - BlueOf(master[k]);
            const long long distance = dr * dr + dg * dg + db * db;
            // The first of equally near entries, so that a palette with repeats reads stably.
            if (distance < bestDistance) {
                bestDistance = distance;
                best = k;
            }
        }
        indices.push_back(static_cast<uint8_t>(best));
    }
    return indices;
}

PaletteState TakePaletteState(const CPalette& palette, const CDatPalette& set) {
    PaletteState state;
    std::memcpy(state.master.data(), palette.Data(), state.master.size());
    std::memcpy(state.set.data(), set.Table(), state.set.size());
    return state;
}

void RestorePaletteState(const PaletteState& state, CPalette& palette, CDatPalette& set) {
    std::memcpy(palette.Data(), state.master.data(), state.master.size());
    set.SetTable(state.set.data(), state.set.size());
}

} // namespace tavrin
