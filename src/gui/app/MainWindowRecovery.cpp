#include "gui/app/MainWindow.h"

#include "core/document/RecoveryFile.h"
#include "core/editor/Editor.h"
#include "core/packed/PackedBlockNavigator.h"
#include "core/platform/FileIO.h"
#include "core/workspace/Workspace.h"

#include <QTimer>
#include <cstdio>
#include <filesystem>

// The recovery file: while the document has unsaved changes they are kept beside the user's
// other state every 30 seconds, so that a crash or a killed process loses little; the next
// start offers them back.

namespace tavrin {

namespace {

constexpr int KeepIntervalMs = 30 * 1000;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void MainWindow::SetUpRecovery(const std::string& folder) {
    m_recovery = std::make_unique<RecoveryKeeper>(folder);
    auto* timer = new QTimer(this);
    timer->setInterval(KeepIntervalMs);
    connect(timer, &QTimer::timeout, this, &MainWindow::KeepRecovery);
    timer->start();
    // After the start-up's own messages, once the window is there.
    QTimer::singleShot(0, this, &MainWindow::OfferRecovery);
}

void MainWindow::KeepRecovery() {
    if (!m_recovery || !m_workspace)
        return;
    const Workspace& ws = *m_workspace;
    if (!m_recovery->Keep(ws.Document(), ws.IsModified(), ws.Undo().Position(), ws.Address(),
                          ws.FormatIndex()))
        std::fprintf(stderr, "tavrin: the recovery file could not be written in %s\n",
                     m_recovery->Folder().c_str());
}

void MainWindow::ForgetRecoveryIfSaved() {
    if (m_recovery && m_workspace)
        m_recovery->ForgetIfSaved(m_workspace->Document(), m_workspace->IsModified());
}

void MainWindow::OfferRecovery() {
    if (!m_recovery)
        return;
    for (const std::string& path : RecoveryFilesIn(m_recovery->Folder())) {
        std::vector<uint8_t> bytes;
        RecoveryRecord record;
        // A file that is not one of ours is left alone.
        if (!ReadWholeFile(path, bytes) || !DecodeRecovery(bytes, record))
            continue;
        const QMessageBox::StandardButton answer =
            Ask(tr("保存されていない変更が残っています：\n%1\n\n"
                   "はい：変更を元に戻して開きます\n"
                   "いいえ：変更を破棄します\n"
                   "キャンセル：後で決めます（次の起動でもう一度聞きます）")
                    .arg(Q(record.documentPath)),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::No) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
            continue;
        }
        if (answer != QMessageBox::Yes)
            continue;
        // One document a window: the first one restored ends the offers; the file stays until
        // the changes are saved or the window is closed.
        PackedBlockOrigin::Adoption adoption = PackedBlockOrigin::Adoption::NotABlock;
        if (m_editor->ConfirmDiscard() && m_packed->RestoreRecovery(record, adoption)) {
            SyncDisplayControls();
            ShowPackedLabel();
            if (adoption == PackedBlockOrigin::Adoption::Missing)
                Message(tr("圧縮ブロックが元のファイルに見つかりません。\n"
                           "保存すると、この名前の別のファイルになります。"));
            return;
        }
    }
}

} // namespace tavrin
