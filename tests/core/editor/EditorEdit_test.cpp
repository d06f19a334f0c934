#include "core/editor/Editor.h"

#include "RecordingView.h"

#include "core/dib/BitmapFile.h"
#include "core/palette/CAdfPattern.h"
#include "support/Bitmap24.h"
#include "support/RandomBytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

// Pens, undo and the Edit menu through the Editor, checked on the document's bytes.

using namespace tavrin;

namespace {

constexpr int Scale = 16; // zoom "x8": 16 screen pixels per image pixel

// The view position of an image pixel while the edit area starts at (0, 0) at zoom "x8".
int At(int pixel) {
    return pixel * Scale + Scale / 2;
}

// The bytes that differ, as "offset:old>new" in hex, separated by spaces.
std::string Differences(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
    std::string out;
    char item[32];
    for (size_t i = 0; i < std::min(before.size(), after.size()); ++i)
        if (before[i] != after[i]) {
            std::snprintf(item, sizeof item, "%s%04zX:%02X>%02X", out.empty() ? "" : " ", i,
                          before[i], after[i]);
            out += item;
        }
    if (before.size() != after.size())
        out += " size";
    return out;
}

using test::RandomBytes;

class EditorEdit : public EditorTest {
protected:
    // Opens a ROM of the given bytes.
    Editor& Open(const std::vector<uint8_t>& bytes) {
        Editor& e = Start({WriteFile("edit.chr", bytes)});
        view.ClearLog();
        return e;
    }
    std::vector<uint8_t> Bytes() const {
        const RomDocument& doc = editor->Space().Document();
        return {doc.Data(), doc.Data() + doc.DataSize()};
    }
    // A left drag over the edit view from one image pixel to another (area at the origin).
    void Stroke(int x0, int y0, int x1, int y1) {
        editor->Mouse().Down(Panel::Edit, MouseButton::Left, At(x0), At(y0));
        editor->Mouse().Move(Panel::Edit, At(x1), At(y1));
        editor->Mouse().Up(Panel::Edit, MouseButton::Left, At(x1), At(y1));
    }
    void Click(int x, int y) { Stroke(x, y, x, y); }
    // Chooses one tile as the edit area (zoom "x16").
    void SelectTile(int column, int row) {
        editor->SetViewOption(ViewOption::Zoom, 4);
        editor->Mouse().Down(Panel::Chr, MouseButton::Left, column * 16, row * 16);
        editor->Mouse().Up(Panel::Chr, MouseButton::Left, column * 16, row * 16);
    }
    // Chooses a rectangle of tiles with the right button.
    void SelectTiles(int c0, int r0, int c1, int r1) {
        editor->Mouse().Down(Panel::Chr, MouseButton::Right, c0 * 16, r0 * 16);
        editor->Mouse().Move(Panel::Chr, c1 * 16, r1 * 16);
        editor->Mouse().Up(Panel::Chr, MouseButton::Right, c1 * 16, r1 * 16);
    }
    std::vector<uint8_t> ClipboardImageRows(Image8& image) const {
        DibToImage8(view.clipboard, image);
        return {image.Bits(), image.Bits() + image.Width() * image.Height()};
    }
};

// ---- Strokes ----

TEST_F(EditorEdit, AClickWithThePenSetsOnePixelOfA2BitTile) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    const std::vector<uint8_t> before = Bytes();
    e.Space().SelectPaletteEntry(3);
    Click(1, 0);
    EXPECT_EQ(Differences(before, Bytes()), "0000:00>40 0008:00>40");
    EXPECT_TRUE(e.Space().Undo().CanUndo());
    EXPECT_EQ(e.Space().TileImage().Pixel(1, 0), 3);
}

TEST_F(EditorEdit, ARectangleAcrossTwoTilesOfA2BitFormat) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    const std::vector<uint8_t> before = Bytes();
    e.PenExecute(4);
    e.Space().SelectPaletteEntry(1);
    Stroke(2, 1, 9, 2);
    // Tile 0 columns 2-7 and tile 1 columns 0-1 of rows 1 and 2, low plane only.
    EXPECT_EQ(Differences(before, Bytes()), "0001:00>3F 0002:00>3F 0011:00>C0 0012:00>C0");
}

