#include "core/editor/Editor.h"

// The save-state import: the few lines that connect its core object to the editor.

namespace tavrin {

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

} // namespace tavrin
