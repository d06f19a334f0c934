#include "core/palette/files/PaletteConvert.h"

#include "../PaletteTestFiles.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

PaletteConvertRequest Request(std::string in, std::string out,
                              std::optional<PaletteFormat> from = std::nullopt,
                              std::optional<PaletteFormat> to = std::nullopt,
                              std::string master = {}) {
    PaletteConvertRequest request;
    request.input = std::move(in);
    request.output = std::move(out);
    request.from = from;
    request.to = to;
    request.master = std::move(master);
    return request;
}

} // namespace

TEST(PaletteConvert, ConvertsThroughTheFormatsAndAMasterForIndices) {
    test::TempFolder folder;
    PaletteContents grey;
    for (int k = 0; k < 64; ++k)
        grey.colours.push_back(MakeColour(4 * k, 4 * k, 4 * k));
    ASSERT_TRUE(SavePaletteFile(folder.File("grey.pal"), grey, PaletteFormat::Nes));
    PaletteContents ram;
    ram.indices = {63, 0, 16, 32};
    ASSERT_TRUE(SavePaletteFile(folder.File("ram.bin"), ram, PaletteFormat::NesRam));
    PaletteContents full;
    full.colours.assign(256, 0x102030);
    ASSERT_TRUE(SavePaletteFile(folder.File("full.act"), full, PaletteFormat::Act));

    struct Case {
        const char* name;
        PaletteConvertRequest request;
        bool ok;
        PaletteFormat to;
        std::vector<uint8_t> bytes; // the output's, when ok and given
        size_t warnings = 0;
    };
    PaletteContents ramColours;
    ramColours.colours = {MakeColour(252, 252, 252), 0, 0x404040, 0x808080};
    ramColours.colours.resize(32, 0); // the rest of the RAM is index 0
    PaletteContents nearest;
    nearest.indices = {63, 0, 16, 32};
    const std::string dir = folder.File("");
    const std::string master = dir + "grey.pal";
    const auto nes = PaletteFormat::NesRam;
    const Case cases[] = {
        {"by extensions", Request(master, dir + "out.gpl"), true, PaletteFormat::Gpl,
         WritePaletteBytes(grey, PaletteFormat::Gpl)},
        {"ambiguous output", Request(master, dir + "out.bin"), false, PaletteFormat::Pal, {}},
        {"explicit output", Request(master, dir + "out.bin", {}, PaletteFormat::Sms), true,
         PaletteFormat::Sms, WritePaletteBytes(grey, PaletteFormat::Sms), 1},
        {"indices without master",
         Request(dir + "ram.bin", dir + "o.gpl", nes),
         false,
         PaletteFormat::Gpl,
         {}},
        {"indices through master", Request(dir + "ram.bin", dir + "o.gpl", nes, {}, master), true,
         PaletteFormat::Gpl, WritePaletteBytes(ramColours, PaletteFormat::Gpl)},
        {"colours to indices", Request(dir + "o.gpl", dir + "o.ram", {}, nes, master), true, nes,
         WritePaletteBytes(nearest, nes)},
        {"too many for the output",
         Request(dir + "full.act", dir + "x.cram", {}, PaletteFormat::MdCram), true,
         PaletteFormat::MdCram, WritePaletteBytes(full, PaletteFormat::MdCram), 1},
        {"too many for paint.net", Request(dir + "full.act", dir + "x.txt"), true,
         PaletteFormat::PaintNet, WritePaletteBytes(full, PaletteFormat::PaintNet), 1},
        {"missing input", Request(dir + "none.act", dir + "x.gpl"), false, PaletteFormat::Gpl, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PaletteConvertResult result = ConvertPaletteFile(c.request);
        EXPECT_EQ(static_cast<bool>(result), c.ok) << result.problem;
        EXPECT_EQ(result.to, c.to);
        EXPECT_EQ(result.warnings.size(), c.warnings);
        if (c.ok) {
            EXPECT_EQ(test::ReadBytes(c.request.output), c.bytes);
        } else {
            EXPECT_FALSE(FileExists(c.request.output));
        }
    }
}
