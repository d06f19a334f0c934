#include "gui/option/TFConfigDialog.h"

#include "core/formats/CFormatTable.h"
#include "core/settings/CIniInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace tavrin {
namespace {

using Check = ConfigDialogModel::Check;

class TFConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(formats.LoadPlugins(std::string(TAVRIN_BIN_DIR) + "/plugin-samples/"));
        ASSERT_EQ(formats.Count(), 16);
        dialog.SetSources(settings, formats);
        dialog.SetMessageSink([this](QWidget* owner, const QString& text) {
            EXPECT_EQ(owner, &dialog);
            messages << text;
        });
        dialog.SetUrlOpener([this](const QString& url) {
            urls << url;
            return true;
        });
    }
    void TearDown() override { dialog.hide(); }

    void Show() {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    void ClickLine(int row, bool twice = false) {
        QListWidget* list = dialog.ListBoxPlugins();
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        // The view takes a double click only on the line the press before it chose.
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        ASSERT_EQ(list->currentRow(), row);
    }
    QPoint InDialog(QWidget* widget) const { return widget->mapTo(&dialog, QPoint(0, 0)); }

    CIniInfo settings;
    CFormatTable formats;
    TFConfigDialog dialog{3};
    QStringList messages;
    QStringList urls;
};

