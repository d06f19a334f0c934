#pragma once

#include "core/platform/FileResult.h"
#include "core/platform/Image8.h"
#include "core/views/ImageRgb.h"

#include <QImage>
#include <string>

namespace tavrin {

// An Indexed8 QImage sharing nothing with the source: pixels and palette are copied.
QImage ToQImage(const Image8& image);
// A true-colour picture (red, green, blue and a spare byte per pixel) as an RGB32 copy.
QImage ToQImage(const ImageRgb& picture);
// Paints the index image into an RGB32 image through its palette (for widgets).
QImage ToRgbImage(const Image8& image);

// The RGB32 picture of an index image kept from one call to the next: only the rows that
// differ from the last image are painted again (a key in the set window or a pen move changes
// a few rows). The picture changes in place while no one else holds a copy of it; a copy
// someone holds stays as it was (Qt copies the picture first).
class RgbPicture {
public:
    // Rows [first, last) were painted again; all of them when whole (a new size or palette).
    struct Rows {
        int first = 0;
        int last = 0;
        bool whole = false;
    };
    Rows Update(const Image8& image);
    const QImage& Picture() const { return m_rgb; }

private:
    Image8 m_last;
    QImage m_rgb;
    QRgb m_lut[256] = {};
};
// An indexed (Indexed8, Mono, MonoLSB) or Grayscale8 QImage as indices and palette; false for
// other formats.
bool FromIndexedQImage(const QImage& image, Image8& out);

// Writes an 8-bit indexed PNG; level 0-9 is zlib's deflate level (-1: zlib's default, 6).
FileResult WritePng(const Image8& image, const std::string& path, int level = -1);
// Reads a PNG (or any image Qt reads) as indices. Indexed images keep their indices;
// others are refused with a message in error.
bool ReadQtImage(const std::string& path, Image8& out, std::string& error);
// Any image file as indices: a bitmap ("BM") through the DIB container, which converts every
// depth to 8 bits per pixel, else an indexed image Qt reads. False with a message in error.
bool ReadIndexedImageFile(const std::string& path, Image8& out, std::string& error);

} // namespace tavrin
