#include "core/platform/Cp932.h"
#include "core/platform/FileIO.h"
#include "core/platform/Image8.h"
#include "core/platform/IniFile.h"
#include "core/platform/SafeFileWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

using namespace tavrin;

namespace {

std::string TempPath(const char* name) {
    static const test::TempFolder folder;
    return folder.File(name);
}

} // namespace

TEST(FileIO, AKeptTailCarriesTheBytesOfALongerFile) {
    const std::string path = TempPath("tavrin_fileio_tail.bin");
    const uint8_t longer[6] = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(WriteFileSafely(path, longer, 6));
    const uint8_t shorter[2] = {9, 8};
    ASSERT_TRUE(WriteFileSafely(path, shorter, 2, ExistingTail::Keep));
    std::vector<uint8_t> back;
    ASSERT_TRUE(ReadWholeFile(path, back));
    EXPECT_EQ(back, (std::vector<uint8_t>{9, 8, 3, 4, 5, 6}));
    std::remove(path.c_str());
}

TEST(FileIO, MissingFilesAreNotFoundAndNotRead) {
    std::vector<uint8_t> back{1};
    EXPECT_FALSE(FileExists(TempPath("tavrin_no_such_file")));
    EXPECT_FALSE(ReadWholeFile(TempPath("tavrin_no_such_file"), back));
    EXPECT_TRUE(back.empty());
    EXPECT_FALSE(FileExists(std::filesystem::temp_directory_path().string()));
}

// A pipe or a folder named as a file is refused at once: opening a pipe for reading would
// wait for a writer that never comes.
TEST(FileIO, OnlyRegularFilesAreRead) {
    const std::string fifo = TempPath("tavrin_fileio_fifo");
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<uint8_t> back{1};
    EXPECT_FALSE(ReadWholeFile(fifo, back));
    EXPECT_TRUE(back.empty());
    uint8_t head[4] = {};
    EXPECT_EQ(ReadFilePrefix(fifo, head, sizeof head), -1);
    EXPECT_FALSE(ReadWholeFile(std::filesystem::temp_directory_path().string(), back));
    std::remove(fifo.c_str());
}

TEST(FileIO, ExtensionRules) {
    EXPECT_EQ(ReplaceExtension("/opt/t/tavrin", ".ini"), "/opt/t/tavrin.ini");
    EXPECT_EQ(ReplaceExtension("/opt/t/tavrin.exe", ".ini"), "/opt/t/tavrin.ini");
    EXPECT_EQ(ReplaceExtension("/a.b/game", ".dat"), "/a.b/game.dat");
    EXPECT_EQ(ReplaceExtension("rom.nes", ".col"), "rom.col");
    EXPECT_EQ(FileNamePart("/x/y/rom.nes"), "rom.nes");
    EXPECT_EQ(FileNamePart("rom.nes"), "rom.nes");
    EXPECT_EQ(DirectoryPart("/x/y/rom.nes"), "/x/y/");
    EXPECT_EQ(ExtensionPart("/x.y/rom"), "");
}

TEST(Image8, CopyRectClipsOnEverySide) {
    Image8 src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.SetPixel(x, y, static_cast<uint8_t>(y * 4 + x + 1));
    Image8 dst(3, 3);
    dst.CopyRect(src, -1, -1, 4, 4, 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), 0);
    EXPECT_EQ(dst.Pixel(1, 1), 1);
    EXPECT_EQ(dst.Pixel(2, 2), 6);
    Image8 sub = src.SubImage(2, 2, 4, 4);
    EXPECT_EQ(sub.Pixel(0, 0), 11);
    EXPECT_EQ(sub.Pixel(1, 1), 16);
    EXPECT_EQ(sub.Pixel(2, 2), 0);
}

TEST(Image8, StretchDoublesAndMirrors) {
    Image8 src(2, 1);
    src.SetPixel(0, 0, 1);
    src.SetPixel(1, 0, 2);
    Image8 dst(4, 1);
    dst.StretchFrom(src, 0, 0, 2, 1, 0, 0, 4, 1);
    EXPECT_EQ(std::vector<uint8_t>(dst.Bits(), dst.Bits() + 4), (std::vector<uint8_t>{1, 1, 2, 2}));
    dst.StretchFrom(src, 0, 0, 2, 1, 3, 0, -4, 1);
    EXPECT_EQ(std::vector<uint8_t>(dst.Bits(), dst.Bits() + 4), (std::vector<uint8_t>{2, 2, 1, 1}));
}

TEST(IniFile, KeepsOtherSectionsAndCommentsAndReadsIntegers) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("; keep me\n[Other]\nx=1\n[Tavrin]\nZoomType=2\nBad=abc\n"));
    EXPECT_EQ(ini.ReadInteger("Tavrin", "ZoomType", 3), 2);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Tavrin", "Missing", -1), -1);
    ini.WriteInteger("Tavrin", "ZoomType", 4);
    const std::string text = ini.SaveToText();
    EXPECT_NE(text.find("; keep me"), std::string::npos);
    EXPECT_NE(text.find("[Other]"), std::string::npos);
    EXPECT_NE(text.find("ZoomType = 4"), std::string::npos) << text;
    int v = 0;
    EXPECT_FALSE(ParseIniInteger("99999999999", v));
    EXPECT_TRUE(ParseIniInteger(" -12x", v));
    EXPECT_EQ(v, -12);
}

TEST(IniFile, ReadsCp932Text) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText(Utf8ToCp932("[TOOL]\nName0=ツール\n")));
    EXPECT_EQ(ini.ReadString("TOOL", "Name0", ""), "ツール");
}
