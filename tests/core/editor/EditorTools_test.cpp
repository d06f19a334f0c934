#include "core/editor/Editor.h"
#include "core/palette/CStateFile.h"
#include "core/platform/IniFile.h"
#include "core/settings/OptionActions.h"

#include "RecordingView.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

using EditorTools = EditorTest;

TEST_F(EditorTools, HelpIsTheFirstOfChmHlpHtmElseTheTextAfterTheMessage) {
    struct Case {
        std::vector<std::string> present;
        std::string help;
        std::string text;
        std::string language = "ja";
    };
    const std::vector<Case> cases = {
        {{"tavrin.htm", "tavrin.hlp", "tavrin.chm"}, "tavrin.chm", ""},
        {{"tavrin.htm", "tavrin.hlp", "tavrin.txt"}, "tavrin.hlp", ""},
        {{"tavrin.htm", "tavrin.txt"}, "tavrin.htm", ""},
        {{"tavrin.txt", "tavrin.html", "other.htm"}, "", "tavrin.txt"},
        {{}, "", ""},
        // Each window opens the manual of its language.
        {{"tavrin.htm", "tavrin_en.htm"}, "tavrin.htm", ""},
        {{"tavrin.htm", "tavrin_en.htm", "tavrin.chm"}, "tavrin_en.htm", "", "en"},
        {{"tavrin.htm"}, "tavrin.htm", "", "en"},
        {{"tavrin_en.htm"}, "", "", "ja"},
    };
    for (const Case& c : cases) {
        for (const char* name : {"tavrin.chm", "tavrin.hlp", "tavrin.htm", "tavrin.html",
                                 "tavrin.txt", "other.htm", "tavrin_en.htm"})
            std::filesystem::remove(PathOf(name));
        for (const std::string& name : c.present)
            WriteText(name, "help");
        const HelpFiles found = FindHelpFiles(paths.standardFiles, c.language);
        EXPECT_EQ(found.help, c.help.empty() ? "" : PathOf(c.help)) << c.present.size();
        EXPECT_EQ(found.text, c.text.empty() ? "" : PathOf(c.text)) << c.present.size();
    }
}

TEST(OptionActions, AboutNamesVersionCommitDateLicenceAndThanks) {
    const std::string text = AboutText({"1.2.3", "abc1234", "2026-12-07"});
    EXPECT_EQ(text.rfind("Tavrin バージョン 1.2.3 (abc1234)\nビルド日: 2026-12-07\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("ライセンス: MIT ライセンス (Copyright (c) The Tavrin authors)"),
              std::string::npos);
    EXPECT_NE(text.find("謝辞: "), std::string::npos);
    EXPECT_EQ(text.find("マニュアル"), std::string::npos) << "no manual, no line";
    const std::string withManual = AboutText({"1.2.3", "", ""}, "/usr/share/tavrin/tavrin.htm");
    EXPECT_EQ(withManual.substr(withManual.rfind('\n') + 1),
              "マニュアル (F1): /usr/share/tavrin/tavrin.htm");
    // A build outside a checkout has no commit to name.
    EXPECT_EQ(AboutText({"1.2.3", "", ""}).rfind("Tavrin バージョン 1.2.3\n\n", 0), 0u);
}

TEST(OptionActions, TheButtonFaceColourIsKeptAsTheSystemColour) {
    EXPECT_EQ(WindowColourSetting(0xD4D0C8, 0xD4D0C8), -1);
    EXPECT_EQ(WindowColourSetting(0xD4D0C9, 0xD4D0C8), 0xD4D0C9);
    EXPECT_EQ(WindowColourSetting(0, 0xD4D0C8), 0);
}

// A VirtuaNES state file of layout 1: its 32 bytes of palette memory at offset 2440.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<uint8_t> VirtuaNesState() {
    std::vector<uint8_t> bytes(3000, 0);
    const char magic[] = "VirtuaNES";
    std::copy(magic, magic + 9, bytes.begin());
    bytes[15] = 1;
    for (int i = 0; i < 32; ++i)
        bytes[2440 + i] = static_cast<uint8_t>(0x40 + i);
    return bytes;
}

