#include "support/WindowFixture.h"

#include "core/dib/BitmapFile.h"
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/edit/TColorOptimizeDlg.h"
#include "gui/edit/TReplaceColorDialog.h"
#include "gui/palette/TPalEditDialog.h"
#include "gui/views/ImagePanel.h"
#include "qt/ClipboardBridge.h"

#include <random>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// The Edit menu, the clipboard and the snapshots on a real window, checked as the colour
// numbers of the page (the tile image decoded again from the document after each command).

namespace tavrin::test {
namespace {

using Rows = std::vector<std::string>;

constexpr int Nes2 = 1; // "2BPP NES"

// ---- Pixel rows: one hex digit per colour number ----

Rows Transposed(const Rows& rows) {
    Rows out(rows[0].size(), std::string(rows.size(), '0'));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            out[x][y] = rows[y][x];
    return out;
}

Rows MirroredLeftRight(Rows rows) {
    for (std::string& row : rows)
        std::reverse(row.begin(), row.end());
    return rows;
}

Rows MirroredTopBottom(Rows rows) {
    std::reverse(rows.begin(), rows.end());
    return rows;
}

// A quarter turn clockwise: the left column becomes the top row.
Rows TurnedRight(const Rows& rows) {
    return MirroredLeftRight(Transposed(rows));
}

Rows TurnedLeft(const Rows& rows) {
    return MirroredTopBottom(Transposed(rows));
}

Rows ShiftedLeft(Rows rows) {
    for (std::string& row : rows)
        std::rotate(row.begin(), row.begin() + 1, row.end());
    return rows;
}

Rows ShiftedRight(Rows rows) {
    for (std::string& row : rows)
        std::rotate(row.rbegin(), row.rbegin() + 1, row.rend());
    return rows;
}

Rows ShiftedUp(Rows rows) {
    std::rotate(rows.begin(), rows.begin() + 1, rows.end());
    return rows;
}

Rows ShiftedDown(Rows rows) {
    std::rotate(rows.rbegin(), rows.rbegin() + 1, rows.rend());
    return rows;
}

// rows written over page at (left, top), clipped at the page's edge.
Rows Placed(Rows page, int left, int top, const Rows& rows) {
    for (size_t y = 0; y < rows.size() && top + y < page.size(); ++y)
        for (size_t x = 0; x < rows[y].size() && left + x < page[0].size(); ++x)
            page[top + y][left + x] = rows[y][x];
    return page;
}

// ---- Bitmap files made by hand ----

void PutLe(QByteArray& bytes, int offset, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An 8-bit bitmap file, bottom-up, with a grey colour table; index(x, y) gives the pixels.
QByteArray Bitmap8(int width, int height, const std::function<int(int, int)>& index) {
    const int stride = (width + 3) & ~3;
    const int offBits = 14 + 40 + 1024;
    QByteArray bytes(offBits + stride * height, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    PutLe(bytes, 10, offBits, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<uint32_t>(width), 4);
    PutLe(bytes, 22, static_cast<uint32_t>(height), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 8, 2);
    PutLe(bytes, 34, static_cast<uint32_t>(stride * height), 4);
    PutLe(bytes, 46, 256, 4);
    for (int i = 0; i < 256; ++i)
        for (int channel = 0; channel < 3; ++channel)
            bytes[54 + 4 * i + channel] = static_cast<char>(i);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bytes[offBits + (height - 1 - y) * stride + x] = static_cast<char>(index(x, y));
    return bytes;
}

class MainWindowEditTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        WindowTest::TearDown();
        QGuiApplication::clipboard()->clear();
    }

    // A random 64 KiB document shown as 2BPP NES; the selected entry carries palette-group
    // bits, so the tile image holds more than the colour numbers.
    void OpenPlain(unsigned seed = 5) {
        m_bytes = RandomBytes(0x10000, seed);
        Open({WriteFile(QStringLiteral("work.chr"), m_bytes).toStdString()});
        ASSERT_EQ(E().Space().FormatIndex(), Nes2);
        E().Space().SelectPaletteEntry(0x0C);
        E().Space().DecodePage();
    }

    QByteArray Document() const {
        return QByteArray(
            reinterpret_cast<const char*>(m_window->GetEditor().Space().Document().Data()),
            m_bytes.size());
    }

    // Colour numbers of the tile image.
    Rows Pixels(int left, int top, int width, int height) {
        const Image8& image = E().Space().TileImage();
        Rows rows;
        for (int y = top; y < top + height; ++y) {
            std::string row;
            for (int x = left; x < left + width; ++x)
                row += "0123456789ABCDEF"[image.Pixel(x, y) & 3];
            rows.push_back(row);
        }
        return rows;
    }
    Rows Page() { return Pixels(0, 0, 128, 128); }

    void SetZoom(int index) {
        W().DisplayPanel().Zoom()->setCurrentIndex(index);
        ASSERT_EQ(E().ZoomIndex(), index);
    }

    // A left click on tile (column, row) of the tile view places the edit area there.
    void ChooseTile(int column, int row) {
        const QPoint at(column * 16 + 8, row * 16 + 8);
        Press(W().ChrView(), Qt::LeftButton, at);
        Release(W().ChrView(), Qt::LeftButton, at);
        ASSERT_EQ(E().GetEditArea().firstColumn, column);
        ASSERT_EQ(E().GetEditArea().firstRow, row);
    }

    // A right drag over the tile view selects any rectangle of tiles.
    void SelectTiles(int firstColumn, int firstRow, int lastColumn, int lastRow) {
        Press(W().ChrView(), Qt::RightButton, QPoint(firstColumn * 16 + 8, firstRow * 16 + 8));
        Move(W().ChrView(), QPoint(lastColumn * 16 + 8, lastRow * 16 + 8));
        Release(W().ChrView(), Qt::RightButton, QPoint(lastColumn * 16 + 8, lastRow * 16 + 8));
        ASSERT_EQ(E().GetEditArea(), (EditArea{firstColumn, firstRow, lastColumn, lastRow}));
    }

    // The next modal showing of the colour optimisation dialog is closed with button.
    void AnswerOptimizeDialog(QPushButton* (TColorOptimizeDlg::*button)() const,
                              std::function<void(TColorOptimizeDlg&)> before = {}) {
        TColorOptimizeDlg& dialog = W().OptimizeDialog();
        WhenShown(&dialog, [&dialog, button, before] {
            if (before)
                before(dialog);
            QTest::mouseClick((dialog.*button)(), Qt::LeftButton);
        });
    }

    static void PutOnClipboard(const QByteArray& bmp) {
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("image/bmp"), bmp);
        QGuiApplication::clipboard()->setMimeData(mime);
    }