TEST_F(EditorEdit, StrokesInA4BitFormat) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    e.SelectFormat(8); // 4BPP GBA: two pixels a byte, the left one in the low nibble
    const std::vector<uint8_t> before = Bytes();
    e.Space().SelectPaletteEntry(0x0B);
    Click(3, 0);
    EXPECT_EQ(Differences(before, Bytes()), "0001:00>B0");
    e.PenExecute(3);
    e.Space().SelectPaletteEntry(0x05);
    Stroke(0, 2, 3, 2);
    EXPECT_EQ(Differences(before, Bytes()), "0001:00>B0 0008:00>55 0009:00>55");
    // A pixel of tile 1 (bytes 32-63) and of tile 16 (bytes 512-543).
    e.PenExecute(1);
    Click(9, 0);
    Click(0, 8);
    EXPECT_EQ(Differences(before, Bytes()),
              "0001:00>B0 0008:00>55 0009:00>55 0020:00>50 0200:00>05");
}

TEST_F(EditorEdit, AStrokeOnARotatedPageLandsWhereItIsShown) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    e.SetViewOption(ViewOption::Rotate, 1); // "90": each tile turned a quarter clockwise on screen
    const std::vector<uint8_t> before = Bytes();
    e.Space().SelectPaletteEntry(1);
    // The top-left pixel on screen is row 7, column 0 of the stored tile.
    Click(0, 0);
    EXPECT_EQ(Differences(before, Bytes()), "0007:00>80");
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 1);
    // The top-right pixel on screen is row 0, column 0.
    Click(7, 0);
    EXPECT_EQ(Differences(before, Bytes()), "0000:00>80 0007:00>80");
    EXPECT_EQ(e.Space().TileImage().Pixel(7, 0), 1);
}

TEST_F(EditorEdit, AStrokeThroughAPatternWritesTheTileItShows) {
    CAdfPattern table;
    table.SetPattern(0, NormalPattern());
    table.SetPattern(1, GenerateCharacterPattern(2, 2, false));
    WriteFile("tavrin.adf", table.ToBytes());
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    e.SelectPattern(1); // "2,2 H": slot (0, 1) shows tile 2, slot (1, 0) tile 1
    const std::vector<uint8_t> before = Bytes();
    e.Space().SelectPaletteEntry(2);
    Click(0, 8);
    EXPECT_EQ(Differences(before, Bytes()), "0028:00>80");
    Click(15, 0);
    EXPECT_EQ(Differences(before, Bytes()), "0018:00>01 0028:00>80");
}

TEST_F(EditorEdit, ACancelledDragLeavesTheBytes) {
    for (int pen : {1, 4, 9}) {
        Editor& e = Open(RandomBytes(16384, 3));
        const std::vector<uint8_t> before = Bytes();
        e.PenExecute(pen);
        e.Space().SelectPaletteEntry(2);
        e.Mouse().Down(Panel::Edit, MouseButton::Left, At(1), At(1));
        e.Mouse().Move(Panel::Edit, At(9), At(12));
        e.Mouse().Down(Panel::Edit, MouseButton::Right, At(9), At(12));
        e.Mouse().Move(Panel::Edit, At(10), At(13));
        e.Mouse().FormUp(MouseButton::Right, At(10), At(13));
        EXPECT_EQ(Differences(before, Bytes()), "") << pen;
        EXPECT_FALSE(e.Space().Undo().CanUndo()) << pen;
        EXPECT_EQ(view.beeps, 0);
    }
}

TEST_F(EditorEdit, ACheckerClickOnAnOddPixelChangesNothingButRecordsAStep) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    e.PenExecute(2);
    e.Space().SelectPaletteEntry(1);
    Click(1, 0);
    EXPECT_EQ(Differences(std::vector<uint8_t>(16384, 0), Bytes()), "");
    EXPECT_TRUE(e.Space().Undo().CanUndo());
    Click(1, 1);
    EXPECT_EQ(Differences(std::vector<uint8_t>(16384, 0), Bytes()), "0001:00>40");
}

