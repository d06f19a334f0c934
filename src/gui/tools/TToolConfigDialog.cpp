#include "gui/tools/TToolConfigDialog.h"

#include "core/platform/FailureText.h"
#include "core/platform/FileIO.h"
#include "core/tools/CTools.h"
#include "core/tools/ToolCommandLine.h"
#include "gui/views/DialogControls.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tavrin {

namespace {

constexpr DialogControls Ui("tavrin::TToolConfigDialog");

constexpr int DialogWidth = 616;
constexpr int DialogHeight = 453;
constexpr int ButtonWidth = 88;
constexpr int ButtonHeight = 25;

} // namespace

TToolConfigDialog::TToolConfigDialog(CTools& tools, QWidget* parent)
    : QDialog(parent), m_tools(tools) {
    setObjectName(QStringLiteral("ToolConfigDialog"));
    setWindowTitle(Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "外部ツール設定")));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(DialogWidth, DialogHeight);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBoxTool"));
    m_list->setGeometry(8, 8, 128, 404);

    m_group = new QGroupBox(Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "ツールの定義")),
                            this);
    m_group->setObjectName(QStringLiteral("GroupDefinition"));
    m_group->setGeometry(144, 4, 464, 408);

    Ui.Label(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "名称:"), m_group, 12, 24);
    m_editName = new QLineEdit(m_group);
    m_editName->setObjectName(QStringLiteral("EditName"));
    m_editName->setGeometry(84, 20, 240, 22);
    m_checkEnabled =
        Ui.Check("CheckEnabled", QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "有効"), m_group,
                 QRect(340, 21, 100, 20));

    Ui.Label(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "コマンドライン:"), m_group, 12, 50);
    m_editCommand = new QLineEdit(m_group);
    m_editCommand->setObjectName(QStringLiteral("EditCommand"));
    m_editCommand->setGeometry(12, 68, 360, 22);
    m_browse = Ui.Button("Button1", QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "参照..."),
                         m_group, QRect(380, 67, 72, 24));

    m_help = new QPlainTextEdit(m_group);
    m_help->setObjectName(QStringLiteral("MemoHelp"));
    m_help->setGeometry(12, 98, 440, 172);
    m_help->setReadOnly(true);
    m_help->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_help->setPlainText(HelpLines().join(QLatin1Char('\n')));

    Ui.Label(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "動作設定:"), m_group, 12, 276);
    m_checkSaveFile = Ui.Check(
        "CheckSaveFile",
        QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "ツール実行前にファイル(%FILE)を保存する"),
        m_group, QRect(20, 294, 432, 18));
    m_checkLoadFile = Ui.Check(
        "CheckLoadFile",
        QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "ツール実行後にファイル(%FILE)を読み込む"),
        m_group, QRect(20, 312, 432, 18));
    m_checkSaveTemp =
        Ui.Check("CheckSaveTemp",
                 QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog",
                                   "ツール実行前に表示中の画像からテンポラリ画像(%TEMP)を作成する"),
                 m_group, QRect(20, 330, 432, 18));
    m_checkLoadTemp =
        Ui.Check("CheckLoadTemp",
                 QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog",
                                   "ツール実行後にテンポラリ画像(%TEMP)を表示中の位置に貼り付ける"),
                 m_group, QRect(20, 348, 432, 18));

    m_save = Ui.Button("ButtonSave", QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "保存(&S)"),
                       m_group, QRect(268, 372, ButtonWidth, ButtonHeight));
    m_undo = Ui.Button("ButtonUndo", QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "元に戻す(&U)"),
                       m_group, QRect(364, 372, ButtonWidth, ButtonHeight));
    m_close = Ui.Button("ButtonClose", QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "閉じる(&C)"),
                        this, QRect(DialogWidth - 8 - ButtonWidth, 420, ButtonWidth, ButtonHeight));

    connect(m_list, &QListWidget::currentRowChanged, this, &TToolConfigDialog::ShowTool);
    // A click on the line already selected also drops the edits not saved.
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowTool(m_list->row(item)); });
    connect(m_save, &QPushButton::clicked, this, &TToolConfigDialog::ButtonSaveClick);
    connect(m_undo, &QPushButton::clicked, this, &TToolConfigDialog::ButtonUndoClick);
    connect(m_browse, &QPushButton::clicked, this, &TToolConfigDialog::Button1Click);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

