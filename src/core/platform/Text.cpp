#include "core/platform/Text.h"

#include <atomic>

namespace tavrin {

namespace {

std::atomic<TextTranslator> g_translator{nullptr};

} // namespace

void SetTextTranslator(TextTranslator translator) {
    g_translator.store(translator);
}

std::string TranslateText(const char* context, const char* text) {
    const TextTranslator translator = g_translator.load();
    return translator != nullptr ? translator(context, text) : std::string(text);
}

} // namespace tavrin
