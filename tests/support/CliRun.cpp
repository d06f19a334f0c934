#include "support/CliRun.h"

#include "cli/CliCommands.h"

#include <sstream>

namespace tavrin::test {

AppPaths BuiltProgramPaths() {
    return AppPaths::InFolder(std::string(TAVRIN_BIN_DIR) + "/");
}

CliRun Cli(const std::vector<std::string>& args, const AppPaths& paths) {
    std::ostringstream out, err;
    const int status = RunCli(args, paths, out, err);
    return {status, out.str(), err.str()};
}

} // namespace tavrin::test
