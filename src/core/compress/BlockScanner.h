#pragma once

#include "core/compress/PackedCodec.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace tavrin {

struct ScanOptions {
    std::vector<PackedCodec> codecs = {PackedCodec::Lz10, PackedCodec::Lz11, PackedCodec::Rle30};
    size_t minUnpacked = 32; // smaller blocks are taken for chance matches
    size_t align = 0;        // 0: each codec's own (4 for the handheld ones, 1 for SNES)
    // Larger blocks are taken for chance matches too: a run-length header over random bytes
    // decodes cleanly whenever the bytes after it are enough for the size it states.
    size_t maxUnpacked = 0x10000;
};

// A block that decodes cleanly.
struct FoundBlock {
    size_t address = 0;
    PackedCodec codec = PackedCodec::Lz10;
    BlockSize size;

    bool operator==(const FoundBlock&) const = default;
};

// The step between addresses tried for codec.
size_t ScanAlignment(PackedCodec codec, const ScanOptions& options);

// The first block at an address at or after from (on the codec's alignment) that decodes
// cleanly to at least minUnpacked bytes; at one address the codecs are tried in the order
// given. None when no block follows.
std::optional<FoundBlock> FindNextBlock(std::span<const uint8_t> data, size_t from,
                                        const ScanOptions& options);

// Every block of the data, by address; blocks may overlap. For the SNES schemes, whose later
// commands would each be listed as a block again, the search goes on after the end of each
// block it finds. At most maxBlocks are listed.
std::vector<FoundBlock> FindAllBlocks(std::span<const uint8_t> data, const ScanOptions& options,
                                      size_t maxBlocks = 100000);

} // namespace tavrin
