#pragma once

#include <functional>
#include <string>

namespace tavrin {

class IniFile;

// The settings of this desktop port: the language of the window and the view scale. They
// live in a section of their own, so settings files written before (and the section
// "Tavrin") stay as they were. Both apply at the next start.
struct DesktopSettings {
    static constexpr const char* Section = "Tavrin.Linux";

    // "ja" or "en", or "" (the default) to follow the desktop's language (LanguageOfLocale).
    std::string Language;
    // 0 for automatic (from the screen's pixel density), else one of ViewScaleChoices.
    int ViewScale = 0;

    // Values that are missing or not understood give the defaults.
    void ReadFrom(const IniFile& ini);
    void WriteTo(IniFile& ini) const;
    // The file's section; a file that cannot be read gives the defaults.
    static DesktopSettings ReadFile(const std::string& settingsFile);
};

// "ja" or "en" for a language name as typed (case ignored; "japanese", "english" too), or ""
// when it is neither.
std::string LanguageCode(const std::string& name);

// The window's language for a desktop locale ("ja_JP.UTF-8", "de_DE", "C"): Japanese for a
// Japanese locale and for the plain C/POSIX one (or none), English for any other.
std::string LanguageOfLocale(const std::string& locale);

// The locale the desktop asks for messages, as the C library reads it: $LC_ALL, else
// $LC_MESSAGES, else $LANG (the first that is set and not empty).
std::string MessagesLocale(const std::function<const char*(const char*)>& environment);

// The language of this run: the command line's, else the saved setting, else the desktop's.
std::string StartLanguage(const std::string& commandLine, const std::string& saved,
                          const std::string& locale);

} // namespace tavrin
