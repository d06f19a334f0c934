#include "core/document/RomDocument.h"

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"
#include "support/RandomBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrin;
namespace fs = std::filesystem;

namespace {

// A folder of its own per test, removed afterwards.
class RomDocumentFiles : public test::TempFolderTest {};

using test::RandomBytes;

// An iNES image: the 16-byte header, then the given number of filler bytes.
std::vector<uint8_t> INesImage(uint8_t programBanks, uint8_t characterBanks, uint8_t flags,
                               size_t bodyBytes) {
    std::vector<uint8_t> bytes = {
        0x4E, 0x45, 0x53, 0x1A, programBanks, characterBanks, flags, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    bytes.resize(16 + bodyBytes, 0x5A);
    return bytes;
}

bool AllZero(const RomDocument& doc, int from, int to) {
    for (int i = from; i < to; ++i)
        if (doc.Data()[i] != 0)
            return false;
    return true;
}

// Everything the window may read: a largest page from 0 up to the furthest address.
void ExpectPagesInside(const RomDocument& doc) {
    const int reach = std::max({doc.EndAddress(), doc.DataSize(), doc.StartAddress()});
    EXPECT_GE(doc.BufferSize(), reach + RomDocument::MaxPageBytes);
    EXPECT_GE(doc.BufferSize(), std::max(doc.DataSize() + 1, 8192));
    EXPECT_TRUE(doc.Contains(reach, RomDocument::MaxPageBytes));
    const int clamped = doc.ClampPageAddress(INT_MAX, RomDocument::MaxPageBytes);
    EXPECT_TRUE(doc.Contains(clamped, RomDocument::MaxPageBytes));
}

} // namespace

TEST(RomDocument, StartsEmptyWithAReadableBuffer) {
    const RomDocument doc;
    EXPECT_EQ(doc.DataSize(), 0);
    EXPECT_EQ(doc.EndAddress(), 0);
    EXPECT_EQ(doc.StartAddress(), 0);
    EXPECT_EQ(doc.HeaderOffset(), 0);
    EXPECT_EQ(doc.FilePath(), "");
    EXPECT_EQ(doc.FileName(), "");
    EXPECT_FALSE(doc.INes().present);
    ExpectPagesInside(doc);
    EXPECT_TRUE(AllZero(doc, 0, doc.BufferSize()));
}

TEST(RomDocument, NewDocumentIs8192ZeroBytesNamedNewFile) {
    RomDocument doc;
    const std::vector<uint8_t> old = INesImage(1, 1, 0, 30000);
    ASSERT_TRUE(doc.LoadBytes(old.data(), old.size(), "/roms/game.nes"));
    doc.New();
    EXPECT_EQ(doc.DataSize(), 8192);
    EXPECT_EQ(doc.EndAddress(), 8192);
    EXPECT_EQ(doc.StartAddress(), 0);
    EXPECT_EQ(doc.HeaderOffset(), 0);
    EXPECT_FALSE(doc.INes().present);
    EXPECT_EQ(doc.FilePath(), "NewFile.chr");
    EXPECT_EQ(doc.FileName(), "NewFile.chr");
    EXPECT_EQ(doc.CompanionPath(RomDocument::Companion::Col), "NewFile.col");
    EXPECT_TRUE(AllZero(doc, 0, doc.BufferSize()));
    ExpectPagesInside(doc);
}

TEST(RomDocument, PlainFileHasNoHeader) {
    const std::vector<uint8_t> bytes = {0x4E, 0x45, 0x53, 0x1B, 2, 1, 0};
    RomDocument doc;
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "plain.chr"));
    EXPECT_FALSE(doc.INes().present);
    EXPECT_EQ(doc.HeaderOffset(), 0);
    EXPECT_EQ(doc.StartAddress(), 0);
    EXPECT_EQ(doc.EndAddress(), 7);
}

