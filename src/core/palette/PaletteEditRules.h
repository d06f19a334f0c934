#pragma once

#include "core/platform/Colour.h"
#include "core/platform/Image8.h"

namespace tavrin {

class CPalette;

// The channels of a colour as the palette edit dialog numbers its bars and arrow controls.
constexpr int ChannelNone = -1;
constexpr int ChannelRed = 0;
constexpr int ChannelGreen = 1;
constexpr int ChannelBlue = 2;

// The bars picture: one 16-pixel bar per channel, as long as the channel's value.
constexpr int PaletteBarsWidth = 256;
constexpr int PaletteBarHeight = 16;
constexpr int PaletteBarsHeight = 3 * PaletteBarHeight;

// Palette indices of the bars picture.
constexpr uint8_t BarsBlack = 0;
constexpr uint8_t BarsRed = 1;
constexpr uint8_t BarsGreen = 2;
constexpr uint8_t BarsBlue = 3;

// Replaces one channel of a palette entry and keeps the other two. The value is held within
// 0-255; a channel outside 0-2 or an entry outside the palette changes nothing.
void SetChannel(CPalette& palette, int entry, int channel, int value);

// The bar under a pointer row: y / 16 rounded toward zero, so the 15 rows just above the
// picture still count as red. ChannelNone from row 48 on and 16 or more rows above.
int BarChannelAt(int y);
// The channel value under a pointer column, held within 0-255.
int BarValueAt(int x);

// The 256 x 48 bars of a colour: black, with rows 0-15 red from x = 0 to red (exclusive),
// rows 16-31 green to green and rows 32-47 blue to blue. Indices are the Bars* constants; the
// picture's palette holds their colours.
Image8 PaletteBarsPicture(Colour colour);

// The mouse on the bars: a left press starts a drag, and while it lasts every move sets the
// channel under the pointer; any other button asks to close the dialog.
class PaletteBarDrag {
public:
    // button: 0 left, 1 right, 2 middle. True when the press asks to close the dialog.
    bool Press(int button);
    // While dragging: sets the channel under (x, y) of the entry (nothing when no bar is
    // there) and returns true, so the dialog refreshes and reports a change; false when not
    // dragging.
    bool Move(CPalette& palette, int entry, int x, int y) const;
    void Release() { m_dragging = false; }
    // Forgets a drag whose release never came (the dialog closed while the button was held).
    void Reset() { m_dragging = false; }
    bool Dragging() const { return m_dragging; }

private:
    bool m_dragging = false;
};

} // namespace tavrin
