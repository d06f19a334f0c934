#include "gui/app/MainWindow.h"

#include "core/packed/PackedBlockNavigator.h"
#include "gui/app/ActionTable.h"
#include "gui/app/MainStatusBar.h"
#include "gui/packed/TPackedBlockWindow.h"

#include <QAction>
#include <QLabel>

namespace tavrin {

void MainWindow::ConnectPackedBlocks() {
    m_packed = std::make_unique<PackedBlockNavigator>(*m_workspace, *m_editor);
    // A save whose block no longer fits asks where it may go.
    m_packed->Origin().SetDecider([this](
                                      const WriteBackPlan& plan) -> std::optional<WriteBackChoice> {
        const PackedSource& old = m_packed->Origin().Source();
        const QString move =
            tr("圧縮したデータ (%1 バイト) が元の場所 (%2 バイト) に収まりません。\n"
               "ファイルの末尾 0x%3 に追加しますか？")
                .arg(plan.packed.size())
                .arg(std::max(old.room, old.packed.size()))
                .arg(QString::asprintf("%06zX", plan.appendAddress));
        if (Ask(move, QMessageBox::Yes | QMessageBox::Cancel) != QMessageBox::Yes)
            return std::nullopt;
        WriteBackChoice choice{true, false};
        if (!plan.pointers.empty()) {
            const QString repoint = tr("元のデータを指すポインタが %1 個見つかりました。\n"
                                       "新しい場所を指すように書き換えますか？")
                                        .arg(plan.pointers.size());
            choice.repoint = Ask(repoint, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        }
        return choice;
    });
    m_packedWindow = new TPackedBlockWindow(*m_packed, this);
    connect(m_packedWindow, &TPackedBlockWindow::OpenRequested, this,
            [this](const FoundBlock& block) { OpenPackedBlock(block); });
    connect(m_packedWindow, &TPackedBlockWindow::ScanFailed, this,
            [this](const FileResult& failure) { ReportFailure(failure, FileAction::Open); });
    m_packedLabel = new QLabel(m_status);
    m_packedLabel->setObjectName(QStringLiteral("PackedBlockLabel"));
    m_status->addPermanentWidget(m_packedLabel);
    ShowPackedLabel();

    connect(m_actions->Get(QStringLiteral("ActAddrFindPacked")), &QAction::triggered, this,
            [this] { FindNextPackedExecute(); });
    connect(m_actions->Get(QStringLiteral("ActAddrPackedList")), &QAction::triggered, this, [this] {
        m_packedWindow->show();
        m_packedWindow->raise();
        m_packedWindow->activateWindow();
        m_packedWindow->Refresh();
    });
}

void MainWindow::FindNextPackedExecute() {
    FileResult failure;
    const std::optional<FoundBlock> found = m_packed->FindNext(&failure);
    if (!failure) {
        ReportFailure(failure, FileAction::Open);
        return;
    }
    if (!found) {
        Message(tr("圧縮データは見つかりませんでした。"));
        return;
    }
    OpenPackedBlock(*found);
}

void MainWindow::OpenPackedBlock(const FoundBlock& block) {
    m_packed->Open(block);
    ShowPackedLabel();
}

void MainWindow::ShowPackedLabel() {
    if (!m_packedLabel || !m_packed)
        return;
    const std::string label = m_packed->BlockLabel();
    m_packedLabel->setText(QString::fromStdString(label));
    m_packedLabel->setVisible(!label.empty());
}

} // namespace tavrin
