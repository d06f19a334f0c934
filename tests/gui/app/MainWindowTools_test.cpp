#include "support/WindowFixture.h"

#include "core/tools/CTools.h"
#include "core/tools/ToolRunner.h"
#include "gui/palette/TPalEditDialog.h"
#include "gui/tools/TToolConfigDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

namespace tavrin::test {
namespace {

const QString WaitText = QString::fromUtf8(ToolRunner::WaitText);

class ToolsTest : public WindowTest {
protected:
    // A program the test writes: a shell script that runs perl (always there on Debian) on
    // its first argument, then leaves the marker file, so the test knows the edit is done.
    QString WriteScript(const QString& name, const QByteArray& perl) {
        const QString path =
            WriteFile(name, "#!/bin/sh\nperl -e '" + perl + "' \"$1\" && : > \"$2\"\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    // Tool 0 in the settings file, run on the marker file as its second argument.
    void RegisterTool(const QString& program, const QString& placeholder, const char* flags) {
        WriteFile(QStringLiteral("tavrin.ini"),
                  ("[TOOL]\nTool0Name=Fake editor\nTool0Command=\"" + program + "\" " +
                   placeholder + " \"" + Path(QStringLiteral("done")) + "\"\nTool0Enabled=1\n" +
                   flags)
                      .toUtf8());
    }

    // The wait message is answered once the script left its marker.
    void AnswerWaitAfterTheTool() {
        m_window->SetMessageSink([this](QWidget*, const QString& text) {
            m_messages << text;
            if (text != WaitText)
                return;
            for (int i = 0; i < 1000 && !QFile::exists(Path(QStringLiteral("done"))); ++i)
                QTest::qWait(10);
        });
    }

    QByteArray Document() const {
        const RomDocument& doc = m_window->GetEditor().Space().Document();
        return QByteArray(reinterpret_cast<const char*>(doc.Data()), doc.DataSize());
    }
};

TEST_F(ToolsTest, ATemporaryBitmapEditedByTheToolComesBackIntoTheRom) {
    // Colour 1 becomes colour 2 in the bitmap's pixels (from the offset at byte 10 on).
    const QString script = WriteScript(
        QStringLiteral("recolour.sh"),
        "open(F, q(+<), $ARGV[0]) or die; binmode F; local $/; my $d = <F>;"
        " my $o = unpack(q(V), substr($d, 10, 4)); my $p = substr($d, $o);"
        " $p =~ tr/\\x01/\\x02/; substr($d, $o) = $p; seek(F, 0, 0); print F $d; close F;");
    RegisterTool(script, QStringLiteral("%TEMP"), "Tool0SaveTemp=1\nTool0LoadTemp=1\n");
    const QByteArray original = RandomBytes(0x2000, 9);
    const QString rom = WriteFile(QStringLiteral("art.chr"), original);
    Open({rom.toStdString()});
    AnswerWaitAfterTheTool();

    QAction* tool = Action("ActToolExecute0");
    EXPECT_TRUE(tool->isVisible());
    EXPECT_TRUE(tool->isEnabled());
    EXPECT_EQ(tool->text(), QStringLiteral("Fake editor"));
    EXPECT_FALSE(Action("ActToolExecute1")->isVisible());
    tool->trigger();
    EXPECT_EQ(m_messages, QStringList{WaitText});
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("temp.bmp"))));

    // 2BPP NES: a pixel of colour 1 (low plane 1, high plane 0) becomes colour 2 (0, 1), in
    // the first page only, in the document and not yet in the file.
    QByteArray expected = original;
    for (int tile = 0; tile < 256; ++tile)
        for (int row = 0; row < 8; ++row) {
            const uint8_t low = static_cast<uint8_t>(original[tile * 16 + row]);
            const uint8_t high = static_cast<uint8_t>(original[tile * 16 + 8 + row]);
            const uint8_t ones = low & ~high;
            expected[tile * 16 + row] = static_cast<char>(low & ~ones);
            expected[tile * 16 + 8 + row] = static_cast<char>(high | ones);
        }
    ASSERT_NE(expected, original);
    EXPECT_EQ(Document(), expected);
    EXPECT_EQ(ReadFile(QStringLiteral("art.chr")), original);
    // One undo step takes it all back.
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document(), original);
}

TEST_F(ToolsTest, AToolThatEditsTheFileSeesTheSavedEditsAndIsReadBack) {
    const QString script =
        WriteScript(QStringLiteral("stamp.sh"),
                    "open(F, q(+<), $ARGV[0]) or die; binmode F; print F qq(\\xAA) x 16; close F;");
    RegisterTool(script, QStringLiteral("%FILE"), "Tool0SaveFile=1\nTool0LoadFile=1\n");
    const QByteArray original = RandomBytes(0x4000, 10);
    Open({WriteFile(QStringLiteral("art.chr"), original).toStdString()});
    AnswerWaitAfterTheTool();
    // An edit not saved yet, on the page at 0x1000: tiles 0, 1, 16 and 17 cleared.
    E().AddrJump(0x1000);
    Key(Qt::Key_Delete);

    Action("ActToolExecute0")->trigger();
    EXPECT_EQ(m_messages, QStringList{WaitText});
    QByteArray expected = original;
    expected.replace(0, 16, QByteArray(16, '\xAA'));
    for (int offset : {0x1000, 0x1100})
        expected.replace(offset, 32, QByteArray(32, '\0'));
    EXPECT_EQ(Document(), expected);
    EXPECT_EQ(ReadFile(QStringLiteral("art.chr")), expected);
    EXPECT_EQ(E().Space().Address(), 0x1000);
}

