#include "qt/PngWriter.h"

#include "core/platform/FileIO.h"

#include <zlib.h>

namespace tavrin {

namespace {

void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const uint8_t* data, size_t size) {
    PutBE32(out, static_cast<uint32_t>(size));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size)
        out.insert(out.end(), data, data + size);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBE32(out, static_cast<uint32_t>(crc));
}

} // namespace

std::vector<uint8_t> EncodeIndexedPng(const Image8& image, int level) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (image.IsEmpty())
        return {};
    uint8_t header[13];
    const auto w = static_cast<uint32_t>(image.Width());
    const auto h = static_cast<uint32_t>(image.Height());
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<uint8_t>(w >> (24 - 8 * i));
        header[4 + i] = static_cast<uint8_t>(h >> (24 - 8 * i));
    }
    header[8] = 8;  // bit depth
    header[9] = 3;  // indexed colour
    header[10] = 0; // deflate
    header[11] = 0; // adaptive filtering (we use filter 0 on every row)
    header[12] = 0; // no interlace
    PutChunk(out, "IHDR", header, sizeof header);

    uint8_t plte[768];
    for (int i = 0; i < 256; ++i) {
        const Colour c = image.Colours()[static_cast<size_t>(i)];
        plte[3 * i] = static_cast<uint8_t>(RedOf(c));
        plte[3 * i + 1] = static_cast<uint8_t>(GreenOf(c));
        plte[3 * i + 2] = static_cast<uint8_t>(BlueOf(c));
    }
    PutChunk(out, "PLTE", plte, sizeof plte);

    z_stream z{};
    if (deflateInit2(&z, level < 0 ? 1 : (level > 9 ? 9 : level), Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
        return {};
    std::vector<uint8_t> idat(deflateBound(&z, static_cast<uLong>((w + 1) * h)) + 64);
    z.next_out = idat.data();
    z.avail_out = static_cast<uInt>(idat.size());
    const uint8_t filterNone = 0;
    bool ok = true;
    for (uint32_t y = 0; y < h && ok; ++y) {
        z.next_in = const_cast<Bytef*>(&filterNone);
        z.avail_in = 1;
        ok = deflate(&z, Z_NO_FLUSH) == Z_OK;
        z.next_in = const_cast<Bytef*>(image.ScanLine(static_cast<int>(y)));
        z.avail_in = w;
        ok = ok && deflate(&z, Z_NO_FLUSH) == Z_OK;
    }
    ok = ok && deflate(&z, Z_FINISH) == Z_STREAM_END;
    const size_t produced = idat.size() - z.avail_out;
    deflateEnd(&z);
    if (!ok)
        return {};
    PutChunk(out, "IDAT", idat.data(), produced);
    PutChunk(out, "IEND", nullptr, 0);
    return out;
}

bool WriteIndexedPng(const std::string& path, const Image8& image, int level) {
    const std::vector<uint8_t> bytes = EncodeIndexedPng(image, level);
    return !bytes.empty() && WriteWholeFile(path, bytes.data(), bytes.size());
}

} // namespace tavrin
