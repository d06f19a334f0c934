#include "qt/ClipboardBridge.h"

#include "core/dib/DibBuilder.h"
#include "core/dib/DibError.h"
#include "core/dib/TNkDIB.h"
#include "core/platform/Image8.h"
#include "core/platform/LittleEndian.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrin;
using test::BuildBitmapFile;
using test::BuildDib;
using test::DibSpec;
using test::Hex;
using test::PackIndexRows;
using test::Rgb;

namespace {

// The clipboard needs a GUI application; it runs offscreen (whose clipboard lives in the
// process) unless a platform is chosen, with a private runtime folder to keep Qt quiet.
class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QCoreApplication::instance() != nullptr) {
            return;
        }
        if (!std::getenv("QT_QPA_PLATFORM")) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        }
        m_runtimeDir = "/tmp/tavrin-qt-tests-XXXXXX";
        if (mkdtemp(m_runtimeDir.data()) != nullptr) {
            chmod(m_runtimeDir.c_str(), 0700);
            setenv("XDG_RUNTIME_DIR", m_runtimeDir.c_str(), 1);
        } else {
            m_runtimeDir.clear();
        }
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }

    void TearDown() override {
        m_app.reset();
        if (!m_runtimeDir.empty()) {
            rmdir(m_runtimeDir.c_str());
        }
    }

private:
    char m_name[16] = "tavrin_qt_tests";
    char* m_argv[2] = {m_name, nullptr};
    int m_argc = 1;
    std::string m_runtimeDir;
    std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const guiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

std::span<const uint8_t> Span(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

QByteArray Bytes(const std::vector<uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

std::vector<uint8_t> DibOf(const Image8& image) {
    TNkDIB dib;
    dib.Assign(image);
    return dib.SaveToClipboardFormat();
}

// What the paste does with the bytes: load, convert to 8 bits, take the indices.
Image8 Paste(const std::vector<uint8_t>& bytes) {
    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, bytes);
    Image8 image;
    dib.AssignTo(image);
    return image;
}

// The container's error for the bytes, or "" when they paste.
std::string PasteError(const std::vector<uint8_t>& bytes) {
    try {
        Paste(bytes);
        return "";
    } catch (const DibError& e) {
        return e.what();
    }
}

std::vector<std::string> Rows(const Image8& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.Height(); ++y) {
        rows.push_back(test::Digits(image.ScanLine(y), image.Width()));
    }
    return rows;
}

Image8 RandomImage(unsigned seed, int width, int height) {
    std::mt19937 random(seed);
    Image8 image(width, height);
    for (Colour& c : image.Colours()) {
        c = MakeColour(random() & 0xFF, random() & 0xFF, random() & 0xFF);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.ScanLine(y)[x] = static_cast<uint8_t>(random());
        }
    }
    return image;
}

std::unique_ptr<QMimeData> MimeWith(const QString& format, const std::vector<uint8_t>& bytes) {
    auto mime = std::make_unique<QMimeData>();
    mime->setData(format, Bytes(bytes));
    return mime;
}

std::unique_ptr<QMimeData> MimeWithImage(const QImage& image) {
    auto mime = std::make_unique<QMimeData>();
    mime->setImageData(image);
    return mime;
}

DibSpec FourByTwo() {
    DibSpec s;
    s.width = 4;
    s.height = 2;
    s.bitCount = 8;
    s.colours = {Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};
    s.bits = PackIndexRows({"0123", "3210"}, 8, false);
    return s;
}

