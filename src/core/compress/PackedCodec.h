#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The compressed forms graphics are stored in. Handheld ones carry a header with the
// unpacked size; the SNES schemes end at a 0xFF command.
enum class PackedCodec { Lz10, Lz11, Rle30, SnesBe, SnesLe };

inline constexpr PackedCodec AllPackedCodecs[] = {PackedCodec::Lz10, PackedCodec::Lz11,
                                                  PackedCodec::Rle30, PackedCodec::SnesBe,
                                                  PackedCodec::SnesLe};

// No block unpacks to more than this, whatever its header says.
inline constexpr size_t MaxUnpackedSize = size_t{16} * 1024 * 1024;
// The largest size a 24-bit header can state.
inline constexpr size_t MaxHeaderSize = 0xFFFFFF;

// Why a block does not decode.
enum class UnpackError {
    None,
    BadHeader,    // not this codec's header byte, or the input is shorter than a header
    Truncated,    // an item reaches past the end of the input
    BadReference, // a copy from before the output's start or from bytes not yet written
    BadCommand,   // a command the scheme does not define
    TooLarge,     // the output would pass the limit
    NoEnd,        // the input ends before the end mark
};

// The size of a block that decodes cleanly.
struct BlockSize {
    size_t packed = 0;   // input bytes the block takes, header and end mark included
    size_t unpacked = 0; // output bytes

    bool operator==(const BlockSize&) const = default;
};

// The outcome of unpacking: the bytes and the block's size, or why it failed.
struct Unpacked {
    UnpackError error = UnpackError::None;
    std::vector<uint8_t> bytes;
    size_t packedSize = 0;

    explicit operator bool() const { return error == UnpackError::None; }
};

struct PackOptions {
    // LZ10 only: allow copies from one byte back. Off by default, as video memory is written
    // 16 bits at a time and such a copy would read a byte not yet stored.
    bool allowDistance1 = false;
    // Try deferring a match by one byte when the next position holds a longer one.
    bool lazy = true;
};

// Command-line names: lz10, lz11, rle30, snes-be, snes-le.
std::string_view CodecName(PackedCodec codec);
// Names shown in captions and lists: LZ10, LZ11, RLE30, SNES-BE, SNES-LE.
std::string_view CodecLabel(PackedCodec codec);
std::optional<PackedCodec> ParseCodecName(std::string_view name);
// True for the codecs of the handheld BIOS (headered, pointers 0x08000000-based).
bool IsHandheldCodec(PackedCodec codec);
// A reason in plain English words ("the data ends inside an item").
std::string_view DescribeUnpackError(UnpackError error);

// Unpacks the block at the start of input; the output never passes limit bytes (nor
// MaxUnpackedSize).
Unpacked Unpack(PackedCodec codec, std::span<const uint8_t> input, size_t limit = MaxUnpackedSize);
// The same walk without keeping the bytes: the block's size when it decodes cleanly.
std::optional<BlockSize> Measure(PackedCodec codec, std::span<const uint8_t> input,
                                 size_t limit = MaxUnpackedSize);
// Packs data; none when it is too large for the codec's header.
std::optional<std::vector<uint8_t>> Pack(PackedCodec codec, std::span<const uint8_t> data,
                                         const PackOptions& options = {});

} // namespace tavrin