TEST_F(EditorEdit, TheStampCopiesARegionIntoTheBytes) {
    std::vector<uint8_t> bytes(16384, 0);
    bytes[0] = 0xC0; // tile 0 row 0: pixels 0 and 1 colour 1
    Editor& e = Open(bytes);
    e.PenExecute(0);
    e.Space().SelectPaletteEntry(0);
    Stroke(0, 0, 1, 0); // marks the region
    EXPECT_FALSE(e.Space().Undo().CanUndo()) << "marking commits nothing";
    Stroke(0, 0, 4, 2); // copies it 4 right, 2 down
    EXPECT_TRUE(e.Space().Undo().CanUndo());
    const std::vector<uint8_t> after = Bytes();
    EXPECT_EQ(after[0], 0xC0);
    EXPECT_EQ(after[2], 0x0C);
    // Choosing a pen forgets the region: the next drag marks again.
    e.PenExecute(0);
    Stroke(4, 2, 6, 6);
    EXPECT_EQ(Differences(after, Bytes()), "");
}

// ---- Undo and redo ----

TEST_F(EditorEdit, UndoAndRedoRestoreTheBytes) {
    Editor& e = Open(RandomBytes(16384, 5));
    const std::vector<uint8_t> original = Bytes();
    e.PenExecute(4);
    e.Space().SelectPaletteEntry(3);
    Stroke(0, 0, 15, 15);
    const std::vector<uint8_t> drawn = Bytes();
    ASSERT_NE(Differences(original, drawn), "");
    view.ClearLog();
    e.EditUndo();
    EXPECT_EQ(Differences(original, Bytes()), "");
    EXPECT_FALSE(e.Space().Undo().CanUndo());
    EXPECT_TRUE(e.Space().Undo().CanRedo());
    EXPECT_EQ(view.Count("C"), 1);
    e.EditRedo();
    EXPECT_EQ(Differences(drawn, Bytes()), "");
    EXPECT_TRUE(e.Space().Undo().CanUndo());
    EXPECT_FALSE(e.Space().Undo().CanRedo());
    EXPECT_EQ(view.beeps, 0);
    // The page shows what the bytes hold.
    EXPECT_EQ(e.Space().TileImage().Pixel(8, 8), 3);
}

TEST_F(EditorEdit, UndoAndRedoWithoutAStepBeep) {
    Editor& e = Open(RandomBytes(8192, 6));
    const std::vector<uint8_t> original = Bytes();
    e.EditUndo();
    EXPECT_EQ(view.beeps, 1);
    e.EditRedo();
    EXPECT_EQ(view.beeps, 2);
    EXPECT_EQ(Differences(original, Bytes()), "");
    e.Space().SelectPaletteEntry(1);
    Click(0, 0);
    e.EditUndo();
    e.EditUndo();
    EXPECT_EQ(view.beeps, 3);
    EXPECT_EQ(Differences(original, Bytes()), "");
}

TEST_F(EditorEdit, UndoAfterScrollingJumpsBackToTheChangedAddress) {
    Editor& e = Open(std::vector<uint8_t>(32768, 0));
    e.AddrJump(0x1000);
    e.Space().SelectPaletteEntry(1);
    Click(0, 0);
    EXPECT_EQ(Differences(std::vector<uint8_t>(32768, 0), Bytes()), "1000:00>80");
    e.AddrJump(0x4000);
    ASSERT_EQ(e.Space().Address(), 0x4000);
    e.EditUndo();
    EXPECT_EQ(e.Space().Address(), 0x1000);
    EXPECT_EQ(Differences(std::vector<uint8_t>(32768, 0), Bytes()), "");
    e.AddrJump(0x6000);
    e.EditRedo();
    EXPECT_EQ(e.Space().Address(), 0x1000);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 1);
}

TEST_F(EditorEdit, RedoBringsBackChangesOnTwoPages) {
    Editor& e = Open(std::vector<uint8_t>(32768, 0));
    e.Space().SelectPaletteEntry(1);
    Click(0, 0);
    e.AddrJump(0x4000);
    Click(1, 0);
    const std::vector<uint8_t> both = Bytes();
    EXPECT_EQ(Differences(std::vector<uint8_t>(32768, 0), both), "0000:00>80 4000:00>40");
    e.EditUndo();
    e.EditUndo();
    EXPECT_EQ(e.Space().Address(), 0);
    EXPECT_EQ(Differences(std::vector<uint8_t>(32768, 0), Bytes()), "");
    e.EditRedo();
    EXPECT_EQ(e.Space().Address(), 0);
    EXPECT_EQ(Differences(std::vector<uint8_t>(32768, 0), Bytes()), "0000:00>80");
    e.EditRedo();
    EXPECT_EQ(e.Space().Address(), 0x4000);
    EXPECT_EQ(Differences(both, Bytes()), "");
    EXPECT_EQ(view.beeps, 0);
}

