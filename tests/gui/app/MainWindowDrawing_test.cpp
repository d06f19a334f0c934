#include "support/WindowFixture.h"

#include "core/palette/CDatPalette.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/app/MainStatusBar.h"
#include "gui/views/ImagePanel.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <array>
#include <set>
#include <utility>

// Strokes with real mouse events on the edit view, checked against the document bytes that
// a separate model of the tile layouts, the quarter turn and the tile order predicts.

namespace tavrin::test {
namespace {

using Pixel = std::pair<int, int>; // tile-image x, y

constexpr int Nes2 = 1;  // "2BPP NES"
constexpr int Snes4 = 7; // "4BPP SNES/PCE CG"

// Slots (c, r) of the page grouped into 2 x 2 blocks of consecutive tiles, as 16 x 16 sprites
// are stored: a permutation of the 256 tiles.
std::array<uint8_t, 256> SpriteOrder() {
    std::array<uint8_t, 256> tiles{};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            tiles[static_cast<size_t>(r * 16 + c)] =
                static_cast<uint8_t>(((r / 2) * 8 + c / 2) * 4 + (r % 2) * 2 + c % 2);
    return tiles;
}

// The two patterns of the test's own standard .adf: "Normal" and "Sprites".
QByteArray AdfFile() {
    QByteArray bytes(2 * 288, '\0');
    const auto name = [&bytes](int entry, const char* text) {
        for (int i = 0; text[i] != '\0'; ++i)
            bytes[entry * 288 + i] = text[i];
    };
    name(0, "Normal");
    name(1, "Sprites");
    const std::array<uint8_t, 256> sprites = SpriteOrder();
    for (int n = 0; n < 256; ++n) {
        bytes[32 + n] = static_cast<char>(n);
        bytes[288 + 32 + n] = static_cast<char>(sprites[static_cast<size_t>(n)]);
    }
    return bytes;
}

int BitsPerPixel(int format) {
    return format == Snes4 ? 4 : 2;
}

// The byte within a tile that holds value bit `bit` of row r.
int PlaneByte(int format, int r, int bit) {
    if (format == Nes2)
        return bit == 0 ? r : 8 + r;
    const int planes[4] = {2 * r, 2 * r + 1, 16 + 2 * r, 17 + 2 * r};
    return planes[bit];
}

// Writes one pixel value into a tile's bytes: row r, column c of the stored tile.
void PutTilePixel(QByteArray& rom, int format, int tileOffset, int r, int c, int value) {
    const int mask = 0x80 >> c;
    for (int bit = 0; bit < BitsPerPixel(format); ++bit) {
        char& byte = rom[tileOffset + PlaneByte(format, r, bit)];
        byte = static_cast<char>((value >> bit) & 1 ? (byte | mask) : (byte & ~mask));
    }
}

int TilePixel(const QByteArray& rom, int format, int tileOffset, int r, int c) {
    int value = 0;
    for (int bit = 0; bit < BitsPerPixel(format); ++bit)
        if (static_cast<uint8_t>(rom[tileOffset + PlaneByte(format, r, bit)]) & (0x80 >> c))
            value |= 1 << bit;
    return value;
}

// Where pixel (x, y) of the page, shown a quarter turn clockwise with the tiles in sprite
// order, is stored: the tile's offset, and the row and column within the stored tile.
struct Stored {
    int tileOffset;
    int r;
    int c;
};
Stored StoredAt(int format, int address, int x, int y) {
    const int tile = SpriteOrder()[static_cast<size_t>((y / 8) * 16 + x / 8)];
    // The stored tile's row 7 - column shows as the shown row's column.
    return {address + tile * 8 * BitsPerPixel(format), 7 - x % 8, y % 8};
}

// The document after pixels of the page took the colour.
QByteArray WithPixels(QByteArray rom, int format, int address, const std::set<Pixel>& pixels,
                      int colour) {
    const int value = colour & ((1 << BitsPerPixel(format)) - 1);
    for (const auto& [x, y] : pixels) {
        const Stored at = StoredAt(format, address, x, y);
        PutTilePixel(rom, format, at.tileOffset, at.r, at.c, value);
    }
    return rom;
}

// The bytes that differ, as "offset: actual expected" lines in hex; empty when none do.
std::string Differences(const QByteArray& actual, const QByteArray& expected) {
    if (actual.size() != expected.size())
        return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size());
    std::string text;
    for (int i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i])
            text += QStringLiteral("%1: %2 %3\n")
                        .arg(i, 5, 16, QLatin1Char('0'))
                        .arg(static_cast<uint8_t>(actual[i]), 2, 16, QLatin1Char('0'))
                        .arg(static_cast<uint8_t>(expected[i]), 2, 16, QLatin1Char('0'))
                        .toStdString();
    return text;
}

