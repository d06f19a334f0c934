#pragma once

#include <string>

namespace tavrin {

// Why a load or a save did not happen.
enum class FileFailure {
    None,
    NotFound,   // no such file
    NotRegular, // a folder, a pipe, a device
    TooLarge,   // past what the program can address
    ReadFailed,
    WriteFailed,
    Malformed,      // read, but its content is not what the file must hold
    Cancelled,      // the user chose not to go on
    ChangedOutside, // another program cut or rewrote the file while it was open
};

// The outcome of one load or save: what failed, the system's error number (0 when none
// applies) and the file it concerns. Converts to true on success.
struct FileResult {
    FileFailure failure = FileFailure::None;
    int systemError = 0;
    std::string path;

    explicit operator bool() const { return failure == FileFailure::None; }
    static FileResult Ok(std::string path) { return {FileFailure::None, 0, std::move(path)}; }
    static FileResult Fail(FileFailure failure, std::string path, int systemError = 0) {
        return {failure, systemError, std::move(path)};
    }
};

} // namespace tavrin
