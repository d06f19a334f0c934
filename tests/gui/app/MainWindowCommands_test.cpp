#include "support/WindowFixture.h"
#include "support/WorkspaceAccess.h"

#include "core/document/RomDocument.h"
#include "core/palette/CDatPalette.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/app/MainMenus.h"
#include "gui/app/MainStatusBar.h"
#include "gui/nav/TJumpDialog.h"
#include "gui/views/ImagePanel.h"

#include <QFrame>

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

namespace tavrin::test {
namespace {

class CommandsTest : public WindowTest {
protected:
    // A plain 64 KiB file shown as 2BPP NES (row 256 bytes, page 4096).
    void OpenPlain() {
        m_bytes = RandomBytes(0x10000, 7);
        Open({WriteFile(QStringLiteral("plain.chr"), m_bytes).toStdString()});
    }
    int Address() { return E().Space().Address(); }

    QByteArray m_bytes;
};

TEST_F(CommandsTest, CtrlDigitsSelectTheFormats) {
    OpenPlain();
    const char* const names[10] = {"1BPP",     "2BPP NES",       "2BPP GB",   "2BPP NGP",
                                   "2BPP VB",  "2BPP MSX",       "3BPP SNES", "4BPP SNES/PCE CG",
                                   "4BPP GBA", "4BPP SMS/GG/WSC"};
    for (int digit = 9; digit >= 0; --digit) {
        Key(static_cast<Qt::Key>(Qt::Key_0 + digit), Qt::ControlModifier);
        EXPECT_EQ(E().Space().FormatIndex(), digit);
        EXPECT_EQ(W().DisplayPanel().Format()->currentText(), QString::fromLatin1(names[digit]));
    }
    Key(Qt::Key_7, Qt::ControlModifier);
    EXPECT_EQ(E().Space().Page().pageBytes, 8192);
    Key(Qt::Key_Down);
    EXPECT_EQ(Address(), 512) << "a 4-bit row is 512 bytes";
}

TEST_F(CommandsTest, AFourBitFormatSwitchesToPaletteOnly) {
    OpenPlain();
    W().DisplayPanel().Format()->setCurrentIndex(8);
    EXPECT_EQ(E().Space().FormatIndex(), 8);
    EXPECT_TRUE(E().IsPaletteOnly());
    EXPECT_FALSE(W().PalPanel()->isVisible());
    EXPECT_TRUE(Action("ActPaletteMode256Pal")->isChecked());
    Key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_FALSE(E().IsPaletteOnly());
    EXPECT_TRUE(W().PalPanel()->isVisible());
    EXPECT_TRUE(Action("ActPaletteModePalSet")->isChecked());
}

TEST_F(CommandsTest, CtrlMTogglesTheColourSet) {
    OpenPlain();
    QAction* pen10 = Action("ActPen10");
    EXPECT_FALSE(pen10->isVisible());
    Key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(E().Space().IsColourSetEnabled());
    EXPECT_TRUE(Action("ActPaletteEnableSet")->isChecked());
    EXPECT_TRUE(pen10->isVisible());
    EXPECT_FALSE(pen10->isEnabled());
    Key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(E().Space().IsColourSetEnabled());
    EXPECT_FALSE(Action("ActPaletteEnableSet")->isChecked());
    EXPECT_FALSE(pen10->isVisible());
}

TEST_F(CommandsTest, AddressKeysOnAPlainFile) {
    OpenPlain();
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int address;
    };
    const Step steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 0x100},      {Qt::Key_Right, Qt::NoModifier, 0x110},
        {Qt::Key_Minus, Qt::KeypadModifier, 0x10F}, {Qt::Key_Minus, Qt::NoModifier, 0x10E},
        {Qt::Key_Semicolon, Qt::NoModifier, 0x10F}, {Qt::Key_Plus, Qt::KeypadModifier, 0x110},
        {Qt::Key_Left, Qt::NoModifier, 0x100},      {Qt::Key_PageDown, Qt::NoModifier, 0x1100},
        {Qt::Key_Up, Qt::NoModifier, 0x1000},       {Qt::Key_PageUp, Qt::NoModifier, 0x0},
        {Qt::Key_Up, Qt::NoModifier, 0x0},          {Qt::Key_End, Qt::NoModifier, 0xF000},
        {Qt::Key_Down, Qt::NoModifier, 0xF000},     {Qt::Key_Home, Qt::NoModifier, 0x0},
    };
    for (const Step& step : steps) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(Address(), step.address) << "key " << step.key;
    }
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Right);
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tavrin ( 001010 / 010000 ) plain.chr"));
    EXPECT_EQ(W().Status().PanelText(0), QStringLiteral("CHR : 001010 - 00200F / 010000"));
}

