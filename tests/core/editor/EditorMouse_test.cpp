#include "core/editor/Editor.h"
#include "support/WorkspaceAccess.h"

#include "RecordingView.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

using EditorSelection = EditorTest;

// Left press and release at a view position.
void LeftClick(Editor& e, int x, int y) {
    e.Mouse().Down(Panel::Chr, MouseButton::Left, x, y);
    e.Mouse().Up(Panel::Chr, MouseButton::Left, x, y);
}

TEST_F(EditorSelection, LeftClickPlacesAnAreaOfTheZoomsSize) {
    Editor& e = Start();
    struct Case {
        int zoom;
        int x, y;
        EditArea expected;
    };
    const Case cases[] = {
        // "x1": always the whole page.
        {0, 0, 0, {0, 0, 15, 15}},
        {0, 200, 130, {0, 0, 15, 15}},
        // "x2": 8 x 8 tiles, pulled back at the edges.
        {1, 16 * 3 + 5, 16 * 2, {3, 2, 10, 9}},
        {1, 16 * 12, 16 * 15 + 15, {8, 8, 15, 15}},
        // "x4": 4 x 4 tiles.
        {2, 16 * 5, 16 * 6, {5, 6, 8, 9}},
        {2, 255, 0, {12, 0, 15, 3}},
        // "x8": 2 x 2 tiles; column 15 places the area at 14-15.
        {3, 16 * 15 + 3, 16 * 4, {14, 4, 15, 5}},
        {3, 16 * 7, 16 * 9, {7, 9, 8, 10}},
        // "x16": the tile itself.
        {4, 16 * 15 + 15, 16 * 15 + 15, {15, 15, 15, 15}},
        {4, 16 * 2, 16 * 11 + 7, {2, 11, 2, 11}},
    };
    for (const Case& c : cases) {
        e.SetViewOption(ViewOption::Zoom, c.zoom);
        LeftClick(e, c.x, c.y);
        EXPECT_EQ(e.GetEditArea(), c.expected) << "zoom " << c.zoom << " at " << c.x << "," << c.y;
        EXPECT_TRUE(e.CanRotate());
        EXPECT_FALSE(e.IsPastePreview());
    }
}

TEST_F(EditorSelection, ALeftDragCarriesTheAreaAndPositionsOutsideAreHeld) {
    Editor& e = Start();
    e.Mouse().Down(Panel::Chr, MouseButton::Left, 10, 10);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 0, 1, 1}));
    view.ClearLog();
    e.Mouse().Move(Panel::Chr, 16 * 6, 16 * 3);
    EXPECT_EQ(e.GetEditArea(), (EditArea{6, 3, 7, 4}));
    EXPECT_EQ(view.Steps(), "T E");
    view.ClearLog();
    e.Mouse().Move(Panel::Chr, 16 * 6 + 9, 16 * 3 + 2); // same tile: nothing redrawn
    EXPECT_EQ(view.Steps(), "");
    e.Mouse().Move(Panel::Chr, -40, 900);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 14, 1, 15}));
    e.Mouse().Up(Panel::Chr, MouseButton::Left, -40, 900);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 14, 1, 15}));
    // Moving without a button changes nothing.
    e.Mouse().Move(Panel::Chr, 100, 100);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 14, 1, 15}));
}

