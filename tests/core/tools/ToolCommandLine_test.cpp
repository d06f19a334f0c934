#include "core/tools/ToolCommandLine.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

using Words = std::vector<std::string>;

std::string Long(size_t n) {
    return std::string(n, 'a');
}

TEST(BuildToolCommandLine, ReplacesThePlaceholdersInAnyCase) {
    const ToolPlaceholders values{"/home/u/game.nes", "/opt/t/temp.bmp", "/opt/t/"};
    const std::pair<std::string, std::string> cases[] = {
        {"\"/usr/bin/gimp\" %TEMP /x", "\"/usr/bin/gimp\" \"/opt/t/temp.bmp\" /x"},
        {"\"/e\" %file %Temp", "\"/e\" \"/home/u/game.nes\" \"/opt/t/temp.bmp\""},
        {"\"%exepathpack\" %FILE%FILE", "\"/opt/t/pack\" \"/home/u/game.nes\"\"/home/u/game.nes\""},
        {"\"/e\" %FIL %TEMPS 100% %", "\"/e\" %FIL \"/opt/t/temp.bmp\"S 100% %"},
    };
    for (const auto& [command, expected] : cases)
        EXPECT_EQ(BuildToolCommandLine(command, values), expected) << command;
}

TEST(BuildToolCommandLine, InsertedPathsAreNotSearchedAgainAndComeBackWhole) {
    const ToolPlaceholders odd{"/tmp/%TEMP/a \"b\" c\\d.nes", "/t/%exepath.bmp", "/x/%FILE/"};
    const std::string line = BuildToolCommandLine("\"%EXEPATHtool\" %FILE %TEMP", odd);
    EXPECT_EQ(line, "\"/x/%FILE/tool\" \"/tmp/%TEMP/a \\\"b\\\" c\\\\d.nes\" \"/t/%exepath.bmp\"");
    ToolLaunch launch;
    ASSERT_TRUE(SplitToolCommandLine(line, launch));
    EXPECT_EQ(launch.program, "/x/%FILE/tool");
    EXPECT_EQ(launch.arguments, (Words{odd.file, odd.temp}));
}

TEST(SplitShellWords, GroupsAsAShellWouldWithoutExpanding) {
    const std::pair<std::string, Words> cases[] = {
        {"  \t ", {}},
        {" a  b\tc ", {"a", "b", "c"}},
        {"\"a b\" 'c  d' x\"y z\"w", {"a b", "c  d", "xy zw"}},
        {"\"\" ''", {"", ""}},
        {"'a\\b \"c\"'", {"a\\b \"c\""}},
        {"\"a\\\"b\\\\c\\$d\\ne\"", {"a\"b\\c$d\\ne"}},
        {"a\\ b \\'c\\\" end\\", {"a b", "'c\"", "end\\"}},
        {"$HOME * ~ `x`", {"$HOME", "*", "~", "`x`"}},
    };
    for (const auto& [text, expected] : cases) {
        Words words{"stale"};
        ASSERT_TRUE(SplitShellWords(text, words)) << text;
        EXPECT_EQ(words, expected) << text;
    }
    Words words;
    for (const char* open : {"a \"b c", "a 'b c", "\"a\\\""})
        EXPECT_FALSE(SplitShellWords(open, words)) << open;
}

TEST(SplitToolCommandLine, SplitsAtTheFirstQuoteBeforeABlank) {
    const struct {
        std::string line, programPart, parameterPart, program;
        Words arguments;
    } cases[] = {
        // The quoted program, the quoted temporary bitmap and /x.
        {"\"/usr/bin/gimp\" \"/opt/t/temp.bmp\" /x",
         "\"/usr/bin/gimp\"",
         "\"/opt/t/temp.bmp\" /x",
         "/usr/bin/gimp",
         {"/opt/t/temp.bmp", "/x"}},
        {"\"/my tools/ed\" ", "\"/my tools/ed\"", "", "/my tools/ed", {}},
        {"\"/e\"\t-a", "\"/e\"", "-a", "/e", {"-a"}},
        // The program part's further words are arguments too.
        {"env \"A=1\" \"/b\" c", "env \"A=1\"", "\"/b\" c", "env", {"A=1", "/b", "c"}},
        // 255 bytes per part are accepted.
        {"\"" + Long(253) + "\" " + Long(255),
         "\"" + Long(253) + "\"",
         Long(255),
         Long(253),
         {Long(255)}},
    };
    for (const auto& c : cases) {
        ToolLaunch launch;
        launch.arguments = {"stale"};
        ASSERT_TRUE(SplitToolCommandLine(c.line, launch)) << c.line;
        EXPECT_EQ(launch.programPart, c.programPart);
        EXPECT_EQ(launch.parameterPart, c.parameterPart);
        EXPECT_EQ(launch.program, c.program);
        EXPECT_EQ(launch.arguments, c.arguments);
    }
}

TEST(SplitToolCommandLine, RefusesWhatCannotBeSplitAndNamesItsProgramPart) {
    const std::pair<std::string, std::string> cases[] = {
        // No split point: the whole line is named; an escaped quote does not split.
        {"/usr/bin/gimp %TEMP", "/usr/bin/gimp %TEMP"},
        {"\"/usr/bin/gimp\"", "\"/usr/bin/gimp\""},
        {"", ""},
        {"\"/e\\\" x", "\"/e\\\" x"},
        // An open quote, an empty program.
        {"\"/e\" 'x", "\"/e\""},
        {"\"\" x", "\"\""},
        {" \" x", " \""},
        // 256 bytes in either part.
        {"\"" + Long(254) + "\" b", "\"" + Long(254) + "\""},
        {"\"a\" " + Long(256), "\"a\""},
    };
    for (const auto& [line, programPart] : cases) {
        ToolLaunch launch;
        EXPECT_FALSE(SplitToolCommandLine(line, launch)) << line;
        EXPECT_EQ(launch.programPart, programPart) << line;
    }
}

} // namespace
