#pragma once

#include "core/platform/Colour.h"
#include "core/platform/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The palette files of other programs and the colour memories of consoles that the program
// reads and writes besides its own .pal. Each format's layout is described at the top of its
// own source file in this folder.
enum class PaletteFormat {
    Jasc,
    Gpl,
    Hex,
    PaintNet,
    Act,
    Image,
    Bgr555,
    MdCram,
    Sms,
    Gg,
    Nes,
    NesRam,
    Pal
};

// How channels of fewer than 8 bits become 8 bits. Shift leaves the low bits 0 (v << 3 for 5
// bits, as the save-state import does); Full repeats the high bits into them so that the
// largest value is 255 ((v << 3) | (v >> 2) for 5 bits).
enum class ChannelExpansion { Shift, Full };

struct PaletteOptions {
    ChannelExpansion expansion = ChannelExpansion::Full;
    // The image format writes a PNG when set, else a BMP.
    bool imageAsPng = true;
};

// What a palette file holds: colours, or for palette RAM of the NES indices into a master
// palette (indices is then filled and colours empty).
struct PaletteContents {
    std::vector<Colour> colours;
    std::vector<uint8_t> indices;
    // The transparent entry an .act file names, -1 when none.
    int transparentIndex = -1;

    bool HoldsIndices() const { return colours.empty() && !indices.empty(); }
    size_t Count() const { return HoldsIndices() ? indices.size() : colours.size(); }
};

// Why a palette file's content was refused.
enum class PaletteProblem {
    None,
    Unrecognised, // no format fits the content, the extension and the size
    Ambiguous,    // several formats fit the extension and the size
    WrongHeader,  // a text format without its first line
    BadLine,      // a line that is not a colour
    NoColours,    // nothing to read
    NoPalette,    // an image without a colour table
    BadImage,     // an image whose structure is damaged
};

// The outcome of reading one palette file's bytes.
struct PaletteRead {
    PaletteFormat format = PaletteFormat::Pal;
    PaletteContents contents;
    PaletteProblem problem = PaletteProblem::None;
    // What was expected instead, in the words of the formats' names and sizes (not translated).
    std::string expected;
    // The 1-based line of a BadLine.
    int line = 0;
    // The number of entries the file should have held when it held fewer (0 when it was
    // complete): the read fills what the file has.
    size_t expectedCount = 0;
    // Bytes past what the format holds, left unread.
    size_t ignoredBytes = 0;

    explicit operator bool() const { return problem == PaletteProblem::None; }
    bool IsShort() const { return expectedCount > contents.Count(); }
};

// One row of the format table.
struct PaletteFormatInfo {
    PaletteFormat format;
    const char* name;  // the command line's name
    const char* title; // a short English description, also the file dialog's filter name
    // The extensions, lower case with their dots, the first the one written by default.
    std::vector<std::string_view> extensions;
    // Sizes that pick this format among others sharing an extension (empty: content decides).
    std::vector<size_t> sizes;
    // Holds console palette memory (rows of 16 colours or NES palette indices), so that its
    // entries can also go into the palette set.
    bool paletteMemory;
};

const std::vector<PaletteFormatInfo>& PaletteFormats();
const PaletteFormatInfo& InfoOf(PaletteFormat format);
std::optional<PaletteFormat> PaletteFormatByName(std::string_view name);
// Every command-line name in the table's order: "jasc, gpl, ... or pal".
std::string PaletteFormatNames();

// Channels of n bits to 8 and back (the high bits, so both expansions read back exactly).
int ExpandChannel(int value, int bits, ChannelExpansion expansion);
int ReduceChannel(int value8, int bits);

// The format of a file: its content where that is unambiguous (text headers, PNG and BMP
// signatures, a RIFF palette), else its extension, and among formats sharing the extension
// its exact size. A refusal (problem set, format unset) names what was expected.
PaletteRead DetectPaletteFormat(std::span<const uint8_t> bytes, const std::string& path);

// Reads the bytes as the given format.
PaletteRead ReadPaletteBytes(std::span<const uint8_t> bytes, PaletteFormat format,
                             const PaletteOptions& options = {});
// Reads the bytes as the given format, or as the detected one when none is given.
PaletteRead ReadPaletteBytes(std::span<const uint8_t> bytes, const std::string& path,
                             std::optional<PaletteFormat> format,
                             const PaletteOptions& options = {});
// The file's bytes in the format. Formats of a fixed number of entries pad with black (or
// index 0) and leave out what does not fit.
std::vector<uint8_t> WritePaletteBytes(const PaletteContents& contents, PaletteFormat format,
                                       const PaletteOptions& options = {});

// How many entries a file of the format keeps of count given (count when it keeps them all).
size_t PaletteCapacity(PaletteFormat format, size_t count);

// A whole palette file: the file's own failure (Malformed when its content was refused) and
// what was read.
struct PaletteLoad {
    FileResult file;
    PaletteRead read;
};
// The largest palette file read; anything past it is left unread.
constexpr size_t MaxPaletteFileBytes = 4u << 20;
PaletteLoad LoadPaletteFile(const std::string& path, std::optional<PaletteFormat> format,
                            const PaletteOptions& options = {});
FileResult SavePaletteFile(const std::string& path, const PaletteContents& contents,
                           PaletteFormat format, const PaletteOptions& options = {});

// The refusal or the warnings of a read in English, one sentence each; "" when none.
std::string DescribePaletteProblem(const PaletteRead& read);
std::vector<std::string> DescribePaletteWarnings(const PaletteRead& read);
// The same in the window's words (translated).
std::string PaletteProblemMessage(const PaletteRead& read);
std::vector<std::string> PaletteWarningMessages(const PaletteRead& read);
// The warning of a write that keeps fewer of count entries than given; "" when it keeps all.
std::string DescribeLeftOut(PaletteFormat format, size_t count);
std::string LeftOutMessage(PaletteFormat format, size_t count);

} // namespace tavrin
