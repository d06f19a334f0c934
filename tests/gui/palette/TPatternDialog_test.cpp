#include "gui/palette/TPatternDialog.h"

#include "core/palette/CAdfPattern.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

class TPatternDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        adf.EnsureNormal();
        dialog.SetPatterns(adf);
    }

    void Open() {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    QString Cell(int column, int row) const { return dialog.Grid()->item(row, column)->text(); }
    QString Row(int row) const {
        QStringList cells;
        for (int c = 0; c < 16; ++c)
            cells << Cell(c, row);
        return cells.join(' ');
    }
    QPoint CellCentre(int column, int row) const {
        return dialog.Grid()->visualRect(dialog.Grid()->model()->index(row, column)).center();
    }

    void ClickCell(int column, int row) {
        QTest::mouseClick(dialog.Grid()->viewport(), Qt::LeftButton, {}, CellCentre(column, row));
    }
    // Typed key by key, as QTest's own typing knows only ASCII.
    static void Type(QWidget* widget, const QString& text) {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), {});
    }

    CAdfPattern adf;
    TPatternDialog dialog;
};

TEST_F(TPatternDialogTest, GenerateTwoByTwoAddAndCloseLeavesItInTheTable) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("表示パターン"));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    bool checked = false;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.ListBox()->count(), 1);
        EXPECT_EQ(Row(0), QString(15, ' ')); // nothing generated yet
        // 2 x 3 at first: one step down on the height gives 2 x 2.
        QTest::keyClick(dialog.EditSizeY(), Qt::Key_Down);
        EXPECT_EQ(dialog.EditAdfName()->text(), QStringLiteral("2,2 H"));
        EXPECT_EQ(Row(0), QStringLiteral("00 01 04 05 08 09 0C 0D 10 11 14 15 18 19 1C 1D"));
        EXPECT_EQ(Row(1), QStringLiteral("02 03 06 07 0A 0B 0E 0F 12 13 16 17 1A 1B 1E 1F"));
        QTest::mouseClick(dialog.ButtonUpdate(), Qt::LeftButton);
        EXPECT_EQ(dialog.ListBox()->count(), 2);
        EXPECT_EQ(dialog.ListBox()->item(1)->text(), QStringLiteral("2,2 H"));
        EXPECT_EQ(dialog.ListBox()->currentRow(), 1);
        QTest::mouseClick(dialog.ButtonClose(), Qt::LeftButton);
        checked = true;
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    ASSERT_TRUE(checked);
    EXPECT_EQ(adf.Names(), "Normal\n2,2 H");
    EXPECT_EQ(adf.GetPattern(1), GenerateCharacterPattern(2, 2, false));

    // Shown again: the list is filled with no selection, the working entry is still there,
    // and Escape closes with OK as well.
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.ListBox()->count(), 2);
        EXPECT_EQ(dialog.ListBox()->currentRow(), -1);
        EXPECT_EQ(dialog.EditAdfName()->text(), QStringLiteral("2,2 H"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

TEST_F(TPatternDialogTest, CellEditorStoresOnEnterAndLeavingAndDropsOnEscape) {
    Open();
    QTest::mouseClick(dialog.ListBox()->viewport(), Qt::LeftButton, {},
                      dialog.ListBox()->visualItemRect(dialog.ListBox()->item(0)).center());
    ASSERT_EQ(dialog.EditAdfName()->text(), QStringLiteral("Normal"));
    QComboBox* editor = dialog.ComboBoxEditor();
    EXPECT_EQ(editor->count(), 256);
    EXPECT_EQ(editor->itemText(0xAF), QStringLiteral("AF"));
    EXPECT_EQ(editor->maxVisibleItems(), 16);

    // A click on the current cell starts the edit.
    ClickCell(3, 2);
    EXPECT_FALSE(editor->isVisible());
    ClickCell(3, 2);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->currentText(), QStringLiteral("23"));
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Cell(3, 2), QStringLiteral("24"));
    EXPECT_TRUE(dialog.Grid()->hasFocus());
    EXPECT_TRUE(dialog.isVisible()); // Enter did not close the dialog
    // The current cell stays, so the next Enter edits it again, and so does Esc.
    for (const Qt::Key close : {Qt::Key_Return, Qt::Key_Escape}) {
        EXPECT_EQ(dialog.Grid()->currentColumn(), 3);
        EXPECT_EQ(dialog.Grid()->currentRow(), 2);
        QTest::keyClick(dialog.Grid(), Qt::Key_Return);
        ASSERT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->currentText(), QStringLiteral("24"));
        QTest::keyClick(editor, close);
        EXPECT_FALSE(editor->isVisible());
    }
    EXPECT_EQ(dialog.Grid()->currentColumn(), 3);
    EXPECT_EQ(dialog.Grid()->currentRow(), 2);

    // Enter on the grid opens the editor on the current cell; Esc drops the choice.
    dialog.Grid()->setCurrentCell(15, 15);
    QTest::keyClick(dialog.Grid(), Qt::Key_Return);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->currentText(), QStringLiteral("FF"));
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Cell(15, 15), QStringLiteral("FF"));
    EXPECT_TRUE(dialog.isVisible());

    // Leaving for the name box stores, and the name box keeps the focus.
    ClickCell(0, 0);
    ClickCell(0, 0);
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Down);
    dialog.EditAdfName()->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Cell(0, 0), QStringLiteral("01"));
    EXPECT_TRUE(dialog.EditAdfName()->hasFocus());

    // The table changes only through "追加・更新(&U)".
    EXPECT_EQ(adf.GetPattern(0), NormalPattern());
    QTest::mouseClick(dialog.ButtonUpdate(), Qt::LeftButton);
    EXPECT_EQ(adf.GetPattern(0).tiles[0], 0x01);
    EXPECT_EQ(adf.GetPattern(0).tiles[2 * 16 + 3], 0x24);
    EXPECT_EQ(adf.GetPattern(0).tiles[255], 0xFF);
    dialog.accept();
}

