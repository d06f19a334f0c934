#pragma once

class QApplication;

namespace tavrin {

// The application-wide look: the Japanese UI font of 12 pixels and the application names.
void SetUpApplication(QApplication& app);

// The whole program: application, main window, message loop. Returns the exit code.
int RunTavrin(int argc, char** argv);

} // namespace tavrin
