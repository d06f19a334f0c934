#include "gui/app/MainWindow.h"

#include "core/dib/BitmapFile.h"
#include "core/platform/FileIO.h"
#include "core/workspace/ImageIndices.h"
#include "gui/app/ActionTable.h"
#include "gui/edit/TColorOptimizeDlg.h"
#include "gui/edit/TReplaceColorDialog.h"
#include "gui/palette/TPalEditDialog.h"
#include "gui/views/ImagePanel.h"
#include "qt/ClipboardBridge.h"
#include "qt/ImageBridge.h"
#include "qt/PictureReader.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>

// The pens, the Edit menu, the clipboard and the snapshots.

namespace tavrin {

namespace {

const char* const SnapshotFilter =
    QT_TRANSLATE_NOOP("tavrin::MainWindow", "ビットマップ|*.bmp|全てのファイル|*.*");

} // namespace

void MainWindow::ConnectEditActions() {
    const ActionTable& a = *m_actions;
    Editor& e = *m_editor;
    auto on = [this, &a](const char* name, auto handler) {
        QAction* action = a.Get(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [action, handler] { handler(action); });
    };
    for (const char* name : {"ActPen11", "ActPen01", "ActPen02", "ActPen03", "ActPen04", "ActPen05",
                             "ActPen06", "ActPen07", "ActPen08", "ActPen09", "ActPen10"})
        on(name, [&e](QAction* action) { e.PenExecute(ActionTable::Tag(action)); });

    on("ActEditUndo", [&e](QAction*) { e.EditUndo(); });
    on("ActEditRedo", [&e](QAction*) { e.EditRedo(); });
    on("ActEditClear", [&e](QAction*) { e.EditClear(); });
    on("ActEditSelectAll", [&e](QAction*) { e.EditSelectAll(); });
    on("ActEditMirrorHorizontal", [&e](QAction*) { e.EditMirror(MirrorAxis::Horizontal); });
    on("ActEditMirrorVertical", [&e](QAction*) { e.EditMirror(MirrorAxis::Vertical); });
    on("ActEditRotateLeft", [&e](QAction*) { e.EditRotate(false); });
    on("ActEditRotateRight", [&e](QAction*) { e.EditRotate(true); });
    on("ActEditShiftUp", [&e](QAction*) { e.EditShift(ShiftDirection::Up); });
    on("ActEditShiftDown", [&e](QAction*) { e.EditShift(ShiftDirection::Down); });
    on("ActEditShiftLeft", [&e](QAction*) { e.EditShift(ShiftDirection::Left); });
    on("ActEditShiftRight", [&e](QAction*) { e.EditShift(ShiftDirection::Right); });
    on("ActEditCut", [&e](QAction*) { e.EditCut(); });
    on("ActEditCopy", [&e](QAction*) { e.EditCopy(); });
    on("ActEditPaste", [&e](QAction*) { e.EditPaste(false); });
    on("ActEditOptimizePaste", [&e](QAction*) { e.EditPaste(true); });
    on("ActEditClearClipboard", [&e](QAction*) { e.EditClearClipboard(); });
    on("ActPaletteReplaceColor", [&e](QAction*) { e.ReplaceColour(); });
    on("ActFileSaveSnapshot", [this](QAction*) { SaveSnapshotExecute(); });
    on("ActFileLoadSnapshot", [this](QAction*) { LoadSnapshotExecute(); });

    // Another program may put an image on the clipboard or take it away at any time.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { CommandStatesChanged(); });
}

void MainWindow::EditCommandStates() {
    const ActionTable& a = *m_actions;
    SetAvailable(a.Get("ActEditUndo"), m_editor->Space().Undo().CanUndo());
    SetAvailable(a.Get("ActEditRedo"), m_editor->Space().Undo().CanRedo());
    const bool paste = ClipboardHasDib();
    SetAvailable(a.Get("ActEditPaste"), paste);
    SetAvailable(a.Get("ActEditOptimizePaste"), paste);
    SetAvailable(a.Get("ActEditClearClipboard"), paste);
    const int pen = m_editor->PenNumber();
    for (QAction* action : a.All())
        if (action->objectName().startsWith(QLatin1String("ActPen")))
            action->setChecked(ActionTable::Tag(action) == pen);
}

void MainWindow::SaveSnapshotExecute() {
    const QString path =
        ChooseFile({true,
                    tr(SnapshotFilter),
                    QStringLiteral("bmp"),
                    QString::fromStdString(SnapshotSuggestedName(m_editor->Paths().workFolder)),
                    {}});
    if (!path.isEmpty())
        m_editor->SaveSnapshot(path.toStdString());
}

void MainWindow::LoadSnapshotExecute() {
    const QString path = ChooseFile(
        {false, tr(SnapshotFilter), QStringLiteral("bmp"), QStringLiteral("chr000"), {}});
    if (path.isEmpty())
        return;
    // The core's rule: indices as they are, true colours matched exactly to the display
    // palette (a snapshot an image editor saved in true colour comes back exact), other
    // colours reduced to 256 by the DIB container.
    FilePicture picture;
    std::string error;
    if (!ReadFilePicture(path.toStdString(), picture, error)) {
        // The page is left as it was.
        Message(path + QStringLiteral(":\n") + QString::fromStdString(error));
        return;
    }
    Image8 image;
    PictureIndices(picture, m_editor->Space(), OtherColours::Reduce, image);
    m_editor->LoadSnapshot(image, path.toStdString());
}

// EditorView: the clipboard and the modal dialogs of the edit commands.

bool MainWindow::ClipboardHasDib() {
    return ClipboardBridge::HasDib();
}

std::vector<uint8_t> MainWindow::ClipboardDib() {
    return ClipboardBridge::ReadDib();
}

bool MainWindow::SetClipboardDib(const std::vector<uint8_t>& packedDib) {
    return ClipboardBridge::WriteDib(packedDib);
}

void MainWindow::ClearClipboard() {
    ClipboardBridge::Clear();
}

TColorOptimizeDlg& MainWindow::OptimizeDialog() {
    // Made at its first use, then kept, so its options stay between pastes.
    if (!m_optimizeDialog)
        m_optimizeDialog = new TColorOptimizeDlg(this);
    return *m_optimizeDialog;
}

bool MainWindow::RunColourOptimize(Image8& source, const Image8& destination) {
    TColorOptimizeDlg& dialog = OptimizeDialog();
    dialog.move(pos() + QPoint(50, 50));
    dialog.SetImages(&source, &destination);
    return dialog.exec() == QDialog::Accepted;
}

bool MainWindow::RunReplaceColour(int colourCount, const CPalette& palette,
                                  const uint8_t* groupEntries, std::array<uint8_t, 256>& map) {
    TReplaceColorDialog& dialog = ReplaceDialog();
    dialog.SetColourCount(colourCount);
    dialog.SetMasterColours(palette);
    dialog.Prepare(groupEntries);
    // Its bottom edge on the top of the palette-set panel.
    const QPoint corner = m_datPanel->mapToGlobal(QPoint(0, 0));
    const QRect frame = dialog.frameGeometry();
    dialog.move(corner.x(), corner.y() - frame.height());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    map = dialog.Map();
    return true;
}

TReplaceColorDialog& MainWindow::ReplaceDialog() {
    if (!m_replaceDialog)
        m_replaceDialog = new TReplaceColorDialog(this);
    return *m_replaceDialog;
}

TPalEditDialog& MainWindow::PaletteEditor() {
    if (!m_paletteEditor) {
        m_paletteEditor = new TPalEditDialog(this);
    }
    return *m_paletteEditor;
}

void MainWindow::ShowPaletteEditor(int masterIndex) {
    TPalEditDialog& dialog = PaletteEditor();
    Workspace& ws = m_editor->Space();
    // Each colour goes into the workspace, which tells every window showing it.
    dialog.SetPalette(&ws.Palette(), masterIndex,
                      [&ws](int index, Colour colour) { ws.SetMasterColour(index, colour); });
    // Over the lower part of the edit panel, its bottom on the edit view's bottom.
    const QPoint corner = m_editView->mapToGlobal(QPoint(0, m_editView->height()));
    dialog.move(m_editPanel->mapToGlobal(QPoint(0, 0)).x(), corner.y() - 73);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

} // namespace tavrin
