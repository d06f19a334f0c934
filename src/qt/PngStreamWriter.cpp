#include "qt/PngStreamWriter.h"

#include <zlib.h>

#include <algorithm>

namespace tavrin {

namespace {

void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

constexpr size_t OutBufferBytes = size_t{1} << 16;

} // namespace

PngStreamWriter::PngStreamWriter(Sink sink, int level)
    : m_sink(std::move(sink)), m_level(std::clamp(level, 1, 9)), m_z(std::make_unique<z_stream>()) {
}

PngStreamWriter::~PngStreamWriter() {
    if (m_started)
        deflateEnd(m_z.get());
}

bool PngStreamWriter::PutChunk(const char type[4], std::span<const uint8_t> data) {
    std::vector<uint8_t> head;
    PutBE32(head, static_cast<uint32_t>(data.size()));
    head.insert(head.end(), type, type + 4);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, head.data() + 4, 4);
    // crc32 takes at most 4 GiB at a time; chunks here are far smaller. A null buffer would
    // make it start over, so an empty chunk is not passed.
    if (!data.empty())
        crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    std::vector<uint8_t> tail;
    PutBE32(tail, static_cast<uint32_t>(crc));
    m_ok = m_ok && m_sink(head) && (data.empty() || m_sink(data)) && m_sink(tail);
    return m_ok;
}

bool PngStreamWriter::Begin(int width, int height, const Image8::Palette& palette) {
    if (m_started || width <= 0 || height <= 0)
        return m_ok = false;
    m_width = width;
    m_height = height;
    if (deflateInit2(m_z.get(), m_level, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK)
        return m_ok = false;
    m_started = true;
    m_out.resize(OutBufferBytes);

    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    m_ok = m_sink(Signature);
    std::vector<uint8_t> header;
    PutBE32(header, static_cast<uint32_t>(width));
    PutBE32(header, static_cast<uint32_t>(height));
    // 8 bits per pixel, indexed colour, deflate, adaptive filtering (filter 0 on every row),
    // no interlace.
    header.insert(header.end(), {8, 3, 0, 0, 0});
    PutChunk("IHDR", header);
    std::vector<uint8_t> plte;
    for (const Colour c : palette)
        plte.insert(plte.end(), {static_cast<uint8_t>(RedOf(c)), static_cast<uint8_t>(GreenOf(c)),
                                 static_cast<uint8_t>(BlueOf(c))});
    PutChunk("PLTE", plte);
    // The zlib stream's header: deflate, 32 KiB window, no preset dictionary.
    m_held = {0x78, 0x01};
    return m_ok;
}

bool PngStreamWriter::Deflate(const uint8_t* data, size_t size, bool finish) {
    m_z->next_in = const_cast<Bytef*>(data);
    m_z->avail_in = static_cast<uInt>(size);
    for (;;) {
        m_z->next_out = m_out.data();
        m_z->avail_out = static_cast<uInt>(m_out.size());
        const int result = deflate(m_z.get(), finish ? Z_FINISH : Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return m_ok = false;
        m_held.insert(m_held.end(), m_out.data(), m_out.data() + (m_out.size() - m_z->avail_out));
        if (m_held.size() >= ChunkBytes) {
            if (!PutChunk("IDAT", m_held))
                return false;
            m_held.clear();
        }
        if (finish ? result == Z_STREAM_END : (m_z->avail_in == 0 && m_z->avail_out != 0))
            return true;
    }
}

bool PngStreamWriter::AddRows(const Image8& band) {
    if (!m_ok || !m_started || band.Width() != m_width || m_rows + band.Height() > m_height)
        return m_ok = false;
    const uint8_t filterNone = 0;
    const auto w = static_cast<size_t>(m_width);
    for (int y = 0; y < band.Height() && m_ok; ++y) {
        m_adler = adler32(m_adler, &filterNone, 1);
        m_adler = adler32(m_adler, band.ScanLine(y), static_cast<uInt>(w));
        Deflate(&filterNone, 1, false);
        Deflate(band.ScanLine(y), w, false);
    }
    m_rows += band.Height();
    return m_ok;
}

bool PngStreamWriter::Finish() {
    if (!m_ok || !m_started || m_rows != m_height)
        return m_ok = false;
    if (!Deflate(nullptr, 0, true))
        return false;
    PutBE32(m_held, static_cast<uint32_t>(m_adler));
    PutChunk("IDAT", m_held);
    m_held.clear();
    PutChunk("IEND", {});
    return m_ok;
}

} // namespace tavrin