TEST_F(EditorEdit, ThirtyThreeCommitsGiveThirtyTwoUndos) {
    Editor& e = Open(std::vector<uint8_t>(8192, 0));
    e.Space().SelectPaletteEntry(1);
    for (int k = 0; k < 33; ++k)
        Click(k % 16, k / 16);
    for (int k = 0; k < 32; ++k)
        e.EditUndo();
    EXPECT_EQ(view.beeps, 0);
    // Only the first click is left.
    EXPECT_EQ(Differences(std::vector<uint8_t>(8192, 0), Bytes()), "0000:00>80");
    e.EditUndo();
    EXPECT_EQ(view.beeps, 1);
}

TEST_F(EditorEdit, UndoForgetsTheStampRegion) {
    std::vector<uint8_t> bytes(16384, 0);
    bytes[0] = 0xC0;
    Editor& e = Open(bytes);
    e.PenExecute(0);
    Stroke(0, 0, 1, 0);
    e.EditUndo(); // nothing to undo, but the region is gone
    EXPECT_EQ(view.beeps, 1);
    Stroke(0, 0, 4, 2);
    EXPECT_FALSE(e.Space().Undo().CanUndo()) << "the drag marked a new region";
}

// ---- Pixel commands ----

TEST_F(EditorEdit, MirroringTwiceRestoresTheArea) {
    for (MirrorAxis axis : {MirrorAxis::Horizontal, MirrorAxis::Vertical}) {
        Editor& e = Open(RandomBytes(16384, 7));
        const std::vector<uint8_t> original = Bytes();
        e.EditMirror(axis);
        EXPECT_NE(Differences(original, Bytes()), "");
        e.EditMirror(axis);
        EXPECT_EQ(Differences(original, Bytes()), "");
        EXPECT_EQ(e.Space().Undo().UndoSteps(), 2);
    }
}

TEST_F(EditorEdit, AHorizontalMirrorOfTwoByTwoTilesSwapsAndMirrorsThem) {
    std::vector<uint8_t> bytes(16384, 0);
    bytes[0] = 0x80;           // tile 0: pixel (0, 0) colour 1
    bytes[16 + 8] = 0x03;      // tile 1: pixels (6, 0) and (7, 0) colour 2
    bytes[17 * 16 + 5] = 0x10; // tile 17: pixel (3, 5) colour 1
    Editor& e = Open(bytes);
    const std::vector<uint8_t> before = Bytes();
    e.EditMirror(MirrorAxis::Horizontal);
    EXPECT_EQ(Differences(before, Bytes()),
              "0000:80>00 0008:00>C0 0010:00>01 0018:03>00 0105:00>08 0115:10>00")
        << "tile 0 gets tile 1 mirrored, tile 1 tile 0, tile 16 tile 17";
}

TEST_F(EditorEdit, EightShiftsGiveBackTheTile) {
    for (ShiftDirection d :
         {ShiftDirection::Up, ShiftDirection::Down, ShiftDirection::Left, ShiftDirection::Right}) {
        Editor& e = Open(RandomBytes(16384, 8));
        SelectTile(3, 2);
        const std::vector<uint8_t> original = Bytes();
        e.EditShift(d);
        const std::string once = Differences(original, Bytes());
        EXPECT_NE(once, "");
        for (int k = 1; k < 8; ++k)
            e.EditShift(d);
        EXPECT_EQ(Differences(original, Bytes()), "");
        EXPECT_EQ(e.Space().Undo().UndoSteps(), 8);
    }
}

TEST_F(EditorEdit, AShiftedOutRowComesBackOnTheOppositeSide) {
    std::vector<uint8_t> bytes(16384, 0);
    bytes[0] = 0xFF; // tile 0, row 0: colour 1 across
    Editor& e = Open(bytes);
    SelectTile(0, 0);
    e.EditShift(ShiftDirection::Up);
    EXPECT_EQ(Differences(bytes, Bytes()), "0000:FF>00 0007:00>FF");
    e.EditShift(ShiftDirection::Down);
    e.EditShift(ShiftDirection::Down);
    EXPECT_EQ(Differences(bytes, Bytes()), "0000:FF>00 0001:00>FF");
}

