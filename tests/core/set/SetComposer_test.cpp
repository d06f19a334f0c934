#include "core/set/SetComposer.h"
#include "core/set/SetImage.h"

#include "core/dib/BitmapFile.h"
#include "core/views/PaletteViewRules.h"

#include "SetTestFiles.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

// Picture pixel at the middle of a 16-pixel cell.
int Mid(int cell) {
    return cell * 16 + 8;
}

void ClickChr(SetComposer& set, int column, int row) {
    set.ImageChrMouseDown(ButtonLeft, Mid(column), Mid(row));
    set.ImageChrMouseUp(Mid(column), Mid(row));
}

void ClickStrip(SetComposer& set, int group) {
    set.ImagePalMouseDown(ButtonLeft, Mid(group), 8);
    set.ImagePalMouseUp(Mid(group), 8);
}

Image8::Palette GreyRamp() {
    Image8::Palette palette{};
    for (int i = 0; i < 256; ++i)
        palette[i] = MakeColour(i, i, i);
    return palette;
}

} // namespace

TEST(SetComposer, TypingOnTheLastCellWrapsTheCursorToTheFirst) {
    SetComposer set;
    set.ChooseMode(SetMode::Type);
    set.Key(SetKey::End);
    set.Key(SetKey::PageDown);
    ASSERT_EQ(set.SetSelection(), CellSelection::Single(31, 29));
    ClickChr(set, 7, 3);
    EXPECT_EQ(set.Document().Name(31, 29), 0x37);
    EXPECT_EQ(set.SetSelection(), CellSelection::Single(0, 0));
    ClickChr(set, 1, 0);
    ClickChr(set, 2, 0);
    EXPECT_EQ(set.Document().Name(0, 0), 0x01);
    EXPECT_EQ(set.Document().Name(1, 0), 0x02);
    EXPECT_EQ(set.SetSelection(), CellSelection::Single(2, 0));
}

TEST(SetComposer, TypeModeKeysMoveTheCursor) {
    struct Case {
        int x, y;
        SetKey key;
        int ex, ey;
    };
    const Case cases[] = {
        {0, 0, SetKey::Left, 0, 0},    {31, 5, SetKey::Right, 31, 5},
        {4, 0, SetKey::Up, 4, 0},      {4, 29, SetKey::Down, 4, 29},
        {4, 5, SetKey::Home, 0, 5},    {4, 5, SetKey::PageDown, 4, 29},
        {9, 29, SetKey::Enter, 0, 0},  {31, 3, SetKey::Space, 0, 4},
        {31, 29, SetKey::Space, 0, 0}, {30, 29, SetKey::Space, 31, 29},
    };
    for (const Case& c : cases) {
        SetComposer set;
        set.ChooseMode(SetMode::Type);
        set.ImageSetMouseDown(ButtonLeft, Mid(c.x), Mid(c.y));
        set.ImageSetMouseUp(Mid(c.x), Mid(c.y));
        const SetRedraw r = set.Key(c.key);
        EXPECT_TRUE(r.set);
        EXPECT_EQ(set.SetSelection(), CellSelection::Single(c.ex, c.ey))
            << c.x << "," << c.y << " key " << static_cast<int>(c.key);
    }
}

TEST(SetComposer, DrawModeStampsTheChrSelectionWithTheNesPalette) {
    SetComposer set;
    ClickStrip(set, 3);
    ASSERT_EQ(set.PaletteValue(), 3);
    // A right drag on the tiles from (5, 8) to (2, 5) selects columns 2-5, rows 5-8.
    set.ImageChrMouseDown(ButtonRight, Mid(5), Mid(8));
    set.ImageChrMouseMove(Mid(2), Mid(5));
    set.ImageChrMouseUp(Mid(2), Mid(5));
    ASSERT_EQ(set.ChrSelection(), (CellSelection{2, 5, 5, 8}));
    const SetRedraw r = set.ImageSetMouseDown(ButtonLeft, Mid(30), Mid(28));
    set.ImageSetMouseUp(Mid(30), Mid(28));
    EXPECT_TRUE(r.set);
    const SetDocument& doc = set.Document();
    for (int i = 0; i < SetDocument::Cells; ++i) {
        const int x = i % 32, y = i / 32;
        const int expected = x >= 30 && y >= 28 ? (2 + x - 30) | ((5 + y - 28) * 16) : 0;
        ASSERT_EQ(doc.Names()[i], expected) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{30, 28}, {31, 28}, {30, 29}, {31, 29}})
        EXPECT_EQ(doc.Palette(x, y), 3);
    EXPECT_EQ(doc.Palette(29, 29), 0);
    set.SetNesPaletteRule(false);
    set.ImageSetMouseDown(ButtonLeft, Mid(1), Mid(1));
    set.ImageSetMouseUp(Mid(1), Mid(1));
    EXPECT_EQ(doc.Palette(1, 1), 3);
    EXPECT_EQ(doc.Palette(0, 0), 0);
}

TEST(SetComposer, RightButtonOnTheSetPicksTileAndPalette) {
    SetComposer set;
    set.Document().SetName(3, 4, 0x9A);
    set.Document().SetPalette(3, 4, 0x17);
    const SetRedraw r = set.ImageSetMouseDown(ButtonRight, Mid(3), Mid(4));
    set.ImageSetMouseUp(Mid(3), Mid(4));
    EXPECT_TRUE(r.chr && r.pal);
    EXPECT_EQ(set.ChrSelection(), CellSelection::Single(10, 9));
    EXPECT_EQ(set.PaletteValue(), 0x17);
    EXPECT_EQ(set.PaletteColumn(), 7);
    EXPECT_EQ(set.PaletteRow(), 1);
    EXPECT_EQ(set.Document().Name(3, 4), 0x9A);
}

