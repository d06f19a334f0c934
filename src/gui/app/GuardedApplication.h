#pragma once

#include <QApplication>
#include <QString>
#include <functional>

namespace tavrin {

// The application object. An exception that escapes an event handler is shown in a message
// box and the program goes on, with the document as the handler left it.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the text of an escaped exception: a message box unless replaced (tests record).
    std::function<void(const QString&)> ReportError;
};

} // namespace tavrin
