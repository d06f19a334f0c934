#include "core/workspace/ImageIndices.h"
#include "support/WorkspaceAccess.h"

#include "core/dib/BitmapFile.h"
#include "core/platform/SafeFileWriter.h"
#include "core/workspace/Workspace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace tavrin {
namespace {

// A page of random bytes, decoded, shown in the display palette as true colours; one pixel
// optionally in a colour of no entry.
struct Page {
    Workspace ws;
    FilePicture picture;
    explicit Page(bool foreignPixel) {
        ws.NewDocument();
        std::mt19937 random(5);
        for (int i = 0; i < ws.Document().DataSize(); ++i)
            WorkspaceTestAccess::Bytes(ws)[i] = static_cast<uint8_t>(random());
        ws.SelectPaletteEntry(1); // a group past the first, so indices carry its offset
        ws.DecodePage();
        const Image8::Palette colours = ws.DisplayPalette(false);
        picture.trueColour = true;
        picture.colours = ImageRgb(128, 128);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                picture.colours.SetPixel(x, y, colours[ws.TileImage().Pixel(x, y)]);
        if (foreignPixel)
            picture.colours.SetPixel(3, 2, MakeColour(1, 2, 3));
    }
};

TEST(ImageIndices, PaletteColoursComeBackExactOthersAreReducedOrRefused) {
    for (const bool foreign : {false, true})
        for (const OtherColours other : {OtherColours::Reduce, OtherColours::Refuse}) {
            SCOPED_TRACE(testing::Message() << foreign << static_cast<int>(other));
            Page page(foreign);
            Image8 out(1, 1);
            const auto mismatch = PictureIndices(page.picture, page.ws, other, out);
            if (foreign && other == OtherColours::Refuse) {
                ASSERT_TRUE(mismatch);
                EXPECT_EQ(std::pair(mismatch->x, mismatch->y), std::pair(3, 2));
                EXPECT_EQ(out.Width(), 1) << "left as it was";
                continue;
            }
            ASSERT_FALSE(mismatch);
            ASSERT_EQ(out.Width(), 128);
            ASSERT_EQ(out.Height(), 128);
            if (!foreign) {
                EXPECT_EQ(out.Colours(), page.ws.DisplayPalette(false));
                for (int y = 0; y < 128; ++y)
                    for (int x = 0; x < 128; ++x)
                        ASSERT_EQ(out.Pixel(x, y), page.ws.TileImage().Pixel(x, y)) << x << y;
                continue;
            }
            // Reduced by the DIB container: with few colours, each keeps its colour within the
            // container's histogram cell (8 levels of red and blue, 4 of green).
            for (int y = 0; y < 128; ++y)
                for (int x = 0; x < 128; ++x) {
                    const Colour want = page.picture.colours.Pixel(x, y);
                    const Colour got = out.Colours()[out.Pixel(x, y)];
                    ASSERT_LT(std::abs(RedOf(got) - RedOf(want)), 8) << x << "," << y;
                    ASSERT_LT(std::abs(GreenOf(got) - GreenOf(want)), 4) << x << "," << y;
                    ASSERT_LT(std::abs(BlueOf(got) - BlueOf(want)), 8) << x << "," << y;
                }
        }
}

TEST(ImageIndices, BitmapFilesFollowTheRuleAndSayWhyTheyFail) {
    const std::string folder = std::filesystem::temp_directory_path() / "tavrin_indices_";
    Page page(false);
    // An 8-bit bitmap of the page, and its first 30 bytes.
    Image8 indexed = page.ws.TileImage();
    indexed.Colours() = page.ws.DisplayPalette(false);
    const std::vector<uint8_t> good = Image8ToBitmapFile(indexed);
    const std::vector<uint8_t> cut(good.begin(), good.begin() + 30);
    ASSERT_TRUE(WriteFileSafely(folder + "good.bmp", good.data(), good.size()));
    ASSERT_TRUE(WriteFileSafely(folder + "cut.bmp", cut.data(), cut.size()));
    struct Case {
        const char* name;
        FileFailure failure;
        bool detail;
    };
    for (const Case& c :
         {Case{"good.bmp", FileFailure::None, false}, Case{"cut.bmp", FileFailure::Malformed, true},
          Case{"missing.bmp", FileFailure::NotFound, false}}) {
        SCOPED_TRACE(c.name);
        Image8 out;
        std::string detail;
        const FileResult read =
            BitmapFileIndices(folder + c.name, page.ws, OtherColours::Refuse, out, detail);
        EXPECT_EQ(read.failure, c.failure);
        EXPECT_EQ(!detail.empty(), c.detail);
        if (read) {
            EXPECT_EQ(out.Pixel(5, 7), page.ws.TileImage().Pixel(5, 7));
        }
        std::remove((folder + c.name).c_str());
    }
}

} // namespace
} // namespace tavrin