TEST(RomDocument, INesWithProgramAndCharacterBanks) {
    const std::vector<uint8_t> bytes = INesImage(2, 1, 0x01, 32768 + 8192);
    RomDocument doc;
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "game.nes"));
    EXPECT_TRUE(doc.INes().present);
    EXPECT_EQ(doc.INes().programBanks, 2);
    EXPECT_EQ(doc.INes().characterBanks, 1);
    EXPECT_FALSE(doc.INes().trainer);
    EXPECT_EQ(doc.DataSize(), 40976);
    EXPECT_EQ(doc.HeaderOffset(), 16);
    EXPECT_EQ(doc.StartAddress(), 32784);
    EXPECT_EQ(doc.EndAddress(), 40976);
    ExpectPagesInside(doc);
}

TEST(RomDocument, INesWithTrainerAndNoCharacterBanks) {
    const std::vector<uint8_t> bytes = INesImage(1, 0, 0x04, 512 + 16384);
    RomDocument doc;
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "game.nes"));
    EXPECT_TRUE(doc.INes().trainer);
    EXPECT_EQ(doc.HeaderOffset(), 16);
    EXPECT_EQ(doc.StartAddress(), 528);
    EXPECT_EQ(doc.EndAddress(), doc.DataSize());
    EXPECT_EQ(doc.DataSize(), 16 + 512 + 16384);
}

TEST(RomDocument, INesWithTrainerAndCharacterBanks) {
    const std::vector<uint8_t> bytes = INesImage(1, 2, 0x04, 512 + 16384 + 16384);
    RomDocument doc;
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "game.nes"));
    EXPECT_EQ(doc.StartAddress(), 16 + 512 + 16384);
    EXPECT_EQ(doc.EndAddress(), 16 + 512 + 16384 + 16384);
}

TEST(RomDocument, OverDeclaredCharacterDataReadsZeros) {
    // 255 character banks declared, 100 bytes present.
    const std::vector<uint8_t> bytes = INesImage(255, 255, 0x04, 84);
    RomDocument doc;
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "short.nes"));
    const int start = 16 + 512 + 255 * 16384;
    EXPECT_EQ(doc.DataSize(), 100);
    EXPECT_EQ(doc.StartAddress(), start);
    EXPECT_EQ(doc.EndAddress(), start + 255 * 8192);
    ExpectPagesInside(doc);
    const int last = doc.ClampPageAddress(INT_MAX, RomDocument::MaxPageBytes);
    EXPECT_EQ(last, doc.EndAddress() - RomDocument::MaxPageBytes);
    EXPECT_TRUE(AllZero(doc, 100, doc.BufferSize()));
    EXPECT_EQ(doc.Data()[99], 0x5A);
}

TEST(RomDocument, SignatureAloneIsAnINesImageOfZeroBanks) {
    const std::vector<uint8_t> bytes = {0x4E, 0x45, 0x53, 0x1A};
    RomDocument doc;
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "tiny.nes"));
    EXPECT_TRUE(doc.INes().present);
    EXPECT_EQ(doc.INes().programBanks, 0);
    EXPECT_EQ(doc.HeaderOffset(), 16);
    EXPECT_EQ(doc.StartAddress(), 16);
    EXPECT_EQ(doc.EndAddress(), 4);
    EXPECT_EQ(doc.ClampPageAddress(doc.StartAddress(), 4096), 0);
    ExpectPagesInside(doc);
    EXPECT_TRUE(doc.Contains(16, RomDocument::MaxPageBytes));
}

TEST(RomDocument, LargePagesOnSmallDocumentsStayInside) {
    for (size_t size : {0u, 1u, 100u, 8191u, 8192u, 8193u, 20000u}) {
        const std::vector<uint8_t> bytes = RandomBytes(size, 7u + static_cast<unsigned>(size));
        RomDocument doc;
        ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "r.bin"));
        SCOPED_TRACE(size);
        ExpectPagesInside(doc);
        EXPECT_TRUE(AllZero(doc, static_cast<int>(size), doc.BufferSize()));
    }
}

TEST(RomDocument, RandomHeadersKeepEveryReachablePageInside) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        const size_t body = rng() % 70000;
        std::vector<uint8_t> bytes =
            INesImage(static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()),
                      static_cast<uint8_t>(rng()), body);
        RomDocument doc;
        ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "r.nes"));
        SCOPED_TRACE(round);
        ExpectPagesInside(doc);
        EXPECT_GE(doc.EndAddress(), 0);
        EXPECT_GE(doc.StartAddress(), 16);
        EXPECT_TRUE(AllZero(doc, doc.DataSize(), doc.BufferSize()));
    }
}

