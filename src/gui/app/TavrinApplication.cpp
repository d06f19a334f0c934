#include "gui/app/TavrinApplication.h"

#include "core/platform/FileIO.h"
#include "core/platform/ProgramPath.h"
#include "core/platform/Text.h"
#include "gui/app/GuardedApplication.h"
#include "gui/app/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <cstdio>
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
    // The core's texts are translated where the window shows them, through Qt's translators.
    SetTextTranslator([](const char* context, const char* text) {
        return QCoreApplication::translate(context, text).toStdString();
    });
}

namespace {

const char* const kUsage =
    "Usage: tavrin [FILE]\n"
    "\n"
    "Tavrin, the tile graphics editor. Opens FILE (any ROM or tile file) as raw bytes and shows\n"
    "it page by page; without FILE it opens tavrin.chr beside the program, or a new document.\n"
    "\n"
    "Beside the program it keeps its settings (tavrin.ini) and the standard palette, palette\n"
    "set and patterns (tavrin.pal, tavrin.dat, tavrin.adf). Opening FILE also loads FILE's\n"
    ".dat, .pal, .adf and .col companions when they exist.\n"
    "\n"
    "Keys: Home/End first and last address, Up/Down one row, Left/Right one tile, PgUp/PgDn\n"
    "one page, keypad -/+ one byte, Ctrl+J jump to an address, F3 next graphics; Ctrl+0..9\n"
    "formats; Z/V previous/next palette group, X/C previous/next colour; Ctrl+M colour set;\n"
    "F7 reload; F11 standard palettes.\n"
    "\n"
    "Files: the caption shows \" *\" while there are unsaved changes, and closing, New, Open,\n"
    "a drop and F7 ask first. Tiles past the end of the file's data are hatched; drawing\n"
    "there asks on save whether to extend the file. A file that cannot be opened or saved\n"
    "is named with the reason.\n"
    "\n"
    "Drawing: left button on EDIT draws, right button picks a colour; 0-9 choose the pen\n"
    "(0 stamp, 1 pen, 2 checker, 3 line, 4-6 rectangles, 7-8 ellipses, 9 fill). Ctrl+Z/Ctrl+Y\n"
    "undo/redo, Ctrl+X/C/V cut/copy/paste (Shift+Ctrl+V with colour optimisation), Del clear,\n"
    "Ctrl+arrows mirror/turn, Shift+arrows shift one dot, Ctrl+R replace colours, F9 snapshot.\n"
    "A right click on the palettes opens the palette editor.\n"
    "\n"
    "tavrin-cli exports and imports pages from the command line; see tavrin-cli --help.\n";

} // namespace

int RunTavrin(int argc, char** argv) {
    // A lone --help that names no file prints the usage instead of opening a document.
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") &&
        !FileExists(argv[1])) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    GuardedApplication app(argc, argv);
    SetUpApplication(app);

    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    MainWindow window(AppPaths::BesideExecutable(ExecutablePath()), arguments);
    // TAVRIN_STARTUP_REPORT=1 prints the time to the first painted window and the resident
    // memory; "quit" also ends the program right after.
    const QByteArray report = qgetenv("TAVRIN_STARTUP_REPORT");
    if (!report.isEmpty())
        window.ReportFirstPaint(clock, report == "quit");
    window.show();
    return app.exec();
}

} // namespace tavrin
