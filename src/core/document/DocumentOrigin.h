#pragma once

#include "core/platform/FileResult.h"

#include <optional>
#include <string>

namespace tavrin {

class RomDocument;

// Where a document comes from when it is not a file of its own (a packed block inside a ROM
// is opened under a name of its own). Opening, reloading and saving ask the origin first; it
// answers for the names it owns and leaves every other path to the plain file rules.
class DocumentOrigin {
public:
    virtual ~DocumentOrigin() = default;
    // Fills doc from what path names, or none when path is not the origin's.
    virtual std::optional<FileResult> ReadDocument(const std::string& path, RomDocument& doc) = 0;
    // Writes doc's data back to what path names (the document may take a new name, when
    // its block moved), or none when path is not the origin's.
    virtual std::optional<FileResult> WriteDocument(const std::string& path, RomDocument& doc) = 0;
};

} // namespace tavrin
