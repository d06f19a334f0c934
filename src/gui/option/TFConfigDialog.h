#pragma once

#include "core/settings/ConfigDialogModel.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace tavrin {

class CFormatTable;
class CIniInfo;

// "設定": the page "Main" edits the wheel count and six behaviour settings, the page
// "Plug-in" lists every format of the table with its header, information and web address.
// OK stores the page "Main" into the settings; Cancel and the close box store nothing. The
// rules are ConfigDialogModel's; this class only shows its State.
class TFConfigDialog : public QDialog {
    Q_OBJECT
public:
    // systemWheelLines: the system's wheel-scroll-lines setting now (FormCreate); the first
    // item of the wheel list keeps showing it.
    explicit TFConfigDialog(int systemWheelLines, QWidget* parent = nullptr);

    // The settings record and the format table the next showing works on. Both must outlive
    // the showing.
    void SetSources(CIniInfo& settings, const CFormatTable& formats);

    // "Plugin info" shows its text through the sink (by default an information box owned by
    // the dialog); "Open URL" opens through the opener, which reports its own failure.
    using MessageSink = std::function<void(QWidget*, const QString&)>;
    using UrlOpener = std::function<bool(const QString&)>;
    void SetMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }
    void SetUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }

    // Places the dialog centred over owner.
    void CentreOver(const QWidget* owner);

    QTabWidget* PageControl() const { return m_pages; }
    QComboBox* ComboBoxWheelAddress() const { return m_wheel; }
    QComboBox* ComboBoxLanguage() const { return m_language; }
    QComboBox* ComboBoxViewScale() const { return m_scale; }
    QCheckBox* CheckBox(ConfigDialogModel::Check check) const {
        return m_checks[static_cast<size_t>(check)];
    }
    QLineEdit* EditExtension() const { return m_extensions; }
    QListWidget* ListBoxPlugins() const { return m_plugins; }
    QPushButton* ButtonPluginInfo() const { return m_pluginInfo; }
    QPushButton* ButtonOpenURL() const { return m_openUrl; }
    QPushButton* ButtonOK() const { return m_ok; }
    QPushButton* ButtonCancel() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildMainPage(QWidget* page);
    void BuildPluginPage(QWidget* page);
    void FormShow();
    ConfigDialogModel::State ShownState() const;
    // The chosen line of the format list, or -1.
    int SelectedRow() const;
    void ButtonOKClick();
    void ListBoxPluginsClick();
    void ButtonPluginInfoClick();
    void ButtonOpenURLClick();

    ConfigDialogModel m_model;
    CIniInfo* m_settings = nullptr;
    const CFormatTable* m_formats = nullptr;
    MessageSink m_messageSink;
    UrlOpener m_urlOpener;

    QTabWidget* m_pages = nullptr;
    QComboBox* m_wheel = nullptr;
    QComboBox* m_language = nullptr;
    QComboBox* m_scale = nullptr;
    std::array<QCheckBox*, ConfigDialogModel::CheckCount> m_checks{};
    QLineEdit* m_extensions = nullptr;
    QListWidget* m_plugins = nullptr;
    QPushButton* m_pluginInfo = nullptr;
    QPushButton* m_openUrl = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tavrin
