#include "core/workspace/DataPages.h"

#include "core/workspace/Workspace.h"

#include <algorithm>

namespace tavrin {

int DataPageLimit(const Workspace& workspace) {
    const RomDocument& doc = workspace.Document();
    return std::min(doc.EndAddress(), doc.DataSize());
}

long long PagesInData(const Workspace& workspace, int first) {
    const long long limit = DataPageLimit(workspace);
    const long long pageBytes = workspace.Page().pageBytes;
    if (first < 0 || first >= limit || pageBytes <= 0)
        return 0;
    return (limit - first + pageBytes - 1) / pageBytes;
}

} // namespace tavrin
