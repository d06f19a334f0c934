#include "core/dib/DibRle.h"

#include "core/dib/DibError.h"

#include <string>

namespace tavrin {

namespace {

template <bool Nibbles>
void ExpandRle(const uint8_t* src, size_t size, int width, int height, uint8_t* dst,
               ptrdiff_t stride) {
    const char* name = Nibbles ? "Convert4BitRLETo4BitRGB" : "Convert8BitRLETo8BitRGB";
    auto fail = [name](int number) {
        throw DibError(std::string(name) + ": Bad RLE Data " + std::to_string(number));
    };
    // 64-bit positions: a run count added to x can never wrap around.
    int64_t x = 0;
    int64_t y = 0;
    size_t pos = 0;
    while (pos < size) {
        if (size - pos < 2) {
            fail(1);
        }
        const unsigned count = src[pos];
        const unsigned code = src[pos + 1];
        pos += 2;
        if (count > 0) {
            if (y >= height) {
                fail(5);
            }
            if (x + count > width) {
                fail(2);
            }
            uint8_t* row = dst + y * stride;
            for (unsigned i = 0; i < count; ++i) {
                if constexpr (Nibbles) {
                    row[x + i] = (i & 1) ? (code & 0x0F) : (code >> 4);
                } else {
                    row[x + i] = static_cast<uint8_t>(code);
                }
            }
            x += count;
            continue;
        }
        if (code == 0) { // end of line
            x = 0;
            if (y < height) {
                ++y;
            }
        } else if (code == 1) { // end of bitmap
            return;
        } else if (code == 2) { // delta
            if (size - pos < 2) {
                fail(1);
            }
            const unsigned dx = src[pos];
            const unsigned dy = src[pos + 1];
            pos += 2;
            if (x + dx > width || y + dy > height) {
                fail(4);
            }
            x += dx;
            y += dy;
        } else { // absolute run of `code` pixels, padded to a 16-bit boundary
            const size_t bytes = Nibbles ? (code + 1) / 2 : code;
            if (y >= height) {
                fail(5);
            }
            if (x + code > width) {
                fail(3);
            }
            if (size - pos < bytes) {
                fail(1);
            }
            uint8_t* row = dst + y * stride;
            for (unsigned i = 0; i < code; ++i) {
                if constexpr (Nibbles) {
                    const uint8_t b = src[pos + i / 2];
                    row[x + i] = (i & 1) ? (b & 0x0F) : (b >> 4);
                } else {
                    row[x + i] = src[pos + i];
                }
            }
            x += code;
            pos += bytes;
            // A missing pad byte at the very end of the data is harmless.
            if ((bytes & 1) != 0 && pos < size) {
                ++pos;
            }
        }
    }
}

} // namespace

void ExpandRle8(const uint8_t* src, size_t size, int width, int height, uint8_t* dst,
                ptrdiff_t stride) {
    ExpandRle<false>(src, size, width, height, dst, stride);
}

void ExpandRle4(const uint8_t* src, size_t size, int width, int height, uint8_t* dst,
                ptrdiff_t stride) {
    ExpandRle<true>(src, size, width, height, dst, stride);
}

} // namespace tavrin
