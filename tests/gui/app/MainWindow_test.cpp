#include "support/WindowFixture.h"

#include "core/document/RomDocument.h"
#include "core/settings/CIniInfo.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/app/MainMenus.h"
#include "gui/app/MainStatusBar.h"
#include "gui/views/ImagePanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolTip>
#include <QUrl>

namespace tavrin::test {
namespace {

QStringList ItemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, StartsWithANewDocumentAndTheStandardLayout) {
    Open();
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tavrin ( 000000 / 002000 ) NewFile.chr"));
    EXPECT_EQ(W().width(), 632);
    EXPECT_LE(W().height(), 480);
    EXPECT_EQ(W().ChrView()->size(), QSize(256, 256));
    EXPECT_EQ(W().EditView()->size(), QSize(256, 256));
    EXPECT_EQ(W().DatView()->size(), QSize(256, 32));
    EXPECT_EQ(W().PalView()->size(), QSize(256, 64));
    EXPECT_EQ(W().ChrView()->Picture().size(), QSize(256, 256));
    EXPECT_TRUE(W().PalPanel()->isVisible());

    const DisplaySettingsPanel& d = W().DisplayPanel();
    EXPECT_EQ(d.Format()->count(), 13);
    EXPECT_EQ(d.Format()->currentText(), QStringLiteral("2BPP NES"));
    EXPECT_EQ(d.Format()->itemText(12), QStringLiteral("1BPP (16x16)"));
    EXPECT_EQ(ItemsOf(d.Rotate()), QStringList({"0", "90", "180", "270"}));
    EXPECT_EQ(ItemsOf(d.Mirror()), QStringList({"None", "Horizontal", "Vertical", "Both"}));
    EXPECT_EQ(ItemsOf(d.Grid()), QString::fromUtf8("点 点線 破線 線").split(QLatin1Char(' ')));
    EXPECT_EQ(ItemsOf(d.Zoom()), QStringList({"x1", "x2", "x4", "x8", "x16"}));
    EXPECT_EQ(d.Zoom()->currentText(), QStringLiteral("x8"));
    EXPECT_EQ(d.Pattern()->itemText(0), QStringLiteral("Normal"));
    EXPECT_EQ(d.FormatInfo()->text(), QString::fromUtf8("情報..."));
    EXPECT_EQ(d.EditArea()->text(), QString::fromUtf8("編集中領域"));
    EXPECT_FALSE(d.GridLeft()->isChecked());

    EXPECT_TRUE(W().Status().isVisible());
    EXPECT_TRUE(W().Status().HintsVisible());
    EXPECT_EQ(W().Status().PanelText(0), QStringLiteral("CHR : 000000 - 000FFF / 002000"));
    EXPECT_TRUE(W().Menus().IsSimpleMenu());
    EXPECT_TRUE(Action("ActOptionSimpleMenu")->isChecked());
    EXPECT_TRUE(Action("ActToolShowStatusbar")->isChecked());
    EXPECT_TRUE(Action("ActPaletteModePalSet")->isChecked());
}

// Where each part of the window lies in the client area (below the menu bar).
TEST_F(MainWindowTest, PanelsKeepTheirPlacesAndSizes) {
    Open();
    const int menuHeight = W().menuBar()->height();
    EXPECT_EQ(W().width(), 632);
    EXPECT_EQ(W().height() - menuHeight, 434);
    const int extra = W().style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 16;
    auto place = [&](const char* name) {
        const QWidget* widget = W().findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget ? QRect(widget->mapTo(&W(), QPoint(0, -menuHeight)), widget->size())
                      : QRect();
    };
    const Qt::WindowFlags flags = W().windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint) << "a fixed-size window has no maximise";
    EXPECT_EQ(W().minimumSize(), W().maximumSize());
    EXPECT_EQ(place("ToolBarMain"), QRect(0, 0, 632, 24));
    EXPECT_EQ(place("PanelChrGroup"), QRect(8, 32, 303 + extra, 264));
    EXPECT_EQ(place("ToolBarAddress"), QRect(288 + extra, 32, 23, 264));
    EXPECT_EQ(place("PanelEditGroup"), QRect(332, 32, 287, 264));
    EXPECT_EQ(place("ToolBarPen"), QRect(596, 32, 23, 264));
    EXPECT_EQ(place("PanelDisplay"), QRect(8, 296, 297, 118));
    EXPECT_EQ(place("ToolBarPaletteMode"), QRect(307, 296, 24, 113));
    EXPECT_EQ(place("PanelDat"), QRect(332, 298, 277 + extra, 36));
    EXPECT_EQ(place("PanelPal"), QRect(332, 340, 277 + extra, 68));
    EXPECT_EQ(place("StatusBar"), QRect(0, 414, 632, 20));
    EXPECT_EQ(place("StatusPanel0"), QRect(0, 416, 220, 17));
    EXPECT_EQ(place("StatusPanel1"), QRect(220, 416, 160, 17));
    EXPECT_EQ(place("StatusPanel2"), QRect(380, 416, 250, 17));
    EXPECT_EQ(place("PanelMouseNavi"), QRect(382, 416, 250, 17));
}

