#include "support/WindowFixture.h"

#include "core/dib/BitmapFile.h"
#include "core/set/SetFiles.h"
#include "core/set/SetImage.h"
#include "gui/set/TFormSet.h"
#include "gui/views/ImagePanel.h"
#include "qt/ImageBridge.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <tuple>

// The set window on a real main window: shown with Ctrl+W, driven by its actions, keys and
// the mouse on its three images, its files answered through the injectable dialogs.

namespace tavrin::test {
namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

class SetWindowTest : public WindowTest {
protected:
    // A main window on a ROM of random bytes, so that every tile differs, and the set window
    // shown with Ctrl+W.
    TFormSet& OpenSetWindow() {
        WriteFile(QStringLiteral("rom.bin"), RandomBytes(32768, 7));
        Open({StdPath(QStringLiteral("rom.bin"))});
        Key(Qt::Key_W, Qt::ControlModifier);
        TFormSet& s = S();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&s));
        s.SetFileChooser([this](QWidget*, const SetFileDialogRequest& request) {
            m_setRequests.push_back(request);
            return m_answer;
        });
        s.SetMessageSink([this](QWidget*, const QString& text, QPoint at) {
            m_messages << text;
            m_messageAt = at;
        });
        return s;
    }

    TFormSet& S() { return W().SetWindow(); }
    const SetComposer& C() { return S().Composer(); }
    const SetDocument& Doc() { return S().Composer().Document(); }
    QAction* SetAction(const char* name) { return S().Action(QString::fromLatin1(name)); }

    void SetKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QCoreApplication::processEvents();
        if (!S().isActiveWindow()) {
            S().activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&S()));
        }
        QWidget* focus = S().focusWidget();
        QTest::keyClick(focus && focus->isVisible() ? focus : &S(), key, modifiers);
    }

    // A click (press, release) at a picture pixel of one of the set window's images.
    void Click(ImagePanel* panel, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint inWindow = panel->mapTo(&S(), at);
        QTest::mousePress(S().windowHandle(), button, {}, inWindow);
        QTest::mouseRelease(S().windowHandle(), button, {}, inWindow);
    }
    // A right drag over ImageChr from one tile to another selects that block.
    void SelectChrBlock(int column1, int row1, int column2, int row2) {
        const auto centre = [this](int column, int row) {
            return S().ImageChr()->mapTo(&S(), QPoint(column * 16 + 8, row * 16 + 8));
        };
        QTest::mousePress(S().windowHandle(), Qt::RightButton, {}, centre(column1, row1));
        QTest::mouseMove(S().windowHandle(), centre(column2, row2));
        QTest::mouseRelease(S().windowHandle(), Qt::RightButton, {}, centre(column2, row2));
    }
    void ClickCell(int x, int y) { Click(S().ImageSet(), QPoint(x * 16 + 5, y * 16 + 5)); }
    void ClickTile(int column, int row) {
        Click(S().ImageChr(), QPoint(column * 16 + 5, row * 16 + 5));
    }
    void ClickGroup(int group) { Click(S().ImagePal(), QPoint(group * 16 + 5, 5)); }

    void Answer(const QString& name, int filterIndex = 1) {
        m_answer = {name.isEmpty() ? QString() : Path(name), filterIndex};
    }

    std::vector<SetFileDialogRequest> m_setRequests;
    SetFileDialogAnswer m_answer;
    QPoint m_messageAt;
};

TEST_F(SetWindowTest, CtrlWShowsTheMainWindowsTilesAndClosingOnlyHides) {
    TFormSet& s = OpenSetWindow();
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.windowTitle(), "Set Window");
    EXPECT_EQ(C().TileSource(), [&] {
        Image8 expected = E().Space().TileImage();
        expected.Colours() = E().DisplayPalette();
        return expected;
    }());
    EXPECT_EQ(s.ImageSet()->size(), QSize(512, 480));
    EXPECT_EQ(s.ImageChr()->Picture(), ToRgbImage(C().ChrPicture()));

    SetKey(Qt::Key_Right); // DRAW mode: the CHR cursor
    EXPECT_EQ(C().ChrSelection(), CellSelection::Single(1, 0));
    SetKey(Qt::Key_W, Qt::ControlModifier); // ActFileExit
    EXPECT_FALSE(s.isVisible());

    // Another page in the main window while hidden; shown again, the set data is kept and the
    // tiles are the new page's.
    E().AddrStep(ActionTable::Tag(Action("ActAddrP100B")));
    const Image8 page = E().Space().TileImage();
    Key(Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&s));
    EXPECT_EQ(C().ChrSelection(), CellSelection::Single(1, 0));
    EXPECT_TRUE(std::equal(page.Bits(), page.Bits() + 128 * 128, C().TileSource().Bits()));

    SetAction("ActShowTavrin")->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&W()));
}

