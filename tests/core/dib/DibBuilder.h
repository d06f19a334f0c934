#pragma once

#include "core/dib/DibRecords.h"
#include "core/platform/LittleEndian.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace tavrin::test {

// Builds DIB and bitmap file bytes field by field, so that every test states its input whole.
struct DibSpec {
    int32_t width = 0;
    int32_t height = 0; // negative: top-down rows
    uint16_t bitCount = 8;
    uint32_t compression = BiRgb;
    uint32_t headerSize = 40; // 12 writes a core header; 52, 56, 108, 124 an extended one
    std::vector<RgbQuad> colours;
    int64_t clrUsed = -1;   // -1: the number of colours given
    int64_t sizeImage = -1; // -1: the size of bits
    int32_t pelsPerMeter = 2835;
    std::vector<uint32_t> masks; // written after (or, extended, inside) the header
    std::vector<uint8_t> bits;   // pixel data exactly as stored
};

inline std::vector<uint8_t> BuildDib(const DibSpec& s) {
    std::vector<uint8_t> out;
    auto put16 = [&](uint32_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    if (s.headerSize == 12) {
        put32(12);
        put16(static_cast<uint16_t>(s.width));
        put16(static_cast<uint16_t>(s.height));
        put16(1);
        put16(s.bitCount);
        for (const RgbQuad& c : s.colours) {
            out.push_back(c.rgbBlue);
            out.push_back(c.rgbGreen);
            out.push_back(c.rgbRed);
        }
    } else {
        put32(s.headerSize);
        put32(static_cast<uint32_t>(s.width));
        put32(static_cast<uint32_t>(s.height));
        put16(1);
        put16(s.bitCount);
        put32(s.compression);
        put32(static_cast<uint32_t>(s.sizeImage >= 0 ? s.sizeImage : s.bits.size()));
        put32(static_cast<uint32_t>(s.pelsPerMeter));
        put32(static_cast<uint32_t>(s.pelsPerMeter));
        put32(static_cast<uint32_t>(s.clrUsed >= 0 ? s.clrUsed : s.colours.size()));
        put32(0);
        for (uint32_t m : s.masks) {
            put32(m);
        }
        if (s.headerSize > 40) {
            out.resize(s.headerSize, 0);
        }
        for (const RgbQuad& c : s.colours) {
            out.push_back(c.rgbBlue);
            out.push_back(c.rgbGreen);
            out.push_back(c.rgbRed);
            out.push_back(0);
        }
    }
    out.insert(out.end(), s.bits.begin(), s.bits.end());
    return out;
}

// The offset of the pixel data inside BuildDib's bytes.
inline size_t BitsOffset(const DibSpec& s) {
    return BuildDib(s).size() - s.bits.size();
}

// A bitmap file around a DIB; gap bytes between colours and pixels when asked.
inline std::vector<uint8_t> BuildBitmapFile(const DibSpec& s, size_t gap = 0,
                                            int64_t offBits = -1) {
    std::vector<uint8_t> dib = BuildDib(s);
    const size_t bitsAt = BitsOffset(s);
    dib.insert(dib.begin() + static_cast<ptrdiff_t>(bitsAt), gap, 0xEE);
    std::vector<uint8_t> out(14);
    StoreLE16(out.data(), BitmapFileType);
    StoreLE32(out.data() + 2, static_cast<uint32_t>(14 + dib.size()));
    StoreLE32(out.data() + 10, static_cast<uint32_t>(offBits >= 0 ? offBits : 14 + bitsAt + gap));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

inline RgbQuad Rgb(int r, int g, int b) {
    return RgbQuad{static_cast<uint8_t>(b), static_cast<uint8_t>(g), static_cast<uint8_t>(r), 0};
}

// Packs rows given top-down as digit strings ("0110", one hex digit per pixel) into stored
// rows of 1, 4 or 8 bits, padded to 4 bytes, bottom-up unless topDown.
inline std::vector<uint8_t> PackIndexRows(const std::vector<std::string>& rows, int bitCount,
                                          bool topDown) {
    std::vector<uint8_t> out;
    const size_t width = rows.empty() ? 0 : rows[0].size();
    const size_t stride = ((width * bitCount + 31) / 32) * 4;
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string& row = rows[topDown ? i : rows.size() - 1 - i];
        std::vector<uint8_t> packed(stride, 0);
        for (size_t x = 0; x < row.size(); ++x) {
            const unsigned v =
                static_cast<unsigned>(std::stoul(std::string(1, row[x]), nullptr, 16));
            if (bitCount == 1) {
                packed[x / 8] |= static_cast<uint8_t>(v << (7 - x % 8));
            } else if (bitCount == 4) {
                packed[x / 2] |= static_cast<uint8_t>(x % 2 ? v : v << 4);
            } else {
                packed[x] = static_cast<uint8_t>(v);
            }
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

// Packs rows of raw pixel values (top-down) of 16, 24 or 32 bits, little-endian, padded.
inline std::vector<uint8_t> PackValueRows(const std::vector<std::vector<uint32_t>>& rows,
                                          int bitCount, bool topDown) {
    std::vector<uint8_t> out;
    const size_t width = rows.empty() ? 0 : rows[0].size();
    const size_t stride = ((width * bitCount + 31) / 32) * 4;
    const int bytes = bitCount / 8;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[topDown ? i : rows.size() - 1 - i];
        std::vector<uint8_t> packed(stride, 0);
        for (size_t x = 0; x < row.size(); ++x) {
            for (int b = 0; b < bytes; ++b) {
                packed[x * bytes + b] = static_cast<uint8_t>(row[x] >> (8 * b));
            }
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

// One hex digit per pixel: "01233210".
inline std::string Digits(const uint8_t* row, int width) {
    std::string s;
    for (int x = 0; x < width; ++x) {
        s += "0123456789ABCDEF"[row[x] & 0x0F];
        if (row[x] > 15) {
            s += '!';
        }
    }
    return s;
}

// Bytes as spaced hex: "00 FF 10".
inline std::string Hex(const uint8_t* p, size_t n) {
    std::string s;
    char buf[4];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", p[i]);
        s += buf;
    }
    return s;
}

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values) {
        out.push_back(static_cast<uint8_t>(v));
    }
    return out;
}

} // namespace tavrin::test
