#pragma once

#include "core/palette/files/PaletteFormat.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrin {

// One palette file into another format.
struct PaletteConvertRequest {
    std::string input;
    std::string output;
    std::optional<PaletteFormat> from; // unset: detected from the input
    std::optional<PaletteFormat> to;   // unset: the one format of the output's extension
    PaletteOptions options;
    // The master palette NES palette RAM indexes (any palette file), needed to turn its
    // indices into colours or colours into its indices.
    std::string master;
    std::optional<PaletteFormat> masterFormat;
};

struct PaletteConvertResult {
    // The failure of whichever file failed; Malformed with problem set when the request or a
    // file's content was refused.
    FileResult file;
    PaletteRead read; // of the input
    PaletteFormat to = PaletteFormat::Pal;
    std::string problem; // English, when the request itself was refused
    std::vector<std::string> warnings;

    explicit operator bool() const { return static_cast<bool>(file); }
};

// The format the output's extension names when exactly one does; otherwise a refusal naming
// the candidates (problem set).
PaletteFormat OutputFormatOf(const std::string& path, std::string& problem);

PaletteConvertResult ConvertPaletteFile(const PaletteConvertRequest& request);

} // namespace tavrin
