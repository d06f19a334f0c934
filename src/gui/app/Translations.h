#pragma once

#include <string>

namespace tavrin {

// The window's language. Japanese is the language the code is written in and needs no
// translator; English comes from the embedded translation ":/i18n/tavrin_en.qm". Install
// before the windows are built: their texts are taken when they are made.
// False when the language is unknown or its translation could not be loaded (the window then
// stays Japanese).
bool InstallLanguage(const std::string& language);
// The language installed last ("ja" when none).
std::string InstalledLanguage();

} // namespace tavrin
