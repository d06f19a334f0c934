#include "core/set/SetImage.h"

#include "core/formats/PlanarCodecs.h"
#include "core/set/SetDocument.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

namespace {

constexpr uint64_t ColourBits = 0x0303'0303'0303'0303ull;

// The caller's image when it is 128 x 128, else a padded or cut copy in scratch.
const Image8& AsSourceSize(const Image8& image, Image8& scratch) {
    if (image.Width() == SourceImageSize && image.Height() == SourceImageSize)
        return image;
    scratch.Resize(SourceImageSize, SourceImageSize);
    scratch.CopyRect(image, 0, 0, SourceImageSize, SourceImageSize, 0, 0);
    return scratch;
}

void DrawCells(const SetDocument& doc, const Image8& source, Image8& out) {
    for (int cy = 0; cy < SetDocument::Rows; ++cy) {
        for (int cx = 0; cx < SetDocument::Columns; ++cx) {
            const int t = doc.Names()[cy * SetDocument::Columns + cx];
            const int g = doc.Palettes()[cy * SetDocument::Columns + cx];
            const uint64_t groupBits = ((g * 4) & 0xFF) * 0x0101'0101'0101'0101ull;
            const int sx = (t % 16) * 8;
            const int sy = (t / 16) * 8;
            for (int r = 0; r < 8; ++r) {
                // Byte-wise AND and OR: the byte order of the word does not matter.
                uint64_t row;
                std::memcpy(&row, source.ScanLine(sy + r) + sx, 8);
                row = (row & ColourBits) | groupBits;
                std::memcpy(out.ScanLine(cy * 8 + r) + cx * 8, &row, 8);
            }
        }
    }
}

void DrawSprites(const SetDocument& doc, const Image8& tiles, Image8& out) {
    for (int s = 0; s < SetDocument::SpriteCount; ++s) {
        const Sprite sprite = doc.GetSprite(s);
        const int groupBits = ((4 | (sprite.attributes & 3)) * 4) & 0xFF;
        const int width = std::min(8, SetImageWidth - sprite.x);
        for (int r = 0; r < 16; ++r) {
            const int y = sprite.y + r;
            if (y >= SetImageHeight)
                break;
            const int t = (sprite.tile + r / 8) & 0xFF;
            const uint8_t* src = tiles.ScanLine((t / 16) * 8 + r % 8) + (t % 16) * 8;
            uint8_t* dst = out.ScanLine(y) + sprite.x;
            for (int c = 0; c < width; ++c) {
                const int p = src[c] & 3;
                if (p != 0)
                    dst[c] = static_cast<uint8_t>(p | groupBits);
            }
        }
    }
}

} // namespace

void RecolourImage(Image8& image, int group) {
    const uint8_t groupBits = static_cast<uint8_t>((group * 4) & 0xFF);
    uint8_t* p = image.Bits();
    const size_t count = static_cast<size_t>(image.Width()) * static_cast<size_t>(image.Height());
    for (size_t i = 0; i < count; ++i)
        p[i] = static_cast<uint8_t>((p[i] & 3) | groupBits);
}

void DecodeSpriteTiles(const uint8_t* bytes, Image8& out) {
    if (out.Width() != SourceImageSize || out.Height() != SourceImageSize)
        out.Resize(SourceImageSize, SourceImageSize);
    for (int t = 0; t < 256; ++t)
        codec::Decode2NES(bytes + t * 16, out.ScanLine((t / 16) * 8) + (t % 16) * 8, out.Stride(),
                          0);
}

void DrawSetImage(const SetDocument& doc, const Image8& tileSource, const Image8* spriteTiles,
                  Image8& out) {
    if (out.Width() != SetImageWidth || out.Height() != SetImageHeight)
        out.Resize(SetImageWidth, SetImageHeight);
    out.Colours() = tileSource.Colours();
    Image8 scratch;
    DrawCells(doc, AsSourceSize(tileSource, scratch), out);
    if (spriteTiles != nullptr)
        DrawSprites(doc, AsSourceSize(*spriteTiles, scratch), out);
}

Image8 RenderSetImage(const SetDocument& doc, const Image8& tileSource, bool withSprites) {
    Image8 spriteTiles;
    if (withSprites)
        DecodeSpriteTiles(doc.SpriteTileBytes().data(), spriteTiles);
    Image8 out;
    DrawSetImage(doc, tileSource, withSprites ? &spriteTiles : nullptr, out);
    return out;
}

} // namespace tavrin
