#include "core/tools/ToolCommandLine.h"

#include "core/tools/ToolsTestFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
        // Only a quoted program, as "参照..." writes it: no arguments.
        {"\"/usr/bin/gimp\"", "\"/usr/bin/gimp\"", "", "/usr/bin/gimp", {}},
        {" \"/my tools/ed\"", " \"/my tools/ed\"", "", "/my tools/ed", {}},
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
    using P = ToolLaunchProblem;
    const struct {
        std::string line, programPart;
        ToolLaunchProblem problem;
    } cases[] = {
        // No split point: the whole line is named; an escaped quote does not split.
        {"/usr/bin/gimp %TEMP", "/usr/bin/gimp %TEMP", P::NoSplitPoint},
        {"/usr/bin/gimp", "/usr/bin/gimp", P::NoSplitPoint},
        {"", "", P::NoSplitPoint},
        {"\"/e\\\" x", "\"/e\\\" x", P::OpenQuote},
        // An open quote, an empty program.
        {"\"/e\" 'x", "\"/e\"", P::OpenQuote},
        {"\"\" x", "\"\"", P::NoProgram},
        {"\"\"", "\"\"", P::NoProgram},
        {" \" x", " \"", P::OpenQuote},
        // 256 bytes in either part, or in a quoted program alone.
        {"\"" + Long(254) + "\" b", "\"" + Long(254) + "\"", P::PartTooLong},
        {"\"a\" " + Long(256), "\"a\"", P::PartTooLong},
        {"\"" + Long(254) + "\"", "\"" + Long(254) + "\"", P::PartTooLong},
    };
    for (const auto& c : cases) {
        ToolLaunch launch;
        EXPECT_FALSE(SplitToolCommandLine(c.line, launch)) << c.line;
        EXPECT_EQ(launch.programPart, c.programPart) << c.line;
        EXPECT_EQ(launch.problem, c.problem) << c.line;
    }
}

TEST(ProgramProblem, PathsAndNamesAreLookedAtAsTheSystemWould) {
    tavrin::test::ToolsTestFolder folder;
    const std::string runnable = folder.File("run.sh");
    const std::string plain = folder.File("plain.txt");
    folder.WriteText("run.sh", "#!/bin/sh\n");
    folder.WriteText("plain.txt", "x");
    ASSERT_EQ(::chmod(runnable.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(plain.c_str(), 0644), 0);
    const std::string dir = folder.Path();
    using P = ToolLaunchProblem;
    const struct {
        std::string program, path;
        ToolLaunchProblem problem;
    } cases[] = {
        {runnable, "", P::None},
        {plain, "", P::NotExecutable},
        {dir, "", P::NotExecutable},
        {dir + "/none", "", P::NotFound},
        {"run.sh", "/nonexistent:" + dir, P::None},
        {"plain.txt", dir, P::NotExecutable},
        {"plain.txt", dir + ":/nonexistent", P::NotExecutable},
        {"none", dir + ":/nonexistent", P::NotFound},
        {"", dir, P::NoProgram},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramProblem(c.program, c.path), c.problem) << c.program << " in " << c.path;
}

} // namespace
