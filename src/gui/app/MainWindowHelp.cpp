#include "gui/app/MainWindow.h"

#include "core/settings/OptionActions.h"
#include "gui/app/ActionTable.h"
#include "gui/app/BuildInfo.h"
#include "gui/app/Translations.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

// The Help menu: the manual, the two web pages, the about box, and saving and reloading the
// external tools' settings.

namespace tavrin {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void MainWindow::ConnectHelpActions() {
    const ActionTable& a = *m_actions;
    auto on = [this, &a](const char* name, auto handler) {
        connect(a.Get(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("ActHelpIndex", [this] { HelpIndexExecute(); });
    on("ActHelpOpenWeb", [this] { HelpOpenAddress(QStringLiteral(TAVRIN_BUILD_HOME_URL)); });
    on("ActHelpOpenBoard", [this] { HelpOpenAddress(QStringLiteral(TAVRIN_BUILD_ISSUES_URL)); });
    on("ActHelpAbout", [this] { HelpAboutExecute(); });
    on("ActHelpSaveConfig", [this] {
        if (const FileResult saved = m_tools->Save(); !saved)
            ReportFailure(saved, FileAction::Save);
    });
    on("ActHelpLoadConfig", [this] {
        // A file that cannot be read leaves the tools as they were.
        if (const FileResult read = m_tools->Load(); !read)
            ReportFailure(read, FileAction::Open);
        // The tool menu shows the tools as the file has them now.
        m_editor->RefreshCommandStates();
    });
}

bool MainWindow::ShellOpen(const QUrl& url, const QString& target) {
    const bool opened = m_urlOpener ? m_urlOpener(url) : QDesktopServices::openUrl(url);
    if (!opened)
        Message(QCoreApplication::translate("Tools", ToolRunner::FailureText) + target);
    return opened;
}

void MainWindow::HelpIndexExecute() {
    const HelpFiles files = FindHelpFiles(m_editor->Paths().standardFiles, InstalledLanguage());
    if (!files.help.empty()) {
        ShellOpen(QUrl::fromLocalFile(Q(files.help)), Q(files.help));
        return;
    }
    Message(QCoreApplication::translate("Help", HelpMissingText));
    if (!files.text.empty())
        ShellOpen(QUrl::fromLocalFile(Q(files.text)), Q(files.text));
}

void MainWindow::HelpOpenAddress(const QString& address) {
    // A build without the project's addresses points to its own manual instead.
    if (address.isEmpty()) {
        HelpIndexExecute();
        return;
    }
    ShellOpen(QUrl(address), address);
}

void MainWindow::HelpAboutExecute() {
    // The manual of the window's language, as F1 opens it.
    const HelpFiles files = FindHelpFiles(m_editor->Paths().standardFiles, InstalledLanguage());
    Message(
        Q(AboutText({TAVRIN_BUILD_VERSION, TAVRIN_BUILD_COMMIT, TAVRIN_BUILD_DATE}, files.help)));
}

} // namespace tavrin
