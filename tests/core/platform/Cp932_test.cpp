#include "core/platform/Cp932.h"

#include <gtest/gtest.h>

using namespace tavrin;

TEST(Cp932, RoundTripsJapanese) {
    const std::string utf8 = "パレット＋パレットセット";
    const std::string sjis = Utf8ToCp932(utf8);
    EXPECT_NE(sjis, utf8);
    EXPECT_EQ(sjis.size(), 24u);
    EXPECT_EQ(Cp932ToUtf8(sjis), utf8);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_FALSE(IsValidUtf8(sjis));
    EXPECT_FALSE(IsValidUtf8("\xE3\x83"));
}

// A character cp932 lacks becomes one '?', however many bytes it takes in UTF-8.
TEST(Cp932, UnmappableCharactersBecomeOneQuestionMarkEach) {
    EXPECT_EQ(Utf8ToCp932("A\xE2\x82\xAC"
                          "B"),
              "A?B"); // euro sign, 3 bytes
    EXPECT_EQ(Utf8ToCp932("\xF0\x9F\x98\x80"
                          "C"),
              "?C");                                          // emoji, 4 bytes
    EXPECT_EQ(Utf8ToCp932("\xE2\x82\xAC\xE2\x82\xAC"), "??"); // two in a row
    EXPECT_EQ(Utf8ToCp932("x\x80y"), "x?y");                  // a stray continuation byte
    EXPECT_EQ(Cp932ToUtf8("a\xFF"
                          "b"),
              "a?b"); // not a cp932 byte
}
