#pragma once

#include "core/editor/Editor.h"
#include "core/editor/EditorView.h"
#include "core/tools/ToolBench.h"
#include "core/tools/ToolRunnerHost.h"
#include "gui/app/FileDialogs.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QSet>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QScrollBar;
class QUrl;

namespace tavrin {

class ActionTable;
class RecoveryKeeper;
class DisplaySettingsPanel;
class ImagePanel;
class MainEventFilter;
class MainMenus;
class MainStatusBar;
class TColorOptimizeDlg;
class TFConfigDialog;
class TPalEditDialog;
class TPatternDialog;
class TToolConfigDialog;
class TFormSet;
class TReplaceColorDialog;
class TJumpDialog;
class TPackedBlockWindow;
class PackedBlockNavigator;
struct FoundBlock;

// The main window: its panels, menus and tool bars around the core Editor, which holds the
// document and every rule. It turns Qt events into Editor calls and the Editor's view calls
// into painting, texts and control states.
class MainWindow : public QMainWindow, private EditorView, private ToolRunnerHost {
    Q_OBJECT
public:
    // paths say where the settings and the standard files are; arguments are the
    // command-line arguments after the program name.
    MainWindow(const AppPaths& paths, const std::vector<std::string>& arguments,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    Editor& GetEditor() { return *m_editor; }
    ToolBench& Tools() { return *m_tools; }
    const ActionTable& Actions() const { return *m_actions; }
    const MainMenus& Menus() const { return *m_menus; }
    DisplaySettingsPanel& DisplayPanel() const { return *m_display; }
    MainStatusBar& Status() const { return *m_status; }
    ImagePanel* ChrView() const { return m_chrView; }
    ImagePanel* EditView() const { return m_editView; }
    ImagePanel* DatView() const { return m_datView; }
    ImagePanel* PalView() const { return m_palView; }
    QScrollBar* ChrScrollBar() const { return m_chrScroll; }
    QScrollBar* DatScrollBar() const { return m_datScroll; }
    QScrollBar* PalScrollBar() const { return m_palScroll; }
    QFrame* DatPanel() const { return m_datPanel; }
    QFrame* PalPanel() const { return m_palPanel; }
    TJumpDialog& JumpDialog() const { return *m_jumpDialog; }
    TColorOptimizeDlg& OptimizeDialog();
    TReplaceColorDialog& ReplaceDialog();
    TPalEditDialog& PaletteEditor();
    TPatternDialog& PatternDialog();
    TToolConfigDialog& ToolConfigDialog();
    TFConfigDialog& ConfigDialog();
    TFormSet& SetWindow() const { return *m_setWindow; }
    PackedBlockNavigator& PackedBlocks() const { return *m_packed; }
    TPackedBlockWindow& PackedBlockWindow() const { return *m_packedWindow; }
    // 0x00BBGGRR, or -1 while the window has the system's colour.
    int WindowColour() const { return m_windowColour; }
    const QString& ApplicationTitle() const { return m_applicationTitle; }
    const QString& LastMessage() const { return m_lastMessage; }
    int BeepCount() const { return m_beeps; }

    // The file dialogs go through this function, so that tests can answer them.
    using FileChooser = std::function<QString(QWidget*, const FileDialogRequest&)>;
    void SetFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    // Message boxes likewise (by default a modal box with an OK button).
    using MessageSink = std::function<void(QWidget*, const QString&)>;
    void SetMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }
    // Documents and web addresses open through this function (by default the desktop's
    // default program); true when it started.
    using UrlOpener = std::function<bool(const QUrl&)>;
    void SetUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }
    // Questions (save the changes? extend the file?) likewise: the sink gets the text and the
    // buttons offered and returns the one chosen (by default a modal box asks).
    using QuestionSink = std::function<QMessageBox::StandardButton(QWidget*, const QString&,
                                                                   QMessageBox::StandardButtons)>;
    void SetQuestionSink(QuestionSink sink) { m_questionSink = std::move(sink); }
    // Asks through the question sink, the box over owner (the window when none); its default
    // button is Cancel when offered, else No.
    QMessageBox::StandardButton Ask(const QString& text, QMessageBox::StandardButtons buttons,
                                    QWidget* owner = nullptr);

