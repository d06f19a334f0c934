#include "support/WindowFixture.h"

#include "core/palette/CAdfPattern.h"
#include "core/palette/CStateFile.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/palette/TPatternDialog.h"
#include "gui/views/ImagePanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace tavrin::test {
namespace {

using PatternsAndStates = WindowTest;

TEST_F(PatternsAndStates, ThePatternDialogAddsASpriteOrderTheTileViewThenShows) {
    Open({WriteFile(QStringLiteral("art.chr"), RandomBytes(0x2000, 5)).toStdString()});
    QPushButton* button = W().DisplayPanel().SimpleAdfDlg();
    ASSERT_TRUE(button->isEnabled());
    const Image8 normal = E().Space().TileImage();

    TPatternDialog& dialog = W().PatternDialog();
    bool answered = false;
    WhenShown(&dialog, [&] {
        // Above the button, its left edge on the button's.
        const QPoint buttonTop = button->mapToGlobal(QPoint(0, 0));
        EXPECT_EQ(dialog.frameGeometry().left(), buttonTop.x());
        EXPECT_LE(dialog.frameGeometry().bottom(), buttonTop.y());
        QTest::keyClick(dialog.EditSizeY(), Qt::Key_Down); // 2 x 3 -> 2 x 2
        EXPECT_EQ(dialog.EditAdfName()->text(), QStringLiteral("2,2 H"));
        QTest::mouseClick(dialog.ButtonUpdate(), Qt::LeftButton);
        QTest::mouseClick(dialog.ButtonClose(), Qt::LeftButton);
        answered = true;
    });
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(answered);

    QComboBox* selector = W().DisplayPanel().Pattern();
    ASSERT_EQ(selector->count(), 2);
    EXPECT_EQ(selector->itemText(1), QStringLiteral("2,2 H"));
    EXPECT_EQ(selector->currentIndex(), 0);
    EXPECT_EQ(E().Space().PatternIndex(), 0);
    EXPECT_EQ(E().Space().TileImage(), normal);

    // Chosen, slot s of the page shows tile pattern[s] of the plain order.
    selector->setCurrentIndex(1);
    ASSERT_EQ(E().Space().PatternIndex(), 1);
    const AdfEntry pattern = GenerateCharacterPattern(2, 2, false);
    for (int slot = 0; slot < 256; ++slot) {
        const int tile = pattern.tiles[slot];
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(E().Space().TileImage().Pixel(slot % 16 * 8 + x, slot / 16 * 8 + y),
                          normal.Pixel(tile % 16 * 8 + x, tile / 16 * 8 + y))
                    << "slot " << slot;
    }
    // The second slot of the first row holds tile 1, the third tile 4.
    EXPECT_EQ(pattern.tiles[1], 1);
    EXPECT_EQ(pattern.tiles[2], 4);
}

TEST_F(PatternsAndStates, F12TakesTheColoursOfAStateFileIntoThePalettesAndViews) {
    WriteFile(QStringLiteral("tavrin.ini"), "[STATE]\n.zz*=10,6,2,20,4\n");
    QByteArray state(0x40, '\0');
    state.replace(0x10, 6, QByteArray("\x0A\x14\x1E\xC8\x64\x32", 6));
    state.replace(0x20, 4, QByteArray("\x01\x00\x07\x07", 4));
    m_nextFile = WriteFile(QStringLiteral("game.ZZ3"), state);
    WriteFile(QStringLiteral("game.st9"), state);
    Open({WriteFile(QStringLiteral("art.chr"), RandomBytes(0x2000, 6)).toStdString()});
    const QImage palBefore = W().PalView()->Picture();
    const QImage chrBefore = W().ChrView()->Picture();

    Key(Qt::Key_F12);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_FALSE(m_requests[0].save);
    EXPECT_EQ(m_requests[0].filter,
              QString::fromUtf8("ステートファイル|*.st?;*.zs?;*.sv?;|全てのファイル|*.*"));
    EXPECT_TRUE(m_requests[0].defaultExtension.isEmpty());
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('|').toStdString();

    const Workspace& ws = E().Space();
    EXPECT_EQ(ws.Palette().GetColor(0), MakeColour(10, 20, 30));
    EXPECT_EQ(ws.Palette().GetColor(1), MakeColour(200, 100, 50));
    EXPECT_EQ(ws.PaletteSet().Table()[0], 1);
    EXPECT_EQ(ws.PaletteSet().Table()[3], 7);
    EXPECT_EQ(E().DisplayPalette()[0], MakeColour(200, 100, 50));
    EXPECT_NE(W().PalView()->Picture(), palBefore);
    EXPECT_NE(W().ChrView()->Picture(), chrBefore);

    // The state-file menu command is the same action, and a file without a definition only
    // says so.
    m_nextFile = Path(QStringLiteral("game.st9"));
    Action("ActPaletteLoadState")->trigger();
    EXPECT_EQ(m_messages, QStringList{QString::fromUtf8(CStateFile::NoDefinitionMessage)});
    EXPECT_EQ(ws.Palette().GetColor(0), MakeColour(10, 20, 30));
}

} // namespace
} // namespace tavrin::test