// The commands the program carries out so far; every other one is shown disabled.
TEST_F(MainWindowTest, CommandsOfLaterPartsAreDisabled) {
    // With an empty clipboard and no undo step yet. The tools of the Tool menu stay hidden,
    // and so disabled, until the settings name them.
    QGuiApplication::clipboard()->clear();
    Open();
    const QStringList available =
        QStringLiteral(
            "ActFileNew ActFileOpen ActFileReload ActFileSave ActFileSaveAs ActFileExit "
            "ActAddrMMAX ActAddrM100B ActAddrM10B ActAddrM1B ActAddrM1 ActAddrM1Hide "
            "ActAddrP1Hide ActAddrP1 ActAddrP1B ActAddrP10B ActAddrP100B ActAddrPMAX "
            "ActAddrMWheel ActAddrPWheel ActAddrInput ActAddrFind ActAddrFindPrev "
            "ActAddrFindBytes ActAddrFindPacked ActAddrPackedList ActAddrBookmarkAdd "
            "ActAddrBookmarks ActAddrCopyAddress "
            "ActPaletteSel0 ActPaletteSel1 ActPaletteSel2 ActPaletteSel3 ActPaletteModePalSet "
            "ActPaletteMode256Pal ActPaletteDatOpen ActPaletteDatSave ActPaletteDatSaveRom "
            "ActPalettePalOpen ActPalettePalSave ActPalettePalSaveRom ActPaletteOtherOpen "
            "ActPaletteOtherSave ActPaletteAdfOpen "
            "ActPaletteAdfSave ActPaletteAdfSaveRom ActPaletteEnableSet ActPaletteReload "
            "ActToolShowStatusbar ActOptionSimpleMenu ActOptionShowMouseNavi "
            "ActToolFormSet "
            "ActPaletteLoadState ActToolExecuteFile ActToolToolConfig ActToolExecParam "
            "ActToolFormColor ActOptionConfig ActHelpIndex ActHelpOpenWeb ActHelpOpenBoard "
            "ActHelpAbout "
            "ActHelpSaveConfig ActHelpLoadConfig "
            "ActFormat0 ActFormat1 ActFormat2 ActFormat3 ActFormat4 ActFormat5 ActFormat6 "
            "ActFormat7 ActFormat8 ActFormat9 ActControlSetMenu "
            "ActFileSaveSnapshot ActFileLoadSnapshot ActEditCut ActEditCopy ActEditClear "
            "ActEditSelectAll ActEditMirrorHorizontal ActEditMirrorVertical ActEditRotateLeft "
            "ActEditRotateRight ActEditShiftUp ActEditShiftDown ActEditShiftLeft "
            "ActEditShiftRight ActPen11 ActPen01 ActPen02 ActPen03 ActPen04 ActPen05 ActPen06 "
            "ActPen07 ActPen08 ActPen09 ActPaletteReplaceColor")
            .split(QLatin1Char(' '));
    for (QAction* action : W().Actions().All())
        EXPECT_EQ(action->isEnabled(), available.contains(action->objectName()))
            << qPrintable(action->objectName());
    EXPECT_TRUE(W().DisplayPanel().SimpleAdfDlg()->isEnabled()) << "the pattern dialog";
    EXPECT_TRUE(W().DisplayPanel().FormatInfo()->isEnabled());
}

// The window offers no menu of its own to hide the tool bars.
TEST_F(MainWindowTest, ARightClickOnTheBarsOpensNoMenu) {
    Open();
    for (QWidget* bar :
         {static_cast<QWidget*>(W().menuBar()), static_cast<QWidget*>(W().Menus().MainToolBar()),
          static_cast<QWidget*>(&W().Status())}) {
        const QPoint pos(bar->width() - 3, 3);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, bar->mapToGlobal(pos));
        QApplication::sendEvent(bar, &event);
        QCoreApplication::processEvents();
        QWidget* popup = QApplication::activePopupWidget();
        EXPECT_EQ(popup, nullptr) << qPrintable(bar->objectName());
        if (popup)
            popup->close();
    }
}

TEST_F(MainWindowTest, OpensTheSingleArgumentAndNotTwo) {
    const QString rom = WriteFile(QStringLiteral("game.chr"), RandomBytes(20000, 1));
    Open({rom.toStdString()});
    EXPECT_EQ(E().Space().Document().FilePath(), rom.toStdString());
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tavrin ( 000000 / 004E20 ) game.chr"));
    EXPECT_EQ(W().ApplicationTitle(), QStringLiteral("Tavrin game.chr"));

    Open({rom.toStdString(), rom.toStdString()});
    EXPECT_EQ(E().Space().Document().FileName(), "NewFile.chr");
}

