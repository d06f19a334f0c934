#include "core/palette/DisplayPalette.h"

#include "core/palette/CDatPalette.h"

namespace tavrin {

namespace {

uint8_t Nudged(uint8_t channel) {
    return static_cast<uint8_t>(channel < 62 ? channel + 1 : channel - 1);
}

} // namespace

Image8::Palette BuildDisplayPalette(const std::array<Colour, 256>& entryColours, bool halftone) {
    Image8::Palette out{};
    for (int i = 0; i < 256; ++i) {
        uint8_t r = static_cast<uint8_t>(RedOf(entryColours[i]));
        uint8_t g = static_cast<uint8_t>(GreenOf(entryColours[i]));
        uint8_t b = static_cast<uint8_t>(BlueOf(entryColours[i]));
        int n = 0;
        // One pass over the earlier entries: a nudge that makes the colour equal to an entry
        // already passed is not looked at again.
        for (int j = 0; j < i; ++j) {
            if (MakeColour(r, g, b) != out[j])
                continue;
            switch (n % 3) {
            case 0:
                b = Nudged(b);
                break;
            case 1:
                r = Nudged(r);
                break;
            default:
                g = Nudged(g);
                break;
            }
            ++n;
        }
        out[i] = MakeColour(r, g, b);
    }
    if (halftone) {
        for (Colour& c : out)
            c = MakeColour(RedOf(c) >> 1, GreenOf(c) >> 1, BlueOf(c) >> 1);
    }
    return out;
}

Image8::Palette RebuildDisplayPalette(const CDatPalette& palettes, bool halftone) {
    std::array<Colour, 256> colours{};
    for (int i = 0; i < 256; ++i)
        colours[i] = palettes.GetEntryColor(i);
    return BuildDisplayPalette(colours, halftone);
}

} // namespace tavrin