TEST_F(EditorSelection, ARightDragSpansAnyRectangleWhateverTheZoom) {
    for (int zoom = 0; zoom < 5; ++zoom) {
        Editor& e = Start();
        e.SetViewOption(ViewOption::Zoom, zoom);
        e.Mouse().Down(Panel::Chr, MouseButton::Right, 16 * 10 + 4, 16 * 3 + 4);
        EXPECT_TRUE(e.Mouse().IsRightButtonHeld());
        EXPECT_TRUE(e.IsPastePreview());
        EXPECT_EQ(e.GetEditArea(), (EditArea{10, 3, 10, 3}));
        // Square but held: no rotation.
        EXPECT_FALSE(e.CanRotate());
        e.Mouse().Move(Panel::Chr, 16 * 2 + 1, 16 * 7 + 1);
        EXPECT_EQ(e.GetEditArea(), (EditArea{2, 3, 10, 7})) << zoom;
        e.Mouse().Up(Panel::Chr, MouseButton::Right, 16 * 2 + 1, 16 * 7 + 1);
        EXPECT_FALSE(e.Mouse().IsRightButtonHeld());
        EXPECT_FALSE(e.CanRotate()) << "not square";
        EXPECT_EQ(e.GetEditArea(), (EditArea{2, 3, 10, 7}));
        EXPECT_TRUE(e.IsPastePreview());
    }
}

TEST_F(EditorSelection, ASquareRightSelectionAllowsRotationAfterRelease) {
    Editor& e = Start();
    e.Mouse().Down(Panel::Chr, MouseButton::Right, 16 * 4, 16 * 4);
    e.Mouse().Move(Panel::Chr, 16 * 6, 16 * 6);
    EXPECT_FALSE(e.CanRotate());
    view.ClearLog();
    e.Mouse().Up(Panel::Chr, MouseButton::Right, 16 * 6, 16 * 6);
    EXPECT_EQ(view.Count("C"), 1);
    EXPECT_TRUE(e.CanRotate());
}

TEST_F(EditorSelection, ZoomResizesTheAreaFromItsFirstTile) {
    Editor& e = Start();
    e.SetViewOption(ViewOption::Zoom, 4);
    LeftClick(e, 16 * 13, 16 * 2);
    EXPECT_EQ(e.GetEditArea(), (EditArea{13, 2, 13, 2}));
    view.ClearLog();
    e.SetViewOption(ViewOption::Zoom, 2);
    EXPECT_EQ(view.Steps(), "T E C");
    EXPECT_EQ(ZoomEditSize(e.ZoomIndex()), 32);
    EXPECT_EQ(e.GetEditArea(), (EditArea{12, 2, 15, 5}));
    e.SetViewOption(ViewOption::Zoom, 7);
    EXPECT_EQ(e.ZoomIndex(), 4);
    e.SetViewOption(ViewOption::Zoom, -2);
    EXPECT_EQ(e.ZoomIndex(), 0);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 0, 15, 15}));
}

TEST_F(EditorSelection, ALeftPressEndsThePastePreview) {
    Editor& e = Start();
    e.Mouse().Down(Panel::Chr, MouseButton::Right, 0, 0);
    e.Mouse().Up(Panel::Chr, MouseButton::Right, 0, 0);
    EXPECT_TRUE(e.IsPastePreview());
    LeftClick(e, 0, 0);
    EXPECT_FALSE(e.IsPastePreview());
}

TEST_F(EditorSelection, ThePopUpMenuOpensOnARightReleaseOnlyWhenAskedFor) {
    Editor& e = Start();
    e.Mouse().Down(Panel::Chr, MouseButton::Right, 30, 40);
    e.Mouse().Up(Panel::Chr, MouseButton::Right, 30, 40);
    EXPECT_TRUE(view.popups.empty());
    e.Settings().UsePopupMenu = true;
    e.Mouse().Down(Panel::Chr, MouseButton::Right, 30, 40);
    e.Mouse().Up(Panel::Chr, MouseButton::Right, 30, 40);
    ASSERT_EQ(view.popups.size(), 1u);
    EXPECT_EQ(view.popups[0], std::make_pair(30, 40));
    LeftClick(e, 30, 40);
    EXPECT_EQ(view.popups.size(), 1u);
    // After a drag that ends beyond the view the menu still opens where the pointer is.
    e.Mouse().Down(Panel::Chr, MouseButton::Right, 30, 40);
    e.Mouse().FormUp(MouseButton::Right, 300, -20);
    ASSERT_EQ(view.popups.size(), 2u);
    EXPECT_EQ(view.popups[1], std::make_pair(300, -20));
}

