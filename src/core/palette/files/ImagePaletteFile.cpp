// The palette of an indexed image, binary:
//
//   PNG: the 8-byte signature 89 50 4E 47 0D 0A 1A 0A, then chunks of a 4-byte big-endian
//        length, a 4-byte type, the data and a 4-byte CRC-32 of type and data. The chunk
//        "PLTE" (before the first "IDAT") holds 1 to 256 colours of red, green, blue; its
//        CRC must match. The pixels are not read.
//   BMP: "BM", the 14-byte file header, then a DIB header of 12 bytes (colour table entries
//        of blue, green, red) or of 40 bytes and more (entries of blue, green, red and an
//        unused byte; with BI_BITFIELDS and a 40-byte header, three masks come first). The
//        table holds biClrUsed entries, or 2^bits for 1 to 8 bits per pixel when that is 0.
//
// The colours are the first N entries of the table. A BMP whose table reaches past the end of
// the file fills the colours there are and says so; tables of more than 256 entries are cut
// at 256. Written as a PNG (16 pixels a row, one pixel of each colour, 8-bit indexed, the
// image data stored without compression) or as an 8-bit BMP of 256 colours.
#include "core/palette/files/PaletteCodecs.h"

#include "core/dib/BitmapFile.h"
#include "core/dib/DibRecords.h"
#include "core/platform/Image8.h"
#include "core/platform/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tavrin {

namespace {

constexpr uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t MaxColours = 256;
constexpr int ImageColumns = 16;

uint32_t LoadBE32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

void StoreBE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void Damaged(PaletteRead& read, const char* what) {
    read.problem = PaletteProblem::BadImage;
    read.expected = what;
}

void ReadPng(std::span<const uint8_t> bytes, PaletteRead& read) {
    size_t at = sizeof PngSignature;
    while (true) {
        if (bytes.size() - at < 12)
            return Damaged(read, "the PNG ends before its palette");
        const uint32_t length = LoadBE32(bytes.data() + at);
        const uint8_t* type = bytes.data() + at + 4;
        if (length > bytes.size() - at - 12)
            return Damaged(read, "a PNG chunk reaches past the end of the file");
        const uint8_t* data = type + 4;
        if (std::memcmp(type, "IDAT", 4) == 0 || std::memcmp(type, "IEND", 4) == 0) {
            read.problem = PaletteProblem::NoPalette;
            return;
        }
        if (std::memcmp(type, "PLTE", 4) == 0) {
            if (length == 0 || length % 3 != 0 || length > 3 * MaxColours)
                return Damaged(read, "the PNG palette is not 1 to 256 colours");
            if (Crc32(type, length + 4) != LoadBE32(data + length))
                return Damaged(read, "the PNG palette's checksum does not match");
            for (size_t k = 0; k < length / 3; ++k)
                read.contents.colours.push_back(
                    MakeColour(data[3 * k], data[3 * k + 1], data[3 * k + 2]));
            return;
        }
        at += 12 + length;
    }
}

void ReadBmp(std::span<const uint8_t> bytes, PaletteRead& read) {
    if (bytes.size() < BitmapFileHeaderSize + 4)
        return Damaged(read, "the bitmap ends in its header");
    const uint32_t headerSize = LoadLE32(bytes.data() + BitmapFileHeaderSize);
    size_t table = BitmapFileHeaderSize + headerSize;
    size_t entrySize = 4;
    size_t count = 0;
    if (headerSize == BitmapCoreHeaderSize) {
        if (bytes.size() < table)
            return Damaged(read, "the bitmap ends in its header");
        const BitmapCoreHeader core = BitmapCoreHeader::Load(bytes.data() + BitmapFileHeaderSize);
        entrySize = 3;
        if (core.bcBitCount >= 1 && core.bcBitCount <= 8)
            count = size_t{1} << core.bcBitCount;
    } else if (headerSize >= BitmapInfoHeaderSize && headerSize <= 1024) {
        if (bytes.size() < table)
            return Damaged(read, "the bitmap ends in its header");
        const BitmapInfoHeader info = BitmapInfoHeader::Load(bytes.data() + BitmapFileHeaderSize);
        if (headerSize == BitmapInfoHeaderSize && info.biCompression == BiBitfields)
            table += BitfieldMasksSize;
        if (info.biClrUsed != 0)
            count = info.biClrUsed;
        else if (info.biBitCount >= 1 && info.biBitCount <= 8)
            count = size_t{1} << info.biBitCount;
    } else {
        return Damaged(read, "the bitmap header has an unknown size");
    }
    if (count == 0) {
        read.problem = PaletteProblem::NoPalette;
        return;
    }
    count = std::min(count, MaxColours);
    const size_t available = bytes.size() > table ? (bytes.size() - table) / entrySize : 0;
    if (available < count)
        read.expectedCount = count;
    for (size_t k = 0; k < std::min(count, available); ++k) {
        const uint8_t* p = bytes.data() + table + entrySize * k;
        read.contents.colours.push_back(MakeColour(p[2], p[1], p[0]));
    }
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    StoreBE32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    StoreBE32(out, Crc32(out.data() + start, data.size() + 4));
}

// A zlib stream of stored blocks: no compression is needed for a few hundred bytes.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t n = std::min<size_t>(raw.size() - at, 65535);
        const bool last = at + n == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(~n));
        out.push_back(static_cast<uint8_t>(~n >> 8));
        out.insert(out.end(), raw.begin() + static_cast<ptrdiff_t>(at),
                   raw.begin() + static_cast<ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    StoreBE32(out, (b << 16) | a);
    return out;
}