std::set<Pixel> Box(int left, int top, int right, int bottom) {
    std::set<Pixel> pixels;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            pixels.insert({x, y});
    return pixels;
}

class MainWindowDrawingTest : public WindowTest {
protected:
    void TearDown() override {
        WindowTest::TearDown();
        QGuiApplication::clipboard()->clear();
    }

    // A random 64 KiB document in the given format, turned by 90 degrees, in sprite order,
    // one row of tiles into the file.
    void OpenTurned(int format, int zoom) {
        WriteFile(QStringLiteral("tavrin.adf"), AdfFile());
        m_bytes = RandomBytes(0x10000, 21 + static_cast<unsigned>(format));
        Open({WriteFile(QStringLiteral("art.chr"), m_bytes).toStdString()});
        QGuiApplication::clipboard()->clear();
        DisplaySettingsPanel& panel = W().DisplayPanel();
        panel.Format()->setCurrentIndex(format);
        ASSERT_EQ(E().Space().FormatIndex(), format);
        panel.Rotate()->setCurrentIndex(1);
        ASSERT_EQ(panel.Pattern()->itemText(1), QStringLiteral("Sprites"));
        panel.Pattern()->setCurrentIndex(1);
        ASSERT_EQ(E().Space().PatternIndex(), 1);
        panel.Zoom()->setCurrentIndex(zoom);
        ASSERT_EQ(E().ZoomIndex(), zoom);
        Key(Qt::Key_Down);
        m_address = E().Space().Address();
        ASSERT_EQ(m_address, 128 * BitsPerPixel(format));
        // The page shows as the model of layout, turn and order says.
        const int mask = (1 << BitsPerPixel(format)) - 1;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                const Stored at = StoredAt(format, m_address, x, y);
                ASSERT_EQ(E().Space().TileImage().Pixel(x, y) & mask,
                          TilePixel(m_bytes, format, at.tileOffset, at.r, at.c))
                    << x << "," << y;
            }
    }

    QByteArray Document() const {
        return QByteArray(
            reinterpret_cast<const char*>(m_window->GetEditor().Space().Document().Data()),
            m_bytes.size());
    }

    // A move with the left button held, delivered to the panel as the window system does
    // while the button's implicit grab lasts.
    static void DragTo(QWidget* panel, QPoint pos, Qt::MouseButtons held = Qt::LeftButton) {
        QMouseEvent move(QEvent::MouseMove, QPointF(pos), panel->mapToGlobal(QPointF(pos)),
                         Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
    }

    // The edit area on the tile (column, row) of the tile view.
    void ChooseTile(int column, int row) {
        const QPoint at(column * 16 + 8, row * 16 + 8);
        Press(W().ChrView(), Qt::LeftButton, at);
        Release(W().ChrView(), Qt::LeftButton, at);
        ASSERT_EQ(E().GetEditArea().firstColumn, column);
        ASSERT_EQ(E().GetEditArea().firstRow, row);
    }

    void ExpectShown(const std::set<Pixel>& pixels, int colour) {
        const int mask = (1 << BitsPerPixel(E().Space().FormatIndex())) - 1;
        for (const auto& [x, y] : pixels)
            ASSERT_EQ(E().Space().TileImage().Pixel(x, y) & mask, colour & mask) << x << "," << y;
    }

    QByteArray m_bytes;
    int m_address = 0;
};

