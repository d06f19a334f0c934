#include "support/WindowFixture.h"

#include "gui/app/MainMenus.h"
#include "gui/app/MainStatusBar.h"
#include "gui/nav/NavigateController.h"
#include "gui/nav/TBookmarkWindow.h"
#include "gui/nav/TFindBytesDialog.h"
#include "gui/views/ImagePanel.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>

namespace tavrin::test {
namespace {

class NavigateWindow : public WindowTest {
protected:
    // Bytes whose tiles differ, 64 KiB.
    static QByteArray Counting() {
        QByteArray bytes(0x10000, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i % 251);
        return bytes;
    }
    // The File menu's entry of that name, as the menu shows it when opened.
    QAction* MenuEntry(const QString& name) {
        emit W().Menus().Menu(0)->aboutToShow();
        for (QAction* action : W().Menus().Menu(0)->actions())
            if (action->objectName() == name)
                return action;
        return nullptr;
    }
    QAction* RecentEntry(int index) {
        return MenuEntry(QStringLiteral("ActFileRecent%1").arg(index));
    }
    QComboBox* Rotation() { return W().findChild<QComboBox*>(QStringLiteral("ComboBoxRotate")); }
    QString AddressPanel() {
        return W().Status().findChild<QLabel*>(QStringLiteral("StatusPanel0"))->text();
    }
};

TEST_F(NavigateWindow, ReopenFromTheRecentListAtTheSavedPlace) {
    const QString a = WriteFile(QStringLiteral("a.chr"), Counting());
    ASSERT_TRUE(QDir(m_dir.path())
                    .mkpath(QStringLiteral("a folder whose name is long enough to be shortened")));
    const QString b = WriteFile(
        QStringLiteral("a folder whose name is long enough to be shortened/b.chr"), Counting());
    Open({a.toStdString()});
    E().AddrJump(0x4560);
    Rotation()->setCurrentIndex(2);
    m_nextFile = b;
    Action("ActFileOpen")->trigger();
    ASSERT_EQ(E().Space().Document().FilePath(), b.toStdString());

    // The list lives on in the settings file, the newest first; a long path loses its middle.
    CloseWindow();
    Open();
    ASSERT_NE(RecentEntry(1), nullptr);
    EXPECT_EQ(RecentEntry(1)->text(), QStringLiteral("&2 ") + a);
    const QString first = RecentEntry(0)->text();
    EXPECT_TRUE(first.startsWith(QStringLiteral("&1 "))) << first.toStdString();
    EXPECT_TRUE(first.endsWith(QStringLiteral("/b.chr"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QChar(0x2026))) << first.toStdString();
    EXPECT_EQ(RecentEntry(0)->toolTip(), b);
    EXPECT_EQ(RecentEntry(2), nullptr);

    RecentEntry(1)->trigger();
    EXPECT_EQ(E().Space().Document().FilePath(), a.toStdString());
    EXPECT_EQ(E().Space().Address(), 0x4560);
    EXPECT_EQ(E().Space().RotateIndex(), 2);
    EXPECT_EQ(Rotation()->currentIndex(), 2);
    EXPECT_EQ(RecentEntry(0)->text(), QStringLiteral("&1 ") + a);

    // A file gone: named and taken off; the last entry clears the list.
    QFile::remove(b);
    RecentEntry(1)->trigger();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(b));
    EXPECT_EQ(E().Space().Document().FilePath(), a.toStdString());
    EXPECT_EQ(RecentEntry(1), nullptr);
    ASSERT_NE(MenuEntry(QStringLiteral("ActFileRecentClear")), nullptr);
    MenuEntry(QStringLiteral("ActFileRecentClear"))->trigger();
    EXPECT_EQ(RecentEntry(0), nullptr);
    EXPECT_EQ(MenuEntry(QStringLiteral("ActFileRecentClear")), nullptr);
}

TEST_F(NavigateWindow, BookmarksAddRenameJumpDeleteAndTheFileBesideTheRom) {
    const QString rom = WriteFile(QStringLiteral("game.nes"), Counting());
    Open({rom.toStdString()});
    QStringList presets;
    Navigate(&W())->SetTextAsker(
        [&presets](QWidget*, const QString&, const QString& preset) -> std::optional<QString> {
            presets << preset;
            return presets.size() == 1 ? QStringLiteral("Hero") : preset;
        });
    E().AddrJump(0x1230);
    Key(Qt::Key_B, Qt::ControlModifier);
    E().AddrJump(0x8000);
    Rotation()->setCurrentIndex(1);
    Key(Qt::Key_B, Qt::ControlModifier); // the name as offered: the address
    EXPECT_EQ(presets, QStringList({QStringLiteral("001230"), QStringLiteral("008000")}));
    const QByteArray header = "# Tavrin bookmarks, one a line:\n"
                              "# ADDRESS | FORMAT | PATTERN | ROTATION | MIRROR | PALETTE GROUP | "
                              "NAME\n";
    EXPECT_EQ(ReadFile(QStringLiteral("game.nes.bookmarks")),
              header + "001230 | 2BPP NES | 0 | 0 | none | 0 | Hero\n"
                       "008000 | 2BPP NES | 0 | 90 | none | 0 | 008000\n");

    Key(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    TBookmarkWindow& list = Navigate(&W())->BookmarkWindow();
    ASSERT_TRUE(list.isVisible());
    QListWidget* items = list.List();
    ASSERT_EQ(items->count(), 2);
    items->item(1)->setText(QStringLiteral("Title"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(
        ReadFile(QStringLiteral("game.nes.bookmarks")).endsWith("| 90 | none | 0 | Title\n"));

    items->setCurrentRow(0);
    QTest::keyClick(items, Qt::Key_Return);
    EXPECT_EQ(E().Space().Address(), 0x1230);
    EXPECT_EQ(Rotation()->currentIndex(), 0);
    // The view takes a double click on the line the press before it chose.
    // Through the window system, as the main window's own mouse tests go.
    const QPoint second =
        items->viewport()->mapTo(&list, items->visualItemRect(items->item(1)).center());
    QTest::mouseClick(list.windowHandle(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list.windowHandle(), Qt::LeftButton, {}, second);
    EXPECT_EQ(E().Space().Address(), 0x8000);
    EXPECT_EQ(Rotation()->currentIndex(), 1);

    QTest::keyClick(items, Qt::Key_Up, Qt::ControlModifier); // Title first
    QCoreApplication::processEvents();
    ASSERT_EQ(items->count(), 2);
    EXPECT_EQ(items->item(0)->text(), QStringLiteral("Title"));
    EXPECT_EQ(items->currentRow(), 0);
    const QByteArray both = ReadFile(QStringLiteral("game.nes.bookmarks"));
    QTest::keyClick(items, Qt::Key_Delete); // answered No: nothing changes
    QCoreApplication::processEvents();
    EXPECT_EQ(m_questions, QStringList(QString::fromUtf8("ブックマーク「Title」を削除しますか？")));
    EXPECT_EQ(items->count(), 2);
    EXPECT_EQ(items->currentRow(), 0);
    EXPECT_EQ(ReadFile(QStringLiteral("game.nes.bookmarks")), both);
    m_nextAnswer = QMessageBox::Yes;
    QTest::keyClick(items, Qt::Key_Delete);
    QCoreApplication::processEvents();
    ASSERT_EQ(items->count(), 1);
    EXPECT_EQ(items->item(0)->text(), QStringLiteral("Hero"));
    EXPECT_EQ(ReadFile(QStringLiteral("game.nes.bookmarks")),
              header + "001230 | 2BPP NES | 0 | 0 | none | 0 | Hero\n");
    list.close();
}

TEST_F(NavigateWindow, AByteSearchSelectsTheTileAndWrapsWithAMessage) {
    QByteArray bytes = Counting();
    bytes.replace(0x2345, 3, QByteArray("HER"));
    bytes.replace(0x3000, 0x40, QByteArray(0x40, '\0'));
    const QString rom = WriteFile(QStringLiteral("find.chr"), bytes);
    Open({rom.toStdString()});
    E().AddrJump(0x4000);
    Key(Qt::Key_F, Qt::ControlModifier);
    TFindBytesDialog& dialog = Navigate(&W())->FindBytesDialog();
    ASSERT_TRUE(dialog.isVisible());
    dialog.ComboMode()->setCurrentIndex(TFindBytesDialog::Ascii);
    dialog.EditText()->setText(QStringLiteral("HER"));
    QTest::keyClick(dialog.EditText(), Qt::Key_Return); // from 4000 on: round past the end
    EXPECT_EQ(E().Space().Address(), 0x2300);
    EXPECT_EQ(E().GetEditArea().firstColumn, 4);
    EXPECT_EQ(E().GetEditArea().firstRow, 0);
    ASSERT_EQ(m_messages.size(), 1);
    m_messages.clear();
    // Hexadecimal with an open byte, backwards from the match: round past the start.
    dialog.ComboMode()->setCurrentIndex(TFindBytesDialog::Hex);
    dialog.EditText()->setText(QStringLiteral("48 ?? 52"));
    dialog.RadioBackward()->setChecked(true);
    QTest::keyClick(dialog.EditText(), Qt::Key_Return);
    EXPECT_EQ(E().Space().Address(), 0x2300);
    EXPECT_EQ(m_messages.size(), 1);
    // A text that makes no bytes is explained and nothing moves.
    dialog.EditText()->setText(QStringLiteral("48 4"));
    E().AddrJump(0x100);
    QTest::keyClick(dialog.EditText(), Qt::Key_Return);
    EXPECT_EQ(m_messages.size(), 2);
    EXPECT_EQ(E().Space().Address(), 0x100);
    dialog.close();

    E().AddrJump(0x5000);
    Key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(E().Space().Address(), 0x3040);
}

TEST_F(NavigateWindow, StatusBarAddressUnderTheMouseAfterARotation) {
    const QString rom = WriteFile(QStringLiteral("t.chr"), Counting());
    Open({rom.toStdString()});
    E().AddrJump(0x1000);
    const QString page = W().Status().PanelText(0);
    Move(W().ChrView(), QPoint(16 * 3 + 5, 16 * 2 + 3));
    EXPECT_EQ(AddressPanel(), QString::fromUtf8("アドレス 001230  タイル 123"));
    Rotation()->setCurrentIndex(1);
    Move(W().ChrView(), QPoint(16 * 3 + 6, 16 * 2 + 3));
    EXPECT_EQ(AddressPanel(), QString::fromUtf8("アドレス 001230  タイル 123"));
    // The page moves under the still mouse.
    Key(Qt::Key_Down);
    EXPECT_EQ(AddressPanel(), QString::fromUtf8("アドレス 001330  タイル 133"));
    // Away from the view, the page's addresses again.
    Move(W().ChrView(), QPoint(300, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(AddressPanel(), W().Status().PanelText(0));
    EXPECT_NE(AddressPanel(), page);

    // The selection's address to the clipboard, as the jump dialog takes it.
    Press(W().ChrView(), Qt::LeftButton, QPoint(16 * 5 + 1, 16 * 7 + 1));
    Release(W().ChrView(), Qt::LeftButton, QPoint(16 * 5 + 1, 16 * 7 + 1));
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("001850"));
}

} // namespace
} // namespace tavrin::test
