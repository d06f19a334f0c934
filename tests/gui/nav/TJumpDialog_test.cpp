#include "gui/nav/TJumpDialog.h"

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
    EXPECT_EQ(dialog.EditAddress()->maxLength(), 8);
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