// A letter per pixel naming its colour in the table, for colours the test chose.
std::vector<std::string> ColourRows(const Image8& image, const std::map<Colour, char>& names) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.Height(); ++y) {
        std::string row;
        for (int x = 0; x < image.Width(); ++x) {
            const auto it = names.find(image.Colours()[image.ScanLine(y)[x]]);
            row += it != names.end() ? it->second : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

// --- Copy: what goes on the clipboard ---

TEST(ClipboardBridge, IndexedDibRoundTripsUnchanged) {
    for (const auto& [width, height] : {std::pair{37, 23}, std::pair{128, 128}, std::pair{1, 1}}) {
        const Image8 image = RandomImage(1234u + static_cast<unsigned>(width), width, height);
        const std::vector<uint8_t> dib = DibOf(image);
        const std::unique_ptr<QMimeData> mime(MakeDibMimeData(dib));
        EXPECT_TRUE(MimeHasDib(mime.get()));
        const std::vector<uint8_t> back = DibFromMime(mime.get());
        EXPECT_EQ(back, dib);
        EXPECT_EQ(Paste(back), image);
    }
}

TEST(ClipboardBridge, ImageBmpIsABitmapFileWithTheRightSizes) {
    Image8 image(5, 3);
    image.Colours()[1] = MakeColour(10, 20, 30);
    image.Colours()[3] = MakeColour(200, 100, 50);
    const std::vector<std::string> rows = {"01230", "33100", "00001"};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            image.ScanLine(y)[x] = static_cast<uint8_t>(rows[y][x] - '0');
        }
    }
    const std::vector<uint8_t> dib = DibOf(image);
    const std::unique_ptr<QMimeData> mime(MakeDibMimeData(dib));
    ASSERT_TRUE(mime->hasFormat("image/bmp"));
    const QByteArray bmp = mime->data("image/bmp");
    // 14 + 40 + 256 colours x 4 + 3 rows of 8 bytes = 1102; pixels at 14 + 40 + 1024 = 1078.
    ASSERT_EQ(bmp.size(), 1102);
    const std::span<const uint8_t> file = Span(bmp);
    EXPECT_EQ(Hex(file.data(), 14), "42 4D 4E 04 00 00 00 00 00 00 36 04 00 00");
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 14, file.end()), dib);

    // Other programs get the same indices and colours as an indexed image.
    ASSERT_TRUE(mime->hasImage());
    const QImage offered = qvariant_cast<QImage>(mime->imageData());
    ASSERT_EQ(offered.format(), QImage::Format_Indexed8);
    ASSERT_EQ(offered.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(test::Digits(offered.constScanLine(y), 5), rows[y]);
    }
    EXPECT_EQ(offered.color(1), qRgb(10, 20, 30));
    EXPECT_EQ(offered.color(3), qRgb(200, 100, 50));
}

TEST(ClipboardBridge, TrueColourDibIsOfferedAsAnRgbImage) {
    TNkDIB dib;
    const std::vector<Colour> pixels = {MakeColour(255, 0, 0),   MakeColour(1, 2, 3),
                                        MakeColour(0, 0, 255),   MakeColour(9, 99, 199),
                                        MakeColour(255, 255, 0), MakeColour(0, 0, 0)};
    dib.AssignRgb(3, 2, pixels);
    const std::vector<uint8_t> bytes = dib.SaveToClipboardFormat();
    const std::unique_ptr<QMimeData> mime(MakeDibMimeData(bytes));
    const QByteArray bmp = mime->data("image/bmp");
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(LoadLE16(Span(bmp).data() + 28), 24); // biBitCount
    EXPECT_EQ(LoadLE32(Span(bmp).data() + 10), 54u);
    const QImage offered = qvariant_cast<QImage>(mime->imageData());
    ASSERT_EQ(offered.format(), QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i) {
        const QRgb c = offered.pixel(i % 3, i / 3);
        EXPECT_EQ(MakeColour(qRed(c), qGreen(c), qBlue(c)), pixels[static_cast<size_t>(i)])
            << "pixel " << i;
    }
    EXPECT_EQ(DibFromMime(mime.get()), bytes);
}

