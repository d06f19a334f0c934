#include "gui/app/MainWindow.h"

#include "gui/app/DisplaySettingsPanel.h"
#include "gui/palette/TPatternDialog.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// The pattern dialog behind "編集..." and the palettes of emulator save-states (F12).

namespace tavrin {

namespace {

const char* const StateFilter = QT_TRANSLATE_NOOP(
    "tavrin::MainWindow", "ステートファイル|*.st?;*.zs?;*.sv?;|全てのファイル|*.*");

} // namespace

TPatternDialog& MainWindow::PatternDialog() {
    if (!m_patternDialog) {
        m_patternDialog = new TPatternDialog(this);
        // The full-table message goes where the window's messages go, over the dialog.
        m_patternDialog->SetMessageSink([this](QWidget* owner, const QString& text) {
            m_lastMessage = text;
            if (m_messageSink) {
                m_messageSink(owner, text);
                return;
            }
            QMessageBox box(QMessageBox::NoIcon, m_applicationTitle, text, QMessageBox::Ok, owner);
            box.exec();
        });
    }
    return *m_patternDialog;
}

void MainWindow::ButtonSimpleAdfDlgClick() {
    TPatternDialog& dialog = PatternDialog();
    m_editedPatterns = m_editor->Space().Patterns();
    dialog.SetPatterns(m_editedPatterns);
    const QPushButton* button = m_display->SimpleAdfDlg();
    const QRect buttonRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    dialog.PlaceAbove(buttonRect);
    // Its frame is known only once it is shown; placed again then, its bottom meets the button.
    QTimer::singleShot(0, &dialog, [&dialog, buttonRect] { dialog.PlaceAbove(buttonRect); });
    // The dialog always ends with OK.
    dialog.exec();
    m_editor->PatternDialogClosed(m_editedPatterns);
}

void MainWindow::PaletteLoadStateExecute() {
    const QString path = ChooseFile({false, tr(StateFilter), {}, {}, {}});
    if (!path.isEmpty())
        m_editor->PaletteLoadState(path.toStdString());
}

} // namespace tavrin
