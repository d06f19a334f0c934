#include "gui/app/ViewScaleStartup.h"

#include "core/startup/ViewScale.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace tavrin {

double PrepareViewScale(int choice, int argc, char** argv) {
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return 1;
    double dotsPerInch = 96;
    double desktopRatio = 1;
    {
        // The probe may take Qt's own arguments out of its copy; the real application sees
        // them all again.
        int probeArgc = argc;
        std::vector<char*> probeArgv(argv, argv + argc);
        probeArgv.push_back(nullptr);
        QGuiApplication probe(probeArgc, probeArgv.data());
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            dotsPerInch = screen->physicalDotsPerInch();
            desktopRatio = screen->devicePixelRatio();
        }
    }
    const double factor = ToolkitScaleFactor(choice, dotsPerInch, desktopRatio);
    if (std::abs(factor - 1) < 1e-6)
        return 1;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 6));
    return factor;
}

} // namespace tavrin
