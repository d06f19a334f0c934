#pragma once

#include "core/platform/FileResult.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

class Image8;

// Bitmap files and packed DIBs to and from 8-bit indexed images, through TNkDIB. Any bitmap
// or DIB the container reads is converted to 8 bits per pixel (palette indices, its colour
// table as the palette); malformed bytes throw DibError with the container's text.
// What is written is always an 8-bit bitmap with the image's 256 palette colours and
// bottom-up rows padded to 4 bytes.

// False when the file cannot be read; malformed contents throw DibError.
bool ReadBitmapFile(const std::string& path, Image8& out);
// False when the image is empty or the file cannot be written.
FileResult WriteBitmapFile(const std::string& path, const Image8& image);

// Bitmap file bytes (file header, then a DIB).
void BitmapFileToImage8(std::span<const uint8_t> bytes, Image8& out);
std::vector<uint8_t> Image8ToBitmapFile(const Image8& image);

// Packed DIB bytes, as on the clipboard.
void DibToImage8(std::span<const uint8_t> dib, Image8& out);
std::vector<uint8_t> Image8ToDib(const Image8& image);

// Bitmap data of unknown kind, as "image/bmp" clipboard data may be: a bitmap file when it
// starts with "BM" (no packed DIB can, its first word being the header size), else a DIB.
void AnyBitmapToImage8(std::span<const uint8_t> bytes, Image8& out);

// The name a snapshot is offered under: the first "chr%03d.bmp" (000 to 999) not taken in
// folder (a path ending in '/'), or "chr000.bmp" when all are.
std::string SnapshotSuggestedName(const std::string& folder);

} // namespace tavrin
