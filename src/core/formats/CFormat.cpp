#include "core/formats/CFormat.h"

#include "core/platform/Cp932.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavrin {

namespace {

int32_t Saturate32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Products of values from outside records: saturate instead of overflowing.
int64_t MulSat(int64_t a, int64_t b) {
    int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        return (a < 0) != (b < 0) ? std::numeric_limits<int64_t>::min()
                                  : std::numeric_limits<int64_t>::max();
    return r;
}

// Tile sides 0 and 1 stand for 8, in the steps through the document as in the block's cells.
int32_t TileSide(int32_t side) {
    return side < 2 ? 8 : side;
}

int ClampedDepth(int bitsPerPixel) {
    return std::clamp(bitsPerPixel, 0, 8);
}

} // namespace

CFormat::CFormat() = default;
CFormat::~CFormat() = default;

const FormatInfo* CFormat::GetInfo() {
    return &m_info;
}

void CFormat::Activate() {}

void CFormat::Deactivate() {}

int32_t CFormat::StepAddress(const uint8_t* /*bytes*/, int32_t address, int32_t value,
                             int32_t stepCode) {
    // 64-bit arithmetic: a large wheel count or a far address must not overflow.
    const int64_t a = address;
    const int64_t d = BytesPerTile(m_info);
    const int64_t r = 16 * d;
    const int64_t page = 256 * d;
    const auto move = [a](int64_t delta) {
        return Saturate32(a + std::clamp<int64_t>(delta, -(int64_t{1} << 40), int64_t{1} << 40));
    };
    switch (stepCode) {
    case StepFirst:
    case StepLast:
    case StepJump:
        return value;
    case StepMinus100Blocks:
        return move(-page);
    case StepMinus10Blocks:
        return move(-r);
    case StepMinus1Block:
        return move(-d);
    case StepMinus1:
        return move(-1);
    case StepPlus1:
        return move(1);
    case StepPlus1Block:
        return move(d);
    case StepPlus10Blocks:
        return move(r);
    case StepPlus100Blocks:
        return move(page);
    case StepWheelUp:
        return move(MulSat(-int64_t{value}, r));
    case StepWheelDown:
        return move(MulSat(value, r));
    default:
        return 0;
    }
}

int CFormat::TileIndexAt(const BlockParams& p, int n) const {
    if (m_info.disableAdfPattern == 0 && p.pattern != nullptr)
        return p.pattern[n & 0xFF];
    return n & 0xFF;
}

int32_t CFormat::TileColourOffset(const BlockParams& p, int t) const {
    if (p.tilePalettes != nullptr)
        return p.tilePalettes[t] << ClampedDepth(m_info.bitsPerPixel);
    return p.colourOffset;
}

bool CFormat::CellInside(const Image8& image, int x, int y, int width, int height) {
    return x >= 0 && y >= 0 && (x + 1) * width <= image.Width() &&
           (y + 1) * height <= image.Height();
}

void CFormat::DecodeBlock(Image8& image, const BlockParams& p) {
    const BlockGeometry g = GetBlockGeometry(m_info);
    ForEachCell(p, g.columns, g.rows, [&](TileParams& tp, int t) {
        tp.tileOffset = Saturate32(int64_t{p.address} + int64_t{t} * g.bytesPerTile);
        tp.colourOffset = TileColourOffset(p, t);
        DecodeTile(image, &tp);
    });
}

void CFormat::EncodeBlock(Image8& image, const BlockParams& p) {
    const BlockGeometry g = GetBlockGeometry(m_info);
    ForEachCell(p, g.columns, g.rows, [&](TileParams& tp, int t) {
        tp.tileOffset = Saturate32(int64_t{p.address} + int64_t{t} * g.bytesPerTile);
        EncodeTile(image, &tp);
    });
}

void CFormat::DecodeTile(Image8& /*image*/, const TileParams* /*p*/) {}

void CFormat::EncodeTile(Image8& /*image*/, const TileParams* /*p*/) {}

std::string CFormat::Name() const {
    return Cp932ToUtf8(TextField(m_info.name));
}

int CFormat::Colours() const {
    return 1 << ClampedDepth(m_info.bitsPerPixel);
}

int BytesPerTile(const FormatInfo& info) {
    return Saturate32(
        MulSat(int64_t{TileSide(info.width)} * TileSide(info.height), info.bitsPerPixel) / 8);
}

BlockGeometry GetBlockGeometry(const FormatInfo& info) {
    BlockGeometry g{};
    g.tileWidth = TileSide(info.width);
    g.tileHeight = TileSide(info.height);
    g.columns = BlockPixels / g.tileWidth;
    g.rows = BlockPixels / g.tileHeight;
    g.bytesPerTile = BytesPerTile(info);
    return g;
}

} // namespace tavrin
