#include "support/WindowFixture.h"

#include "core/document/RecoveryFile.h"

#include <QDir>
#include <QTest>

namespace tavrin::test {
namespace {

class RecoveryTest : public WindowTest {
protected:
    QByteArray DocumentBytes() {
        const RomDocument& doc = W().GetEditor().Space().Document();
        return QByteArray(reinterpret_cast<const char*>(doc.Data()), doc.DataSize());
    }
    QStringList RecoveryFiles() const {
        return QDir(Path(QStringLiteral("recovery")))
            .entryList({QStringLiteral("recovery-*.bin")}, QDir::Files);
    }
};

TEST_F(RecoveryTest, ChangesOfAKilledWindowComeBackAfterYesAndNoOrCancelDecide) {
    const QByteArray bytes = RandomBytes(0x4000, 5);
    const QString rom = WriteFile(QStringLiteral("game.chr"), bytes);
    const struct {
        QMessageBox::StandardButton answer;
        bool restored;
        bool fileKept;
    } cases[] = {{QMessageBox::Cancel, false, true},
                 {QMessageBox::No, false, false},
                 {QMessageBox::Yes, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        Open({rom.toStdString()});
        Key(Qt::Key_Delete);
        const QByteArray changed = DocumentBytes();
        ASSERT_NE(changed, bytes);
        W().KeepRecovery();
        ASSERT_EQ(RecoveryFiles().size(), 1);
        // Killed: no close, no save.
        CloseWindow();
        EXPECT_EQ(ReadFile(QStringLiteral("game.chr")), bytes);

        m_nextAnswer = c.answer;
        m_questions.clear();
        Open();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !m_questions.isEmpty(); }, 2000));
        ASSERT_EQ(m_questions.size(), 1);
        EXPECT_TRUE(m_questions[0].contains(rom)) << m_questions[0].toStdString();
        EXPECT_EQ(W().GetEditor().Space().Document().FilePath() == rom.toStdString(), c.restored);
        if (c.restored) {
            EXPECT_EQ(DocumentBytes(), changed);
            EXPECT_TRUE(W().windowTitle().endsWith(QStringLiteral(" *")));
        }
        EXPECT_EQ(RecoveryFiles().size(), c.fileKept ? 1 : 0);
        EXPECT_EQ(ReadFile(QStringLiteral("game.chr")), bytes) << "nothing is saved unasked";
    }
    // A save removes the file at once; so does a normal close.
    Action("ActFileSave")->trigger();
    EXPECT_EQ(ReadFile(QStringLiteral("game.chr")), DocumentBytes());
    EXPECT_TRUE(RecoveryFiles().isEmpty());
    Action("ActEditSelectAll")->trigger();
    Key(Qt::Key_Delete);
    W().KeepRecovery();
    EXPECT_EQ(RecoveryFiles().size(), 1);
    m_nextAnswer = QMessageBox::No;
    EXPECT_TRUE(W().close());
    EXPECT_TRUE(RecoveryFiles().isEmpty());
}

} // namespace
} // namespace tavrin::test
