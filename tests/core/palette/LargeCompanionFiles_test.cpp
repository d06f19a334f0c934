#include "core/palette/CAdfPattern.h"
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"

#include "PaletteTestFiles.h"

#include <fcntl.h>
#include <functional>
#include <unistd.h>

using namespace tavrin;
using namespace tavrin::test;

namespace {

// A file of the given length that holds prefix and then nothing on the disk (sparse): reading
// it whole would take more memory than there is, reading its format's bytes takes nothing.
bool MakeHugeFile(const std::string& path, const std::vector<uint8_t>& prefix, off_t length) {
    if (!WriteFileSafely(path, prefix.data(), prefix.size()))
        return false;
    const int fd = ::open(path.c_str(), O_WRONLY);
    const bool ok = fd >= 0 && ::ftruncate(fd, length) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

constexpr off_t Huge = off_t{1} << 40; // 1 TiB

} // namespace

// Each companion file is read only as far as its format goes, so a huge file behind a
// familiar name loads its entries at once.
TEST(LargeCompanionFiles, OnlyTheFormatsBytesAreRead) {
    TempFolder dir;
    struct Case {
        const char* name;
        size_t formatBytes;
        std::function<bool(const std::string&)> loadAndCheck;
    };
    const std::vector<uint8_t> bytes = SeededBytes(CAdfPattern::FileSize, 3);
    const std::vector<Case> cases = {
        {"a.pal", 768,
         [&](const std::string& path) {
             CPalette p;
             return p.LoadFromFile(path) &&
                    p.GetColor(255) == MakeColour(bytes[765], bytes[766], bytes[767]);
         }},
        {"a.dat", 256,
         [&](const std::string& path) {
             CDatPalette d;
             return d.LoadFromFile(path) && d.Table()[255] == bytes[255];
         }},
        {"a.adf", CAdfPattern::FileSize,
         [&](const std::string& path) {
             CAdfPattern a;
             return a.LoadFromFile(path) && a.GetPattern(63).tiles[255] == bytes.back();
         }},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + c.formatBytes);
        if (!MakeHugeFile(path, prefix, Huge))
            GTEST_SKIP() << "no sparse files here";
        EXPECT_TRUE(c.loadAndCheck(path)) << c.name;
    }
}

// A RIFF palette's 256 four-byte entries end at byte 1048, the last one read.
TEST(LargeCompanionFiles, ARiffPaletteIsReadToItsLastEntry) {
    TempFolder dir;
    std::vector<uint8_t> riff(CPalette::RiffDataOffset + 4 * 256, 0);
    std::copy_n("RIFF", 4, riff.begin());
    riff[riff.size() - 4] = 0x12; // entry 255: red, green, blue, flags
    riff[riff.size() - 3] = 0x34;
    riff[riff.size() - 2] = 0x56;
    const std::string path = dir.File("riff.pal");
    if (!MakeHugeFile(path, riff, Huge))
        GTEST_SKIP() << "no sparse files here";
    CPalette p;
    ASSERT_TRUE(p.LoadFromFile(path));
    EXPECT_EQ(p.GetColor(255), MakeColour(0x12, 0x34, 0x56));
}
