#include "core/palette/PatternListModel.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tavrin;

namespace {

AdfEntry Named(const char* name) {
    AdfEntry e;
    std::memcpy(e.name.data(), name, std::strlen(name));
    e.tiles[0] = 1;
    e.tiles[100] = static_cast<uint8_t>(name[0]);
    return e;
}

// What one row of the grid shows, cells separated by blanks.
std::string GridRow(const PatternListModel& model, int r) {
    std::string s;
    for (int c = 0; c < 16; ++c)
        s += (c ? " " : "") + model.CellText(c, r);
    return s;
}

std::string Items(const PatternListModel& model) {
    std::string s;
    for (const std::string& item : model.ListItems())
        s += item + ";";
    return s;
}

class PatternListModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"A", "B", "C", "D"})
            adf.SetPattern(name[0] - 'A', Named(name));
        model.SetPatterns(adf);
        model.Show();
    }
    CAdfPattern adf;
    PatternListModel model;
};

} // namespace

TEST(PatternListModelGenerator, EveryChangeGeneratesIntoTheGrid) {
    PatternListModel fresh; // 2 x 3 horizontal, nothing generated yet
    EXPECT_EQ(GridRow(fresh, 0), std::string(15, ' '));
    EXPECT_EQ(fresh.SizeY(), 3);
    struct Case {
        int w, h;
        bool vertical;
        const char* name;
        int row;
        const char* cells;
    };
    const Case cases[] = {
        {2, 2, false, "2,2 H", 2, "20 21 24 25 28 29 2C 2D 30 31 34 35 38 39 3C 3D"},
        {1, 2, true, "1,2 V", 1, "01 03 05 07 09 0B 0D 0F 11 13 15 17 19 1B 1D 1F"},
        {3, 5, false, "3,5 H", 14, "A2 A3 A4 B1 B2 B3 C0 C1 C2 CF D0 D1 DE DF E0 00"},
        {3, 5, false, "3,5 H", 15, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {16, 16, false, "16,16 H", 7, "70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D 7E 7F"},
        {0, 40, false, "1,16 H", 0, "00 10 20 30 40 50 60 70 80 90 A0 B0 C0 D0 E0 F0"},
    };
    for (const Case& c : cases) {
        PatternListModel model;
        model.SetVertical(c.vertical);
        model.SetSizeX(c.w);
        model.SetSizeY(c.h);
        EXPECT_EQ(model.NameText(), c.name);
        EXPECT_EQ(GridRow(model, c.row), c.cells) << c.name;
    }
    PatternListModel model;
    model.SetSizeX(16);
    model.SetSizeY(16);
    EXPECT_EQ(model.Working().tiles, NormalPattern().tiles);
}

TEST_F(PatternListModelTest, GeneratingClearsTheSelectionAndKeepsTheTable) {
    model.Select(2);
    EXPECT_EQ(model.NameText(), "C");
    const std::vector<uint8_t> before = adf.ToBytes();
    model.SetVertical(false); // choosing the same direction generates as well
    EXPECT_EQ(model.Selected(), -1);
    EXPECT_EQ(model.NameText(), "2,3 H");
    EXPECT_EQ(adf.ToBytes(), before);
}

TEST_F(PatternListModelTest, AddGoesIntoTheFirstEmptyEntryAndUpdateIntoTheSelection) {
    model.SetSizeY(2);
    model.SetNameText("sprites");
    ASSERT_TRUE(model.AddOrUpdate());
    EXPECT_EQ(Items(model), "A;B;C;D;sprites;");
    EXPECT_EQ(model.Selected(), 4);
    EXPECT_EQ(adf.GetPattern(4).tiles, GenerateCharacterPattern(2, 2, false).tiles);

    model.Select(1);
    model.SetNameText("two");
    ASSERT_TRUE(model.AddOrUpdate());
    EXPECT_EQ(Items(model), "A;two;C;D;sprites;");
    EXPECT_EQ(model.Selected(), 1);
}

TEST_F(PatternListModelTest, FullTableStoresNothingAndGivesTheTwoLineMessage) {
    for (int i = 0; i < 64; ++i)
        adf.SetPattern(i, Named("p"));
    model.Generate();
    const std::vector<uint8_t> before = adf.ToBytes();
    EXPECT_FALSE(model.AddOrUpdate());
    EXPECT_EQ(adf.ToBytes(), before);
    EXPECT_STREQ(PatternListModel::FullTableMessage,
                 "ADFパターン数が多すぎるため、項目を追加できません。\n"
                 "不要なパターンを削除したあとに追加してください。");
    model.Select(63); // a selected entry can still be updated
    EXPECT_TRUE(model.AddOrUpdate());
}

TEST_F(PatternListModelTest, MovesStopAtBothEndsAndKeepTheWorkingEntry) {
    struct Step {
        bool up;
        int selectedBefore, selectedAfter;
        const char* items;
    };
    const Step steps[] = {
        {true, 0, 0, "A;B;C;D;"},  {true, 2, 1, "A;C;B;D;"},   {false, 1, 2, "A;B;C;D;"},
        {false, 3, 3, "A;B;C;D;"}, {false, -1, 0, "A;B;C;D;"}, {true, -1, -1, "A;B;C;D;"},
    };
    for (const Step& s : steps) {
        model.Show();
        model.Select(s.selectedBefore);
        const AdfEntry shown = model.Working();
        s.up ? model.MoveUp() : model.MoveDown();
        EXPECT_EQ(model.Selected(), s.selectedAfter) << s.up << s.selectedBefore;
        EXPECT_EQ(Items(model), s.items) << s.up << s.selectedBefore;
        EXPECT_EQ(model.Working(), shown);
    }
}

TEST_F(PatternListModelTest, DeleteWithAndWithoutSelection) {
    model.Select(1);
    model.Delete(); // B goes; C moves up, stays selected and is shown
    EXPECT_EQ(Items(model), "A;C;D;");
    EXPECT_EQ(model.Selected(), 1);
    EXPECT_EQ(model.Working(), Named("C"));
    model.Select(2);
    model.Delete(); // the last item: the one above is selected
    EXPECT_EQ(Items(model), "A;C;");
    EXPECT_EQ(model.NameText(), "C");

    model.Show();
    model.Delete(); // no selection: the last listed entry goes, the grid is blank
    EXPECT_EQ(Items(model), "A;");
    EXPECT_EQ(model.Selected(), -1);
    EXPECT_EQ(model.CellText(0, 0), "");
    EXPECT_EQ(model.NameText(), "");
    model.Delete();
    model.Delete(); // an empty list stays empty
    EXPECT_EQ(Items(model), "");
}

TEST_F(PatternListModelTest, NameBoxHoldsAtMost24BytesOfCp932) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string(30, 'x'), std::string(24, 'x')},
        {"あいうえおかきくけこさし", "あいうえおかきくけこさし"},   // 12 x 2 bytes
        {"aあいうえおかきくけこさし", "aあいうえおかきくけこさ"},   // no half character
        {"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊ", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈ"}, // 1 byte each
    };
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(model.SetNameText(typed), kept) << typed;
    // Not in cp932: one '?' byte each.
    EXPECT_EQ(PatternListModel::LimitCp932("😀😀😀", 2), "😀😀");
    model.SetNameText("ｽﾌﾟﾗｲﾄ16x16");
    ASSERT_TRUE(model.AddOrUpdate());
    EXPECT_EQ(adf.GetPattern(4).Name(), "ｽﾌﾟﾗｲﾄ16x16");
}