    // Prints the time from the given start to the first painted frame (and the resident
    // memory) on stderr; with quitAfter the application quits right after.
    void ReportFirstPaint(QElapsedTimer startClock, bool quitAfter);

    // Writes the recovery file of a document with unsaved changes (a timer does so every 30
    // seconds; the tests call it at once).
    void KeepRecovery();
    // Offers each recovery file an earlier run left: Yes restores the changes, No discards
    // them, Cancel keeps the file for the next start. Runs once the window is there.
    void OfferRecovery();
    // The display controls (format, pattern, rotation, mirror...) show the Editor's settings
    // again, after a move that set them from elsewhere.
    void SyncDisplayControls();

    // No menu of tool bars to hide: the window's bars are fixed.
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    // Unsaved changes are offered for saving first; Cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpRecovery(const std::string& folder);
    // Removes the recovery file once the document has no unsaved changes.
    void ForgetRecoveryIfSaved();
    // EditorView.
    void RepaintTileView() override;
    void RepaintEditView() override;
    void RepaintDatView() override;
    void RepaintPalView() override;
    void DisplayPaletteChanged() override;
    void SetCaption(const std::string& caption) override;
    void SetApplicationTitle(const std::string& title) override;
    void SetStatusText(StatusPanel panel, const std::string& text) override;
    void SetMouseHints(const std::string& left, const std::string& right) override;
    void SetToolTip(HintTarget target, const std::string& text) override;
    void SetScrollRange(ScrollBarId bar, const ScrollRange& range) override;
    void SetScrollPosition(ScrollBarId bar, int position) override;
    void CommandStatesChanged() override;
    void LayoutChanged() override;
    void SetFormatList(const std::vector<std::string>& names) override;
    void SetFormatIndex(int index) override;
    void SetPatternList(const std::vector<std::string>& names) override;
    void SetPatternIndex(int index) override;
    void ShowMessage(const std::string& text) override;
    void ReportFailure(const FileResult& result, FileAction action) override;
    SaveAnswer AskSaveChanges() override;
    bool AskDiscardChanges() override;
    ExtendAnswer AskExtendFile() override;
    std::optional<PaletteDestination> AskPaletteDestination(bool reading) override;
    void Beep() override;
    void FocusPanel(Panel panel) override;
    void ShowPopupMenu(int x, int y) override;
    void ShowPaletteEditor(int masterIndex) override;
    bool ClipboardHasDib() override;
    std::vector<uint8_t> ClipboardDib() override;
    bool SetClipboardDib(const std::vector<uint8_t>& packedDib) override;
    void ClearClipboard() override;
    bool RunColourOptimize(Image8& source, const Image8& destination) override;
    bool RunReplaceColour(int colourCount, const CPalette& palette, const uint8_t* groupEntries,
                          std::array<uint8_t, 256>& map) override;

    // Building (MainWindowLayout.cpp).
    void BuildLayout();
    void ApplyPaletteLayout(bool paletteOnly);
    QScrollBar* ScrollBarOf(ScrollBarId bar) const;

    // Commands (MainWindowCommands.cpp).
    void ConnectActions();
    void ConnectControls();
    void SetAvailable(QAction* action, bool enabled);
    QString ChooseFile(const FileDialogRequest& request);
    void Message(const QString& text);
    void FileOpenExecute();
    void FileSaveAsExecute();
    void AddrInputExecute();
    void FormatInfoClick();

    // Pens, Edit menu, clipboard, snapshots (MainWindowEdit.cpp).
    void ConnectEditActions();
    void EditCommandStates();
    void SaveSnapshotExecute();
    void LoadSnapshotExecute();

    // The pattern dialog and the save-state import (MainWindowPatterns.cpp).
    void ButtonSimpleAdfDlgClick();
    void PaletteLoadStateExecute();

    // External tools and the window colour (MainWindowTools.cpp).
    void ConnectToolActions();
    // The tool menu's captions and visibility, when the tools have new ones to apply.
    void ToolCommandStates();
    void ToolExecuteFileExecute();
    void ToolConfigExecute();
    void ToolFormColorExecute();
    // Sets the window's background: 0x00BBGGRR, or -1 for the system's colour.
    void ApplyWindowColour(int colour);
    // ToolRunnerHost.
    bool StartDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;
    void WaitForTool(const std::string& text) override;

