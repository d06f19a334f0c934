#pragma once

#include "core/compress/PackedCodec.h"
#include "core/palette/files/PaletteFormat.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrin {

enum class CliCommand {
    None,
    Help,
    Version,
    Formats,
    Info,
    Export,
    Import,
    Find,
    RenderSet,
    Bookmarks,
    PaletteConvert,
    Scan,
    Unpack,
    Pack,
};

// Everything the command line asks for; each field names its flag.
struct CliOptions {
    CliCommand command = CliCommand::None;
    bool help = false;                // --help (with or without a command)
    std::string setFile;              // SET (render-set)
    std::string rom;                  // ROM
    std::string image;                // OUT.bmp|OUT.png / IN.bmp|IN.png
    std::string input;                // IN (palette convert, pack)
    std::string output;               // OUT (palette convert, unpack, pack)
    std::string addressText;          // ADDRESS (unpack)
    std::optional<int> formatIndex;   // --format F, resolved to a table index
    std::optional<long long> address; // --address A
    std::string addressBookmark;      // --address @NAME: the bookmark's place
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
    bool backward = false;            // --backward
    std::string bytes;                // --bytes HEX
    std::string text;                 // --text TEXT
    // Given on the command line, so that a bookmark's place does not replace them.
    bool rotateGiven = false, mirrorGiven = false, entryGiven = false, patternGiven = false;
    std::string spdFile; // --spd FILE
    std::string sprFile; // --spr FILE

    // Palette files of other programs.
    bool palettes = false;                      // formats --palettes
    std::string paletteFile;                    // --palette FILE
    std::optional<PaletteFormat> paletteFormat; // --palette-format F
    std::optional<PaletteFormat> paletteFrom;   // palette convert --from F
    std::optional<PaletteFormat> paletteTo;     // palette convert --to F
    std::optional<ChannelExpansion> expansion;  // --expand full|shift (default full)
    std::string masterFile;                     // --master FILE

    // Packed blocks.
    std::vector<PackedCodec> codecs;                  // --codec C[,C...]
    std::optional<long long> minSize, maxSize, align; // --min-size, --max-size, --align
    bool allowDistance1 = false;                      // --allow-distance-1
    std::optional<PackedCodec> packed; // --packed C: the pages of the block at --address
    bool append = false;               // --append: a block that grew may move to the end
    bool repoint = false;              // --repoint: and the pointers to it follow
};

} // namespace tavrin
