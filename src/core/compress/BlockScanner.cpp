#include "core/compress/BlockScanner.h"

#include <algorithm>

namespace tavrin {

namespace {

size_t AlignUp(size_t value, size_t align) {
    return (value + align - 1) / align * align;
}

// The block of codec at address, if it decodes cleanly and is large enough.
std::optional<BlockSize> BlockAt(std::span<const uint8_t> data, size_t address, PackedCodec codec,
                                 const ScanOptions& options) {
    const auto size = Measure(codec, data.subspan(address), options.maxUnpacked);
    if (!size || size->unpacked < options.minUnpacked)
        return std::nullopt;
    return size;
}

size_t CodecRank(PackedCodec codec, const ScanOptions& options) {
    return static_cast<size_t>(std::find(options.codecs.begin(), options.codecs.end(), codec) -
                               options.codecs.begin());
}

} // namespace

size_t ScanAlignment(PackedCodec codec, const ScanOptions& options) {
    if (options.align > 0)
        return options.align;
    return IsHandheldCodec(codec) ? 4 : 1;
}

std::optional<FoundBlock> FindNextBlock(std::span<const uint8_t> data, size_t from,
                                        const ScanOptions& options) {
    std::optional<FoundBlock> best;
    for (const PackedCodec codec : options.codecs) {
        const size_t align = ScanAlignment(codec, options);
        const size_t end = best ? std::min(best->address + 1, data.size()) : data.size();
        for (size_t a = AlignUp(from, align); a < end; a += align) {
            if (const auto size = BlockAt(data, a, codec, options)) {
                if (!best || a < best->address)
                    best = FoundBlock{a, codec, *size};
                break;
            }
        }
    }
    return best;
}

std::vector<FoundBlock> FindAllBlocks(std::span<const uint8_t> data, const ScanOptions& options,
                                      size_t maxBlocks) {
    std::vector<FoundBlock> blocks;
    for (size_t rank = 0; rank < options.codecs.size(); ++rank) {
        const PackedCodec codec = options.codecs[rank];
        if (CodecRank(codec, options) < rank)
            continue; // named twice
        const size_t align = ScanAlignment(codec, options);
        size_t found = 0;
        for (size_t a = 0; a < data.size() && found < maxBlocks;) {
            if (const auto size = BlockAt(data, a, codec, options)) {
                blocks.push_back({a, codec, *size});
                ++found;
                a = IsHandheldCodec(codec) ? a + align : AlignUp(a + size->packed, align);
            } else {
                a += align;
            }
        }
    }
    std::sort(blocks.begin(), blocks.end(), [&](const FoundBlock& x, const FoundBlock& y) {
        if (x.address != y.address)
            return x.address < y.address;
        return CodecRank(x.codec, options) < CodecRank(y.codec, options);
    });
    if (blocks.size() > maxBlocks)
        blocks.resize(maxBlocks);
    return blocks;
}

} // namespace tavrin