    QByteArray m_bytes;
};

// ---- Mirror, rotate, shift, clear, select all ----

TEST_F(MainWindowEditTest, MirrorsFlipTheWholeAreaAndTwiceRestoreIt) {
    OpenPlain();
    ChooseTile(4, 5);
    const Rows page = Page();
    const Rows area = Pixels(32, 40, 16, 16);
    const Rows rightTiles = Pixels(40, 40, 8, 16);

    Action("ActEditMirrorHorizontal")->trigger();
    EXPECT_EQ(Page(), Placed(page, 32, 40, MirroredLeftRight(area)));
    // The left and right tiles change places, each mirrored.
    EXPECT_EQ(Pixels(32, 40, 8, 16), MirroredLeftRight(rightTiles));
    Action("ActEditMirrorHorizontal")->trigger();
    EXPECT_EQ(Page(), page);
    EXPECT_EQ(Document(), m_bytes);

    Action("ActEditMirrorVertical")->trigger();
    EXPECT_EQ(Page(), Placed(page, 32, 40, MirroredTopBottom(area)));
    Action("ActEditMirrorVertical")->trigger();
    EXPECT_EQ(Document(), m_bytes);
}

TEST_F(MainWindowEditTest, RotationsTurnASquareAreaAndUndoBack) {
    OpenPlain();
    ChooseTile(9, 2);
    const Rows page = Page();
    const Rows area = Pixels(72, 16, 16, 16);
    ASSERT_TRUE(Action("ActEditRotateRight")->isEnabled());

    Action("ActEditRotateRight")->trigger();
    EXPECT_EQ(Page(), Placed(page, 72, 16, TurnedRight(area)));
    const QByteArray turned = Document();
    Action("ActEditRotateLeft")->trigger();
    EXPECT_EQ(Document(), m_bytes);
    Action("ActEditRotateLeft")->trigger();
    EXPECT_EQ(Page(), Placed(page, 72, 16, TurnedLeft(area)));

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document(), m_bytes);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document(), turned);
}

