#pragma once

#include "cli/CliOptions.h"

#include <string>

namespace tavrin {

// The file the command writes (the ROM for import), or null for a command that writes none.
const std::string* CliOutputFile(const CliOptions& options);

// Why the file the command writes may not be written: it is one of the files the command
// reads (the ROM, a palette, a set file...), however its name is spelled (a link, "./", a
// hard link: the same device and inode). "" when it is another file or does not exist yet.
// Asked before any work, so an input is never replaced by the command's output.
std::string OutputOverInputProblem(const CliOptions& options);

} // namespace tavrin
