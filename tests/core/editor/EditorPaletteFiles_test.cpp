#include "core/editor/Editor.h"

#include "RecordingView.h"

#include <gtest/gtest.h>

#include <filesystem>

// Palette files of other formats through the main window's commands: where the entries go,
// one undo step, and what the user is told.

namespace tavrin {
namespace {

class EditorPaletteFiles : public EditorTest {};

std::vector<uint8_t> Row16() {
    PaletteContents row;
    for (int k = 0; k < 16; ++k)
        row.colours.push_back(MakeColour(8 * k, 255 - 8 * k, 4 * k));
    return WritePaletteBytes(row, PaletteFormat::Bgr555);
}

TEST_F(EditorPaletteFiles, ImportGoesWhereChosenAndUndoesInOneStep) {
    struct Case {
        const char* name;
        std::string file;
        std::vector<uint8_t> bytes;
        std::optional<PaletteDestination> answer;
        bool changed;
        bool setChanged;
        size_t messages; // refusals and warnings
    };
    const Case cases[] = {
        {"row into master", "row.cgram", Row16(), PaletteDestination::MasterPalette, true, false,
         0},
        {"row into set", "row.cgram", Row16(), PaletteDestination::PaletteSet, true, true, 0},
        {"cancelled", "row.cgram", Row16(), std::nullopt, false, false, 0},
        {"nes ram asks nothing", "ram.pal", std::vector<uint8_t>(32, 0x21), std::nullopt, true,
         true, 0},
        {"short act", "short.act", std::vector<uint8_t>(30, 0x40), std::nullopt, true, false, 1},
        {"refused", "odd.pal", std::vector<uint8_t>(500, 1), std::nullopt, false, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor& e = Start();
        e.EditClear(); // a document step before
        const PaletteState before = TakePaletteState(workspace->Palette(), workspace->PaletteSet());
        const std::string caption = view.caption;
        view.paletteAnswer = c.answer;
        view.ClearLog();
        view.messages.clear();
        // nes-ram is ambiguous at 32 bytes by name; it is chosen as the dialog's filter would.
        const std::optional<PaletteFormat> format =
            c.file == "ram.pal" ? std::optional(PaletteFormat::NesRam) : std::nullopt;
        e.PaletteImportOther(WriteFile(c.file, c.bytes), format);
        const PaletteState after = TakePaletteState(workspace->Palette(), workspace->PaletteSet());
        EXPECT_EQ(after != before, c.changed);
        EXPECT_EQ(after.set != before.set, c.setChanged);
        EXPECT_EQ(view.messages.size(), c.messages);
        EXPECT_EQ(view.caption, caption) << "the palettes are not the document";
        e.EditUndo();
        EXPECT_EQ(TakePaletteState(workspace->Palette(), workspace->PaletteSet()), before);
        EXPECT_EQ(workspace->Undo().CanUndo(), c.changed) << "the document step is still there";
        if (c.changed) {
            e.EditRedo();
            EXPECT_EQ(TakePaletteState(workspace->Palette(), workspace->PaletteSet()), after);
        }
    }
}

TEST_F(EditorPaletteFiles, APaletteStepLeavesThePageAndTheDocumentAlone) {
    Editor& e = Start({WriteFile("a.chr", std::vector<uint8_t>(0x4000, 0x11))});
    workspace->SetAddress(0x1000);
    e.PaletteImportOther(WriteFile("row.cgram", Row16()), std::nullopt);
    for (int step = 0; step < 2; ++step) {
        step == 0 ? e.EditUndo() : e.EditRedo();
        EXPECT_EQ(e.Space().Address(), 0x1000) << step;
        EXPECT_FALSE(workspace->IsModified()) << step;
    }
    EXPECT_EQ(ReadFile("a.chr"), std::vector<uint8_t>(0x4000, 0x11));
}

TEST_F(EditorPaletteFiles, ExportWritesTheChosenSourceInTheFormat) {
    Editor& e = Start();
    for (int k = 0; k < 256; ++k)
        workspace->SetMasterColour(k, MakeColour(k, k / 2, 255 - k));
    workspace->SetPaletteEntry(0, 200);
    struct Case {
        const char* file;
        PaletteFormat format;
        std::optional<PaletteDestination> answer;
        bool written;
        size_t messages = 0; // entries left out
    };
    const Case cases[] = {
        {"a.gpl", PaletteFormat::Gpl, std::nullopt, true},
        {"a.cgram", PaletteFormat::Bgr555, PaletteDestination::PaletteSet, true},
        {"b.cgram", PaletteFormat::Bgr555, std::nullopt, false},
        {"a.bmp", PaletteFormat::Image, std::nullopt, true},
        {"a.hex", PaletteFormat::Hex, std::nullopt, true},
        {"a.txt", PaletteFormat::PaintNet, std::nullopt, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        view.paletteAnswer = c.answer;
        view.messages.clear();
        e.PaletteExportOther(PathOf(c.file), c.format);
        ASSERT_EQ(FileExists(PathOf(c.file)), c.written);
        EXPECT_EQ(view.messages.size(), c.messages);
        if (!c.written)
            continue;
        PaletteOptions options;
        options.imageAsPng = false;
        const PaletteContents want =
            ContentsToWrite(c.format, c.answer.value_or(PaletteDestination::MasterPalette),
                            workspace->Palette(), workspace->PaletteSet());
        EXPECT_EQ(ReadFile(c.file), WritePaletteBytes(want, c.format, options));
    }
}

// The window's own palette set, palette and pattern files: a file that cannot be read is
// reported naming it, whatever it held stays as it was.
TEST_F(EditorPaletteFiles, AnUnreadableCompanionIsReportedAndChangesNothing) {
    Editor& e = Start({WriteFile("a.chr", std::vector<uint8_t>(8192, 0))});
    const std::string notAFile = PathOf("sub");
    std::filesystem::create_directory(notAFile);
    for (const auto kind :
         {RomDocument::Companion::Dat, RomDocument::Companion::Pal, RomDocument::Companion::Adf}) {
        const Colour before = e.Space().Palette().GetColor(1);
        view.failures.clear();
        e.OpenCompanion(kind, notAFile);
        ASSERT_EQ(view.failures.size(), 1u) << static_cast<int>(kind);
        EXPECT_NE(view.failures[0].find("sub"), std::string::npos) << view.failures[0];
        EXPECT_EQ(e.Space().Palette().GetColor(1), before);
    }
}

} // namespace
} // namespace tavrin
