#include "gui/option/TFConfigDialog.h"

#include "core/formats/CFormatTable.h"
#include "core/settings/CIniInfo.h"
#include "gui/views/DialogControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>

#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

namespace tavrin {

namespace {

constexpr DialogControls Ui("tavrin::TFConfigDialog");

constexpr int DialogWidth = 592;
constexpr int DialogHeight = 433;
constexpr int BottomHeight = 33;

// The rows of the page "Main": the wheel list at the top, then one row every 24 pixels. The
// rows below the check boxes (y = 200 and 224) are free for further choices.
constexpr int FirstCheckTop = 56;
constexpr int RowStep = 24;
constexpr int CheckHeight = 17;

struct CheckRow {
    const char* name;
    const char* caption;
    const char* hint; // "" for none
    int width;
};

// In the order of ConfigDialogModel::Check.
constexpr std::array<CheckRow, ConfigDialogModel::CheckCount> CheckRows = {{
    {"CheckBoxAddressInTitle",
     QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "ウィンドウタイトルにアドレスを表示する"),
     "Display the address in the window title", 305},
    {"CheckBoxAutoFormat",
     QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "ファイルを開く時に、画像形式を自動で選択する"),
     "Auto select graphic format, when file was open", 305},
    {"CheckBoxAutoPalette",
     QT_TRANSLATE_NOOP("tavrin::TFConfigDialog",
                       "画像形式選択時に、自動でパレット表示を切り替える"),
     "Auto palette switching, when format was changed", 305},
    {"CheckBoxPopupMenu",
     QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "右クリック時にポップアップメニューを使用する"),
     "Use popup menu when clicking right mouse button", 305},
    {"CheckBoxSaveSmallSize",
     QT_TRANSLATE_NOOP("tavrin::TFConfigDialog",
                       "1画面より小さな画像を元のファイルサイズで保存する "
                       "(チェックしない場合1画面サイズまで拡張)"),
     "", 545},
    {"CheckBoxSavePosition",
     QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "ウィンドウの位置を保存する"),
     "Save window position.", 305},
}};

} // namespace

TFConfigDialog::TFConfigDialog(int systemWheelLines, QWidget* parent)
    : QDialog(parent), m_model(systemWheelLines) {
    setObjectName(QStringLiteral("FConfigDialog"));
    setWindowTitle(Ui.Text(QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "設定")));
    // A dialog border with only the system menu's close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(DialogWidth, DialogHeight);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setGeometry(0, 0, DialogWidth, DialogHeight - BottomHeight);
    auto* main = new QWidget;
    main->setObjectName(QStringLiteral("TabSheet1"));
    auto* plugins = new QWidget;
    plugins->setObjectName(QStringLiteral("TabSheet2"));
    m_pages->addTab(main, QStringLiteral("Main"));
    m_pages->addTab(plugins, QStringLiteral("Plug-in"));
    BuildMainPage(main);
    BuildPluginPage(plugins);
    m_pages->setCurrentIndex(0);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("PanelBottom"));
    bottom->setGeometry(0, DialogHeight - BottomHeight, DialogWidth, BottomHeight);
    m_ok = Ui.Button("ButtonOK", "OK", bottom, QRect(416, 6, 75, 22));
    m_ok->setDefault(true);
    m_cancel = Ui.Button("ButtonCancel", "Cancel", bottom, QRect(504, 6, 75, 22));
    // Esc is the cancel button's (QDialog rejects on Esc).
    connect(m_ok, &QPushButton::clicked, this, &TFConfigDialog::ButtonOKClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFConfigDialog::BuildMainPage(QWidget* page) {
    Ui.Label(QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "マウスホイールの移動量:"), page, 24, 28)
        ->setObjectName(QStringLiteral("Label1"));
    m_wheel = new QComboBox(page);
    m_wheel->setObjectName(QStringLiteral("ComboBoxWheelAddress"));
    for (const std::string& item : m_model.WheelItems())
        m_wheel->addItem(QString::fromStdString(item));
    // Wide enough for its longest entry in the window's language ("Windows default : 3").
    m_wheel->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_wheel->setGeometry(160, 24, std::max(129, m_wheel->sizeHint().width()),
                         m_wheel->sizeHint().height());

    for (size_t i = 0; i < CheckRows.size(); ++i) {
        const CheckRow& row = CheckRows[i];
        auto* check = new QCheckBox(Ui.Text(row.caption), page);
        check->setObjectName(QString::fromLatin1(row.name));
        // The caption's own width when it is longer (an English one), up to the page's edge.
        const int width = std::clamp(check->sizeHint().width(), row.width, DialogWidth - 24 - 4);
        check->setGeometry(24, FirstCheckTop + RowStep * static_cast<int>(i), width, CheckHeight);
        if (row.hint[0] != '\0')
            check->setToolTip(QString::fromUtf8(row.hint));
        m_checks[i] = check;
    }

    // The two rows below the check boxes: language and view scale, for the next start.
    const int languageTop = FirstCheckTop + RowStep * static_cast<int>(CheckRows.size()) + 8;
    Ui.Label(QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "言語:"), page, 24, languageTop + 4);
    m_language = new QComboBox(page);
    m_language->setObjectName(QStringLiteral("ComboBoxLanguage"));
    m_language->addItems({Ui.Text(QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "自動")),
                          Ui.Text(QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "日本語")),
                          QStringLiteral("English")});
    m_language->setGeometry(160, languageTop, 129, m_language->sizeHint().height());
    Ui.Label(QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "表示倍率:"), page, 24,
             languageTop + RowStep + 4);
    m_scale = new QComboBox(page);
    m_scale->setObjectName(QStringLiteral("ComboBoxViewScale"));
    for (int value : ConfigDialogModel::ScaleValues())
        m_scale->addItem(value == 0 ? Ui.Text(QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "自動"))
                                    : QStringLiteral("%1 %").arg(value));
    m_scale->setGeometry(160, languageTop + RowStep, 129, m_scale->sizeHint().height());
    QLabel* next = Ui.Label(
        QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "（言語と表示倍率は次回の起動から有効）"), page,
        300, languageTop + RowStep / 2 + 4);
    // Two lines, beside both lists, where the caption is longer than the room beside them.
    const int room = DialogWidth - 300 - 12;
    if (next->width() > room) {
        next->setWordWrap(true);
        next->setFixedWidth(room);
        next->setFixedHeight(next->heightForWidth(room));
        next->move(300, languageTop + 4);
    }
}

