#include "gui/app/MainWindow.h"

#include "core/palette/CPalette.h"
#include "core/platform/Colour.h"
#include "core/settings/OptionActions.h"
#include "core/tools/CTools.h"
#include "gui/app/ActionTable.h"
#include "gui/palette/TPalEditDialog.h"
#include "gui/tools/TToolConfigDialog.h"
#include "qt/ImageBridge.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

// The Tool menu: external tools, opening the document with the desktop's program, the tool
// configuration, and the window colour.

namespace tavrin {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QColor ToQColor(int colour) {
    return QColor(RedOf(static_cast<Colour>(colour)), GreenOf(static_cast<Colour>(colour)),
                  BlueOf(static_cast<Colour>(colour)));
}

int ButtonFaceColour() {
    const QColor face = QApplication::palette().color(QPalette::Button);
    return static_cast<int>(MakeColour(face.red(), face.green(), face.blue()));
}

} // namespace

void MainWindow::ConnectToolActions() {
    const ActionTable& a = *m_actions;
    auto on = [this, &a](const QString& name, auto handler) {
        QAction* action = a.Get(name);
        connect(action, &QAction::triggered, this, [action, handler] { handler(action); });
    };
    on(QStringLiteral("ActToolExecuteFile"), [this](QAction*) { ToolExecuteFileExecute(); });
    for (int i = 0; i < CTools::Count; ++i)
        on(QStringLiteral("ActToolExecute%1").arg(i), [this](QAction* action) {
            m_tools->Run(ActionTable::Tag(action), static_cast<ToolRunnerHost&>(*this));
        });
    on(QStringLiteral("ActToolToolConfig"), [this](QAction*) { ToolConfigExecute(); });
    // ActToolExecParam is in the menu without a command behind it.
    on(QStringLiteral("ActToolFormColor"), [this](QAction*) { ToolFormColorExecute(); });
}

void MainWindow::ToolCommandStates() {
    if (!m_tools || m_tools->CaptionsApplied())
        return;
    for (int i = 0; i < CTools::Count; ++i) {
        QAction* action = m_actions->Get(QStringLiteral("ActToolExecute%1").arg(i));
        const ToolDefinition& tool = m_tools->Tools().GetTool(i);
        action->setText(Q(tool.Name));
        action->setVisible(tool.Enabled);
    }
    m_tools->CaptionsShown();
}

TToolConfigDialog& MainWindow::ToolConfigDialog() {
    if (!m_toolDialog) {
        m_toolDialog = new TToolConfigDialog(m_tools->Tools(), this);
        // Its file dialog and messages go where the window's go, so tests answer them too.
        m_toolDialog->SetFileChooser([this](QWidget* owner, const FileDialogRequest& request) {
            return m_fileChooser ? m_fileChooser(owner, request) : RunFileDialog(owner, request);
        });
        m_toolDialog->SetMessageSink([this](QWidget*, const QString& text) { Message(text); });
    }
    return *m_toolDialog;
}

void MainWindow::ToolConfigExecute() {
    TToolConfigDialog& dialog = ToolConfigDialog();
    dialog.CentreOver(this);
    if (dialog.exec() == QDialog::Accepted)
        m_tools->ConfigChanged();
}

void MainWindow::ToolExecuteFileExecute() {
    const QString path = Q(m_editor->Space().Document().FilePath());
    // A new document that was never saved has no file for another program to open.
    const QFileInfo file(path);
    if (!file.isFile()) {
        Message(QCoreApplication::translate("Tools", ToolRunner::FailureText) + path);
        return;
    }
    ShellOpen(QUrl::fromLocalFile(file.absoluteFilePath()), path);
}

// ---- The window colour ----

void MainWindow::ToolFormColorExecute() {
    // The dialog starts from the system's colour every time, whatever the window has now.
    const int buttonFace = ButtonFaceColour();
    CPalette colours;
    colours.SetColor(0, static_cast<Colour>(buttonFace));
    TPalEditDialog& dialog = PaletteEditor();
    dialog.SetPalette(&colours, 0);
    dialog.move(pos() + QPoint(32, 32));
    dialog.exec();
    // The dialog must not keep a pointer to the palette that ends here.
    dialog.SetPalette(nullptr, 0);
    ApplyWindowColour(WindowColourSetting(static_cast<int>(colours.GetColor(0)), buttonFace));
}

void MainWindow::ApplyWindowColour(int colour) {
    m_windowColour = colour;
    if (colour < 0) {
        // The system's colour itself, so that the window follows its later changes.
        setPalette(QPalette());
        return;
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(colour));
    setPalette(pal);
}

// ---- ToolRunnerHost ----

bool MainWindow::StartDetached(const std::string& program,
                               const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << Q(argument);
    return QProcess::startDetached(Q(program), list);
}

void MainWindow::WaitForTool(const std::string& text) {
    Message(Q(text));
}

} // namespace tavrin
