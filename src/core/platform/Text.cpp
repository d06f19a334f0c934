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

std::string FillText(std::string text, std::initializer_list<std::string> args) {
    int n = 1;
    for (const std::string& arg : args) {
        const std::string mark = "%" + std::to_string(n++);
        if (size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), arg);
    }
    return text;
}

} // namespace tavrin
