#pragma once

namespace tavrin {

class Workspace;

// Where the data of a workspace's document ends for pages: its end address, or the end of
// the file when an iNES header declares more character data than the file holds. Bytes past
// it read as zero and are never written back.
int DataPageLimit(const Workspace& workspace);

// How many pages "all" means from first, for an export and an import alike: every page that
// starts before DataPageLimit; 0 when first is at or past it (an empty file, a start address
// past the end of a short iNES file).
long long PagesInData(const Workspace& workspace, int first);

} // namespace tavrin
