#pragma once

#include <string>

namespace tavrin {

class IniFile;

// The settings of this desktop port: the language of the window and the view scale. They
// live in a section of their own, so settings files written before (and the section
// "Tavrin") stay as they were. Both apply at the next start.
struct DesktopSettings {
    static constexpr const char* Section = "Tavrin.Linux";

    // "ja" (the default) or "en".
    std::string Language = "ja";
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

} // namespace tavrin
