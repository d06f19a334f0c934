#include "support/WindowFixture.h"

#include "core/settings/OptionActions.h"
#include "gui/app/BuildInfo.h"

#include <QRegularExpression>
#include <QUrl>

namespace tavrin::test {
namespace {

class HelpTest : public WindowTest {
protected:
    MainWindow& OpenRecording(bool succeed = true) {
        Open();
        W().SetUrlOpener([this, succeed](const QUrl& url) {
            m_opened << url;
            return succeed;
        });
        return W();
    }
    QList<QUrl> m_opened;
};

TEST_F(HelpTest, F1OpensTheManualBesideTheProgram) {
    WriteFile(QStringLiteral("tavrin.htm"), "<html></html>");
    WriteFile(QStringLiteral("tavrin.txt"), "text");
    OpenRecording();
    Key(Qt::Key_F1);
    EXPECT_EQ(m_opened, QList<QUrl>{QUrl::fromLocalFile(Path(QStringLiteral("tavrin.htm")))});
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(HelpTest, WithoutAHelpFileF1AsksForOneThenOpensTheText) {
    WriteFile(QStringLiteral("tavrin.txt"), "text");
    OpenRecording();
    Key(Qt::Key_F1);
    EXPECT_EQ(m_messages, QStringList{QString::fromUtf8(HelpMissingText)});
    EXPECT_EQ(m_opened, QList<QUrl>{QUrl::fromLocalFile(Path(QStringLiteral("tavrin.txt")))});
    EXPECT_TRUE(m_messages.first().startsWith(
        QString::fromUtf8("■Tavrinのヘルプを作成していただける方を募集しています■\n\nTavrin")));
    EXPECT_TRUE(m_messages.first().endsWith(QString::fromUtf8("開かれます。\n")));

    // Without the text file only the message appears.
    QFile::remove(Path(QStringLiteral("tavrin.txt")));
    Key(Qt::Key_F1);
    EXPECT_EQ(m_messages.size(), 2);
    EXPECT_EQ(m_opened.size(), 1);
}

TEST_F(HelpTest, TheWebCommandsOpenTheirAddressesOrTheManualAndAFailureSaysSo) {
    WriteFile(QStringLiteral("tavrin.htm"), "<html></html>");
    OpenRecording(false);
    const QString manual = Path(QStringLiteral("tavrin.htm"));
    // The addresses are set at build time; empty (the default), the command opens the manual.
    for (const auto& [action, address] : {std::pair{"ActHelpOpenWeb", TAVRIN_BUILD_HOME_URL},
                                          std::pair{"ActHelpOpenBoard", TAVRIN_BUILD_ISSUES_URL}}) {
        m_opened.clear();
        m_messages.clear();
        Action(action)->trigger();
        const QString target = *address != '\0' ? QString::fromUtf8(address) : manual;
        const QUrl url = *address != '\0' ? QUrl(target) : QUrl::fromLocalFile(target);
        EXPECT_EQ(m_opened, QList<QUrl>{url}) << action;
        EXPECT_EQ(m_messages, QStringList{QString::fromUtf8("実行に失敗しました：\n") + target});
    }
}

TEST_F(HelpTest, AboutShowsVersionLicenceAndThanks) {
    Open();
    Action("ActHelpAbout")->trigger();
    ASSERT_EQ(m_messages.size(), 1);
    const QRegularExpression version(QString::fromUtf8("^Tavrin バージョン \\d+\\.\\d+\\.\\d+"));
    EXPECT_TRUE(version.match(m_messages[0]).hasMatch()) << m_messages[0].toStdString();
    EXPECT_TRUE(m_messages[0].contains(QString::fromUtf8("ライセンス: ")));
    EXPECT_TRUE(m_messages[0].contains(QString::fromUtf8("謝辞: ")));
}

} // namespace
} // namespace tavrin::test