    // The help actions (MainWindowHelp.cpp).
    void ConnectHelpActions();
    // The palette files of other formats (MainWindowPaletteFiles.cpp).
    void ConnectPaletteFileActions();
    // Opens a document or address with the desktop's default program; on failure the
    // message "実行に失敗しました：" and the target.
    bool ShellOpen(const QUrl& url, const QString& target);
    void HelpIndexExecute();
    void HelpOpenAddress(const QString& address);
    void HelpAboutExecute();

    // The settings dialog (MainWindowOptions.cpp).
    void ConnectOptionActions();
    void OptionConfigExecute();

    // The set window, created at start and shown by ActToolFormSet (MainWindowSet.cpp).
    void ConnectSetWindow();

    // Packed blocks: find next, the list window, the questions of a save that must move the
    // block (MainWindowPacked.cpp).
    void ConnectPackedBlocks();
    void FindNextPackedExecute();
    void OpenPackedBlock(const FoundBlock& block);
    void ShowPackedLabel();

    // Mouse (MainWindowMouse.cpp).
    void ConnectPanel(ImagePanel* panel, Panel which);
    void PanelPressed(Panel which, Qt::MouseButton button, QPoint pos);
    void PanelMoved(Panel which, QPoint pos);
    QPoint TrackedPosition(const QPointF& globalPos) const;
    void PanelReleased(Panel which, Qt::MouseButton button, QPoint pos);
    void WheelNotch(int direction, QPoint globalPos);
    ImagePanel* PanelWidget(Panel which) const;

    std::unique_ptr<ActionTable> m_actions;
    std::unique_ptr<MainMenus> m_menus;
    DisplaySettingsPanel* m_display = nullptr;
    MainStatusBar* m_status = nullptr;
    QFrame* m_chrPanel = nullptr;
    QFrame* m_editPanel = nullptr;
    QFrame* m_datPanel = nullptr;
    QFrame* m_palPanel = nullptr;
    ImagePanel* m_chrView = nullptr;
    ImagePanel* m_editView = nullptr;
    ImagePanel* m_datView = nullptr;
    ImagePanel* m_palView = nullptr;
    QScrollBar* m_chrScroll = nullptr;
    QScrollBar* m_datScroll = nullptr;
    QScrollBar* m_palScroll = nullptr;
    TJumpDialog* m_jumpDialog = nullptr;
    TColorOptimizeDlg* m_optimizeDialog = nullptr;
    TReplaceColorDialog* m_replaceDialog = nullptr;
    TPalEditDialog* m_paletteEditor = nullptr;
    TPatternDialog* m_patternDialog = nullptr;
    // What the pattern dialog edits: a copy that goes back into the workspace when it closes.
    CAdfPattern m_editedPatterns;
    TToolConfigDialog* m_toolDialog = nullptr;
    TFConfigDialog* m_configDialog = nullptr;
    MainEventFilter* m_eventFilter = nullptr;
    // The shared state outlives the editor that works on it.
    std::unique_ptr<Workspace> m_workspace;
    // The window's settings, kept by the window; the Editor works on them and outlives
    // nothing of them.
    CIniInfo m_settings;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<ToolBench> m_tools;
    std::unique_ptr<RecoveryKeeper> m_recovery;
    // Goes before the editor whose tiles it shows.
    std::unique_ptr<TFormSet> m_setWindow;
    std::unique_ptr<PackedBlockNavigator> m_packed;
    TPackedBlockWindow* m_packedWindow = nullptr;
    QLabel* m_packedLabel = nullptr;

    // Actions whose commands are not part of the program yet stay disabled.
    QSet<QAction*> m_unavailable;
    QString m_applicationTitle = QStringLiteral("Tavrin");
    QString m_lastMessage;
    // Messages of the start-up, shown once the event loop runs.
    bool m_starting = true;
    QStringList m_startMessages;
    int m_beeps = 0;
    int m_windowColour = -1; // 0x00BBGGRR; -1 the system colour, below -1 another one
    int m_initialHeight = 0;
    int m_scrollBarExtent = 16;
    bool m_shown = false;

    FileChooser m_fileChooser;
    MessageSink m_messageSink;
    QuestionSink m_questionSink;
    UrlOpener m_urlOpener;

    QElapsedTimer m_startClock;
    bool m_reportFirstPaint = false;
    bool m_quitAfterReport = false;
};

} // namespace tavrin
