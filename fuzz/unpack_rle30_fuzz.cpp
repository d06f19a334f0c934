// RLE30 blocks from outside, through the check every packed-block target makes.
#include "PackedBlockFuzz.h"
#include "core/compress/Rle30.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzPackedBlock(
        data, size, [](auto in, size_t limit) { return UnpackRle30(in, limit); },
        [](auto in, size_t limit) { return MeasureRle30(in, limit); },
        [](const auto& bytes) { return PackRle30(bytes); });
}
