#pragma once

#include <QImage>
#include <cstdint>
#include <span>
#include <vector>

class QClipboard;
class QMimeData;

namespace tavrin {

// The clipboard offers bitmaps as MIME data; the program works on packed DIBs (header, colour
// table, pixel rows). These functions translate between the two.

// A new QMimeData (owned by the caller, e.g. handed to QClipboard::setMimeData) offering the
// DIB as "image/bmp" (a bitmap file: 14-byte file header, then the DIB as the DIB container
// writes it) and as image data for every other program: indexed DIBs as an Indexed8 image,
// 24-bit ones as RGB32. Bytes the container refuses, and RLE data that does not expand, throw
// DibError: a broken bitmap is never offered.
QMimeData* MakeDibMimeData(std::span<const uint8_t> packedDib);

// True when the data offers "image/bmp" or any image Qt can read.
bool MimeHasDib(const QMimeData* mime);

// The offered bitmap as a packed DIB, or empty when there is none. "image/bmp" comes first:
// a bitmap file or a packed DIB, returned in the form TNkDIB::LoadFromClipboardFormat reads
// (extended headers and pixel offsets resolved); bytes the container cannot read are handed
// on as they are (a file without its 14-byte header), so that loading them raises the
// container's error. Otherwise the first image that decodes, as a DIB of its own depth.
std::vector<uint8_t> DibFromMime(const QMimeData* mime);

// A packed DIB of the image's own depth: Mono/MonoLSB as 1 bit and Indexed8 as 8 bits with
// their colour tables, Grayscale8 as 8 bits with a grey ramp (indices are the grey levels),
// every other format as 24 bits, transparent pixels blended over white. Empty for a null
// image or one larger than the DIB container accepts.
std::vector<uint8_t> DibFromImage(const QImage& image);

// The application's clipboard seen as a DIB store. Without a QGuiApplication there is no
// clipboard: nothing is offered and nothing can be written.
class ClipboardBridge {
public:
    static bool HasDib();
    // The clipboard's bitmap as a packed DIB; empty when it holds none.
    static std::vector<uint8_t> ReadDib();
    // Replaces the clipboard's contents; false (clipboard unchanged) when the bytes are not a
    // DIB the container reads or there is no clipboard.
    static bool WriteDib(std::span<const uint8_t> packedDib);
    static void Clear();

private:
    static QClipboard* Clipboard();
};

} // namespace tavrin
