#include "qt/PngWriter.h"

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <zlib.h>

#include <algorithm>
#include <thread>

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

// One part of the zlib stream: raw deflate of rows [first, last), each row behind its filter
// byte, ended by a sync flush (or the final block), and the Adler-32 of what it took in.
struct DeflatedPart {
    std::vector<uint8_t> bytes;
    uLong adler = 1;
    uLong rawSize = 0;
    bool ok = false;
};

void DeflatePart(const Image8& image, int first, int last, int level, bool final,
                 DeflatedPart& part) {
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK)
        return;
    const auto w = static_cast<uInt>(image.Width());
    part.bytes.resize(deflateBound(&z, static_cast<uLong>(w + 1) * (last - first)) + 64);
    z.next_out = part.bytes.data();
    z.avail_out = static_cast<uInt>(part.bytes.size());
    const uint8_t filterNone = 0;
    bool ok = true;
    for (int y = first; y < last && ok; ++y) {
        z.next_in = const_cast<Bytef*>(&filterNone);
        z.avail_in = 1;
        ok = deflate(&z, Z_NO_FLUSH) == Z_OK;
        z.next_in = const_cast<Bytef*>(image.ScanLine(y));
        z.avail_in = w;
        ok = ok && deflate(&z, Z_NO_FLUSH) == Z_OK;
        part.adler = adler32(part.adler, &filterNone, 1);
        part.adler = adler32(part.adler, image.ScanLine(y), w);
    }
    part.rawSize = static_cast<uLong>(w + 1) * static_cast<uLong>(last - first);
    if (final)
        ok = ok && deflate(&z, Z_FINISH) == Z_STREAM_END;
    else
        ok = ok && deflate(&z, Z_SYNC_FLUSH) == Z_OK;
    part.bytes.resize(part.bytes.size() - z.avail_out);
    deflateEnd(&z);
    part.ok = ok;
}

// The zlib stream of all rows. Large images are cut into parts deflated on every core and
// joined as one stream: the run-length strategy only looks one byte back, so the cut costs
// a few bytes of output.
std::vector<uint8_t> DeflateRows(const Image8& image, int level) {
    const int rows = image.Height();
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int parts = rows >= 4096 ? std::min(cores, 8) : 1;
    std::vector<DeflatedPart> done(static_cast<size_t>(parts));
    std::vector<std::thread> workers;
    for (int k = 0; k < parts; ++k) {
        const int first = static_cast<int>(static_cast<int64_t>(rows) * k / parts);
        const int last = static_cast<int>(static_cast<int64_t>(rows) * (k + 1) / parts);
        const bool final = k == parts - 1;
        auto& part = done[static_cast<size_t>(k)];
        if (final)
            DeflatePart(image, first, last, level, final, part);
        else
            workers.emplace_back([&image, first, last, level, &part] {
                DeflatePart(image, first, last, level, false, part);
            });
    }
    for (auto& t : workers)
        t.join();
    std::vector<uint8_t> out = {0x78, 0x01}; // deflate, 32K window, no preset dictionary
    uLong adler = 1;
    for (const auto& part : done) {
        if (!part.ok)
            return {};
        out.insert(out.end(), part.bytes.begin(), part.bytes.end());
        adler = adler32_combine(adler, part.adler, static_cast<z_off_t>(part.rawSize));
    }
    PutBE32(out, static_cast<uint32_t>(adler));
    return out;
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

    const std::vector<uint8_t> idat = DeflateRows(image, level < 0 ? 1 : (level > 9 ? 9 : level));
    if (idat.empty())
        return {};
    PutChunk(out, "IDAT", idat.data(), idat.size());
    PutChunk(out, "IEND", nullptr, 0);
    return out;
}

FileResult WriteIndexedPng(const std::string& path, const Image8& image, int level) {
    const std::vector<uint8_t> bytes = EncodeIndexedPng(image, level);
    if (bytes.empty())
        return FileResult::Fail(FileFailure::Malformed, path);
    return WriteFileSafely(path, bytes.data(), bytes.size());
}

} // namespace tavrin
