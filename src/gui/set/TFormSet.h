#pragma once

#include "core/platform/FailureText.h"
#include "core/set/SetComposer.h"
#include "core/set/SetWorkspaceLink.h"
#include "gui/set/SetFileDialog.h"
#include "qt/ImageBridge.h"

#include <QHash>
#include <QMainWindow>
#include <QPoint>
#include <functional>

class QActionGroup;
class QMenu;
class QToolBar;

namespace tavrin {

class ImagePanel;

// "Set Window": composes an NES screen of 32 x 30 tiles from the tiles the main window shows,
// with palette groups, typed rows and sprites. Every rule is the SetComposer's; the window
// turns actions, keys and the mouse on its three images into composer calls and paints the
// pictures the composer returns. Closing it only hides it; the set data stays.
class TFormSet : public QMainWindow {
    Q_OBJECT
public:
    // The workspace's tile image, in the colours the main window shows it, is the tile
    // source, followed as it changes while the window is shown; mainWindow is the window
    // ActShowTavrin brings forward (and the parent).
    TFormSet(Workspace& workspace, QWidget* mainWindow);

    // The action of that name (ActFileLoadSet ... ActKeySpace); aborts on an unknown name.
    QAction* Action(const QString& name) const;
    const QList<QAction*>& Actions() const { return m_actionList; }
    // The menus "ファイル(&F)", "編集(&E)", "モード(&M)", "表示(&V)".
    const QList<QMenu*>& Menus() const { return m_menus; }
    QToolBar* ToolBar() const { return m_toolBar; }

    const SetComposer& Composer() const { return m_composer; }
    ImagePanel* ImageChr() const { return m_imageChr; }
    ImagePanel* ImageSet() const { return m_imageSet; }
    ImagePanel* ImagePal() const { return m_imagePal; }

    // The file dialogs go through this function, so that tests can answer them.
    using FileChooser = std::function<SetFileDialogAnswer(QWidget*, const SetFileDialogRequest&)>;
    void SetFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    // Message boxes likewise, with the screen position of the box's top left (by default a
    // box with an OK button there).
    using MessageSink = std::function<void(QWidget*, const QString&, QPoint)>;
    void SetMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

protected:
    bool event(QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildLayout();
    void ConnectActions();
    void ConnectPanels();

    // Paints the pictures the composer redrew and sets the check marks from its state.
    void Repaint(const SetRedraw& redraw);
    void SyncChecks();

    SetFileDialogAnswer ChooseFile(const SetFileDialogRequest& request);
    void Message(const QString& text);
    // A file that could not be read or written is named with the reason, in the main
    // window's words; the set data stays as it was.
    void ReportFailure(const FileResult& result, FileAction action);

    void FileLoadSetExecute();
    void FileSaveSetExecute();
    void FileSaveSnapExecute();
    void ViewOpenSprExecute();
    void ViewOpenSpdExecute();
    void ViewSaveSpdExecute();
    void ShowTavrinExecute();

    // The file dialogs open in the folder of its document.
    const Workspace& m_workspace;
    QWidget* m_mainWindow;
    SetComposer m_composer;
    SetWorkspaceLink m_link;

    QHash<QString, QAction*> m_actions;
    QList<QAction*> m_actionList;
    QActionGroup* m_modeGroup = nullptr;
    QList<QMenu*> m_menus;
    QToolBar* m_toolBar = nullptr;
    ImagePanel* m_imageChr = nullptr;
    ImagePanel* m_imageSet = nullptr;
    ImagePanel* m_imagePal = nullptr;
    // The panels' pictures, converted again only where they changed.
    RgbPicture m_chrRgb;
    RgbPicture m_setRgb;
    RgbPicture m_palRgb;

    FileChooser m_fileChooser;
    MessageSink m_messageSink;
};

} // namespace tavrin
