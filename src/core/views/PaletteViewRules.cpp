#include "core/views/PaletteViewRules.h"

#include "core/palette/CColSet.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr int PaletteRows = 16;

int GroupSizeFor(int bpp) {
    return 1 << std::clamp(bpp, 0, 8);
}

} // namespace

ScrollBarRange PalScrollRange() {
    return {0, PaletteRows, 5, 1, 4};
}

ScrollBarRange DatScrollRange(bool paletteOnly) {
    return paletteOnly ? ScrollBarRange{0, PaletteRows, 8, 1, 7}
                       : ScrollBarRange{0, PaletteRows, 3, 1, 2};
}

int ClampPaletteScroll(int position, const ScrollBarRange& range) {
    if (position + range.pageSize - 1 >= range.maximum)
        position = range.maximum - range.pageSize + 1;
    return std::max(position, range.minimum);
}

int PaletteSelectStep(int tag, int selectedEntry, int bpp) {
    const int n = GroupSizeFor(bpp);
    const int groups = 256 / n;
    const int selected = selectedEntry & 0xFF;
    int g = selected / n;
    const int c = selected % n;
    if (tag == 0)
        g = std::max(g - 1, 0);
    else if (tag == 3)
        g = std::min(g + 1, groups - 1);
    int v = g * n | c;
    if (tag == 1)
        v = std::max(v - 1, 0);
    else if (tag == 2)
        v = std::min(v + 1, 255);
    return v;
}

int PaintColourSet(CColSet& colourSet, const EditArea& area, const uint8_t* pattern, int address,
                   int bpp, int selectedEntry) {
    if (!pattern)
        return 0;
    const int group = (selectedEntry & 0xFF) >> std::clamp(bpp, 0, 8);
    const int64_t tileBytes = static_cast<int64_t>(std::max(bpp, 0)) * 8;
    int painted = 0;
    for (int r = std::max(area.firstRow, 0); r <= std::min(area.lastRow, 15); ++r)
        for (int c = std::max(area.firstColumn, 0); c <= std::min(area.lastColumn, 15); ++c) {
            const int t = pattern[c + 16 * r];
            const int64_t at = static_cast<int64_t>(address) + t * tileBytes;
            // Addresses past the document have no entry; CColSet ignores writes there.
            if (at < 0 || at > INT32_MAX)
                continue;
            colourSet.Entry(static_cast<int>(at)) = static_cast<uint8_t>(group);
            ++painted;
        }
    return painted;
}

} // namespace tavrin