TEST_F(MainWindowEditTest, RotationIsOffForANonSquareArea) {
    OpenPlain();
    SelectTiles(2, 3, 4, 3);
    EXPECT_FALSE(Action("ActEditRotateRight")->isEnabled());
    EXPECT_FALSE(Action("ActEditRotateLeft")->isEnabled());
    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Document(), m_bytes);
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled()) << "a disabled command commits nothing";
    // The editor's command still runs on the sender's behalf: pixels stay, one undo step.
    E().EditRotate(true);
    EXPECT_EQ(Document(), m_bytes);
    EXPECT_TRUE(E().Space().Undo().CanUndo());
}

TEST_F(MainWindowEditTest, ShiftsWrapAroundInsideTheArea) {
    OpenPlain();
    SelectTiles(1, 6, 2, 6); // 16 x 8 pixels at (8, 48)
    const Rows page = Page();
    const Rows area = Pixels(8, 48, 16, 8);
    const struct {
        const char* action;
        Rows (*shift)(Rows);
    } steps[] = {{"ActEditShiftUp", ShiftedUp},
                 {"ActEditShiftDown", ShiftedDown},
                 {"ActEditShiftLeft", ShiftedLeft},
                 {"ActEditShiftRight", ShiftedRight}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.action);
        Action(step.action)->trigger();
        EXPECT_EQ(Page(), Placed(page, 8, 48, step.shift(area)));
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Document(), m_bytes);
    }
    // Eight rows high: eight shifts up come back to the start, content crossing tile borders
    // on the way.
    for (int i = 0; i < 8; ++i)
        Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Document(), m_bytes);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(Page(), Placed(page, 8, 48, ShiftedLeft(ShiftedLeft(ShiftedLeft(area)))));
}

TEST_F(MainWindowEditTest, ClearZeroesTheAreaAndOneUndoRestoresIt) {
    OpenPlain();
    ChooseTile(14, 0);
    const Rows page = Page();
    Key(Qt::Key_Delete);
    EXPECT_EQ(Page(), Placed(page, 112, 0, Rows(16, std::string(16, '0'))));
    for (int tile : {14, 15, 30, 31})
        EXPECT_EQ(Document().mid(tile * 16, 16), QByteArray(16, '\0')) << tile;
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document(), m_bytes);
}

TEST_F(MainWindowEditTest, SelectAllShowsThePasteViewAndCommitsNothing) {
    OpenPlain();
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(E().GetEditArea(), (EditArea{0, 0, 15, 15}));
    EXPECT_TRUE(E().IsPastePreview());
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled());
    EXPECT_TRUE(Action("ActEditRotateRight")->isEnabled());
    // The whole page as one area.
    const Rows page = Page();
    Action("ActEditMirrorVertical")->trigger();
    EXPECT_EQ(Page(), MirroredTopBottom(page));
}

// ---- Clipboard ----

TEST_F(MainWindowEditTest, CopyThenPasteGivesBackTheColourNumbers) {
    OpenPlain();
    ChooseTile(4, 5);
    const Rows area = Pixels(32, 40, 16, 16);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(E().IsPastePreview());

    // Other programs see the colour numbers, without the palette-group bits.
    const QImage offered = QGuiApplication::clipboard()->image();
    ASSERT_EQ(offered.size(), QSize(16, 16));
    ASSERT_EQ(offered.format(), QImage::Format_Indexed8);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(offered.pixelIndex(x, y), area[y][x] - '0') << x << "," << y;

    Key(Qt::Key_Delete);
    ASSERT_NE(Document(), m_bytes);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pixels(32, 40, 16, 16), area);
    EXPECT_EQ(Document(), m_bytes);

    // Elsewhere, the same numbers.
    ChooseTile(10, 12);
    const Rows page = Page();
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Page(), Placed(page, 80, 96, area));
}

TEST_F(MainWindowEditTest, CutCopiesThenClears) {
    OpenPlain();
    ChooseTile(1, 1);
    const Rows area = Pixels(8, 8, 16, 16);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Pixels(8, 8, 16, 16), Rows(16, std::string(16, '0')));
    ChooseTile(6, 6);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pixels(48, 48, 16, 16), area);
}