TEST_F(ToolsTest, AProgramThatDoesNotStartShowsTheFailureAndChangesNothing) {
    const QString missing = Path(QStringLiteral("no-such-program"));
    RegisterTool(missing, QStringLiteral("%TEMP"),
                 "Tool0SaveTemp=1\nTool0LoadTemp=1\nTool0LoadFile=1\n");
    const QByteArray original = RandomBytes(0x2000, 11);
    Open({WriteFile(QStringLiteral("art.chr"), original).toStdString()});
    E().AddrJump(0x100);

    Action("ActToolExecute0")->trigger();
    EXPECT_EQ(m_messages, QStringList{QString::fromUtf8(ToolRunner::FailureText) + "\"" + missing +
                                      "\"\n" + QString::fromUtf8(ToolRunner::NotFoundText)});
    EXPECT_EQ(Document(), original);
    EXPECT_FALSE(E().Space().Undo().CanUndo());
    EXPECT_EQ(E().Space().Address(), 0x100);
}

TEST_F(ToolsTest, TheConfigurationDialogBuildsTheToolMenu) {
    Open();
    EXPECT_FALSE(Action("ActToolExecute4")->isVisible());
    TToolConfigDialog& dialog = W().ToolConfigDialog();
    WhenShown(&dialog, [&] {
        dialog.ListBoxTool()->setCurrentRow(4);
        dialog.EditName()->setText(QStringLiteral("Packer"));
        dialog.CheckEnabled()->setChecked(true);
        QTest::mouseClick(dialog.ButtonSave(), Qt::LeftButton);
        QTest::mouseClick(dialog.ButtonClose(), Qt::LeftButton);
    });
    Action("ActToolToolConfig")->trigger();
    EXPECT_TRUE(Action("ActToolExecute4")->isVisible());
    EXPECT_EQ(Action("ActToolExecute4")->text(), QStringLiteral("Packer"));
    EXPECT_NE(ReadFile(QStringLiteral("tavrin.ini")).indexOf("Tool4Name = Packer"), -1);

    // Reloading reads what the file says now; saving writes what the program holds.
    WriteFile(QStringLiteral("tavrin.ini"), "[TOOL]\nTool4Name=Other\nTool4Enabled=0\n");
    Action("ActHelpLoadConfig")->trigger();
    EXPECT_FALSE(Action("ActToolExecute4")->isVisible());
    EXPECT_EQ(Action("ActToolExecute4")->text(), QStringLiteral("Other"));
    WriteFile(QStringLiteral("tavrin.ini"), "[Keep]\nA=1\n");
    Action("ActHelpSaveConfig")->trigger();
    const QByteArray saved = ReadFile(QStringLiteral("tavrin.ini"));
    EXPECT_NE(saved.indexOf("Tool4Name = Other"), -1);
    EXPECT_NE(saved.indexOf("[Keep]"), -1);
}

TEST_F(ToolsTest, ExecuteFileOpensTheRomWithTheDesktopsProgram) {
    const QString rom = WriteFile(QStringLiteral("art.chr"), RandomBytes(0x2000, 12));
    Open({rom.toStdString()});
    QList<QUrl> opened;
    bool succeed = true;
    W().SetUrlOpener([&](const QUrl& url) {
        opened << url;
        return succeed;
    });
    Action("ActToolExecuteFile")->trigger();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(rom)});
    EXPECT_TRUE(m_messages.isEmpty());

    succeed = false;
    Action("ActToolExecuteFile")->trigger();
    EXPECT_EQ(m_messages, QStringList{QString::fromUtf8(ToolRunner::FailureText) + rom});
    // The parameter command has nothing behind it.
    EXPECT_TRUE(Action("ActToolExecParam")->isEnabled());
    Action("ActToolExecParam")->trigger();
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(ToolsTest, TheWindowTakesTheChosenColourAndKeepsIt) {
    Open();
    const QColor face = QApplication::palette().color(QPalette::Button);
    TPalEditDialog& dialog = W().PaletteEditor();
    const int step = face.red() < 128 ? 1 : -1; // the red arrow that stays in range
    WhenShown(&dialog, [&] {
        EXPECT_EQ(dialog.pos(), W().pos() + QPoint(32, 32));
        QToolButton* arrow =
            step > 0 ? dialog.UpDown(0)->ButtonUp() : dialog.UpDown(0)->ButtonDown();
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(arrow, Qt::LeftButton);
        QTest::mouseClick(dialog.ButtonClose(), Qt::LeftButton);
    });
    Action("ActToolFormColor")->trigger();
    const QColor chosen(face.red() + 3 * step, face.green(), face.blue());
    EXPECT_EQ(W().palette().color(QPalette::Window), chosen);
    const int value = chosen.red() | chosen.green() << 8 | chosen.blue() << 16;
    EXPECT_EQ(W().WindowColour(), value);

    CloseWindow();
    EXPECT_NE(ReadFile(QStringLiteral("tavrin.ini"))
                  .indexOf("WindowColor = " + QByteArray::number(value)),
              -1);
    Open();
    EXPECT_EQ(W().palette().color(QPalette::Window), chosen);

    // Leaving the dialog's colour as it starts (the system's) gives the system colour back.
    WhenShown(&W().PaletteEditor(),
              [this] { QTest::mouseClick(W().PaletteEditor().ButtonClose(), Qt::LeftButton); });
    Action("ActToolFormColor")->trigger();
    EXPECT_EQ(W().WindowColour(), -1);
    EXPECT_EQ(W().palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Window));
    CloseWindow();
    EXPECT_NE(ReadFile(QStringLiteral("tavrin.ini")).indexOf("WindowColor = -1"), -1);
}

} // namespace
} // namespace tavrin::test
