#pragma once

#include "core/platform/FileResult.h"

#include <exception>
#include <iosfwd>
#include <string>

namespace tavrin {

// The command line's words for what went wrong: one line each, plain, without the names of
// the program's inner parts.

// "tavrin-cli: FILE: TEXT" on one line (without FILE when it is empty).
void CliProblem(std::ostream& err, const std::string& file, const std::string& text);

// A failed load or save in plain words; subject names what the file is to the reader
// ("file", "image"). "no such file" is said only of a missing file: a folder, a pipe or a
// device says so, and a failure to get memory is not called a size limit.
std::string CliFailureText(const FileResult& result, const char* subject = "file");

// Why a file named on the command line cannot be read, or "" when it can.
std::string CliInputProblem(const std::string& path, const char* subject = "file");

// Why OUT cannot be written, or "" when it may: "-", a regular file, or a name that does not
// exist yet. Asked before any work, so a folder or a pipe is refused at once.
std::string CliOutputProblem(const std::string& path, const char* subject = "file");

// Why an image OUT cannot be written, or "": a name that does not end in .png or .bmp ("-"
// is standard output, a PNG, where the command can write there), then CliOutputProblem. png
// tells which of the two it is.
std::string CliImageOutputProblem(const std::string& path, bool standardOutput, bool& png);

// A bitmap's problem as the DIB container words it, in plain words.
std::string CliImageErrorText(const std::string& containerText);

// An exception that reached the command boundary, in plain words.
std::string CliExceptionText(const std::exception& e);

// An address as the tool prints it: 0x%06X.
std::string CliHex(long long value);

} // namespace tavrin
