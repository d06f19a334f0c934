#pragma once

#include "core/editor/EditorView.h"
#include "core/views/EditArea.h"
#include "core/views/TileViewGeometry.h"

namespace tavrin {

struct AdfEntry;
class CFormat;
class Editor;

// Mouse buttons as the panels receive them.
enum class MouseButton { Left = 0, Right = 1, Middle = 2 };

// What the page shows: address, format, rotation, mirror and pattern. A stroke is only
// committed onto the page it was drawn on.
struct PageKey {
    int address = 0;
    const CFormat* format = nullptr;
    int rotate = 0;
    int mirror = 0;
    const AdfEntry* pattern = nullptr;
    bool operator==(const PageKey&) const = default;
};

// The mouse on the main window's four panels (tile view, edit view, palette set, palette):
// the press being tracked, the drag it makes, and the page a stroke belongs to. x and y are in
// view pixels (0..255) on the tile and edit views; on the palette panels y = 0 is the top of
// the visible part, whatever the scroll position. Coordinates outside are held within.
class PanelMouse {
public:
    explicit PanelMouse(Editor& editor) : m_ed(editor) {}

    void Down(Panel panel, MouseButton button, int x, int y);
    void Move(Panel panel, int x, int y);
    void Up(Panel panel, MouseButton button, int x, int y);

    // The pointer moved over the window itself, outside the panels.
    void FormMove();
    // The panel whose press is being tracked (Panel::None while none is): the window routes
    // the mouse messages it receives itself to the two functions below while one is.
    Panel TrackedPanel() const { return m_trackedPanel; }
    // FormMove with the pointer at (x, y) in the coordinates the tracked panel's own
    // handlers take. With no press tracked the mouse hints are cleared. A tracked left press
    // is taken as released there (the panel's own capture ended, so its release was lost); a
    // right or middle drag reaches its panel, the position held within the panel.
    void FormMove(int x, int y);
    // The tracked panel's release handler, then the tracking ends.
    void FormUp(MouseButton button, int x, int y);

    // A right drag on the tile view is choosing the edit area.
    bool IsRightButtonHeld() const { return m_rightHeld; }
    // The last choice of the edit area was made with the right button (or Select All): the
    // palette-set panel then paints the colour set over it.
    void SetAreaChosenWhole() { m_lastReleaseRight = true; }

private:
    enum class Drag { None = 0, Left = 1, Right = 2, Middle = 3 };

    void Track(Panel panel, MouseButton button);
    void EndTrack();
    void ChrDown(MouseButton button, int x, int y);
    void ChrMove(int x, int y);
    void ChrUp(MouseButton button, int x, int y);
    void EditDown(MouseButton button, int x, int y);
    void EditMove(int x, int y);
    void EditUp(MouseButton button, int x, int y);
    void DatDown(MouseButton button, int x, int y);
    void DatMove(int x, int y);
    void DatUp(MouseButton button, int x, int y);
    void PalDown(MouseButton button, int x, int y);
    void PalMove(int x, int y);
    void PalUp(MouseButton button, int x, int y);
    template <class View>
    void PalettePress(Panel panel, View& view, MouseButton button, int x, int y);
    template <class View> void PaletteRelease(View& view, MouseButton button);
    void AfterEditViewStep();
    void AfterDatMove();
    void AfterPalMove();

    Editor& m_ed;
    Panel m_trackedPanel = Panel::None;
    Drag m_dragMode = Drag::None;
    TilePos m_anchor;
    EditArea m_lastRecorded{-1, -1, -1, -1};
    bool m_rightHeld = false;
    bool m_lastReleaseRight = false;
    PageKey m_strokePage{};

    friend class Editor;
};

} // namespace tavrin