TEST_F(MainWindowTest, SettingsSurviveARestart) {
    Open();
    W().DisplayPanel().Zoom()->setCurrentIndex(1);
    W().DisplayPanel().GridLeft()->setChecked(true);
    W().DisplayPanel().Grid()->setCurrentIndex(2);
    Action("ActOptionSimpleMenu")->trigger();
    Action("ActToolShowStatusbar")->trigger();
    EXPECT_FALSE(W().Status().isVisible());
    const int shortHeight = W().height();
    CloseWindow();

    const QString ini = QString::fromUtf8(ReadFile(QStringLiteral("tavrin.ini")));
    EXPECT_TRUE(ini.contains(QStringLiteral("[Tavrin]"))) << ini.toStdString();
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("ZoomType\\s*=\\s*1\n"))))
        << ini.toStdString();
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("SimpleMenu\\s*=\\s*0\n"))))
        << ini.toStdString();

    Open();
    const DisplaySettingsPanel& d = W().DisplayPanel();
    EXPECT_EQ(d.Zoom()->currentIndex(), 1);
    EXPECT_EQ(ZoomEditSize(E().ZoomIndex()), 64);
    EXPECT_TRUE(d.GridLeft()->isChecked());
    EXPECT_EQ(d.Grid()->currentIndex(), 2);
    EXPECT_FALSE(W().Menus().IsSimpleMenu());
    EXPECT_TRUE(W().Menus().Menu(2)->menuAction()->isVisible());
    EXPECT_FALSE(W().Status().isVisible());
    EXPECT_FALSE(Action("ActToolShowStatusbar")->isChecked());
    EXPECT_EQ(W().height(), shortHeight);
}

TEST_F(MainWindowTest, WindowColourAndPositionComeFromTheSettings) {
    WriteFile(QStringLiteral("tavrin.ini"),
              "[Tavrin]\nWindowColor=16711935\nSavePosition=1\nLeft=40\nTop=50\n");
    Open();
    EXPECT_EQ(W().palette().color(QPalette::Window), QColor(255, 0, 255));
    EXPECT_EQ(W().pos(), QPoint(40, 50));
    W().move(70, 80);
    CloseWindow();
    const QString ini = QString::fromUtf8(ReadFile(QStringLiteral("tavrin.ini")));
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("WindowColor\\s*=\\s*16711935\n"))))
        << ini.toStdString();
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("Left\\s*=\\s*70\n"))));
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("Top\\s*=\\s*80\n"))));
}

TEST_F(MainWindowTest, TheSystemColourIsKeptAsMinusOne) {
    Open();
    const QColor system = W().palette().color(QPalette::Window);
    CloseWindow();
    const QString ini = QString::fromUtf8(ReadFile(QStringLiteral("tavrin.ini")));
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("WindowColor\\s*=\\s*-1\n"))))
        << ini.toStdString();
    Open();
    EXPECT_EQ(W().palette().color(QPalette::Window), system);
}

// A stored colour that happens to be the system's button colour is the system colour again.
TEST_F(MainWindowTest, AColourEqualToTheButtonColourIsSavedAsMinusOne) {
    const QColor button = QApplication::palette().color(QPalette::Button);
    const int value = button.red() | (button.green() << 8) | (button.blue() << 16);
    WriteFile(QStringLiteral("tavrin.ini"),
              QStringLiteral("[Tavrin]\nWindowColor=%1\n").arg(value).toUtf8());
    Open();
    EXPECT_EQ(W().palette().color(QPalette::Window), button);
    CloseWindow();
    const QString ini = QString::fromUtf8(ReadFile(QStringLiteral("tavrin.ini")));
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("WindowColor\\s*=\\s*-1\n"))))
        << ini.toStdString();
}

// Below -1 a colour names another system colour: it is not shown, but kept for the file.
TEST_F(MainWindowTest, AColourBelowMinusOneIsIgnoredAndKept) {
    WriteFile(QStringLiteral("tavrin.ini"), "[Tavrin]\nWindowColor=-16777196\n");
    Open();
    EXPECT_EQ(W().palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Window));
    CloseWindow();
    const QString ini = QString::fromUtf8(ReadFile(QStringLiteral("tavrin.ini")));
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("WindowColor\\s*=\\s*-16777196\n"))))
        << ini.toStdString();
}

