#include "core/nav/Bookmarks.h"

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace tavrin {
namespace {

TEST(PlaceLine, ReadsWhatItWrites) {
    const Place places[] = {
        {0x12340, "2BPP NES", 0, 1, 0, 0},
        {0, "4BPP SNES/PCE CG", 63, 3, 3, 15},
        {0x7FFFFFFF, "1BPP (16x16)", 5, 2, 1, 255},
    };
    for (const char* text : {"Title logo", "", "a | b | c"}) {
        for (const Place& place : places) {
            Place back;
            std::string backText;
            ASSERT_TRUE(ParsePlaceLine(FormatPlaceLine(place, text), back, backText));
            EXPECT_EQ(back, place);
            EXPECT_EQ(backText, text);
        }
    }
    EXPECT_EQ(FormatPlaceLine(places[0], "Logo"), "012340 | 2BPP NES | 0 | 90 | none | 0 | Logo");
}

TEST(PlaceLine, TakesHandWrittenLinesAndRefusesDamagedOnes) {
    struct Case {
        const char* line;
        bool ok;
        int32_t address;
        int rotate;
        int mirror;
        const char* text;
    };
    const Case cases[] = {
        {"0x1F|2BPP NES|0|0|none|0|x", true, 0x1F, 0, 0, "x"},
        {"  $8000 |  2BPP GB |  2 | 270 | both | 3 |  hero sprite  ", true, 0x8000, 3, 3,
         "hero sprite"},
        {"9000h | F | 0 | 180 | vertical | 0 |", true, 0x9000, 2, 2, ""},
        {"012340 | 2BPP NES | 0 | 0 | none | 0", false, 0, 0, 0, ""},     // no name field
        {"01234G | 2BPP NES | 0 | 0 | none | 0 | x", false, 0, 0, 0, ""}, // address
        {"0 |  | 0 | 0 | none | 0 | x", false, 0, 0, 0, ""},              // no format
        {"0 | F | 64 | 0 | none | 0 | x", false, 0, 0, 0, ""},            // pattern past 63
        {"0 | F | 0 | 45 | none | 0 | x", false, 0, 0, 0, ""},            // rotation
        {"0 | F | 0 | 0 | sideways | 0 | x", false, 0, 0, 0, ""},         // mirror
        {"0 | F | 0 | 0 | none | 256 | x", false, 0, 0, 0, ""},           // palette group
        {"0 | F | -1 | 0 | none | 0 | x", false, 0, 0, 0, ""},            //
        {"80000000 | F | 0 | 0 | none | 0 | x", false, 0, 0, 0, ""},      // past 31 bits
    };
    for (const Case& c : cases) {
        Place place;
        place.format = "unchanged";
        std::string text = "unchanged";
        EXPECT_EQ(ParsePlaceLine(c.line, place, text), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(place.address, c.address) << c.line;
            EXPECT_EQ(place.rotate, c.rotate) << c.line;
            EXPECT_EQ(place.mirror, c.mirror) << c.line;
            EXPECT_EQ(text, c.text) << c.line;
        } else {
            EXPECT_EQ(place.format, "unchanged") << c.line;
            EXPECT_EQ(text, "unchanged") << c.line;
        }
    }
}

TEST(Bookmarks, DamagedLinesAreNamedAndKept) {
    const std::string text = "# my notes\n"
                             "012340 | 2BPP NES | 0 | 0 | none | 0 | Title logo\r\n"
                             "\n"
                             "garbage here\n"
                             "   # indented comment\n"
                             "008000 | 2BPP GB | 1 | 90 | horizontal | 2 |\n"
                             "000010 | 2BPP NES | 0 | 0 | none | 0 | Bad\xff name\n"
                             "000020 | 2BPP NES | 0 | 0 | none | 0 | tab\there";
    const BookmarkList list = ParseBookmarks(text);
    ASSERT_EQ(list.items.size(), 3u);
    EXPECT_EQ(list.items[0].name, "Title logo");
    EXPECT_EQ(list.items[1].name, "008000"); // no name: the address
    EXPECT_EQ(list.items[1].place, (Place{0x8000, "2BPP GB", 1, 1, 1, 2}));
    EXPECT_EQ(list.items[2].name, "tab here");
    const std::vector<DamagedLine> damaged = {
        {4, "garbage here"}, {7, "000010 | 2BPP NES | 0 | 0 | none | 0 | Bad\xff name"}};
    EXPECT_EQ(list.damaged, damaged);

    // Written back: the bookmarks, then the damaged lines as they were; read again the same.
    const BookmarkList again = ParseBookmarks(FormatBookmarks(list));
    EXPECT_EQ(again.items, list.items);
    ASSERT_EQ(again.damaged.size(), 2u);
    EXPECT_EQ(again.damaged[0].text, "garbage here");
    EXPECT_EQ(again.damaged[1].text, damaged[1].text);
}

TEST(Bookmarks, FileBesideTheRom) {
    const std::string folder = (std::filesystem::temp_directory_path() /
                                ("tavrin_bookmarks_" + std::to_string(::getpid())))
                                   .string();
    std::filesystem::create_directories(folder);
    const std::string rom = folder + "/game.nes";
    const std::string path = BookmarksPath(rom);
    EXPECT_EQ(path, folder + "/game.nes.bookmarks");

    BookmarkList list;
    EXPECT_EQ(LoadBookmarks(path, list).failure, FileFailure::NotFound);
    list.items.push_back({{0x10, "2BPP NES", 0, 0, 0, 0}, "Font\nline"});
    list.items.push_back({{0x2000, "2BPP NES", 3, 2, 3, 1}, "敵キャラ"});
    ASSERT_TRUE(SaveBookmarks(path, list));
    BookmarkList back;
    ASSERT_TRUE(LoadBookmarks(path, back));
    ASSERT_EQ(back.items.size(), 2u);
    EXPECT_EQ(back.items[0].name, "Font line");
    EXPECT_EQ(back.items[1], list.items[1]);
    ASSERT_NE(FindBookmark(back, "敵キャラ"), nullptr);
    EXPECT_EQ(FindBookmark(back, "敵キャラ")->place.address, 0x2000);
    EXPECT_EQ(FindBookmark(back, "敵"), nullptr);

    const std::string huge(MaxBookmarkFileBytes + 1, '#');
    ASSERT_TRUE(WriteFileSafely(path, huge.data(), huge.size()));
    EXPECT_EQ(LoadBookmarks(path, back).failure, FileFailure::Malformed);
    EXPECT_TRUE(back.items.empty());
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tavrin
