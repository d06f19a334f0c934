#pragma once

#include "cli/CliOptions.h"

#include <iosfwd>

namespace tavrin {

class CFormatTable;
class Workspace;

// tavrin-cli find ROM: the next graphics after --from as F3 finds them, or with --backward
// the previous as Shift+F3 does; with --bytes or --text the first match at or after --from
// (the last at or before it with --backward). Prints the address; status 1 when none.
int RunFind(const CliOptions& options, Workspace& workspace, std::ostream& out, std::ostream& err);

// tavrin-cli bookmarks ROM: the bookmarks of ROM.bookmarks, one a line, tab-separated; a
// damaged line of the file is named on err.
int RunBookmarks(const CliOptions& options, std::ostream& out, std::ostream& err);

// --address @NAME: the bookmark's address, and its format, pattern, rotation, mirror and
// palette group where those options were not given. False, reported, when there is no such
// bookmark.
bool ApplyBookmark(CliOptions& options, const CFormatTable& formats, std::ostream& err);

} // namespace tavrin
