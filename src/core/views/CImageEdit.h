#pragma once

#include "core/edit/CPen.h"
#include "core/palette/CDatPalette.h"
#include "core/platform/Image8.h"
#include "core/views/CBitmapEdit.h"
#include "core/views/CGrid.h"

#include <cstdint>

namespace tavrin {

// The stamp pen's memory, kept by the edit view: the marked region and, during a copy drag,
// where the copy lies now. Rectangles in tile-image pixels, right and bottom exclusive.
struct StampState {
    PixelRect region;
    PixelRect movedRect;
    bool regionExists = false;
    bool moved = false;
};

// What the main window reads after each mouse step of the edit view.
struct EditViewResult {
    bool picked = false;      // a colour was picked: the palette views redraw
    int pickedEntry = -1;     // ... the palette-set entry to select for it (group kept)
    bool changed = false;     // the release changed the tile image: CommitPage
    bool tileChanged = false; // the tile under the mouse changed: pattern status, mouse hints
    bool redrawn = false;     // the picture shows a stroke preview and wants repainting
    int tileUnderMouse = -1;  // page tile index 0-255 of the last move
};

// The mouse button an edit view step is given or holds.
enum class EditButton { None = -1, Left = 0, Right = 1, Middle = 2 };

// The panel "EDIT": the edit area of the tile image enlarged to 256 x 256 with the optional
// pixel grid, in the display palette. The panel only paints Picture().
class CImageEdit {
public:
    static constexpr int ViewSize = 256;

    CImageEdit();

    // The main window's three 128 x 128 images; the view keeps pointers, not copies.
    void SetImages(Image8* tileImage, Image8* displayImage, Image8* workingCopy);
    // The display palette (the edit view's picture shares it with the tile images).
    void SetPalette(const Image8::Palette& palette);

    // The palette set whose selected entry is the pen colour; a picked colour is reported in
    // the result for the caller to select.
    void SetPaletteSet(const CDatPalette* paletteSet) { m_paletteSet = paletteSet; }
    // The current pen; null draws nothing.
    void SetPen(CPen* pen) { m_pen = pen; }

    // The three mouse steps, at view positions (held within the view). A right press while
    // the left button is held cancels the drag: its release copies and commits nothing.
    // After each step Result() says what the main window has to do.
    void Press(EditButton button, int viewX, int viewY);
    void Move(int viewX, int viewY);
    void Release(EditButton button);
    const EditViewResult& Result() const { return m_result; }
    EditButton ButtonState() const { return m_button; }
    // The held stroke is dropped as a right press would drop it.
    void CancelStroke() { m_button = EditButton::None; }

    // Settings the main window sets directly.
    void SetEditSize(int editSize) { m_editSize = editSize; }
    int EditSize() const { return m_editSize; }
    void SetGridFlag(bool on) { m_grid = on; }
    void SetGridType(int type) { m_gridType = type; }
    void SetGridPattern(const DashPattern& pattern) { m_pattern = pattern; }
    void SetFrameFlag(bool on) { m_frame = on; }

    // Set by UpdateEditView before Redraw.
    void SetPastePreview(bool on) { m_pastePreview = on; }
    bool PastePreview() const { return m_pastePreview; }
    // The edit area in tile-image pixels (EditArea::Pixels()).
    void SetArea(const PixelRect& area) { m_area = area; }
    const PixelRect& Area() const { return m_area; }
    void SetPenNumber(int pen) { m_penNumber = pen; }
    int PenNumber() const { return m_penNumber; }

    // Screen pixels per image pixel: view width / edit size, 0 with edit size 0.
    int Scale() const;
    // The tile-image pixel under a view position (held within the view first).
    void ViewToPixel(int viewX, int viewY, int& x, int& y) const;

    StampState& Stamp() { return m_stamp; }
    const StampState& Stamp() const { return m_stamp; }
    // Choosing a pen and undo forget the stamp region.
    void ClearStamp() { m_stamp = {}; }
    // The stroke preview's dashed rectangle: the pen's drag rectangle, inclusive; all zero
    // when the pen shows none.
    void SetMarquee(const PixelRect& inclusive) { m_marquee = inclusive; }
    const PixelRect& Marquee() const { return m_marquee; }

    // The normal render: the tile image's edit area enlarged, the grid, the stamp region.
    // (With the paste preview on, the main window's paste preview render takes its place.)
    void Redraw();
    // The stroke preview: the working copy's edit area enlarged, the grid, the marquee while
    // the frame flag is set, the stamp region.
    void RenderStrokePreview();
    // The paste preview: the clipboard image (8 bits per pixel, or null when the clipboard
    // holds none or could not be read), each pixel ORed with colourOffset, placed at the
    // display image's top left and shown at scale 2 whatever the zoom, with a white frame
    // around its extent (2 x 2 pixels without an image).
    void RenderPastePreview(const Image8* clipboardImage, int colourOffset);

    const Image8& Picture() const { return m_picture; }
    uint8_t WhiteIndex() const { return m_white; }
    uint8_t AquaIndex() const { return m_aqua; }

private:
    void StampStep(const PenEvent& event);
    void RenderArea(const Image8& source);
    void DrawGrid();
    void DrawStampRegion();

    Image8 m_picture;
    Image8* m_tileImage = nullptr;
    Image8* m_displayImage = nullptr;
    Image8* m_workingCopy = nullptr;
    CGrid m_gridTool;
    uint8_t m_white = 0;
    uint8_t m_aqua = 0;

    int m_editSize = 16;
    bool m_grid = false;
    int m_gridType = 0;
    DashPattern m_pattern = CGrid::Pattern(0);
    bool m_frame = true;
    bool m_pastePreview = false;
    PixelRect m_area{0, 0, 16, 16};
    int m_penNumber = 1;
    StampState m_stamp;
    PixelRect m_marquee;

    const CDatPalette* m_paletteSet = nullptr;
    CPen* m_pen = nullptr;
    EditButton m_button = EditButton::None;
    int m_startX = 0;
    int m_startY = 0;
    int m_prevX = 0;
    int m_prevY = 0;
    EditViewResult m_result;
};

} // namespace tavrin
