#include "core/settings/OptionActions.h"

#include "core/settings/CIniInfo.h"

#include "core/palette/CStateFile.h"
#include "core/platform/FileIO.h"
#include "core/platform/IniFile.h"
#include "core/platform/Text.h"

namespace tavrin {

HelpFiles FindHelpFiles(const std::string& base, const std::string& language) {
    HelpFiles found;
    if (language == "en" && FileExists(base + "_en.htm")) {
        found.help = base + "_en.htm";
        return found;
    }
    for (const char* ext : {".chm", ".hlp", ".htm"}) {
        const std::string path = ReplaceExtension(base, ext);
        if (FileExists(path)) {
            found.help = path;
            return found;
        }
    }
    const std::string text = ReplaceExtension(base, ".txt");
    if (FileExists(text))
        found.text = text;
    return found;
}

std::string AboutText(const BuildInfo& build, const std::string& manual) {
    std::string text = TAVRIN_TR("Help", "Tavrin バージョン ") + build.version;
    if (!build.commit.empty())
        text += " (" + build.commit + ")";
    text += "\n";
    if (!build.date.empty())
        text += TAVRIN_TR("Help", "ビルド日: ") + build.date + "\n";
    text += "\n";
    text += TAVRIN_TR("Help", "ROMイメージの中のタイル画像(CHR)を編集するエディタです。\n");
    text += TAVRIN_TR("Help", "ライセンス: MIT ライセンス (Copyright (c) The Tavrin authors)。\n"
                              "無保証で提供されます。全文はファイル LICENSE にあります。\n");
    text += TAVRIN_TR("Help", "謝辞: 古いゲーム機のタイル画像を調べ、記録してきた皆さんと、\n"
                              "不具合の報告や要望を寄せてくださる皆さんに感謝します。");
    if (!manual.empty())
        text += "\n\n" + TAVRIN_TR("Help", "マニュアル (F1): ") + manual;
    return text;
}

int WindowColourSetting(int chosen, int buttonFace) {
    return chosen == buttonFace ? -1 : chosen;
}

bool SeedSettingsFile(const std::string& path) {
    IniFile current;
    if (path.empty() || !current.Load(path) || !current.SectionKeys(CStateFile::Section).empty())
        return false;
    // The example goes first, so the file reads from the explanation down.
    IniFile seeded;
    if (!seeded.LoadFromText(std::string(StateSectionExample()) + "\n" + current.SaveToText()))
        return false;
    return static_cast<bool>(seeded.Save(path));
}

void OpenSettingsFile(CIniInfo& settings, const std::string& path) {
    if (!path.empty() && !FileExists(path))
        SeedSettingsFile(path);
    if (settings.SetPath(path))
        settings.Read();
}

} // namespace tavrin
