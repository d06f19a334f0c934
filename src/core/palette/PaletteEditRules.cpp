#include "core/palette/PaletteEditRules.h"

#include "core/palette/CPalette.h"

#include <algorithm>

namespace tavrin {

void SetChannel(CPalette& palette, int entry, int channel, int value) {
    if (channel < ChannelRed || channel > ChannelBlue || entry < 0 || entry >= CPalette::Count)
        return;
    const Colour colour = palette.GetColor(entry);
    int rgb[3] = {RedOf(colour), GreenOf(colour), BlueOf(colour)};
    rgb[channel] = std::clamp(value, 0, 255);
    palette.SetColor(entry, MakeColour(rgb[0], rgb[1], rgb[2]));
}

int BarChannelAt(int y) {
    // Division rounds toward zero, which is what lets -15..-1 fall on the red bar.
    if (y <= -PaletteBarHeight || y >= PaletteBarsHeight)
        return ChannelNone;
    return y / PaletteBarHeight;
}

int BarValueAt(int x) {
    return std::clamp(x, 0, 255);
}

Image8 PaletteBarsPicture(Colour colour) {
    Image8 picture(PaletteBarsWidth, PaletteBarsHeight);
    picture.Colours()[BarsBlack] = MakeColour(0, 0, 0);
    picture.Colours()[BarsRed] = MakeColour(255, 0, 0);
    picture.Colours()[BarsGreen] = MakeColour(0, 255, 0);
    picture.Colours()[BarsBlue] = MakeColour(0, 0, 255);
    const int lengths[3] = {RedOf(colour), GreenOf(colour), BlueOf(colour)};
    const uint8_t indices[3] = {BarsRed, BarsGreen, BarsBlue};
    for (int channel = 0; channel < 3; ++channel) {
        for (int y = channel * PaletteBarHeight; y < (channel + 1) * PaletteBarHeight; ++y)
            std::fill_n(picture.ScanLine(y), lengths[channel], indices[channel]);
    }
    return picture;
}

bool PaletteBarDrag::Press(int button) {
    if (button == 0) {
        m_dragging = true;
        return false;
    }
    return true;
}

bool PaletteBarDrag::Move(CPalette& palette, int entry, int x, int y) const {
    if (!m_dragging)
        return false;
    SetChannel(palette, entry, BarChannelAt(y), BarValueAt(x));
    return true;
}

} // namespace tavrin
