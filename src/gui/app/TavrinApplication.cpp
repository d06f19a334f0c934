#include "gui/app/TavrinApplication.h"

#include "core/platform/FileIO.h"
#include "core/platform/ProgramPath.h"
#include "core/platform/Text.h"
#include "core/startup/DesktopSettings.h"
#include "core/startup/InstallLayout.h"
#include "core/startup/StartOptions.h"
#include "gui/app/GuardedApplication.h"
#include "gui/app/MainWindow.h"
#include "gui/app/Translations.h"
#include "gui/app/ViewScaleStartup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <cstdio>
#include <cstdlib>
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
    "Usage: tavrin [--lang ja|en] [--scale auto|100|150|200|300|400] [FILE]\n"
    "\n"
    "Tavrin, the tile graphics editor. Opens FILE (any ROM or tile file) as raw bytes and shows\n"
    "it page by page; without FILE it opens the demo tavrin.chr, or a new document.\n"
    "\n"
    "  --lang ja|en   the window's language for this run: Japanese or English (default: the\n"
    "                 setting, else the desktop's: Japanese for a Japanese or C locale,\n"
    "                 English for any other)\n"
    "  --scale S      the view scale for this run: auto (from the screen's pixel density, the\n"
    "                 default) or 100, 150, 200, 300, 400 percent\n"
    "  --help         this text\n"
    "Both are also chosen in the settings dialog (Option menu); a choice made there applies at\n"
    "the next start.\n"
    "\n"
    "Where files live: a program run from an install prefix (bin/ with ../share/tavrin/) keeps\n"
    "its settings in ~/.config/tavrin/tavrin.ini (or $XDG_CONFIG_HOME/tavrin/) and reads the\n"
    "standard palette, palette set, patterns and manual from share/tavrin; anywhere else (or\n"
    "with a tavrin.ini beside it) it is portable and keeps everything beside itself. Opening\n"
    "FILE also loads FILE's .dat, .pal, .adf and .col companions when they exist.\n"
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
    "tavrin-cli exports and imports pages from the command line; see tavrin-cli --help.\n"
    "\n";

} // namespace

int RunTavrin(int argc, char** argv) {
    const std::vector<std::string> rawArguments(argv + 1, argv + argc);
    const StartOptions options = ParseStartOptions(rawArguments, FileExists);
    if (!options.error.empty()) {
        std::fprintf(stderr, "tavrin: %s\nTry tavrin --help.\n", options.error.c_str());
        return 2;
    }
    const AppPaths paths = ResolveAppPaths(SystemLayoutInputs(ExecutablePath()));
    if (options.help) {
        std::fputs(kUsage, stdout);
        std::fputs(DescribeFolders(paths).c_str(), stdout);
        return 0;
    }
    // Language and scale are taken at start: the command line for this run, else the
    // settings file.
    const DesktopSettings desktop = DesktopSettings::ReadFile(paths.settingsFile);
    const std::string language =
        StartLanguage(options.language, desktop.Language, MessagesLocale(std::getenv));
    QElapsedTimer clock;
    clock.start();
    PrepareViewScale(options.viewScale >= 0 ? options.viewScale : desktop.ViewScale, argc, argv);
    GuardedApplication app(argc, argv);
    SetUpApplication(app);
    if (!InstallLanguage(language))
        std::fprintf(stderr, "tavrin: the %s texts could not be loaded\n", language.c_str());
    PrepareUserFolders(paths);

    // The application took its own arguments (-platform ...) out of argv.
    const StartOptions documents =
        ParseStartOptions(std::vector<std::string>(argv + 1, argv + argc), FileExists);
    MainWindow window(paths, documents.files);
    // TAVRIN_STARTUP_REPORT=1 prints the time to the first painted window and the resident
    // memory; "quit" also ends the program right after.
    const QByteArray report = qgetenv("TAVRIN_STARTUP_REPORT");
    if (!report.isEmpty())
        window.ReportFirstPaint(clock, report == "quit");
    window.show();
    return app.exec();
}

} // namespace tavrin