TEST_F(TPatternDialogTest, NameBoxSizesFullTableAndPlacement) {
    Open();
    EXPECT_EQ(dialog.EditAdfName()->text(), QString()); // the list's focus selects nothing
    dialog.EditAdfName()->setFocus();
    QTest::keyClicks(dialog.EditAdfName(), QString(30, 'x'));
    EXPECT_EQ(dialog.EditAdfName()->text(), QString(24, 'x'));
    dialog.EditAdfName()->clear();
    Type(dialog.EditAdfName(), QString::fromUtf8("あいうえおかきくけこさしす"));
    EXPECT_EQ(dialog.EditAdfName()->text(), QString::fromUtf8("あいうえおかきくけこさし"));

    // The sizes wrap.
    dialog.EditSizeX()->setValue(16);
    QTest::keyClick(dialog.EditSizeX(), Qt::Key_Up);
    EXPECT_EQ(dialog.EditSizeX()->value(), 1);
    EXPECT_EQ(dialog.EditAdfName()->text(), QStringLiteral("1,3 H"));

    for (int i = 1; i < 64; ++i)
        adf.SetPattern(i, NormalPattern());
    dialog.hide();
    Open();
    QStringList messages;
    dialog.SetMessageSink([&](QWidget*, const QString& text) { messages << text; });
    QTest::mouseClick(dialog.ButtonUpdate(), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QString::fromUtf8("ADFパターン数が多すぎるため、項目を追加できません。\n"
                                             "不要なパターンを削除したあとに追加してください。"));
    dialog.accept();

    dialog.PlaceAbove(QRect(100, 450, 60, 22));
    EXPECT_EQ(dialog.frameGeometry().left(), 100);
    EXPECT_EQ(dialog.frameGeometry().bottom() + 1, 450);
    // Near the screen's corner it stays on the screen.
    dialog.PlaceAbove(QRect(-500, 10, 60, 22));
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(dialog.frameGeometry()))
        << screen.width() << "x" << screen.height();
}

} // namespace
} // namespace tavrin
