#include "gui/app/Translations.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

// The resources live in a static library of their own; this pulls them into the program.
static void InitTranslationResources() {
    Q_INIT_RESOURCE(tavrin_translations);
}

namespace tavrin {

namespace {

std::unique_ptr<QTranslator>& Current() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::string& CurrentLanguage() {
    static std::string language = "ja";
    return language;
}

} // namespace

bool InstallLanguage(const std::string& language) {
    if (Current()) {
        QCoreApplication::removeTranslator(Current().get());
        Current().reset();
    }
    CurrentLanguage() = "ja";
    if (language == "ja")
        return true;
    if (language != "en")
        return false;
    InitTranslationResources();
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/tavrin_en.qm")) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    Current() = std::move(translator);
    CurrentLanguage() = language;
    return true;
}

std::string InstalledLanguage() {
    return CurrentLanguage();
}

} // namespace tavrin