// Pen 1 at zoom x1 (two screen pixels per image pixel): a right angle of two segments.
TEST_F(MainWindowDrawingTest, PenStrokeAtX1WritesTheTurnedSpriteOrderedPixels) {
    for (const int format : {Nes2, Snes4}) {
        SCOPED_TRACE(format);
        OpenTurned(format, 0);
        const int colour = format == Nes2 ? 0x06 : 0x3B;
        E().Space().SelectPaletteEntry(colour);
        Key(Qt::Key_1);
        ImagePanel* edit = W().EditView();
        Press(edit, Qt::LeftButton, QPoint(20, 51));
        DragTo(edit, QPoint(101, 50));
        DragTo(edit, QPoint(100, 91));
        Release(edit, Qt::LeftButton, QPoint(100, 91));

        std::set<Pixel> stroke = Box(10, 25, 50, 25);
        stroke.merge(Box(50, 25, 50, 45));
        const QByteArray drawn = WithPixels(m_bytes, format, m_address, stroke, colour);
        ASSERT_NE(drawn, m_bytes);
        EXPECT_EQ(Differences(Document(), drawn), "");
        ExpectShown(stroke, colour);

        Key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(Differences(ReadFile(QStringLiteral("art.chr")), drawn), "");
    }
}

TEST_F(MainWindowDrawingTest, RectangleAtX16WritesTheTurnedSpriteOrderedPixels) {
    for (const int format : {Nes2, Snes4}) {
        SCOPED_TRACE(format);
        OpenTurned(format, 4);
        ChooseTile(6, 9);
        const int colour = format == Nes2 ? 0x0D : 0x2E;
        E().Space().SelectPaletteEntry(colour);
        Key(Qt::Key_4);
        ImagePanel* edit = W().EditView();
        // 32 screen pixels per image pixel over the tile at (48, 72).
        Press(edit, Qt::LeftButton, QPoint(40, 200));
        DragTo(edit, QPoint(120, 120));
        DragTo(edit, QPoint(230, 70));
        Release(edit, Qt::LeftButton, QPoint(230, 70));

        const std::set<Pixel> box = Box(49, 74, 55, 78);
        const QByteArray drawn = WithPixels(m_bytes, format, m_address, box, colour);
        EXPECT_EQ(Differences(Document(), drawn), "");
        ExpectShown(box, colour);
        EXPECT_EQ(E().GetEditArea(), (EditArea{6, 9, 6, 9})) << "the stroke keeps the area";

        Key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(Differences(ReadFile(QStringLiteral("art.chr")), drawn), "");
    }
}

TEST_F(MainWindowDrawingTest, ADragBeyondTheViewDrawsAtTheBorderPixel) {
    OpenTurned(Nes2, 4);
    ChooseTile(15, 15);
    E().Space().SelectPaletteEntry(3);
    Key(Qt::Key_1);
    ImagePanel* edit = W().EditView();
    Press(edit, Qt::LeftButton, QPoint(10, 250));
    DragTo(edit, QPoint(400, 250));
    DragTo(edit, QPoint(400, -90));
    // Released over another part of the window, still beyond the view's corner.
    Release(edit, Qt::LeftButton, QPoint(280, -40));
    std::set<Pixel> stroke = Box(120, 127, 127, 127);
    stroke.merge(Box(127, 120, 127, 127));
    EXPECT_EQ(Differences(Document(), WithPixels(m_bytes, Nes2, m_address, stroke, 3)), "");
}