TEST_F(SetWindowTest, APaletteChangeInTheMainWindowRedrawsTheShownSetWindow) {
    TFormSet& s = OpenSetWindow();
    SetAction("ActShowTavrin")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&W()));
    const Image8 before = C().TileSource();

    Action("ActPaletteSel3")->trigger(); // V: the next palette group
    // Redrawn on the change itself, while the main window stays the active one.
    EXPECT_TRUE(W().isActiveWindow());
    EXPECT_FALSE(s.isActiveWindow());
    Image8 expected = E().Space().TileImage();
    expected.Colours() = E().DisplayPalette();
    EXPECT_NE(C().TileSource(), before);
    EXPECT_EQ(C().TileSource(), expected);
    EXPECT_EQ(s.ImageChr()->Picture(), ToRgbImage(C().ChrPicture()));
}

TEST_F(SetWindowTest, MenusKeysAndDialogsAreThoseOfTheWindow) {
    TFormSet& s = OpenSetWindow();
    // Each menu: its title, then its captions.
    const QStringList menus = {
        "ファイル(&F) セットファイルを開く(&O)... セットファイルを保存(&S)... "
        "SETの画像を保存(&P)... "
        "閉じる(&C)",
        "編集(&E) 全て選択(&L)",
        "モード(&M) DRAWモード：カーソル位置のCHR(左)を、SET(右)に設定(&R) "
        "TYPEモード：カーソル位置のSET(右)を、CHR(左)から選択(&L) スプライトモード "
        "パレットを16x16単位で持つ(&P)",
        "表示(&V) CHR側のグリッドを表示(&C) BGセット側のグリッドを表示(&B) スプライトを表示 "
        "スプライトCHR(&SPR)を開く... スプライト定義(S&PD)を開く... スプライト定義(S&PD)を保存... "
        "Tavrinメイン画面を表示(&Y)"};
    ASSERT_EQ(s.Menus().size(), menus.size());
    for (qsizetype i = 0; i < menus.size(); ++i) {
        QStringList texts = {s.Menus()[i]->title()};
        for (QAction* a : s.Menus()[i]->actions())
            if (!a->isSeparator())
                texts << a->text();
        EXPECT_EQ(texts.join(' '), menus[i]);
    }
    QStringList keys;
    for (const char* name : {"ActFileLoadSet", "ActFileSaveSet", "ActFileSaveSnap", "ActFileExit",
                             "ActEditAllSelect", "ActKeyPgDn", "ActKeyEnter"})
        keys << SetAction(name)->shortcut().toString();
    EXPECT_EQ(keys.join(' '), "Ctrl+O Ctrl+S F9 Ctrl+W Ctrl+A PgDown Return");
    EXPECT_TRUE(SetAction("ActModeSetChr")->isChecked());
    EXPECT_TRUE(SetAction("ActModeNES")->isChecked());

    // Every dialog, cancelled: open or save, filter, default extension, overwrite prompt.
    const char* const set = "NAMファイル(*.nam)|*.nam;|SETファイル(*.set)|*.set;|";
    const char* const spd = "SPDファイル(*.spd)|*.spd|全てのファイル|*.*";
    const std::vector<std::tuple<const char*, QString, const char*>> dialogs = {
        {"ActFileLoadSet", "open " + U(set) + "VirtuaNES State(*.st?)|*.st?;|全てのファイル|*.*",
         "nam"},
        {"ActFileSaveSet", "save! " + U(set) + "全てのファイル|*.*", "nam"},
        {"ActFileSaveSnap", "save! ビットマップ(*.bmp)|*.bmp;|全てのファイル(*.*)|*.*;", "bmp"},
        {"ActViewOpenSpr", "open SPRファイル(*.chr;*.spr)|*.chr;*.spr|全てのファイル|*.*", "spr"},
        {"ActViewOpenSpd", "open " + U(spd), "spd"},
        {"ActViewSaveSpd", "save " + U(spd), "spd"},
    };
    Answer({});
    for (const auto& [action, request, extension] : dialogs) {
        SetAction(action)->trigger();
        ASSERT_FALSE(m_setRequests.empty()) << action;
        const SetFileDialogRequest& r = m_setRequests.back();
        const QString kind = r.save ? (r.confirmOverwrite ? "save! " : "save ") : "open ";
        EXPECT_EQ(kind + r.filter, request);
        EXPECT_EQ(r.defaultExtension, extension);
        EXPECT_EQ(r.folder, m_dir.path()) << "the dialogs open where the document is";
    }
    EXPECT_EQ(m_setRequests[2].fileName, "set000.bmp");
}
TEST_F(SetWindowTest, DrawModeStampsATileBlockWithTheMouse) {
    TFormSet& s = OpenSetWindow();
    ClickGroup(2);
    EXPECT_EQ(C().PaletteValue(), 2);
    SelectChrBlock(3, 2, 2, 1); // dragged up and left: normalized on release
    EXPECT_EQ(C().ChrSelection(), (CellSelection{2, 1, 3, 2}));

    ClickCell(5, 4);
    EXPECT_EQ(Doc().Name(5, 4), 0x12);
    EXPECT_EQ(Doc().Name(6, 4), 0x13);
    EXPECT_EQ(Doc().Name(5, 5), 0x22);
    EXPECT_EQ(Doc().Name(6, 5), 0x23);
    EXPECT_EQ(Doc().Name(7, 4), 0);
    // The palette rule at the target cell: its whole 2 x 2 block, nothing else.
    for (auto [x, y] : {std::pair{4, 4}, {5, 4}, {4, 5}, {5, 5}})
        EXPECT_EQ(Doc().Palette(x, y), 2) << x << "," << y;
    EXPECT_EQ(Doc().Palette(6, 4), 0);

    // A block at the corner is cut at the screen's edge.
    ClickCell(31, 29);
    EXPECT_EQ(Doc().Name(31, 29), 0x12);
    EXPECT_EQ(s.ImageSet()->Picture(), ToRgbImage(C().SetPicture()));
}