TEST_F(EditorSelection, TheEditViewFollowsTheArea) {
    // Tile 17 (column 1, row 1) has colour 1 in its top-left pixel.
    std::vector<uint8_t> bytes(8192, 0);
    bytes[17 * 16] = 0x80;
    const std::string rom = WriteFile("e.chr", bytes);
    Editor& e = Start({rom});
    e.SetViewOption(ViewOption::Zoom, 4); // one tile, 32 screen pixels per image pixel
    LeftClick(e, 16, 16);
    const Image8& edit = e.EditViewPicture();
    EXPECT_EQ(edit.Pixel(0, 0), 1);
    EXPECT_EQ(edit.Pixel(31, 31), 1);
    EXPECT_EQ(edit.Pixel(32, 0), 0);
    LeftClick(e, 0, 0);
    EXPECT_EQ(e.EditViewPicture().Pixel(0, 0), 0);
}

TEST_F(EditorSelection, AnEditViewReleaseDecodesAndRedrawsThePage) {
    const std::string rom = WriteFile("r.chr", std::vector<uint8_t>(8192, 0));
    Editor& e = Start({rom});
    e.Mouse().Down(Panel::Edit, MouseButton::Left, 40, 40);
    // A right press cancels the stroke: the release commits nothing.
    e.Mouse().Down(Panel::Edit, MouseButton::Right, 40, 40);
    // Bytes changed behind the page's back show after the release, which decodes again.
    WorkspaceTestAccess::Bytes(e.Space())[0] = 0x80;
    view.ClearLog();
    e.Mouse().FormUp(MouseButton::Right, 40, 40);
    EXPECT_EQ(view.Steps(), "T E");
    EXPECT_FALSE(e.Space().Undo().CanUndo());
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 1);
    // The same in the paste preview, where the edit view takes no pen input.
    e.Mouse().Down(Panel::Chr, MouseButton::Right, 0, 0);
    e.Mouse().Up(Panel::Chr, MouseButton::Right, 0, 0);
    e.Mouse().Down(Panel::Edit, MouseButton::Left, 0, 0);
    view.ClearLog();
    e.Mouse().Up(Panel::Edit, MouseButton::Left, 0, 0);
    EXPECT_EQ(view.Steps(), "T E");
}

// ---- Palette views ----

using EditorPaletteMouse = EditorTest;

TEST_F(EditorPaletteMouse, DraggingOverTheDatPanelSelectsEntries) {
    Editor& e = Start();
    ASSERT_EQ(e.Space().Format().BitsPerPixel(), 2);
    view.ClearLog();
    e.Mouse().Down(Panel::Dat, MouseButton::Left, 16 * 2 + 3, 4); // entry 2, same group
    EXPECT_EQ(e.Space().PaletteSet().SelectedEntry(), 2);
    EXPECT_EQ(view.Steps(), "S L");
    EXPECT_EQ(view.focused, Panel::Dat);
    EXPECT_EQ(view.hintLeft, "描画パレット選択");
    view.ClearLog();
    e.Mouse().Move(Panel::Dat, 16 * 5, 20); // entry 21: another group, the page is decoded again
    EXPECT_EQ(e.Space().PaletteSet().SelectedEntry(), 21);
    EXPECT_EQ(view.Steps(), "T E S L");
    view.ClearLog();
    e.Mouse().Move(Panel::Dat, 16 * 5 + 7, 25); // same entry: nothing
    EXPECT_EQ(view.Steps(), "");
    e.Mouse().Move(Panel::Dat, 400, 900); // held within the two visible rows
    EXPECT_EQ(e.Space().PaletteSet().SelectedEntry(), 31);
    e.Mouse().Up(Panel::Dat, MouseButton::Left, 0, 0);
    e.Mouse().Move(Panel::Dat, 0, 0);
    EXPECT_EQ(e.Space().PaletteSet().SelectedEntry(), 31);
    EXPECT_TRUE(view.paletteEditors.empty());
}

