#include "core/dib/DibRle.h"

#include "core/dib/DibBuilder.h"
#include "core/dib/DibError.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using test::Bytes;
using test::Digits;

constexpr ptrdiff_t Stride = 8;
constexpr uint8_t Guard = 0xEE;

// Expands into rows of Stride bytes whose bytes past the width hold a guard value, and returns
// the rows as digits; the guards must survive.
std::vector<std::string> Expand(bool nibbles, const std::vector<uint8_t>& data, int width,
                                int height) {
    std::vector<uint8_t> dst(static_cast<size_t>(Stride * height), Guard);
    for (int y = 0; y < height; ++y) {
        std::fill_n(dst.begin() + y * Stride, width, 0);
    }
    if (nibbles) {
        ExpandRle4(data.data(), data.size(), width, height, dst.data(), Stride);
    } else {
        ExpandRle8(data.data(), data.size(), width, height, dst.data(), Stride);
    }
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        rows.push_back(Digits(dst.data() + y * Stride, width));
        for (ptrdiff_t x = width; x < Stride; ++x) {
            EXPECT_EQ(dst[y * Stride + x], Guard) << "row " << y << " byte " << x;
        }
    }
    return rows;
}

std::string ErrorOf(bool nibbles, const std::vector<uint8_t>& data, int width, int height) {
    try {
        Expand(nibbles, data, width, height);
    } catch (const DibError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(DibRle, Rle8RunsAbsoluteRunsDeltaAndEndCodes) {
    const auto data = Bytes({0x02, 0x05,                         // run of two 5s
                             0x00, 0x03, 0x01, 0x02, 0x03, 0x00, // absolute 1 2 3, padded
                             0x01, 0x09,                         // run of one 9
                             0x00, 0x00,                         // end of line
                             0x00, 0x02, 0x02, 0x01,             // delta: right 2, down 1
                             0x04, 0x0A,                         // run of four Ah
                             0x00, 0x01,                         // end of bitmap
                             0x05, 0x07});                       // ignored after the end
    EXPECT_EQ(Expand(false, data, 6, 3), (std::vector<std::string>{"551239", "000000", "00AAAA"}));
}

TEST(DibRle, Rle4AlternatesNibblesAndPadsAbsoluteRunsToWords) {
    const auto data = Bytes({0x04, 0x12,                         // 1 2 1 2
                             0x00, 0x03, 0xAB, 0xC0,             // absolute A B C: 2 bytes
                             0x00, 0x00,                         // end of line
                             0x00, 0x05, 0xDE, 0xF1, 0x20, 0x00, // absolute D E F 1 2, padded
                             0x02, 0xF0,                         // F 0
                             0x00, 0x01});
    EXPECT_EQ(Expand(true, data, 7, 2), (std::vector<std::string>{"1212ABC", "DEF12F0"}));
}

TEST(DibRle, DataEndingWithoutEndOfBitmapLeavesTheRestUnchanged) {
    EXPECT_EQ(Expand(false, Bytes({0x02, 0x05}), 3, 2), (std::vector<std::string>{"550", "000"}));
    EXPECT_EQ(Expand(true, Bytes({0x03, 0x12, 0x00, 0x00}), 3, 2),
              (std::vector<std::string>{"121", "000"}));
    // A missing pad byte at the very end is no fault.
    EXPECT_EQ(Expand(false, Bytes({0x00, 0x03, 0x04, 0x05, 0x06}), 3, 1),
              std::vector<std::string>{"456"});
}

TEST(DibRle, EndOfLineAfterTheLastRowAndDeltaToTheEndAreAllowed) {
    EXPECT_EQ(
        Expand(false, Bytes({0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}), 1, 1),
        std::vector<std::string>{"1"});
    EXPECT_EQ(Expand(false, Bytes({0x00, 0x02, 0x02, 0x02, 0x00, 0x01}), 2, 2),
              (std::vector<std::string>{"00", "00"}));
}

class DibRleErrors : public ::testing::TestWithParam<bool> {
protected:
    std::string Text(int number) const {
        return std::string(GetParam() ? "Convert4BitRLETo4BitRGB" : "Convert8BitRLETo8BitRGB") +
               ": Bad RLE Data " + std::to_string(number);
    }
    std::string Error(std::initializer_list<int> data, int width, int height) const {
        return ErrorOf(GetParam(), Bytes(data), width, height);
    }
};

TEST_P(DibRleErrors, DataEndingInsideACode) {
    EXPECT_EQ(Error({0x02}, 4, 2), Text(1));
    EXPECT_EQ(Error({0x00, 0x02, 0x01}, 4, 2), Text(1));
    EXPECT_EQ(Error({0x00, 0x04, 0x11}, 4, 2), Text(1));
    EXPECT_EQ(Error({0x00, 0x04, 0x11, 0x22}, 4, 2), GetParam() ? "(no error)" : Text(1));
}

TEST_P(DibRleErrors, RunsPastTheRightEdge) {
    EXPECT_EQ(Error({0x05, 0x01}, 4, 2), Text(2));
    EXPECT_EQ(Error({0x02, 0x01, 0x03, 0x01}, 4, 2), Text(2));
    EXPECT_EQ(Error({0x00, 0x05, 0x11, 0x11, 0x11, 0x11, 0x11, 0x00}, 4, 2), Text(3));
    EXPECT_EQ(Error({0x03, 0x01, 0x00, 0x03, 0x11, 0x11, 0x11, 0x00}, 5, 2), Text(3));
    EXPECT_EQ(Error({0x04, 0x01}, 4, 2), "(no error)");
}

TEST_P(DibRleErrors, DeltaPastTheImage) {
    EXPECT_EQ(Error({0x00, 0x02, 0x05, 0x00}, 4, 3), Text(4));
    EXPECT_EQ(Error({0x02, 0x01, 0x00, 0x02, 0x03, 0x00}, 4, 3), Text(4));
    EXPECT_EQ(Error({0x00, 0x02, 0x00, 0x04}, 4, 3), Text(4));
    EXPECT_EQ(Error({0x00, 0x02, 0xFF, 0xFF}, 4, 3), Text(4));
}

TEST_P(DibRleErrors, PixelsAfterTheLastRow) {
    EXPECT_EQ(Error({0x01, 0x01, 0x00, 0x00, 0x01, 0x07}, 2, 1), Text(5));
    EXPECT_EQ(Error({0x00, 0x00, 0x00, 0x03, 0x01, 0x02, 0x03, 0x00}, 4, 1), Text(5));
    EXPECT_EQ(Error({0x00, 0x02, 0x00, 0x01, 0x01, 0x01}, 4, 1), Text(5));
}

INSTANTIATE_TEST_SUITE_P(BothDepths, DibRleErrors, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rle4" : "Rle8"; });

} // namespace
} // namespace tavrin