TEST_F(MainWindowEditTest, APasteIsClippedAtThePageEdge) {
    OpenPlain();
    SetZoom(0);
    const Rows page = Page();
    Key(Qt::Key_C, Qt::ControlModifier); // the whole page
    SetZoom(3);
    ChooseTile(14, 14);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Page(), Placed(page, 112, 112, page));

    // A smaller image changes only what it covers, whatever the area's size.
    SetZoom(4);
    ChooseTile(0, 0);
    const Rows tile = Pixels(0, 0, 8, 8);
    Key(Qt::Key_C, Qt::ControlModifier);
    SetZoom(3);
    ChooseTile(5, 5);
    const Rows before = Page();
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Page(), Placed(before, 40, 40, tile));
}

// Pure red, green and blue, four pixels each: the container's colour reduction numbers them
// green 0, red 1, blue 2 (split on green first, then on red).
TEST_F(MainWindowEditTest, ATrueColourImageFromAnotherProgramPastesItsReducedColours) {
    OpenPlain();
    ChooseTile(2, 3);
    const Rows page = Page();
    const QRgb r = qRgb(255, 0, 0), g = qRgb(0, 255, 0), b = qRgb(0, 0, 255);
    const QRgb colours[2][6] = {{r, g, b, r, g, b}, {b, b, r, g, r, g}};
    QImage image(6, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, colours[y][x]);
    QGuiApplication::clipboard()->setImage(image);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Action("ActEditPaste")->isEnabled(); }, 1000));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Page(), Placed(page, 16, 24, Rows{"102102", "221010"}));
}

TEST_F(MainWindowEditTest, ATrueColourPasteKeepsTheColourBitsOfTheReducedImage) {
    OpenPlain();
    ChooseTile(12, 12);
    std::mt19937 random(3);
    QImage image(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(random() % 6 * 51, random() % 6 * 51, random() % 6 * 51));
    QGuiApplication::clipboard()->setImage(image);
    // The container's own reduction of the same bitmap.
    Image8 reduced;
    DibToImage8(ClipboardBridge::ReadDib(), reduced);
    ASSERT_EQ(reduced.Width(), 40);
    Rows expected;
    bool aboveMask = false;
    for (int y = 0; y < 20; ++y) {
        std::string row;
        for (int x = 0; x < 40; ++x) {
            row += "0123"[reduced.Pixel(x, y) & 3];
            aboveMask = aboveMask || reduced.Pixel(x, y) > 3;
        }
        expected.push_back(row);
    }
    ASSERT_TRUE(aboveMask) << "the mask has something to do";
    const Rows page = Page();
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Page(), Placed(page, 96, 96, expected));
}

TEST_F(MainWindowEditTest, IndexedImagesFromAnotherProgramPasteTheirIndices) {
    OpenPlain();
    ChooseTile(4, 4);
    const Rows page = Page();
    // One bit per pixel.
    QImage mono(10, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int x = 0; x < 10; ++x) {
        mono.setPixel(x, 0, x % 3 == 0 ? 1 : 0);
        mono.setPixel(x, 1, x < 4 ? 1 : 0);
    }
    QGuiApplication::clipboard()->setImage(mono);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Page(), Placed(page, 32, 32, Rows{"1001001001", "1111000000"}));

    // Eight bits: the indices, of which a 2-bit format keeps the low two bits.
    QImage indexed(6, 1, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table.push_back(qRgb(i, 255 - i, i / 2));
    indexed.setColorTable(table);
    const int values[6] = {0x00, 0x07, 0xFE, 0x41, 0x12, 0x33};
    for (int x = 0; x < 6; ++x)
        indexed.setPixel(x, 0, static_cast<uint>(values[x]));
    QGuiApplication::clipboard()->setImage(indexed);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pixels(32, 32, 10, 2), (Rows{"0321231001", "1111000000"}));
}

TEST_F(MainWindowEditTest, ALargeBitmapFromAnotherProgramIsClippedAtThePageEdge) {
    OpenPlain();
    ChooseTile(12, 13);
    const Rows page = Page();
    PutOnClipboard(Bitmap8(300, 200, [](int x, int y) { return (x / 3 + y) & 0xFF; }));
    Key(Qt::Key_A, Qt::ControlModifier); // the paste view shows it first
    ChooseTile(12, 13);
    Key(Qt::Key_V, Qt::ControlModifier);
    Rows covered;
    for (int y = 0; y < 24; ++y) {
        std::string row;
        for (int x = 0; x < 32; ++x)
            row += "0123"[(x / 3 + y) & 3];
        covered.push_back(row);
    }
    EXPECT_EQ(Page(), Placed(page, 96, 104, covered));
    EXPECT_EQ(W().BeepCount(), 0);
}

