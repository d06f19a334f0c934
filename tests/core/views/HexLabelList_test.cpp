#include "core/views/HexLabelList.h"

#include "core/views/ImageRgb.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tavrin {
namespace {

std::vector<std::string> Inks(const HexLabelList& labels, int n) {
    std::vector<std::string> rows;
    for (int y = 0; y < HexLabelList::Height; ++y) {
        std::string row;
        for (int x = 0; x < HexLabelList::Width; ++x)
            row += ".12"[labels.At(n, x, y)];
        rows.push_back(row);
    }
    return rows;
}

TEST(HexLabelList, LabelShowsTwoDigitsWithAnOutline) {
    const HexLabelList labels;
    EXPECT_EQ(Inks(labels, 0x3A), (std::vector<std::string>{
                                      ".1111..1111.",
                                      "112211112211",
                                      "121121121121",
                                      "111121121121",
                                      ".12211122221",
                                      "111121121121",
                                      "121121121121",
                                      "112211121121",
                                      ".1111.111111",
                                      "............",
                                  }));
}

TEST(HexLabelList, EveryLabelIsDistinctAndTheBottomRowStaysClear) {
    const HexLabelList labels;
    std::set<HexLabelList::Label> seen;
    for (int n = 0; n < 256; ++n) {
        seen.insert(labels.Get(n));
        for (int x = 0; x < HexLabelList::Width; ++x)
            EXPECT_EQ(labels.At(n, x, HexLabelList::Height - 1), HexLabelList::Transparent);
    }
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(labels.Get(256), labels.Get(0));
    EXPECT_EQ(labels.At(5, -1, 0), HexLabelList::Transparent);
}

TEST(HexLabelList, DrawingLeavesTransparentPixelsAndClipsAtTheEdge) {
    const HexLabelList labels;
    ImageRgb picture(14, 12);
    picture.Fill(MakeColour(1, 2, 3));
    labels.Draw(picture, 0x3A, 1, 1);
    EXPECT_EQ(picture.Pixel(1, 1), MakeColour(1, 2, 3));       // transparent corner
    EXPECT_EQ(picture.Pixel(2, 1), MakeColour(0, 0, 0));       // outline
    EXPECT_EQ(picture.Pixel(3, 2), MakeColour(255, 255, 255)); // digit
    ImageRgb corner(4, 4);
    labels.Draw(corner, 0xFF, -7, -7); // label (7, 7): the foot of the "F"
    EXPECT_EQ(corner.Pixel(0, 0), MakeColour(255, 255, 255));
}

} // namespace
} // namespace tavrin
