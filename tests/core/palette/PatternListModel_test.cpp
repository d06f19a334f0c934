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

std::string Repeat(const std::string& text, int n) {
    std::string s;
    while (n-- > 0)
        s += text;
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

TEST(PatternListModelGenerator, StartsAtTwoByThreeHorizontalWithABlankGrid) {
    PatternListModel model;
    EXPECT_EQ(model.SizeX(), 2);
    EXPECT_EQ(model.SizeY(), 3);
    EXPECT_FALSE(model.Vertical());
    EXPECT_TRUE(CAdfPattern::IsEmpty(model.Working()));
    EXPECT_EQ(GridRow(model, 0), std::string(15, ' '));
    EXPECT_EQ(model.NameText(), "");
}

TEST(PatternListModelGenerator, EveryChangeGeneratesIntoTheGrid) {
    struct Case {
        int w, h;
        bool vertical;
        const char* name;
        int row;
        const char* cells;
    };
    const Case cases[] = {
        {2, 2, false, "2,2 H", 0, "00 01 04 05 08 09 0C 0D 10 11 14 15 18 19 1C 1D"},
        {2, 2, false, "2,2 H", 2, "20 21 24 25 28 29 2C 2D 30 31 34 35 38 39 3C 3D"},
        {1, 2, true, "1,2 V", 0, "00 02 04 06 08 0A 0C 0E 10 12 14 16 18 1A 1C 1E"},
        {1, 2, true, "1,2 V", 1, "01 03 05 07 09 0B 0D 0F 11 13 15 17 19 1B 1D 1F"},
        {3, 5, false, "3,5 H", 14, "A2 A3 A4 B1 B2 B3 C0 C1 C2 CF D0 D1 DE DF E0 00"},
        {3, 5, false, "3,5 H", 15, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {16, 16, false, "16,16 H", 7, "70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D 7E 7F"},
    };
    for (const Case& c : cases) {
        PatternListModel model;
        model.SetVertical(c.vertical);
        model.SetSizeX(c.w);
        model.SetSizeY(c.h);
        EXPECT_EQ(model.NameText(), c.name);
        EXPECT_EQ(GridRow(model, c.row), c.cells) << c.name;
        EXPECT_EQ(model.Working(), GenerateCharacterPattern(c.w, c.h, c.vertical));
    }
    PatternListModel model;
    model.SetSizeX(16);
    model.SetSizeY(16);
    EXPECT_EQ(model.Working().tiles, NormalPattern().tiles);
    model.SetSizeX(0); // held within 1-16
    EXPECT_EQ(model.SizeX(), 1);
    model.SetSizeY(40);
    EXPECT_EQ(model.NameText(), "1,16 H");
}

TEST_F(PatternListModelTest, GeneratingClearsTheSelectionAndKeepsTheTable) {
    model.Select(2);
    EXPECT_EQ(model.Selected(), 2);
    EXPECT_EQ(model.NameText(), "C");
    const std::vector<uint8_t> before = adf.ToBytes();
    model.SetVertical(false); // choosing the same direction generates as well
    EXPECT_EQ(model.Selected(), -1);
    EXPECT_EQ(model.NameText(), "2,3 H");
    EXPECT_EQ(adf.ToBytes(), before);
}

TEST_F(PatternListModelTest, AddGoesIntoTheFirstEmptyEntryNamedFromTheNameBox) {
    model.SetSizeX(2);
    model.SetSizeY(2);
    model.SetNameText("sprites");
    ASSERT_TRUE(model.AddOrUpdate());
    EXPECT_EQ(Items(model), "A;B;C;D;sprites;");
    EXPECT_EQ(model.Selected(), 4);
    EXPECT_EQ(adf.GetPattern(4).tiles, GenerateCharacterPattern(2, 2, false).tiles);

    // With a selection the entry is replaced in place.
    model.Select(1);
    model.SetNameText("two");
    ASSERT_TRUE(model.AddOrUpdate());
    EXPECT_EQ(Items(model), "A;two;C;D;sprites;");
    EXPECT_EQ(model.Selected(), 1);
    EXPECT_EQ(adf.GetPattern(1).tiles, Named("B").tiles);
}

TEST_F(PatternListModelTest, FullTableStoresNothingAndGivesTheTwoLineMessage) {
    for (int i = 0; i < 64; ++i)
        adf.SetPattern(i, Named("p"));
    model.Show();
    model.Generate();
    const std::vector<uint8_t> before = adf.ToBytes();
    EXPECT_FALSE(model.AddOrUpdate());
    EXPECT_EQ(adf.ToBytes(), before);
    EXPECT_STREQ(PatternListModel::FullTableMessage,
                 "ADFパターン数が多すぎるため、項目を追加できません。\n"
                 "不要なパターンを削除したあとに追加してください。");
    // Updating a selected entry still works in a full table.
    model.Select(63);
    EXPECT_TRUE(model.AddOrUpdate());
}

TEST_F(PatternListModelTest, MovesStopAtBothEndsAndKeepTheWorkingEntry) {
    struct Step {
        bool up;
        int selectedBefore;
        int selectedAfter;
        const char* items;
    };
    const Step steps[] = {
        {true, 0, 0, "A;B;C;D;"},  {true, 2, 1, "A;C;B;D;"},   {false, 1, 2, "A;B;C;D;"},
        {false, 3, 3, "A;B;C;D;"}, {false, -1, 0, "A;B;C;D;"}, {true, -1, -1, "A;B;C;D;"},
    };
    for (const Step& s : steps) {
        model.Show();
        if (s.selectedBefore >= 0)
            model.Select(s.selectedBefore);
        const AdfEntry shown = model.Working();
        s.up ? model.MoveUp() : model.MoveDown();
        EXPECT_EQ(model.Selected(), s.selectedAfter) << s.up << s.selectedBefore;
        EXPECT_EQ(Items(model), s.items) << s.up << s.selectedBefore;
        EXPECT_EQ(model.Working(), shown);
    }
    // Moving down after generating selects item 0 but keeps the generated entry.
    model.Generate();
    const AdfEntry generated = model.Working();
    model.MoveDown();
    EXPECT_EQ(model.Selected(), 0);
    EXPECT_EQ(model.Working(), generated);
}

TEST_F(PatternListModelTest, DeleteWithAndWithoutSelection) {
    model.Select(1);
    model.Delete(); // B goes; C moves up, stays selected and is shown
    EXPECT_EQ(Items(model), "A;C;D;");
    EXPECT_EQ(model.Selected(), 1);
    EXPECT_EQ(model.NameText(), "C");
    EXPECT_EQ(model.Working(), Named("C"));

    model.Select(2);
    model.Delete(); // the last item: the one above is selected
    EXPECT_EQ(Items(model), "A;C;");
    EXPECT_EQ(model.Selected(), 1);
    EXPECT_EQ(model.NameText(), "C");

    model.Show();
    model.Delete(); // no selection: the last listed entry goes, the grid is blank
    EXPECT_EQ(Items(model), "A;");
    EXPECT_EQ(model.Selected(), -1);
    EXPECT_TRUE(CAdfPattern::IsEmpty(model.Working()));
    EXPECT_EQ(model.CellText(0, 0), "");
    EXPECT_EQ(model.NameText(), "");

    model.Delete();
    model.Delete(); // an empty list stays empty
    EXPECT_EQ(Items(model), "");
    EXPECT_TRUE(adf.EnsureNormal());
}

TEST_F(PatternListModelTest, NameBoxHoldsAtMost24BytesOfCp932) {
    struct Case {
        std::string typed;
        std::string kept;
    };
    const Case cases[] = {
        {std::string(30, 'x'), std::string(24, 'x')},
        {"あいうえおかきくけこさし", "あいうえおかきくけこさし"},   // 12 x 2 bytes
        {"aあいうえおかきくけこさし", "aあいうえおかきくけこさ"},   // a half character never stays
        {"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊ", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈ"}, // 1 byte each
        {Repeat("😀", 25), Repeat("😀", 24)}, // not in cp932: stored as '?', one byte each
    };
    for (const Case& c : cases)
        EXPECT_EQ(model.SetNameText(c.typed), c.kept) << c.typed;
    model.SetNameText("ｽﾌﾟﾗｲﾄ16x16");
    ASSERT_TRUE(model.AddOrUpdate());
    EXPECT_EQ(adf.GetPattern(4).Name(), "ｽﾌﾟﾗｲﾄ16x16");
}

TEST_F(PatternListModelTest, CellEditorStoresOnEnterOrLeavingAndDropsOnEscape) {
    model.Select(0);
    EXPECT_EQ(model.BeginCellEdit(4, 6), 'A'); // slot 100
    EXPECT_EQ(model.EditColumn(), 4);
    EXPECT_EQ(model.EditRow(), 6);
    EXPECT_TRUE(model.CommitCellEdit(0xAB));
    EXPECT_EQ(model.CellText(4, 6), "AB");
    EXPECT_FALSE(model.Editing());
    EXPECT_FALSE(model.CommitCellEdit(0x11)); // the focus leaving afterwards stores nothing
    EXPECT_EQ(model.CellText(4, 6), "AB");

    EXPECT_EQ(model.BeginCellEdit(15, 15), 0);
    model.CancelCellEdit();
    EXPECT_FALSE(model.CommitCellEdit(0x22));
    EXPECT_EQ(model.CellText(15, 15), "00");
    EXPECT_EQ(model.BeginCellEdit(16, 0), -1);
    EXPECT_FALSE(model.Editing());

    // The table changes only through "追加・更新".
    EXPECT_EQ(adf.GetPattern(0).tiles[100], 'A');
    ASSERT_TRUE(model.AddOrUpdate());
    EXPECT_EQ(adf.GetPattern(0).tiles[100], 0xAB);
}

TEST_F(PatternListModelTest, WorkingEntryOutlivesShowingAgain) {
    model.SetSizeX(4);
    model.BeginCellEdit(0, 0);
    model.Show(); // an edit left open is dropped
    EXPECT_FALSE(model.Editing());
    EXPECT_EQ(model.Selected(), -1);
    EXPECT_EQ(model.Working(), GenerateCharacterPattern(4, 3, false));
    EXPECT_EQ(model.NameText(), "4,3 H");
    // An entry that counts as empty shows blank even with tile numbers inside.
    AdfEntry hidden;
    hidden.tiles[5] = 9;
    adf.SetPattern(1, hidden);
    model.Show();
    EXPECT_EQ(Items(model), "A;");
    model.Select(1); // no longer listed
    EXPECT_EQ(model.Selected(), -1);
}