TEST(ClipboardBridge, BytesTheContainerRefusesAreNeverOffered) {
    const auto error = [](const std::vector<uint8_t>& bytes) -> std::string {
        try {
            delete MakeDibMimeData(bytes);
            return "";
        } catch (const DibError& e) {
            return e.what();
        }
    };
    EXPECT_EQ(error({}), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    EXPECT_EQ(error(test::Bytes({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'})),
              "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    DibSpec s = FourByTwo();
    s.compression = BiRle8;
    s.bits = test::Bytes({5, 1, 0, 1}); // a run past the right edge
    EXPECT_EQ(error(BuildDib(s)), "Convert8BitRLETo8BitRGB: Bad RLE Data 2");
}

// --- Paste: images other programs offer ---

TEST(ClipboardBridge, TrueColourImageBecomesATwentyFourBitDibReducedByTheContainer) {
    QImage image(4, 2, QImage::Format_RGB32);
    const QRgb red = qRgb(248, 0, 0), green = qRgb(0, 252, 0), blue = qRgb(16, 32, 248);
    const QRgb layout[2][4] = {{red, green, blue, red}, {blue, blue, green, red}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            image.setPixel(x, y, layout[y][x]);
        }
    }
    const std::unique_ptr<QMimeData> mime = MimeWithImage(image);
    EXPECT_TRUE(MimeHasDib(mime.get()));
    const std::vector<uint8_t> bytes = DibFromMime(mime.get());

    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, bytes);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    dib.SetPixelFormat(DibPixelFormat::Bits8);
    EXPECT_EQ(dib.Colours().size(), 3u);
    Image8 pasted;
    dib.AssignTo(pasted);
    const std::map<Colour, char> names = {
        {MakeColour(248, 0, 0), 'R'}, {MakeColour(0, 252, 0), 'G'}, {MakeColour(16, 32, 248), 'B'}};
    EXPECT_EQ(ColourRows(pasted, names), (std::vector<std::string>{"RGBR", "BBGR"}));
}

TEST(ClipboardBridge, TranslucentPixelsAreBlendedOverWhite) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 0, 0, 128));
    image.setPixel(2, 0, qRgba(10, 20, 30, 255));
    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, DibFromImage(image));
    ASSERT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    // Stored blue, green, red.
    EXPECT_EQ(Hex(dib.ScanLine(0), 9), "FF FF FF 7F 7F 7F 1E 14 0A");
}

TEST(ClipboardBridge, OneBitImageKeepsValuesAndColours) {
    const std::vector<std::string> rows = {"1001100101", "0100000001"};
    for (const QImage::Format format : {QImage::Format_Mono, QImage::Format_MonoLSB}) {
        QImage mono(10, 2, format);
        mono.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
        mono.fill(0);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 10; ++x) {
                mono.setPixel(x, y, rows[y][x] == '1' ? 1 : 0);
            }
        }
        const std::vector<uint8_t> bytes = DibFromMime(MimeWithImage(mono).get());
        TNkDIB dib;
        dib.LoadFromClipboardFormat(ClipboardFormatDib, bytes);
        EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits1);
        ASSERT_EQ(dib.Colours().size(), 2u);
        EXPECT_EQ(dib.Colours()[0], Rgb(10, 20, 30));
        EXPECT_EQ(dib.Colours()[1], Rgb(200, 100, 50));
        // Row 0 packed: 1001 1001 | 01 and six zero bits of padding.
        EXPECT_EQ(Hex(dib.ScanLine(0), 4), "99 40 00 00");
        EXPECT_EQ(Rows(Paste(bytes)), rows);
    }
}

TEST(ClipboardBridge, IndexedImagesKeepTheirIndicesAndTables) {
    // Qt reads four-bit images as Indexed8 with sixteen colours.
    QImage image(4, 2, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 16; ++i) {
        table.append(qRgb(i * 16, 255 - i, i));
    }
    image.setColorTable(table);
    const std::vector<std::string> rows = {"0F3A", "1234"};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            image.scanLine(y)[x] =
                static_cast<uint8_t>(std::stoi(std::string(1, rows[y][x]), nullptr, 16));
        }
    }
    std::vector<uint8_t> bytes = DibFromMime(MimeWithImage(image).get());
    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, bytes);
    EXPECT_EQ(dib.PixelFormat(), DibPixelFormat::Bits8);
    ASSERT_EQ(dib.Colours().size(), 16u);
    EXPECT_EQ(dib.Colours()[10], Rgb(160, 245, 10));
    EXPECT_EQ(Rows(Paste(bytes)), rows);

    // Indices past a short table get black entries rather than pointing past it.
    image.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6)});
    for (int y = 0; y < 2; ++y) {
        std::fill_n(image.scanLine(y), 4, 0);
    }
    image.scanLine(1)[3] = 5;
    dib.LoadFromClipboardFormat(ClipboardFormatDib, DibFromImage(image));
    ASSERT_EQ(dib.Colours().size(), 6u);
    EXPECT_EQ(dib.Colours()[1], Rgb(4, 5, 6));
    EXPECT_EQ(dib.Colours()[5], Rgb(0, 0, 0));
    EXPECT_EQ(Hex(dib.ScanLine(1), 4), "00 00 00 05");
}