TEST_F(EditorEdit, RotateRightThenLeftRestores) {
    Editor& e = Open(RandomBytes(16384, 9));
    const std::vector<uint8_t> original = Bytes();
    const uint8_t topLeft = e.Space().TileImage().Pixel(0, 0);
    const uint8_t bottomLeft = e.Space().TileImage().Pixel(0, 15);
    e.EditRotate(true);
    EXPECT_EQ(e.Space().TileImage().Pixel(15, 0), topLeft) << "a quarter turn clockwise";
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), bottomLeft);
    e.EditRotate(false);
    EXPECT_EQ(Differences(original, Bytes()), "");
    e.EditRotate(false);
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 15), topLeft) << "a quarter turn counter-clockwise";
    e.EditRotate(true);
    EXPECT_EQ(Differences(original, Bytes()), "");
}

TEST_F(EditorEdit, ANonSquareRotationChangesNothingButRecordsAStep) {
    Editor& e = Open(RandomBytes(16384, 10));
    SelectTiles(0, 0, 2, 1);
    ASSERT_FALSE(e.CanRotate());
    const std::vector<uint8_t> original = Bytes();
    e.EditRotate(true);
    EXPECT_EQ(Differences(original, Bytes()), "");
    EXPECT_TRUE(e.Space().Undo().CanUndo());
}

TEST_F(EditorEdit, ClearZeroesTheAreaAndOneUndoRestoresIt) {
    Editor& e = Open(RandomBytes(16384, 11));
    const std::vector<uint8_t> original = Bytes();
    e.EditClear();
    const std::vector<uint8_t> cleared = Bytes();
    for (int tile : {0, 1, 16, 17})
        for (int i = 0; i < 16; ++i)
            ASSERT_EQ(cleared[static_cast<size_t>(tile * 16 + i)], 0) << tile;
    for (int tile : {2, 15, 18, 32})
        for (int i = 0; i < 16; ++i)
            ASSERT_EQ(cleared[static_cast<size_t>(tile * 16 + i)],
                      original[static_cast<size_t>(tile * 16 + i)])
                << tile;
    e.EditUndo();
    EXPECT_EQ(Differences(original, Bytes()), "");
}

TEST_F(EditorEdit, SelectAllTakesThePageAndCommitsNothing) {
    Editor& e = Open(RandomBytes(16384, 12));
    const std::vector<uint8_t> original = Bytes();
    e.EditSelectAll();
    EXPECT_EQ(e.GetEditArea(), (EditArea{0, 0, 15, 15}));
    EXPECT_TRUE(e.IsPastePreview());
    EXPECT_EQ(view.Steps(), "T E C") << "the rotations follow the square area";
    EXPECT_TRUE(e.CanRotate());
    EXPECT_FALSE(e.Space().Undo().CanUndo());
    EXPECT_EQ(Differences(original, Bytes()), "");
    // The commands then act on the whole page.
    e.EditClear();
    const std::vector<uint8_t> cleared = Bytes();
    EXPECT_EQ(std::vector<uint8_t>(cleared.begin(), cleared.begin() + 4096),
              std::vector<uint8_t>(4096, 0));
    EXPECT_EQ(Differences(std::vector<uint8_t>(original.begin() + 4096, original.end()),
                          std::vector<uint8_t>(cleared.begin() + 4096, cleared.end())),
              "");
}

// ---- Clipboard ----