TEST(RomDocument, ClampPageAddressFollowsTheEndAddress) {
    const std::vector<uint8_t> bytes(40000, 1);
    RomDocument doc;
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "a.bin"));
    EXPECT_EQ(doc.ClampPageAddress(0, 4096), 0);
    EXPECT_EQ(doc.ClampPageAddress(35904, 4096), 35904);
    EXPECT_EQ(doc.ClampPageAddress(35905, 4096), 35904);
    EXPECT_EQ(doc.ClampPageAddress(INT_MAX, 4096), 35904);
    EXPECT_EQ(doc.ClampPageAddress(-5, 4096), 0);
    // A document smaller than a page is shown from 0.
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), 100, "a.bin"));
    EXPECT_EQ(doc.ClampPageAddress(50, 4096), 0);
    EXPECT_FALSE(doc.Contains(-1, 1));
    EXPECT_FALSE(doc.Contains(0, -1));
    EXPECT_FALSE(doc.Contains(INT_MAX, INT_MAX));
    EXPECT_TRUE(doc.Contains(doc.BufferSize(), 0));
    EXPECT_FALSE(doc.Contains(doc.BufferSize(), 1));
}

TEST(RomDocument, CompanionFilesReplaceTheExtension) {
    using C = RomDocument::Companion;
    EXPECT_EQ(RomDocument::CompanionPath("/roms/game.nes", C::Dat), "/roms/game.dat");
    EXPECT_EQ(RomDocument::CompanionPath("/roms/game.nes", C::Pal), "/roms/game.pal");
    EXPECT_EQ(RomDocument::CompanionPath("/roms/game.nes", C::Adf), "/roms/game.adf");
    EXPECT_EQ(RomDocument::CompanionPath("/roms/game.nes", C::Col), "/roms/game.col");
    EXPECT_EQ(RomDocument::CompanionPath("/opt/tavrin", C::Pal), "/opt/tavrin.pal");
    EXPECT_EQ(RomDocument::CompanionPath("/a.b/rom", C::Dat), "/a.b/rom.dat");
    EXPECT_EQ(RomDocument::CompanionPath("x.tar.chr", C::Adf), "x.tar.adf");
}

TEST_F(RomDocumentFiles, OneByteFile) {
    const std::string path = Write("one.chr", {0xAB});
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(path));
    EXPECT_EQ(doc.DataSize(), 1);
    EXPECT_EQ(doc.EndAddress(), 1);
    EXPECT_EQ(doc.StartAddress(), 0);
    EXPECT_EQ(doc.Data()[0], 0xAB);
    EXPECT_GE(doc.BufferSize(), 8193);
    EXPECT_TRUE(AllZero(doc, 1, 8193));
    EXPECT_EQ(doc.FilePath(), path);
    EXPECT_EQ(doc.FileName(), "one.chr");
    EXPECT_EQ(doc.ClampPageAddress(0, 4096), 0);
}

TEST_F(RomDocumentFiles, ZeroByteFile) {
    const std::string path = Write("empty.chr", {});
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(path));
    EXPECT_EQ(doc.DataSize(), 0);
    EXPECT_EQ(doc.EndAddress(), 0);
    ExpectPagesInside(doc);

    ASSERT_TRUE(doc.WriteRom(Path("small.chr"), true));
    EXPECT_TRUE(Read(Path("small.chr")).empty());
    ASSERT_TRUE(doc.WriteRom(Path("padded.chr"), false));
    EXPECT_EQ(Read(Path("padded.chr")), std::vector<uint8_t>(8192, 0));
}

TEST_F(RomDocumentFiles, SaveSmallSizeOnWritesTheDocumentSize) {
    const std::vector<uint8_t> bytes = RandomBytes(100, 3);
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(Write("in.chr", bytes)));
    EXPECT_EQ(doc.WriteLength(true), 100);
    ASSERT_TRUE(doc.WriteRom(Path("out.chr"), true));
    EXPECT_EQ(Read(Path("out.chr")), bytes);
}

