#pragma once

#include "core/set/SetComposer.h"
#include "core/workspace/Workspace.h"

#include <functional>

namespace tavrin {

// The set window on the shared workspace: whenever the page picture changes (decoded again,
// shown in other colours) the composer takes it as its tile source at once and the window
// repaints what was redrawn. While the window is hidden nothing is drawn; showing it takes
// the picture again.
class SetWorkspaceLink : public WorkspaceListener {
public:
    using Repaint = std::function<void(const SetRedraw&)>;

    SetWorkspaceLink(Workspace& workspace, SetComposer& composer, Repaint repaint);
    ~SetWorkspaceLink() override;
    SetWorkspaceLink(const SetWorkspaceLink&) = delete;
    SetWorkspaceLink& operator=(const SetWorkspaceLink&) = delete;

    // The window was shown (the picture is taken now) or hidden.
    void SetShown(bool shown);
    bool IsShown() const { return m_shown; }
    // The page picture as the tile source, repainted.
    void Refresh();

    void WorkspaceChanged(WorkspaceChange change) override;

private:
    Workspace& m_ws;
    SetComposer& m_composer;
    Repaint m_repaint;
    bool m_shown = false;
};

} // namespace tavrin