TEST_F(EditorEdit, CopyThenPasteRestoresTheColourNumbersWithoutTheGroup) {
    Editor& e = Open(RandomBytes(16384, 13));
    e.Space().SelectPaletteEntry(0x06); // group 1: the page decodes to values 4-7
    e.Space().DecodePage();
    ASSERT_GE(e.Space().TileImage().Pixel(0, 0), 4);
    const std::vector<uint8_t> original = Bytes();
    e.EditCopy();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(e.IsPastePreview());
    Image8 clip;
    const std::vector<uint8_t> pixels = ClipboardImageRows(clip);
    EXPECT_EQ(clip.Width(), 16);
    EXPECT_EQ(clip.Height(), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(clip.Pixel(x, y), e.Space().TileImage().Pixel(x, y) & 3) << x << "," << y;
    e.EditClear();
    ASSERT_NE(Differences(original, Bytes()), "");
    e.EditPaste(false);
    EXPECT_EQ(Differences(original, Bytes()), "");
    EXPECT_EQ(view.beeps, 0);
    EXPECT_EQ(e.Space().Undo().UndoSteps(), 2);
}

TEST_F(EditorEdit, CutCopiesAndClears) {
    Editor& e = Open(RandomBytes(16384, 14));
    const std::vector<uint8_t> original = Bytes();
    const uint8_t pixel = e.Space().TileImage().Pixel(5, 9);
    e.EditCut();
    Image8 clip;
    ClipboardImageRows(clip);
    EXPECT_EQ(clip.Pixel(5, 9), pixel & 3);
    EXPECT_EQ(e.Space().TileImage().Pixel(5, 9), 0);
    EXPECT_TRUE(e.IsPastePreview());
    e.EditUndo();
    EXPECT_EQ(Differences(original, Bytes()), "");
}

TEST_F(EditorEdit, APasteLargerThanTheSpaceIsClipped) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    Image8 big(20, 20);
    big.Fill(1);
    view.clipboard = Image8ToDib(big);
    SelectTile(15, 15);
    e.EditPaste(false);
    std::vector<uint8_t> expected(16384, 0);
    for (int i = 0; i < 8; ++i)
        expected[255 * 16 + static_cast<size_t>(i)] = 0xFF;
    EXPECT_EQ(Differences(expected, Bytes()), "");
}

// A picture another program copied in true colour, in the page's own colours, pastes as the
// page's colour numbers (the one rule of pictures), not as the container's reduction.
TEST_F(EditorEdit, ATrueColourPasteInThePagesOwnColoursGivesBackItsColourNumbers) {
    Editor& e = Open(test::RandomBytes(16384, 9));
    e.PaletteSelect(3); // a group whose colours the container would not keep in order
    const std::vector<uint8_t> before = Bytes();
    ImageRgb colours(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            colours.SetPixel(x, y, e.DisplayPalette()[e.Space().TileImage().Pixel(x, y)]);
    const std::vector<uint8_t> file = test::Bitmap24(colours);
    view.clipboard.assign(file.begin() + 14, file.end());
    SelectTile(0, 0);
    e.EditPaste(false);
    EXPECT_EQ(Differences(before, Bytes()), "");
}

TEST_F(EditorEdit, ASmallerPasteChangesOnlyWhatItCovers) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0xFF)); // every pixel colour 3
    Image8 small(3, 2);
    small.Fill(0x11); // colour 1 of group 4: the group is dropped
    view.clipboard = Image8ToDib(small);
    SelectTile(1, 0);
    const std::vector<uint8_t> before = Bytes();
    e.EditPaste(false);
    // Tile 1 rows 0-1, columns 0-2: colour 1 keeps plane 0 and clears plane 1.
    EXPECT_EQ(Differences(before, Bytes()), "0018:FF>1F 0019:FF>1F");
}

TEST_F(EditorEdit, PasteWithoutAnImageBeepsAndStillCommits) {
    Editor& e = Open(RandomBytes(16384, 15));
    const std::vector<uint8_t> original = Bytes();
    EXPECT_FALSE(view.ClipboardHasDib());
    e.EditPaste(false);
    EXPECT_EQ(view.beeps, 1);
    EXPECT_TRUE(e.Space().Undo().CanUndo());
    EXPECT_EQ(Differences(original, Bytes()), "");
}

TEST_F(EditorEdit, CorruptClipboardBytesBeepAndChangeNothing) {
    const std::vector<std::vector<uint8_t>> corrupt = {
        {1, 2, 3},
        std::vector<uint8_t>(40, 0xFF),
        {40, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 8, 0},
    };
    for (const std::vector<uint8_t>& bytes : corrupt) {
        Editor& e = Open(RandomBytes(16384, 16));
        const std::vector<uint8_t> original = Bytes();
        view.beeps = 0;
        view.clipboard = bytes;
        e.EditPaste(false);
        EXPECT_EQ(view.beeps, 1) << bytes.size();
        EXPECT_EQ(Differences(original, Bytes()), "") << bytes.size();
        EXPECT_TRUE(e.Space().Undo().CanUndo());
    }
}

