#include "gui/app/MainWindow.h"

#include "core/document/RomDocument.h"
#include "core/formats/CFormatUtil.h"
#include "core/platform/FileIO.h"
#include "gui/app/ActionTable.h"
#include "gui/app/DisplaySettingsPanel.h"
#include "gui/app/MainEventFilter.h"
#include "gui/nav/TJumpDialog.h"
#include "gui/views/ImagePanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

namespace tavrin {

namespace {

std::string S(const QString& text) {
    return text.toStdString();
}

// The commands whose behaviour belongs to parts of the program still to come, and those that
// have no behaviour at all (the colour-set file commands). They are in the menus and tool
// bars, disabled. ActPen10 has no pen behind it.
const char* const NotYetAvailable[] = {
    "ActPen10",
    "ActPaletteColOpen",
    "ActPaletteColSave",
    "ActPaletteColSaveRom",
};

const char* const DatFilter =
    QT_TRANSLATE_NOOP("tavrin::MainWindow", "DATパレット|*.dat|全てのファイル|*.*");
const char* const PalFilter =
    QT_TRANSLATE_NOOP("tavrin::MainWindow", "PALパレット|*.pal|全てのファイル|*.*");
const char* const AdfFilter =
    QT_TRANSLATE_NOOP("tavrin::MainWindow", "ADFパターン|*.adf|全てのファイル|*.*");

} // namespace

void MainWindow::SetAvailable(QAction* action, bool enabled) {
    action->setEnabled(enabled && !m_unavailable.contains(action));
}

QString MainWindow::ChooseFile(const FileDialogRequest& request) {
    FileDialogRequest inFolder = request;
    // The dialogs open where the document is.
    if (inFolder.folder.isEmpty())
        inFolder.folder = DocumentFolder(m_editor->Space().Document().FilePath());
    return m_fileChooser ? m_fileChooser(this, inFolder) : RunFileDialog(this, inFolder);
}

void MainWindow::Message(const QString& text) {
    m_lastMessage = text;
    // What start-up has to say (a file that could not be opened) waits until the window is
    // there to carry it.
    if (m_starting) {
        m_startMessages << text;
        return;
    }
    if (m_messageSink) {
        m_messageSink(this, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, m_applicationTitle, text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ConnectActions() {
    const ActionTable& a = *m_actions;
    for (const char* name : NotYetAvailable) {
        QAction* action = a.Get(QString::fromLatin1(name));
        m_unavailable.insert(action);
        action->setEnabled(false);
    }
    auto on = [this, &a](const char* name, auto handler) {
        QAction* action = a.Get(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [action, handler] { handler(action); });
    };

    Editor& e = *m_editor;
    on("ActFileNew", [&e](QAction*) { e.FileNew(); });
    on("ActFileOpen", [this](QAction*) { FileOpenExecute(); });
    on("ActFileReload", [&e](QAction*) { e.FileReload(true); });
    on("ActFileSave", [&e](QAction*) { e.FileSave(); });
    on("ActFileSaveAs", [this](QAction*) { FileSaveAsExecute(); });
    on("ActFileExit", [this](QAction*) { close(); });

    for (const char* name :
         {"ActAddrMMAX", "ActAddrM100B", "ActAddrM10B", "ActAddrM1B", "ActAddrM1", "ActAddrM1Hide",
          "ActAddrP1Hide", "ActAddrP1", "ActAddrP1B", "ActAddrP10B", "ActAddrP100B", "ActAddrPMAX",
          "ActAddrMWheel", "ActAddrPWheel"})
        on(name, [&e](QAction* action) { e.AddrStep(ActionTable::Tag(action)); });
    on("ActAddrInput", [this](QAction*) { AddrInputExecute(); });
    on("ActAddrFind", [&e](QAction*) { e.AddrFind(); });

    for (const char* name :
         {"ActPaletteSel0", "ActPaletteSel1", "ActPaletteSel2", "ActPaletteSel3"})
        on(name, [&e](QAction* action) { e.PaletteSelect(ActionTable::Tag(action)); });
    for (const char* name : {"ActPaletteModePalSet", "ActPaletteMode256Pal"})
        on(name, [&e](QAction* action) { e.SetPaletteDisplayMode(ActionTable::Tag(action) != 0); });
    on("ActPaletteEnableSet", [&e](QAction*) { e.PaletteEnableSet(); });
    on("ActPaletteReload", [&e](QAction*) { e.PaletteReload(); });

    struct PaletteFile {
        const char* open;
        const char* save;
        const char* saveRom;
        const char* filter;
        const char* extension;
        RomDocument::Companion kind;
    };
    const PaletteFile files[] = {
        {"ActPaletteDatOpen", "ActPaletteDatSave", "ActPaletteDatSaveRom", DatFilter, "dat",
         RomDocument::Companion::Dat},
        {"ActPalettePalOpen", "ActPalettePalSave", "ActPalettePalSaveRom", PalFilter, "pal",
         RomDocument::Companion::Pal},
        {"ActPaletteAdfOpen", "ActPaletteAdfSave", "ActPaletteAdfSaveRom", AdfFilter, "adf",
         RomDocument::Companion::Adf},
    };
    for (const PaletteFile& f : files) {
        on(f.open, [this, f](QAction*) {
            const QString path =
                ChooseFile({false, tr(f.filter), QString::fromLatin1(f.extension), {}, {}});
            if (!path.isEmpty())
                m_editor->OpenCompanion(f.kind, S(path));
        });
        on(f.save, [this, f](QAction*) {
            const QString preset = QString::fromStdString(ReplaceExtension(
                m_editor->Space().Document().FilePath(), std::string(".") + f.extension));
            const QString path =
                ChooseFile({true, tr(f.filter), QString::fromLatin1(f.extension), preset, {}});
            if (!path.isEmpty())
                m_editor->SaveCompanion(f.kind, S(path));
        });
        on(f.saveRom, [this, f](QAction*) { m_editor->SaveCompanionBesideRom(f.kind); });
    }

    on("ActToolShowStatusbar",
       [&e](QAction*) { e.SetViewOption(ViewOption::StatusBar, !e.Settings().Statusbar); });
    on("ActOptionShowMouseNavi", [&e](QAction*) {
        e.SetViewOption(ViewOption::MouseNavigation, !e.Settings().MouseNavigation);
    });
    on("ActOptionSimpleMenu",
       [&e](QAction*) { e.SetViewOption(ViewOption::SimpleMenu, !e.Settings().SimpleMenu); });

    for (int digit = 0; digit <= 9; ++digit)
        on(qPrintable(QStringLiteral("ActFormat%1").arg(digit)),
           [&e](QAction* action) { e.ActFormat(ActionTable::Tag(action)); });
    on("ActControlSetMenu", [&e](QAction*) { e.RefreshCommandStates(); });
    ConnectEditActions();
    ConnectToolActions();
    ConnectHelpActions();
    ConnectPaletteFileActions();
    ConnectOptionActions();
    on("ActPaletteLoadState", [this](QAction*) { PaletteLoadStateExecute(); });

    // Check marks follow the Editor's state, not Qt's own toggling.
    for (QAction* action : a.All())
        if (action->isCheckable())
            connect(action, &QAction::triggered, this, [this] { CommandStatesChanged(); });
}

void MainWindow::ConnectControls() {
    const DisplaySettingsPanel& d = *m_display;
    Editor& e = *m_editor;
    connect(d.Format(), &QComboBox::currentIndexChanged, this, [&e](int i) { e.SelectFormat(i); });
    connect(d.Rotate(), &QComboBox::currentIndexChanged, this,
            [&e](int i) { e.SetViewOption(ViewOption::Rotate, i); });
    connect(d.Mirror(), &QComboBox::currentIndexChanged, this,
            [&e](int i) { e.SetViewOption(ViewOption::Mirror, i); });
    connect(d.Pattern(), &QComboBox::currentIndexChanged, this,
            [&e](int i) { e.SelectPattern(i); });
    connect(d.Grid(), &QComboBox::currentIndexChanged, this,
            [&e](int i) { e.SetViewOption(ViewOption::GridType, i); });
    connect(d.Zoom(), &QComboBox::currentIndexChanged, this,
            [&e](int i) { e.SetViewOption(ViewOption::Zoom, i); });
    connect(&d, &DisplaySettingsPanel::KeysGivenBack, this, [this] { FocusPanel(Panel::Chr); });
    connect(d.GridLeft(), &QCheckBox::toggled, this,
            [&e](bool on) { e.SetViewOption(ViewOption::GridChr, on); });
    connect(d.GridRight(), &QCheckBox::toggled, this,
            [&e](bool on) { e.SetViewOption(ViewOption::GridEdit, on); });
    connect(d.EditArea(), &QCheckBox::toggled, this,
            [&e](bool on) { e.SetViewOption(ViewOption::FrameDraw, on); });
    connect(d.Halftone(), &QCheckBox::toggled, this,
            [&e](bool on) { e.SetViewOption(ViewOption::Halftone, on); });
    d.ShowHint()->setChecked(true);
    connect(d.ShowHint(), &QCheckBox::toggled, this,
            [this](bool on) { m_eventFilter->SetToolTipsEnabled(on); });
    connect(d.FormatInfo(), &QPushButton::clicked, this, [this] { FormatInfoClick(); });
    connect(d.SimpleAdfDlg(), &QPushButton::clicked, this, [this] { ButtonSimpleAdfDlgClick(); });

    connect(m_chrScroll, &QScrollBar::valueChanged, this,
            [&e](int position) { e.ScrollBarChange(ScrollBarId::Chr, position); });
    // The Editor sets the view's top row and hands the position back (SetScrollPosition).
    connect(m_datScroll, &QScrollBar::valueChanged, this,
            [&e](int position) { e.ScrollBarChange(ScrollBarId::Dat, position); });
    connect(m_palScroll, &QScrollBar::valueChanged, this,
            [&e](int position) { e.ScrollBarChange(ScrollBarId::Pal, position); });

    ConnectPanel(m_chrView, Panel::Chr);
    ConnectPanel(m_editView, Panel::Edit);
    ConnectPanel(m_datView, Panel::Dat);
    ConnectPanel(m_palView, Panel::Pal);
}

void MainWindow::FileOpenExecute() {
    if (!m_editor->ConfirmDiscard())
        return;
    const QString path = ChooseFile(
        {false, QString::fromStdString(m_editor->Space().Formats().RomFileFilter()), {}, {}, {}});
    if (!path.isEmpty())
        m_editor->OpenRom(S(path), true);
}

void MainWindow::FileSaveAsExecute() {
    const QString path =
        ChooseFile({true,
                    QString::fromStdString(m_editor->Space().Formats().RomFileFilter()),
                    {},
                    QString::fromStdString(m_editor->Space().Document().FilePath()),
                    {}});
    if (!path.isEmpty())
        m_editor->FileSaveAs(S(path));
}

void MainWindow::AddrInputExecute() {
    m_jumpDialog->move(pos() + QPoint(256, 256));
    m_jumpDialog->SetAddress(m_editor->Space().Address());
    if (m_jumpDialog->exec() == QDialog::Accepted)
        m_editor->AddrJump(m_jumpDialog->Address());
}

void MainWindow::FormatInfoClick() {
    const QString text = QString::fromStdString(CFormatUtil::InfoText(&m_editor->Space().Format()));
    m_lastMessage = text;
    if (m_messageSink) {
        m_messageSink(this, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, m_applicationTitle, text, QMessageBox::Ok, this);
    box.move(pos() + QPoint(50, 50));
    box.exec();
}

} // namespace tavrin
