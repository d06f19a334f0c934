#include "qt/PictureReader.h"

#include "core/dib/DibError.h"
#include "core/dib/TNkInternalDIB.h"
#include "core/platform/FailureText.h"
#include "core/platform/FileIO.h"
#include "qt/ImageBridge.h"

#include <QImageReader>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tavrin {

namespace {

// The longest bitmap worth reading: the container takes at most MaxDibPixels, which in 32
// bits per pixel (or 8-bit RLE of single pixels) is four bytes each, plus headers.
constexpr size_t MaxBitmapFileBytes = 4 * static_cast<size_t>(MaxDibPixels) + 65536;

void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// Keeps Qt's and libpng's messages off standard error while it lives; the reader's error says
// enough. libpng prints its errors itself (Qt gives it no handler for them), so standard
// error points at /dev/null meanwhile.
class QuietReading {
public:
    QuietReading() : m_previous(qInstallMessageHandler(DropMessage)) {
        std::fflush(stderr);
        m_saved = ::fcntl(2, F_DUPFD_CLOEXEC, 3);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0)
            ::dup2(null, 2);
        if (null >= 0)
            ::close(null);
    }
    ~QuietReading() {
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, 2);
            ::close(m_saved);
        }
        qInstallMessageHandler(m_previous);
    }
    QuietReading(const QuietReading&) = delete;
    QuietReading& operator=(const QuietReading&) = delete;

private:
    QtMessageHandler m_previous;
    int m_saved = -1;
};

std::string ReaderFailure(QImageReader::ImageReaderError error) {
    switch (error) {
    case QImageReader::FileNotFoundError:
        return "no such file";
    case QImageReader::DeviceError:
        return "cannot read the file";
    case QImageReader::UnsupportedFormatError:
        return "not an image of a kind the program reads (BMP or PNG)";
    case QImageReader::InvalidDataError:
        return "the image is damaged or too large to read";
    default:
        return "the image cannot be read";
    }
}

bool ReadQtPicture(const std::string& path, FilePicture& out, std::string& error) {
    QuietReading quiet;
    QImageReader reader(QString::fromStdString(path));
    const QImage image = reader.read();
    if (image.isNull()) {
        error = ReaderFailure(reader.error());
        return false;
    }
    FilePicture picture;
    if (!FromIndexedQImage(image, picture.indexed)) {
        // Alpha is not part of a tile colour: only red, green and blue are matched.
        const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
        picture.trueColour = true;
        picture.colours = ImageRgb(rgb.width(), rgb.height());
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                picture.colours.SetPixel(x, y,
                                         MakeColour(qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
        }
    }
    out = std::move(picture);
    return true;
}

} // namespace

bool ReadFilePicture(const std::string& path, FilePicture& out, std::string& error) {
    std::vector<uint8_t> head;
    if (FileResult read = ReadFilePrefix(path, head, 2); !read) {
        error = DescribeFailure(read);
        return false;
    }
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M')
        return ReadQtPicture(path, out, error);
    std::vector<uint8_t> bytes;
    if (FileResult read = ReadFilePrefix(path, bytes, MaxBitmapFileBytes); !read) {
        error = DescribeFailure(read);
        return false;
    }
    try {
        out = BitmapFilePicture(bytes);
        return true;
    } catch (const DibError& e) {
        error = e.what();
        return false;
    }
}

} // namespace tavrin
