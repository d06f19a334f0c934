#include "support/WindowFixture.h"

#include "core/palette/CDatPalette.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/app/MainMenus.h"
#include "gui/edit/TColorOptimizeDlg.h"
#include "gui/edit/TReplaceColorDialog.h"
#include "gui/option/TFConfigDialog.h"
#include "gui/views/ImagePanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>

// The settings dialog in the window, the effect of each of its settings, and the plug-in
// formats drawn on and saved.

namespace tavrin::test {
namespace {

using Check = ConfigDialogModel::Check;

constexpr int Packed2 = 13; // "2BPP packed"
constexpr int Linear8 = 14; // "8BPP linear"

// Writes value into pixel (r, c) of a tile stored at offset in a sample plug-in's layout.
void PutPixel(QByteArray& rom, int format, int offset, int r, int c, int value) {
    if (format == Linear8) {
        rom[offset + 8 * r + c] = static_cast<char>(value);
        return;
    }
    char& byte = rom[offset + 2 * r + c / 4];
    const int shift = 6 - 2 * (c % 4);
    byte = static_cast<char>((byte & ~(3 << shift)) | ((value & 3) << shift));
}

class OptionsTest : public WindowTest {
protected:
    void TearDown() override {
        WindowTest::TearDown();
        QGuiApplication::clipboard()->clear();
    }

    // The sample plug-ins in the folder beside the test's executable.
    void InstallPlugins() {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("plugins")));
        for (const char* name : {"2bpp_packed.so", "8bpp_linear.so", "8bpp_snes.so"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(TAVRIN_BIN_DIR "/plugin-samples/") + name,
                                    Path(QStringLiteral("plugins/")) + name));
    }

    // ActOptionConfig; inside runs in the shown dialog and closes it. The dialog's result.
    int Configure(const std::function<void(TFConfigDialog&)>& inside) {
        TFConfigDialog& dialog = W().ConfigDialog();
        bool ran = false;
        WhenShown(&dialog, [&dialog, &inside, &ran] {
            ran = true;
            inside(dialog);
        });
        EXPECT_TRUE(Action("ActOptionConfig")->isEnabled());
        Action("ActOptionConfig")->trigger();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog.isVisible());
        return dialog.result();
    }
    // Sets one check box through the dialog and closes it with OK.
    void SetCheck(Check check, bool on) {
        Configure([check, on](TFConfigDialog& d) {
            d.CheckBox(check)->setChecked(on);
            QTest::mouseClick(d.ButtonOK(), Qt::LeftButton);
        });
    }

    static void DragTo(QWidget* panel, QPoint pos) {
        QMouseEvent move(QEvent::MouseMove, QPointF(pos), panel->mapToGlobal(QPointF(pos)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
    }

    QByteArray Document(int size) const {
        return QByteArray(
            reinterpret_cast<const char*>(m_window->GetEditor().Space().Document().Data()), size);
    }
};

TEST_F(OptionsTest, OkTakesTheWheelCountAndShowsThePageCancelKeepsEverything) {
    WriteFile(QStringLiteral("tavrin.ini"), "[Tavrin]\nWheelCount=8\n");
    Open({WriteFile(QStringLiteral("plain.chr"), RandomBytes(0x4000, 3)).toStdString()});
    EXPECT_EQ(E().WheelStepLines(), 8);
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tavrin ( 000000 / 004000 ) plain.chr"));

    int lines = 0;
    EXPECT_EQ(Configure([&lines](TFConfigDialog& d) {
                  EXPECT_EQ(d.ComboBoxWheelAddress()->currentText(), QStringLiteral("8"));
                  lines = d.ListBoxPlugins()->count();
                  d.ComboBoxWheelAddress()->setCurrentIndex(2);
                  d.CheckBox(ConfigDialogModel::AddressInTitle)->setChecked(false);
                  QTest::mouseClick(d.ButtonOK(), Qt::LeftButton);
              }),
              QDialog::Accepted);
    EXPECT_EQ(lines, 13);
    EXPECT_EQ(E().Settings().WheelCount, 2);
    EXPECT_EQ(E().WheelStepLines(), 2);
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tavrin plain.chr"));

    EXPECT_EQ(Configure([](TFConfigDialog& d) {
                  d.ComboBoxWheelAddress()->setCurrentIndex(5);
                  d.CheckBox(ConfigDialogModel::AddressInTitle)->setChecked(true);
                  QTest::mouseClick(d.ButtonCancel(), Qt::LeftButton);
              }),
              QDialog::Rejected);
    EXPECT_EQ(E().WheelStepLines(), 2);
    EXPECT_FALSE(E().Settings().DispTitleAddr);
    EXPECT_EQ(W().windowTitle(), QStringLiteral("Tavrin plain.chr"));

    CloseWindow();
    const QString ini = QString::fromUtf8(ReadFile(QStringLiteral("tavrin.ini")));
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("WheelCount\\s*=\\s*2\n"))));
    EXPECT_TRUE(ini.contains(QRegularExpression(QStringLiteral("DispTitleAddr\\s*=\\s*0\n"))));
}

