#include "core/startup/DesktopSettings.h"

#include "core/platform/IniFile.h"
#include "core/startup/ViewScale.h"

#include <algorithm>
#include <cctype>

namespace tavrin {

void DesktopSettings::ReadFrom(const IniFile& ini) {
    const DesktopSettings defaults;
    Language = LanguageCode(ini.ReadString(Section, "Language", ""));
    const int scale = ini.ReadInteger(Section, "ViewScale", defaults.ViewScale);
    ViewScale = scale == 0 || IsViewScaleChoice(scale) ? scale : defaults.ViewScale;
}

void DesktopSettings::WriteTo(IniFile& ini) const {
    ini.WriteString(Section, "Language", Language);
    ini.WriteInteger(Section, "ViewScale", ViewScale);
}

DesktopSettings DesktopSettings::ReadFile(const std::string& settingsFile) {
    DesktopSettings settings;
    IniFile ini;
    if (!settingsFile.empty() && ini.Load(settingsFile))
        settings.ReadFrom(ini);
    return settings;
}

std::string LanguageOfLocale(const std::string& locale) {
    const std::string name = locale.substr(0, locale.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX" || name.rfind("ja", 0) == 0)
        return "ja";
    return "en";
}

std::string MessagesLocale(const std::function<const char*(const char*)>& environment) {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = environment ? environment(variable) : nullptr;
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
}

std::string StartLanguage(const std::string& commandLine, const std::string& saved,
                          const std::string& locale) {
    if (!commandLine.empty())
        return commandLine;
    if (!saved.empty())
        return saved;
    return LanguageOfLocale(locale);
}

std::string LanguageCode(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "ja" || lower == "japanese")
        return "ja";
    if (lower == "en" || lower == "english")
        return "en";
    return {};
}

} // namespace tavrin
