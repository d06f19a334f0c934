#include "core/nav/AddressParse.h"

#include <gtest/gtest.h>

#include <climits>

namespace tavrin {
namespace {

TEST(AddressParse, HexadecimalTextGivesTheAddress) {
    EXPECT_EQ(ParseAddress("1F"), 0x1F);
    EXPECT_EQ(ParseAddress("1f"), 0x1F);
    EXPECT_EQ(ParseAddress("0"), 0);
    EXPECT_EQ(ParseAddress("00000000"), 0);
    EXPECT_EQ(ParseAddress("00c0ffee"), 0xC0FFEE);
    EXPECT_EQ(ParseAddress("7fffffff"), INT_MAX);
    EXPECT_EQ(ParseAddress("000000001F"), 0x1F); // leading zeros do not overflow
}

TEST(AddressParse, TheUsualHexadecimalFormsAreTakenToo) {
    for (const char* text : {"0x9000", "0X9000", "$9000", "9000h", "9000H", " 9000 ", "\t0x9000 ",
                             "0x00009000\r\n", "\n$9000\n"})
        EXPECT_EQ(ParseAddress(text), 0x9000) << '"' << text << '"';
    EXPECT_EQ(ParseAddress("0h"), 0);
}

TEST(AddressParse, AnythingElseCancels) {
    for (const char* text :
         {"", "g", "1g", "0x", "$", "h", "0x$1F", "$1Fh", "-1", "+1", "80000000", "0x80000000",
          "FFFFFFFF", "123456789", "fffffffffffffffffffff", "1\nF", "1 F"})
        EXPECT_EQ(ParseAddress(text), std::nullopt) << '"' << text << '"';
}

TEST(AddressParse, DialogTextIsEightLowerCaseDigits) {
    EXPECT_EQ(FormatAddressText(0), "00000000");
    EXPECT_EQ(FormatAddressText(0x1F), "0000001f");
    EXPECT_EQ(FormatAddressText(0x12ABCDEF), "12abcdef");
    EXPECT_EQ(FormatAddressText(INT_MAX), "7fffffff");
    EXPECT_EQ(ParseAddress(FormatAddressText(0x00ABCDEF)), 0x00ABCDEF);
}

} // namespace
} // namespace tavrin