// Blue, red and yellow in the first row, green and magenta in the second. The preview is
// 128 x 128, so white fills each row to the right of the small image: it is met fourth.
QImage FiveColours() {
    const QRgb c[5] = {qRgb(0, 0, 255), qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 0),
                       qRgb(255, 0, 255)};
    const int order[3][5] = {{0, 1, 0, 2, 1}, {3, 3, 2, 4, 0}, {4, 0, 0, 0, 0}};
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, c[order[y][x]]);
    return image;
}

TEST_F(MainWindowEditTest, TheOptimisedPasteNumbersColoursInOrderOfAppearance) {
    OpenPlain();
    ChooseTile(7, 1);
    const Rows page = Page();
    QGuiApplication::clipboard()->setImage(FiveColours());
    AnswerOptimizeDialog(&TColorOptimizeDlg::ButtonOk);
    Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    // Blue 0, red 1, yellow 2, white 3, green 4, magenta 5; the 2-bit format keeps the low
    // bits of each.
    EXPECT_EQ(Page(), Placed(page, 56, 8, Rows{"01021", "00210", "10000"}));
    EXPECT_FALSE(W().OptimizeDialog().isVisible());
}

TEST_F(MainWindowEditTest, TheOptimisedPasteCanNumberByFrequencyAndKeepsThatChoice) {
    OpenPlain();
    ChooseTile(7, 1);
    const Rows page = Page();
    QGuiApplication::clipboard()->setImage(FiveColours());
    AnswerOptimizeDialog(&TColorOptimizeDlg::ButtonOk, [](TColorOptimizeDlg& dialog) {
        dialog.CheckBoxByUsedNum()->setChecked(true);
    });
    Action("ActEditOptimizePaste")->trigger();
    // White (the filling) 0, blue (7 pixels) 1, then red, yellow, green and magenta (2 each)
    // in order of appearance, 2-5.
    const Rows byFrequency{"12132", "00311", "11111"};
    EXPECT_EQ(Page(), Placed(page, 56, 8, byFrequency));

    bool keptChecked = false;
    ChooseTile(0, 10);
    const Rows again = Page();
    AnswerOptimizeDialog(&TColorOptimizeDlg::ButtonOk, [&keptChecked](TColorOptimizeDlg& dialog) {
        keptChecked = dialog.CheckBoxByUsedNum()->isChecked();
    });
    Action("ActEditOptimizePaste")->trigger();
    EXPECT_TRUE(keptChecked);
    EXPECT_EQ(Page(), Placed(again, 0, 80, byFrequency));
}

TEST_F(MainWindowEditTest, CancellingTheOptimisationPastesNothingButCommits) {
    OpenPlain();
    ChooseTile(7, 1);
    QGuiApplication::clipboard()->setImage(FiveColours());
    AnswerOptimizeDialog(&TColorOptimizeDlg::ButtonCancel);
    Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Document(), m_bytes);
    EXPECT_TRUE(Action("ActEditUndo")->isEnabled()) << "the commit still records a step";
    EXPECT_EQ(W().BeepCount(), 0);
}

TEST_F(MainWindowEditTest, BrokenClipboardBitmapsBeepAndChangeNothing) {
    OpenPlain();
    const QByteArray good = Bitmap8(16, 16, [](int x, int y) { return (x + y) & 3; });
    QByteArray absurd = good;
    PutLe(absurd, 18, 1000000, 4); // width
    PutLe(absurd, 22, 1000000, 4); // height
    QByteArray hugeCount = good;
    PutLe(hugeCount, 46, 0x7FFFFFFF, 4); // colours used
    QByteArray badDepth = good;
    PutLe(badDepth, 28, 7, 2);
    const QByteArray cases[] = {
        good.left(good.size() - 100), // pixels cut short
        good.left(30),                // header cut short
        absurd,
        hugeCount,
        badDepth,
        QByteArray("BM"),
        RandomBytes(500, 77),
    };
    int beeps = W().BeepCount();
    int index = 0;
    for (const QByteArray& bytes : cases) {
        SCOPED_TRACE(index++);
        PutOnClipboard(bytes);
        ASSERT_TRUE(QTest::qWaitFor([this] { return Action("ActEditPaste")->isEnabled(); }, 1000));
        Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(W().BeepCount(), ++beeps);
        EXPECT_EQ(Document(), m_bytes);
        // The paste view reads the clipboard as well.
        Key(Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(E().EditViewPicture().Width(), 256);
        Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(W().BeepCount(), ++beeps);
        EXPECT_EQ(Document(), m_bytes);
        EXPECT_FALSE(W().OptimizeDialog().isVisible());
    }
    // A good bitmap still pastes afterwards.
    PutOnClipboard(good);
    ChooseTile(0, 0);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pixels(0, 0, 4, 2), (Rows{"0123", "1230"}));
    EXPECT_EQ(W().BeepCount(), beeps);
}

