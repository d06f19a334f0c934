// LZ10 blocks from outside, through the check every packed-block target makes.
#include "PackedBlockFuzz.h"
#include "core/compress/Lz10.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzPackedBlock(
        data, size, [](auto in, size_t limit) { return UnpackLz10(in, limit); },
        [](auto in, size_t limit) { return MeasureLz10(in, limit); },
        [](const auto& bytes) { return PackLz10(bytes); });
}
