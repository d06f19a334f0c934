#include "core/platform/IniFile.h"
#include "core/settings/CIniInfo.h"
#include "core/startup/DesktopSettings.h"
#include "core/startup/StartOptions.h"
#include "core/startup/ViewScale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

TEST(DesktopSettings, OwnSectionRoundTripsAndLeavesTheOldOnesAlone) {
    const std::string before = "[Tavrin]\nZoomType=2\n[TOOL]\nCaption0=gimp\n";
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText(before));
    CIniInfo settings;
    settings.ReadFrom(ini);
    // A file written before has no section of ours: the defaults (the desktop's language).
    EXPECT_EQ(settings.Desktop.Language, "");
    EXPECT_EQ(settings.Desktop.ViewScale, 0);
    settings.Desktop.Language = "en";
    settings.Desktop.ViewScale = 150;
    settings.WriteTo(ini);
    EXPECT_EQ(ini.ReadString("TOOL", "Caption0", ""), "gimp");
    EXPECT_EQ(ini.ReadString("Tavrin.Linux", "Language", ""), "en");
    EXPECT_FALSE(ini.HasKey("Tavrin", "Language"));
    DesktopSettings read;
    read.ReadFrom(ini);
    EXPECT_EQ(read.Language, "en");
    EXPECT_EQ(read.ViewScale, 150);
}

TEST(DesktopSettings, ValuesNotUnderstoodGiveTheDefaults) {
    for (const char* text :
         {"[Tavrin.Linux]\nLanguage=fr\nViewScale=125\n",
          "[Tavrin.Linux]\nLanguage=\nViewScale=-100\n", "[Tavrin.Linux]\nViewScale=x\n"}) {
        IniFile ini;
        ASSERT_TRUE(ini.LoadFromText(text));
        DesktopSettings read;
        read.Language = "en";
        read.ViewScale = 200;
        read.ReadFrom(ini);
        EXPECT_EQ(read.Language, "") << text;
        EXPECT_EQ(read.ViewScale, 0) << text;
    }
}

TEST(DesktopSettings, WithNoLanguageSavedTheWindowFollowsTheDesktop) {
    const struct {
        const char* locale;
        const char* language;
    } locales[] = {{"ja_JP.UTF-8", "ja"},
                   {"ja_JP", "ja"},
                   {"ja", "ja"},
                   {"C", "ja"},
                   {"POSIX", "ja"},
                   {"C.UTF-8", "ja"},
                   {"", "ja"},
                   {"en_GB.UTF-8", "en"},
                   {"de_DE@euro", "en"},
                   {"fr_FR.UTF-8", "en"},
                   {"zh_CN.UTF-8", "en"},
                   {"Japanese", "en"}};
    for (const auto& l : locales)
        EXPECT_EQ(LanguageOfLocale(l.locale), l.language) << l.locale;

    // The command line, then the setting, then the desktop.
    EXPECT_EQ(StartLanguage("", "", "de_DE.UTF-8"), "en");
    EXPECT_EQ(StartLanguage("", "ja", "de_DE.UTF-8"), "ja");
    EXPECT_EQ(StartLanguage("ja", "en", "de_DE.UTF-8"), "ja");
    EXPECT_EQ(StartLanguage("en", "", "ja_JP.UTF-8"), "en");
    EXPECT_EQ(StartLanguage("", "", "ja_JP.UTF-8"), "ja");

    // LC_ALL over LC_MESSAGES over LANG, an empty one passed over.
    const struct {
        const char* all;
        const char* messages;
        const char* lang;
        const char* locale;
    } environments[] = {{"fr_FR", "de_DE", "ja_JP", "fr_FR"},
                        {"", "de_DE", "ja_JP", "de_DE"},
                        {nullptr, nullptr, "ja_JP", "ja_JP"},
                        {nullptr, nullptr, nullptr, ""}};
    for (const auto& e : environments) {
        const auto get = [&e](const char* name) -> const char* {
            const std::string n = name;
            return n == "LC_ALL" ? e.all : n == "LC_MESSAGES" ? e.messages : e.lang;
        };
        EXPECT_EQ(MessagesLocale(get), e.locale);
    }
}

TEST(ViewScale, AutomaticFollowsThePixelDensity) {
    const struct {
        double dpi;
        int percent;
    } cases[] = {{0, 100},   {20, 100},  {96, 100},  {109, 100}, {130, 100}, {141, 150}, {163, 150},
                 {184, 200}, {220, 200}, {282, 300}, {350, 400}, {600, 400}, {5000, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(AutomaticViewScale(c.dpi), c.percent) << c.dpi << " dpi";
}

TEST(ViewScale, ToolkitFactorIsTheChoiceOverTheDesktopsOwnRatio) {
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(200, 96, 1), 2.0);
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(150, 96, 1), 1.5);
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(200, 96, 2), 1.0);
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(100, 96, 2), 0.5);
    // Automatic: the density's choice, but never below the desktop's own ratio.
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(0, 184, 1), 2.0);
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(0, 96, 2), 1.0);
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(0, 282, 2), 1.5);
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(125, 96, 1), 1.0);
    EXPECT_DOUBLE_EQ(ToolkitScaleFactor(0, 96, 0), 1.0);
}

TEST(StartOptions, OwnOptionsAreTakenOutAndTheRestIsTheDocument) {
    const auto none = [](const std::string&) { return false; };
    const struct {
        std::vector<std::string> args;
        bool help;
        std::string language;
        int scale;
        std::vector<std::string> files;
        bool error;
    } cases[] = {
        {{}, false, "", -1, {}, false},
        {{"game.nes"}, false, "", -1, {"game.nes"}, false},
        {{"--lang", "en", "game.nes"}, false, "en", -1, {"game.nes"}, false},
        {{"--lang=JA", "--scale=200%"}, false, "ja", 200, {}, false},
        {{"--scale", "auto", "-h"}, true, "", 0, {}, false},
        {{"--", "--lang"}, false, "", -1, {"--lang"}, false},
        {{"a", "b"}, false, "", -1, {"a", "b"}, true},
        {{"a", "--", "-b", "c"}, false, "", -1, {"a", "-b", "c"}, true},
        {{"--other"}, false, "", -1, {"--other"}, false},
        {{"--lang", "fr"}, false, "", -1, {}, true},
        {{"--scale", "125"}, false, "", -1, {}, true},
        {{"--lang"}, false, "", -1, {}, true},
    };
    for (const auto& c : cases) {
        const StartOptions o = ParseStartOptions(c.args, none);
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.front());
        EXPECT_EQ(o.help, c.help);
        EXPECT_EQ(o.language, c.language);
        EXPECT_EQ(o.viewScale, c.scale);
        EXPECT_EQ(o.files, c.files);
        EXPECT_EQ(!o.error.empty(), c.error) << o.error;
    }
    // A document really called "--help" opens.
    const StartOptions o =
        ParseStartOptions({"--help"}, [](const std::string& p) { return p == "--help"; });
    EXPECT_FALSE(o.help);
    EXPECT_EQ(o.files, std::vector<std::string>{"--help"});
}

} // namespace
} // namespace tavrin
