#pragma once

#include "core/formats/CFormatSimple.h"
#include "core/formats/PackedCodecs.h"
#include "core/formats/PlanarCodecs.h"

namespace tavrin {

// The constant properties a built-in format puts into its records.
struct BuiltinProperties {
    const char* name;
    int32_t bitsPerPixel;
    int32_t width;
    int32_t height;
    const char* extensions;
    uint8_t autoPaletteMode;
    int32_t defaultPaletteMode;
    uint8_t disableAdfPattern;
};

// A built-in format: its records and one codec pair; the block work is CFormatSimple's.
template <TileDecoder Decode, TileEncoder Encode> class CFormatCodec : public CFormatSimple {
public:
    explicit CFormatCodec(const BuiltinProperties& properties);

    void DecodeTile(Image8& image, const TileParams* p) override {
        if (p == nullptr)
            return;
        const int w = m_info.width;
        const int h = m_info.height;
        if (!CellInside(image, p->x, p->y, w, h))
            return;
        Decode(p->bytes + p->tileOffset, image.ScanLine(p->y * h) + p->x * w, image.Stride(),
               static_cast<uint8_t>(p->colourOffset));
    }

    void EncodeTile(Image8& image, const TileParams* p) override {
        if (p == nullptr)
            return;
        const int w = m_info.width;
        const int h = m_info.height;
        if (!CellInside(image, p->x, p->y, w, h))
            return;
        Encode(image.ScanLine(p->y * h) + p->x * w, image.Stride(), p->bytes + p->tileOffset);
    }
};

// Fills the header and information records of a built-in format.
void InitBuiltinRecords(FormatHeader& header, FormatInfo& info, const BuiltinProperties& props);

template <TileDecoder Decode, TileEncoder Encode>
CFormatCodec<Decode, Encode>::CFormatCodec(const BuiltinProperties& properties) {
    InitBuiltinRecords(m_header, m_info, properties);
}

class CFormat_1bpp final : public CFormatCodec<codec::Decode1bpp, codec::Encode1bpp> {
public:
    CFormat_1bpp();
};

class CFormat_2NES final : public CFormatCodec<codec::Decode2NES, codec::Encode2NES> {
public:
    CFormat_2NES();
};

class CFormat_2GB final : public CFormatCodec<codec::Decode2GB, codec::Encode2GB> {
public:
    CFormat_2GB();
};

class CFormat_2NGP final : public CFormatCodec<codec::Decode2NGP, codec::Encode2NGP> {
public:
    CFormat_2NGP();
};

class CFormat_2VB final : public CFormatCodec<codec::Decode2VB, codec::Encode2VB> {
public:
    CFormat_2VB();
};

// Four consecutive tiles share a 64-byte group: 32 bytes of value bit 0, then 32 of bit 1.
class CFormat_2MSX final : public CFormatCodec<codec::Decode2MSX, codec::Encode2MSX> {
public:
    CFormat_2MSX();
    int32_t TileAddress(int32_t blockAddress, int tileIndex, int bytesPerTile) const override;
};

class CFormat_3SNES final : public CFormatCodec<codec::Decode3SNES, codec::Encode3SNES> {
public:
    CFormat_3SNES();
};

class CFormat_4SNES final : public CFormatCodec<codec::Decode4SNES, codec::Encode4SNES> {
public:
    CFormat_4SNES();
};

class CFormat_4GBA final : public CFormatCodec<codec::Decode4GBA, codec::Encode4GBA> {
public:
    CFormat_4GBA();
};

class CFormat_4SMS final : public CFormatCodec<codec::Decode4SMS, codec::Encode4SMS> {
public:
    CFormat_4SMS();
};

class CFormat_4MSX final : public CFormatCodec<codec::Decode4MSX, codec::Encode4MSX> {
public:
    CFormat_4MSX();
};

class CFormat_4PceSG final : public CFormatCodec<codec::Decode4PceSG, codec::Encode4PceSG> {
public:
    CFormat_4PceSG();
};

class CFormat_1bpp16 final : public CFormatCodec<codec::Decode1bpp16, codec::Encode1bpp16> {
public:
    CFormat_1bpp16();
};

} // namespace tavrin
