#include "core/editor/Editor.h"
#include "core/palette/files/PaletteFormat.h"

#include "RecordingView.h"

#include <gtest/gtest.h>

#include <functional>

// Nothing lost without a word: the modified flag and caption, the questions before the
// document is replaced, and drawn bytes past the end of a small file.

namespace tavrin {
namespace {

class EditorUnsaved : public EditorTest {};

TEST_F(EditorUnsaved, ChangesShowInTheCaptionAndAreOfferedForSavingBeforeTheyAreLost) {
    const std::string rom = WriteFile("a.chr", Counting(8192));
    WriteFile("b.chr", Counting(4096));
    Editor& e = Start({rom});
    const std::string clean = "Tavrin ( 000000 / 002000 ) a.chr";
    EXPECT_EQ(view.caption, clean);
    e.EditClear();
    EXPECT_EQ(view.caption, clean + " *");

    // Cancel keeps everything; No lets the changes go.
    view.saveAnswer = SaveAnswer::Cancel;
    e.FileNew();
    e.DropFiles({PathOf("b.chr")});
    EXPECT_EQ(e.Space().Document().FilePath(), rom);
    EXPECT_EQ(view.Count("askSave"), 2);
    view.discardAnswer = false;
    e.FileReload(true);
    EXPECT_EQ(view.caption, clean + " *");
    view.discardAnswer = true;
    e.FileReload(true);
    EXPECT_EQ(view.caption, clean);
    EXPECT_EQ(ReadFile("a.chr"), Counting(8192));

    // Yes saves first; a save clears the mark, undo sets it again.
    e.EditClear();
    view.saveAnswer = SaveAnswer::Save;
    EXPECT_TRUE(e.ConfirmDiscard());
    EXPECT_EQ(ReadFile("a.chr")[0], 0);
    EXPECT_EQ(view.caption, clean);
    e.EditUndo();
    EXPECT_EQ(view.caption, clean + " *");
    view.saveAnswer = SaveAnswer::Discard;
    e.DropFiles({PathOf("b.chr")});
    EXPECT_EQ(view.caption, "Tavrin ( 000000 / 001000 ) b.chr");
    view.ClearLog();
    e.FileNew();
    EXPECT_EQ(view.Count("askSave"), 0) << "nothing to lose";
}

TEST_F(EditorUnsaved, UndoingBackToTheSavedStateClearsTheMarkAndANoChangeLeavesItClear) {
    Editor& e = Start({WriteFile("a.chr", Counting(8192))});
    const std::string clean = "Tavrin ( 000000 / 002000 ) a.chr";
    const std::function<void()> clear = [&e] { e.EditClear(); };
    const std::function<void()> undo = [&e] { e.EditUndo(); };
    const std::function<void()> redo = [&e] { e.EditRedo(); };
    const std::function<void()> save = [&e] { e.FileSave(); };
    const std::function<void()> mirror = [&e] { e.EditMirror(MirrorAxis::Horizontal); };
    // The page given back as it is, as a tool that changed nothing does.
    const std::function<void()> same = [&e] { e.LoadSnapshot(Image8(e.Space().TileImage())); };
    // A palette file is an undo step of its own that leaves the document's bytes alone.
    const std::function<void()> palette = [&e] {
        PaletteContents contents;
        contents.colours.assign(4, Colour{0x00102030});
        e.Space().ImportPalette(contents, PaletteDestination::MasterPalette);
    };
    const struct {
        const char* step;
        const std::function<void()>& run;
        bool modified;
    } steps[] = {
        {"same page", same, false},
        {"clear", clear, true},
        {"undo", undo, false},
        {"redo", redo, true},
        {"save", save, false},
        {"undo", undo, true},
        {"redo", redo, false},
        {"same page", same, false},
        // Undoing the step that changed nothing is still the saved bytes; one more is not.
        {"undo", undo, false},
        {"undo", undo, true},
        // A change made after undoing past the save replaces the saved state for good.
        {"mirror", mirror, true},
        {"undo", undo, true},
        {"redo", redo, true},
        {"save", save, false},
        {"palette", palette, false},
        {"clear", clear, true},
        {"undo", undo, false},
        {"undo palette", undo, false},
        {"redo palette", redo, false},
        {"redo", redo, true},
    };
    for (const auto& s : steps) {
        s.run();
        EXPECT_EQ(e.Space().IsModified(), s.modified) << s.step;
        EXPECT_EQ(view.caption, s.modified ? clean + " *" : clean) << s.step;
    }
}

TEST_F(EditorUnsaved, BytesDrawnPastTheEndAskWhetherToExtendTheFile) {
    struct Case {
        ExtendAnswer answer;
        size_t fileSize;
        bool modified;
    };
    for (const Case& c :
         {Case{ExtendAnswer::Cancel, 768, true}, Case{ExtendAnswer::OriginalSize, 768, false},
          Case{ExtendAnswer::Extend, 4096, false}}) {
        const std::string rom = WriteFile("small.chr", Counting(768));
        Editor& e = Start({rom});
        Image8 ink(128, 128);
        ink.Fill(3);
        e.LoadSnapshot(ink); // the whole page, 4096 bytes of 2BPP NES
        view.extendAnswer = c.answer;
        view.ClearLog();
        e.FileSave();
        EXPECT_EQ(view.Count("askExtend"), 1);
        const std::vector<uint8_t> disk = ReadFile("small.chr");
        ASSERT_EQ(disk.size(), c.fileSize);
        EXPECT_EQ(disk[0], c.answer == ExtendAnswer::Cancel ? 0 : 0xFF);
        EXPECT_EQ(disk.back(), c.answer == ExtendAnswer::Cancel ? Counting(768).back() : 0xFF);
        EXPECT_EQ(e.Space().IsModified(), c.modified);
        EXPECT_TRUE(view.failures.empty()) << "a cancelled save is no failure";
    }
}

TEST_F(EditorUnsaved, TilesPastTheEndOfTheDataAreHatchedAndNamedUnderTheMouse) {
    // 768 bytes of 2BPP NES: tiles 0-47 hold data, 48 and on lie past its end.
    Editor& e = Start({WriteFile("small.chr", std::vector<uint8_t>(768, 0))});
    const Image8& picture = e.TileViewPicture();
    const auto hatched = [&](int tile) {
        const int x = (tile % 16) * 16, y = (tile / 16) * 16;
        int marks = 0;
        for (int dy = 0; dy < 16; ++dy)
            for (int dx = 0; dx < 16; ++dx)
                marks += picture.Pixel(x + dx, y + dy) != picture.Pixel(x + 1, y);
        return marks > 0;
    };
    EXPECT_FALSE(hatched(47));
    EXPECT_TRUE(hatched(48));
    EXPECT_TRUE(hatched(255));
    e.Mouse().Move(Panel::Chr, 5, 47 / 16 * 16 + 5);
    EXPECT_EQ(view.status[1].find("データの終わり"), std::string::npos);
    e.Mouse().Move(Panel::Chr, 5, 48 / 16 * 16 + 5);
    EXPECT_NE(view.status[1].find("(データの終わりより後ろ)"), std::string::npos);

    // Turned a quarter, the data's tiles move with the page, and so do the marks.
    e.SetViewOption(ViewOption::Rotate, 1);
    EXPECT_FALSE(hatched(15));
    EXPECT_TRUE(hatched(0));

    // A file holding the whole page marks nothing.
    e.SetViewOption(ViewOption::Rotate, 0);
    e.DropFiles({WriteFile("whole.chr", std::vector<uint8_t>(8192, 0))});
    EXPECT_FALSE(hatched(255));
}

TEST_F(EditorUnsaved, ASettingsFileTooLargeToReadIsNamedAtStartAndKept) {
    const std::string huge = "[Tavrin]\nZoomType=1\n;" + std::string(1 << 20, 'x') + "\n";
    WriteText("tavrin.ini", huge);
    Editor& e = Start();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find(PathOf("tavrin.ini")), std::string::npos);
    EXPECT_EQ(e.ZoomIndex(), 3) << "the defaults, not the file's";
    e.FormDestroy(0, 0, -1);
    EXPECT_EQ(ReadText("tavrin.ini"), huge);
}

} // namespace
} // namespace tavrin