TEST_F(RomDocumentFiles, SaveSmallSizeOffPadsTo8192WithTheBuffer) {
    const std::vector<uint8_t> bytes = RandomBytes(100, 4);
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(Write("in.chr", bytes)));
    // An edit past the data lands in the padding.
    doc.Data()[5000] = 0x77;
    EXPECT_EQ(doc.WriteLength(false), 8192);
    ASSERT_TRUE(doc.WriteRom(Path("out.chr"), false));
    std::vector<uint8_t> expected = bytes;
    expected.resize(8192, 0);
    expected[5000] = 0x77;
    EXPECT_EQ(Read(Path("out.chr")), expected);
}

TEST_F(RomDocumentFiles, LargeDocumentIsNeverPadded) {
    const std::vector<uint8_t> bytes = RandomBytes(9000, 5);
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(Write("in.chr", bytes)));
    EXPECT_EQ(doc.WriteLength(false), 9000);
    ASSERT_TRUE(doc.WriteRom(Path("out.chr"), false));
    EXPECT_EQ(Read(Path("out.chr")), bytes);
}

TEST_F(RomDocumentFiles, SaveOverALongerFileKeepsItsTail) {
    const std::string target = Write("long.chr", std::vector<uint8_t>(20000, 0xEE));
    const std::vector<uint8_t> bytes = RandomBytes(100, 6);
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(Write("in.chr", bytes)));

    ASSERT_TRUE(doc.WriteRom(target, true));
    std::vector<uint8_t> expected(20000, 0xEE);
    std::copy(bytes.begin(), bytes.end(), expected.begin());
    EXPECT_EQ(Read(target), expected);

    ASSERT_TRUE(doc.WriteRom(target, false));
    std::fill(expected.begin() + 100, expected.begin() + 8192, 0);
    EXPECT_EQ(Read(target), expected);
}

TEST_F(RomDocumentFiles, RoundTripIsExact) {
    const std::vector<uint8_t> bytes = INesImage(2, 1, 0, 32768 + 8192);
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(Write("in.nes", bytes)));
    ASSERT_TRUE(doc.WriteRom(Path("out.nes"), false));
    EXPECT_EQ(Read(Path("out.nes")), bytes);
}

TEST_F(RomDocumentFiles, NewDocumentWritesNewFileBytes) {
    RomDocument doc;
    doc.New();
    doc.Data()[8191] = 0x42;
    ASSERT_TRUE(doc.WriteRom(Path(doc.FilePath()), true));
    std::vector<uint8_t> expected(8192, 0);
    expected[8191] = 0x42;
    EXPECT_EQ(Read(Path("NewFile.chr")), expected);
}

TEST_F(RomDocumentFiles, ReadReplacesTheWholeDocument) {
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(Write("a.nes", INesImage(2, 1, 0, 40960))));
    ASSERT_TRUE(doc.ReadRom(Write("b.chr", {1, 2, 3})));
    EXPECT_FALSE(doc.INes().present);
    EXPECT_EQ(doc.HeaderOffset(), 0);
    EXPECT_EQ(doc.StartAddress(), 0);
    EXPECT_EQ(doc.EndAddress(), 3);
    EXPECT_EQ(doc.FileName(), "b.chr");
    EXPECT_TRUE(AllZero(doc, 3, doc.BufferSize()));
}

TEST_F(RomDocumentFiles, LoadBytesMatchesReadRom) {
    const std::vector<uint8_t> bytes = RandomBytes(12345, 8);
    const std::string path = Write("r.bin", bytes);
    RomDocument fromFile, fromBytes;
    ASSERT_TRUE(fromFile.ReadRom(path));
    ASSERT_TRUE(fromBytes.LoadBytes(bytes.data(), bytes.size(), path));
    EXPECT_EQ(fromFile.DataSize(), fromBytes.DataSize());
    EXPECT_EQ(fromFile.BufferSize(), fromBytes.BufferSize());
    EXPECT_TRUE(
        std::equal(fromFile.Data(), fromFile.Data() + fromFile.BufferSize(), fromBytes.Data()));
    EXPECT_EQ(fromFile.FileName(), fromBytes.FileName());
}

