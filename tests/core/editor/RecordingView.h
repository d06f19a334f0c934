#pragma once

#include "core/editor/Editor.h"
#include "core/editor/EditorView.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/SafeFileWriter.h"
#include "core/settings/OptionActions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace tavrin {

// An EditorView that remembers what the Editor asked for: every call as one line of the log
// (so tests can check the order of redraw steps) and the last value of every text, list and
// scroll bar.
class RecordingView : public EditorView {
public:
    void RepaintTileView() override { Log("T"); }
    void RepaintEditView() override { Log("E"); }
    void RepaintDatView() override { Log("S"); }
    void RepaintPalView() override { Log("L"); }
    void DisplayPaletteChanged() override { Log("P"); }

    void SetCaption(const std::string& text) override {
        caption = text;
        Log("caption");
    }
    void SetApplicationTitle(const std::string& text) override {
        applicationTitle = text;
        Log("title");
    }
    void SetStatusText(StatusPanel panel, const std::string& text) override {
        status[static_cast<int>(panel)] = text;
        Log("status");
    }
    void SetMouseHints(const std::string& left, const std::string& right) override {
        hintLeft = left;
        hintRight = right;
        ++hintCalls;
        Log("hints");
    }
    void SetToolTip(HintTarget target, const std::string& text) override {
        toolTips[target] = text;
        Log("tooltip");
    }

    void SetScrollRange(ScrollBarId bar, const ScrollRange& range) override {
        ranges[bar] = range;
        Log("range");
    }
    void SetScrollPosition(ScrollBarId bar, int position) override {
        positions[bar] = position;
        ++positionCalls[bar];
        Log("position");
    }

    void CommandStatesChanged() override {
        Log("C");
        if (onCommandStates)
            onCommandStates();
    }
    void LayoutChanged() override { Log("layout"); }

    void SetFormatList(const std::vector<std::string>& names) override {
        formatList = names;
        Log("formatList");
    }
    void SetFormatIndex(int index) override {
        formatIndex = index;
        Log("formatIndex");
    }
    void SetPatternList(const std::vector<std::string>& names) override {
        patternList = names;
        Log("patternList");
    }
    void SetPatternIndex(int index) override {
        patternIndex = index;
        Log("patternIndex");
    }

    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        Log("message");
    }
    void Beep() override {
        ++beeps;
        Log("beep");
    }
    // Failures are kept with the window's message, then beep as the default view does.
    void ReportFailure(const FileResult& result, FileAction action) override {
        failures.push_back(FailureMessage(result, action));
        PanelView::ReportFailure(result, action);
    }
    SaveAnswer AskSaveChanges() override {
        Log("askSave");
        return saveAnswer;
    }
    bool AskDiscardChanges() override {
        Log("askDiscard");
        return discardAnswer;
    }
    ExtendAnswer AskExtendFile() override {
        Log("askExtend");
        return extendAnswer;
    }
    std::optional<PaletteDestination> AskPaletteDestination(bool) override {
        Log("askPalette");
        return paletteAnswer;
    }
    void FocusPanel(Panel panel) override {
        focused = panel;
        Log("focus");
    }
    void ShowPopupMenu(int x, int y) override {
        popups.push_back({x, y});
        Log("popup");
    }
    void ShowPaletteEditor(int masterIndex) override {
        paletteEditors.push_back(masterIndex);
        Log("paletteEditor");
    }

    bool ClipboardHasDib() override { return !clipboard.empty(); }
    std::vector<uint8_t> ClipboardDib() override { return clipboard; }
    bool SetClipboardDib(const std::vector<uint8_t>& packedDib) override {
        Log("setClipboard");
        if (refuseClipboard)
            return false;
        clipboard = packedDib;
        return true;
    }
    void ClearClipboard() override {
        clipboard.clear();
        Log("clearClipboard");
    }
    // The dialogs answer with what the test put here: an optimiser run on the source (or
    // cancel when unset) and a replacement map (or cancel when unset).
    bool RunColourOptimize(Image8& source, const Image8& destination) override {
        Log("optimize");
        return optimize ? optimize(source, destination) : false;
    }
    bool RunReplaceColour(int colourCount, const CPalette& /*palette*/, const uint8_t* groupEntries,
                          std::array<uint8_t, 256>& map) override {
        Log("replace");
        replaceColourCount = colourCount;
        replaceGroupEntry0 = groupEntries[0];
        if (!replaceMap)
            return false;
        map = *replaceMap;
        return true;
    }

    // The redraw steps and notifications since the last ClearLog, joined by spaces; only the
    // one-letter steps when stepsOnly.
    std::string Steps() const {
        std::string out;
        for (const std::string& entry : log) {
            if (entry.size() != 1)
                continue;
            if (!out.empty())
                out += ' ';
            out += entry;
        }
        return out;
    }
    void ClearLog() { log.clear(); }
    int Count(const std::string& entry) const {
        int n = 0;
        for (const std::string& e : log)
            n += e == entry ? 1 : 0;
        return n;
    }

    std::vector<std::string> log;
    std::string caption;
    std::string applicationTitle;
    std::map<int, std::string> status;
    std::string hintLeft;
    std::string hintRight;
    int hintCalls = 0;
    std::map<HintTarget, std::string> toolTips;
    std::map<ScrollBarId, ScrollRange> ranges;
    std::map<ScrollBarId, int> positions;
    std::map<ScrollBarId, int> positionCalls;
    std::vector<std::string> formatList;
    int formatIndex = -1;
    std::vector<std::string> patternList;
    int patternIndex = -1;
    std::vector<std::string> messages;
    std::optional<PaletteDestination> paletteAnswer = PaletteDestination::MasterPalette;
    int beeps = 0;
    std::vector<std::string> failures;
    SaveAnswer saveAnswer = SaveAnswer::Discard;
    bool discardAnswer = true;
    ExtendAnswer extendAnswer = ExtendAnswer::OriginalSize;
    Panel focused = Panel::None;
    std::vector<std::pair<int, int>> popups;
    std::vector<int> paletteEditors;
    std::vector<uint8_t> clipboard;
    bool refuseClipboard = false;
    std::function<bool(Image8&, const Image8&)> optimize;
    std::optional<std::array<uint8_t, 256>> replaceMap;
    // What the window does on each command-state refresh besides reading the queries.
    std::function<void()> onCommandStates;
    int replaceColourCount = 0;
    int replaceGroupEntry0 = -1;