TEST_F(SetWindowTest, TypeModeTypesARowWithTheKeys) {
    OpenSetWindow();
    SetAction("ActModeSelectChr")->trigger();
    EXPECT_EQ(C().Mode(), SetMode::Type);
    // The cursor to (29, 3) with the keys.
    SetKey(Qt::Key_PageDown);
    SetKey(Qt::Key_End);
    SetKey(Qt::Key_PageUp);
    for (int i = 0; i < 3; ++i)
        SetKey(Qt::Key_Down);
    SetKey(Qt::Key_Left);
    SetKey(Qt::Key_Left);
    ASSERT_EQ(C().SetSelection(), CellSelection::Single(29, 3));

    // Each clicked tile is typed at the cursor, which steps on and wraps to the next row.
    for (int column : {1, 2, 3, 4})
        ClickTile(column, 0);
    EXPECT_EQ(Doc().Name(29, 3), 1);
    EXPECT_EQ(Doc().Name(30, 3), 2);
    EXPECT_EQ(Doc().Name(31, 3), 3);
    EXPECT_EQ(Doc().Name(0, 4), 4);
    EXPECT_EQ(C().SetSelection(), CellSelection::Single(1, 4));

    SetKey(Qt::Key_Return);
    EXPECT_EQ(C().SetSelection(), CellSelection::Single(0, 5));
    SetKey(Qt::Key_Space);
    EXPECT_EQ(C().SetSelection(), CellSelection::Single(1, 5));

    // The last cell wraps to the first.
    SetKey(Qt::Key_PageDown);
    SetKey(Qt::Key_End);
    ClickTile(5, 0);
    EXPECT_EQ(Doc().Name(31, 29), 5);
    EXPECT_EQ(C().SetSelection(), CellSelection::Single(0, 0));
}

TEST_F(SetWindowTest, SpritesLoadAndMoveWithTheArrows) {
    OpenSetWindow();
    QByteArray table(256, '\0');
    table[0] = 10;   // Y
    table[1] = 4;    // tile
    table[2] = 0x21; // attributes: palette 1 and a kept bit
    table[3] = 20;   // X
    WriteFile(QStringLiteral("sprites.spd"), table);
    WriteFile(QStringLiteral("sprites.spr"), RandomBytes(4096, 11));

    Answer(QStringLiteral("sprites.spd"));
    SetAction("ActViewOpenSpd")->trigger();
    EXPECT_TRUE(SetAction("ActViewSprite")->isChecked());
    Answer(QStringLiteral("sprites.spr"));
    SetAction("ActViewOpenSpr")->trigger();
    SetAction("ActModeSprite")->trigger();
    EXPECT_EQ(C().PaletteColumn(), 4); // sprites take groups 4-7

    for (int i = 0; i < 3; ++i)
        SetKey(Qt::Key_Right);
    SetKey(Qt::Key_Down);
    SetKey(Qt::Key_Down);
    SetKey(Qt::Key_Return); // next tile
    SetKey(Qt::Key_Space);  // next palette
    EXPECT_EQ(Doc().GetSprite(0), (Sprite{12, 5, 0x22, 23}));
    EXPECT_EQ(C().ChrSelection(), CellSelection::Single(5, 0));
    SetKey(Qt::Key_PageDown);
    SetKey(Qt::Key_Left); // X 0 does not wrap
    EXPECT_EQ(C().CurrentSprite(), 1);
    EXPECT_EQ(Doc().GetSprite(1), Sprite{});

    // The window's set image is the core's composition with the sprites.
    EXPECT_EQ(C().SetImage(), RenderSetImage(Doc(), C().TileSource(), true));
    EXPECT_NE(C().SetImage(), RenderSetImage(Doc(), C().TileSource(), false));

    // The save dialog offers the file last opened, and writes the table over it.
    Answer(QStringLiteral("sprites.spd"));
    SetAction("ActViewSaveSpd")->trigger();
    EXPECT_EQ(m_setRequests.back().fileName, Path(QStringLiteral("sprites.spd")));
    EXPECT_EQ(ReadFile(QStringLiteral("sprites.spd")).left(4), QByteArray("\x0C\x05\x22\x17"));
}

