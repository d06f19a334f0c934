#pragma once

#include "gui/app/FileDialogs.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tavrin {

class CTools;
struct ToolDefinition;

// "外部ツール設定": edits the ten external tools. A line of the list shows its tool in the
// controls; "保存(&S)" stores them into that tool and writes all ten to the settings file;
// "元に戻す(&U)" (also Esc) reads them back from the file. "閉じる(&C)" closes with OK, the
// close box without.
class TToolConfigDialog : public QDialog {
    Q_OBJECT
public:
    explicit TToolConfigDialog(CTools& tools, QWidget* parent = nullptr);

    using FileChooser = std::function<QString(QWidget*, const FileDialogRequest&)>;
    using MessageSink = std::function<void(QWidget*, const QString&)>;
    // Tests answer the file dialog and see the messages; by default the real dialogs show.
    void SetFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    void SetMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

    // Places the dialog centred over owner (its left: owner's left + half the owner's width
    // - half the dialog's width; its top likewise).
    void CentreOver(const QWidget* owner);

    // The read-only help text, line by line.
    static QStringList HelpLines();

    QListWidget* ListBoxTool() const { return m_list; }
    QGroupBox* GroupDefinition() const { return m_group; }
    QLineEdit* EditName() const { return m_editName; }
    QCheckBox* CheckEnabled() const { return m_checkEnabled; }
    QLineEdit* EditCommand() const { return m_editCommand; }
    QPushButton* Button1() const { return m_browse; }
    QPlainTextEdit* MemoHelp() const { return m_help; }
    QCheckBox* CheckSaveFile() const { return m_checkSaveFile; }
    QCheckBox* CheckLoadFile() const { return m_checkLoadFile; }
    QCheckBox* CheckSaveTemp() const { return m_checkSaveTemp; }
    QCheckBox* CheckLoadTemp() const { return m_checkLoadTemp; }
    QPushButton* ButtonSave() const { return m_save; }
    QPushButton* ButtonUndo() const { return m_undo; }
    QPushButton* ButtonClose() const { return m_close; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RebuildList(int select);
    void ShowTool(int index);
    ToolDefinition ControlsTool() const;
    void ButtonSaveClick();
    void ButtonUndoClick();
    void Button1Click();
    void Message(const QString& text);

    CTools& m_tools;
    FileChooser m_fileChooser;
    MessageSink m_messageSink;

    QListWidget* m_list;
    QGroupBox* m_group;
    QLineEdit* m_editName;
    QCheckBox* m_checkEnabled;
    QLineEdit* m_editCommand;
    QPushButton* m_browse;
    QPlainTextEdit* m_help;
    QCheckBox* m_checkSaveFile;
    QCheckBox* m_checkLoadFile;
    QCheckBox* m_checkSaveTemp;
    QCheckBox* m_checkLoadTemp;
    QPushButton* m_save;
    QPushButton* m_undo;
    QPushButton* m_close;
};

} // namespace tavrin
