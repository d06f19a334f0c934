#include "gui/app/GuardedApplication.h"

#include <QEvent>
#include <QObject>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class Throwing : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
        return QObject::event(e);
    }
};

} // namespace

TEST(GuardedApplication, AnEscapedExceptionIsReportedAndTheProgramGoesOn) {
    auto* app = dynamic_cast<tavrin::GuardedApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    const auto previous = app->ReportError;
    QStringList reported;
    app->ReportError = [&](const QString& text) { reported << text; };
    Throwing target;
    QEvent first(QEvent::User);
    QCoreApplication::sendEvent(&target, &first);
    QEvent second(QEvent::User);
    QCoreApplication::sendEvent(&target, &second);
    app->ReportError = previous;
    EXPECT_EQ(reported, QStringList({"TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data",
                                     "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data"}));
}
