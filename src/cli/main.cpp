#include "cli/CliCommands.h"
#include "core/app/AppPaths.h"
#include "core/platform/ProgramPath.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    tavrin::AppPaths paths = tavrin::AppPaths::InFolder(tavrin::ExecutableDir());
    paths.pluginFolder = tavrin::ExecutableDir() + "plugins/";
    return tavrin::RunCli(args, paths, std::cout, std::cerr);
}
