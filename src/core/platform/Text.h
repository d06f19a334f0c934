#pragma once

#include <initializer_list>
#include <string>

// User-facing texts of the core. Each is written here in the language the window shows by
// default and marked with TAVRIN_TR or TAVRIN_TR_NOOP, which Qt's lupdate reads as
// QT_TRANSLATE_NOOP (run it with -tr-function-alias QT_TRANSLATE_NOOP+=TAVRIN_TR,
// QT_TRANSLATE_NOOP+=TAVRIN_TR_NOOP), so the translation tools find them without the core
// knowing Qt. The window installs a translator; without one every text stays as written.

namespace tavrin {

// Gives the translation of text in context, or text itself.
using TextTranslator = std::string (*)(const char* context, const char* text);

// The window sets this once at start; nullptr restores the texts as written.
void SetTextTranslator(TextTranslator translator);
std::string TranslateText(const char* context, const char* text);
// Replaces each "%1", "%2" of a (translated) text by its argument.
std::string FillText(std::string text, std::initializer_list<std::string> args);

} // namespace tavrin

// A text translated where it is used.
#define TAVRIN_TR(context, text) ::tavrin::TranslateText(context, text)
// A text in a table, marked for the tools; TranslateText(context, entry) when shown.
#define TAVRIN_TR_NOOP(context, text) text
