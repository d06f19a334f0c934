#include "core/palette/files/PaletteFormat.h"

#include "core/palette/files/PaletteCodecs.h"
#include "core/platform/FileIO.h"
#include "core/platform/LittleEndian.h"
#include "core/platform/SafeFileWriter.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tavrin {

namespace {

struct Codec {
    PaletteFormat format;
    PaletteReader reader;
    PaletteWriter writer;
};

const Codec Codecs[] = {
    {PaletteFormat::Jasc, ReadJasc, WriteJasc},
    {PaletteFormat::Gpl, ReadGpl, WriteGpl},
    {PaletteFormat::Hex, ReadHex, WriteHex},
    {PaletteFormat::PaintNet, ReadPaintNet, WritePaintNet},
    {PaletteFormat::Act, ReadAct, WriteAct},
    {PaletteFormat::Image, ReadImage, WriteImage},
    {PaletteFormat::Bgr555, ReadBgr555, WriteBgr555},
    {PaletteFormat::MdCram, ReadMdCram, WriteMdCram},
    {PaletteFormat::Sms, ReadSms, WriteSms},
    {PaletteFormat::Gg, ReadGg, WriteGg},
    {PaletteFormat::Nes, ReadNes, WriteNes},
    {PaletteFormat::NesRam, ReadNesRam, WriteNesRam},
    {PaletteFormat::Pal, ReadPal, WritePal},
};

const Codec& CodecOf(PaletteFormat format) {
    for (const Codec& codec : Codecs)
        if (codec.format == format)
            return codec;
    return Codecs[std::size(Codecs) - 1];
}

bool StartsWith(std::span<const uint8_t> bytes, std::string_view text) {
    return bytes.size() >= text.size() && std::memcmp(bytes.data(), text.data(), text.size()) == 0;
}

std::string LowerExtension(const std::string& path) {
    std::string ext = ExtensionPart(path);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// A bitmap file header followed by one of the DIB header sizes, so that colour memory that
// happens to begin with "BM" is not taken for a bitmap.
bool LooksLikeBitmap(std::span<const uint8_t> bytes) {
    if (bytes.size() < 18 || !StartsWith(bytes, "BM"))
        return false;
    const uint32_t header = LoadLE32(bytes.data() + 14);
    return header == 12 || header == 40 || header == 52 || header == 56 || header == 64 ||
           header == 108 || header == 124;
}

std::optional<PaletteFormat> FormatByContent(std::span<const uint8_t> bytes) {
    if (StartsWith(bytes, "JASC-PAL"))
        return PaletteFormat::Jasc;
    if (StartsWith(bytes, "GIMP Palette"))
        return PaletteFormat::Gpl;
    if (StartsWith(bytes, "\x89PNG\r\n\x1A\n") || LooksLikeBitmap(bytes))
        return PaletteFormat::Image;
    if (bytes.size() >= 12 && StartsWith(bytes, "RIFF") &&
        std::memcmp(bytes.data() + 8, "PAL ", 4) == 0)
        return PaletteFormat::Pal;
    return std::nullopt;
}

// "bgr555 (32 or 512 bytes)", "jasc (text)".
std::string Expectation(const PaletteFormatInfo& info) {
    std::string text = std::string(info.name) + " (";
    if (info.sizes.empty()) {
        text += info.title;
    } else {
        for (size_t i = 0; i < info.sizes.size(); ++i) {
            if (i > 0)
                text += i + 1 == info.sizes.size() ? " or " : ", ";
            text += std::to_string(info.sizes[i]);
        }
        text += " bytes";
    }
    return text + ")";
}

std::string JoinExpectations(const std::vector<const PaletteFormatInfo*>& infos) {
    std::string text;
    for (const PaletteFormatInfo* info : infos) {
        if (!text.empty())
            text += ", ";
        text += Expectation(*info);
    }
    return text;
}

std::string Refusal(const std::string& ext, size_t size,
                    const std::vector<const PaletteFormatInfo*>& candidates) {
    if (candidates.empty()) {
        std::string text = "a file named ";
        bool first = true;
        for (const PaletteFormatInfo& info : PaletteFormats())
            for (std::string_view e : info.extensions) {
                const std::string name = "*" + std::string(e);
                if (text.find(name) != std::string::npos)
                    continue;
                text += (first ? "" : ", ") + name;
                first = false;
            }
        return text;
    }
    return JoinExpectations(candidates) + " for a " + ext + " file; this one has " +
           std::to_string(size) + " bytes";
}

} // namespace

const std::vector<PaletteFormatInfo>& PaletteFormats() {
    static const std::vector<PaletteFormatInfo> formats = {
        {PaletteFormat::Jasc, "jasc", "JASC-PAL text", {".pal"}, {}, false},
        {PaletteFormat::Gpl, "gpl", "GIMP palette", {".gpl"}, {}, false},
        {PaletteFormat::Hex, "hex", "hexadecimal colour list", {".hex"}, {}, false},
        {PaletteFormat::PaintNet, "paint.net", "Paint.NET palette", {".txt"}, {}, false},
        {PaletteFormat::Act, "act", "Adobe colour table", {".act"}, {768, 772}, false},
        {PaletteFormat::Image, "image", "indexed PNG or BMP", {".png", ".bmp"}, {}, false},
        {PaletteFormat::Bgr555,
         "bgr555",
         "SNES/GBA BGR555",
         {".bgr", ".cgr", ".cgram", ".pal", ".bin"},
         {32, 512},
         true},
        {PaletteFormat::MdCram, "md-cram", "Mega Drive CRAM", {".cram", ".bin"}, {128}, true},
        {PaletteFormat::Sms, "sms", "Master System CRAM", {".cram", ".bin"}, {32}, true},
        {PaletteFormat::Gg, "gg", "Game Gear CRAM", {".cram", ".bin"}, {64}, true},
        {PaletteFormat::Nes, "nes", "NES master palette", {".pal", ".bin"}, {192, 1536}, false},
        {PaletteFormat::NesRam, "nes-ram", "NES palette RAM", {".pal", ".bin"}, {32}, true},
        {PaletteFormat::Pal, "pal", "Tavrin palette", {".pal"}, {768}, false},
    };
    return formats;
}

const PaletteFormatInfo& InfoOf(PaletteFormat format) {
    for (const PaletteFormatInfo& info : PaletteFormats())
        if (info.format == format)
            return info;
    return PaletteFormats().back();
}

std::optional<PaletteFormat> PaletteFormatByName(std::string_view name) {
    for (const PaletteFormatInfo& info : PaletteFormats())
        if (name == info.name)
            return info.format;
    return std::nullopt;
}

std::string PaletteFormatNames() {
    const std::vector<PaletteFormatInfo>& all = PaletteFormats();
    std::string names;
    for (size_t i = 0; i < all.size(); ++i)
        names += (i == 0 ? "" : i + 1 == all.size() ? " or " : ", ") + std::string(all[i].name);
    return names;
}

int ExpandChannel(int value, int bits, ChannelExpansion expansion) {
    if (bits <= 0 || bits >= 8)
        return value & 0xFF;
    value &= (1 << bits) - 1;
    int out = value << (8 - bits);
    if (expansion == ChannelExpansion::Full)
        // Repeat the value below itself until the 8 bits are full: 31 -> 255, 7 -> 255, 3 -> 255.
        for (int shift = 8 - 2 * bits; shift > -bits; shift -= bits)
            out |= shift >= 0 ? value << shift : value >> -shift;
    return out;
}

int ReduceChannel(int value8, int bits) {
    if (bits <= 0 || bits >= 8)
        return value8 & 0xFF;
    return (value8 & 0xFF) >> (8 - bits);
}

size_t TakeEntries(std::span<const uint8_t> bytes, size_t entrySize, size_t full, bool fixedSize,
                   PaletteRead& read) {
    const size_t whole = bytes.size() / entrySize;
    const size_t count = std::min(whole, full);
    if (fixedSize && count < full)
        read.expectedCount = full;
    read.ignoredBytes = bytes.size() - count * entrySize;
    return count;
}

size_t PaletteCapacity(PaletteFormat format, size_t count) {
    switch (format) {
    case PaletteFormat::Jasc:
    case PaletteFormat::Gpl:
    case PaletteFormat::Hex:
        return count;
    case PaletteFormat::PaintNet:
        return std::min(count, PaintNetColours);
    case PaletteFormat::MdCram:
        return 64;
    case PaletteFormat::Sms:
    case PaletteFormat::Gg:
    case PaletteFormat::NesRam:
        return 32;
    case PaletteFormat::Nes:
        return count >= 512 ? 512 : 64;
    default:
        return 256;
    }
}

Colour ColourAt(const PaletteContents& contents, size_t k) {
    return k < contents.colours.size() ? contents.colours[k] : 0;
}

PaletteRead DetectPaletteFormat(std::span<const uint8_t> bytes, const std::string& path) {
    PaletteRead read;
    if (std::optional<PaletteFormat> byContent = FormatByContent(bytes)) {
        read.format = *byContent;
        return read;
    }
    const std::string ext = LowerExtension(path);
    std::vector<const PaletteFormatInfo*> candidates;
    for (const PaletteFormatInfo& info : PaletteFormats())
        if (std::find(info.extensions.begin(), info.extensions.end(), ext) != info.extensions.end())
            candidates.push_back(&info);
    if (candidates.size() == 1) {
        read.format = candidates.front()->format;
        return read;
    }
    std::vector<const PaletteFormatInfo*> sized;
    for (const PaletteFormatInfo* info : candidates)
        if (std::find(info->sizes.begin(), info->sizes.end(), bytes.size()) != info->sizes.end())
            sized.push_back(info);
    if (sized.size() == 1) {
        read.format = sized.front()->format;
        return read;
    }
    if (sized.size() > 1) {
        read.problem = PaletteProblem::Ambiguous;
        read.expected = JoinExpectations(sized);
    } else {
        read.problem = PaletteProblem::Unrecognised;
        read.expected = Refusal(ext, bytes.size(), candidates);
    }
    return read;
}

PaletteRead ReadPaletteBytes(std::span<const uint8_t> bytes, PaletteFormat format,
                             const PaletteOptions& options) {
    PaletteRead read;
    read.format = format;
    CodecOf(format).reader(bytes, options, read);
    if (read.problem == PaletteProblem::None && read.contents.Count() == 0)
        read.problem = PaletteProblem::NoColours;
    if (read.problem != PaletteProblem::None)
        read.contents = {};
    return read;
}

PaletteRead ReadPaletteBytes(std::span<const uint8_t> bytes, const std::string& path,
                             std::optional<PaletteFormat> format, const PaletteOptions& options) {
    if (!format) {
        PaletteRead detected = DetectPaletteFormat(bytes, path);
        if (!detected)
            return detected;
        format = detected.format;
    }
    return ReadPaletteBytes(bytes, *format, options);
}

std::vector<uint8_t> WritePaletteBytes(const PaletteContents& contents, PaletteFormat format,
                                       const PaletteOptions& options) {
    return CodecOf(format).writer(contents, options);
}

PaletteLoad LoadPaletteFile(const std::string& path, std::optional<PaletteFormat> format,
                            const PaletteOptions& options) {
    PaletteLoad load;
    std::vector<uint8_t> bytes;
    load.file = ReadFilePrefix(path, bytes, MaxPaletteFileBytes);
    if (!load.file)
        return load;
    load.read = ReadPaletteBytes(bytes, path, format, options);
    if (!load.read)
        load.file = FileResult::Fail(FileFailure::Malformed, path);
    return load;
}

FileResult SavePaletteFile(const std::string& path, const PaletteContents& contents,
                           PaletteFormat format, const PaletteOptions& options) {
    const std::vector<uint8_t> bytes = WritePaletteBytes(contents, format, options);
    return WriteFileSafely(path, bytes.data(), bytes.size());
}

} // namespace tavrin