TEST_F(MainWindowDrawingTest, UndoAndRedoKeysRestoreTheBytes) {
    OpenTurned(Snes4, 4);
    ChooseTile(3, 2);
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled());
    EXPECT_FALSE(Action("ActEditRedo")->isEnabled());
    E().Space().SelectPaletteEntry(0x05);
    Key(Qt::Key_4);
    ImagePanel* edit = W().EditView();
    Press(edit, Qt::LeftButton, QPoint(5, 5));
    DragTo(edit, QPoint(100, 70));
    Release(edit, Qt::LeftButton, QPoint(100, 70));
    const QByteArray first = WithPixels(m_bytes, Snes4, m_address, Box(24, 16, 27, 18), 5);
    ASSERT_EQ(Differences(Document(), first), "");
    EXPECT_TRUE(Action("ActEditUndo")->isEnabled());
    EXPECT_FALSE(Action("ActEditRedo")->isEnabled());

    E().Space().SelectPaletteEntry(0x0A);
    Key(Qt::Key_1);
    Press(edit, Qt::LeftButton, QPoint(250, 250));
    Release(edit, Qt::LeftButton, QPoint(250, 250));
    const QByteArray second = WithPixels(first, Snes4, m_address, {{31, 23}}, 0x0A);
    ASSERT_EQ(Differences(Document(), second), "");

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Differences(Document(), first), "");
    EXPECT_TRUE(Action("ActEditRedo")->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Differences(Document(), m_bytes), "");
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled());
    // Nothing left to undo: the key finds the command disabled.
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Differences(Document(), m_bytes), "");
    EXPECT_EQ(W().BeepCount(), 0);

    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Differences(Document(), first), "");
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Differences(Document(), second), "");
    EXPECT_FALSE(Action("ActEditRedo")->isEnabled());
    EXPECT_TRUE(Action("ActEditUndo")->isEnabled());
    ExpectShown({{31, 23}}, 0x0A);

    // Undo, then a new stroke: the redo step is gone.
    Key(Qt::Key_Z, Qt::ControlModifier);
    Press(edit, Qt::LeftButton, QPoint(5, 250));
    Release(edit, Qt::LeftButton, QPoint(5, 250));
    EXPECT_EQ(Differences(Document(), WithPixels(first, Snes4, m_address, {{24, 23}}, 0x0A)), "");
    EXPECT_FALSE(Action("ActEditRedo")->isEnabled());
    const QByteArray third = Document();
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Differences(Document(), third), "");
    // Called all the same, the command beeps.
    E().EditRedo();
    EXPECT_EQ(W().BeepCount(), 1);
    EXPECT_EQ(Differences(Document(), third), "");
}

TEST_F(MainWindowDrawingTest, UndoJumpsBackToTheAddressOfTheChange) {
    OpenTurned(Nes2, 4);
    E().Space().SelectPaletteEntry(1);
    Press(W().EditView(), Qt::LeftButton, QPoint(3, 3));
    Release(W().EditView(), Qt::LeftButton, QPoint(3, 3));
    ASSERT_NE(Document(), m_bytes);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_PageDown);
    ASSERT_NE(E().Space().Address(), m_address);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(E().Space().Address(), m_address);
    EXPECT_EQ(Differences(Document(), m_bytes), "");
}

TEST_F(MainWindowDrawingTest, ARightPressDuringALeftDragCancelsIt) {
    for (const int pen : {1, 4}) {
        SCOPED_TRACE(pen);
        OpenTurned(Nes2, 4);
        const Image8 before = E().Space().TileImage();
        E().Space().SelectPaletteEntry(2);
        Key(static_cast<Qt::Key>(Qt::Key_0 + pen));
        ImagePanel* edit = W().EditView();
        Press(edit, Qt::LeftButton, QPoint(10, 10));
        DragTo(edit, QPoint(200, 40));
        DragTo(edit, QPoint(220, 200));
        Press(edit, Qt::RightButton, QPoint(220, 200));
        DragTo(edit, QPoint(100, 100), Qt::LeftButton | Qt::RightButton);
        Release(edit, Qt::RightButton, QPoint(100, 100));
        Release(edit, Qt::LeftButton, QPoint(100, 100));
        EXPECT_EQ(Differences(Document(), m_bytes), "");
        EXPECT_EQ(E().Space().TileImage(), before) << "even the pen's committed segments are gone";
        EXPECT_FALSE(Action("ActEditUndo")->isEnabled()) << "nothing was committed";
        EXPECT_EQ(E().Mouse().TrackedPanel(), Panel::None);

        // The next stroke draws normally.
        Press(edit, Qt::LeftButton, QPoint(40, 40));
        Release(edit, Qt::LeftButton, QPoint(40, 40));
        EXPECT_EQ(Differences(Document(), WithPixels(m_bytes, Nes2, m_address, {{1, 1}}, 2)), "");
    }
}