TEST(ClipboardBridge, GreyImageIndicesAreItsGreyLevels) {
    QImage grey(3, 1, QImage::Format_Grayscale8);
    grey.scanLine(0)[0] = 0;
    grey.scanLine(0)[1] = 0x80;
    grey.scanLine(0)[2] = 0xFF;
    const Image8 pasted = Paste(DibFromImage(grey));
    ASSERT_EQ(pasted.Width(), 3);
    EXPECT_EQ(Hex(pasted.ScanLine(0), 3), "00 80 FF");
    EXPECT_EQ(pasted.Colours()[0x80], MakeColour(0x80, 0x80, 0x80));
}

TEST(ClipboardBridge, EncodedImageOfAnyReadableTypeIsDecoded) {
    QImage image(4, 1, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)});
    for (int x = 0; x < 4; ++x) {
        image.scanLine(0)[x] = static_cast<uint8_t>(3 - x);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));

    QMimeData mime;
    mime.setText("not a picture");
    mime.setData("image/png", png);
    EXPECT_FALSE(mime.hasImage());
    EXPECT_TRUE(MimeHasDib(&mime));
    const Image8 pasted = Paste(DibFromMime(&mime));
    EXPECT_EQ(Rows(pasted), (std::vector<std::string>{"3210"}));
    EXPECT_EQ(pasted.Colours()[1], MakeColour(255, 0, 0));

    // Offered but undecodable: nothing to paste.
    QMimeData broken;
    broken.setData("image/png", QByteArray("\x89PNG broken", 11));
    EXPECT_TRUE(MimeHasDib(&broken));
    EXPECT_TRUE(DibFromMime(&broken).empty());
}

TEST(ClipboardBridge, NothingOfferedWithoutAnImage) {
    EXPECT_FALSE(MimeHasDib(nullptr));
    EXPECT_TRUE(DibFromMime(nullptr).empty());
    QMimeData empty;
    EXPECT_FALSE(MimeHasDib(&empty));
    EXPECT_TRUE(DibFromMime(&empty).empty());
    QMimeData text;
    text.setText("0123");
    text.setData("application/octet-stream", QByteArray("BM1234567890123456", 18));
    EXPECT_FALSE(MimeHasDib(&text));
    EXPECT_TRUE(DibFromMime(&text).empty());
    // Not offering an encoded type Qt can read.
    QMimeData unknown;
    unknown.setData("image/x-unknown-tavrin", QByteArray("data", 4));
    EXPECT_FALSE(MimeHasDib(&unknown));
    EXPECT_EQ(DibFromImage(QImage()), std::vector<uint8_t>{});
}

TEST(ClipboardBridge, ImageBmpComesBeforeOtherImages) {
    const std::vector<uint8_t> dib = BuildDib(FourByTwo());
    const std::unique_ptr<QMimeData> mime = MimeWith("image/bmp", dib);
    QImage other(9, 9, QImage::Format_RGB32);
    other.fill(qRgb(1, 2, 3));
    mime->setImageData(other);
    EXPECT_EQ(Rows(Paste(DibFromMime(mime.get()))), (std::vector<std::string>{"0123", "3210"}));

    // A packed DIB without a file header is taken as it is.
    EXPECT_EQ(DibFromMime(MimeWith("image/bmp", DibOf(RandomImage(7, 6, 5))).get()),
              DibOf(RandomImage(7, 6, 5)));

    // An empty image/bmp offers nothing; the other image is used.
    mime->setData("image/bmp", QByteArray());
    EXPECT_EQ(Paste(DibFromMime(mime.get())).Width(), 9);
}