void TFConfigDialog::BuildPluginPage(QWidget* page) {
    Ui.Label(QT_TRANSLATE_NOOP("tavrin::TFConfigDialog", "対応拡張子:"), page, 16, 20);
    m_extensions = new QLineEdit(page);
    m_extensions->setObjectName(QStringLiteral("EditExtension"));
    m_extensions->setGeometry(112, 16, 449, m_extensions->sizeHint().height());
    m_extensions->setReadOnly(true);
    // Read-only text on the button face, so it does not look like a field to type in.
    QPalette faced = m_extensions->palette();
    faced.setColor(QPalette::Base, faced.color(QPalette::Button));
    m_extensions->setPalette(faced);

    Ui.Label("Plug-in:", page, 16, 48);
    m_plugins = new QListWidget(page);
    m_plugins->setObjectName(QStringLiteral("ListBoxPlugins"));
    m_plugins->setGeometry(112, 48, 449, 281);
    m_pluginInfo = Ui.Button("ButtonPluginInfo", "Plugin info", page, QRect(400, 336, 75, 25));
    m_openUrl = Ui.Button("ButtonOpenURL", "Open URL", page, QRect(488, 336, 75, 25));

    // Keys move the selection too, so the button follows the selected line however it moved.
    connect(m_plugins, &QListWidget::itemSelectionChanged, this,
            &TFConfigDialog::ListBoxPluginsClick);
    connect(m_plugins, &QListWidget::itemDoubleClicked, this,
            &TFConfigDialog::ButtonPluginInfoClick);
    connect(m_pluginInfo, &QPushButton::clicked, this, &TFConfigDialog::ButtonPluginInfoClick);
    connect(m_openUrl, &QPushButton::clicked, this, &TFConfigDialog::ButtonOpenURLClick);
}

void TFConfigDialog::SetSources(CIniInfo& settings, const CFormatTable& formats) {
    m_settings = &settings;
    m_formats = &formats;
}

void TFConfigDialog::CentreOver(const QWidget* owner) {
    if (!owner)
        return;
    const QRect o = owner->frameGeometry();
    move(o.left() + o.width() / 2 - width() / 2, o.top() + o.height() / 2 - height() / 2);
}

void TFConfigDialog::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFConfigDialog::FormShow() {
    if (!m_settings || !m_formats)
        return;
    const ConfigDialogModel::State state = m_model.Load(*m_settings);
    m_wheel->setCurrentIndex(state.wheelIndex);
    m_extensions->setText(QString::fromStdString(m_formats->ExtensionPatterns()));

    {
        const QSignalBlocker blocker(m_plugins);
        m_plugins->clear();
        for (const std::string& line : ConfigDialogModel::FormatLines(*m_formats))
            m_plugins->addItem(QString::fromStdString(line));
        m_plugins->setCurrentRow(-1);
    }
    m_openUrl->setEnabled(false);

    for (size_t i = 0; i < m_checks.size(); ++i)
        m_checks[i]->setChecked(state.checks[i]);
    m_language->setCurrentIndex(state.languageIndex);
    m_scale->setCurrentIndex(state.scaleIndex);
}

ConfigDialogModel::State TFConfigDialog::ShownState() const {
    ConfigDialogModel::State state;
    state.wheelIndex = m_wheel->currentIndex();
    for (size_t i = 0; i < m_checks.size(); ++i)
        state.checks[i] = m_checks[i]->isChecked();
    state.languageIndex = m_language->currentIndex();
    state.scaleIndex = m_scale->currentIndex();
    return state;
}

void TFConfigDialog::ButtonOKClick() {
    if (m_settings)
        m_model.Store(ShownState(), *m_settings);
    accept();
}

int TFConfigDialog::SelectedRow() const {
    // A list that gets the focus has a current line without choosing it.
    const QListWidgetItem* item = m_plugins->currentItem();
    return item != nullptr && item->isSelected() ? m_plugins->row(item) : -1;
}

void TFConfigDialog::ListBoxPluginsClick() {
    const int row = SelectedRow();
    m_openUrl->setEnabled(m_formats && row >= 0 &&
                          !ConfigDialogModel::WebAddress(*m_formats, row).empty());
}

void TFConfigDialog::ButtonPluginInfoClick() {
    const int row = SelectedRow();
    if (!m_formats || row < 0)
        return;
    const QString text = QString::fromStdString(ConfigDialogModel::InfoText(*m_formats, row));
    if (m_messageSink) {
        m_messageSink(this, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tavrin"), text, QMessageBox::Ok,
                    this);
    box.exec();
}

void TFConfigDialog::ButtonOpenURLClick() {
    const int row = SelectedRow();
    if (!m_formats || row < 0)
        return;
    const std::string url = ConfigDialogModel::WebAddress(*m_formats, row);
    if (!url.empty() && m_urlOpener)
        m_urlOpener(QString::fromStdString(url));
}

} // namespace tavrin