TEST_F(MainWindowDrawingTest, ARightClickPicksTheColourAndWritesNothing) {
    OpenTurned(Snes4, 4);
    const int shown = E().Space().TileImage().Pixel(5, 2) & 0x0F;
    E().Space().SelectPaletteEntry(0x70 | ((shown + 1) & 0x0F));
    Press(W().EditView(), Qt::RightButton, QPoint(5 * 32 + 3, 2 * 32 + 3));
    Release(W().EditView(), Qt::RightButton, QPoint(5 * 32 + 3, 2 * 32 + 3));
    EXPECT_EQ(E().Space().PaletteSet().SelectedEntry(), 0x70 | shown) << "the palette group stays";
    EXPECT_EQ(Differences(Document(), m_bytes), "");
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled());
}

TEST_F(MainWindowDrawingTest, AClickThatDrawsNothingStillRecordsAnUndoStep) {
    OpenTurned(Nes2, 4);
    E().Space().SelectPaletteEntry(3);
    Key(Qt::Key_2);
    // (1, 0): x + y is odd, so the checker pen leaves it.
    Press(W().EditView(), Qt::LeftButton, QPoint(40, 10));
    Release(W().EditView(), Qt::LeftButton, QPoint(40, 10));
    EXPECT_EQ(Differences(Document(), m_bytes), "");
    EXPECT_TRUE(Action("ActEditUndo")->isEnabled());
    Press(W().EditView(), Qt::LeftButton, QPoint(40, 40));
    Release(W().EditView(), Qt::LeftButton, QPoint(40, 40));
    EXPECT_EQ(Differences(Document(), WithPixels(m_bytes, Nes2, m_address, {{1, 1}}, 3)), "");
}

TEST_F(MainWindowDrawingTest, DigitKeysChooseThePens) {
    OpenTurned(Nes2, 3);
    const char* const actions[10] = {"ActPen11", "ActPen01", "ActPen02", "ActPen03", "ActPen04",
                                     "ActPen05", "ActPen06", "ActPen07", "ActPen08", "ActPen09"};
    const char* const names[10] = {"スタンプ",     "ペン",         "ペン(市松)", "線",
                                   "長方形(塗り)", "長方形(市松)", "長方形(線)", "円(塗り)",
                                   "円(線)",       "塗り潰し"};
    EXPECT_EQ(E().PenNumber(), 1) << "the pen at start";
    EXPECT_TRUE(Action("ActPen01")->isChecked());
    for (const int digit : {6, 0, 9, 3, 5, 8, 2, 7, 4, 1}) {
        SCOPED_TRACE(digit);
        Key(static_cast<Qt::Key>(Qt::Key_0 + digit));
        EXPECT_EQ(E().PenNumber(), digit);
        for (int other = 0; other < 10; ++other)
            EXPECT_EQ(Action(actions[other])->isChecked(), other == digit) << actions[other];
        EXPECT_EQ(W().Status().PanelText(2), QString::fromUtf8(names[digit]));
        EXPECT_EQ(W().Status().LeftHint(),
                  QString::fromUtf8("描画：") + QString::fromUtf8(names[digit]));
        EXPECT_EQ(W().Status().RightHint(), QString::fromUtf8("スポイト"));
    }
    Key(Qt::Key_6);
    EXPECT_EQ(W().Status().PanelText(2), QString::fromUtf8("長方形(線)"));
    EXPECT_EQ(Action("ActPen06")->text(), QString::fromUtf8("長方形(枠線)(&6)"));
    EXPECT_FALSE(Action("ActPen10")->isEnabled());
}

