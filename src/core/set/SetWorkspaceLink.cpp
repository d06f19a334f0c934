#include "core/set/SetWorkspaceLink.h"

#include <utility>

namespace tavrin {

SetWorkspaceLink::SetWorkspaceLink(Workspace& workspace, SetComposer& composer, Repaint repaint)
    : m_ws(workspace), m_composer(composer), m_repaint(std::move(repaint)) {
    m_ws.AddListener(this);
}

SetWorkspaceLink::~SetWorkspaceLink() {
    m_ws.RemoveListener(this);
}

void SetWorkspaceLink::SetShown(bool shown) {
    m_shown = shown;
    if (shown)
        Refresh();
}

void SetWorkspaceLink::Refresh() {
    const Image8& tiles = m_ws.TileImage();
    const SetRedraw redraw = m_composer.SetTileSource(tiles, tiles.Colours());
    if (m_repaint)
        m_repaint(redraw);
}

void SetWorkspaceLink::WorkspaceChanged(WorkspaceChange change) {
    // Only the picture matters here: the page, bytes and palettes reach it through a decode
    // or new colours, which come after the change itself.
    if (m_shown && change == WorkspaceChange::TileImage)
        Refresh();
}

} // namespace tavrin
