#include "gui/set/TFormSet.h"

#include "core/set/SetPictures.h"
#include "gui/app/ActionTable.h"
#include "gui/app/FileDialogs.h"
#include "gui/views/ImagePanel.h"
#include "qt/ImageBridge.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>
#include <cstdlib>

namespace tavrin {

namespace {

// Margins around and between the three images.
constexpr int Gap = 8;

enum ActionFlag { Plain = 0, Checkable = 1, ModeChoice = 2 };

struct SetActionDef {
    const char* name;
    const char* caption;
    const char* toolText; // the tool bar's short label, or nullptr when not on the tool bar
    QList<QKeySequence> keys;
    int tag = 0;
    int flags = Plain;
};

using K = QList<QKeySequence>;

const QList<SetActionDef>& ActionDefs() {
    static const QList<SetActionDef> defs = {
        {"ActFileLoadSet", QT_TRANSLATE_NOOP("TFormSet", "セットファイルを開く(&O)..."),
         QT_TRANSLATE_NOOP("TFormSet", "開く"), K{Qt::CTRL | Qt::Key_O}},
        {"ActFileSaveSet", QT_TRANSLATE_NOOP("TFormSet", "セットファイルを保存(&S)..."),
         QT_TRANSLATE_NOOP("TFormSet", "保存"), K{Qt::CTRL | Qt::Key_S}},
        {"ActFileSaveSnap", QT_TRANSLATE_NOOP("TFormSet", "SETの画像を保存(&P)..."),
         QT_TRANSLATE_NOOP("TFormSet", "画像"), K{Qt::Key_F9}},
        {"ActFileLoadState",
         QT_TRANSLATE_NOOP("TFormSet", "エミュレータのセーブデータを開く(&S)..."), nullptr, K{}},
        {"ActFileExit", QT_TRANSLATE_NOOP("TFormSet", "閉じる(&C)"), nullptr,
         K{Qt::CTRL | Qt::Key_W}},
        {"ActEditAllSelect", QT_TRANSLATE_NOOP("TFormSet", "全て選択(&L)"), nullptr,
         K{Qt::CTRL | Qt::Key_A}},
        {"ActModeSetChr",
         QT_TRANSLATE_NOOP("TFormSet", "DRAWモード：カーソル位置のCHR(左)を、SET(右)に設定(&R)"),
         "DRAW", K{}, static_cast<int>(SetMode::Draw), ModeChoice},
        {"ActModeSelectChr",
         QT_TRANSLATE_NOOP("TFormSet", "TYPEモード：カーソル位置のSET(右)を、CHR(左)から選択(&L)"),
         "TYPE", K{}, static_cast<int>(SetMode::Type), ModeChoice},
        {"ActModeSprite", QT_TRANSLATE_NOOP("TFormSet", "スプライトモード"),
         QT_TRANSLATE_NOOP("TFormSet", "スプライト"), K{}, static_cast<int>(SetMode::Sprite),
         ModeChoice},
        {"ActModeNES", QT_TRANSLATE_NOOP("TFormSet", "パレットを16x16単位で持つ(&P)"), "16x16", K{},
         0, Checkable},
        {"ActViewGridChr", QT_TRANSLATE_NOOP("TFormSet", "CHR側のグリッドを表示(&C)"),
         QT_TRANSLATE_NOOP("TFormSet", "CHRグリッド"), K{}, 0, Checkable},
        {"ActViewGridBG", QT_TRANSLATE_NOOP("TFormSet", "BGセット側のグリッドを表示(&B)"),
         QT_TRANSLATE_NOOP("TFormSet", "BGグリッド"), K{}, 0, Checkable},
        {"ActViewSprite", QT_TRANSLATE_NOOP("TFormSet", "スプライトを表示"),
         QT_TRANSLATE_NOOP("TFormSet", "スプライト表示"), K{}, 0, Checkable},
        {"ActViewOpenSpr", QT_TRANSLATE_NOOP("TFormSet", "スプライトCHR(&SPR)を開く..."), nullptr,
         K{}},
        {"ActViewOpenSpd", QT_TRANSLATE_NOOP("TFormSet", "スプライト定義(S&PD)を開く..."), nullptr,
         K{}},
        {"ActViewSaveSpd", QT_TRANSLATE_NOOP("TFormSet", "スプライト定義(S&PD)を保存..."), nullptr,
         K{}},
        {"ActShowTavrin", QT_TRANSLATE_NOOP("TFormSet", "Tavrinメイン画面を表示(&Y)"),
         QT_TRANSLATE_NOOP("TFormSet", "メイン画面"), K{}},
        {"ActKeyUp", "Up", nullptr, K{Qt::Key_Up}, static_cast<int>(SetKey::Up)},
        {"ActKeyDown", "Down", nullptr, K{Qt::Key_Down}, static_cast<int>(SetKey::Down)},
        {"ActKeyLeft", "Left", nullptr, K{Qt::Key_Left}, static_cast<int>(SetKey::Left)},
        {"ActKeyRight", "Right", nullptr, K{Qt::Key_Right}, static_cast<int>(SetKey::Right)},
        {"ActKeyHome", "Home", nullptr, K{Qt::Key_Home}, static_cast<int>(SetKey::Home)},
        {"ActKeyEnd", "End", nullptr, K{Qt::Key_End}, static_cast<int>(SetKey::End)},
        {"ActKeyPgUp", "PgUp", nullptr, K{Qt::Key_PageUp}, static_cast<int>(SetKey::PageUp)},
        {"ActKeyPgDn", "PgDn", nullptr, K{Qt::Key_PageDown}, static_cast<int>(SetKey::PageDown)},
        {"ActKeyEnter", "Enter", nullptr, K{Qt::Key_Return, Qt::Key_Enter},
         static_cast<int>(SetKey::Enter)},
        {"ActKeySpace", "Space", nullptr, K{Qt::Key_Space}, static_cast<int>(SetKey::Space)},
    };
    return defs;
}

const char* const MenuTitles[] = {
    QT_TRANSLATE_NOOP("TFormSet", "ファイル(&F)"),
    QT_TRANSLATE_NOOP("TFormSet", "編集(&E)"),
    QT_TRANSLATE_NOOP("TFormSet", "モード(&M)"),
    QT_TRANSLATE_NOOP("TFormSet", "表示(&V)"),
};

// Each menu's actions in order; "-" is a separator.
const QList<QStringList>& MenuItems() {
    static const QList<QStringList> items = {
        {"ActFileLoadSet", "ActFileSaveSet", "-", "ActFileSaveSnap", "-", "ActFileExit"},
        {"ActEditAllSelect"},
        {"ActModeSetChr", "ActModeSelectChr", "ActModeSprite", "-", "ActModeNES"},
        {"ActViewGridChr", "ActViewGridBG", "-", "ActViewSprite", "ActViewOpenSpr",
         "ActViewOpenSpd", "ActViewSaveSpd", "-", "ActShowTavrin"},
    };
    return items;
}

const QStringList& ToolBarItems() {
    static const QStringList items = {"ActFileLoadSet",
                                      "ActFileSaveSet",
                                      "ActFileSaveSnap",
                                      "-",
                                      "ActModeSetChr",
                                      "ActModeSelectChr",
                                      "ActModeSprite",
                                      "-",
                                      "ActModeNES",
                                      "ActViewGridChr",
                                      "ActViewGridBG",
                                      "ActViewSprite",
                                      "-",
                                      "ActShowTavrin"};
    return items;
}

const char* const SetOpenFilter =
    QT_TRANSLATE_NOOP("TFormSet", "NAMファイル(*.nam)|*.nam;|SETファイル(*.set)|*.set;|"
                                  "VirtuaNES State(*.st?)|*.st?;|全てのファイル|*.*");
const char* const SetSaveFilterText = QT_TRANSLATE_NOOP(
    "TFormSet", "NAMファイル(*.nam)|*.nam;|SETファイル(*.set)|*.set;|全てのファイル|*.*");
const char* const SnapFilter =
    QT_TRANSLATE_NOOP("TFormSet", "ビットマップ(*.bmp)|*.bmp;|全てのファイル(*.*)|*.*;");
const char* const SprFilter =
    QT_TRANSLATE_NOOP("TFormSet", "SPRファイル(*.chr;*.spr)|*.chr;*.spr|全てのファイル|*.*");
const char* const SpdFilter =
    QT_TRANSLATE_NOOP("TFormSet", "SPDファイル(*.spd)|*.spd|全てのファイル|*.*");

QString Tr(const char* text) {
    return QCoreApplication::translate("TFormSet", text);
}

SetSaveFilter SaveFilterOf(int index) {
    switch (index) {
    case 1:
        return SetSaveFilter::Nam;
    case 2:
        return SetSaveFilter::Set;
    default:
        return SetSaveFilter::AllFiles;
    }
}

} // namespace

TFormSet::TFormSet(Workspace& workspace, QWidget* mainWindow)
    : QMainWindow(mainWindow), m_workspace(workspace), m_mainWindow(mainWindow),
      m_link(workspace, m_composer, [this](const SetRedraw& redraw) { Repaint(redraw); }) {
    setObjectName(QStringLiteral("FormSet"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Set Window"));
    // Left open, it never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    BuildActions();
    BuildMenus();
    BuildLayout();
    ConnectActions();
    ConnectPanels();
    m_link.Refresh();
}

QAction* TFormSet::Action(const QString& name) const {
    QAction* action = m_actions.value(name, nullptr);
    if (!action) {
        qCritical("TFormSet: no action %s", qPrintable(name));
        std::abort();
    }
    return action;
}

void TFormSet::BuildActions() {
    m_modeGroup = new QActionGroup(this);
    m_modeGroup->setExclusive(true);
    for (const SetActionDef& def : ActionDefs()) {
        auto* action = new QAction(Tr(def.caption), this);
        action->setObjectName(QString::fromLatin1(def.name));
        action->setShortcuts(def.keys);
        action->setData(def.tag);
        const QString tip = ActionTable::StripAccelerator(action->text());
        action->setToolTip(tip);
        action->setStatusTip(tip);
        if (def.toolText)
            action->setIconText(Tr(def.toolText));
        if (def.flags & (Checkable | ModeChoice))
            action->setCheckable(true);
        if (def.flags & ModeChoice)
            m_modeGroup->addAction(action);
        // The window's keys work whether or not a menu lists the action.
        addAction(action);
        m_actions.insert(action->objectName(), action);
        m_actionList.append(action);
    }
}

void TFormSet::BuildMenus() {
    for (qsizetype i = 0; i < MenuItems().size(); ++i) {
        QMenu* menu = menuBar()->addMenu(Tr(MenuTitles[i]));
        for (const QString& item : MenuItems()[i]) {
            if (item == QLatin1String("-"))
                menu->addSeparator();
            else
                menu->addAction(Action(item));
        }
        m_menus.append(menu);
    }
    m_toolBar = addToolBar(QStringLiteral("ToolBar"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->toggleViewAction()->setEnabled(false);
    for (const QString& item : ToolBarItems()) {
        if (item == QLatin1String("-"))
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(Action(item));
    }
}

void TFormSet::BuildLayout() {
    auto* central = new QWidget(this);
    m_imageChr =
        new ImagePanel(QStringLiteral("ImageChr"), QSize(ChrPictureSize, ChrPictureSize), central);
    m_imageSet = new ImagePanel(QStringLiteral("ImageSet"),
                                QSize(SetPictureWidth, SetPictureHeight), central);
    m_imagePal = new ImagePanel(QStringLiteral("ImagePal"),
                                QSize(PalPictureWidth, PalPictureHeight), central);
    m_imageChr->move(Gap, Gap);
    m_imagePal->move(Gap, Gap + ChrPictureSize + Gap);
    m_imageSet->move(Gap + ChrPictureSize + Gap, Gap);
    central->setFixedSize(Gap + ChrPictureSize + Gap + SetPictureWidth + Gap,
                          Gap + SetPictureHeight + Gap);
    setCentralWidget(central);
    // A fixed-size window, as large as its bars and images.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormSet::ConnectActions() {
    auto on = [this](const char* name, auto handler) {
        connect(Action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("ActFileLoadSet", [this] { FileLoadSetExecute(); });
    on("ActFileSaveSet", [this] { FileSaveSetExecute(); });
    on("ActFileSaveSnap", [this] { FileSaveSnapExecute(); });
    // ActFileLoadState is kept in the window without an effect.
    on("ActFileExit", [this] { close(); });
    on("ActEditAllSelect", [this] { Repaint(m_composer.SelectAll()); });
    for (const char* name : {"ActModeSetChr", "ActModeSelectChr", "ActModeSprite"}) {
        QAction* action = Action(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, action] {
            Repaint(m_composer.ChooseMode(static_cast<SetMode>(action->data().toInt())));
        });
    }
    on("ActModeNES", [this](bool on) { Repaint(m_composer.SetNesPaletteRule(on)); });
    on("ActViewGridChr", [this](bool on) { Repaint(m_composer.SetGridChr(on)); });
    on("ActViewGridBG", [this](bool on) { Repaint(m_composer.SetGridBG(on)); });
    on("ActViewSprite", [this](bool on) { Repaint(m_composer.SetShowSprites(on)); });
    on("ActViewOpenSpr", [this] { ViewOpenSprExecute(); });
    on("ActViewOpenSpd", [this] { ViewOpenSpdExecute(); });
    on("ActViewSaveSpd", [this] { ViewSaveSpdExecute(); });
    on("ActShowTavrin", [this] { ShowTavrinExecute(); });
    for (const char* name :
         {"ActKeyUp", "ActKeyDown", "ActKeyLeft", "ActKeyRight", "ActKeyHome", "ActKeyEnd",
          "ActKeyPgUp", "ActKeyPgDn", "ActKeyEnter", "ActKeySpace"}) {
        QAction* action = Action(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, action] {
            Repaint(m_composer.Key(static_cast<SetKey>(action->data().toInt())));
        });
    }
}

void TFormSet::ConnectPanels() {
    using Down = SetRedraw (SetComposer::*)(int, int, int);
    using MoveOrUp = SetRedraw (SetComposer::*)(int, int);
    struct PanelHandlers {
        ImagePanel* panel;
        Down down;
        MoveOrUp move;
        MoveOrUp up;
    };
    const PanelHandlers panels[] = {
        {m_imageChr, &SetComposer::ImageChrMouseDown, &SetComposer::ImageChrMouseMove,
         &SetComposer::ImageChrMouseUp},
        {m_imageSet, &SetComposer::ImageSetMouseDown, &SetComposer::ImageSetMouseMove,
         &SetComposer::ImageSetMouseUp},
        {m_imagePal, &SetComposer::ImagePalMouseDown, &SetComposer::ImagePalMouseMove,
         &SetComposer::ImagePalMouseUp},
    };
    for (const PanelHandlers& p : panels) {
        connect(p.panel, &ImagePanel::Pressed, this, [this, p](Qt::MouseButton button, QPoint at) {
            Repaint((m_composer.*p.down)(MouseButtonIndex(button), at.x(), at.y()));
        });
        connect(p.panel, &ImagePanel::Moved, this,
                [this, p](QPoint at) { Repaint((m_composer.*p.move)(at.x(), at.y())); });
        connect(p.panel, &ImagePanel::Released, this, [this, p](Qt::MouseButton, QPoint at) {
            Repaint((m_composer.*p.up)(at.x(), at.y()));
        });
    }
}

bool TFormSet::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // While hidden the window follows nothing; shown, it takes the page picture again.
    if (event->type() == QEvent::Show)
        m_link.SetShown(true);
    else if (event->type() == QEvent::Hide)
        m_link.SetShown(false);
    else if (event->type() == QEvent::WindowActivate)
        m_link.Refresh();
    return handled;
}

namespace {

void Show(ImagePanel* panel, RgbPicture& rgb, const Image8& picture) {
    panel->SetPicture(QImage()); // so that the kept picture changes in place, not copied
    rgb.Update(picture);
    panel->SetPicture(rgb.Picture());
}

} // namespace

void TFormSet::Repaint(const SetRedraw& redraw) {
    if (redraw.chr)
        Show(m_imageChr, m_chrRgb, m_composer.ChrPicture());
    if (redraw.set)
        Show(m_imageSet, m_setRgb, m_composer.SetPicture());
    if (redraw.pal)
        Show(m_imagePal, m_palRgb, m_composer.PalPicture());
    SyncChecks();
}

void TFormSet::SyncChecks() {
    const char* const modes[] = {"ActModeSetChr", "ActModeSelectChr", "ActModeSprite"};
    Action(QString::fromLatin1(modes[static_cast<int>(m_composer.Mode())]))->setChecked(true);
    Action(QStringLiteral("ActModeNES"))->setChecked(m_composer.NesPaletteRule());
    Action(QStringLiteral("ActViewGridChr"))->setChecked(m_composer.GridChr());
    Action(QStringLiteral("ActViewGridBG"))->setChecked(m_composer.GridBG());
    Action(QStringLiteral("ActViewSprite"))->setChecked(m_composer.ShowSprites());
}

SetFileDialogAnswer TFormSet::ChooseFile(const SetFileDialogRequest& request) {
    SetFileDialogRequest inFolder = request;
    // The dialogs open where the main window's document is.
    if (inFolder.folder.isEmpty())
        inFolder.folder = DocumentFolder(m_workspace.Document().FilePath());
    return m_fileChooser ? m_fileChooser(this, inFolder) : RunSetFileDialog(this, inFolder);
}

void TFormSet::Message(const QString& text) {
    const QPoint at = pos() + QPoint(100, 100);
    if (m_messageSink) {
        m_messageSink(this, text, at);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    this);
    box.move(at);
    box.exec();
}

void TFormSet::ReportFailure(const FileResult& result, FileAction action) {
    if (!result)
        Message(QString::fromStdString(FailureMessage(result, action)));
}

void TFormSet::FileLoadSetExecute() {
    const SetFileDialogAnswer answer = ChooseFile({false, Tr(SetOpenFilter), "nam", {}, false, {}});
    if (answer.path.isEmpty())
        return;
    // A file that cannot be read loads nothing; the set is drawn again all the same.
    const SetFileResult result = m_composer.LoadSetFile(answer.path.toStdString());
    Repaint(result.redraw);
    ReportFailure(result.file, FileAction::Open);
}

void TFormSet::FileSaveSetExecute() {
    const SetFileDialogAnswer answer =
        ChooseFile({true, Tr(SetSaveFilterText), "nam", {}, true, {}});
    if (answer.path.isEmpty())
        return;
    const SetFileResult result =
        m_composer.SaveSetFile(answer.path.toStdString(), SaveFilterOf(answer.filterIndex));
    Repaint(result.redraw);
    if (!result.file)
        ReportFailure(result.file, FileAction::Save);
    else if (result.converted)
        Message(QCoreApplication::translate("SetFiles", NamConversionMessage));
}

void TFormSet::FileSaveSnapExecute() {
    const SetFileDialogAnswer answer =
        ChooseFile({true, Tr(SnapFilter), "bmp", QStringLiteral("set000.bmp"), true, {}});
    if (answer.path.isEmpty())
        return;
    ReportFailure(m_composer.SaveSnapshot(answer.path.toStdString()).file, FileAction::Save);
}

void TFormSet::ViewOpenSprExecute() {
    const SetFileDialogAnswer answer = ChooseFile({false, Tr(SprFilter), "spr", {}, false, {}});
    if (answer.path.isEmpty())
        return;
    const SetFileResult result = m_composer.LoadSpriteTiles(answer.path.toStdString());
    Repaint(result.redraw);
    ReportFailure(result.file, FileAction::Open);
}

void TFormSet::ViewOpenSpdExecute() {
    const SetFileDialogAnswer answer = ChooseFile({false, Tr(SpdFilter), "spd", {}, false, {}});
    if (answer.path.isEmpty())
        return;
    const SetFileResult result = m_composer.LoadSpriteTable(answer.path.toStdString());
    Repaint(result.redraw);
    ReportFailure(result.file, FileAction::Open);
}

void TFormSet::ViewSaveSpdExecute() {
    const QString preset = QString::fromStdString(m_composer.LastSpdPath());
    const SetFileDialogAnswer answer = ChooseFile({true, Tr(SpdFilter), "spd", preset, false, {}});
    if (answer.path.isEmpty())
        return;
    ReportFailure(m_composer.SaveSpriteTable(answer.path.toStdString()).file, FileAction::Save);
}

void TFormSet::ShowTavrinExecute() {
    if (!m_mainWindow)
        return;
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

} // namespace tavrin