TEST_F(EditorTools, TheFirstStartWritesTheStateSectionOnceAndItsTextIsNeverRewritten) {
    ASSERT_FALSE(Exists("tavrin.ini"));
    // The first start writes the section at once: two definitions in use, the explanation
    // only in comment lines.
    Editor& first = Start();
    IniFile seeded;
    ASSERT_TRUE(seeded.Load(PathOf("tavrin.ini")));
    EXPECT_EQ(seeded.SectionKeys("STATE"), (std::vector<std::string>{".st*", ".sv*"}));
    for (const std::string& line : Lines(ReadText("tavrin.ini")))
        EXPECT_TRUE(line.empty() || line[0] == ';' || line[0] == '[' || line[0] == '.') << line;
    // Save-states import already in the first session: a VirtuaNES file fills palette-set
    // entries 0-31.
    const std::string state = WriteFile("game.st0", VirtuaNesState());
    const StateImportResult result = first.PaletteLoadState(state);
    EXPECT_EQ(result.key, ".st*");
    EXPECT_EQ(result.tableEntries, 32);
    for (int i = 0; i < 32; ++i)
        ASSERT_EQ(first.Space().PaletteSet().Table()[i], 0x40 + i) << i;
    first.FormDestroy(10, 20, -1);
    const std::string afterFirst = ReadText("tavrin.ini");
    EXPECT_NE(afterFirst.find("Left = 10"), std::string::npos);

    // The section is the user's: however it is written, a start and an exit keep its bytes.
    const std::string sectionOfUser = "[STATE]\r\n; mine\r\n.st*  =  0,0,0,0,20\r\n\r\n"
                                      ".abc=100,60,2,0,0 ; trailing\r\n;last words\r\n";
    for (const std::string& file :
         {sectionOfUser + "[Tavrin]\nLeft=1\n", "[Tavrin]\nLeft=1\n" + sectionOfUser,
          "[Tavrin]\nLeft=1\n" + sectionOfUser + "[TOOL]\nTool0Name=x\n",
          std::string(StateSectionExample())}) {
        WriteText("tavrin.ini", file);
        const auto [from, length] = IniSectionSpan(file, "STATE");
        ASSERT_NE(from, std::string::npos);
        Start().FormDestroy(77, 88, -1);
        const std::string after = ReadText("tavrin.ini");
        const auto [at, written] = IniSectionSpan(after, "STATE");
        ASSERT_NE(at, std::string::npos) << after;
        EXPECT_EQ(after.substr(at, written), file.substr(from, length)) << after;
        EXPECT_NE(after.find("Left = 77"), std::string::npos) << after;
    }

    // A user who removed the section does not get it back.
    WriteText("tavrin.ini", "[Tavrin]\nLeft=5\n");
    Start().FormDestroy(30, 40, -1);
    const std::string later = ReadText("tavrin.ini");
    EXPECT_EQ(later.find("[STATE]"), std::string::npos) << later;
    EXPECT_NE(later.find("Left = 30"), std::string::npos);
}

TEST_F(EditorTools, SettingsThatCannotBeWrittenAreNamedAtExit) {
    const std::string folder = PathOf("tavrin.ini");
    std::filesystem::create_directories(folder);
    Editor& e = Start();
    view.messages.clear();
    e.FormDestroy(0, 0, -1);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].rfind("設定ファイルに設定を保存できませんでした。\n"
                                     "ファイルを保存できませんでした：\n" +
                                         folder + "\n",
                                     0),
              0u)
        << view.messages[0];
    std::filesystem::remove(folder);
    // A file that can be written says nothing.
    Editor& again = Start();
    view.messages.clear();
    again.FormDestroy(0, 0, -1);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(Exists("tavrin.ini"));
}

struct CountingListener : WorkspaceListener {
    void WorkspaceChanged(WorkspaceChange change) override {
        palettes += change == WorkspaceChange::Palettes ? 1 : 0;
    }
    int palettes = 0;
};

TEST_F(EditorTools, StateImportRedrawsAllPanelsWhateverItDid) {
    WriteText("tavrin.ini", "[STATE]\n.zz0=10,6,2,20,4\n");
    std::vector<uint8_t> state(0x40, 0);
    const uint8_t colours[6] = {10, 20, 30, 200, 100, 50};
    std::copy(colours, colours + 6, state.begin() + 0x10);
    const uint8_t table[4] = {1, 0, 7, 7};
    std::copy(table, table + 4, state.begin() + 0x20);
    const std::string path = WriteFile("save.zz0", state);
    const std::string other = WriteFile("save.qq0", state);

    Editor& e = Start();
    CountingListener listener;
    e.Space().AddListener(&listener);
    const Colour before2 = e.Space().Palette().GetColor(2);
    view.ClearLog();
    const StateImportResult done = e.PaletteLoadState(path);
    EXPECT_EQ(done.paletteEntries, 2);
    EXPECT_EQ(done.tableEntries, 4);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(e.Space().Palette().GetColor(0), MakeColour(10, 20, 30));
    EXPECT_EQ(e.Space().Palette().GetColor(1), MakeColour(200, 100, 50));
    EXPECT_EQ(e.Space().Palette().GetColor(2), before2);
    // The display palette shows the new table through the new colours.
    EXPECT_EQ(e.DisplayPalette()[0], MakeColour(200, 100, 50));
    EXPECT_EQ(e.DisplayPalette()[1], MakeColour(10, 20, 30));
    EXPECT_EQ(view.Steps(), "P T E S L");
    EXPECT_EQ(listener.palettes, 1);

    // No definition: the message, nothing changed, and still the whole redraw.
    view.ClearLog();
    const StateImportResult none = e.PaletteLoadState(other);
    EXPECT_EQ(none.status, StateImportResult::Status::NoDefinition);
    EXPECT_EQ(view.messages, std::vector<std::string>{CStateFile::NoDefinitionMessage});
    EXPECT_EQ(e.Space().Palette().GetColor(0), MakeColour(10, 20, 30));
    EXPECT_EQ(view.Steps(), "P T E S L");
    EXPECT_EQ(listener.palettes, 2);
    e.Space().RemoveListener(&listener);
}

} // namespace