QStringList TToolConfigDialog::HelpLines() {
    return {
        Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "[パラメータ]")),
        Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "%FILE : 開いているファイル名")),
        Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog",
                                  "%TEMP : テンポラリ画像ファイル名(表示中の128x128の画像)")),
        Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog",
                                  "%EXEPATH : Tavrinのプログラムのあるパス")),
        QString(),
        Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "コマンドライン例:")),
        Ui.Text("\"/usr/bin/gimp\" %TEMP"),
        QString(),
        Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog",
                                  "※実行ファイル名は短いパスであっても\"\"で括って下さい。")),
        Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog",
                                  "※ツール実行中はTavrinには終了待ちダイアログが出ます。")),
        Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog",
                                  "　　ツール側でデータを保存した後にOKボタンを押してください。")),
    };
}

void TToolConfigDialog::CentreOver(const QWidget* owner) {
    if (!owner)
        return;
    const QRect o = owner->frameGeometry();
    move(o.left() + o.width() / 2 - width() / 2, o.top() + o.height() / 2 - height() / 2);
}

void TToolConfigDialog::showEvent(QShowEvent* event) {
    RebuildList(0);
    ShowTool(0);
    QDialog::showEvent(event);
}

void TToolConfigDialog::keyPressEvent(QKeyEvent* event) {
    // Esc reads the tools back, as the undo button does; only the close box and "閉じる"
    // close the dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_undo->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TToolConfigDialog::RebuildList(int select) {
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (int i = 0; i < CTools::Count; ++i) {
        const std::string& name = m_tools.GetTool(i).Name;
        m_list->addItem(name.empty()
                            ? Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "未定義"))
                            : QString::fromStdString(name));
    }
    m_list->setCurrentRow(select);
}

void TToolConfigDialog::ShowTool(int index) {
    if (!CTools::IsValidIndex(index))
        return;
    const ToolDefinition& tool = m_tools.GetTool(index);
    m_editName->setText(QString::fromStdString(tool.Name));
    m_checkEnabled->setChecked(tool.Enabled);
    m_editCommand->setText(QString::fromStdString(tool.Command));
    m_checkSaveFile->setChecked(tool.SaveFile);
    m_checkLoadFile->setChecked(tool.LoadFile);
    m_checkSaveTemp->setChecked(tool.SaveTemp);
    m_checkLoadTemp->setChecked(tool.LoadTemp);
}

ToolDefinition TToolConfigDialog::ControlsTool() const {
    ToolDefinition tool;
    tool.Name = m_editName->text().toStdString();
    tool.Command = m_editCommand->text().toStdString();
    tool.Enabled = m_checkEnabled->isChecked();
    tool.SaveFile = m_checkSaveFile->isChecked();
    tool.LoadFile = m_checkLoadFile->isChecked();
    tool.SaveTemp = m_checkSaveTemp->isChecked();
    tool.LoadTemp = m_checkLoadTemp->isChecked();
    return tool;
}

void TToolConfigDialog::ButtonSaveClick() {
    const int row = m_list->currentRow();
    if (!CTools::IsValidIndex(row))
        return;
    m_tools.SetTool(row, ControlsTool());
    const FileResult saved = m_tools.Save();
    RebuildList(row);
    // The tools keep the edit either way; the user hears that the file does not, and why.
    if (!saved)
        Message(Ui.Text(QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog",
                                          "設定の保存に失敗しました：\n")) +
                QString::fromStdString(FailureMessage(saved, FileAction::Save)));
}

void TToolConfigDialog::ButtonUndoClick() {
    const int row = m_list->currentRow();
    if (const FileResult read = m_tools.Load(); !read)
        Message(QString::fromStdString(FailureMessage(read, FileAction::Open)));
    RebuildList(row);
    ShowTool(row);
}

void TToolConfigDialog::Button1Click() {
    FileDialogRequest request;
    // Programs here have no extension of their own, so both entries show every file.
    request.filter = Ui.Text(
        QT_TRANSLATE_NOOP("tavrin::TToolConfigDialog", "実行形式ファイル|*|全てのファイル|*"));
    const QString path =
        m_fileChooser ? m_fileChooser(this, request) : RunFileDialog(this, request);
    if (path.isEmpty())
        return;
    m_editCommand->setText(QString::fromStdString(QuoteForToolCommandLine(path.toStdString())));
    if (m_editName->text().isEmpty())
        m_editName->setText(QString::fromStdString(FileNamePart(path.toStdString())));
}

void TToolConfigDialog::Message(const QString& text) {
    if (m_messageSink) {
        m_messageSink(this, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

} // namespace tavrin