std::vector<uint8_t> WritePng(const std::vector<Colour>& colours) {
    const int count = static_cast<int>(colours.size());
    const int width = std::min(count, ImageColumns);
    const int height = (count + ImageColumns - 1) / ImageColumns;
    std::vector<uint8_t> out(PngSignature, PngSignature + sizeof PngSignature);
    std::vector<uint8_t> header;
    StoreBE32(header, static_cast<uint32_t>(width));
    StoreBE32(header, static_cast<uint32_t>(height));
    header.insert(header.end(),
                  {8, 3, 0, 0, 0}); // 8 bits, indexed, deflate, filter 0, no interlace
    Chunk(out, "IHDR", header);
    std::vector<uint8_t> plte;
    for (Colour c : colours)
        plte.insert(plte.end(), {static_cast<uint8_t>(RedOf(c)), static_cast<uint8_t>(GreenOf(c)),
                                 static_cast<uint8_t>(BlueOf(c))});
    Chunk(out, "PLTE", plte);
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // filter type none
        for (int x = 0; x < width; ++x) {
            const int k = y * ImageColumns + x;
            raw.push_back(static_cast<uint8_t>(k < count ? k : 0));
        }
    }
    Chunk(out, "IDAT", StoredZlib(raw));
    Chunk(out, "IEND", {});
    return out;
}

std::vector<uint8_t> WriteBmp(const std::vector<Colour>& colours) {
    const int count = static_cast<int>(colours.size());
    Image8 image(std::min(count, ImageColumns), (count + ImageColumns - 1) / ImageColumns);
    for (int k = 0; k < count; ++k) {
        image.Colours()[static_cast<size_t>(k)] = colours[static_cast<size_t>(k)];
        image.SetPixel(k % ImageColumns, k / ImageColumns, static_cast<uint8_t>(k));
    }
    return Image8ToBitmapFile(image);
}

} // namespace

void ReadImage(std::span<const uint8_t> bytes, const PaletteOptions&, PaletteRead& read) {
    if (bytes.size() >= sizeof PngSignature &&
        std::memcmp(bytes.data(), PngSignature, sizeof PngSignature) == 0)
        return ReadPng(bytes, read);
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return ReadBmp(bytes, read);
    read.problem = PaletteProblem::Unrecognised;
    read.expected = "a PNG or BMP image";
}

std::vector<uint8_t> WriteImage(const PaletteContents& contents, const PaletteOptions& options) {
    std::vector<Colour> colours(
        contents.colours.begin(),
        contents.colours.begin() +
            static_cast<ptrdiff_t>(std::min(contents.colours.size(), MaxColours)));
    // An image holds at least one pixel.
    if (colours.empty())
        colours.push_back(0);
    return options.imageAsPng ? WritePng(colours) : WriteBmp(colours);
}

} // namespace tavrin
