#include "support/WindowFixture.h"

#include "core/palette/files/PaletteFileFilter.h"
#include "core/palette/files/PaletteTransfer.h"

// A SNES colour dump beside the tiles: loaded through the Palette menu into the palette set,
// undone with Ctrl+Z, and written out again as a GIMP palette.

namespace tavrin::test {
namespace {

class PaletteFilesWindow : public WindowTest {
protected:
    PaletteState State() {
        return TakePaletteState(E().Space().Palette(), E().Space().PaletteSet());
    }
    // The next file dialog answers path with the filter entry given.
    void Choose(const QString& path, int filter) {
        W().SetFileChooser([this, path, filter](QWidget*, const FileDialogRequest& request) {
            m_requests.push_back(request);
            if (request.chosenFilter)
                *request.chosenFilter = filter;
            return path;
        });
    }
};

TEST_F(PaletteFilesWindow, ConsoleColoursGoIntoThePaletteSetAndComeBackOut) {
    Open();
    PaletteContents row;
    for (int k = 0; k < 16; ++k)
        row.colours.push_back(MakeColour(ExpandChannel(2 * k, 5, ChannelExpansion::Full),
                                         ExpandChannel(16, 5, ChannelExpansion::Full),
                                         ExpandChannel(31 - 2 * k, 5, ChannelExpansion::Full)));
    const std::vector<uint8_t> bytes = WritePaletteBytes(row, PaletteFormat::Bgr555);
    const QString cgram = WriteFile(QStringLiteral("sample.pal"),
                                    QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<qsizetype>(bytes.size())));
    const PaletteState before = State();

    // 32 bytes named .pal fit two formats: the dialog's filter says which.
    Choose(cgram, 0);
    Action("ActPaletteOtherOpen")->trigger();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.back().contains(QStringLiteral("bgr555")));
    EXPECT_EQ(State(), before);

    const int bgr555 = 1 + static_cast<int>(PaletteFormat::Bgr555);
    m_nextAnswer = QMessageBox::Yes; // into the palette set
    Choose(cgram, bgr555);
    Action("ActPaletteOtherOpen")->trigger();
    EXPECT_EQ(m_requests.back().filter, QString::fromStdString(PaletteFileFilter(false)));
    EXPECT_EQ(m_questions.size(), 1);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(E().Space().PaletteSet().GetEntry(k), k);
        EXPECT_EQ(E().Space().PaletteSet().GetEntryColor(k), row.colours[k]) << k;
    }

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(State(), before);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(E().Space().PaletteSet().GetEntryColor(15), row.colours[15]);

    m_nextAnswer = QMessageBox::Yes; // the palette set's colours
    Choose(Path(QStringLiteral("out.gpl")), static_cast<int>(PaletteFormat::Gpl));
    Action("ActPaletteOtherSave")->trigger();
    const PaletteLoad written =
        LoadPaletteFile(Path(QStringLiteral("out.gpl")).toStdString(), std::nullopt);
    ASSERT_TRUE(written.file);
    EXPECT_EQ(written.read.format, PaletteFormat::Gpl);
    EXPECT_EQ(std::vector<Colour>(written.read.contents.colours.begin(),
                                  written.read.contents.colours.begin() + 16),
              row.colours);
}

} // namespace
} // namespace tavrin::test