TEST(SetComposer, PassingOverTheTilesWithoutAButtonChangesNothing) {
    SetComposer set;
    set.ChooseMode(SetMode::Type);
    set.ImageChrMouseMove(Mid(4), Mid(4));
    set.ImageChrMouseMove(Mid(9), Mid(2));
    EXPECT_EQ(set.Document().Name(0, 0), 0);
    EXPECT_EQ(set.ChrSelection(), CellSelection::Single(0, 0));
}

TEST(SetComposer, PaletteStripChoosesGroupsAndTheRightButtonHidesTheFrame) {
    SetComposer set;
    set.SetTileSource(Image8(128, 128), GreyRamp());
    set.ChooseMode(SetMode::Type);
    set.SelectAll();
    ClickStrip(set, 9);
    EXPECT_EQ(set.PaletteValue(), 9);
    EXPECT_EQ(set.Document().Palette(31, 29), 9);
    EXPECT_EQ(set.TileSource().Pixel(0, 0), 36); // recoloured: 0 AND 3 OR 9 x 4
    const uint8_t white = 255;
    EXPECT_EQ(set.PalPicture().Pixel(9 * 16, 0), white);
    set.ImagePalMouseDown(ButtonRight, Mid(2), 8);
    set.ImagePalMouseUp(Mid(2), 8);
    EXPECT_EQ(set.PaletteColumn(), -1);
    EXPECT_EQ(set.PaletteValue(), 9);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 16; ++y)
            ASSERT_EQ(set.PalPicture().Pixel(x, y), 4 * (x / 16) + (x % 16) / 8 + 2 * (y / 8));
    // A drag past the strip keeps to its last group in row 0.
    set.ImagePalMouseDown(ButtonLeft, 900, 60);
    EXPECT_EQ(set.PaletteValue(), 15);
    EXPECT_EQ(set.PaletteRow(), 0);
}

TEST(SetComposer, SpriteModeKeysEditTheCurrentSprite) {
    struct Case {
        Sprite start;
        SetKey key;
        Sprite expected;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, SetKey::Left, {0, 0, 0, 0}},
        {{0, 0, 0, 255}, SetKey::Right, {0, 0, 0, 255}},
        {{255, 0, 0, 0}, SetKey::Down, {255, 0, 0, 0}},
        {{9, 0, 0, 0}, SetKey::Up, {8, 0, 0, 0}},
        {{0, 7, 0, 5}, SetKey::Up, {0, 7, 0, 5}},
        {{0, 255, 0, 0}, SetKey::Enter, {0, 0, 0, 0}},
        {{0, 0, 0xFB, 0}, SetKey::Space, {0, 0, 0xF8, 0}},
    };
    for (const Case& c : cases) {
        SetComposer set;
        set.Document().SetSprite(0, c.start);
        set.ChooseMode(SetMode::Sprite);
        const SetRedraw r = set.Key(c.key);
        EXPECT_TRUE(r.chr && r.set);
        EXPECT_EQ(set.Document().GetSprite(0), c.expected) << static_cast<int>(c.key);
    }
    SetComposer set;
    set.ChooseMode(SetMode::Sprite);
    set.Key(SetKey::PageUp);
    EXPECT_EQ(set.CurrentSprite(), 63);
    set.Key(SetKey::PageDown);
    set.Key(SetKey::PageDown);
    EXPECT_EQ(set.CurrentSprite(), 1);
    set.Key(SetKey::End);
    EXPECT_EQ(set.CurrentSprite(), 63);
}

TEST(SetComposer, SpriteModeTakesTileAndPaletteFromTheMouse) {
    SetComposer set;
    ClickStrip(set, 1);
    set.ChooseMode(SetMode::Sprite);
    EXPECT_EQ(set.PaletteColumn(), 4); // sprites use groups 4-7
    ClickChr(set, 3, 2);
    EXPECT_EQ(set.Document().GetSprite(0).tile, 0x23);
    EXPECT_EQ(set.Document().GetSprite(0).attributes & 3, 0);
    ClickStrip(set, 14);
    EXPECT_EQ(set.PaletteColumn(), 7);
    EXPECT_EQ(set.Document().GetSprite(0).attributes, 3);
    // The CHR selection follows the sprite's tile when ImageChr is drawn.
    set.Key(SetKey::Enter);
    EXPECT_EQ(set.ChrSelection(), CellSelection::Single(4, 2));
}

TEST(SetComposer, SnapshotHoldsTheSetImageWithItsPalette) {
    test::TempFolder folder;
    Image8 source(128, 128);
    const std::vector<uint8_t> bytes = test::RandomBytes(128 * 128, 21);
    std::copy(bytes.begin(), bytes.end(), source.Bits());
    SetComposer set;
    set.SetTileSource(source, GreyRamp());
    for (int i = 0; i < SetDocument::Cells; ++i) {
        set.Document().Names()[i] = static_cast<uint8_t>(i * 7);
        set.Document().Palettes()[i] = static_cast<uint8_t>(i % 70);
    }
    set.RedrawAll();
    EXPECT_EQ(set.SetImage(), RenderSetImage(set.Document(), set.TileSource(), false));
    ASSERT_TRUE(set.SaveSnapshot(folder.File("set000.bmp")).file);
    Image8 read;
    ASSERT_TRUE(ReadBitmapFile(folder.File("set000.bmp"), read));
    EXPECT_EQ(read, set.SetImage());
}
