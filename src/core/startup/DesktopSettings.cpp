#include "core/startup/DesktopSettings.h"

#include "core/platform/IniFile.h"
#include "core/startup/ViewScale.h"

#include <algorithm>
#include <cctype>

namespace tavrin {

void DesktopSettings::ReadFrom(const IniFile& ini) {
    const DesktopSettings defaults;
    const std::string language = LanguageCode(ini.ReadString(Section, "Language", ""));
    Language = language.empty() ? defaults.Language : language;
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