TEST_F(MainWindowDrawingTest, PasteFollowsTheClipboard) {
    OpenTurned(Nes2, 3);
    QAction* paste = Action("ActEditPaste");
    QAction* optimise = Action("ActEditOptimizePaste");
    QAction* clear = Action("ActEditClearClipboard");
    EXPECT_FALSE(paste->isEnabled());
    EXPECT_FALSE(optimise->isEnabled());
    EXPECT_FALSE(clear->isEnabled());

    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(paste->isEnabled());
    EXPECT_TRUE(optimise->isEnabled());
    EXPECT_TRUE(clear->isEnabled());
    EXPECT_TRUE(E().IsPastePreview()) << "the edit view shows the clipboard image";

    clear->trigger();
    EXPECT_FALSE(paste->isEnabled());
    EXPECT_FALSE(clear->isEnabled());

    // Another program puts an image there.
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    EXPECT_TRUE(QTest::qWaitFor([paste] { return paste->isEnabled(); }, 1000));
    EXPECT_TRUE(optimise->isEnabled());
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(QTest::qWaitFor([paste] { return !paste->isEnabled(); }, 1000));
}

TEST_F(MainWindowDrawingTest, InPastePreviewTheEditViewIgnoresThePens) {
    OpenTurned(Nes2, 3);
    E().Space().SelectPaletteEntry(3);
    Press(W().ChrView(), Qt::RightButton, QPoint(40, 40));
    Release(W().ChrView(), Qt::RightButton, QPoint(40, 40));
    ASSERT_TRUE(E().IsPastePreview());
    Press(W().EditView(), Qt::LeftButton, QPoint(10, 10));
    DragTo(W().EditView(), QPoint(200, 200));
    Release(W().EditView(), Qt::LeftButton, QPoint(200, 200));
    EXPECT_EQ(Differences(Document(), m_bytes), "");
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled());
}

// The colour number the page shows at (x, y) for the unchanged document, by the model.
int ShownValue(const QByteArray& rom, int format, int address, int x, int y) {
    const Stored at = StoredAt(format, address, x, y);
    return TilePixel(rom, format, at.tileOffset, at.r, at.c);
}

TEST_F(MainWindowDrawingTest, TheStampMarksARegionThenCopiesItWhereADragFromInsideEnds) {
    OpenTurned(Nes2, 4);
    ChooseTile(5, 5); // pixels (40, 40) to (47, 47), 32 screen pixels each
    Key(Qt::Key_0);
    ImagePanel* edit = W().EditView();
    // A first drag marks the 2 x 2 region at (40, 40) and commits nothing.
    Press(edit, Qt::LeftButton, QPoint(10, 10));
    DragTo(edit, QPoint(40, 40));
    Release(edit, Qt::LeftButton, QPoint(40, 40));
    EXPECT_EQ(Differences(Document(), m_bytes), "");
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled());

    // A drag from inside it by (4, 5) places a copy there.
    Press(edit, Qt::LeftButton, QPoint(10, 10));
    DragTo(edit, QPoint(80, 100));
    DragTo(edit, QPoint(140, 170));
    Release(edit, Qt::LeftButton, QPoint(140, 170));
    QByteArray expected = m_bytes;
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i)
            expected = WithPixels(expected, Nes2, m_address, {{44 + i, 45 + j}},
                                  ShownValue(m_bytes, Nes2, m_address, 40 + i, 40 + j));
    EXPECT_EQ(Differences(Document(), expected), "");
    EXPECT_TRUE(Action("ActEditUndo")->isEnabled());

    // The region moved with the copy: a drag from there by (-3, +1) copies it once more.
    Press(edit, Qt::LeftButton, QPoint(4 * 32 + 5, 5 * 32 + 5));
    DragTo(edit, QPoint(1 * 32 + 5, 6 * 32 + 5));
    Release(edit, Qt::LeftButton, QPoint(1 * 32 + 5, 6 * 32 + 5));
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i)
            expected = WithPixels(expected, Nes2, m_address, {{41 + i, 46 + j}},
                                  ShownValue(m_bytes, Nes2, m_address, 40 + i, 40 + j));
    EXPECT_EQ(Differences(Document(), expected), "");
}

