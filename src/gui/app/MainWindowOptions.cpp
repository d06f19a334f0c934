#include "gui/app/MainWindow.h"

#include "gui/app/ActionTable.h"
#include "gui/option/TFConfigDialog.h"

#include <QAction>
#include <QApplication>
#include <QUrl>

// The settings dialog "設定" (ActOptionConfig).

namespace tavrin {

TFConfigDialog& MainWindow::ConfigDialog() {
    if (!m_configDialog) {
        m_configDialog = new TFConfigDialog(QApplication::wheelScrollLines(), this);
        // Its information box and web addresses go where the window's go, so tests see them.
        m_configDialog->SetMessageSink([this](QWidget* owner, const QString& text) {
            m_lastMessage = text;
            if (m_messageSink)
                m_messageSink(owner, text);
            else
                QMessageBox(QMessageBox::Information, m_applicationTitle, text, QMessageBox::Ok,
                            owner)
                    .exec();
        });
        m_configDialog->SetUrlOpener(
            [this](const QString& url) { return ShellOpen(QUrl(url), url); });
    }
    return *m_configDialog;
}

void MainWindow::ConnectOptionActions() {
    connect(m_actions->Get(QStringLiteral("ActOptionConfig")), &QAction::triggered, this,
            [this] { OptionConfigExecute(); });
}

void MainWindow::OptionConfigExecute() {
    TFConfigDialog& dialog = ConfigDialog();
    dialog.SetSources(m_editor->Settings(), m_editor->Space().Formats());
    dialog.CentreOver(this);
    if (dialog.exec() == QDialog::Accepted)
        m_editor->SettingsChanged();
    else
        m_editor->ShowPage();
}

} // namespace tavrin
