#include "gui/app/MainWindow.h"

#include "core/palette/files/PaletteFileFilter.h"
#include "core/platform/FileIO.h"
#include "gui/app/ActionTable.h"
#include "gui/app/FileDialogs.h"

#include <QAction>

// The palette files of other formats: the two commands of the Palette menu and the question
// of where console colour memory goes.

namespace tavrin {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void MainWindow::ConnectPaletteFileActions() {
    const ActionTable& a = *m_actions;
    connect(a.Get(QStringLiteral("ActPaletteOtherOpen")), &QAction::triggered, this, [this] {
        FileDialogRequest request{false, Q(PaletteFileFilter(false)), {}, {}};
        request.chosenFilter = std::make_shared<int>(0);
        const QString path = ChooseFile(request);
        if (!path.isEmpty())
            m_editor->PaletteImportOther(path.toStdString(),
                                         PaletteFormatOfFilter(*request.chosenFilter, false));
    });
    connect(a.Get(QStringLiteral("ActPaletteOtherSave")), &QAction::triggered, this, [this] {
        FileDialogRequest request{true, Q(PaletteFileFilter(true)), {}, {}};
        for (const PaletteFormatInfo& info : PaletteFormats())
            request.filterExtensions << Q(DefaultPaletteExtension(info.format));
        request.defaultExtension = request.filterExtensions.value(0);
        request.fileName = Q(ReplaceExtension(m_editor->Space().Document().FilePath(), ".pal"));
        request.chosenFilter = std::make_shared<int>(0);
        const QString path = ChooseFile(request);
        if (path.isEmpty())
            return;
        if (const std::optional<PaletteFormat> format =
                PaletteFormatOfFilter(*request.chosenFilter, true))
            m_editor->PaletteExportOther(path.toStdString(), *format);
    });
}

std::optional<PaletteDestination> MainWindow::AskPaletteDestination(bool reading) {
    const QString text = reading ? tr("ゲーム機のパレットメモリです。\n"
                                      "パレット定義（.dat）に読み込みますか？\n"
                                      "（いいえ：パレット（.pal）に読み込みます）")
                                 : tr("パレット定義（.dat）の色を書き出しますか？\n"
                                      "（いいえ：パレット（.pal）の色を書き出します）");
    switch (Ask(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return PaletteDestination::PaletteSet;
    case QMessageBox::No:
        return PaletteDestination::MasterPalette;
    default:
        return std::nullopt;
    }
}

} // namespace tavrin
