#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tavrin {

// Reads n bytes at offset into out; false when the file does not hold them all.
using ReadAtFunction = std::function<bool(uint64_t offset, void* out, size_t n)>;

// Why a file of fileSize bytes, read through read, cannot be a shared library of this
// machine, or "" when it can: an ELF file of the program's class, byte order and machine,
// whose header tables and loaded segments all lie inside the file. Mapping a file cut short
// (an interrupted copy) would end the program with a bus error when the loader touches the
// missing part, so it is looked at first.
std::string ElfLibraryProblem(uint64_t fileSize, const ReadAtFunction& read);

// The same for a file on disk; also says when the file cannot be read.
std::string LibraryFileProblem(const std::string& path);

} // namespace tavrin
