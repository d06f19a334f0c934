#include "core/tools/ToolCommandLine.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace tavrin;

namespace {

using Words = std::vector<std::string>;

const ToolPlaceholders Values{"/home/u/game.nes", "/opt/tavrin/temp.bmp", "/opt/tavrin/"};

struct BuildCase {
    const char* command;
    const char* expected;
};

void PrintTo(const BuildCase& c, std::ostream* os) {
    *os << c.command;
}

class BuildToolCommandLineTest : public ::testing::TestWithParam<BuildCase> {};

TEST_P(BuildToolCommandLineTest, ReplacesThePlaceholders) {
    EXPECT_EQ(BuildToolCommandLine(GetParam().command, Values), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildToolCommandLineTest,
    ::testing::Values(
        BuildCase{"\"/usr/bin/gimp\" %TEMP /x", "\"/usr/bin/gimp\" \"/opt/tavrin/temp.bmp\" /x"},
        BuildCase{"\"/e\" %file %Temp", "\"/e\" \"/home/u/game.nes\" \"/opt/tavrin/temp.bmp\""},
        BuildCase{"\"%exepathpack\" %FILE%FILE",
                  "\"/opt/tavrin/pack\" \"/home/u/game.nes\"\"/home/u/game.nes\""},
        BuildCase{"\"/e\" %FIL %TEMPS 100% %", "\"/e\" %FIL \"/opt/tavrin/temp.bmp\"S 100% %"},
        BuildCase{"", ""}));

TEST(BuildToolCommandLine, InsertedPathsAreNotSearchedAgainAndComeBackWhole) {
    const ToolPlaceholders odd{"/tmp/%TEMP/a \"b\" c\\d.nes", "/t/%exepath.bmp", "/x/%FILE/"};
    const std::string line = BuildToolCommandLine("\"%EXEPATHtool\" %FILE %TEMP", odd);
    EXPECT_EQ(line, "\"/x/%FILE/tool\" \"/tmp/%TEMP/a \\\"b\\\" c\\\\d.nes\" \"/t/%exepath.bmp\"");
    ToolLaunch launch;
    ASSERT_TRUE(SplitToolCommandLine(line, launch));
    EXPECT_EQ(launch.program, "/x/%FILE/tool");
    EXPECT_EQ(launch.arguments, (Words{odd.file, odd.temp}));
}

struct WordsCase {
    const char* text;
    Words words;
};

void PrintTo(const WordsCase& c, std::ostream* os) {
    *os << c.text;
}

class SplitShellWordsTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(SplitShellWordsTest, GroupsAsAShellWould) {
    Words words{"stale"};
    ASSERT_TRUE(SplitShellWords(GetParam().text, words));
    EXPECT_EQ(words, GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitShellWordsTest,
                         ::testing::Values(WordsCase{"", {}}, WordsCase{"  \t ", {}},
                                           WordsCase{" a  b\tc ", {"a", "b", "c"}},
                                           WordsCase{"\"a b\" 'c  d'", {"a b", "c  d"}},
                                           WordsCase{"x\"y z\"w 'p'q", {"xy zw", "pq"}},
                                           WordsCase{"\"\" ''", {"", ""}},
                                           WordsCase{"'a\\b \"c\"'", {"a\\b \"c\""}},
                                           WordsCase{"\"a\\\"b\\\\c\\$d\\ne\"", {"a\"b\\c$d\\ne"}},
                                           WordsCase{"a\\ b \\'c\\\"", {"a b", "'c\""}},
                                           WordsCase{"$HOME * ~ `x`", {"$HOME", "*", "~", "`x`"}},
                                           WordsCase{"end\\", {"end\\"}}));

TEST(SplitShellWords, AnOpenQuoteIsAnError) {
    Words words;
    EXPECT_FALSE(SplitShellWords("a \"b c", words));
    EXPECT_FALSE(SplitShellWords("a 'b c", words));
    EXPECT_FALSE(SplitShellWords("\"a\\\"", words));
}

struct SplitCase {
    std::string line;
    std::string programPart;
    std::string parameterPart;
    std::string program;
    Words arguments;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.line;
}

class SplitToolCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitToolCommandLineTest, SplitsAtTheFirstQuoteBeforeABlank) {
    const SplitCase& c = GetParam();
    ToolLaunch launch;
    launch.arguments = {"stale"};
    ASSERT_TRUE(SplitToolCommandLine(c.line, launch));
    EXPECT_EQ(launch.programPart, c.programPart);
    EXPECT_EQ(launch.parameterPart, c.parameterPart);
    EXPECT_EQ(launch.program, c.program);
    EXPECT_EQ(launch.arguments, c.arguments);
}

std::string Long(size_t n) {
    return std::string(n, 'a');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitToolCommandLineTest,
    ::testing::Values(
        // The quoted program, the quoted temporary bitmap and /x.
        SplitCase{"\"/usr/bin/gimp\" \"/opt/t/temp.bmp\" /x",
                  "\"/usr/bin/gimp\"",
                  "\"/opt/t/temp.bmp\" /x",
                  "/usr/bin/gimp",
                  {"/opt/t/temp.bmp", "/x"}},
        SplitCase{"\"/my tools/ed\" ", "\"/my tools/ed\"", "", "/my tools/ed", {}},
        SplitCase{"\"/e\"\t-a", "\"/e\"", "-a", "/e", {"-a"}},
        // Only the first quote before a blank splits; the program part's own words are
        // arguments too.
        SplitCase{"env \"A=1\" \"/b\" c", "env \"A=1\"", "\"/b\" c", "env", {"A=1", "/b", "c"}},
        SplitCase{"\"/a\"\"b\" c", "\"/a\"\"b\"", "c", "/ab", {"c"}},
        // 255 bytes per part are accepted.
        SplitCase{"\"" + Long(253) + "\" " + Long(255),
                  "\"" + Long(253) + "\"",
                  Long(255),
                  Long(253),
                  {Long(255)}}));

struct RefusedCase {
    std::string line;
    std::string programPart;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.line;
}

class RefusedCommandLineTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCommandLineTest, IsRefusedNamingItsProgramPart) {
    ToolLaunch launch;
    EXPECT_FALSE(SplitToolCommandLine(GetParam().line, launch));
    EXPECT_EQ(launch.programPart, GetParam().programPart);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedCommandLineTest,
                         ::testing::Values(
                             // No split point: the whole line is named.
                             RefusedCase{"/usr/bin/gimp %TEMP", "/usr/bin/gimp %TEMP"},
                             RefusedCase{"\"/usr/bin/gimp\"", "\"/usr/bin/gimp\""},
                             RefusedCase{"", ""}, RefusedCase{"\"/e\\\" x", "\"/e\\\" x"},
                             // An open quote, an empty program.
                             RefusedCase{"\"/e\" 'x", "\"/e\""}, RefusedCase{"\"\" x", "\"\""},
                             RefusedCase{" \" x", " \""},
                             // 256 bytes in either part.
                             RefusedCase{"\"" + Long(254) + "\" b", "\"" + Long(254) + "\""},
                             RefusedCase{"\"a\" " + Long(256), "\"a\""}));

} // namespace
