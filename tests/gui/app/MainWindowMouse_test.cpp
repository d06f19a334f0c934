#include "support/WindowFixture.h"

#include "core/palette/CDatPalette.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/app/MainMenus.h"
#include "gui/app/MainStatusBar.h"
#include "gui/views/ImagePanel.h"

#include <QComboBox>
#include <QMenu>
#include <QScrollBar>

namespace tavrin::test {
namespace {

class MouseTest : public WindowTest {
protected:
    void OpenPlain() {
        Open({WriteFile(QStringLiteral("plain.chr"), RandomBytes(0x10000, 11)).toStdString()});
    }
    // The centre of tile (column, row) of the tile view.
    static QPoint Tile(int column, int row) { return {column * 16 + 8, row * 16 + 8}; }
    void SetZoom(int index) {
        W().DisplayPanel().Zoom()->setCurrentIndex(index);
        ASSERT_EQ(E().ZoomIndex(), index);
    }
    EditArea Area() { return E().GetEditArea(); }
};

TEST_F(MouseTest, LeftDragCarriesTheZoomSizedAreaAtEachZoom) {
    OpenPlain();
    for (int zoom = 0; zoom <= 4; ++zoom) {
        SCOPED_TRACE(zoom);
        SetZoom(zoom);
        const int side = 16 >> zoom; // tiles per side of the edit area
        Press(W().ChrView(), Qt::LeftButton, Tile(15, 3));
        EXPECT_EQ(Area(), (EditArea{16 - side, std::min(3, 16 - side), 15,
                                    std::min(3, 16 - side) + side - 1}));
        Move(W().ChrView(), Tile(2, 9));
        const int column = std::min(2, 16 - side);
        const int row = std::min(9, 16 - side);
        EXPECT_EQ(Area(), (EditArea{column, row, column + side - 1, row + side - 1}));
        // Past the view's edge the pointer counts as on the last tile.
        Move(W().ChrView(), QPoint(300, -40));
        EXPECT_EQ(Area(), (EditArea{16 - side, 0, 15, side - 1}));
        Release(W().ChrView(), Qt::LeftButton, QPoint(300, -40));
        EXPECT_EQ(Area(), (EditArea{16 - side, 0, 15, side - 1}));
    }
}

TEST_F(MouseTest, RightDragSelectsAnyRectangleAtEachZoom) {
    OpenPlain();
    for (int zoom = 0; zoom <= 4; ++zoom) {
        SCOPED_TRACE(zoom);
        SetZoom(zoom);
        Press(W().ChrView(), Qt::RightButton, Tile(10, 3));
        EXPECT_EQ(Area(), (EditArea{10, 3, 10, 3}));
        EXPECT_FALSE(E().CanRotate()) << "rotation waits while the right button is held";
        Move(W().ChrView(), Tile(2, 7));
        EXPECT_EQ(Area(), (EditArea{2, 3, 10, 7}));
        Release(W().ChrView(), Qt::RightButton, Tile(2, 7));
        EXPECT_EQ(Area(), (EditArea{2, 3, 10, 7}));
        EXPECT_FALSE(E().CanRotate()) << "not square";
    }
}

TEST_F(MouseTest, RightDragKeepsReachingTheViewOutsideIt) {
    OpenPlain();
    Press(W().ChrView(), Qt::RightButton, Tile(10, 3));
    // Over the edit view and beyond the window's left edge: the tile view still follows,
    // with the pointer held at its border.
    Move(W().ChrView(), QPoint(-6, Tile(0, 12).y()));
    EXPECT_EQ(Area(), (EditArea{0, 3, 10, 12}));
    Move(W().EditView(), QPoint(100, 20));
    EXPECT_EQ(Area().lastColumn, 15);
    Release(W().EditView(), Qt::RightButton, QPoint(100, 20));
    const EditArea selected = Area();
    Move(W().ChrView(), Tile(1, 1));
    EXPECT_EQ(Area(), selected) << "after the release a move selects nothing";
    EXPECT_EQ(W().Status().PanelText(1), QStringLiteral("Pattern : ADF[11] = 11 "));
}

TEST_F(MouseTest, HoveringTheTileViewShowsPatternAndHints) {
    OpenPlain();
    Move(W().ChrView(), Tile(3, 2));
    EXPECT_EQ(W().Status().PanelText(1), QStringLiteral("Pattern : ADF[23] = 23 "));
    EXPECT_EQ(W().Status().LeftHint(), QString::fromUtf8("描画領域選択"));
    EXPECT_EQ(W().Status().RightHint(), QString::fromUtf8("領域選択"));
    Move(W().PalView(), QPoint(20, 20));
    EXPECT_EQ(W().Status().LeftHint(), QString::fromUtf8("セット色選択"));
    EXPECT_EQ(W().Status().RightHint(), QString::fromUtf8("パレットエディタ"));
    Move(W().DatView(), QPoint(20, 20));
    EXPECT_EQ(W().Status().LeftHint(), QString::fromUtf8("描画パレット選択"));
}

TEST_F(MouseTest, LeavingTheImagesClearsTheHints) {
    OpenPlain();
    Move(W().ChrView(), Tile(3, 2));
    ASSERT_FALSE(W().Status().LeftHint().isEmpty());
    // A bare spot of the window between the tile view group and the edit view group.
    Move(W().centralWidget(), QPoint(322, 100));
    EXPECT_EQ(W().Status().LeftHint(), QString());
    EXPECT_EQ(W().Status().RightHint(), QString());
}

TEST_F(MouseTest, TheWheelMovesTheAddressEveryNthNotch) {
    OpenPlain();
    const int lines = std::max(1, QApplication::wheelScrollLines());
    const int step = lines * 256;
    for (int notch = 0; notch < 2 * lines + 1; ++notch)
        Wheel(W().ChrView(), QPoint(50, 50), -120);
    EXPECT_EQ(E().Space().Address(), 3 * step) << "the first notch and every " << lines;
    for (int notch = 0; notch < lines; ++notch)
        Wheel(W().EditView(), QPoint(50, 50), 120);
    EXPECT_EQ(E().Space().Address(), 2 * step);
}

TEST_F(MouseTest, TheWheelOverThePaletteSetScrollsIt) {
    OpenPlain();
    const int lines = std::max(1, QApplication::wheelScrollLines());
    Wheel(W().DatView(), QPoint(50, 10), -120);
    EXPECT_EQ(W().DatScrollBar()->value(), 1);
    EXPECT_EQ(W().DatView()->TopOffset(), 16);
    for (int notch = 0; notch < lines; ++notch)
        Wheel(W().PalView(), QPoint(50, 10), -120);
    EXPECT_EQ(W().PalScrollBar()->value(), 1);
    EXPECT_EQ(E().Space().Address(), 0);
}

TEST_F(MouseTest, ThePaletteSetViewSelectsTheEntryUnderThePointer) {
    OpenPlain();
    Press(W().DatView(), Qt::LeftButton, QPoint(5 * 16 + 3, 16 + 3));
    Release(W().DatView(), Qt::LeftButton, QPoint(5 * 16 + 3, 16 + 3));
    EXPECT_EQ(E().Space().PaletteSet().SelectedEntry(), 0x15);
    W().DatScrollBar()->setValue(3);
    EXPECT_EQ(W().DatView()->TopOffset(), 48);
    Press(W().DatView(), Qt::LeftButton, QPoint(2 * 16 + 3, 3));
    Release(W().DatView(), Qt::LeftButton, QPoint(2 * 16 + 3, 3));
    EXPECT_EQ(E().Space().PaletteSet().SelectedEntry(), 0x32) << "the scrolled rows count";
    // A drag leaving the view below keeps to its last visible row.
    Press(W().DatView(), Qt::LeftButton, QPoint(3, 3));
    Move(W().DatView(), QPoint(7 * 16 + 3, 200));
    Release(W().DatView(), Qt::LeftButton, QPoint(7 * 16 + 3, 200));
    EXPECT_EQ(E().Space().PaletteSet().SelectedEntry(), 0x47);
}

TEST_F(MouseTest, ThePaletteViewMapsTheSelectedEntry) {
    OpenPlain();
    E().Space().SelectPaletteEntry(2);
    W().PalScrollBar()->setValue(2);
    Press(W().PalView(), Qt::LeftButton, QPoint(9 * 16 + 3, 16 + 3));
    Release(W().PalView(), Qt::LeftButton, QPoint(9 * 16 + 3, 16 + 3));
    EXPECT_EQ(E().Space().PaletteSet().GetEntry(2), 0x39) << "row 1 of the view is picture row 3";
}

TEST_F(MouseTest, TheTileScrollBarMovesByRowsFromTheHeader) {
    Open({WriteFile(QStringLiteral("game.nes"), INesImage(2, 1, false)).toStdString()});
    QScrollBar* bar = W().ChrScrollBar();
    EXPECT_EQ(bar->value(), (32784 - 16) / 256);
    bar->setValue(3);
    EXPECT_EQ(E().Space().Address(), 3 * 256 + 16);
    Key(Qt::Key_Right);
    EXPECT_EQ(bar->value(), 3) << "a one-tile step stays in the row";
    Key(Qt::Key_7, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), (3 * 256 + 16 + 16 - 16) / 512) << "4-bit rows are 512 bytes";
    bar->setValue(bar->maximum());
    EXPECT_EQ(E().Space().Address() + E().Space().Page().pageBytes,
              E().Space().Document().DataSize());
}

TEST_F(MouseTest, ARightReleaseOpensThePopupMenuWhenAsked) {
    WriteFile(QStringLiteral("tavrin.ini"), "[Tavrin]\nUsePopupMenu=1\n");
    OpenPlain();
    Press(W().ChrView(), Qt::RightButton, Tile(4, 4));
    Release(W().ChrView(), Qt::RightButton, Tile(4, 4));
    QMenu* popup = W().Menus().Popup();
    EXPECT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 1000));
    EXPECT_LT((popup->pos() - W().ChrView()->mapToGlobal(Tile(4, 4))).manhattanLength(), 3);
    popup->close();
}

TEST_F(MouseTest, PalettePicturesArePainted) {
    OpenPlain();
    EXPECT_EQ(W().DatView()->Picture().size(), QSize(256, 256));
    EXPECT_EQ(W().PalView()->Picture().size(), QSize(256, 256));
}

} // namespace
} // namespace tavrin::test
