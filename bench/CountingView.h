#pragma once

#include "core/editor/EditorView.h"
#include "core/platform/Image8.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// An EditorView for the benchmarks: counts the repaints, answers everything else with nothing
// (no clipboard, dialogs cancelled).
class CountingView : public tavrin::EditorView {
public:
    int repaints = 0;
    void RepaintTileView() override { ++repaints; }
    void RepaintEditView() override { ++repaints; }
    void RepaintDatView() override { ++repaints; }
    void RepaintPalView() override { ++repaints; }
    void DisplayPaletteChanged() override {}
    void SetCaption(const std::string&) override {}
    void SetApplicationTitle(const std::string&) override {}
    void SetStatusText(tavrin::StatusPanel, const std::string&) override {}
    void SetMouseHints(const std::string&, const std::string&) override {}
    void SetToolTip(tavrin::HintTarget, const std::string&) override {}
    void SetScrollRange(tavrin::ScrollBarId, const tavrin::ScrollRange&) override {}
    void SetScrollPosition(tavrin::ScrollBarId, int) override {}
    void CommandStatesChanged() override {}
    void LayoutChanged() override {}
    void SetFormatList(const std::vector<std::string>&) override {}
    void SetFormatIndex(int) override {}
    void SetPatternList(const std::vector<std::string>&) override {}
    void SetPatternIndex(int) override {}
    void ShowMessage(const std::string&) override {}
    void Beep() override {}
    void FocusPanel(tavrin::Panel) override {}
    void ShowPopupMenu(int, int) override {}
    void ShowPaletteEditor(int) override {}
    bool ClipboardHasDib() override { return false; }
    std::vector<uint8_t> ClipboardDib() override { return {}; }
    bool SetClipboardDib(const std::vector<uint8_t>&) override { return false; }
    void ClearClipboard() override {}
    bool RunColourOptimize(tavrin::Image8&, const tavrin::Image8&) override { return false; }
    bool RunReplaceColour(int, const tavrin::CPalette&, const uint8_t*,
                          std::array<uint8_t, 256>&) override {
        return false;
    }
};
