#include "core/settings/ConfigDialogModel.h"

#include "core/formats/CFormatTable.h"
#include "core/settings/CIniInfo.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavrin;

namespace {

// A format with a header of its own, as a plug-in gives one.
class WebFormat : public CFormat {
public:
    WebFormat(const char* name, const char* author, const char* url) {
        m_header.version = 3;
        CopyText(m_header.author, author);
        CopyText(m_header.url, url);
        m_info.bitsPerPixel = 8;
        m_info.width = 8;
        m_info.height = 8;
        CopyText(m_info.name, name);
        CopyText(m_info.extensions, "8bpp");
    }
    const FormatInfo* GetInfo() override { return &m_info; }
};

TEST(ConfigDialogModel, TheFirstWheelItemShowsTheSystemsValueWith0CountingAs1) {
    EXPECT_EQ(ConfigDialogModel(3).WheelItems(),
              (std::vector<std::string>{"Windws default : 3", "1", "2", "4", "8", "16"}));
    EXPECT_EQ(ConfigDialogModel(0).WheelItems()[0], "Windws default : 1");
}

TEST(ConfigDialogModel, TheWheelCountSelectsItsItemAndTheItemStoresItsCount) {
    const ConfigDialogModel model(3);
    // The first item's text is no number: it stands for 0, not for the system's 3.
    const struct {
        int count;
        int index;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {4, 3}, {8, 4}, {16, 5}, {3, -1}, {-1, -1}, {32, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(model.WheelIndexOf(c.count), c.index) << c.count;
        if (c.index >= 0) {
            EXPECT_EQ(model.WheelCountOf(c.index, 99), c.count) << c.count;
        }
    }
    // No selection (a hand-written count that no item shows) keeps the count through OK.
    EXPECT_EQ(model.WheelCountOf(-1, 3), 3);
    EXPECT_EQ(model.WheelCountOf(6, 3), 3);
}

TEST(ConfigDialogModel, EachCheckBoxShowsAndStoresItsOwnSetting) {
    const ConfigDialogModel model(3);
    bool CIniInfo::*const settings[] = {&CIniInfo::DispTitleAddr, &CIniInfo::AutoFormat,
                                        &CIniInfo::AutoPalette,   &CIniInfo::UsePopupMenu,
                                        &CIniInfo::SaveSmallSize, &CIniInfo::SavePosition};
    for (int i = 0; i < ConfigDialogModel::CheckCount; ++i) {
        CIniInfo s;
        s.*settings[i] = !(s.*settings[i]);
        const ConfigDialogModel::State shown = model.Load(s);
        for (int j = 0; j < ConfigDialogModel::CheckCount; ++j)
            EXPECT_EQ(shown.checks[static_cast<size_t>(j)], s.*settings[j]) << i << " " << j;

        // Storing a changed box changes that setting only.
        CIniInfo stored;
        ConfigDialogModel::State state = model.Load(stored);
        state.checks[static_cast<size_t>(i)] = !state.checks[static_cast<size_t>(i)];
        state.wheelIndex = 4;
        model.Store(state, stored);
        for (int j = 0; j < ConfigDialogModel::CheckCount; ++j)
            EXPECT_EQ(stored.*settings[j], i == j ? s.*settings[j] : CIniInfo().*settings[j]);
        EXPECT_EQ(stored.WheelCount, 8);
        EXPECT_EQ(stored.GridType, 0);
        EXPECT_TRUE(stored.SimpleMenu);
    }
}

TEST(ConfigDialogModel, LanguageAndViewScaleShowAndStoreTheirSettings) {
    const ConfigDialogModel model(3);
    CIniInfo s;
    EXPECT_EQ(model.Load(s).languageIndex, 0) << "automatic";
    EXPECT_EQ(model.Load(s).scaleIndex, 0) << "automatic";
    s.Desktop.Language = "en";
    s.Desktop.ViewScale = 200;
    ConfigDialogModel::State state = model.Load(s);
    EXPECT_EQ(state.languageIndex, 2);
    EXPECT_EQ(state.scaleIndex, 3);
    state.languageIndex = 1;
    state.scaleIndex = 5;
    model.Store(state, s);
    EXPECT_EQ(s.Desktop.Language, "ja");
    EXPECT_EQ(s.Desktop.ViewScale, 400);
    // No selection keeps what the file said; a value no item has shows the first.
    state.languageIndex = -1;
    state.scaleIndex = -1;
    model.Store(state, s);
    EXPECT_EQ(s.Desktop.Language, "ja");
    EXPECT_EQ(s.Desktop.ViewScale, 400);
    s.Desktop.ViewScale = 125;
    EXPECT_EQ(model.Load(s).scaleIndex, 0);
    // Automatic again: nothing saved, the desktop decides.
    state.languageIndex = 0;
    model.Store(state, s);
    EXPECT_EQ(s.Desktop.Language, "");
}

TEST(ConfigDialogModel, FormatLinesAndWebAddressesFollowTheTable) {
    CFormatTable table;
    ASSERT_TRUE(table.Add(
        std::make_unique<WebFormat>("8BPP web", "Someone", "https://example.org/tavrin")));
    ASSERT_TRUE(table.Add(std::make_unique<WebFormat>("8BPP ftp", "A", "ftp://example.org/x")));
    ASSERT_TRUE(table.Add(std::make_unique<WebFormat>("8BPP text", "-", "see http://x.org")));

    const std::vector<std::string> lines = ConfigDialogModel::FormatLines(table);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[1], "Ver.3  2BPP NES ( chr,nes,fds,fam ) ");
    EXPECT_EQ(lines[13], "Ver.3  8BPP web ( 8bpp )  by Someone  ( https://example.org/tavrin ) ");
    // A one-letter author is too short to show; the address is long enough.
    EXPECT_EQ(lines[14], "Ver.3  8BPP ftp ( 8bpp )  ( ftp://example.org/x ) ");

    EXPECT_EQ(ConfigDialogModel::WebAddress(table, 13), "https://example.org/tavrin");
    for (int index : {-1, 1, 14, 15, 16})
        EXPECT_EQ(ConfigDialogModel::WebAddress(table, index), "") << index;

    EXPECT_EQ(ConfigDialogModel::InfoText(table, 13).rfind("Format name           \t: 8BPP web\n"),
              0u);
    EXPECT_EQ(ConfigDialogModel::InfoText(table, -1), "");
    EXPECT_EQ(ConfigDialogModel::InfoText(table, 16), "");
}

} // namespace
