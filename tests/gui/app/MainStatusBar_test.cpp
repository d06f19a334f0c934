#include "gui/app/MainStatusBar.h"

#include <QLabel>
#include <QMainWindow>
#include <gtest/gtest.h>

namespace tavrin {
namespace {

QRect InBar(const QWidget* widget, const QWidget* bar) {
    return QRect(widget->mapTo(bar, QPoint(0, 0)), widget->size());
}

// The status bar of a window as wide as the main window.
class MainStatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setFixedWidth(632);
        window.setStatusBar(bar);
        window.show();
    }
    QLabel* Child(const char* name) { return bar->findChild<QLabel*>(QString::fromLatin1(name)); }

    QMainWindow window;
    MainStatusBar* bar = new MainStatusBar;
};

TEST_F(MainStatusBarTest, ThreePanelsSideBySideAcrossTheWindow) {
    EXPECT_EQ(bar->height(), 20);
    EXPECT_EQ(bar->width(), 632);
    const QRect panels[3] = {InBar(Child("StatusPanel0"), bar), InBar(Child("StatusPanel1"), bar),
                             InBar(Child("StatusPanel2"), bar)};
    EXPECT_EQ(panels[0].left(), 0);
    EXPECT_EQ(panels[0].width(), 220);
    EXPECT_EQ(panels[1].left(), 220);
    EXPECT_EQ(panels[1].width(), 160);
    EXPECT_EQ(panels[2].left(), 380);
    EXPECT_EQ(panels[2].width(), 250);
    for (const QRect& panel : panels)
        EXPECT_LE(panel.bottom(), 19);
}

TEST_F(MainStatusBarTest, TheMouseHintPanelLiesOverTheThirdPanel) {
    QWidget* hints = bar->findChild<QWidget*>(QStringLiteral("PanelMouseNavi"));
    ASSERT_NE(hints, nullptr);
    EXPECT_EQ(InBar(hints, bar), QRect(382, 2, 250, 17));
    const QRect left = InBar(Child("LabelMouseLeft"), bar);
    const QRect right = InBar(Child("LabelMouseRight"), bar);
    EXPECT_EQ(left.width(), 105);
    EXPECT_EQ(right.width(), 105);
    EXPECT_LT(left.right(), right.left());
    EXPECT_TRUE(InBar(hints, bar).contains(left));
    EXPECT_TRUE(InBar(hints, bar).contains(right)) << "the right text box is whole";
    // Each text box has its button picture to its left.
    int pictures = 0;
    for (const QLabel* label : hints->findChildren<QLabel*>())
        if (!label->pixmap().isNull()) {
            ++pictures;
            const QRect r = InBar(label, bar);
            EXPECT_TRUE(r.right() < left.left() ||
                        (r.left() > left.right() && r.right() < right.left()));
        }
    EXPECT_EQ(pictures, 2);

    bar->SetHints(QString::fromUtf8("描画：ペン"), QString::fromUtf8("スポイト"));
    EXPECT_EQ(bar->LeftHint(), QString::fromUtf8("描画：ペン"));
    EXPECT_EQ(bar->RightHint(), QString::fromUtf8("スポイト"));
    bar->SetHintsVisible(false);
    EXPECT_FALSE(bar->HintsVisible());
    EXPECT_TRUE(Child("StatusPanel2")->isVisible()) << "the pen panel shows again";
}

TEST_F(MainStatusBarTest, PanelTextsAreKept) {
    bar->SetPanelText(0, QStringLiteral("CHR : 000000 - 000FFF / 002000"));
    bar->SetPanelText(1, QStringLiteral("Pattern : ADF[05] = 05 "));
    bar->SetPanelText(2, QString::fromUtf8("ペン"));
    bar->SetPanelText(3, QStringLiteral("ignored"));
    EXPECT_EQ(bar->PanelText(0), QStringLiteral("CHR : 000000 - 000FFF / 002000"));
    EXPECT_EQ(bar->PanelText(1), QStringLiteral("Pattern : ADF[05] = 05 "));
    EXPECT_EQ(bar->PanelText(2), QString::fromUtf8("ペン"));
    EXPECT_EQ(bar->PanelText(3), QString());
}

TEST_F(MainStatusBarTest, TheAddressUnderTheMouseStandsInForThePageAddresses) {
    bar->SetPanelText(0, QStringLiteral("CHR : 000000 - 000FFF / 002000"));
    bar->SetMouseAddress(QString::fromUtf8("アドレス 001230  タイル 123"));
    EXPECT_EQ(Child("StatusPanel0")->text(), QString::fromUtf8("アドレス 001230  タイル 123"));
    // The page moves meanwhile: its text is kept for when the mouse leaves.
    bar->SetPanelText(0, QStringLiteral("CHR : 001000 - 001FFF / 002000"));
    EXPECT_EQ(Child("StatusPanel0")->text(), QString::fromUtf8("アドレス 001230  タイル 123"));
    EXPECT_EQ(bar->PanelText(0), QStringLiteral("CHR : 001000 - 001FFF / 002000"));
    bar->SetMouseAddress({});
    EXPECT_EQ(Child("StatusPanel0")->text(), QStringLiteral("CHR : 001000 - 001FFF / 002000"));
}

} // namespace
} // namespace tavrin