TEST_F(PatternListModelTest, CellEditorStoresOnEnterOrLeavingAndDropsOnEscape) {
    model.Select(0);
    EXPECT_EQ(model.BeginCellEdit(4, 6), 'A'); // slot 100
    EXPECT_TRUE(model.CommitCellEdit(0xAB));
    EXPECT_EQ(model.CellText(4, 6), "AB");
    EXPECT_FALSE(model.CommitCellEdit(0x11)); // the focus leaving afterwards stores nothing
    EXPECT_EQ(model.CellText(4, 6), "AB");

    EXPECT_EQ(model.BeginCellEdit(15, 15), 0);
    model.CancelCellEdit();
    EXPECT_FALSE(model.CommitCellEdit(0x22));
    EXPECT_EQ(model.CellText(15, 15), "00");
    EXPECT_EQ(model.BeginCellEdit(16, 0), -1);
    EXPECT_FALSE(model.Editing());

    // Showing again drops an open edit and keeps the working entry; the table changes only
    // through "追加・更新".
    model.BeginCellEdit(1, 1);
    model.Show();
    EXPECT_FALSE(model.CommitCellEdit(0x33));
    EXPECT_EQ(model.CellText(4, 6), "AB");
    EXPECT_EQ(adf.GetPattern(0).tiles[100], 'A');
    model.Select(0);
    EXPECT_EQ(model.CellText(4, 6), "41");
}
