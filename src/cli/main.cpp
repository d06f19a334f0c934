#include "cli/CliCommands.h"
#include "core/platform/ProgramPath.h"
#include "core/startup/AppPaths.h"
#include "core/startup/InstallLayout.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The window's layout rule, with the window's file names: beside this program (portable)
    // or share/tavrin and the user's folders (installed).
    const tavrin::AppPaths paths =
        tavrin::ResolveAppPaths(tavrin::SystemLayoutInputs(tavrin::ExecutableDir() + "tavrin"));
    return tavrin::RunCli(args, paths, std::cout, std::cerr);
}