private:
    void Log(const std::string& entry) { log.push_back(entry); }
};

// A test with a folder of its own that stands for the executable's folder: the Editor's
// executable is <dir>/tavrin, so its settings are <dir>/tavrin.ini and its standard files
// <dir>/tavrin.dat, .pal, .adf and .chr.
class EditorTest : public test::TempFolderTest {
protected:
    void SetUp() override { paths = AppPaths::BesideExecutable(ExePath()); }
    void TearDown() override { editor.reset(); }

    std::string PathOf(const std::string& name) const { return Path(name); }
    std::string ExePath() const { return PathOf("tavrin"); }

    std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
        return Write(name, bytes);
    }
    std::vector<uint8_t> ReadFile(const std::string& name) const {
        return test::ReadBytesIfAny(PathOf(name));
    }
    std::string ReadText(const std::string& name) const {
        const std::vector<uint8_t> bytes = ReadFile(name);
        return std::string(bytes.begin(), bytes.end());
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_dir / name); }

    // Builds the Editor and runs its start-up with the given arguments.
    Editor& Start(const std::vector<std::string>& arguments = {}, int wheelLines = 3) {
        editor.reset();
        workspace = std::make_unique<Workspace>();
        settings = std::make_unique<CIniInfo>();
        OpenSettingsFile(*settings, paths.settingsFile);
        editor = std::make_unique<Editor>(view, *workspace, *settings, paths, wheelLines);
        editor->FormCreate(arguments);
        editor->FormShow();
        return *editor;
    }

    // A plain file of n bytes whose byte i is i mod 251 (so pages differ).
    static std::vector<uint8_t> Counting(size_t n) {
        std::vector<uint8_t> bytes(n);
        for (size_t i = 0; i < n; ++i)
            bytes[i] = static_cast<uint8_t>(i % 251);
        return bytes;
    }
    // An iNES image: header, optional 512-byte trainer, then program and character banks.
    static std::vector<uint8_t> INes(int programBanks, int characterBanks, bool trainer,
                                     size_t extra = 0) {
        std::vector<uint8_t> bytes(16 + (trainer ? 512 : 0) +
                                   static_cast<size_t>(programBanks) * 16384 +
                                   static_cast<size_t>(characterBanks) * 8192 + extra);
        bytes[0] = 0x4E;
        bytes[1] = 0x45;
        bytes[2] = 0x53;
        bytes[3] = 0x1A;
        bytes[4] = static_cast<uint8_t>(programBanks);
        bytes[5] = static_cast<uint8_t>(characterBanks);
        bytes[6] = trainer ? 0x04 : 0x00;
        for (size_t i = 16; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i * 7);
        return bytes;
    }

    RecordingView view;
    // Where the editor finds its files; a test may change them before Start.
    AppPaths paths;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<CIniInfo> settings;
    std::unique_ptr<Editor> editor;
};

} // namespace tavrin