// ---- Snapshots ----

TEST_F(MainWindowEditTest, ASnapshotSavedAndLoadedGivesBackThePage) {
    OpenPlain();
    m_nextFile = Path(QStringLiteral("snap.bmp"));
    Key(Qt::Key_F9);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].save);
    EXPECT_EQ(m_requests[0].filter, QString::fromUtf8("ビットマップ|*.bmp|全てのファイル|*.*"));
    EXPECT_EQ(m_requests[0].defaultExtension, QStringLiteral("bmp"));
    EXPECT_EQ(m_requests[0].folder, m_dir.path()) << "the dialogs open where the document is";
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^chr\\d{3}\\.bmp$"))
                    .match(m_requests[0].fileName)
                    .hasMatch())
        << m_requests[0].fileName.toStdString();

    const QByteArray file = ReadFile(QStringLiteral("snap.bmp"));
    ASSERT_GT(file.size(), 54);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(static_cast<uint8_t>(file[28]), 8) << "8 bits per pixel";
    Image8 saved;
    ASSERT_TRUE(ReadBitmapFile(StdPath(QStringLiteral("snap.bmp")), saved));
    EXPECT_EQ(saved, E().Space().TileImage()) << "pixels and display palette";

    // Spoil the page, then load the snapshot back.
    SetZoom(0);
    Key(Qt::Key_Delete);
    const QByteArray cleared = Document();
    ASSERT_NE(cleared, m_bytes);
    Action("ActFileLoadSnapshot")->trigger();
    ASSERT_EQ(m_requests.size(), 2u);
    EXPECT_FALSE(m_requests[1].save);
    EXPECT_EQ(m_requests[1].filter, QString::fromUtf8("ビットマップ|*.bmp|全てのファイル|*.*"));
    EXPECT_EQ(Document(), m_bytes);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document(), cleared) << "a snapshot load is one undo step";
}

TEST_F(MainWindowEditTest, ASnapshotLoadFillsTheTopLeftAndKeepsTheRest) {
    OpenPlain();
    const Rows page = Page();
    m_nextFile = WriteFile(QStringLiteral("wide.bmp"),
                           Bitmap8(200, 3, [](int x, int y) { return (x * 7 + y * 5) & 0xFF; }));
    Action("ActFileLoadSnapshot")->trigger();
    Rows top;
    for (int y = 0; y < 3; ++y) {
        std::string row;
        for (int x = 0; x < 128; ++x)
            row += "0123"[(x * 7 + y * 5) & 3];
        top.push_back(row);
    }
    EXPECT_EQ(Page(), Placed(page, 0, 0, top));
}

TEST_F(MainWindowEditTest, AnUnreadableSnapshotShowsAMessageAndChangesNothing) {
    OpenPlain();
    const QByteArray good = Bitmap8(8, 8, [](int, int) { return 1; });
    QByteArray absurd = good;
    PutLe(absurd, 18, 0x40000000, 4);
    const std::pair<const char*, QByteArray> files[] = {
        {"text.bmp", QByteArray("not a picture at all")},
        {"short.bmp", good.left(40)},
        {"absurd.bmp", absurd},
        {"empty.bmp", QByteArray()},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        m_messages.clear();
        m_nextFile = WriteFile(QString::fromLatin1(name), bytes);
        Action("ActFileLoadSnapshot")->trigger();
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_TRUE(m_messages[0].startsWith(m_nextFile + QStringLiteral(":\n")))
            << m_messages[0].toStdString();
        EXPECT_EQ(Document(), m_bytes);
        EXPECT_FALSE(Action("ActEditUndo")->isEnabled());
    }
    m_messages.clear();
    m_nextFile.clear();
    Action("ActFileLoadSnapshot")->trigger();
    EXPECT_TRUE(m_messages.isEmpty()) << "a cancelled dialog says nothing";
    EXPECT_EQ(Document(), m_bytes);
}

