#include "gui/app/MainWindow.h"

#include "core/document/RecoveryFile.h"

#include <QCloseEvent>
#include <QPushButton>

// What the window says when a file fails, and the questions before unsaved changes would be
// lost.

namespace tavrin {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void MainWindow::ReportFailure(const FileResult& result, FileAction action) {
    Message(Q(FailureMessage(result, action)));
}

QMessageBox::StandardButton MainWindow::Ask(const QString& text,
                                            QMessageBox::StandardButtons buttons, QWidget* owner) {
    if (!owner)
        owner = this;
    if (m_questionSink)
        return m_questionSink(owner, text, buttons);
    QMessageBox box(QMessageBox::Question, m_applicationTitle, text, buttons, owner);
    // The buttons speak the window's language whatever Qt's own translations are.
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Yes, QT_TR_NOOP("はい(&Y)")},
        {QMessageBox::No, QT_TR_NOOP("いいえ(&N)")},
        {QMessageBox::Cancel, QT_TR_NOOP("キャンセル")},
    };
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* b = box.button(button))
            b->setText(tr(caption));
    box.setDefaultButton(buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                               : QMessageBox::No);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

SaveAnswer MainWindow::AskSaveChanges() {
    const QString name = Q(m_editor->Space().Document().FileName());
    switch (Ask(tr("%1 は変更されています。\n変更を保存しますか？").arg(name),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return SaveAnswer::Save;
    case QMessageBox::No:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool MainWindow::AskDiscardChanges() {
    const QString name = Q(m_editor->Space().Document().FileName());
    return Ask(tr("%1 の変更は保存されていません。\n変更を破棄して読み込み直しますか？").arg(name),
               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

ExtendAnswer MainWindow::AskExtendFile() {
    switch (Ask(tr("ファイルの終わりより後ろに描いた部分があります。\n"
                   "ファイルをページの終わりまで延ばして保存しますか？\n"
                   "（いいえ：元の大きさで保存します）"),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return ExtendAnswer::Extend;
    case QMessageBox::No:
        return ExtendAnswer::OriginalSize;
    default:
        return ExtendAnswer::Cancel;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_editor && !m_editor->ConfirmDiscard()) {
        event->ignore();
        return;
    }
    // A normal close, saved or not: nothing is left to recover.
    if (m_recovery && m_workspace)
        m_recovery->Forget(m_workspace->Document().FilePath());
    QMainWindow::closeEvent(event);
}

} // namespace tavrin