// One byte back: keypad minus and the main keyboard's minus. One byte on: keypad plus and
// the key right of "-" on the main keyboard (";" on a Japanese layout, "=" on a US one, and
// "+" where a layout gives that key its own).
TEST_F(CommandsTest, MinusAndPlusKeysStepOneByte) {
    OpenPlain();
    Key(Qt::Key_PageDown);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int address;
    };
    const Step steps[] = {
        {Qt::Key_Minus, Qt::KeypadModifier, 0xFFF}, {Qt::Key_Minus, Qt::NoModifier, 0xFFE},
        {Qt::Key_Plus, Qt::KeypadModifier, 0xFFF},  {Qt::Key_Semicolon, Qt::NoModifier, 0x1000},
        {Qt::Key_Equal, Qt::NoModifier, 0x1001},    {Qt::Key_Plus, Qt::NoModifier, 0x1002},
    };
    for (const Step& step : steps) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(Address(), step.address) << "key " << step.key << " " << step.modifiers;
    }
}

TEST_F(CommandsTest, AddressKeysOnAnINesImage) {
    const QString rom = WriteFile(QStringLiteral("game.nes"), INesImage(2, 1, false));
    Open({rom.toStdString()});
    EXPECT_EQ(Address(), 32784) << "the view starts at the character data";
    Key(Qt::Key_End);
    EXPECT_EQ(Address(), 40976 - 4096);
    Key(Qt::Key_Home);
    EXPECT_EQ(Address(), 32784);
    Key(Qt::Key_Up);
    EXPECT_EQ(Address(), 32784 - 256) << "the arrows may leave the character data";
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tavrin ( 007F10 / 00A010 ) game.nes"));
    EXPECT_EQ(W().ChrScrollBar()->value(), (32784 - 256 - 16) / 256);
}

TEST_F(CommandsTest, SimpleMenuHidesMenusButKeysStillWork) {
    OpenPlain();
    ASSERT_TRUE(W().Menus().IsSimpleMenu());
    for (int i : {2, 3, 5})
        EXPECT_FALSE(W().Menus().Menu(i)->menuAction()->isVisible());
    Key(Qt::Key_Down);
    Key(Qt::Key_End);
    EXPECT_EQ(Address(), 0xF000);
    Key(Qt::Key_Home);
    EXPECT_EQ(Address(), 0);

    Action("ActOptionSimpleMenu")->trigger();
    EXPECT_FALSE(E().Settings().SimpleMenu);
    EXPECT_FALSE(Action("ActOptionSimpleMenu")->isChecked());
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(W().Menus().Menu(i)->menuAction()->isVisible()) << i;
    Key(Qt::Key_Down);
    EXPECT_EQ(Address(), 0x100);
}

TEST_F(CommandsTest, PaletteKeysStepGroupAndEntry) {
    OpenPlain();
    const CDatPalette& set = E().Space().PaletteSet();
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Z, 0x1A}, {Qt::Key_V, 0x22}, {Qt::Key_X, 0x1D}, {Qt::Key_C, 0x1F}};
    for (const auto& [key, expected] : steps) {
        E().Space().SelectPaletteEntry(0x1E);
        Key(key);
        EXPECT_EQ(set.SelectedEntry(), expected) << "key " << key;
    }
    E().Space().SelectPaletteEntry(0xFF);
    Key(Qt::Key_C);
    EXPECT_EQ(set.SelectedEntry(), 0xFF);
    E().Space().SelectPaletteEntry(0);
    Key(Qt::Key_X);
    Key(Qt::Key_Z);
    EXPECT_EQ(set.SelectedEntry(), 0);
}

TEST_F(CommandsTest, AFocusedComboKeepsArrowKeysButNotTab) {
    OpenPlain();
    QComboBox* zoom = W().DisplayPanel().Zoom();
    zoom->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), zoom);
    Key(Qt::Key_Down);
    EXPECT_EQ(zoom->currentIndex(), 4);
    EXPECT_EQ(E().ZoomIndex(), 4);
    EXPECT_EQ(ZoomEditSize(E().ZoomIndex()), 8);
    EXPECT_EQ(Address(), 0) << "the key did not reach the address action";
    Key(Qt::Key_Z);
    EXPECT_EQ(E().Space().PaletteSet().SelectedEntry(), 0);

    Wheel(W().ChrView(), QPoint(100, 100), 120);
    EXPECT_EQ(zoom->currentIndex(), 3) << "the wheel goes to the focused list";
    EXPECT_EQ(Address(), 0);

    Key(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), zoom);
    W().ChrView()->setFocus();
    Key(Qt::Key_Down);
    EXPECT_EQ(Address(), 0x100);
}

// The lists keep plain key presses; keys with Alt are system keys and still open the menus.
TEST_F(CommandsTest, AFocusedComboLeavesAltKeysToTheMenus) {
    OpenPlain();
    QComboBox* format = W().DisplayPanel().Format();
    format->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), format);
    WorkspaceTestAccess::Bytes(E().Space())[0] ^= 0xFF;
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(QStringLiteral("plain.chr")), m_bytes) << "Ctrl+S went to the list";
    Key(Qt::Key_F, Qt::AltModifier);
    QMenu* file = W().Menus().Menu(0);
    EXPECT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }))
        << "Alt+F opens the file menu";
    file->close();
    EXPECT_EQ(E().Space().FormatIndex(), 1) << "neither key changed the list";
}

