#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

// Byte-level file helpers with the semantics the program's files need: loading first tests
// that the file exists; saving overwrites from offset 0 without truncating, or creates.

bool FileExists(const std::string& path);

// Reads the whole file. False when it is not a regular file or cannot be read; out is then
// empty.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out);

// Reads at most maxBytes from the start of the file into dst. Returns the count read, or -1
// when it is not a regular file or cannot be read.
long long ReadFilePrefix(const std::string& path, uint8_t* dst, size_t maxBytes);

// Opens an existing file for writing (or creates it) and writes size bytes at offset 0.
// The file is not truncated: bytes of a longer file beyond size remain.
bool WriteAtStart(const std::string& path, const void* data, size_t size);

// Creates or truncates the file and writes exactly the given bytes.
bool WriteWholeFile(const std::string& path, const void* data, size_t size);

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
