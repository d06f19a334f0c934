#include "gui/nav/TJumpDialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

class TJumpDialogTest : public ::testing::Test {
protected:
    // Shows the dialog on an address, types text over the selection and presses Enter.
    int Type(int address, const QString& text) {
        dialog.SetAddress(address);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(dialog.EditAddress()->selectedText(), dialog.EditAddress()->text());
        QTest::keyClicks(dialog.EditAddress(), text);
        QTest::keyClick(dialog.EditAddress(), Qt::Key_Return);
        return dialog.result();
    }

    TJumpDialog dialog;
};

TEST_F(TJumpDialogTest, ShowsTheAddressAsEightLowerCaseDigits) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("指定アドレスへ移動"));
    dialog.SetAddress(0xABCDE);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.EditAddress()->text(), QStringLiteral("000abcde"));
    EXPECT_EQ(dialog.EditAddress()->selectedText(), QStringLiteral("000abcde"));
    EXPECT_EQ(dialog.EditAddress()->maxLength(), 16);
    EXPECT_EQ(dialog.ButtonOk()->text(), QStringLiteral("&OK"));
    dialog.reject();
}

TEST_F(TJumpDialogTest, HexadecimalTextIsAccepted) {
    EXPECT_EQ(Type(0x100, QStringLiteral("1F")), QDialog::Accepted);
    EXPECT_EQ(dialog.Address(), 0x1F);
    EXPECT_EQ(Type(0, QStringLiteral("7fffffff")), QDialog::Accepted);
    EXPECT_EQ(dialog.Address(), 0x7FFFFFFF);
    // The usual ways of writing hexadecimal numbers.
    for (const char* text : {"0x9000", "$9000", "9000h"}) {
        EXPECT_EQ(Type(0, QString::fromLatin1(text)), QDialog::Accepted) << text;
        EXPECT_EQ(dialog.Address(), 0x9000) << text;
    }
}

TEST_F(TJumpDialogTest, BadTextCancelsWithAddressZero) {
    for (const QString& text : {QStringLiteral("g"), QStringLiteral("80000000"), QString()}) {
        SCOPED_TRACE(text.toStdString());
        if (text.isEmpty()) {
            dialog.SetAddress(0x40);
            dialog.show();
            dialog.EditAddress()->clear();
            QTest::keyClick(dialog.EditAddress(), Qt::Key_Return);
        } else {
            Type(0x40, text);
        }
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.Address(), 0);
    }
}

TEST_F(TJumpDialogTest, APastedAddressInEveryFormIsTaken) {
    // As copied by Ctrl+Shift+C, or from another program with its prefix and line end.
    for (const char* text : {"012340", "0x00012340", " $12340\n", "12340h\r\n", "\t0X12340 "}) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
        dialog.SetAddress(0);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(dialog.EditAddress(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(dialog.EditAddress(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << text;
        EXPECT_EQ(dialog.Address(), 0x12340) << text;
    }
}

TEST_F(TJumpDialogTest, EscapeCancels) {
    dialog.SetAddress(0x40);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(dialog.EditAddress(), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Address(), 0x40);
}

} // namespace
} // namespace tavrin
