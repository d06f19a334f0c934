#include "core/editor/Editor.h"

// The save-state import: the few lines that connect its core object to the editor.

namespace tavrin {

StateImportResult Editor::PaletteLoadState(const std::string& path) {
    const StateImportResult result = m_ws.ImportState(m_paths.settingsFile, path, this);
    const std::string message = result.Message();
    if (!message.empty())
        m_view.ShowMessage(message);
    // Whatever the import did, the panels show the palettes as they are now.
    RebuildDisplayPalette();
    Redraw();
    return result;
}

} // namespace tavrin