// The pixels 4-connected to (x, y) through its colour, within the area.
std::set<Pixel> Connected(const QByteArray& rom, int address, int x, int y, int left, int top,
                          int size) {
    const int seed = ShownValue(rom, Nes2, address, x, y);
    std::set<Pixel> region{{x, y}};
    std::vector<Pixel> todo{{x, y}};
    while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        for (const Pixel& next :
             {Pixel{px + 1, py}, Pixel{px - 1, py}, Pixel{px, py + 1}, Pixel{px, py - 1}}) {
            const auto [nx, ny] = next;
            if (nx < left || ny < top || nx >= left + size || ny >= top + size ||
                region.count(next) || ShownValue(rom, Nes2, address, nx, ny) != seed)
                continue;
            region.insert(next);
            todo.push_back(next);
        }
    }
    return region;
}

TEST_F(MainWindowDrawingTest, TheFillStaysInsideTheEditArea) {
    OpenTurned(Nes2, 4);
    // A tile where the seed's colour runs on past the tile's edge.
    int column = -1, row = -1, seedX = 0, seedY = 0;
    std::set<Pixel> region;
    for (int tile = 0; tile < 256 && column < 0; ++tile) {
        const int left = (tile % 16) * 8, top = (tile / 16) * 8;
        if (left == 0 || top == 0)
            continue;
        for (int y = top; y < top + 8 && column < 0; ++y) {
            const std::set<Pixel> found = Connected(m_bytes, m_address, left, y, left, top, 8);
            const int seed = ShownValue(m_bytes, Nes2, m_address, left, y);
            if (found.size() >= 6 && ShownValue(m_bytes, Nes2, m_address, left - 1, y) == seed) {
                column = tile % 16;
                row = tile / 16;
                seedX = left;
                seedY = y;
                region = found;
            }
        }
    }
    ASSERT_GE(column, 0);
    ChooseTile(column, row);
    const int colour = (ShownValue(m_bytes, Nes2, m_address, seedX, seedY) + 1) & 3;
    E().Space().SelectPaletteEntry(colour);
    Key(Qt::Key_9);
    const QPoint at(5, (seedY - row * 8) * 32 + 5);
    Press(W().EditView(), Qt::LeftButton, at);
    Release(W().EditView(), Qt::LeftButton, at);
    EXPECT_EQ(Differences(Document(), WithPixels(m_bytes, Nes2, m_address, region, colour)), "");

    // Filling with the colour it already has changes nothing, and still commits.
    Key(Qt::Key_Z, Qt::ControlModifier);
    E().Space().SelectPaletteEntry(ShownValue(m_bytes, Nes2, m_address, seedX, seedY));
    Press(W().EditView(), Qt::LeftButton, at);
    Release(W().EditView(), Qt::LeftButton, at);
    EXPECT_EQ(Differences(Document(), m_bytes), "");
    EXPECT_TRUE(Action("ActEditUndo")->isEnabled());
}

TEST_F(MainWindowDrawingTest, AStrokeIsDroppedWhenThePageMovesDuringIt) {
    for (const bool wheel : {false, true}) {
        SCOPED_TRACE(wheel);
        OpenTurned(Nes2, 4);
        E().Space().SelectPaletteEntry(3);
        for (const int pen : {1, 4}) {
            SCOPED_TRACE(pen);
            Key(static_cast<Qt::Key>(Qt::Key_0 + pen));
            ImagePanel* edit = W().EditView();
            Press(edit, Qt::LeftButton, QPoint(10, 10));
            DragTo(edit, QPoint(200, 100));
            if (wheel) {
                // Only every n-th notch moves, n being the system's wheel lines.
                for (int notch = 0; notch < 10 && E().Space().Address() == m_address; ++notch)
                    Wheel(edit, QPoint(200, 100), -120);
            } else {
                Key(Qt::Key_PageDown);
            }
            ASSERT_NE(E().Space().Address(), m_address);
            DragTo(edit, QPoint(220, 200));
            Release(edit, Qt::LeftButton, QPoint(220, 200));
            EXPECT_EQ(Differences(Document(), m_bytes), "") << "neither page changed";
            EXPECT_FALSE(Action("ActEditUndo")->isEnabled());
            Key(Qt::Key_Home);
            Key(Qt::Key_Down);
            ASSERT_EQ(E().Space().Address(), m_address);
        }
    }
}

} // namespace
} // namespace tavrin::test