TEST_F(RomDocumentFiles, SaveAsTakesTheNewPath) {
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(Write("a.chr", {1})));
    doc.SetFilePath(Path("b.nes"));
    EXPECT_EQ(doc.FileName(), "b.nes");
    EXPECT_EQ(doc.CompanionPath(RomDocument::Companion::Pal), Path("b.pal"));
}

namespace {

void ExpectUnchanged(const RomDocument& doc, const std::string& path) {
    EXPECT_EQ(doc.FilePath(), path);
    EXPECT_EQ(doc.DataSize(), 3);
    EXPECT_EQ(doc.Data()[0], 7);
    EXPECT_EQ(doc.Data()[2], 9);
}

} // namespace

TEST_F(RomDocumentFiles, MissingFileOrFolderKeepsTheOldDocument) {
    const std::string path = Write("keep.chr", {7, 8, 9});
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(path));
    EXPECT_FALSE(doc.ReadRom(Path("missing.chr")));
    ExpectUnchanged(doc, path);
    fs::create_directories(m_dir / "folder.chr");
    EXPECT_FALSE(doc.ReadRom(Path("folder.chr")));
    ExpectUnchanged(doc, path);
    EXPECT_FALSE(doc.ReadRom(""));
    ExpectUnchanged(doc, path);
}

TEST_F(RomDocumentFiles, UnreadableFileKeepsTheOldDocument) {
    const std::string path = Write("keep.chr", {7, 8, 9});
    const std::string locked = Write("locked.chr", RandomBytes(500, 9));
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(path));
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    ::chmod(m_dir.c_str(), 0755);
    const bool root = ::geteuid() == 0;
    // Root reads anything; a plain user cannot read a file locked to its owner.
    if (root) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
    const bool seen = FileExists(locked);
    const bool read = static_cast<bool>(doc.ReadRom(locked));
    const bool written = static_cast<bool>(doc.WriteRom(locked, true));
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    EXPECT_TRUE(seen);
    EXPECT_FALSE(read);
    EXPECT_FALSE(written);
    ExpectUnchanged(doc, path);
    EXPECT_EQ(Read(locked), RandomBytes(500, 9));
}

TEST_F(RomDocumentFiles, FilesTooLargeForAddressesAreRefused) {
    const std::string path = Write("keep.chr", {7, 8, 9});
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(path));
    // Sparse files: nothing is allocated or read for them.
    const std::string huge = Path("huge.bin");
    ASSERT_TRUE(WriteFileSafely(huge, "x", 1));
    for (uintmax_t size : {static_cast<uintmax_t>(RomDocument::MaxDataSize) + 1,
                           static_cast<uintmax_t>(1) << 31, static_cast<uintmax_t>(1) << 32}) {
        fs::resize_file(huge, size);
        EXPECT_FALSE(doc.ReadRom(huge));
        ExpectUnchanged(doc, path);
    }
    EXPECT_FALSE(
        doc.LoadBytes(doc.Data(), static_cast<size_t>(RomDocument::MaxDataSize) + 1, huge));
    ExpectUnchanged(doc, path);
}

TEST(RomDocumentCorpus, ReadsThePublishedExampleImage) {
    const std::string path = std::string(TAVRIN_CORPUS_DIR) + "/NES-ca65-example/example.nes";
    const std::string chr = std::string(TAVRIN_CORPUS_DIR) + "/NES-ca65-example/background.chr";
    if (!FileExists(path) || !FileExists(chr))
        GTEST_SKIP() << "no shared corpus";
    RomDocument doc;
    ASSERT_TRUE(doc.ReadRom(path));
    EXPECT_EQ(doc.HeaderOffset(), 16);
    EXPECT_EQ(doc.StartAddress(), 0x8010);
    EXPECT_EQ(doc.EndAddress(), 40976);
    EXPECT_EQ(doc.DataSize(), 40976);
    std::vector<uint8_t> background;
    ASSERT_TRUE(ReadWholeFile(chr, background));
    ASSERT_EQ(background.size(), 4096u);
    EXPECT_TRUE(std::equal(background.begin(), background.end(), doc.Data() + doc.StartAddress()));
}
