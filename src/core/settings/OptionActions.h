#pragma once

#include "core/platform/Text.h"

#include <string>

namespace tavrin {

// The rules behind the Option and Help menus that are more than one call: where F1 finds the
// help, the about box's text, how a chosen window colour is kept, and the example a new
// settings file starts with.

// What F1 opens. help: the first of base + ".chm", ".hlp", ".htm" that exists ("" when none
// does; the window then shows HelpMissingText). text: base + ".txt" when no help file exists
// and it does, opened after the message.
class CIniInfo;

struct HelpFiles {
    std::string help;
    std::string text;
};
// base is the program's path without its extension (AppPaths::standardFiles). In the English
// window (language "en") the English manual base + "_en.htm" comes first.
HelpFiles FindHelpFiles(const std::string& base, const std::string& language = "ja");

inline constexpr const char* HelpMissingText = TAVRIN_TR_NOOP(
    "Help", "■Tavrinのヘルプを作成していただける方を募集しています■\n"
            "\n"
            "Tavrinのヘルプファイルが見つかりませんでした。\n"
            "ヘルプファイルはexeと同じ名前の拡張子がchm、hlp、htmのいずれかのファイルです。\n"
            "ヘルプファイルが存在する場合はメニューのヘルプから開かれます。\n");

// What the build says about itself.
struct BuildInfo {
    std::string version; // "0.1.0"
    std::string commit;  // a short hash, "" when the build was not made from a checkout
    std::string date;    // the date of the build, "YYYY-MM-DD"
};
// The about box: name and version (with the commit when known), date, licence and thanks, and
// the manual when there is one ("" leaves it out).
std::string AboutText(const BuildInfo& build, const std::string& manual = {});

// The window colour a choice in the colour dialog leaves, as the settings keep it
// (0x00BBGGRR): -1 when it is the system's button-face colour, so the window follows later
// changes of the system's colours; the chosen colour otherwise.
int WindowColourSetting(int chosen, int buttonFace);

// At the end of the first run (no settings file when the program started), the settings file
// is given a commented example "STATE" section before the settings are written into it, so a
// user sees how to describe an emulator's save-states. A file that already has the section,
// or cannot be read, is left as it is. False when nothing was written.
bool SeedSettingsFile(const std::string& path);

// The window's settings from the settings file at path (none when it is empty). A first start
// writes the file at once with its save-state definitions, so save-states import from the
// start.
void OpenSettingsFile(CIniInfo& settings, const std::string& path);

} // namespace tavrin
