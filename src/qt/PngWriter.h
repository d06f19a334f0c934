#pragma once

#include "core/platform/FileResult.h"
#include "core/platform/Image8.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

// An indexed PNG written while its rows are made, so memory stays the same at any height (an
// export of every page of a large ROM): the header and palette first, then the rows a band at
// a time, handed to a sink as IDAT chunks of about ChunkBytes.
//
// Rows are packed at the bit depth given to Begin (1, 2, 4 or 8 bits, the smallest that holds
// the indices keeps the file and the work small) and go unfiltered, in blocks of about
// BlockBytes, through deflate with the run-length strategy, which suits tile data (long runs
// of one index). The blocks are deflated on every core at once, each on its own and ended on
// a byte boundary, and joined in order into the one zlib stream a PNG holds; the file does not
// depend on the bands given or the cores used.
class PngWriter {
public:
    // Takes the next bytes of the file; false stops the writer.
    using Sink = std::function<bool(std::span<const uint8_t>)>;
    static constexpr size_t ChunkBytes = size_t{1} << 20;
    static constexpr size_t BlockBytes = size_t{1} << 18;

    // level: zlib's deflate level, 1 fastest … 9 smallest. threads: blocks deflated at once
    // besides the caller's thread (0: one per core).
    explicit PngWriter(Sink sink, int level = 1, int threads = 0);
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // The smallest PNG bit depth that holds every index up to maxIndex.
    static int DepthFor(int maxIndex);

    // The signature, the header and the palette of a width x height image whose indices all
    // lie below 2^bitDepth; the palette's first 2^bitDepth colours are written. False for a
    // size outside PNG's range (1 to 2^31 - 1 each way), a depth other than 1, 2, 4 or 8, or
    // when the sink fails.
    bool Begin(int width, int height, const Image8::Palette& palette, int bitDepth = 8);
    // The next rows: every row of band, which is as wide as the image. An index the bit depth
    // does not hold stops the writer: this call, a later one or Finish returns false (rows are
    // packed with their block, on another thread).
    bool AddRows(const Image8& band);
    // The end of the image. False unless exactly the announced rows came and every write
    // reached the sink.
    bool Finish();

private:
    struct Block {
        std::vector<uint8_t> bytes; // deflated
        unsigned long adler = 1;    // of the raw bytes
        unsigned long crc = 0;      // of the deflated bytes
        size_t rawSize = 0;
        bool ok = false;
    };
    // Packs rows of indices (width each) at depth bits and deflates them.
    static Block DeflateBlock(std::vector<uint8_t> indices, int width, int depth, int level,
                              bool last);
    void SendBlock(bool last);
    bool Collect(const Block& block);
    bool PutChunk(const char type[4], std::span<const uint8_t> data);
    // The same with the CRC of type and data already known.
    bool PutChunk(const char type[4], std::span<const uint8_t> data, unsigned long crc);
    // The IDAT data held starts over with bytes.
    void HoldStart(std::span<const uint8_t> bytes);

    Sink m_sink;
    int m_level;
    size_t m_threads;
    bool m_started = false;
    bool m_ok = true;
    int m_width = 0;
    int m_height = 0;
    int m_depth = 8;
    size_t m_rowBytes = 0; // packed, with the filter byte
    int64_t m_rows = 0;
    unsigned long m_adler = 1;
    std::vector<uint8_t> m_raw;  // rows of indices of the block being filled, unpacked
    std::vector<uint8_t> m_held; // deflated bytes not yet sent as an IDAT chunk
    unsigned long m_heldCrc = 0; // of "IDAT" and m_held
    std::deque<std::future<Block>> m_pending;
};

// The whole image as a PNG at the smallest depth that holds its indices; empty for an empty
// image.
std::vector<uint8_t> EncodeIndexedPng(const Image8& image, int level = 1);
// The same, streamed into the file through the safe writer.
FileResult WriteIndexedPng(const std::string& path, const Image8& image, int level = 1);

} // namespace tavrin
