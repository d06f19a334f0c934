#include "core/palette/CAdfPattern.h"
#include "core/palette/CDatPalette.h"
#include "core/palette/CPalette.h"

#include "PaletteTestFiles.h"

#include <functional>
#include <unistd.h>

using namespace tavrin;
using namespace tavrin::test;

// Each companion file is read only as far as its format goes: behind its entries lies a
// terabyte (sparse) that reading whole would need the memory for.
TEST(LargeCompanionFiles, OnlyTheFormatsBytesAreRead) {
    TempFolder dir;
    std::vector<uint8_t> riff(CPalette::RiffDataOffset + 4 * 256, 0);
    std::copy_n("RIFF", 4, riff.begin());
    riff[riff.size() - 4] = 0x12; // entry 255: red, green, blue, flags
    const std::vector<uint8_t> plain = RandomBytes(CAdfPattern::FileSize, 3);
    struct Case {
        const char* name;
        std::vector<uint8_t> content;
        std::function<bool(const std::string&)> loadAndCheck;
    };
    const std::vector<Case> cases = {
        {"a.pal", riff,
         [](const std::string& p) {
             CPalette pal;
             return pal.LoadFromFile(p) && pal.GetColor(255) == MakeColour(0x12, 0, 0);
         }},
        {"a.dat", plain,
         [&](const std::string& p) {
             CDatPalette dat;
             return dat.LoadFromFile(p) && dat.Table()[255] == plain[255];
         }},
        {"a.adf", plain,
         [&](const std::string& p) {
             CAdfPattern adf;
             return adf.LoadFromFile(p) && adf.GetPattern(63).tiles[255] == plain.back();
         }},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        ASSERT_TRUE(WriteFileSafely(path, c.content));
        if (::truncate(path.c_str(), off_t{1} << 40) != 0)
            GTEST_SKIP() << "no sparse files here";
        EXPECT_TRUE(c.loadAndCheck(path)) << c.name;
    }
}
