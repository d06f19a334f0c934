#include "core/set/SetDocument.h"

#include "SetTestFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace tavrin;

TEST(SetDocument, NesRulePaintsTheWholeTwoByTwoBlock) {
    using Cells = std::set<std::pair<int, int>>;
    struct Case {
        int x, y;
        bool nes;
        Cells expected;
    };
    const Case cases[] = {
        {5, 7, true, {{4, 6}, {5, 6}, {4, 7}, {5, 7}}},
        {5, 7, false, {{5, 7}}},
        {31, 29, true, {{30, 28}, {31, 28}, {30, 29}, {31, 29}}},
        {32, 0, true, {}},
        {0, -1, false, {}},
    };
    for (const Case& c : cases) {
        SetDocument doc;
        doc.ApplyPalette(c.x, c.y, 9, c.nes);
        Cells painted;
        for (int i = 0; i < SetDocument::Cells; ++i)
            if (doc.Palettes()[i] != 0)
                painted.insert({i % 32, i / 32});
        EXPECT_EQ(painted, c.expected) << c.x << "," << c.y << " nes " << c.nes;
    }
}

TEST(SetDocument, FillRepeatsTheChrSelectionAcrossTheSetSelection) {
    SetDocument doc;
    doc.Fill({3, 2, 7, 3}, {6, 2, 4, 1}); // CHR columns 4-6, rows 1-2, given reversed
    const uint8_t expected[2][7] = {{0, 0x14, 0x15, 0x16, 0x14, 0x15, 0},
                                    {0, 0x24, 0x25, 0x26, 0x24, 0x25, 0}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 7; ++j)
            EXPECT_EQ(doc.Name(2 + j, 2 + i), expected[i][j]) << j << "," << i;
    EXPECT_EQ(doc.Name(3, 4), 0);
}

TEST(SetDocument, ExpandThenPackGivesTheAttributesBackExceptTheMissingRows) {
    const std::vector<uint8_t> random = test::RandomBytes(64, 7);
    SetDocument::AttributeTable attributes;
    std::copy(random.begin(), random.end(), attributes.begin());
    SetDocument doc;
    doc.ExpandAttributes(attributes);
    EXPECT_FALSE(doc.HasWidePalettes());
    const SetDocument::AttributeTable packed = doc.PackAttributes();
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(packed[i], i < 56 ? attributes[i] : attributes[i] & 0x0F) << i;
}
