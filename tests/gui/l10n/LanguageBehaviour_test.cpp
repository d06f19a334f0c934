#include "support/WindowFixture.h"

#include "gui/app/Translations.h"
#include "gui/views/ImagePanel.h"

#include <QMenuBar>

// The language changes the texts and nothing else: the same keys and mouse strokes give the
// same bytes in Japanese and in English.

namespace tavrin::test {
namespace {

class LanguageBehaviour : public WindowTest {
protected:
    void TearDown() override {
        WindowTest::TearDown();
        InstallLanguage("ja");
    }

    void Stroke(QPoint from, QPoint to) {
        Press(W().EditView(), Qt::LeftButton, from);
        Move(W().EditView(), (from + to) / 2);
        Move(W().EditView(), to);
        Release(W().EditView(), Qt::LeftButton, to);
    }

    // Opens a fresh copy of the same file in the language, runs the story and saves.
    QByteArray Story(const char* language, QString& fileMenu) {
        EXPECT_TRUE(InstallLanguage(language));
        const QString name = QStringLiteral("story_%1.chr").arg(QLatin1String(language));
        WriteFile(name, RandomBytes(32768, 7));
        Open({StdPath(name)});
        fileMenu = W().menuBar()->actions().value(0)->text();
        Key(Qt::Key_PageDown);
        Key(Qt::Key_Right);
        Key(Qt::Key_V);
        Key(Qt::Key_C);
        Key(Qt::Key_3); // line
        Stroke(QPoint(10, 20), QPoint(200, 150));
        Key(Qt::Key_Up, Qt::ControlModifier); // mirror
        Key(Qt::Key_2, Qt::ControlModifier);  // format 2
        Key(Qt::Key_4);                       // filled rectangle
        Stroke(QPoint(40, 40), QPoint(120, 90));
        Key(Qt::Key_Right, Qt::ShiftModifier);
        Key(Qt::Key_1);
        Press(W().ChrView(), Qt::LeftButton, QPoint(100, 60));
        Release(W().ChrView(), Qt::LeftButton, QPoint(100, 60));
        Stroke(QPoint(5, 5), QPoint(250, 9));
        Key(Qt::Key_Z, Qt::ControlModifier); // undo, redo
        Key(Qt::Key_Y, Qt::ControlModifier);
        Key(Qt::Key_S, Qt::ControlModifier);
        CloseWindow();
        return ReadFile(name);
    }
};

TEST_F(LanguageBehaviour, TheSameStoryGivesTheSameBytesInBothLanguages) {
    QString japaneseMenu, englishMenu;
    const QByteArray japanese = Story("ja", japaneseMenu);
    const QByteArray english = Story("en", englishMenu);
    EXPECT_EQ(japaneseMenu, QString::fromUtf8("ファイル(&F)"));
    EXPECT_EQ(englishMenu, QStringLiteral("&File"));
    ASSERT_EQ(japanese.size(), 32768);
    EXPECT_NE(japanese, RandomBytes(32768, 7)); // the story changed the file
    EXPECT_TRUE(japanese == english) << "the English window wrote other bytes";
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace tavrin::test