TEST_F(SetWindowTest, SavedSetLoadsBackToTheSameImage) {
    TFormSet& s = OpenSetWindow();
    SetAction("ActModeNES")->trigger(); // one cell at a time
    EXPECT_FALSE(C().NesPaletteRule());
    ClickGroup(5);
    SelectChrBlock(0, 3, 3, 5);
    ClickCell(10, 10);
    ClickGroup(14);
    ClickCell(1, 1);
    const SetDocument composed = Doc();
    const Image8 image = C().SetImage();

    Answer(QStringLiteral("screen.set"), 2);
    SetKey(Qt::Key_S, Qt::ControlModifier);
    const std::vector<uint8_t> expected = SetFileBytes(composed);
    EXPECT_EQ(ReadFile(QStringLiteral("screen.set")),
              QByteArray(reinterpret_cast<const char*>(expected.data()),
                         static_cast<qsizetype>(expected.size())));

    // Something else on the screen, then the file again.
    ClickGroup(0);
    SelectChrBlock(15, 15, 15, 15);
    ClickCell(10, 10);
    ASSERT_NE(C().SetImage(), image);
    Answer(QStringLiteral("screen.set"));
    SetKey(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Doc().Names(), composed.Names());
    EXPECT_EQ(Doc().Palettes(), composed.Palettes()); // 5 and 14 kept
    EXPECT_EQ(C().SetImage(), image);
    EXPECT_TRUE(m_messages.isEmpty());

    // As NAM the wide palette numbers are cut, and the window says so beside itself.
    Answer(QStringLiteral("screen.nam"), 1);
    SetKey(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(QStringLiteral("screen.nam")).size(), 1024);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], "パレットセットは.NAM形式に合わせて2bit(0～3のみ)に変換されました。");
    EXPECT_EQ(m_messageAt, s.pos() + QPoint(100, 100));
    EXPECT_FALSE(Doc().HasWidePalettes());

    // The third filter leaves a new file empty.
    Answer(QStringLiteral("screen.any"), 3);
    SetKey(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("screen.any"))));
    EXPECT_EQ(ReadFile(QStringLiteral("screen.any")).size(), 0);
    EXPECT_EQ(m_messages.size(), 1);
}

TEST_F(SetWindowTest, TheScreenBitmapIsTheCoresSetImage) {
    OpenSetWindow();
    ClickGroup(3);
    SetAction("ActModeSelectChr")->trigger();
    SetKey(Qt::Key_A, Qt::ControlModifier);
    ClickTile(6, 7); // fills the whole screen from the tile
    EXPECT_EQ(Doc().Name(17, 21), 0x76);

    Answer(QStringLiteral("shot.bmp"));
    SetKey(Qt::Key_F9);
    Image8 written;
    ASSERT_TRUE(ReadBitmapFile(StdPath(QStringLiteral("shot.bmp")), written));
    EXPECT_EQ(written.Width(), 256);
    EXPECT_EQ(written.Height(), 240);
    EXPECT_EQ(written, RenderSetImage(Doc(), C().TileSource(), false));

    // A save that cannot write says so, and names the file and the reason.
    Answer(QStringLiteral("missing/shot.bmp"));
    SetKey(Qt::Key_F9);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], "ファイルを保存できませんでした：\n" +
                                 Path(QStringLiteral("missing/shot.bmp")) +
                                 "\nフォルダーが見つかりません。");
}

} // namespace
} // namespace tavrin::test