TEST_F(EditorEdit, ACancelledOptimisedPastePastesNothing) {
    Editor& e = Open(RandomBytes(16384, 17));
    Image8 image(8, 8);
    image.Fill(2);
    view.clipboard = Image8ToDib(image);
    const std::vector<uint8_t> original = Bytes();
    e.EditPaste(true);
    EXPECT_EQ(view.Count("optimize"), 1);
    EXPECT_EQ(Differences(original, Bytes()), "");
    EXPECT_TRUE(e.Space().Undo().CanUndo()) << "the commit still runs";
    EXPECT_EQ(view.beeps, 0);
    // Accepted, the dialog's numbers are pasted.
    view.optimize = [](Image8& source, const Image8& destination) {
        EXPECT_EQ(destination.Width(), 128);
        source.Fill(1);
        return true;
    };
    e.EditPaste(true);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(e.Space().TileImage().Pixel(x, y) & 3, 1);
    EXPECT_EQ(Bytes()[0], 0xFF);
    EXPECT_EQ(Bytes()[8], 0x00);
}

TEST_F(EditorEdit, AFailedCopyShowsTheMessage) {
    Editor& e = Open(RandomBytes(16384, 18));
    view.refuseClipboard = true;
    e.EditCopy();
    EXPECT_EQ(view.messages, std::vector<std::string>{"Failed to copy image to clipboard."});
    EXPECT_FALSE(view.ClipboardHasDib());
    // A cut whose copy failed keeps the pixels: they are nowhere else.
    const std::vector<uint8_t> original = Bytes();
    e.EditCut();
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(Differences(original, Bytes()), "");
    EXPECT_FALSE(e.Space().Undo().CanUndo());
    view.refuseClipboard = false;
    e.EditCut();
    EXPECT_NE(Differences(original, Bytes()), "");
    EXPECT_TRUE(e.Space().Undo().CanUndo());
}

TEST_F(EditorEdit, ClearClipboardEmptiesIt) {
    Editor& e = Open(RandomBytes(16384, 19));
    e.EditCopy();
    ASSERT_TRUE(view.ClipboardHasDib());
    e.EditClearClipboard();
    EXPECT_FALSE(view.ClipboardHasDib());
    EXPECT_TRUE(view.clipboard.empty());
}

// ---- Colour replacement ----

TEST_F(EditorEdit, AReplacementSwapsTwoColoursInOnePassAndKeepsTheGroup) {
    std::vector<uint8_t> bytes(16384, 0);
    // Tile 0 row 0: pixels 0-1 colour 1, 2-3 colour 2, 4-5 colour 3; tile 2 row 0 colour 1.
    bytes[0] = 0xCC;
    bytes[8] = 0x3C;
    bytes[32] = 0xFF;
    Editor& e = Open(bytes);
    e.Space().SelectPaletteEntry(0x05); // group 1
    e.Space().DecodePage();
    std::array<uint8_t, 256> map{};
    for (int k = 0; k < 256; ++k)
        map[static_cast<size_t>(k)] = static_cast<uint8_t>(k);
    map[1] = 2;
    map[2] = 1;
    view.replaceMap = map;
    e.ReplaceColour();
    EXPECT_EQ(view.replaceColourCount, 4);
    // Pixels 0-1 colour 2, 2-3 colour 1; tile 2 lies outside the edit area.
    EXPECT_EQ(Differences(bytes, Bytes()), "0000:CC>3C 0008:3C>CC");
    EXPECT_EQ(e.Space().TileImage().Pixel(0, 0), 0x06);
    EXPECT_EQ(e.Space().TileImage().Pixel(2, 0), 0x05);
    EXPECT_EQ(e.Space().TileImage().Pixel(4, 0), 0x07);
    EXPECT_TRUE(e.Space().Undo().CanUndo());
    e.EditUndo();
    EXPECT_EQ(Differences(bytes, Bytes()), "");
}

TEST_F(EditorEdit, AReplacementThatChangesNoPixelRecordsNoStep) {
    std::vector<uint8_t> bytes(16384, 0);
    bytes[0] = 0x80;
    Editor& e = Open(bytes);
    std::array<uint8_t, 256> map{};
    for (int k = 0; k < 256; ++k)
        map[static_cast<size_t>(k)] = static_cast<uint8_t>(k);
    view.replaceMap = map;
    e.ReplaceColour();
    EXPECT_FALSE(e.Space().Undo().CanUndo()) << "the identity";
    map[3] = 2; // colour 3 is nowhere in the area
    view.replaceMap = map;
    e.ReplaceColour();
    EXPECT_FALSE(e.Space().Undo().CanUndo());
    view.replaceMap.reset(); // cancelled
    e.ReplaceColour();
    EXPECT_FALSE(e.Space().Undo().CanUndo());
    EXPECT_EQ(Differences(bytes, Bytes()), "");
}

