#include "gui/tools/TToolConfigDialog.h"

#include "core/tools/CTools.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

ToolDefinition Tool(const char* name, const char* command, bool enabled, bool saveTemp) {
    ToolDefinition tool;
    tool.Name = name;
    tool.Command = command;
    tool.Enabled = enabled;
    tool.SaveTemp = saveTemp;
    tool.LoadTemp = saveTemp;
    return tool;
}

class TToolConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        tools.SetTool(2, Tool("GIMP", "\"/usr/bin/gimp\" %TEMP", true, true));
        dialog.SetFileChooser([this](QWidget*, const FileDialogRequest& request) {
            requests.push_back(request);
            return nextFile;
        });
        dialog.SetMessageSink([this](QWidget*, const QString& text) { messages << text; });
    }

    void Open() {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    void ClickLine(int row) {
        QListWidget* list = dialog.ListBoxTool();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    QStringList Lines() const {
        QStringList lines;
        for (int i = 0; i < dialog.ListBoxTool()->count(); ++i)
            lines << dialog.ListBoxTool()->item(i)->text();
        return lines;
    }

    QTemporaryDir dir;
    CTools tools{dir.filePath(QStringLiteral("tavrin.ini")).toStdString()};
    TToolConfigDialog dialog{tools};
    std::vector<FileDialogRequest> requests;
    QString nextFile;
    QStringList messages;
};

TEST_F(TToolConfigDialogTest, ControlsCaptionsAndHelpText) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("外部ツール設定"));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    const QStringList captions = {dialog.GroupDefinition()->title(), dialog.CheckEnabled()->text(),
                                  dialog.Button1()->text(),          dialog.CheckSaveFile()->text(),
                                  dialog.CheckLoadFile()->text(),    dialog.CheckSaveTemp()->text(),
                                  dialog.CheckLoadTemp()->text(),    dialog.ButtonSave()->text(),
                                  dialog.ButtonUndo()->text(),       dialog.ButtonClose()->text()};
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QString::fromUtf8("ツールの定義|有効|参照...|ツール実行前にファイル(%FILE)を保存する|"
                                "ツール実行後にファイル(%FILE)を読み込む|"
                                "ツール実行前に表示中の画像からテンポラリ画像(%TEMP)を作成する|"
                                "ツール実行後にテンポラリ画像(%TEMP)を表示中の位置に貼り付ける|"
                                "保存(&S)|元に戻す(&U)|閉じる(&C)"));
    EXPECT_TRUE(dialog.MemoHelp()->isReadOnly());
    EXPECT_EQ(
        dialog.MemoHelp()->toPlainText(),
        QString::fromUtf8("[パラメータ]\n%FILE : 開いているファイル名\n"
                          "%TEMP : テンポラリ画像ファイル名(表示中の128x128の画像)\n"
                          "%EXEPATH : Tavrinのプログラムのあるパス\n\nコマンドライン例:\n"
                          "\"/usr/bin/gimp\" %TEMP\n\n"
                          "※実行ファイル名は短いパスであっても\"\"で括って下さい。\n"
                          "※ツール実行中はTavrinには終了待ちダイアログが出ます。\n"
                          "\u3000\u3000ツール側でデータを保存した後にOKボタンを押してください。"));
}

TEST_F(TToolConfigDialogTest, ShowingListsTheToolsAndShowsLineZero) {
    tools.SetTool(0, Tool("", "\"/bin/a\" x", true, false));
    Open();
    QStringList expected(10, QString::fromUtf8("未定義"));
    expected[2] = QStringLiteral("GIMP");
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(dialog.ListBoxTool()->currentRow(), 0);
    EXPECT_EQ(dialog.EditCommand()->text(), QStringLiteral("\"/bin/a\" x"));
    EXPECT_TRUE(dialog.CheckEnabled()->isChecked());

    ClickLine(2);
    EXPECT_EQ(dialog.EditName()->text(), QStringLiteral("GIMP"));
    EXPECT_TRUE(dialog.CheckSaveTemp()->isChecked());
    EXPECT_FALSE(dialog.CheckSaveFile()->isChecked());
    // Edits not saved are dropped by a click, even on the same line.
    dialog.EditName()->setText(QStringLiteral("changed"));
    ClickLine(2);
    EXPECT_EQ(dialog.EditName()->text(), QStringLiteral("GIMP"));
}

