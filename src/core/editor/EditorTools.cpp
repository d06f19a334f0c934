#include "core/editor/Editor.h"

#include "core/dib/BitmapFile.h"
#include "core/platform/FileIO.h"
#include "core/tools/ToolTempFolder.h"
#include "core/workspace/ImageIndices.h"

// The external tools and the save-state import: the few lines that connect their own core
// objects to the editor.

namespace tavrin {

// ---- Save-states ----

StateImportResult Editor::PaletteLoadState(const std::string& path) {
    // The definitions are read at every import, so edits to the settings file count at once.
    CStateFile state(m_paths.settingsFile, m_ws.Palette(), m_ws.PaletteSet());
    const StateImportResult result = state.LoadFromFile(path);
    const std::string message = result.Message();
    if (!message.empty())
        m_view.ShowMessage(message);
    // Whatever the import did, the panels show the palettes as they are now.
    RebuildDisplayPalette();
    Redraw();
    m_ws.PalettesEdited(this);
    return result;
}

// ---- External tools ----

void Editor::HelpLoadConfig() {
    m_tools.Load();
    m_toolCaptionsApplied = false;
}

bool Editor::HelpSaveConfig() {
    return m_tools.Save();
}

void Editor::ToolConfigChanged() {
    m_toolCaptionsApplied = false;
    RefreshCommandStates();
}

ToolRunContext Editor::ToolContext() const {
    ToolRunContext context;
    context.documentPath = m_ws.Document().FilePath();
    // %EXEPATH names the program's own folder, also when its data lies elsewhere.
    context.executableDir = m_paths.programFolder;
    context.tempBitmapPath = ToolTempBitmapPath(m_paths.tempFolder);
    return context;
}

ToolRunResult Editor::RunTool(int index, ToolRunnerHost& host) {
    ToolRunner runner(host, m_tools);
    return runner.Run(index, ToolContext());
}

void Editor::PasteToolBitmap(const std::string& path) {
    Image8 image;
    std::string detail;
    const FileResult read = BitmapFileIndices(path, m_ws, OtherColours::Reduce, image, detail);
    if (!read) {
        if (detail.empty())
            m_view.ReportFailure(read, FileAction::Open);
        else
            m_view.ShowMessage(path + ":\n" + detail);
        return;
    }
    LoadSnapshot(image);
}

bool Editor::WriteTileBitmap(const std::string& path) const {
    // The tile image carries the display palette (RebuildDisplayPalette).
    return static_cast<bool>(WriteBitmapFile(path, m_ws.TileImage()));
}

} // namespace tavrin
