#include "core/formats/PageCodec.h"

namespace tavrin {

void DecodePage(CFormat& format, uint8_t* bytes, const PageSettings& settings, Image8& tileImage) {
    BlockParams p{};
    p.bytes = bytes;
    p.address = settings.address;
    p.colourOffset = settings.colourOffset;
    p.rotate = static_cast<uint8_t>(settings.rotateIndex & 3);
    p.mirror = static_cast<uint8_t>(settings.mirrorIndex & 3);
    p.pattern = settings.pattern;
    p.tilePalettes = settings.tilePalettes;
    format.DecodeBlock(tileImage, p);
}

void EncodePage(CFormat& format, uint8_t* bytes, const PageSettings& settings, Image8& tileImage) {
    BlockParams p{};
    p.bytes = bytes;
    p.address = settings.address;
    p.rotate = EncodeRotationCode(settings.rotateIndex);
    p.mirror = static_cast<uint8_t>(settings.mirrorIndex & 3);
    p.pattern = settings.pattern;
    format.EncodeBlock(tileImage, p);
}

} // namespace tavrin