// --- Paste: bitmap files of every shape, sound and broken ---

TEST(ClipboardBridge, FileOffsetsAreHonouredOrIgnoredWhenUnusable) {
    const std::vector<std::string> rows = {"0123", "3210"};
    const DibSpec s = FourByTwo();
    const auto pasted = [](const std::vector<uint8_t>& file) {
        return Rows(Paste(DibFromMime(MimeWith("image/bmp", file).get())));
    };
    EXPECT_EQ(pasted(BuildBitmapFile(s)), rows);
    // Inside the headers or past the end: the pixels follow the colour table.
    for (const int64_t offBits :
         {int64_t{0}, int64_t{20}, int64_t{54}, int64_t{100000}, int64_t{0xFFFFFFFF}}) {
        EXPECT_EQ(pasted(BuildBitmapFile(s, 0, offBits)), rows) << offBits;
    }
    // A gap before the pixels, as the offset says.
    EXPECT_EQ(pasted(BuildBitmapFile(s, 6)), rows);
}

TEST(ClipboardBridge, ExtendedHeadersArePassedOnInTheClipboardForm) {
    for (const uint32_t headerSize : {52u, 56u, 108u, 124u}) {
        DibSpec s = FourByTwo();
        s.headerSize = headerSize;
        const std::vector<uint8_t> fromFile =
            DibFromMime(MimeWith("image/bmp", BuildBitmapFile(s)).get());
        ASSERT_GE(fromFile.size(), 4u);
        EXPECT_EQ(LoadLE32(fromFile.data()), 40u);
        EXPECT_EQ(Rows(Paste(fromFile)), (std::vector<std::string>{"0123", "3210"}));
        const std::vector<uint8_t> packed = DibFromMime(MimeWith("image/bmp", BuildDib(s)).get());
        EXPECT_EQ(packed, fromFile) << headerSize;
    }
    // 32-bit bit fields inside a version-4 header.
    DibSpec s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 32;
    s.compression = BiBitfields;
    s.headerSize = 108;
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    s.bits = test::PackValueRows({{0x00102030, 0x00A0B0C0}}, 32, false);
    TNkDIB dib;
    dib.LoadFromClipboardFormat(ClipboardFormatDib,
                                DibFromMime(MimeWith("image/bmp", BuildBitmapFile(s)).get()));
    ASSERT_EQ(dib.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(Hex(dib.ScanLine(0), 6), "30 20 10 C0 B0 A0");
}

TEST(ClipboardBridge, BrokenBitmapFilesGiveTheContainersError) {
    const auto readError = [](const std::vector<uint8_t>& bmp) {
        return PasteError(DibFromMime(MimeWith("image/bmp", bmp).get()));
    };
    // Nothing after a file header: nothing to paste.
    EXPECT_TRUE(DibFromMime(MimeWith("image/bmp", test::Bytes({'B', 'M'})).get()).empty());
    std::vector<uint8_t> headerOnly = BuildBitmapFile(FourByTwo());
    headerOnly.resize(14);
    EXPECT_TRUE(DibFromMime(MimeWith("image/bmp", headerOnly).get()).empty());

    const std::string invalidData = "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data";
    const std::string invalidSize = "TNkInternalDIB.LoadFromStream: Invalid Width or Height";
    std::vector<uint8_t> truncated = BuildBitmapFile(FourByTwo());
    truncated.pop_back();
    EXPECT_EQ(readError(truncated), invalidData);
    EXPECT_EQ(readError(test::Bytes({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})),
              invalidData);

    DibSpec s = FourByTwo();
    s.width = 0;
    EXPECT_EQ(readError(BuildBitmapFile(s)), invalidSize);
    s = FourByTwo();
    s.height = 0;
    EXPECT_EQ(readError(BuildBitmapFile(s)), invalidSize);
    s = FourByTwo();
    s.width = 0x7FFFFFFF;
    s.height = 0x7FFFFFFF;
    EXPECT_EQ(readError(BuildBitmapFile(s)), invalidSize);
    // Large but allowed sizes with eight bytes of pixels: refused before any allocation.
    s.width = 9000;
    s.height = -9000;
    EXPECT_EQ(readError(BuildBitmapFile(s)), invalidData);

    s = FourByTwo();
    s.compression = BiRle8;
    s.bits = test::Bytes({5, 1, 0, 1});
    EXPECT_EQ(readError(BuildBitmapFile(s)), "Convert8BitRLETo8BitRGB: Bad RLE Data 2");
    s.bits = test::Bytes({2, 1, 0, 0, 2, 1, 0, 0, 1, 1}); // a third row
    EXPECT_EQ(readError(BuildBitmapFile(s)), "Convert8BitRLETo8BitRGB: Bad RLE Data 5");
    s.bitCount = 4;
    s.compression = BiRle4;
    s.bits = test::Bytes({0, 3, 0x12});
    EXPECT_EQ(readError(BuildBitmapFile(s)), "Convert4BitRLETo4BitRGB: Bad RLE Data 1");
}

TEST(ClipboardBridge, DamagedBitmapFilesNeverCrash) {
    DibSpec rle = FourByTwo();
    rle.compression = BiRle8;
    rle.bits = test::Bytes({2, 1, 2, 2, 0, 0, 4, 3, 0, 1});
    const std::vector<std::vector<uint8_t>> sound = {BuildBitmapFile(FourByTwo()),
                                                     BuildBitmapFile(rle)};
    for (const std::vector<uint8_t>& file : sound) {
        ASSERT_EQ(PasteError(DibFromMime(MimeWith("image/bmp", file).get())), "");
        // Every shorter file is refused or offers nothing.
        for (size_t length = 0; length < file.size(); ++length) {
            const std::vector<uint8_t> cut(file.begin(),
                                           file.begin() + static_cast<ptrdiff_t>(length));
            const std::vector<uint8_t> dib = DibFromMime(MimeWith("image/bmp", cut).get());
            EXPECT_TRUE(dib.empty() || !PasteError(dib).empty()) << "length " << length;
        }
    }
    std::mt19937 random(20240607);
    for (int round = 0; round < 1000; ++round) {
        std::vector<uint8_t> damaged = sound[static_cast<size_t>(round % 2)];
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        const std::vector<uint8_t> dib = DibFromMime(MimeWith("image/bmp", damaged).get());
        try {
            const Image8 image = Paste(dib);
            EXPECT_FALSE(image.IsEmpty());
        } catch (const DibError&) {
        }
    }
}

// --- The application clipboard ---

TEST(ClipboardBridge, ApplicationClipboardRoundTrip) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    ASSERT_NE(clipboard, nullptr);
    const Image8 image = RandomImage(99, 16, 8);
    const std::vector<uint8_t> dib = DibOf(image);

    ASSERT_TRUE(ClipboardBridge::WriteDib(dib));
    EXPECT_TRUE(ClipboardBridge::HasDib());
    EXPECT_TRUE(clipboard->mimeData()->hasImage());
    EXPECT_EQ(ClipboardBridge::ReadDib(), dib);
    EXPECT_EQ(Paste(ClipboardBridge::ReadDib()), image);

    // A failed write leaves what was there.
    EXPECT_FALSE(ClipboardBridge::WriteDib(test::Bytes({1, 2, 3, 4, 5})));
    EXPECT_EQ(ClipboardBridge::ReadDib(), dib);

    ClipboardBridge::Clear();
    EXPECT_FALSE(ClipboardBridge::HasDib());
    EXPECT_TRUE(ClipboardBridge::ReadDib().empty());

    clipboard->setText("plain text");
    EXPECT_FALSE(ClipboardBridge::HasDib());

    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    picture.setPixel(1, 0, qRgb(250, 251, 252));
    clipboard->setImage(picture);
    EXPECT_TRUE(ClipboardBridge::HasDib());
    TNkDIB read;
    read.LoadFromClipboardFormat(ClipboardFormatDib, ClipboardBridge::ReadDib());
    ASSERT_EQ(read.PixelFormat(), DibPixelFormat::Bits24);
    EXPECT_EQ(Hex(read.ScanLine(0), 6), "03 02 01 FC FB FA");
    ClipboardBridge::Clear();
}