TEST_F(EditorPaletteMouse, TheDatPanelCountsRowsFromItsScrollPosition) {
    Editor& e = Start();
    e.ScrollBarChange(ScrollBarId::Dat, 3);
    e.Mouse().Down(Panel::Dat, MouseButton::Left, 16 * 4, 18);
    EXPECT_EQ(e.Space().PaletteSet().SelectedEntry(), 4 * 16 + 4);
    e.Mouse().Up(Panel::Dat, MouseButton::Left, 0, 0);
}

TEST_F(EditorPaletteMouse, ARightReleaseOpensThePaletteEditorOnTheMasterColour) {
    std::vector<uint8_t> dat(256, 0);
    dat[5] = 0x33;
    WriteFile("tavrin.dat", dat);
    Editor& e = Start();
    e.Mouse().Down(Panel::Dat, MouseButton::Right, 16 * 5, 0);
    view.ClearLog();
    e.Mouse().Up(Panel::Dat, MouseButton::Right, 16 * 5, 0);
    EXPECT_EQ(view.paletteEditors, std::vector<int>{0x33});
    // The colours the dialog changes come back through the workspace: opening it redraws nothing.
    EXPECT_EQ(view.Steps(), "");
}

TEST_F(EditorPaletteMouse, DraggingOverThePalPanelAssignsMasterColours) {
    Editor& e = Start();
    e.Space().SelectPaletteEntry(6);
    view.ClearLog();
    e.Mouse().Down(Panel::Pal, MouseButton::Left, 16 * 3, 16 * 2); // master colour 0x23
    EXPECT_EQ(e.Space().PaletteSet().GetEntry(6), 0x23);
    EXPECT_EQ(view.Steps(), "P T E S L");
    EXPECT_EQ(view.hintLeft, "セット色選択");
    view.ClearLog();
    e.Mouse().Move(Panel::Pal, 16 * 3 + 8, 16 * 2 + 8);
    EXPECT_EQ(view.Steps(), "") << "the same cell changes nothing";
    e.Mouse().Up(Panel::Pal, MouseButton::Left, 0, 0);
    e.ScrollBarChange(ScrollBarId::Pal, 10);
    e.Mouse().Down(Panel::Pal, MouseButton::Left, 0, 0);
    EXPECT_EQ(e.Space().PaletteSet().GetEntry(6), 0xA0);
    e.Mouse().Up(Panel::Pal, MouseButton::Left, 0, 0);
}

TEST_F(EditorPaletteMouse, ColourSetPaintingNeedsARightSelectionAndTheSwitch) {
    const std::string rom = WriteFile("paint.chr", std::vector<uint8_t>(16384, 0));
    Editor& e = Start({rom});
    // Tiles 0-1 and 16-17 chosen with the right button.
    e.Mouse().Down(Panel::Chr, MouseButton::Right, 0, 0);
    e.Mouse().Move(Panel::Chr, 16, 16);
    e.Mouse().Up(Panel::Chr, MouseButton::Right, 16, 16);
    // Without the switch nothing is painted.
    e.Mouse().Down(Panel::Dat, MouseButton::Left, 16 * 2, 0); // entry 2... group 0
    e.Mouse().Move(Panel::Dat, 16 * 9, 0);                    // entry 9: group 2
    e.Mouse().Up(Panel::Dat, MouseButton::Left, 0, 0);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(0), 0);

    e.PaletteEnableSet();
    e.Mouse().Down(Panel::Dat, MouseButton::Left, 16 * 9, 0);
    e.Mouse().Up(Panel::Dat, MouseButton::Left, 0, 0);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(0), 2);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(16), 2);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(16 * 16), 2);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(17 * 16), 2);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(2 * 16), 0);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(32 * 16), 0);
    // The painted tiles decode with group 2 (values 8-11), whatever the selected entry.
    e.Space().SelectPaletteEntry(0);
    e.Space().DecodePage();
    EXPECT_EQ(e.Space().TileImage().Pixel(9, 9), 8);
    EXPECT_EQ(e.Space().TileImage().Pixel(16, 0), 0);

    // After a left selection the palette-set panel only selects.
    LeftClick(e, 16 * 4, 0);
    e.Mouse().Down(Panel::Dat, MouseButton::Left, 16 * 13, 0); // group 3
    e.Mouse().Up(Panel::Dat, MouseButton::Left, 0, 0);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(4 * 16), 0);
}