TEST_F(CommandsTest, ReloadReadsTheFileAgainAndKeepsTheAddress) {
    OpenPlain();
    Key(Qt::Key_PageDown);
    const QByteArray changed = RandomBytes(0x10000, 8);
    WriteFile(QStringLiteral("plain.chr"), changed);
    Key(Qt::Key_F7);
    EXPECT_EQ(Address(), 0x1000);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(E().Space().Document().Data()), 0x10000),
              changed);
}

TEST_F(CommandsTest, SaveWritesTheDocumentBytes) {
    OpenPlain();
    WorkspaceTestAccess::Bytes(E().Space())[5] = 0xAB;
    WorkspaceTestAccess::Bytes(E().Space())[0xFFFF] = 0xCD;
    Key(Qt::Key_S, Qt::ControlModifier);
    QByteArray expected = m_bytes;
    expected[5] = '\xAB';
    expected[0xFFFF] = '\xCD';
    EXPECT_EQ(ReadFile(QStringLiteral("plain.chr")), expected);
}

TEST_F(CommandsTest, SaveAsAsksForAPathAndShowsTheNewName) {
    OpenPlain();
    m_nextFile = Path(QStringLiteral("copy.chr"));
    Key(Qt::Key_F6);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].save);
    EXPECT_TRUE(m_requests[0].filter.startsWith(QStringLiteral("ROM image|*.bin;*.chr;")));
    EXPECT_TRUE(m_requests[0].filter.endsWith(QStringLiteral("|All files|*.*")));
    EXPECT_EQ(m_requests[0].fileName, Path(QStringLiteral("plain.chr")));
    EXPECT_EQ(ReadFile(QStringLiteral("copy.chr")), m_bytes);
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tavrin ( 000000 / 010000 ) copy.chr"));
    // Message boxes carry the name the document has now.
    EXPECT_EQ(W().ApplicationTitle(), QStringLiteral("Tavrin copy.chr"));

    m_nextFile.clear();
    Key(Qt::Key_F6);
    EXPECT_EQ(E().Space().Document().FilePath(), Path(QStringLiteral("copy.chr")).toStdString())
        << "a cancelled dialog changes nothing";
}

TEST_F(CommandsTest, OpenTakesTheChosenFile) {
    Open();
    m_nextFile = WriteFile(QStringLiteral("other.sfc"), RandomBytes(0x8000, 9));
    Key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_FALSE(m_requests[0].save);
    EXPECT_EQ(E().Space().Document().FileName(), "other.sfc");
    EXPECT_EQ(E().Space().FormatIndex(), 7);
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(E().Space().Document().FileName(), "NewFile.chr");
    EXPECT_EQ(E().Space().Document().DataSize(), 8192);
}

TEST_F(CommandsTest, JumpDialogMovesToTheTypedAddress) {
    OpenPlain();
    Key(Qt::Key_Down);
    QString shownText;
    auto answer = [this, &shownText](const QString& text) {
        WhenShown(&W().JumpDialog(), [this, &shownText, text] {
            TJumpDialog& dialog = W().JumpDialog();
            shownText = dialog.EditAddress()->text();
            dialog.EditAddress()->setText(text);
            QTest::mouseClick(dialog.ButtonOk(), Qt::LeftButton);
        });
    };
    answer(QStringLiteral("1f00"));
    Key(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(shownText, QStringLiteral("00000100"));
    EXPECT_EQ(Address(), 0x1F00);

    answer(QStringLiteral("g"));
    Key(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(Address(), 0x1F00) << "bad text leaves the address";

    answer(QStringLiteral("ffffff"));
    Key(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(shownText, QStringLiteral("00001f00"));
    EXPECT_EQ(Address(), 0xF000) << "the page is pulled back into the file";
}

TEST_F(CommandsTest, PaletteFilesGoThroughTheirDialogs) {
    OpenPlain();
    QByteArray dat(256, '\0');
    for (int i = 0; i < 256; ++i)
        dat[i] = static_cast<char>(255 - i);
    m_nextFile = WriteFile(QStringLiteral("set.dat"), dat);
    Action("ActPaletteDatOpen")->trigger();
    EXPECT_EQ(E().Space().PaletteSet().GetEntry(0), 255);
    EXPECT_EQ(W().DatView()->toolTip().section(QLatin1Char('\n'), 0, 0), m_nextFile);

    m_nextFile = Path(QStringLiteral("saved.dat"));
    Action("ActPaletteDatSave")->trigger();
    EXPECT_EQ(m_requests.back().fileName, Path(QStringLiteral("plain.dat")));
    EXPECT_EQ(m_requests.back().filter, QString::fromUtf8("DATパレット|*.dat|全てのファイル|*.*"));
    EXPECT_EQ(ReadFile(QStringLiteral("saved.dat")), dat);

    Action("ActPalettePalSaveRom")->trigger();
    EXPECT_EQ(ReadFile(QStringLiteral("plain.pal")).size(), 768);
}

} // namespace
} // namespace tavrin::test
