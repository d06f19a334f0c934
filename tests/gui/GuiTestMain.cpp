// The window tests need a QApplication before any test; they run offscreen unless told
// otherwise, with a private runtime folder so Qt does not complain about the shared one.
#include "gui/app/GuardedApplication.h"
#include "gui/app/TavrinApplication.h"
#include "gui/app/ViewScaleStartup.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string runtimeDir = "/tmp/tavrin-gui-tests-XXXXXX";
    if (mkdtemp(runtimeDir.data())) {
        chmod(runtimeDir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    // A test that needs the window at another view scale runs this program again with it.
    if (const char* scale = std::getenv("TAVRIN_TEST_VIEW_SCALE"))
        tavrin::PrepareViewScale(std::atoi(scale), argc, argv);
    tavrin::GuardedApplication app(argc, argv);
    tavrin::SetUpApplication(app);
    const int result = RUN_ALL_TESTS();
    rmdir(runtimeDir.c_str());
    return result;
}