TEST_F(EditorPaletteMouse, FormMovesClearTheHintsOnlyWhileNoPressIsTracked) {
    Editor& e = Start();
    e.Mouse().Down(Panel::Chr, MouseButton::Left, 5, 5);
    e.Mouse().FormMove();
    EXPECT_EQ(view.hintLeft, "描画領域選択");
    e.Mouse().Up(Panel::Chr, MouseButton::Left, 5, 5);
    e.Mouse().FormMove();
    EXPECT_EQ(view.hintLeft, "");
}

// ---- Moves and releases the window receives itself ----

using EditorFormMouse = EditorTest;

TEST_F(EditorFormMouse, ALeftPressMeetingAWindowMoveIsReleased) {
    Editor& e = Start();
    e.SetViewOption(ViewOption::Zoom, 2);
    e.Mouse().Down(Panel::Chr, MouseButton::Left, 16 * 3, 16 * 4);
    EXPECT_EQ(e.Mouse().TrackedPanel(), Panel::Chr);
    view.ClearLog();
    const int hintCalls = view.hintCalls;
    e.Mouse().FormMove(16 * 9, 16 * 9);
    EXPECT_EQ(e.Mouse().TrackedPanel(), Panel::None);
    EXPECT_EQ(view.Count("C"), 1) << "the tile view's release refreshes the command states";
    EXPECT_EQ(e.GetEditArea(), (EditArea{3, 4, 6, 7})) << "the area stays where it was";
    EXPECT_EQ(view.hintCalls, hintCalls);
    // Only the next move, with nothing tracked, clears the hints.
    e.Mouse().FormMove(0, 0);
    EXPECT_EQ(view.hintLeft, "");
    EXPECT_EQ(view.hintRight, "");
}

TEST_F(EditorFormMouse, ARightDragKeepsReachingTheTileViewOutsideIt) {
    Editor& e = Start({WriteFile("d.chr", std::vector<uint8_t>(8192, 0))});
    e.Mouse().Down(Panel::Chr, MouseButton::Right, 16 * 10 + 4, 16 * 3 + 4);
    e.Mouse().FormMove(-50, 900); // held at (0, 255): tile (0, 15)
    EXPECT_EQ(e.Mouse().TrackedPanel(), Panel::Chr);
    EXPECT_TRUE(e.Mouse().IsRightButtonHeld());
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 3, 10, 15}));
    e.Mouse().FormUp(MouseButton::Right, -50, 900);
    EXPECT_EQ(e.Mouse().TrackedPanel(), Panel::None);
    EXPECT_FALSE(e.Mouse().IsRightButtonHeld());
    // The release was the tile view's right release: colour-set painting is possible now.
    e.PaletteEnableSet();
    e.Mouse().Down(Panel::Dat, MouseButton::Left, 16 * 4, 0);
    e.Mouse().Up(Panel::Dat, MouseButton::Left, 16 * 4, 0);
    EXPECT_EQ(e.Space().ColourSet().GroupAt(16 * 3 * 16), 1); // tile (0, 3)
    EXPECT_EQ(e.Space().ColourSet().GroupAt(0), 0);
}

