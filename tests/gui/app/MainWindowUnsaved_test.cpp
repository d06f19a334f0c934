#include "support/WindowFixture.h"

#include "gui/app/DisplaySettingsPanel.h"
#include "gui/nav/TJumpDialog.h"
#include "gui/views/ImagePanel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>

// Nothing lost without a word, through the window: failure messages, the " *" caption and
// the questions before changes are lost, and the keys after a list choice.

namespace tavrin::test {
namespace {

class UnsavedTest : public WindowTest {};

TEST_F(UnsavedTest, FilesThatCannotBeOpenedOrSavedAreNamedWithTheReason) {
    const QString rom = WriteFile(QStringLiteral("ok.chr"), RandomBytes(8192, 1));
    const QString missing = m_dir.filePath(QStringLiteral("gone.chr"));
    Open({missing.toStdString()});
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], QStringLiteral("ファイルを開けませんでした：\n") + missing +
                                 QStringLiteral("\nファイルが見つかりません。"));
    EXPECT_EQ(E().Space().Document().FileName(), "NewFile.chr");

    // A folder dropped or opened, and a save into a folder that does not exist.
    QDir(m_dir.path()).mkdir(QStringLiteral("dir.chr"));
    E().DropFiles({m_dir.filePath(QStringLiteral("dir.chr")).toStdString()});
    ASSERT_EQ(m_messages.size(), 2);
    EXPECT_TRUE(m_messages[1].endsWith(QStringLiteral("（フォルダーなど）。")));
    E().DropFiles({rom.toStdString()});
    m_nextFile = m_dir.filePath(QStringLiteral("no/such/x.chr"));
    Action("ActFileSaveAs")->trigger();
    ASSERT_EQ(m_messages.size(), 3);
    EXPECT_EQ(m_messages[2], QStringLiteral("ファイルを保存できませんでした：\n") + m_nextFile +
                                 QStringLiteral("\nフォルダーが見つかりません。"));
    EXPECT_EQ(E().Space().Document().FilePath(), rom.toStdString());
}

TEST_F(UnsavedTest, TheCaptionMarksChangesAndClosingAsksFirst) {
    const QByteArray bytes = RandomBytes(8192, 2);
    const QString rom = WriteFile(QStringLiteral("game.chr"), bytes);
    Open({rom.toStdString()});
    const QString caption = QStringLiteral("Tavrin ( 000000 / 002000 ) game.chr");
    EXPECT_EQ(W().windowTitle(), caption);
    Key(Qt::Key_Delete);
    EXPECT_EQ(W().windowTitle(), caption + QStringLiteral(" *"));

    // Cancel keeps the window, No closes it unsaved, Yes saves first.
    m_nextAnswer = QMessageBox::Cancel;
    EXPECT_FALSE(W().close());
    EXPECT_TRUE(W().isVisible());
    m_nextAnswer = QMessageBox::Yes;
    Action("ActFileReload")->trigger();
    EXPECT_EQ(W().windowTitle(), caption) << "F7 let the changes go";
    Key(Qt::Key_Delete);
    m_nextAnswer = QMessageBox::Yes;
    EXPECT_TRUE(W().close());
    EXPECT_EQ(m_questions.size(), 3);
    EXPECT_NE(ReadFile(QStringLiteral("game.chr")), bytes);
    EXPECT_EQ(ReadFile(QStringLiteral("game.chr")).left(16), QByteArray(16, '\0'));
}

TEST_F(UnsavedTest, AListChosenWithTheMouseOrClosedWithEscGivesTheKeysBackToTheChrPanel) {
    Open({WriteFile(QStringLiteral("plain.chr"), RandomBytes(0x10000, 3)).toStdString()});
    QComboBox* zoom = W().DisplayPanel().Zoom();
    // How the list is left, and the zoom it leaves.
    enum class Leave { Click, EscOpen, EscClosed };
    for (const auto& [leave, zoomIndex] :
         {std::pair{Leave::Click, 1}, {Leave::EscOpen, 1}, {Leave::EscClosed, 1}}) {
        SCOPED_TRACE(static_cast<int>(leave));
        zoom->setFocus(Qt::MouseFocusReason);
        if (leave == Leave::EscClosed) {
            QTest::keyClick(zoom, Qt::Key_Escape);
        } else {
            zoom->showPopup();
            QAbstractItemView* list = zoom->view();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
            if (leave == Leave::Click)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualRect(zoom->model()->index(1, 0)).center());
            else
                QTest::keyClick(list, Qt::Key_Escape);
        }
        EXPECT_TRUE(
            QTest::qWaitFor([this] { return QApplication::focusWidget() == W().ChrView(); }, 1000));
        EXPECT_EQ(zoom->currentIndex(), zoomIndex);
        const int address = E().Space().Address();
        Key(Qt::Key_PageDown);
        EXPECT_EQ(E().Space().Address(), address + 0x1000) << "the address keys work at once";
    }
}

TEST_F(UnsavedTest, ASnapshotSavedAgainInTrueColourLoadsBackExactly) {
    const QByteArray bytes = RandomBytes(0x2000, 4);
    Open({WriteFile(QStringLiteral("page.chr"), bytes).toStdString()});
    m_nextFile = m_dir.filePath(QStringLiteral("snap.bmp"));
    Action("ActFileSaveSnapshot")->trigger();
    // An image editor keeps the colours but not the palette.
    const QImage trueColour = QImage(m_nextFile).convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(trueColour.save(m_dir.filePath(QStringLiteral("snap.png"))));
    Key(Qt::Key_Delete);
    m_nextFile = m_dir.filePath(QStringLiteral("snap.png"));
    Action("ActFileLoadSnapshot")->trigger();
    const QByteArray page(reinterpret_cast<const char*>(E().Space().Document().Data()), 0x1000);
    EXPECT_EQ(page, bytes.left(0x1000));
    EXPECT_TRUE(m_messages.isEmpty());
}

} // namespace
} // namespace tavrin::test
