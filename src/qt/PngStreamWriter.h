#pragma once

#include "core/platform/Image8.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

struct z_stream_s;

namespace tavrin {

// An 8-bit indexed PNG written while its rows are made, for images too tall to hold whole
// (an export of every page of a large ROM): the header and palette first, then the rows in
// order a band at a time, deflated as they come and handed to a sink in chunks of about
// ChunkBytes, so memory stays the same at any height. The rows go unfiltered through one
// deflate stream with the run-length strategy, as EncodeIndexedPng writes them; while the
// compressed rows stay under ChunkBytes (every export of fewer than 4096 rows) the file is
// byte for byte the one EncodeIndexedPng makes.
class PngStreamWriter {
public:
    // Takes the next bytes of the file; false stops the writer.
    using Sink = std::function<bool(std::span<const uint8_t>)>;
    static constexpr size_t ChunkBytes = size_t{1} << 20;

    // level: zlib's deflate level, 1 fastest … 9 smallest.
    explicit PngStreamWriter(Sink sink, int level = 1);
    ~PngStreamWriter();
    PngStreamWriter(const PngStreamWriter&) = delete;
    PngStreamWriter& operator=(const PngStreamWriter&) = delete;

    // The signature, the header and the palette of a width x height image. False for a size
    // outside PNG's range (1 to 2^31 - 1 each way) or when the sink fails.
    bool Begin(int width, int height, const Image8::Palette& palette);
    // The next rows: every row of band, which is as wide as the image.
    bool AddRows(const Image8& band);
    // The end of the image. False unless exactly the announced rows came and every write
    // reached the sink.
    bool Finish();

private:
    bool Deflate(const uint8_t* data, size_t size, bool finish);
    bool PutChunk(const char type[4], std::span<const uint8_t> data);

    Sink m_sink;
    int m_level;
    std::unique_ptr<z_stream_s> m_z;
    bool m_started = false;
    bool m_ok = true;
    int m_width = 0;
    int m_height = 0;
    int64_t m_rows = 0;
    unsigned long m_adler = 1;
    std::vector<uint8_t> m_held; // compressed bytes not yet sent as an IDAT chunk
    std::vector<uint8_t> m_out;  // deflate's output buffer
};

} // namespace tavrin
