#include "cli/CliCommands.h"
#include "core/app/AppPaths.h"
#include "core/platform/ProgramPath.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tavrin::RunCli(args, tavrin::AppPaths::InFolder(tavrin::ExecutableDir()), std::cout,
                          std::cerr);
}