TEST_F(OptionsTest, OpenUrlGoesThroughTheWindowsOpener) {
    InstallPlugins();
    Open();
    QStringList opened;
    W().SetUrlOpener([&opened](const QUrl& url) {
        opened << url.toString();
        return false;
    });
    Configure([](TFConfigDialog& d) {
        d.ListBoxPlugins()->setCurrentRow(Linear8);
        QTest::mouseClick(d.ButtonOpenURL(), Qt::LeftButton);
        QTest::mouseClick(d.ButtonCancel(), Qt::LeftButton);
    });
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://tavrin.example.org/plugins")});
    // A failed open says so, with the address.
    ASSERT_FALSE(m_messages.isEmpty());
    EXPECT_EQ(m_messages.last(),
              QString::fromUtf8("実行に失敗しました：\nhttps://tavrin.example.org/plugins"));
}

TEST_F(OptionsTest, EachBehaviourSettingActsInTheWindowOnceTheDialogCloses) {
    Open({WriteFile(QStringLiteral("small.chr"), RandomBytes(100, 4)).toStdString()});

    // Automatic format: a ".gb" file picks "2BPP GB" only while it is on.
    SetCheck(ConfigDialogModel::AutoFormat, false);
    m_nextFile = WriteFile(QStringLiteral("a.gb"), RandomBytes(0x2000, 5));
    Action("ActFileOpen")->trigger();
    EXPECT_EQ(E().Space().FormatIndex(), 1);
    SetCheck(ConfigDialogModel::AutoFormat, true);
    Action("ActFileOpen")->trigger();
    EXPECT_EQ(E().Space().FormatIndex(), 2);

    // Automatic palette: a 4-bit format switches to the palette only while it is on.
    SetCheck(ConfigDialogModel::AutoPalette, false);
    W().DisplayPanel().Format()->setCurrentIndex(8);
    EXPECT_FALSE(E().IsPaletteOnly());
    SetCheck(ConfigDialogModel::AutoPalette, true);
    W().DisplayPanel().Format()->setCurrentIndex(7);
    EXPECT_TRUE(E().IsPaletteOnly());

    // Pop-up menu on a right click over the tile view.
    QMenu* popup = W().Menus().Popup();
    const QPoint tile(40, 40);
    Press(W().ChrView(), Qt::RightButton, tile);
    Release(W().ChrView(), Qt::RightButton, tile);
    QTest::qWait(50);
    EXPECT_FALSE(popup->isVisible());
    SetCheck(ConfigDialogModel::PopupMenu, true);
    Press(W().ChrView(), Qt::RightButton, tile);
    Release(W().ChrView(), Qt::RightButton, tile);
    EXPECT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 1000));
    popup->close();

    // Small files: their own size, or a whole screen when the box is off.
    m_nextFile = Path(QStringLiteral("small.chr"));
    Action("ActFileOpen")->trigger();
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(QStringLiteral("small.chr")).size(), 100);
    SetCheck(ConfigDialogModel::SaveSmallSize, false);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(QStringLiteral("small.chr")).size(), 8192);

    // Window position: kept at exit and taken at the next start.
    SetCheck(ConfigDialogModel::SavePosition, true);
    W().move(60, 70);
    CloseWindow();
    Open();
    EXPECT_TRUE(E().Settings().SavePosition);
    EXPECT_EQ(W().pos(), QPoint(60, 70));
}