TEST_F(TFConfigDialogTest, ControlsStandWhereTheyBelongWithTheirCaptionsAndHints) {
    Show();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("設定"));
    EXPECT_EQ(dialog.size(), QSize(592, 433));
    QTabWidget* pages = dialog.PageControl();
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Main"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("Plug-in"));
    EXPECT_EQ(pages->currentIndex(), 0);

    QComboBox* wheel = dialog.ComboBoxWheelAddress();
    QStringList items;
    for (int i = 0; i < wheel->count(); ++i)
        items << wheel->itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("Windws default : 3"), "1", "2", "4", "8", "16"}));
    EXPECT_EQ(wheel->geometry().topLeft(), QPoint(160, 24));
    // At least its width of 129, and as wide as its longest entry.
    EXPECT_EQ(wheel->width(), std::max(129, wheel->sizeHint().width()));

    const struct {
        Check check;
        const char* name;
        const char* caption;
        const char* hint;
        int width;
    } rows[] = {
        {ConfigDialogModel::AddressInTitle, "CheckBoxAddressInTitle",
         "ウィンドウタイトルにアドレスを表示する", "Display the address in the window title", 305},
        {ConfigDialogModel::AutoFormat, "CheckBoxAutoFormat",
         "ファイルを開く時に、画像形式を自動で選択する",
         "Auto select graphic format, when file was open", 305},
        {ConfigDialogModel::AutoPalette, "CheckBoxAutoPalette",
         "画像形式選択時に、自動でパレット表示を切り替える",
         "Auto palette switching, when format was changed", 305},
        {ConfigDialogModel::PopupMenu, "CheckBoxPopupMenu",
         "右クリック時にポップアップメニューを使用する",
         "Use popup menu when clicking right mouse button", 305},
        {ConfigDialogModel::SaveSmallSize, "CheckBoxSaveSmallSize",
         "1画面より小さな画像を元のファイルサイズで保存する "
         "(チェックしない場合1画面サイズまで拡張)",
         "", 545},
        {ConfigDialogModel::SavePosition, "CheckBoxSavePosition", "ウィンドウの位置を保存する",
         "Save window position.", 305},
    };
    int y = 56;
    for (const auto& row : rows) {
        QCheckBox* box = dialog.CheckBox(row.check);
        EXPECT_EQ(box->objectName(), QString::fromLatin1(row.name));
        EXPECT_EQ(box->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(box->toolTip(), QString::fromUtf8(row.hint));
        EXPECT_EQ(box->geometry().topLeft(), QPoint(24, y)) << row.name;
        // At least its own width, and as wide as its caption.
        EXPECT_EQ(box->width(), std::max(row.width, box->sizeHint().width())) << row.name;
        y += 24;
    }
    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    const auto labelAt = [&labels](const char* text) {
        for (QLabel* label : labels)
            if (label->text() == QString::fromUtf8(text))
                return label->geometry().topLeft();
        return QPoint(-1, -1);
    };
    EXPECT_EQ(labelAt("マウスホイールの移動量:"), QPoint(24, 28));
    EXPECT_EQ(labelAt("対応拡張子:"), QPoint(16, 20));
    EXPECT_EQ(labelAt("Plug-in:"), QPoint(16, 48));

    EXPECT_EQ(dialog.EditExtension()->geometry().topLeft(), QPoint(112, 16));
    EXPECT_EQ(dialog.EditExtension()->width(), 449);
    EXPECT_TRUE(dialog.EditExtension()->isReadOnly());
    EXPECT_EQ(dialog.ListBoxPlugins()->geometry(), QRect(112, 48, 449, 281));
    EXPECT_EQ(dialog.ButtonPluginInfo()->geometry(), QRect(400, 336, 75, 25));
    EXPECT_EQ(dialog.ButtonOpenURL()->geometry(), QRect(488, 336, 75, 25));
    EXPECT_EQ(dialog.ButtonPluginInfo()->text(), QStringLiteral("Plugin info"));
    EXPECT_EQ(dialog.ButtonOpenURL()->text(), QStringLiteral("Open URL"));

    EXPECT_EQ(InDialog(dialog.ButtonOK()), QPoint(416, 400 + 6));
    EXPECT_EQ(InDialog(dialog.ButtonCancel()), QPoint(504, 400 + 6));
    EXPECT_EQ(dialog.ButtonOK()->size(), QSize(75, 22));
    EXPECT_EQ(dialog.ButtonOK()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.ButtonCancel()->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(dialog.ButtonOK()->isDefault());
}

TEST_F(TFConfigDialogTest, OkStoresTheControlsAndCancelNothing) {
    settings.WheelCount = 8;
    settings.UsePopupMenu = true;
    Show();
    EXPECT_EQ(dialog.ComboBoxWheelAddress()->currentText(), QStringLiteral("8"));
    EXPECT_TRUE(dialog.CheckBox(ConfigDialogModel::PopupMenu)->isChecked());
    EXPECT_TRUE(dialog.CheckBox(ConfigDialogModel::AddressInTitle)->isChecked());
    EXPECT_FALSE(dialog.CheckBox(ConfigDialogModel::SavePosition)->isChecked());

    // Cancel after changes keeps every setting.
    dialog.ComboBoxWheelAddress()->setCurrentIndex(5);
    for (int i = 0; i < ConfigDialogModel::CheckCount; ++i)
        dialog.CheckBox(static_cast<Check>(i))->click();
    QTest::mouseClick(dialog.ButtonCancel(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.WheelCount, 8);
    EXPECT_TRUE(settings.UsePopupMenu);
    EXPECT_TRUE(settings.DispTitleAddr);
    EXPECT_FALSE(settings.SavePosition);

    // The next showing starts from the settings again; the first item and OK store 0.
    Show();
    EXPECT_EQ(dialog.ComboBoxWheelAddress()->currentIndex(), 4);
    EXPECT_TRUE(dialog.CheckBox(ConfigDialogModel::PopupMenu)->isChecked());
    dialog.ComboBoxWheelAddress()->setCurrentIndex(0);
    dialog.CheckBox(ConfigDialogModel::PopupMenu)->click();
    dialog.CheckBox(ConfigDialogModel::SaveSmallSize)->click();
    QTest::mouseClick(dialog.ButtonOK(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.WheelCount, 0);
    EXPECT_FALSE(settings.UsePopupMenu);
    EXPECT_FALSE(settings.SaveSmallSize);
    EXPECT_TRUE(settings.AutoFormat);

    // A hand-written count no item shows survives OK.
    settings.WheelCount = 3;
    Show();
    EXPECT_EQ(dialog.ComboBoxWheelAddress()->currentIndex(), -1);
    QTest::mouseClick(dialog.ButtonOK(), Qt::LeftButton);
    EXPECT_EQ(settings.WheelCount, 3);
}

TEST_F(TFConfigDialogTest, ThePluginPageListsEveryFormatAndOpensOnlyWebAddresses) {
    Show();
    dialog.PageControl()->setCurrentIndex(1);
    EXPECT_EQ(dialog.EditExtension()->text().toStdString(), formats.ExtensionPatterns());
    EXPECT_TRUE(dialog.EditExtension()->text().contains(QStringLiteral("*.8bpp;")));
    QListWidget* list = dialog.ListBoxPlugins();
    ASSERT_EQ(list->count(), 16);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Ver.3  2BPP NES ( chr,nes,fds,fam ) "));
    EXPECT_EQ(list->item(14)->text(),
              QStringLiteral("Ver.3  8BPP linear ( 8bpp )  by Tavrin project  "
                             "( https://tavrin.example.org/plugins ) "));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(list->item(i)->text().toStdString(), formats.ListLine(i));

    // Nothing chosen: both buttons do nothing.
    EXPECT_FALSE(dialog.ButtonOpenURL()->isEnabled());
    dialog.ButtonPluginInfo()->click();
    EXPECT_TRUE(messages.isEmpty());

    ClickLine(14);
    EXPECT_TRUE(dialog.ButtonOpenURL()->isEnabled());
    QTest::mouseClick(dialog.ButtonOpenURL(), Qt::LeftButton);
    EXPECT_EQ(urls, QStringList{QStringLiteral("https://tavrin.example.org/plugins")});
    QTest::mouseClick(dialog.ButtonPluginInfo(), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Format name           \t: 8BPP linear\n")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Color                 \t: 256\n")));

    // A built-in format's "-" is no address; a double click shows the information too.
    ClickLine(2, true);
    EXPECT_FALSE(dialog.ButtonOpenURL()->isEnabled());
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("Format name           \t: 2BPP GB\n")));

    // Showing again clears the choice.
    dialog.hide();
    Show();
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_FALSE(dialog.ButtonOpenURL()->isEnabled());
    dialog.ButtonPluginInfo()->click();
    dialog.ButtonOpenURL()->click();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(urls.size(), 1);
}

} // namespace
} // namespace tavrin
