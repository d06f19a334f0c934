#include "support/WindowFixture.h"

#include "core/compress/PackedCodec.h"
#include "core/packed/PackedBlockNavigator.h"
#include "gui/packed/TPackedBlockWindow.h"
#include "gui/views/ImagePanel.h"

#include <QLabel>
#include <QTableWidget>
#include <random>

// The round trip of packed graphics in the window: find a block, open it, draw, save it back
// in place, open it again from the list; then a change that no longer fits, appended and
// repointed, with the rest of the ROM as it was.

namespace tavrin::test {
namespace {

class PackedBlocksTest : public WindowTest {
protected:
    // A ROM of 0xAA with an LZ10 block at 0x1000 (one page of 4bpp tiles: noise in the first
    // tile, zeros elsewhere) and a pointer to it at 0x20.
    QString MakeRom() {
        std::vector<uint8_t> tiles(8192, 0);
        std::mt19937 rng(4);
        for (size_t i = 0; i < 32; ++i)
            tiles[i] = static_cast<uint8_t>(rng() | 0x11);
        const std::vector<uint8_t> packed = *Pack(PackedCodec::Lz10, tiles);
        QByteArray rom(0x8000, '\xAA');
        std::copy(packed.begin(), packed.end(), rom.begin() + 0x1000);
        const char pointer[] = {0x00, 0x10, 0x00, 0x08};
        std::copy(pointer, pointer + 4, rom.begin() + 0x20);
        m_packedSize = static_cast<int>(packed.size());
        return WriteFile(QStringLiteral("rom.gba"), rom);
    }
    std::vector<uint8_t> DocumentBytes() {
        const RomDocument& doc = E().Space().Document();
        return {doc.Data(), doc.Data() + doc.DataSize()};
    }
    std::vector<uint8_t> Unpacked(const QByteArray& rom, int address) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(rom.constData());
        return Unpack(PackedCodec::Lz10,
                      std::span(bytes + address, static_cast<size_t>(rom.size() - address)))
            .bytes;
    }
    QString PackedLabel() {
        return W().findChild<QLabel*>(QStringLiteral("PackedBlockLabel"))->text();
    }
    void Dot(QPoint at) {
        Press(W().EditView(), Qt::LeftButton, at);
        Release(W().EditView(), Qt::LeftButton, at);
    }
    int m_packedSize = 0;
};

TEST_F(PackedBlocksTest, DrawSaveInPlaceReopenThenAppendAndRepoint) {
    const QByteArray original = [&] {
        const QString path = MakeRom();
        Open({path.toStdString()});
        return ReadFile(QStringLiteral("rom.gba"));
    }();

    // Ctrl+Shift+F3 opens the block after the current address.
    Key(Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(W().PackedBlocks().IsBlockOpen());
    EXPECT_TRUE(W().windowTitle().contains(QStringLiteral("rom.gba [LZ10 @ 0x001000]")));
    EXPECT_EQ(PackedLabel(), QStringLiteral("rom.gba [LZ10 @ 0x001000]"));
    EXPECT_EQ(E().Space().Document().DataSize(), 8192);

    // A dot on the noisy tile packs no larger: saved in place without a question.
    E().Space().SelectPaletteEntry(0);
    Dot(QPoint(3, 3));
    const std::vector<uint8_t> drawn = DocumentBytes();
    const Image8 pixels = E().Space().TileImage();
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(m_questions.isEmpty());
    const QByteArray inPlace = ReadFile(QStringLiteral("rom.gba"));
    ASSERT_EQ(inPlace.size(), original.size());
    EXPECT_EQ(Unpacked(inPlace, 0x1000), drawn);
    for (int i = 0; i < original.size(); ++i) {
        if (i < 0x1000 || i >= 0x1000 + m_packedSize) {
            ASSERT_EQ(inPlace[i], original[i]) << i;
        }
    }

    // Opened again from the list with Enter: the same pixels.
    E().FileNew();
    W().Actions().Get(QStringLiteral("ActAddrPackedList"))->trigger();
    TPackedBlockWindow& list = W().PackedBlockWindow();
    ASSERT_TRUE(list.isVisible());
    list.hide();
    E().OpenRom(Path(QStringLiteral("rom.gba")).toStdString(), true);
    list.Refresh();
    ASSERT_EQ(list.List()->rowCount(), 1);
    EXPECT_EQ(list.List()->item(0, 0)->text(), QStringLiteral("0x001000"));
    EXPECT_EQ(list.List()->item(0, 1)->text(), QStringLiteral("LZ10"));
    QTest::keyClick(list.List(), Qt::Key_Return);
    ASSERT_TRUE(W().PackedBlocks().IsBlockOpen());
    EXPECT_EQ(DocumentBytes(), drawn);
    EXPECT_TRUE(E().Space().TileImage() == pixels);

    // Dots over the blank tiles no longer fit: appended at the aligned end, pointer moved.
    E().Space().SelectPaletteEntry(1);
    std::mt19937 rng(8);
    for (int k = 0; k < 40; ++k)
        Dot(QPoint(static_cast<int>(rng() % 256), 128 + static_cast<int>(rng() % 128)));
    const std::vector<uint8_t> grown = DocumentBytes();
    m_nextAnswer = QMessageBox::Yes;
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(m_questions.size(), 2);
    EXPECT_TRUE(m_questions[0].contains(QStringLiteral("0x008000")));
    EXPECT_TRUE(m_questions[1].contains(QStringLiteral("1 ")));
    const QByteArray moved = ReadFile(QStringLiteral("rom.gba"));
    ASSERT_GT(moved.size(), 0x8000);
    EXPECT_EQ(Unpacked(moved, 0x8000), grown);
    EXPECT_EQ(moved.mid(0x20, 4), QByteArray("\x00\x80\x00\x08", 4));
    QByteArray rest = moved.left(0x8000);
    rest.replace(0x20, 4, inPlace.mid(0x20, 4));
    EXPECT_EQ(rest, inPlace);
    EXPECT_TRUE(W().windowTitle().contains(QStringLiteral("rom.gba [LZ10 @ 0x008000]")));
    EXPECT_FALSE(E().Space().IsModified());
}

} // namespace
} // namespace tavrin::test
