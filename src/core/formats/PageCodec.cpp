#include "core/formats/PageCodec.h"

namespace tavrin {

// A format that throws (a failing plug-in) leaves the image or the page as far as it got;
// the window and the command-line tool never see the exception.

void DecodePage(CFormat& format, uint8_t* bytes, const PageSettings& settings, Image8& tileImage) {
    BlockParams p{};
    p.bytes = bytes;
    p.address = settings.address;
    p.colourOffset = settings.colourOffset;
    p.rotate = static_cast<uint8_t>(settings.rotateIndex & 3);
    p.mirror = static_cast<uint8_t>(settings.mirrorIndex & 3);
    p.pattern = settings.pattern;
    p.tilePalettes = settings.tilePalettes;
    try {
        format.DecodeBlock(tileImage, p);
    } catch (...) {
    }
}

void EncodePage(CFormat& format, uint8_t* bytes, const PageSettings& settings, Image8& tileImage) {
    BlockParams p{};
    p.bytes = bytes;
    p.address = settings.address;
    p.rotate = EncodeRotationCode(settings.rotateIndex);
    p.mirror = static_cast<uint8_t>(settings.mirrorIndex & 3);
    p.pattern = settings.pattern;
    try {
        format.EncodeBlock(tileImage, p);
    } catch (...) {
    }
}

} // namespace tavrin
