#pragma once

#include "core/formats/FormatRecords.h"
#include "core/platform/Image8.h"

#include <string>

namespace tavrin {

// Base of every tile format: geometry and descriptive properties, the two block codec
// directions over the 128 x 128 tile image, and the address arithmetic of navigation.
// The virtual operations keep the order a plug-in's format object follows.
class CFormat {
public:
    CFormat();
    virtual ~CFormat();
    CFormat(const CFormat&) = delete;
    CFormat& operator=(const CFormat&) = delete;

    // The format's information record, or null. May throw for a failing plug-in.
    virtual const FormatInfo* GetInfo();
    virtual void Activate();
    virtual void Deactivate();
    virtual int32_t StepAddress(const uint8_t* bytes, int32_t address, int32_t value,
                                int32_t stepCode);
    // Block operations do not check bounds: the caller guarantees that the block's bytes lie
    // inside the buffer.
    virtual void DecodeBlock(Image8& image, const BlockParams& p);
    virtual void EncodeBlock(Image8& image, const BlockParams& p);
    virtual void DecodeTile(Image8& image, const TileParams* p);
    virtual void EncodeTile(Image8& image, const TileParams* p);

    const FormatHeader& GetHeader() const { return m_header; }
    // The display name in UTF-8.
    std::string Name() const;
    int BitsPerPixel() const { return m_info.bitsPerPixel; }
    int Colours() const { return 1 << m_info.bitsPerPixel; }
    int ColourMask() const { return Colours() - 1; }

protected:
    FormatHeader m_header{};
    FormatInfo m_info{};
};

// Bytes per tile from a record's raw geometry (width x height x bpp / 8).
int BytesPerTile(const FormatInfo& info);

} // namespace tavrin
