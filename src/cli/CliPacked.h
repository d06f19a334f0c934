#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin {

// The packed-graphics commands: scan, unpack, pack.
bool IsPackedCommand(const std::string& name);
// Runs one of them from its arguments (the command name first).
int RunPackedCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The lines the tool's help gives them.
const char* PackedCommandsSummary();

} // namespace tavrin
