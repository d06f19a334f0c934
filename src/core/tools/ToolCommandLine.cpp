#include "core/tools/ToolCommandLine.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tavrin {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool MatchesIgnoringCase(const std::string& text, size_t at, const std::string& word) {
    if (text.size() - at < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[at + i])) != word[i])
            return false;
    return true;
}

std::string Escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

// The first double quote followed by a blank that a backslash does not escape.
size_t SplitPoint(const std::string& line) {
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] != '"' || (line[i + 1] != ' ' && line[i + 1] != '\t'))
            continue;
        size_t backslashes = 0;
        while (backslashes < i && line[i - 1 - backslashes] == '\\')
            ++backslashes;
        if (backslashes % 2 == 0)
            return i;
    }
    return std::string::npos;
}

} // namespace

std::string QuoteForToolCommandLine(const std::string& text) {
    return '"' + Escaped(text) + '"';
}

std::string BuildToolCommandLine(const std::string& command, const ToolPlaceholders& values) {
    // One pass in the order %FILE, %TEMP, %EXEPATH: the three never overlap, so this is the
    // same as replacing them one after another, except inside the inserted paths.
    const std::array<std::pair<std::string, std::string>, 3> replacements{{
        {"%FILE", QuoteForToolCommandLine(values.file)},
        {"%TEMP", QuoteForToolCommandLine(values.temp)},
        {"%EXEPATH", Escaped(values.exePath)},
    }};
    std::string out;
    size_t i = 0;
    while (i < command.size()) {
        bool replaced = false;
        if (command[i] == '%') {
            for (const auto& [placeholder, value] : replacements) {
                if (MatchesIgnoringCase(command, i, placeholder)) {
                    out += value;
                    i += placeholder.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += command[i++];
    }
    return out;
}

bool SplitShellWords(const std::string& text, std::vector<std::string>& words) {
    words.clear();
    std::string word;
    bool inWord = false;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IsBlank(c)) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const size_t close = text.find('\'', i + 1);
            if (close == std::string::npos)
                return false;
            word.append(text, i + 1, close - i - 1);
            i = close + 1;
        } else if (c == '"') {
            ++i;
            for (;;) {
                if (i >= text.size())
                    return false;
                const char d = text[i];
                if (d == '"') {
                    ++i;
                    break;
                }
                if (d == '\\' && i + 1 < text.size() &&
                    std::string_view("\\\"$`").find(text[i + 1]) != std::string_view::npos) {
                    word += text[i + 1];
                    i += 2;
                } else {
                    word += d;
                    ++i;
                }
            }
        } else if (c == '\\' && i + 1 < text.size()) {
            word += text[i + 1];
            i += 2;
        } else {
            word += c;
            ++i;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return true;
}

bool SplitToolCommandLine(const std::string& commandLine, ToolLaunch& out) {
    out = ToolLaunch{};
    const auto refuse = [&out](ToolLaunchProblem problem) {
        out.problem = problem;
        return false;
    };
    const size_t split = SplitPoint(commandLine);
    if (split == std::string::npos) {
        out.programPart = commandLine;
        std::vector<std::string> words;
        if (!SplitShellWords(commandLine, words))
            return refuse(ToolLaunchProblem::OpenQuote);
        // One quoted program and nothing else runs with no arguments.
        const size_t first = commandLine.find_first_not_of(" \t\r\n");
        const size_t last = commandLine.find_last_not_of(" \t\r\n");
        const bool onlyQuotedProgram = words.size() == 1 && first != std::string::npos &&
                                       commandLine[first] == '"' && commandLine[last] == '"';
        if (!onlyQuotedProgram)
            return refuse(ToolLaunchProblem::NoSplitPoint);
        if (commandLine.size() > ToolLaunch::MaxPartBytes)
            return refuse(ToolLaunchProblem::PartTooLong);
        if (words.front().empty())
            return refuse(ToolLaunchProblem::NoProgram);
        out.program = words.front();
        return true;
    }
    out.programPart = commandLine.substr(0, split + 1);
    out.parameterPart = commandLine.substr(split + 2);
    if (out.programPart.size() > ToolLaunch::MaxPartBytes ||
        out.parameterPart.size() > ToolLaunch::MaxPartBytes)
        return refuse(ToolLaunchProblem::PartTooLong);
    std::vector<std::string> programWords;
    std::vector<std::string> parameterWords;
    if (!SplitShellWords(out.programPart, programWords) ||
        !SplitShellWords(out.parameterPart, parameterWords))
        return refuse(ToolLaunchProblem::OpenQuote);
    if (programWords.empty() || programWords.front().empty())
        return refuse(ToolLaunchProblem::NoProgram);
    out.program = programWords.front();
    out.arguments.assign(programWords.begin() + 1, programWords.end());
    out.arguments.insert(out.arguments.end(), parameterWords.begin(), parameterWords.end());
    return true;
}

namespace {

ToolLaunchProblem FileProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return ToolLaunchProblem::NotFound;
    if (!S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0)
        return ToolLaunchProblem::NotExecutable;
    return ToolLaunchProblem::None;
}

} // namespace

ToolLaunchProblem ProgramProblem(const std::string& program, const std::string& pathList) {
    if (program.empty())
        return ToolLaunchProblem::NoProgram;
    if (program.find('/') != std::string::npos)
        return FileProblem(program);
    // A folder whose file of that name may not be run is passed over, as the system's search
    // does; it is the reason when no folder has one that may.
    ToolLaunchProblem problem = ToolLaunchProblem::NotFound;
    size_t start = 0;
    while (start <= pathList.size()) {
        const size_t end = std::min(pathList.find(':', start), pathList.size());
        // An empty entry is the current folder.
        const std::string folder =
            end > start ? pathList.substr(start, end - start) : std::string(".");
        const ToolLaunchProblem here = FileProblem(folder + "/" + program);
        if (here == ToolLaunchProblem::None)
            return here;
        if (here == ToolLaunchProblem::NotExecutable)
            problem = here;
        start = end + 1;
    }
    return problem;
}

} // namespace tavrin
