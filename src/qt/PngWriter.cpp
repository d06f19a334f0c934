#include "qt/PngWriter.h"

#include "core/platform/SafeFileStream.h"

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

constexpr size_t ProbeBytes = size_t{1} << 14;

// Packs a row of indices at Depth bits each, the first pixel in the highest bits.
template <int Depth> void PackRowAt(const uint8_t* row, int width, uint8_t* out) {
    constexpr int PerByte = 8 / Depth;
    const int whole = width / PerByte;
    for (int i = 0; i < whole; ++i, row += PerByte) {
        unsigned b = 0;
        for (int k = 0; k < PerByte; ++k)
            b = (b << Depth) | row[k];
        out[i] = static_cast<uint8_t>(b);
    }
    if (const int rest = width % PerByte) {
        unsigned b = 0;
        for (int k = 0; k < rest; ++k)
            b = (b << Depth) | row[k];
        out[whole] = static_cast<uint8_t>(b << (Depth * (PerByte - rest)));
    }
}

// False when an index does not fit the depth.
bool PackRow(const uint8_t* row, int width, int depth, uint8_t* out) {
    uint8_t all = 0;
    for (int x = 0; x < width; ++x)
        all |= row[x];
    if ((all >> depth) != 0)
        return false;
    switch (depth) {
    case 1:
        PackRowAt<1>(row, width, out);
        break;
    case 2:
        PackRowAt<2>(row, width, out);
        break;
    case 4:
        PackRowAt<4>(row, width, out);
        break;
    default:
        std::copy(row, row + width, out);
    }
    return true;
}

} // namespace

int PngWriter::DepthFor(int maxIndex) {
    return maxIndex < 2 ? 1 : maxIndex < 4 ? 2 : maxIndex < 16 ? 4 : 8;
}

PngWriter::PngWriter(Sink sink, int level, int threads)
    : m_sink(std::move(sink)), m_level(std::clamp(level, 1, 9)),
      m_threads(threads > 0 ? static_cast<size_t>(threads)
                            : std::max(1u, std::thread::hardware_concurrency())) {}

PngWriter::~PngWriter() {
    // Blocks still being deflated refer to nothing of the writer; they are waited for.
    for (auto& f : m_pending)
        f.wait();
}

bool PngWriter::PutChunk(const char type[4], std::span<const uint8_t> data) {
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    // crc32 takes at most 4 GiB at a time; chunks here are far smaller. A null buffer would
    // make it start over, so an empty chunk is not passed.
    if (!data.empty())
        crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    return PutChunk(type, data, crc);
}

bool PngWriter::PutChunk(const char type[4], std::span<const uint8_t> data, unsigned long crc) {
    std::vector<uint8_t> head;
    PutBE32(head, static_cast<uint32_t>(data.size()));
    head.insert(head.end(), type, type + 4);
    std::vector<uint8_t> tail;
    PutBE32(tail, static_cast<uint32_t>(crc));
    m_ok = m_ok && m_sink(head) && (data.empty() || m_sink(data)) && m_sink(tail);
    return m_ok;
}

void PngWriter::HoldStart(std::span<const uint8_t> bytes) {
    m_held.assign(bytes.begin(), bytes.end());
    m_heldCrc = crc32(crc32(0L, reinterpret_cast<const Bytef*>("IDAT"), 4), m_held.data(),
                      static_cast<uInt>(m_held.size()));
}