TEST_F(OptionsTest, AStrokeInAPluginFormatIsSavedInItsLayout) {
    InstallPlugins();
    for (const int format : {Packed2, Linear8}) {
        SCOPED_TRACE(format);
        const QByteArray original = RandomBytes(0x10000, 30 + static_cast<unsigned>(format));
        Open({WriteFile(QStringLiteral("art.bin"), original).toStdString()});
        DisplaySettingsPanel& panel = W().DisplayPanel();
        ASSERT_EQ(panel.Format()->count(), 16);
        EXPECT_EQ(panel.Format()->itemText(Packed2), QStringLiteral("2BPP packed"));
        EXPECT_EQ(panel.Format()->itemText(Linear8), QStringLiteral("8BPP linear"));
        panel.Format()->setCurrentIndex(format);
        ASSERT_EQ(E().Space().FormatIndex(), format);
        panel.Zoom()->setCurrentIndex(0);
        const int bpp = format == Linear8 ? 8 : 2;
        ASSERT_EQ(E().Space().Page().pageBytes, bpp * 2048);
        Key(Qt::Key_Down);
        const int address = E().Space().Address();
        ASSERT_EQ(address, 128 * bpp);

        const int colour = 0xA6;
        E().Space().SelectPaletteEntry(colour);
        Key(Qt::Key_1);
        ImagePanel* edit = W().EditView();
        Press(edit, Qt::LeftButton, QPoint(20, 51));
        DragTo(edit, QPoint(101, 50));
        DragTo(edit, QPoint(100, 91));
        Release(edit, Qt::LeftButton, QPoint(100, 91));

        // Image pixels (10..50, 25) and (50, 25..45), no turn, tiles in order.
        QByteArray drawn = original;
        const auto put = [&](int x, int y) {
            const int tile = (y / 8) * 16 + x / 8;
            PutPixel(drawn, format, address + tile * 8 * bpp, y % 8, x % 8, colour);
        };
        for (int x = 10; x <= 50; ++x)
            put(x, 25);
        for (int y = 26; y <= 45; ++y)
            put(50, y);
        ASSERT_NE(drawn, original);
        EXPECT_EQ(Document(original.size()), drawn);
        Key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(ReadFile(QStringLiteral("art.bin")), drawn);

        // The whole page (16384 bytes at 8 bits) comes back with undo, and goes again.
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Document(original.size()), original);
        Key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(Document(original.size()), drawn);
    }
}

TEST_F(OptionsTest, AnEightBitPluginPageHas256ColoursInTheViewsAndDialogs) {
    InstallPlugins();
    // The extension picks the plug-in; a file shorter than a page gets its buffer margin.
    const QByteArray original = RandomBytes(10000, 8);
    Open({WriteFile(QStringLiteral("art.8bpp"), original).toStdString()});
    ASSERT_EQ(E().Space().FormatIndex(), Linear8);
    EXPECT_EQ(E().Space().Page().pageBytes, 16384);
    EXPECT_EQ(E().Space().PaletteSet().GroupSize(), 256);
    EXPECT_TRUE(E().IsPaletteOnly()) << "the plug-in asks for the palette only";
    // The page shows the file's bytes as they are, and zeros past its end.
    for (int i : {0, 77, 9999})
        EXPECT_EQ(
            E().Space().TileImage().Pixel((i / 64 % 16) * 8 + i % 8, (i / 1024) * 8 + i % 64 / 8),
            static_cast<uint8_t>(original[i]))
            << i;
    EXPECT_EQ(E().Space().TileImage().Pixel(127, 127), 0);

    // One group of 256 colours: Z and V keep the colour, X and C step through all 256.
    E().Space().SelectPaletteEntry(0x37);
    Key(Qt::Key_V);
    EXPECT_EQ(E().Space().PaletteSet().SelectedEntry(), 0x37);
    Key(Qt::Key_C);
    Key(Qt::Key_Z);
    EXPECT_EQ(E().Space().PaletteSet().SelectedEntry(), 0x38);

    // Colour replacement offers all 256 colours and maps the full byte.
    TReplaceColorDialog& replace = W().ReplaceDialog();
    int offered = 0;
    WhenShown(&replace, [&replace, &offered] {
        offered = replace.Model().ColourCount();
        QTest::mouseClick(replace.ButtonOk(), Qt::LeftButton);
    });
    Action("ActPaletteReplaceColor")->trigger();
    EXPECT_EQ(offered, 256);
    EXPECT_EQ(replace.ImageBefore()->size(), QSize(256, 256));

    // The optimised paste numbers six colours 0-5 and keeps all eight bits of each.
    QImage five(5, 3, QImage::Format_RGB32);
    const QRgb c[5] = {qRgb(0, 0, 255), qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 0),
                       qRgb(255, 0, 255)};
    const int order[3][5] = {{0, 1, 0, 2, 1}, {3, 3, 2, 4, 0}, {4, 0, 0, 0, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            five.setPixel(x, y, c[order[y][x]]);
    QGuiApplication::clipboard()->setImage(five);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Action("ActEditPaste")->isEnabled(); }, 1000));
    TColorOptimizeDlg& optimise = W().OptimizeDialog();
    WhenShown(&optimise, [&optimise] { QTest::mouseClick(optimise.ButtonOk(), Qt::LeftButton); });
    Action("ActEditOptimizePaste")->trigger();
    const char* const rows[3] = {"01021", "44250", "50000"};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(E().Space().TileImage().Pixel(x, y), rows[y][x] - '0') << x << "," << y;
    EXPECT_EQ(E().Space().Document().Data()[1 * 8 + 3], 5)
        << "tile 0, row 1, column 3 in the bytes";
}

} // namespace
} // namespace tavrin::test
