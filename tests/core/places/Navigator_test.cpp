#include "core/places/Navigator.h"

#include "core/editor/Editor.h"
#include "core/nav/BytePattern.h"
#include "core/palette/CAdfPattern.h"

#include "../editor/RecordingView.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

class NavigatorTest : public EditorTest {
protected:
    Navigator& StartNavigator() {
        Start();
        nav = std::make_unique<Navigator>(*editor, view);
        return *nav;
    }
    void TearDown() override {
        nav.reset();
        EditorTest::TearDown();
    }
    std::unique_ptr<Navigator> nav;
};

TEST_F(NavigatorTest, RecentFilesReopenAtTheirPlace) {
    const std::string a = WriteFile("a.chr", Counting(0x20000));
    const std::string b = WriteFile("b.chr", Counting(0x8000));
    CAdfPattern patterns;
    for (int i = 0; i < 3; ++i)
        patterns.SetPattern(i, GenerateCharacterPattern(2, 1 + i, false));
    WriteFile("tavrin.adf", patterns.ToBytes());
    Navigator& n = StartNavigator();
    ASSERT_TRUE(editor->OpenRom(a, true));
    const Place there{0x4560, "2BPP GB", 2, 1, 3, 1};
    EXPECT_TRUE(n.GoTo(there));
    EXPECT_EQ(n.CurrentPlace(), there);
    ASSERT_TRUE(editor->OpenRom(b, true)); // the place of the file left is kept
    ASSERT_EQ(n.Recent().Items().size(), 2u);
    // On disk at once, not only at exit: a crash keeps the list.
    const std::string saved = ReadText("tavrin.ini");
    EXPECT_LT(saved.find("[Tavrin.Recent]\n1 = "), saved.find("| " + b + "\n2 = ")) << saved;
    EXPECT_EQ(n.Recent().Items()[0].path, b);
    EXPECT_EQ(n.Recent().Items()[1], (RecentFile{a, there}));

    EXPECT_TRUE(n.OpenRecent(1));
    EXPECT_EQ(workspace->Document().FilePath(), a);
    EXPECT_EQ(n.CurrentPlace(), there);
    EXPECT_EQ(n.Recent().Items()[0].path, a);
    EXPECT_EQ(view.formatIndex, workspace->FormatIndex());

    // A file gone from the disk: named, and taken off the list.
    std::filesystem::remove(b);
    view.messages.clear();
    EXPECT_FALSE(n.OpenRecent(1));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find(b), std::string::npos);
    EXPECT_EQ(n.Recent().Items().size(), 1u);
    EXPECT_EQ(workspace->Document().FilePath(), a);
    EXPECT_FALSE(n.OpenRecent(5));

    // Kept in the settings file at exit, beside the other sections.
    n.RememberPlace();
    editor->FormDestroy(0, 0, -1);
    const std::string ini = ReadText("tavrin.ini");
    EXPECT_NE(ini.find("[Tavrin.Recent]"), std::string::npos);
    EXPECT_NE(ini.find("1 = 004560 | 2BPP GB | 2 | 90 | both | 1 | " + a), std::string::npos)
        << ini;
    EXPECT_NE(ini.find("[Tavrin]"), std::string::npos);
}

TEST_F(NavigatorTest, UnsavedChangesAreAskedAboutBeforeARecentFile) {
    const std::string a = WriteFile("a.chr", Counting(0x8000));
    const std::string b = WriteFile("b.chr", Counting(0x8000));
    Navigator& n = StartNavigator();
    ASSERT_TRUE(editor->OpenRom(a, true));
    ASSERT_TRUE(editor->OpenRom(b, true));
    workspace->SetModified(true);
    view.saveAnswer = SaveAnswer::Cancel;
    EXPECT_FALSE(n.OpenRecent(1));
    EXPECT_EQ(view.Count("askSave"), 1);
    EXPECT_EQ(workspace->Document().FilePath(), b);
}

TEST_F(NavigatorTest, BookmarksAddRenameMoveDeleteAndJump) {
    const std::string rom = WriteFile("game.nes", Counting(0x20000));
    Navigator& n = StartNavigator();
    ASSERT_TRUE(editor->OpenRom(rom, true));
    int changes = 0;
    n.SetBookmarksChanged([&] { ++changes; });
    editor->AddrJump(0x1230);
    EXPECT_EQ(n.DefaultBookmarkName(), "001230");
    ASSERT_TRUE(n.AddBookmark(""));
    editor->SetViewOption(ViewOption::Rotate, 2);
    editor->AddrJump(0x8000);
    ASSERT_TRUE(n.AddBookmark("  Hero\tsprites "));
    ASSERT_TRUE(n.RenameBookmark(0, "Font"));
    ASSERT_TRUE(n.MoveBookmark(1, -5)); // held at the top
    EXPECT_FALSE(n.MoveBookmark(0, -1));
    EXPECT_FALSE(n.RenameBookmark(1, " \n "));
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(ReadText("game.nes.bookmarks"),
              "# Tavrin bookmarks, one a line:\n"
              "# ADDRESS | FORMAT | PATTERN | ROTATION | MIRROR | PALETTE GROUP | NAME\n"
              "008000 | 2BPP NES | 0 | 180 | none | 0 | Hero sprites\n"
              "001230 | 2BPP NES | 0 | 0 | none | 0 | Font\n");

    EXPECT_TRUE(n.JumpToBookmark(1));
    EXPECT_EQ(editor->Space().Address(), 0x1230);
    EXPECT_EQ(workspace->RotateIndex(), 0);
    EXPECT_TRUE(n.DeleteBookmark(0));
    EXPECT_FALSE(n.DeleteBookmark(3));
    EXPECT_FALSE(n.JumpToBookmark(1));
    ASSERT_EQ(n.Bookmarks().items.size(), 1u);

    // A hand-damaged line: named when the ROM is opened again, the rest kept.
    WriteText("game.nes.bookmarks", "001230 | 2BPP NES | 0 | 0 | none | 0 | Font\n"
                                    "oops\n");
    view.messages.clear();
    ASSERT_TRUE(editor->OpenRom(rom, true));
    ASSERT_EQ(n.Bookmarks().items.size(), 1u);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("game.nes.bookmarks"), std::string::npos);
    EXPECT_NE(view.messages[0].find(" 2"), std::string::npos);
}