// ---- Snapshots ----

TEST_F(EditorEdit, ASnapshotThatCannotBeWrittenSaysWhyAsEveryFailedSave) {
    Editor& e = Open(RandomBytes(16384, 21));
    const std::string path = PathOf("no-such-folder/snap.bmp");
    const FileResult written = e.SaveSnapshot(path);
    ASSERT_FALSE(written);
    EXPECT_EQ(view.failures, std::vector<std::string>{FailureMessage(written, FileAction::Save)});
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(EditorEdit, ASnapshotSavedAndLoadedBackRestoresThePage) {
    Editor& e = Open(RandomBytes(16384, 20));
    e.Space().SelectPaletteEntry(0x0D); // group 3: the file holds values 12-15
    e.Space().DecodePage();
    const std::vector<uint8_t> original = Bytes();
    const std::string path = PathOf("snap.bmp");
    ASSERT_TRUE(e.SaveSnapshot(path));
    Image8 file;
    ASSERT_TRUE(ReadBitmapFile(path, file));
    EXPECT_EQ(file.Width(), 128);
    EXPECT_EQ(file.Height(), 128);
    EXPECT_EQ(file.Pixel(0, 0), e.Space().TileImage().Pixel(0, 0));
    EXPECT_GE(file.Pixel(0, 0), 12);

    e.EditSelectAll();
    e.EditClear();
    ASSERT_NE(Differences(original, Bytes()), "");
    e.LoadSnapshot(file);
    EXPECT_EQ(Differences(original, Bytes()), "");
    e.EditUndo();
    EXPECT_EQ(Bytes()[0], 0) << "the load is one undo step";
}

TEST_F(EditorEdit, ASmallSnapshotLoadsIntoTheTopLeftCorner) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    const Image8 image = [] {
        Image8 i(9, 1);
        i.Fill(0x0E); // colour 2 after the mask
        return i;
    }();
    e.LoadSnapshot(image);
    EXPECT_EQ(Differences(std::vector<uint8_t>(16384, 0), Bytes()), "0008:00>FF 0018:00>80");
    EXPECT_TRUE(view.messages.empty()) << "nothing of it was left out";
}

TEST_F(EditorEdit, ASnapshotLargerThanThePageSaysWhatWasLeftOut) {
    Editor& e = Open(std::vector<uint8_t>(16384, 0));
    const struct {
        int width, height;
        std::string said;
    } cases[] = {
        {128, 128, ""},
        {129, 128, "s.bmp\n画像の幅は 129 ピクセルです。左の 128 列だけを読み込みました。"},
        {128, 300, "s.bmp\n画像の高さは 300 ピクセルです。上の 128 行だけを読み込みました。"},
        {200, 129,
         "s.bmp\n画像の幅は 200 ピクセルです。左の 128 列だけを読み込みました。\n"
         "画像の高さは 129 ピクセルです。上の 128 行だけを読み込みました。"},
    };
    for (const auto& c : cases) {
        view.messages.clear();
        e.LoadSnapshot(Image8(c.width, c.height), "s.bmp");
        EXPECT_EQ(view.messages,
                  c.said.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.said})
            << c.width << " x " << c.height;
    }
}

TEST_F(EditorEdit, TheSuggestedSnapshotNameSkipsExistingFiles) {
    // Snapshots are suggested in the work folder the paths name, not the current one.
    paths.workFolder = PathOf("");
    Editor& e = Start();
    EXPECT_EQ(SnapshotSuggestedName(e.Paths().workFolder), "chr000.bmp");
    WriteFile("chr000.bmp", {});
    WriteFile("chr001.bmp", {});
    WriteFile("chr003.bmp", {});
    EXPECT_EQ(SnapshotSuggestedName(e.Paths().workFolder), "chr002.bmp");
    char name[16];
    for (int n = 0; n <= 999; ++n) {
        std::snprintf(name, sizeof name, "chr%03d.bmp", n);
        WriteFile(name, {});
    }
    EXPECT_EQ(SnapshotSuggestedName(e.Paths().workFolder), "chr000.bmp") << "all taken";
}

} // namespace
