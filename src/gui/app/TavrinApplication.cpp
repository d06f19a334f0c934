#include "gui/app/TavrinApplication.h"

#include "core/platform/ProgramPath.h"
#include "gui/app/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <string>
#include <vector>

namespace tavrin {

void SetUpApplication(QApplication& app) {
    // No display name: Qt would append it to every window caption.
    app.setApplicationName(QStringLiteral("Tavrin"));
    QFont font(QStringLiteral("VL Gothic"));
    font.setPixelSize(12);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);
}

int RunTavrin(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    SetUpApplication(app);

    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    MainWindow window(ExecutablePath(), arguments);
    // TAVRIN_STARTUP_REPORT=1 prints the time to the first painted window and the resident
    // memory; "quit" also ends the program right after.
    const QByteArray report = qgetenv("TAVRIN_STARTUP_REPORT");
    if (!report.isEmpty())
        window.ReportFirstPaint(clock, report == "quit");
    window.show();
    return app.exec();
}

} // namespace tavrin