TEST_F(TToolConfigDialogTest, SaveStoresTheLineAndWritesTheFileEscReadsItBack) {
    Open();
    ClickLine(5);
    dialog.EditName()->setText(QStringLiteral("Packer"));
    dialog.EditCommand()->setText(QStringLiteral("\"%EXEPATHpack\" %FILE"));
    dialog.CheckSaveFile()->setChecked(true);
    dialog.CheckLoadFile()->setChecked(true);
    QTest::mouseClick(dialog.ButtonSave(), Qt::LeftButton);
    EXPECT_EQ(dialog.ListBoxTool()->item(5)->text(), QStringLiteral("Packer"));
    EXPECT_EQ(dialog.ListBoxTool()->currentRow(), 5);

    CTools written(tools.Path());
    ASSERT_TRUE(written.Load());
    ToolDefinition expected;
    expected.Name = "Packer";
    expected.Command = "\"%EXEPATHpack\" %FILE";
    expected.SaveFile = expected.LoadFile = true;
    EXPECT_EQ(written.GetTool(5), expected);
    EXPECT_EQ(written.GetTool(2), tools.GetTool(2));

    dialog.EditName()->setText(QStringLiteral("unsaved"));
    dialog.CheckLoadFile()->setChecked(false);
    QTest::keyClick(dialog.EditName(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.ListBoxTool()->currentRow(), 5);
    EXPECT_EQ(dialog.EditName()->text(), QStringLiteral("Packer"));
    EXPECT_TRUE(dialog.CheckLoadFile()->isChecked());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(TToolConfigDialogTest, BrowseQuotesTheProgramAndNamesAnUnnamedTool) {
    Open();
    nextFile = QStringLiteral("/opt/My Tools/ed\"it");
    QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].save);
    EXPECT_EQ(requests[0].filter, QString::fromUtf8("実行形式ファイル|*|全てのファイル|*"));
    EXPECT_EQ(dialog.EditCommand()->text(), QStringLiteral("\"/opt/My Tools/ed\\\"it\""));
    EXPECT_EQ(dialog.EditName()->text(), QStringLiteral("ed\"it"));

    ClickLine(2);
    nextFile = QStringLiteral("/usr/bin/pinta");
    QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
    EXPECT_EQ(dialog.EditCommand()->text(), QStringLiteral("\"/usr/bin/pinta\""));
    EXPECT_EQ(dialog.EditName()->text(), QStringLiteral("GIMP"));
    // A cancelled dialog changes nothing.
    nextFile.clear();
    QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
    EXPECT_EQ(dialog.EditCommand()->text(), QStringLiteral("\"/usr/bin/pinta\""));
}

TEST_F(TToolConfigDialogTest, SaveFailureIsToldAndTheToolKeepsTheEdit) {
    tools.SetPath(dir.filePath(QStringLiteral("missing/tavrin.ini")).toStdString());
    Open();
    dialog.EditName()->setText(QStringLiteral("kept"));
    QTest::mouseClick(dialog.ButtonSave(), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("設定の保存に失敗しました：\n")));
    EXPECT_EQ(tools.GetTool(0).Name, "kept");
}

TEST_F(TToolConfigDialogTest, CloseGivesOkTheCloseBoxDoesNotAndItCentresOverItsOwner) {
    QWidget owner;
    owner.setGeometry(100, 80, 800, 600);
    dialog.CentreOver(&owner);
    const QRect frame = owner.frameGeometry();
    EXPECT_EQ(dialog.pos(), QPoint(frame.left() + frame.width() / 2 - dialog.width() / 2,
                                   frame.top() + frame.height() / 2 - dialog.height() / 2));

    QTimer::singleShot(0, &dialog, [this] { dialog.ButtonClose()->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    QTimer::singleShot(0, &dialog, [this] { dialog.close(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

} // namespace
} // namespace tavrin
