#pragma once

#include "core/startup/AppPaths.h"

#include <string>
#include <vector>

namespace tavrin::test {

// What one run of the command-line tool said.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// The paths of the tool as installed beside the built programs (standard files included).
AppPaths BuiltProgramPaths();

// Runs tavrin-cli in this process with the given arguments and paths.
CliRun Cli(const std::vector<std::string>& args, const AppPaths& paths = BuiltProgramPaths());

} // namespace tavrin::test
