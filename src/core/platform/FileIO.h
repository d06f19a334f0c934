#pragma once

#include "core/platform/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

// Byte-level file helpers for reading. Every write goes through WriteFileSafely
// (SafeFileWriter.h).

bool FileExists(const std::string& path);

// Reads the whole file. A failure (missing, not a regular file, unreadable) leaves out empty.
FileResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& out);

// Whether the file could be opened for reading, and why not: NotFound, NotRegular or
// ReadFailed with the system's error.
FileResult ProbeReadable(const std::string& path);

// Reads at most maxBytes from the start of the file into dst. Returns the count read, or -1
// when it is not a regular file or cannot be read.
long long ReadFilePrefix(const std::string& path, uint8_t* dst, size_t maxBytes);
// Reads at most limit bytes from the start of the file into out, which holds what was read:
// a file matters only as far as its format goes, however long it is. A failure (missing, not
// a regular file, unreadable) leaves out empty.
FileResult ReadFilePrefix(const std::string& path, std::vector<uint8_t>& out, size_t limit);

// What a path names, through symbolic links, so that a message can say so. Other is also a
// path that cannot be looked at (a folder on the way without permission).
enum class PathKind { Missing, RegularFile, Folder, Pipe, Device, Other };
PathKind KindOfPath(const std::string& path);

// The name part of a path (after the last '/').
std::string FileNamePart(const std::string& path);
// The folder part of a path including its trailing '/', or "" when there is none.
std::string DirectoryPart(const std::string& path);
// The extension with its dot (".chr"), or "" when the name part has none.
std::string ExtensionPart(const std::string& path);
// Replaces the extension of the name part with ext (which starts with a dot), or appends ext
// when the name has none: "tavrin" -> "tavrin.ini", "a/game.nes" -> "a/game.dat".
std::string ReplaceExtension(const std::string& path, const std::string& ext);

} // namespace tavrin
