#pragma once

#include "core/formats/FormatRecords.h"
#include "core/platform/Image8.h"

#include <string>
#include <string_view>

namespace tavrin {

// The tile image every block operation fills: 128 x 128 pixels, one byte each.
inline constexpr int BlockPixels = 128;

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
    // The address a navigation command moves to, unclamped; the bytes are not consulted.
    virtual int32_t StepAddress(const uint8_t* bytes, int32_t address, int32_t value,
                                int32_t stepCode);
    // Block operations do not check the document's bounds: the caller guarantees that the
    // block's bytes lie inside the buffer. Cells outside the image are skipped.
    virtual void DecodeBlock(Image8& image, const BlockParams& p);
    virtual void EncodeBlock(Image8& image, const BlockParams& p);
    virtual void DecodeTile(Image8& image, const TileParams* p);
    virtual void EncodeTile(Image8& image, const TileParams* p);

    const FormatHeader& GetHeader() const { return m_header; }
    // The display name in UTF-8.
    std::string Name() const;
    int BitsPerPixel() const { return m_info.bitsPerPixel; }
    // 2^bitsPerPixel; a depth outside 0..8 (a broken plug-in record) counts as its nearest
    // end, so that the shift stays defined and pixel values stay within a byte.
    int Colours() const;
    int ColourMask() const { return Colours() - 1; }

protected:
    // The tile index drawn at position n of the block: the pattern's entry when a pattern
    // applies to this format, else n.
    int TileIndexAt(const BlockParams& p, int n) const;
    // The value ORed into the pixels of tile t: its palette group from the tile palette
    // table when there is one, else the block's colour offset.
    int32_t TileColourOffset(const BlockParams& p, int t) const;
    // Whether the cell of tile (x, y) of the given size lies inside the image.
    static bool CellInside(const Image8& image, int x, int y, int width, int height);
    // Walks the block's cells row-major and calls visit(tileParams, t) for each, with x, y,
    // the document bytes and the codes filled in and t the tile index under the pattern.
    template <class Visit>
    void ForEachCell(const BlockParams& p, int columns, int rows, Visit&& visit) const {
        TileParams tp{};
        tp.bytes = p.bytes;
        tp.rotate = p.rotate;
        tp.mirror = p.mirror;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < columns; ++x) {
                tp.x = x;
                tp.y = y;
                visit(tp, TileIndexAt(p, y * columns + x));
            }
        }
    }

    FormatHeader m_header{};
    FormatInfo m_info{};
};

// Bytes per tile of a record (width x height x bpp / 8, truncated toward zero; a side of 0 or
// 1 counts as 8), saturated to the int range for absurd records.
int BytesPerTile(const FormatInfo& info);

// How the block operations lay tiles over the tile image: a width or height below 2 counts
// as 8; columns and rows are the whole cells that fit in 128 pixels.
struct BlockGeometry {
    int tileWidth;
    int tileHeight;
    int columns;
    int rows;
    int bytesPerTile;
};
BlockGeometry GetBlockGeometry(const FormatInfo& info);

// Copies a fixed-size cp932 text field into a record, always leaving a terminating NUL.
template <size_t N> void CopyText(char (&field)[N], const char* text) {
    size_t i = 0;
    for (; text[i] != '\0' && i + 1 < N; ++i)
        field[i] = text[i];
    for (; i < N; ++i)
        field[i] = '\0';
}

// A text field read only up to its size: a record from outside may lack the NUL.
template <size_t N> std::string_view TextField(const char (&field)[N]) {
    size_t n = 0;
    while (n < N && field[n] != '\0')
        ++n;
    return std::string_view(field, n);
}

} // namespace tavrin
