#pragma once

#include <optional>
#include <string>

namespace tavrin {

enum class CliCommand { None, Help, Formats, Info, Export, Import, Find, RenderSet };

// Everything the command line asks for; each field names its flag.
struct CliOptions {
    CliCommand command = CliCommand::None;
    bool help = false;                // --help (with or without a command)
    std::string setFile;              // SET (render-set)
    std::string rom;                  // ROM
    std::string image;                // OUT.bmp|OUT.png / IN.bmp|IN.png
    std::optional<int> formatIndex;   // --format F, resolved to a table index
    std::optional<long long> address; // --address A
    int pages = 1;                    // --pages N
    bool allPages = false;            // --pages all
    int rotateIndex = 0;              // --rotate 0|90|180|270
    int mirrorIndex = 0;              // --mirror none|horizontal|vertical|both
    std::string patternFile;          // --pattern FILE.adf[:INDEX]
    int patternIndex = 0;             //   its INDEX (default 0)
    std::string palFile;              // --pal FILE
    std::string datFile;              // --dat FILE
    long long entry = 0;              // --entry E
    bool paletteOnly = false;         // --palette-only
    bool noCompanions = false;        // --no-companions
    std::string stateFile;            // --state FILE
    std::string iniFile;              // --ini FILE
    std::optional<long long> from;    // --from A
    std::string spdFile;              // --spd FILE
    std::string sprFile;              // --spr FILE
};

} // namespace tavrin
