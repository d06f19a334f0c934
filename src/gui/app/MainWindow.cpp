#include "gui/app/MainWindow.h"

#include "core/document/RecoveryFile.h"
#include "core/formats/PluginFolders.h"
#include "core/packed/PackedBlockNavigator.h"
#include "core/settings/CIniInfo.h"
#include "core/settings/OptionActions.h"
#include "core/views/CImageDat.h"
#include "core/views/CImagePal.h"
#include "core/views/ImageRgb.h"
#include "gui/app/ActionTable.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/app/MainEventFilter.h"
#include "gui/app/MainMenus.h"
#include "gui/app/MainStatusBar.h"
#include "gui/nav/NavigateController.h"
#include "gui/nav/TJumpDialog.h"
#include "gui/set/TFormSet.h"
#include "gui/views/ImagePanel.h"
#include "qt/ImageBridge.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <cstdio>
#include <utility>

namespace tavrin {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList Items(const std::vector<std::string>& names) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names)
        items << Q(name);
    return items;
}

// A colour as the settings keep it: 0x00BBGGRR.
int ColourValue(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// The resident set size of this process in kB, from /proc/self/status.
long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

MainWindow::MainWindow(const AppPaths& paths, const std::vector<std::string>& arguments,
                       QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    // A fixed-size window: system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(m_applicationTitle);
    m_actions = std::make_unique<ActionTable>(this);
    m_menus = std::make_unique<MainMenus>(this, *m_actions);
    BuildLayout();
    m_jumpDialog = new TJumpDialog(this);
    m_eventFilter =
        new MainEventFilter(this, m_display->Combos(), [this](int direction, QPoint globalPos) {
            WheelNotch(direction, globalPos);
        });
    qApp->installEventFilter(m_eventFilter);
    setAcceptDrops(true);
    // Moves over the bare window (outside the images) clear the mouse hints.
    setMouseTracking(true);

    m_workspace = std::make_unique<Workspace>();
    // Plug-in formats join the table before the format list is built; a refused one says
    // why on standard error, for its author, and each library is named there before the
    // program first calls into it, so that one that brings the program down is known.
    const auto toStandardError = [](const std::string& message) {
        std::fprintf(stderr, "tavrin: %s\n", message.c_str());
        std::fflush(stderr);
    };
    LoadPluginFolders(m_workspace->Formats(), paths.pluginFolders, toStandardError,
                      toStandardError);
    OpenSettingsFile(m_settings, paths.settingsFile);
    m_editor = std::make_unique<Editor>(static_cast<EditorView&>(*this), *m_workspace, m_settings,
                                        paths, QApplication::wheelScrollLines());
    m_tools = std::make_unique<ToolBench>(*m_editor, static_cast<EditorView&>(*this));
    ConnectActions();
    ConnectControls();
    ConnectSetWindow();
    ConnectPackedBlocks();
    new NavigateController(*this, *m_editor, static_cast<PanelView&>(*this),
                           [this](const QString& text) { Message(text); });

    const CIniInfo& settings = m_editor->Settings();
    if (settings.SavePosition)
        move(settings.Left, settings.Top);
    // Below -1 the value names another system colour: not shown, but written back as it was.
    m_windowColour = settings.WindowColor;
    if (settings.WindowColor >= 0) {
        QPalette pal = palette();
        const int c = settings.WindowColor;
        pal.setColor(QPalette::Window, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        setPalette(pal);
    }

    m_editor->FormCreate(arguments);
    SyncDisplayControls();
    CommandStatesChanged();
    LayoutChanged();
    m_starting = false;
    QTimer::singleShot(0, this, [this] {
        const QStringList messages = std::exchange(m_startMessages, {});
        for (const QString& text : messages)
            Message(text);
    });
    SetUpRecovery(paths.recoveryFolder);

    // Returning from another program may have changed the clipboard.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    m_editor->RefreshCommandStates();
            });
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(m_eventFilter);
    const QPoint position = pos();
    // The system's button colour is stored as -1, however it was chosen.
    const int colour =
        m_windowColour == ColourValue(QApplication::palette().color(QPalette::Button))
            ? -1
            : m_windowColour;
    // The recent list keeps the place the file was left at; the controller goes before the
    // editor and workspace it works on.
    NavigateController* navigate = Navigate(this);
    navigate->RememberPlace();
    m_editor->FormDestroy(position.x(), position.y(), colour);
    delete navigate;
}

