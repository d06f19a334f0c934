#include "qt/ImageBridge.h"

#include "core/dib/BitmapFile.h"
#include "core/dib/DibError.h"
#include "core/platform/FileIO.h"
#include "qt/PngWriter.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QString>
#include <algorithm>
#include <cstring>

namespace tavrin {

namespace {

// These reach the window only, in its language.
const char* const NotIndexedText = QT_TRANSLATE_NOOP(
    "tavrin::ImageBridge", "インデックスカラーの画像ではありません（8 ビット以下でパレット付き）");
const char* const UnreadableText = QT_TRANSLATE_NOOP("tavrin::ImageBridge", "ファイルを読めません");

std::string Translated(const char* text) {
    return QCoreApplication::translate("tavrin::ImageBridge", text).toStdString();
}

QRgb ToQRgb(Colour c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

} // namespace

QImage ToQImage(const ImageRgb& picture) {
    const QImage view(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(),
                      picture.Height(), picture.Width() * 4, QImage::Format_RGBX8888);
    return view.convertToFormat(QImage::Format_RGB32);
}

QImage ToQImage(const Image8& image) {
    QImage out(image.Width(), image.Height(), QImage::Format_Indexed8);
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = ToQRgb(image.Colours()[static_cast<size_t>(i)]);
    out.setColorTable(table);
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(out.scanLine(y), image.ScanLine(y), static_cast<size_t>(image.Width()));
    return out;
}

QImage ToRgbImage(const Image8& image) {
    QImage out(image.Width(), image.Height(), QImage::Format_RGB32);
    QRgb lut[256];
    for (int i = 0; i < 256; ++i)
        lut[i] = ToQRgb(image.Colours()[static_cast<size_t>(i)]);
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* s = image.ScanLine(y);
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.Width(); ++x)
            d[x] = lut[s[x]];
    }
    return out;
}

RgbPicture::Rows RgbPicture::Update(const Image8& image) {
    const int w = image.Width();
    const int h = image.Height();
    Rows rows;
    rows.whole = m_rgb.width() != w || m_rgb.height() != h || m_last.Colours() != image.Colours();
    if (rows.whole) {
        m_rgb = QImage(w, h, QImage::Format_RGB32);
        m_last.Resize(w, h);
        m_last.Colours() = image.Colours();
        for (int i = 0; i < 256; ++i)
            m_lut[i] = ToQRgb(image.Colours()[static_cast<size_t>(i)]);
    }
    rows.first = h;
    for (int y = 0; y < h; ++y) {
        const uint8_t* s = image.ScanLine(y);
        uint8_t* last = m_last.ScanLine(y);
        if (!rows.whole && std::memcmp(s, last, static_cast<size_t>(w)) == 0)
            continue;
        std::memcpy(last, s, static_cast<size_t>(w));
        auto* d = reinterpret_cast<QRgb*>(m_rgb.scanLine(y));
        for (int x = 0; x < w; ++x)
            d[x] = m_lut[s[x]];
        rows.first = std::min(rows.first, y);
        rows.last = y + 1;
    }
    if (rows.last == 0)
        rows.first = 0;
    return rows;
}

bool FromIndexedQImage(const QImage& source, Image8& out) {
    // One-bit images (how Qt reads a one-bit PNG or BMP) are indexed too: widened, they keep
    // their indices and palette.
    const bool mono =
        source.format() == QImage::Format_Mono || source.format() == QImage::Format_MonoLSB;
    const QImage image = mono ? source.convertToFormat(QImage::Format_Indexed8) : source;
    if (image.format() != QImage::Format_Indexed8 && image.format() != QImage::Format_Grayscale8)
        return false;
    out.Resize(image.width(), image.height());
    if (image.format() == QImage::Format_Indexed8) {
        const QList<QRgb> table = image.colorTable();
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < table.size() ? table[i] : 0;
            out.Colours()[static_cast<size_t>(i)] = MakeColour(qRed(c), qGreen(c), qBlue(c));
        }
    } else {
        for (int i = 0; i < 256; ++i)
            out.Colours()[static_cast<size_t>(i)] = MakeColour(i, i, i);
    }
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(out.ScanLine(y), image.constScanLine(y), static_cast<size_t>(image.width()));
    return true;
}

FileResult WritePng(const Image8& image, const std::string& path, int level) {
    return WriteIndexedPng(path, image, level < 0 ? 6 : level);
}

bool ReadQtImage(const std::string& path, Image8& out, std::string& error) {
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    if (image.isNull()) {
        error = reader.errorString().toStdString();
        return false;
    }
    if (!FromIndexedQImage(image, out)) {
        error = Translated(NotIndexedText);
        return false;
    }
    return true;
}

bool ReadIndexedImageFile(const std::string& path, Image8& out, std::string& error) {
    if (!FileExists(path)) {
        error = Translated(QT_TRANSLATE_NOOP("tavrin::ImageBridge", "ファイルがありません"));
        return false;
    }
    uint8_t magic[2] = {0, 0};
    if (ReadFilePrefix(path, magic, 2) < 0) {
        error = Translated(UnreadableText);
        return false;
    }
    if (magic[0] == 'B' && magic[1] == 'M') {
        try {
            if (ReadBitmapFile(path, out))
                return true;
            error = Translated(UnreadableText);
        } catch (const DibError& e) {
            error = e.what();
        }
        return false;
    }
    return ReadQtImage(path, out, error);
}

} // namespace tavrin
