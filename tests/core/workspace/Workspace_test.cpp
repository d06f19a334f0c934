#include "core/workspace/Workspace.h"

#include "core/workspace/PageTransfer.h"

#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tavrin {
namespace {

struct Recorder : WorkspaceListener {
    void WorkspaceChanged(WorkspaceChange change) override { changes.push_back(change); }
    std::vector<WorkspaceChange> changes;
};

using C = WorkspaceChange;

TEST(Workspace, EachMutatorAnnouncesItsChangeToEveryListenerButTheOneMakingIt) {
    const test::TempFolder folder;
    const std::string rom = folder.Write("w.chr", std::vector<uint8_t>(8192, 0x5A));
    struct Case {
        const char* name;
        std::function<void(Workspace&, const WorkspaceListener*)> change;
        std::vector<WorkspaceChange> told;
    };
    const Image8 picture(128, 3 * 128);
    const std::vector<Case> cases = {
        {"address", [](Workspace& w, auto by) { w.SetAddress(16, by); }, {C::Page}},
        {"rotate", [](Workspace& w, auto by) { w.SetRotate(1, by); }, {C::Page}},
        {"mirror", [](Workspace& w, auto by) { w.SetMirror(2, by); }, {C::Page}},
        {"pattern", [](Workspace& w, auto by) { w.SelectPattern(0, by); }, {C::Page}},
        {"format", [](Workspace& w, auto by) { w.SelectFormat(0, by); }, {C::Page}},
        {"colour set",
         [](Workspace& w, auto by) { w.SetColourSetEnabled(true, by); },
         {C::Palettes}},
        {"palette entry",
         [](Workspace& w, auto by) { w.SelectPaletteEntry(2, by); },
         {C::Palettes}},
        {"master colour",
         [](Workspace& w, auto by) { w.SetMasterColour(1, 7, by); },
         {C::Palettes}},
        {"entry's colour",
         [](Workspace& w, auto by) { w.SetPaletteEntry(1, 2, by); },
         {C::Palettes}},
        {"palette only", [](Workspace& w, auto by) { w.SetPaletteOnly(true, by); }, {C::Palettes}},
        {"palettes edited",
         [](Workspace& w, auto by) { w.EditPalettes([](CPalette&, CDatPalette&) {}, by); },
         {C::Palettes}},
        {"colour set edited",
         [](Workspace& w, auto by) { w.EditColourSet([](CColSet&) {}, by); },
         {C::Palettes}},
        {"patterns edited",
         [](Workspace& w, auto by) { w.EditPatterns([](CAdfPattern&) {}, by); },
         {C::Patterns}},
        {"renamed", [](Workspace& w, auto by) { w.RenameDocument("b.chr", by); }, {C::Document}},
        {"extended",
         [](Workspace& w, auto by) { w.ExtendDocument(w.Document().DataSize() + 16, by); },
         {C::Bytes}},
        {"not extended", [](Workspace& w, auto by) { w.ExtendDocument(0, by); }, {}},
        {"decode", [](Workspace& w, auto by) { w.DecodePage(by); }, {C::TileImage}},
        {"colours", [](Workspace& w, auto by) { w.SetTileColours({}, by); }, {C::TileImage}},
        {"commit", [](Workspace& w, auto by) { w.CommitPage(by); }, {C::Bytes}},
        {"import of three pages, told once",
         [&](Workspace& w, auto by) { w.ImportPages(picture, 0, 3, by); },
         {C::Bytes}},
        {"nothing to undo",
         [](Workspace& w, auto by) {
             int address = 0;
             w.UndoStep(address, by);
         },
         {}},
        {"undo",
         [](Workspace& w, auto by) {
             w.CommitPage(by);
             int address = 0;
             w.UndoStep(address, by);
             w.RedoStep(address, by);
         },
         {C::Bytes, C::Bytes, C::Bytes}},
        {"new document", [](Workspace& w, auto by) { w.NewDocument(by); }, {C::Document}},
        {"open", [&](Workspace& w, auto by) { w.OpenRom(rom, by); }, {C::Document}},
        {"open fails", [](Workspace& w, auto by) { w.OpenRom("/nonexistent/tavrin.chr", by); }, {}},
        {"no companions",
         [](Workspace& w, auto by) { w.LoadCompanionFiles("/nonexistent/x", false, by); },
         {C::Palettes}},
        {"palette set file",
         [&](Workspace& w, auto by) {
             w.LoadCompanion(RomDocument::Companion::Dat, folder.Write("s.dat", {1, 2}), by);
         },
         {C::Palettes}},
        {"pattern file",
         [](Workspace& w, auto by) { w.LoadCompanion(RomDocument::Companion::Adf, "/none", by); },
         {C::Patterns}},
        {"save-state",
         [](Workspace& w, auto by) { w.ImportState("", "/none.st0", by); },
         {C::Palettes}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Workspace ws;
        ws.NewDocument();
        Recorder maker, other;
        ws.AddListener(&maker);
        ws.AddListener(&other);
        c.change(ws, &maker);
        EXPECT_TRUE(maker.changes.empty());
        EXPECT_EQ(other.changes, c.told);
        // Without a maker every listener is told.
        ws.RemoveListener(&other);
        maker.changes.clear();
        c.change(ws, nullptr);
        EXPECT_EQ(maker.changes.size(), c.told.size());
        ws.RemoveListener(&maker);
    }
}

// Opening another ROM starts its undo history afresh: neither an undo nor a redo may write
// the previous document's bytes into the new one.
TEST(Workspace, OpeningAnotherRomForgetsTheUndoSteps) {
    const test::TempFolder folder;
    const std::vector<uint8_t> first = test::RandomBytes(8192, 1);
    const std::vector<uint8_t> second = test::RandomBytes(8192, 2);
    const struct {
        const char* name;
        bool undoFirst; // a redo step to drop, too
    } cases[] = {{"an undo step", false}, {"a redo step", true}};
    for (const auto& c : cases) {
        Workspace ws;
        ASSERT_TRUE(ws.OpenRom(folder.Write("first.chr", first)));
        ws.SetAddress(0);
        ws.DecodePage();
        ws.Canvas().Fill(3);
        ws.CommitPage();
        int address = -1;
        if (c.undoFirst) {
            ASSERT_TRUE(ws.UndoStep(address));
        }

        ASSERT_TRUE(ws.OpenRom(folder.Write("second.chr", second)));
        EXPECT_FALSE(ws.IsModified()) << c.name;
        EXPECT_FALSE(ws.UndoStep(address)) << c.name;
        EXPECT_FALSE(ws.RedoStep(address)) << c.name;
        EXPECT_TRUE(std::equal(second.begin(), second.end(), ws.Document().Data())) << c.name;
        EXPECT_FALSE(ws.IsModified()) << c.name;
    }
}

TEST(Workspace, APaletteFileNamedForAPageThatCannotBeReadStopsTheRequest) {
    const test::TempFolder folder;
    std::filesystem::create_directory(folder.File("folder"));
    const std::string rom = folder.Write("p.chr", std::vector<uint8_t>(8192, 0));
    for (const bool dat : {false, true}) {
        Workspace ws;
        PageRequest r;
        r.rom = rom;
        (dat ? r.datFile : r.palFile) = folder.File("folder");
        const TransferResult result = PreparePage(ws, r);
        EXPECT_FALSE(result.ok) << dat;
        ASSERT_FALSE(result.notes.empty());
        EXPECT_EQ(result.notes.back().file, folder.File("folder"));
        EXPECT_TRUE(result.notes.back().failure.has_value());
    }
}

} // namespace
} // namespace tavrin
