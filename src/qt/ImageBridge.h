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