TEST_F(NavigatorTest, ANewDocumentHasNoBookmarkFile) {
    Navigator& n = StartNavigator();
    editor->FileNew();
    EXPECT_FALSE(n.AddBookmark("x"));
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(n.Recent().Items().empty());
}

TEST_F(NavigatorTest, PreviousGraphicsFindsWhatTheNextOneFound) {
    std::vector<uint8_t> bytes = Counting(0x10000);
    std::fill_n(bytes.begin() + 0x3000, 0x40, uint8_t{0});
    std::fill_n(bytes.begin() + 0x6000, 0x40, uint8_t{0});
    const std::string rom = WriteFile("g.chr", bytes);
    Navigator& n = StartNavigator();
    ASSERT_TRUE(editor->OpenRom(rom, true));
    editor->AddrJump(0x100);
    editor->AddrFind();
    EXPECT_EQ(editor->Space().Address(), 0x3040);
    editor->AddrFind();
    EXPECT_EQ(editor->Space().Address(), 0x6040);
    EXPECT_TRUE(n.FindPreviousImage());
    EXPECT_EQ(editor->Space().Address(), 0x3040);
    EXPECT_FALSE(n.FindPreviousImage());
    EXPECT_EQ(view.messages.back(), "not found.");
    EXPECT_EQ(editor->Space().Address(), 0x3040);
}

TEST_F(NavigatorTest, FindBytesSelectsTheTileAndWraps) {
    std::vector<uint8_t> bytes(0x10000, 0x11);
    const std::vector<uint8_t> mark = {0xA9, 0x42, 0x8D};
    for (size_t at : {size_t{0x2345}, size_t{0x9000}})
        std::copy(mark.begin(), mark.end(), bytes.begin() + static_cast<ptrdiff_t>(at));
    const std::string rom = WriteFile("code.chr", bytes);
    Navigator& n = StartNavigator();
    ASSERT_TRUE(editor->OpenRom(rom, true));
    editor->SetViewOption(ViewOption::Zoom, 4); // one tile
    const BytePattern p = ParseHexPattern("A9 ?? 8D").pattern;
    struct Step {
        SearchDirection direction;
        int64_t match;
        int32_t page;
        int column; // of the selected tile
        bool wrapped;
    };
    const Step steps[] = {
        {SearchDirection::Forward, 0x2345, 0x2300, 4, false}, // 0x2340 is tile 4 of the row
        {SearchDirection::Forward, 0x9000, 0x9000, 0, false},
        {SearchDirection::Forward, 0x2345, 0x2300, 4, true},
        {SearchDirection::Backward, 0x9000, 0x9000, 0, true},
        {SearchDirection::Backward, 0x2345, 0x2300, 4, false},
    };
    for (const Step& s : steps) {
        view.messages.clear();
        ASSERT_TRUE(n.FindBytes(p, s.direction));
        EXPECT_EQ(n.LastMatch(), s.match);
        EXPECT_EQ(editor->Space().Address(), s.page);
        EXPECT_EQ(editor->GetEditArea().firstColumn, s.column) << s.match;
        EXPECT_EQ(editor->GetEditArea().firstRow, 0);
        EXPECT_EQ(view.messages.size(), s.wrapped ? 1u : 0u) << s.match;
        EXPECT_EQ(n.SelectionAddressText(), AddressHex(s.match & ~0xF));
    }
    view.messages.clear();
    EXPECT_FALSE(n.FindBytes(ParseHexPattern("A9 43").pattern, SearchDirection::Forward));
    EXPECT_EQ(view.messages.size(), 1u);
}

TEST_F(NavigatorTest, AddressUnderTheMouse) {
    const std::string rom = WriteFile("t.chr", Counting(0x10000));
    Navigator& n = StartNavigator();
    ASSERT_TRUE(editor->OpenRom(rom, true));
    editor->AddrJump(0x1000);
    struct Case {
        int x;
        int y;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "アドレス 001000  タイル 100"},
        {16 * 3 + 5, 16 * 2, "アドレス 001230  タイル 123"},
        {255, 255, "アドレス 001FF0  タイル 1FF"},
        {256, 0, ""},
        {-1, 5, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(n.TileUnderMouseText(c.x, c.y), c.text) << c.x << "," << c.y;
    // Turning the tiles leaves each in its cell; the page is said to have changed.
    int pageChanges = 0;
    n.SetPageChanged([&] { ++pageChanges; });
    editor->SetViewOption(ViewOption::Rotate, 1);
    EXPECT_EQ(pageChanges, 1);
    EXPECT_EQ(n.TileUnderMouseText(16 * 3 + 5, 16 * 2), "アドレス 001230  タイル 123");
    // The selection's address follows the edit area.
    editor->Mouse().Down(Panel::Chr, MouseButton::Left, 16 * 5, 16 * 7);
    editor->Mouse().Up(Panel::Chr, MouseButton::Left, 16 * 5, 16 * 7);
    EXPECT_EQ(n.SelectionAddressText(), "001750");
}

} // namespace
} // namespace tavrin