void MainWindow::ReportFirstPaint(QElapsedTimer startClock, bool quitAfter) {
    m_startClock = startClock;
    m_reportFirstPaint = true;
    m_quitAfterReport = quitAfter;
    m_chrView->installEventFilter(this);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    activateWindow();
    m_chrView->setFocus(Qt::OtherFocusReason);
    m_editor->FormShow();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_chrView && event->type() == QEvent::Paint && m_reportFirstPaint) {
        m_reportFirstPaint = false;
        const qint64 elapsed = m_startClock.elapsed();
        // After this paint returns the frame is flushed; report then.
        QTimer::singleShot(0, this, [this, elapsed] {
            std::fprintf(stderr, "tavrin: first paint after %lld ms, VmRSS %ld kB\n",
                         static_cast<long long>(elapsed), ResidentKilobytes());
            if (m_quitAfterReport)
                QApplication::quit();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

// EditorView.

void MainWindow::RepaintTileView() {
    m_chrView->SetPicture(ToRgbImage(m_editor->TileViewPicture()));
}

void MainWindow::RepaintEditView() {
    m_editView->SetPicture(ToRgbImage(m_editor->EditViewPicture()));
}

void MainWindow::RepaintDatView() {
    m_datView->SetPicture(ToQImage(m_editor->DatView().Picture()));
}

void MainWindow::RepaintPalView() {
    m_palView->SetPicture(ToQImage(m_editor->PalView().Picture()));
}

void MainWindow::DisplayPaletteChanged() {
    RepaintTileView();
    RepaintEditView();
}

void MainWindow::SetCaption(const std::string& caption) {
    setWindowTitle(Q(caption));
    ShowPackedLabel();
    // The caption follows the modified mark: a save or an undo back to the saved bytes.
    ForgetRecoveryIfSaved();
}

void MainWindow::SetApplicationTitle(const std::string& title) {
    m_applicationTitle = Q(title);
}

void MainWindow::SetStatusText(StatusPanel panel, const std::string& text) {
    m_status->SetPanelText(static_cast<int>(panel), Q(text));
}

void MainWindow::SetMouseHints(const std::string& left, const std::string& right) {
    m_status->SetHints(Q(left), Q(right));
}

void MainWindow::SetToolTip(HintTarget target, const std::string& text) {
    switch (target) {
    case HintTarget::DatPanel:
        m_datView->setToolTip(Q(text));
        break;
    case HintTarget::PalPanel:
        m_palView->setToolTip(Q(text));
        break;
    case HintTarget::PatternList:
        m_display->Pattern()->setToolTip(Q(text));
        break;
    }
}

void MainWindow::SetScrollRange(ScrollBarId bar, const ScrollRange& range) {
    QScrollBar* scroll = ScrollBarOf(bar);
    const QSignalBlocker blocker(scroll);
    scroll->setRange(range.minimum, range.MaxPosition());
    scroll->setSingleStep(range.smallChange);
    scroll->setPageStep(range.largeChange);
}

void MainWindow::SetScrollPosition(ScrollBarId bar, int position) {
    QScrollBar* scroll = ScrollBarOf(bar);
    {
        const QSignalBlocker blocker(scroll);
        scroll->setValue(position);
    }
    // The palette pictures show from their top row on.
    if (bar == ScrollBarId::Dat)
        m_datView->SetTopOffset(CImageDat::Cell * m_editor->DatView().TopRow());
    else if (bar == ScrollBarId::Pal)
        m_palView->SetTopOffset(CImagePal::Cell * m_editor->PalView().TopRow());
}

void MainWindow::CommandStatesChanged() {
    if (!m_editor)
        return;
    const ActionTable& a = *m_actions;
    SetAvailable(a.Get("ActEditRotateLeft"), m_editor->CanRotate());
    SetAvailable(a.Get("ActEditRotateRight"), m_editor->CanRotate());
    const bool colourSet = m_editor->Space().IsColourSetEnabled();
    a.Get("ActPen10")->setVisible(colourSet);
    a.Get("ActPaletteEnableSet")->setChecked(colourSet);
    const bool paletteOnly = m_editor->IsPaletteOnly();
    a.Get("ActPaletteModePalSet")->setChecked(!paletteOnly);
    a.Get("ActPaletteMode256Pal")->setChecked(paletteOnly);
    a.Get("ActOptionSimpleMenu")->setChecked(m_editor->Settings().SimpleMenu);
    m_menus->SetSimpleMenu(m_editor->Settings().SimpleMenu);
    a.Get("ActToolShowStatusbar")->setChecked(m_editor->Settings().Statusbar);
    a.Get("ActOptionShowMouseNavi")->setChecked(m_editor->Settings().MouseNavigation);
    EditCommandStates();
    ToolCommandStates();
}

void MainWindow::LayoutChanged() {
    if (!m_editor)
        return;
    const bool statusBar = m_editor->Settings().Statusbar;
    m_status->setVisible(statusBar);
    m_status->SetHintsVisible(m_editor->IsMouseHintsVisible());
    // Without the bar the window keeps two pixels of it below the panels.
    setFixedSize(width(), statusBar ? m_initialHeight : m_initialHeight - m_status->height() + 2);
    ApplyPaletteLayout(m_editor->IsPaletteOnly());
    CommandStatesChanged();
}

void MainWindow::SetFormatList(const std::vector<std::string>& names) {
    QComboBox* combo = m_display->Format();
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(Items(names));
}

void MainWindow::SetFormatIndex(int index) {
    const QSignalBlocker blocker(m_display->Format());
    m_display->Format()->setCurrentIndex(index);
}

void MainWindow::SetPatternList(const std::vector<std::string>& names) {
    QComboBox* combo = m_display->Pattern();
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(Items(names));
}

void MainWindow::SetPatternIndex(int index) {
    const QSignalBlocker blocker(m_display->Pattern());
    m_display->Pattern()->setCurrentIndex(index);
}

void MainWindow::ShowMessage(const std::string& text) {
    Message(Q(text));
}

void MainWindow::Beep() {
    ++m_beeps;
    QApplication::beep();
}

void MainWindow::FocusPanel(Panel panel) {
    if (ImagePanel* widget = PanelWidget(panel))
        widget->setFocus(Qt::MouseFocusReason);
}

void MainWindow::ShowPopupMenu(int x, int y) {
    m_menus->Popup()->popup(m_chrView->mapToGlobal(QPoint(x, y)));
}

} // namespace tavrin
