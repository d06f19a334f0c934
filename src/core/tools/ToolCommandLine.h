#pragma once

#include <string>
#include <vector>

namespace tavrin {

// What the placeholders of a tool's command line stand for.
struct ToolPlaceholders {
    std::string file;    // %FILE: the ROM document's path (inserted in double quotes)
    std::string temp;    // %TEMP: the temporary bitmap's path (inserted in double quotes)
    std::string exePath; // %EXEPATH: the executable's folder with its trailing '/' (as is)
};

// Replaces %FILE, %TEMP and %EXEPATH, in any letter case. Only the command's own text is
// searched, so a path that itself contains "%temp" is inserted unchanged; '\' and '"' in the
// inserted paths are escaped, so each comes back as one argument however it is named.
std::string BuildToolCommandLine(const std::string& command, const ToolPlaceholders& values);

// text in double quotes, with '\' and '"' escaped: one argument of the command line whatever
// it holds ("参照..." writes the chosen program so).
std::string QuoteForToolCommandLine(const std::string& text);

// Splits text into arguments as a POSIX shell does, without running one: blanks separate,
// '...' and "..." group (inside "..." a backslash escapes only \ " $ and `), an unquoted
// backslash takes the next character literally; nothing is expanded. False when a quote is
// left open.
bool SplitShellWords(const std::string& text, std::vector<std::string>& words);

// Why a command line cannot start its program.
enum class ToolLaunchProblem {
    None,
    NoSplitPoint,  // no double quote followed by a blank (and not only a quoted program)
    OpenQuote,     // a quote is left open
    PartTooLong,   // the program part or the parameter part is 256 bytes or longer
    NoProgram,     // the program is empty
    NotFound,      // no such program (a path, or a name searched in PATH)
    NotExecutable, // the program is there but may not be run
};

// A command line divided into the program to start and its arguments.
struct ToolLaunch {
    static constexpr size_t MaxPartBytes = 255;

    // Up to and including the first double quote followed by a blank (the whole line when
    // there is none); the failure message names it.
    std::string programPart;
    // Everything after that blank.
    std::string parameterPart;
    std::string program;
    std::vector<std::string> arguments;
    // Why the split refused the line; None when it was accepted.
    ToolLaunchProblem problem = ToolLaunchProblem::None;
};

// Splits a built command line at the first double quote followed by a blank. The program
// part's first word is the program; its further words and the parameter part's words are the
// arguments. A line that is only one quoted program (what "参照..." writes) is the program
// with no arguments. False (refused, with out.problem saying why) when there is no split
// point, a part is 256 bytes or longer, a quote is left open or the program is empty;
// programPart is filled in any case.
bool SplitToolCommandLine(const std::string& commandLine, ToolLaunch& out);

// Why program cannot be started, looked at as the system would: a name with a '/' is a path
// (relative to the current folder), any other name is searched in the folders of pathList
// (':'-separated, as $PATH). NotFound, NotExecutable (not a regular file, or without the
// permission to run it), or None when it can be run.
ToolLaunchProblem ProgramProblem(const std::string& program, const std::string& pathList);

} // namespace tavrin
