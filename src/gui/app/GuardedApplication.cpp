#include "gui/app/GuardedApplication.h"

#include <QMessageBox>
#include <exception>

namespace tavrin {

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv), ReportError([](const QString& text) {
          QMessageBox::critical(activeWindow(), applicationName(), text);
      }) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportError(QStringLiteral("Unexpected error."));
    }
    return false;
}

} // namespace tavrin