// ---- Colour replacement ----

class MainWindowEditReplaceTest : public MainWindowEditTest {
protected:
    // The next showing of the replacement dialog: each pair (a, b) makes colour a become b
    // (① a on the lower row, ② b on the upper row), then button closes it.
    void AnswerReplaceDialog(std::vector<std::pair<int, int>> assignments,
                             QPushButton* (TReplaceColorDialog::*button)() const) {
        TReplaceColorDialog& dialog = W().ReplaceDialog();
        WhenShown(&dialog, [this, &dialog, assignments, button] {
            m_squares = dialog.ImageBefore()->width() / 16;
            m_groupEntries = dialog.Model().GroupEntries();
            for (const auto& [from, to] : assignments) {
                QTest::mouseClick(dialog.ImageAfter(), Qt::LeftButton, {},
                                  QPoint(16 * from + 8, 8));
                QTest::mouseClick(dialog.ImageBefore(), Qt::LeftButton, {}, QPoint(16 * to + 8, 8));
            }
            QTest::mouseClick((dialog.*button)(), Qt::LeftButton);
        });
    }

    static Rows Replaced(Rows rows, char a, char b) {
        for (std::string& row : rows)
            for (char& pixel : row)
                pixel = pixel == a ? b : pixel == b ? a : pixel;
        return rows;
    }

    int m_squares = 0;
    std::array<uint8_t, 256> m_groupEntries{};
};

TEST_F(MainWindowEditReplaceTest, TwoAssignmentsSwapTwoColoursInTheArea) {
    OpenPlain();
    for (int k = 0; k < 8; ++k)
        E().Space().SetPaletteEntry(0x0C + k, 0x40 + k);
    ChooseTile(3, 3);
    const Rows page = Page();
    const Rows area = Pixels(24, 24, 16, 16);
    AnswerReplaceDialog({{1, 3}, {3, 1}}, &TReplaceColorDialog::ButtonOk);
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(m_squares, 4) << "a 2-bit format has four colours";
    EXPECT_EQ(m_groupEntries[0], 0x40) << "the group of the selected entry 0x0C";
    EXPECT_EQ(m_groupEntries[3], 0x43);
    EXPECT_EQ(Page(), Placed(page, 24, 24, Replaced(area, '1', '3')));
    EXPECT_TRUE(Action("ActEditUndo")->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document(), m_bytes);
}

TEST_F(MainWindowEditReplaceTest, CancelAndTheIdentityChangeNothing) {
    OpenPlain();
    ChooseTile(3, 3);
    AnswerReplaceDialog({{0, 2}}, &TReplaceColorDialog::ButtonCancel);
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(m_squares, 4);
    EXPECT_EQ(Document(), m_bytes);
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled());

    // The map starts again from the identity: OK alone replaces nothing and records nothing.
    AnswerReplaceDialog({}, &TReplaceColorDialog::ButtonOk);
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(Document(), m_bytes);
    EXPECT_FALSE(Action("ActEditUndo")->isEnabled());
}

TEST_F(MainWindowEditReplaceTest, AFourBitFormatOffersSixteenColours) {
    OpenPlain();
    W().DisplayPanel().Format()->setCurrentIndex(7);
    ChooseTile(0, 0);
    // Colour 5 becomes 0 in the 16 x 16 pixels of the area.
    const auto rows = [this] {
        Rows out;
        for (int y = 0; y < 16; ++y) {
            std::string row;
            for (int x = 0; x < 16; ++x)
                row += "0123456789ABCDEF"[E().Space().TileImage().Pixel(x, y) & 0x0F];
            out.push_back(row);
        }
        return out;
    };
    Rows expected = rows();
    for (std::string& row : expected)
        std::replace(row.begin(), row.end(), '5', '0');
    const Image8 before = E().Space().TileImage();
    AnswerReplaceDialog({{5, 0}}, &TReplaceColorDialog::ButtonOk);
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(m_squares, 16);
    EXPECT_EQ(rows(), expected);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (x >= 16 || y >= 16) {
                ASSERT_EQ(E().Space().TileImage().Pixel(x, y), before.Pixel(x, y)) << x << "," << y;
            }
}