TEST_F(EditorFormMouse, AMiddleDragOnTheTileViewOnlyShowsTheStatus) {
    Editor& e = Start();
    e.Mouse().Down(Panel::Chr, MouseButton::Middle, 0, 0);
    e.Mouse().FormMove(16 * 5, 16 * 2);
    EXPECT_EQ(e.Mouse().TrackedPanel(), Panel::Chr);
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 0, 1, 1}));
    EXPECT_EQ(view.status[1], "Pattern : ADF[25] = 25 ");
    e.Mouse().FormUp(MouseButton::Middle, 16 * 5, 16 * 2);
    EXPECT_EQ(e.Mouse().TrackedPanel(), Panel::None);
}

TEST_F(EditorFormMouse, ARightDragOverThePalettePanelsIsHeldWithinTheirVisibleRows) {
    std::vector<uint8_t> dat(256, 0);
    dat[0x5F] = 0x44;
    WriteFile("tavrin.dat", dat);
    Editor& e = Start();
    e.ScrollBarChange(ScrollBarId::Dat, 4);
    e.Mouse().Down(Panel::Dat, MouseButton::Right, 0, 0); // entry 0x40
    EXPECT_EQ(e.Space().PaletteSet().SelectedEntry(), 0x40);
    e.Mouse().FormMove(999, 500); // held at the last visible cell: row 5, column 15
    EXPECT_EQ(e.Space().PaletteSet().SelectedEntry(), 0x5F);
    e.Mouse().FormUp(MouseButton::Right, 999, 500);
    EXPECT_EQ(e.Mouse().TrackedPanel(), Panel::None);
    EXPECT_EQ(view.paletteEditors, std::vector<int>{0x44});

    e.Space().SelectPaletteEntry(1);
    e.Mouse().Down(Panel::Pal, MouseButton::Right, 0, 0); // master colour 0
    e.Mouse().FormMove(-30, 999); // held at row 3, column 0: master colour 0x30
    EXPECT_EQ(e.Space().PaletteSet().GetEntry(1), 0x30);
    e.Mouse().FormUp(MouseButton::Right, -30, 999);
    EXPECT_EQ(view.paletteEditors, (std::vector<int>{0x44, 0x30}));
}

TEST_F(EditorFormMouse, AReleaseWithNothingTrackedDoesNothing) {
    Editor& e = Start();
    view.ClearLog();
    e.Mouse().FormUp(MouseButton::Right, 10, 10);
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(e.Mouse().TrackedPanel(), Panel::None);
}

} // namespace

namespace {

using EditorStroke = EditorTest;

// A page that moves under a held stroke (a key or the wheel during the drag) must not receive
// the pixels drawn on the old page.
TEST_F(EditorStroke, AStrokeIsDroppedWhenThePageMovesUnderIt) {
    const std::string rom = WriteFile("r.chr", Counting(64 * 1024));
    Editor& e = Start({rom});
    e.PaletteSelect(2); // colour 1 of group 0
    const std::vector<uint8_t> before(e.Space().Document().Data(),
                                      e.Space().Document().Data() + 64 * 1024);
    e.Mouse().Down(Panel::Edit, MouseButton::Left, 10, 10);
    e.Mouse().Move(Panel::Edit, 100, 100);
    e.AddrStep(8); // one page on
    e.Mouse().Move(Panel::Edit, 120, 120);
    e.Mouse().FormUp(MouseButton::Left, 120, 120);
    const std::vector<uint8_t> after(e.Space().Document().Data(),
                                     e.Space().Document().Data() + 64 * 1024);
    EXPECT_EQ(after, before);
    EXPECT_FALSE(e.Space().Undo().CanUndo());

    // The same stroke without the page moving is written and undoable.
    e.Mouse().Down(Panel::Edit, MouseButton::Left, 10, 10);
    e.Mouse().Move(Panel::Edit, 100, 100);
    e.Mouse().FormUp(MouseButton::Left, 100, 100);
    EXPECT_TRUE(e.Space().Undo().CanUndo());
    const std::vector<uint8_t> drawn(e.Space().Document().Data(),
                                     e.Space().Document().Data() + 64 * 1024);
    EXPECT_NE(drawn, before);
}

} // namespace
