#pragma once

#include "core/workspace/Workspace.h"

#include <cstdint>

namespace tavrin {

// Tests change the document's bytes behind the workspace's back, as another program writing
// the buffer would, to see what the windows and the saves make of it.
struct WorkspaceTestAccess {
    static uint8_t* Bytes(Workspace& ws) { return ws.m_doc.Data(); }
};

} // namespace tavrin
