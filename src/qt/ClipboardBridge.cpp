#include "qt/ClipboardBridge.h"

#include "core/dib/DibError.h"
#include "core/dib/DibRecords.h"
#include "core/dib/TNkDIB.h"
#include "core/dib/TNkInternalDIB.h"
#include "core/platform/Image8.h"
#include "qt/ImageBridge.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QPixmap>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace tavrin {

namespace {

const QString BmpMime = QStringLiteral("image/bmp");

bool StartsWithBm(std::span<const uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// Bitmap data as the clipboard's DIB reader takes it. The container's file reader also knows
// the longer headers of newer bitmap files and honours a usable pixel offset, so the data
// goes through it first; whatever it refuses is handed on unchanged (a file without its file
// header), and loading that raises the container's own error.
std::vector<uint8_t> PackedDibFromBitmapData(std::span<const uint8_t> bytes) {
    const bool file = StartsWithBm(bytes);
    if (file && bytes.size() <= BitmapFileHeaderSize) {
        return {};
    }
    const std::span<const uint8_t> dib = file ? bytes.subspan(BitmapFileHeaderSize) : bytes;
    try {
        TNkDIB container;
        if (file) {
            container.LoadFromStream(bytes);
        } else {
            // A file header with no pixel offset: the pixels follow the colour table.
            std::vector<uint8_t> wrapped(BitmapFileHeaderSize + dib.size());
            BitmapFileHeader header{};
            header.bfType = BitmapFileType;
            header.bfSize = static_cast<uint32_t>(std::min<size_t>(wrapped.size(), UINT32_MAX));
            header.Store(wrapped.data());
            std::copy(dib.begin(), dib.end(), wrapped.begin() + BitmapFileHeaderSize);
            container.LoadFromStream(wrapped);
        }
        return container.SaveToClipboardFormat();
    } catch (const DibError&) {
    } catch (const std::bad_alloc&) {
    }
    return {dib.begin(), dib.end()};
}

RgbQuad Quad(QRgb c) {
    return RgbQuad{static_cast<uint8_t>(qBlue(c)), static_cast<uint8_t>(qGreen(c)),
                   static_cast<uint8_t>(qRed(c)), 0};
}

std::vector<uint8_t> OneBitDib(const QImage& image) {
    const QImage mono =
        image.format() == QImage::Format_Mono ? image : image.convertToFormat(QImage::Format_Mono);
    const QList<QRgb> table = mono.colorTable();
    // A missing entry reads as the usual black and white of a one-bit image.
    std::vector<RgbQuad> colours = {Quad(table.size() > 0 ? table[0] : qRgb(0, 0, 0)),
                                    Quad(table.size() > 1 ? table[1] : qRgb(255, 255, 255))};
    TNkInternalDIB dib = TNkInternalDIB::Make(mono.width(), mono.height(), 1, std::move(colours));
    const size_t rowBytes = (static_cast<size_t>(mono.width()) + 7) / 8;
    const int tailBits = mono.width() % 8;
    for (int y = 0; y < mono.height(); ++y) {
        uint8_t* row = dib.Row(y);
        std::memcpy(row, mono.constScanLine(y), rowBytes);
        if (tailBits != 0) {
            row[rowBytes - 1] &= static_cast<uint8_t>(0xFF << (8 - tailBits));
        }
    }
    return dib.SaveToClipboardFormat();
}

// An 8-bit DIB of the image's indices. The colour table grows with black entries to cover
// every index in use, so that no pixel points past it.
std::vector<uint8_t> EightBitDib(const QImage& image, const QList<QRgb>& table) {
    int maxIndex = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* src = image.constScanLine(y);
        maxIndex = std::max<int>(maxIndex, *std::max_element(src, src + image.width()));
    }
    const size_t count = std::min<size_t>(
        256, std::max(static_cast<size_t>(table.size()), static_cast<size_t>(maxIndex) + 1));
    std::vector<RgbQuad> colours(count, RgbQuad{0, 0, 0, 0});
    for (size_t i = 0; i < count && i < static_cast<size_t>(table.size()); ++i) {
        colours[i] = Quad(table[static_cast<qsizetype>(i)]);
    }
    TNkInternalDIB dib = TNkInternalDIB::Make(image.width(), image.height(), 8, std::move(colours));
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(dib.Row(y), image.constScanLine(y), static_cast<size_t>(image.width()));
    }
    return dib.SaveToClipboardFormat();
}

uint8_t OverWhite(int channel, int alpha) {
    return static_cast<uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

std::vector<uint8_t> TwentyFourBitDib(const QImage& image) {
    // Non-premultiplied, so that a translucent pixel's own colour is blended over white.
    const QImage rgb = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                     : QImage::Format_RGB32);
    if (rgb.isNull()) {
        throw std::bad_alloc();
    }
    TNkInternalDIB dib = TNkInternalDIB::Make(rgb.width(), rgb.height(), 24, {});
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uint8_t* dst = dib.Row(y);
        for (int x = 0; x < rgb.width(); ++x, dst += 3) {
            const int alpha = qAlpha(src[x]);
            dst[0] = OverWhite(qBlue(src[x]), alpha);
            dst[1] = OverWhite(qGreen(src[x]), alpha);
            dst[2] = OverWhite(qRed(src[x]), alpha);
        }
    }
    return dib.SaveToClipboardFormat();
}