// ---- Palette edit pop-up ----

TEST_F(MainWindowEditTest, ARightClickOnThePaletteSetEditsItsMasterColour) {
    OpenPlain();
    const CPalette& palette = E().Space().Palette();
    E().Space().SetMasterColour(0x2A, MakeColour(0x10, 0x20, 0x30));
    E().Space().SetPaletteEntry(0x15, 0x2A);
    E().Space().SetPaletteEntry(0x16, 0x2A);
    const QPoint cell(5 * 16 + 3, 16 + 3); // entry 0x15
    Press(W().DatView(), Qt::RightButton, cell);
    Release(W().DatView(), Qt::RightButton, cell);
    TPalEditDialog& dialog = W().PaletteEditor();
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.isVisible(); }, 1000));
    EXPECT_EQ(E().Space().PaletteSet().SelectedEntry(), 0x15);
    EXPECT_EQ(dialog.LabelInfo()->text(), QStringLiteral("Pal:2A"));
    // Its bottom edge on the edit view's bottom edge, over the edit panel.
    const QRect view(W().EditView()->mapToGlobal(QPoint(0, 0)), W().EditView()->size());
    EXPECT_EQ(dialog.frameGeometry().bottom(), view.bottom());
    EXPECT_LE(dialog.frameGeometry().left(), view.left());
    EXPECT_GT(dialog.frameGeometry().left(), view.left() - 16);

    // The red bar dragged past its right end: 255, at once in the display palette of both
    // entries that use the colour.
    QWidget* bars = dialog.ImagePalette();
    QTest::mousePress(bars, Qt::LeftButton, {}, QPoint(20, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(400, 5), bars->mapToGlobal(QPointF(400, 5)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bars, &move);
    QTest::mouseRelease(bars, Qt::LeftButton, {}, QPoint(400, 5));
    EXPECT_EQ(palette.GetColor(0x2A), MakeColour(0xFF, 0x20, 0x30));
    EXPECT_EQ(E().DisplayPalette()[0x15], MakeColour(0xFF, 0x20, 0x30));
    EXPECT_EQ(RedOf(E().DisplayPalette()[0x16]), 0xFF);
    EXPECT_EQ(dialog.UpDown(0)->Position(), 0xFF);

    // A right click on the bars closes it and changes nothing more.
    QTest::mouseClick(bars, Qt::RightButton, {}, QPoint(3, 20));
    EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.isVisible(); }, 1000));
    EXPECT_EQ(palette.GetColor(0x2A), MakeColour(0xFF, 0x20, 0x30));
    EXPECT_EQ(Document(), m_bytes) << "a palette edit leaves the document alone";
}

TEST_F(MainWindowEditTest, ARightClickOnThePaletteAssignsAndEditsThatColour) {
    OpenPlain();
    E().Space().SelectPaletteEntry(0x05);
    const QPoint cell(7 * 16 + 3, 2 * 16 + 3); // master colour 0x27
    Press(W().PalView(), Qt::RightButton, cell);
    Release(W().PalView(), Qt::RightButton, cell);
    TPalEditDialog& dialog = W().PaletteEditor();
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.isVisible(); }, 1000));
    EXPECT_EQ(E().Space().PaletteSet().GetEntry(0x05), 0x27);
    EXPECT_EQ(dialog.LabelInfo()->text(), QStringLiteral("Pal:27"));
    const Colour before = E().Space().Palette().GetColor(0x27);
    QTest::mouseClick(dialog.UpDown(2)->ButtonUp(), Qt::LeftButton);
    const Colour after = E().Space().Palette().GetColor(0x27);
    EXPECT_EQ(after & 0x00FFFF, before & 0x00FFFF);
    EXPECT_EQ(BlueOf(after), std::min(BlueOf(before) + 1, 255));
    QTest::mouseClick(dialog.ButtonClose(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.isVisible(); }, 1000));
    EXPECT_EQ(E().DisplayPalette()[0x05] & 0xFFFF, after & 0xFFFF);
}

} // namespace
} // namespace tavrin::test