bool PngWriter::Begin(int width, int height, const Image8::Palette& palette, int bitDepth) {
    if (m_started || width <= 0 || height <= 0 ||
        (bitDepth != 1 && bitDepth != 2 && bitDepth != 4 && bitDepth != 8))
        return m_ok = false;
    m_started = true;
    m_width = width;
    m_height = height;
    m_depth = bitDepth;
    m_rowBytes = 1 + (static_cast<size_t>(width) * static_cast<size_t>(bitDepth) + 7) / 8;

    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    m_ok = m_sink(Signature);
    std::vector<uint8_t> header;
    PutBE32(header, static_cast<uint32_t>(width));
    PutBE32(header, static_cast<uint32_t>(height));
    // Indexed colour, deflate, adaptive filtering (filter 0 on every row), no interlace.
    header.insert(header.end(), {static_cast<uint8_t>(bitDepth), 3, 0, 0, 0});
    PutChunk("IHDR", header);
    // A palette may not hold more colours than the depth can name.
    std::vector<uint8_t> plte;
    for (size_t i = 0; i < (size_t{1} << bitDepth); ++i)
        plte.insert(plte.end(), {static_cast<uint8_t>(RedOf(palette[i])),
                                 static_cast<uint8_t>(GreenOf(palette[i])),
                                 static_cast<uint8_t>(BlueOf(palette[i]))});
    PutChunk("PLTE", plte);
    // The zlib stream's header: deflate, 32 KiB window, no preset dictionary.
    static const uint8_t ZlibHeader[2] = {0x78, 0x01};
    HoldStart(ZlibHeader);
    return m_ok;
}

PngWriter::Block PngWriter::DeflateBlock(std::vector<uint8_t> indices, int width, int depth,
                                         int level, bool last) {
    Block block;
    // Packing is done here, on the block's own thread, so the caller only copies the rows.
    const size_t rows = indices.size() / static_cast<size_t>(width);
    const size_t rowBytes = 1 + (static_cast<size_t>(width) * static_cast<size_t>(depth) + 7) / 8;
    std::vector<uint8_t> raw(rows * rowBytes);
    for (size_t y = 0; y < rows; ++y) {
        raw[y * rowBytes] = 0; // filter: none
        if (!PackRow(indices.data() + y * static_cast<size_t>(width), width, depth,
                     raw.data() + y * rowBytes + 1))
            return block;
    }
    indices = {};
    block.rawSize = raw.size();
    block.adler = adler32(1L, raw.data(), static_cast<uInt>(raw.size()));
    z_stream z{};
    // Raw deflate: the zlib header and check are the writer's, around all blocks.
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 9, Z_RLE) != Z_OK)
        return block;
    block.bytes.resize(deflateBound(&z, static_cast<uLong>(raw.size())) + 64);
    z.next_out = block.bytes.data();
    z.avail_out = static_cast<uInt>(block.bytes.size());
    // A first part tells whether the block compresses at all (compressed graphics, noise):
    // one that does not goes out stored, which costs a copy instead of a futile search.
    const size_t probe = std::min(raw.size(), ProbeBytes);
    z.next_in = raw.data();
    z.avail_in = static_cast<uInt>(probe);
    bool ok = deflate(&z, Z_SYNC_FLUSH) == Z_OK && z.avail_in == 0;
    const size_t probed = block.bytes.size() - z.avail_out;
    if (ok && probe < raw.size() && probed * 100 >= probe * 97)
        ok = deflateParams(&z, 0, Z_DEFAULT_STRATEGY) == Z_OK;
    z.avail_in = static_cast<uInt>(raw.size() - probe);
    // A block that is not the last ends with a sync flush: on a byte boundary and without
    // the final mark, so the next block's deflate output follows it in the same stream.
    const int result = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
    block.ok = ok && (last ? result == Z_STREAM_END : (result == Z_OK && z.avail_in == 0));
    block.bytes.resize(block.bytes.size() - z.avail_out);
    deflateEnd(&z);
    block.crc = crc32(0L, block.bytes.data(), static_cast<uInt>(block.bytes.size()));
    return block;
}

bool PngWriter::Collect(const Block& block) {
    if (!block.ok)
        return m_ok = false;
    m_adler = adler32_combine(m_adler, block.adler, static_cast<z_off_t>(block.rawSize));
    m_held.insert(m_held.end(), block.bytes.begin(), block.bytes.end());
    m_heldCrc = crc32_combine(m_heldCrc, block.crc, static_cast<z_off_t>(block.bytes.size()));
    if (m_held.size() >= ChunkBytes) {
        if (!PutChunk("IDAT", m_held, m_heldCrc))
            return false;
        HoldStart({});
    }
    return m_ok;
}

