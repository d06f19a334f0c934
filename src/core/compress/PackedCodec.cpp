#include "core/compress/PackedCodec.h"

#include "core/compress/Lz10.h"
#include "core/compress/Lz11.h"
#include "core/compress/Rle30.h"
#include "core/compress/SnesPack.h"

namespace tavrin {

std::string_view CodecName(PackedCodec codec) {
    switch (codec) {
    case PackedCodec::Lz10:
        return "lz10";
    case PackedCodec::Lz11:
        return "lz11";
    case PackedCodec::Rle30:
        return "rle30";
    case PackedCodec::SnesBe:
        return "snes-be";
    case PackedCodec::SnesLe:
        return "snes-le";
    }
    return "";
}

std::string_view CodecLabel(PackedCodec codec) {
    switch (codec) {
    case PackedCodec::Lz10:
        return "LZ10";
    case PackedCodec::Lz11:
        return "LZ11";
    case PackedCodec::Rle30:
        return "RLE30";
    case PackedCodec::SnesBe:
        return "SNES-BE";
    case PackedCodec::SnesLe:
        return "SNES-LE";
    }
    return "";
}

std::optional<PackedCodec> ParseCodecName(std::string_view name) {
    for (const PackedCodec codec : AllPackedCodecs) {
        if (name == CodecName(codec))
            return codec;
    }
    return std::nullopt;
}

bool IsHandheldCodec(PackedCodec codec) {
    return codec == PackedCodec::Lz10 || codec == PackedCodec::Lz11 || codec == PackedCodec::Rle30;
}

std::string_view DescribeUnpackError(UnpackError error) {
    switch (error) {
    case UnpackError::None:
        return "";
    case UnpackError::BadHeader:
        return "no header of this codec at the address";
    case UnpackError::Truncated:
        return "the data ends inside an item";
    case UnpackError::BadReference:
        return "a copy refers to bytes before the start of the output";
    case UnpackError::BadCommand:
        return "an undefined command";
    case UnpackError::TooLarge:
        return "the output would pass 16 MiB";
    case UnpackError::NoEnd:
        return "the data ends before the end mark";
    }
    return "";
}

Unpacked Unpack(PackedCodec codec, std::span<const uint8_t> input, size_t limit) {
    switch (codec) {
    case PackedCodec::Lz10:
        return UnpackLz10(input, limit);
    case PackedCodec::Lz11:
        return UnpackLz11(input, limit);
    case PackedCodec::Rle30:
        return UnpackRle30(input, limit);
    case PackedCodec::SnesBe:
        return UnpackSnes(input, SnesOrder::BigEndian, limit);
    case PackedCodec::SnesLe:
        return UnpackSnes(input, SnesOrder::LittleEndian, limit);
    }
    return {UnpackError::BadHeader, {}, 0};
}

std::optional<BlockSize> Measure(PackedCodec codec, std::span<const uint8_t> input, size_t limit) {
    switch (codec) {
    case PackedCodec::Lz10:
        return MeasureLz10(input, limit);
    case PackedCodec::Lz11:
        return MeasureLz11(input, limit);
    case PackedCodec::Rle30:
        return MeasureRle30(input, limit);
    case PackedCodec::SnesBe:
        return MeasureSnes(input, SnesOrder::BigEndian, limit);
    case PackedCodec::SnesLe:
        return MeasureSnes(input, SnesOrder::LittleEndian, limit);
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> Pack(PackedCodec codec, std::span<const uint8_t> data,
                                         const PackOptions& options) {
    switch (codec) {
    case PackedCodec::Lz10:
        return PackLz10(data, options);
    case PackedCodec::Lz11:
        return PackLz11(data, options);
    case PackedCodec::Rle30:
        return PackRle30(data);
    case PackedCodec::SnesBe:
        return PackSnes(data, SnesOrder::BigEndian, options);
    case PackedCodec::SnesLe:
        return PackSnes(data, SnesOrder::LittleEndian, options);
    }
    return std::nullopt;
}

} // namespace tavrin