TEST_F(MainWindowTest, StatusBarAndMouseHintsFollowTheirActions) {
    Open();
    const int fullHeight = W().height();
    Action("ActOptionShowMouseNavi")->trigger();
    EXPECT_FALSE(W().Status().HintsVisible());
    EXPECT_FALSE(Action("ActOptionShowMouseNavi")->isChecked());
    Action("ActToolShowStatusbar")->trigger();
    EXPECT_FALSE(W().Status().isVisible());
    EXPECT_EQ(W().height(), fullHeight - 20 + 2) << "the bar's height less two pixels";
    Action("ActOptionShowMouseNavi")->trigger();
    EXPECT_TRUE(Action("ActOptionShowMouseNavi")->isChecked());
    EXPECT_FALSE(W().Status().HintsVisible()) << "hints need the status bar too";
    Action("ActToolShowStatusbar")->trigger();
    EXPECT_TRUE(W().Status().isVisible());
    EXPECT_TRUE(W().Status().HintsVisible());
    EXPECT_EQ(W().height(), fullHeight);
}

TEST_F(MainWindowTest, PaletteOnlyModeHidesThePalettePanel) {
    Open();
    Action("ActPaletteMode256Pal")->trigger();
    EXPECT_TRUE(E().IsPaletteOnly());
    EXPECT_FALSE(W().PalPanel()->isVisible());
    EXPECT_EQ(W().DatView()->height(), 112);
    EXPECT_TRUE(Action("ActPaletteMode256Pal")->isChecked());
    EXPECT_FALSE(Action("ActPaletteModePalSet")->isChecked());
    Action("ActPaletteModePalSet")->trigger();
    EXPECT_TRUE(W().PalPanel()->isVisible());
    EXPECT_EQ(W().DatView()->height(), 32);
}

TEST_F(MainWindowTest, ToolTipsFollowTheShowHintBox) {
    Open();
    QWidget* button = W().DisplayPanel().FormatInfo();
    button->setToolTip(QStringLiteral("info"));
    auto askForTip = [&] {
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(button, &help);
        QCoreApplication::processEvents();
        const bool shown = QToolTip::isVisible();
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        return shown;
    };
    ASSERT_TRUE(W().DisplayPanel().ShowHint()->isChecked());
    EXPECT_TRUE(askForTip());
    W().DisplayPanel().ShowHint()->setChecked(false);
    EXPECT_FALSE(askForTip());
}

TEST_F(MainWindowTest, FormatInfoButtonShowsTheFormatText) {
    Open();
    QTest::mouseClick(W().DisplayPanel().FormatInfo(), Qt::LeftButton);
    ASSERT_FALSE(m_messages.isEmpty());
    EXPECT_TRUE(m_messages.last().startsWith(
        QStringLiteral("Format name           \t: 2BPP NES\n\nBit Per Pixel         \t: 2\n")))
        << m_messages.last().toStdString();
}

TEST_F(MainWindowTest, ADroppedFileOpensTheFirstOnly) {
    Open();
    const QString first = WriteFile(QStringLiteral("first.gb"), RandomBytes(9000, 2));
    const QString second = WriteFile(QStringLiteral("second.chr"), RandomBytes(9000, 3));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&W(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&W(), &drop);
    EXPECT_EQ(E().Space().Document().FilePath(), first.toStdString());
    EXPECT_EQ(E().Space().FormatIndex(), 2) << "the extension chose 2BPP GB";
    EXPECT_EQ(W().DisplayPanel().Format()->currentText(), QStringLiteral("2BPP GB"));
}

// The standard palette, palette set, patterns and demo tiles of the build beside the
// window's executable.
TEST_F(MainWindowTest, StartsWithTheStandardFilesBesideTheExecutable) {
    for (const char* name : {"tavrin.pal", "tavrin.dat", "tavrin.adf", "tavrin.chr"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVRIN_BIN_DIR "/") + QString::fromLatin1(name),
                                Path(QString::fromLatin1(name))))
            << name;
    Open();
    EXPECT_EQ(E().Space().Document().FilePath(), StdPath(QStringLiteral("tavrin.chr")));
    EXPECT_EQ(W().ApplicationTitle(), QStringLiteral("Tavrin tavrin.chr"));
    EXPECT_GT(W().DisplayPanel().Pattern()->count(), 1);

    const QFontInfo info(W().DisplayPanel().EditArea()->font());
    EXPECT_EQ(info.family(), QStringLiteral("VL Gothic"));
    EXPECT_EQ(info.pixelSize(), 12);
    EXPECT_TRUE(QFontMetrics(info.family()).inFont(QChar(0x7DE8))) << "編 has a glyph";

    const QPixmap shot = W().grab();
    EXPECT_EQ(shot.size(), W().size());
    // TAVRIN_SCREENSHOT=file.png keeps a picture of the window for a look by eye.
    const QString target = qEnvironmentVariable("TAVRIN_SCREENSHOT");
    if (!target.isEmpty()) {
        EXPECT_TRUE(shot.save(target));
    }
}

} // namespace
} // namespace tavrin::test