void PngWriter::SendBlock(bool last) {
    // At most one block per thread is under way, so memory stays bounded; the oldest is
    // collected first, which keeps the order of the stream.
    while (m_ok && !m_pending.empty() && (last || m_pending.size() >= m_threads)) {
        Block done = m_pending.front().get();
        m_pending.pop_front();
        Collect(done);
    }
    if (!m_ok)
        return;
    if (last || m_threads <= 1) {
        Collect(DeflateBlock(std::move(m_raw), m_width, m_depth, m_level, last));
    } else {
        m_pending.push_back(std::async(std::launch::async, DeflateBlock, std::move(m_raw), m_width,
                                       m_depth, m_level, false));
    }
    m_raw = {};
}

bool PngWriter::AddRows(const Image8& band) {
    if (!m_ok || !m_started || band.Width() != m_width || m_rows + band.Height() > m_height)
        return m_ok = false;
    // A block is as many rows as fill BlockBytes once packed; they are held unpacked.
    const size_t width = static_cast<size_t>(m_width);
    const size_t blockIndices = std::max<size_t>(1, BlockBytes / m_rowBytes) * width;
    for (int y = 0; y < band.Height() && m_ok;) {
        if (m_raw.empty())
            m_raw.reserve(blockIndices);
        // As many rows as the block still takes.
        const int take = std::min<int>(band.Height() - y,
                                       static_cast<int>((blockIndices - m_raw.size()) / width));
        for (int k = 0; k < take; ++k)
            m_raw.insert(m_raw.end(), band.ScanLine(y + k), band.ScanLine(y + k) + width);
        y += take;
        m_rows += take;
        // The last block waits for Finish, which ends the stream with it.
        if (m_raw.size() >= blockIndices && m_rows < m_height)
            SendBlock(false);
    }
    return m_ok;
}

bool PngWriter::Finish() {
    if (!m_ok || !m_started || m_rows != m_height)
        return m_ok = false;
    SendBlock(true);
    if (!m_ok)
        return false;
    std::vector<uint8_t> check;
    PutBE32(check, static_cast<uint32_t>(m_adler));
    m_held.insert(m_held.end(), check.begin(), check.end());
    m_heldCrc = crc32(m_heldCrc, check.data(), static_cast<uInt>(check.size()));
    PutChunk("IDAT", m_held, m_heldCrc);
    m_held.clear();
    PutChunk("IEND", {});
    return m_ok;
}

namespace {

bool WriteWhole(const Image8& image, int level, const PngWriter::Sink& sink) {
    if (image.IsEmpty())
        return false;
    const auto* bits = image.Bits();
    const int maxIndex =
        *std::max_element(bits, bits + static_cast<size_t>(image.Width()) * image.Height());
    PngWriter png(sink, level);
    return png.Begin(image.Width(), image.Height(), image.Colours(),
                     PngWriter::DepthFor(maxIndex)) &&
           png.AddRows(image) && png.Finish();
}

} // namespace

std::vector<uint8_t> EncodeIndexedPng(const Image8& image, int level) {
    std::vector<uint8_t> out;
    const bool ok = WriteWhole(image, level, [&out](std::span<const uint8_t> bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
        return true;
    });
    return ok ? out : std::vector<uint8_t>{};
}

FileResult WriteIndexedPng(const std::string& path, const Image8& image, int level) {
    if (image.IsEmpty())
        return FileResult::Fail(FileFailure::Malformed, path);
    SafeFileStream file;
    if (FileResult opened = file.Open(path); !opened)
        return opened;
    const bool ok = WriteWhole(image, level, [&file](std::span<const uint8_t> bytes) {
        return static_cast<bool>(file.Write(bytes));
    });
    if (!ok) {
        // The file's own failure when there was one; else the image could not be made.
        FileResult why = file.Write({});
        return why ? FileResult::Fail(FileFailure::Malformed, path) : why;
    }
    return file.Commit();
}

} // namespace tavrin