// The DIB as a picture other programs paste: indices with the colour table, or true colour.
QImage DesktopImage(const TNkDIB& dib) {
    QImage out;
    if (dib.PixelFormat() == DibPixelFormat::Bits24) {
        out = QImage(dib.Width(), dib.Height(), QImage::Format_RGB32);
        if (!out.isNull()) {
            for (int y = 0; y < dib.Height(); ++y) {
                const uint8_t* src = dib.ScanLine(y);
                auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
                for (int x = 0; x < dib.Width(); ++x, src += 3) {
                    dst[x] = qRgb(src[2], src[1], src[0]);
                }
            }
        }
    } else {
        Image8 indexed;
        dib.AssignTo(indexed);
        out = ToQImage(indexed);
    }
    if (out.isNull()) {
        throw DibError("TNkInternalDIB.SaveToClipboardFormat: Out Of Memory");
    }
    return out;
}

bool IsReadableImageType(const QString& format) {
    return format.startsWith(QStringLiteral("image/")) &&
           QImageReader::supportedMimeTypes().contains(format.toLatin1());
}

QImage ImageFromMime(const QMimeData* mime) {
    if (mime->hasImage()) {
        const QVariant data = mime->imageData();
        const QImage image = data.metaType().id() == QMetaType::QPixmap
                                 ? data.value<QPixmap>().toImage()
                                 : data.value<QImage>();
        if (!image.isNull()) {
            return image;
        }
    }
    for (const QString& format : mime->formats()) {
        if (format == BmpMime || !IsReadableImageType(format)) {
            continue;
        }
        QImage image;
        if (image.loadFromData(mime->data(format))) {
            return image;
        }
    }
    return {};
}

} // namespace

QMimeData* MakeDibMimeData(std::span<const uint8_t> packedDib) {
    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, packedDib);
    const QImage image = DesktopImage(dib);
    const std::vector<uint8_t> file = dib.SaveToStream();
    auto mime = std::make_unique<QMimeData>();
    mime->setData(BmpMime, QByteArray(reinterpret_cast<const char*>(file.data()),
                                      static_cast<qsizetype>(file.size())));
    mime->setImageData(image);
    return mime.release();
}

bool MimeHasDib(const QMimeData* mime) {
    if (mime == nullptr) {
        return false;
    }
    if (mime->hasFormat(BmpMime) || mime->hasImage()) {
        return true;
    }
    const QStringList formats = mime->formats();
    return std::any_of(formats.begin(), formats.end(), IsReadableImageType);
}

std::vector<uint8_t> DibFromMime(const QMimeData* mime) {
    if (mime == nullptr) {
        return {};
    }
    if (mime->hasFormat(BmpMime)) {
        const QByteArray bmp = mime->data(BmpMime);
        if (!bmp.isEmpty()) {
            return PackedDibFromBitmapData(
                std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bmp.constData()),
                                         static_cast<size_t>(bmp.size())));
        }
    }
    return DibFromImage(ImageFromMime(mime));
}

std::vector<uint8_t> DibFromImage(const QImage& image) {
    if (image.isNull() || static_cast<int64_t>(image.width()) * image.height() > MaxDibPixels) {
        return {};
    }
    try {
        switch (image.format()) {
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
            return OneBitDib(image);
        case QImage::Format_Indexed8:
            return EightBitDib(image, image.colorTable());
        case QImage::Format_Grayscale8: {
            QList<QRgb> ramp(256);
            for (int i = 0; i < 256; ++i) {
                ramp[i] = qRgb(i, i, i);
            }
            return EightBitDib(image, ramp);
        }
        default:
            return TwentyFourBitDib(image);
        }
    } catch (const DibError&) {
    } catch (const std::bad_alloc&) {
    }
    return {};
}

QClipboard* ClipboardBridge::Clipboard() {
    // QGuiApplication::clipboard() must not be reached without a GUI application.
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
               ? QGuiApplication::clipboard()
               : nullptr;
}

bool ClipboardBridge::HasDib() {
    QClipboard* clipboard = Clipboard();
    return clipboard != nullptr && MimeHasDib(clipboard->mimeData());
}

std::vector<uint8_t> ClipboardBridge::ReadDib() {
    QClipboard* clipboard = Clipboard();
    return clipboard != nullptr ? DibFromMime(clipboard->mimeData()) : std::vector<uint8_t>{};
}

bool ClipboardBridge::WriteDib(std::span<const uint8_t> packedDib) {
    QClipboard* clipboard = Clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    try {
        clipboard->setMimeData(MakeDibMimeData(packedDib));
        return true;
    } catch (const DibError&) {
    } catch (const std::bad_alloc&) {
    }
    return false;
}

void ClipboardBridge::Clear() {
    if (QClipboard* clipboard = Clipboard()) {
        clipboard->clear();
    }
}

} // namespace tavrin
