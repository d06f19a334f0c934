#include "core/nav/AddressStep.h"

#include "core/formats/BuiltinFormats.h"

#include <gtest/gtest.h>

#include <climits>

namespace tavrin {
namespace {

TEST(AddressStep, ClampKeepsAWholePageBeforeTheEnd) {
    const struct {
        int64_t address;
        int32_t page, end, expected;
    } cases[] = {
        {100, 4096, 8192, 100},   // inside
        {4096, 4096, 8192, 4096}, // the last whole page
        {4097, 4096, 8192, 4096}, // pulled back
        {-5, 4096, 8192, 0},      // never below 0
        {0, 8192, 100, 0},        // a document smaller than a page is shown from 0
        {50, 8192, 100, 0},       //
        {-9000, 8192, 100, 0},    //
        {INT64_MAX / 2, 2048, 65536, 63488},
        {INT64_MIN / 2, 2048, 65536, 0},
        {INT32_MAX, 4096, INT32_MAX, INT32_MAX - 4096},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampAddress(c.address, c.page, c.end), c.expected)
            << c.address << " " << c.page << " " << c.end;
}

TEST(AddressStep, KnownStepCodes) {
    for (int code = -2; code < 70; ++code) {
        const bool known = (code >= 1 && code <= 10) || code == 16 || code == 17 || code == 64;
        EXPECT_EQ(IsAddressStepCode(code), known) << code;
    }
}

TEST(AddressStep, StepValueNamesTheLimitOrWheelLines) {
    EXPECT_EQ(StepValue(StepFirst, 16, 40976, 3), 16);
    EXPECT_EQ(StepValue(StepLast, 16, 40976, 3), 40976);
    EXPECT_EQ(StepValue(StepWheelUp, 16, 40976, 3), 3);
    EXPECT_EQ(StepValue(StepWheelDown, 16, 40976, 3), 3);
    EXPECT_EQ(StepValue(StepPlus1Block, 16, 40976, 3), 0);
}

TEST(AddressStep, CommandsStepThroughTheFormatThenClamp) {
    CFormat_2NES nes; // 16-byte tiles, 4096-byte pages
    const int32_t page = 4096;
    const int32_t start = 16;          // an iNES image: the character data starts after 16
    const int32_t end = 16 + 8192 * 2; // two 8 KiB banks
    const auto run = [&](int32_t address, int32_t code) {
        return StepAndClamp(nes, nullptr, address, StepValue(code, start, end, 3), code, page, end);
    };
    EXPECT_EQ(run(5000, StepFirst), 16);
    EXPECT_EQ(run(5000, StepLast), end - page);
    EXPECT_EQ(run(5000, StepPlus1Block), 5016);
    EXPECT_EQ(run(5000, StepMinus10Blocks), 4744);
    EXPECT_EQ(run(5000, StepPlus100Blocks), 9096);
    EXPECT_EQ(run(end - page, StepPlus1), end - page);
    EXPECT_EQ(run(10, StepMinus1Block), 0); // below the character data, down to 0
    EXPECT_EQ(run(5000, StepWheelDown), 5000 + 3 * 256);
    EXPECT_EQ(run(5000, StepWheelUp), 5000 - 3 * 256);
    EXPECT_EQ(run(5000, 99), 0); // an unknown code gives 0
    EXPECT_EQ(StepAndClamp(nes, nullptr, 5000, 0x1F, StepJump, page, end), 0x1F);
    EXPECT_EQ(StepAndClamp(nes, nullptr, 5000, INT_MAX, StepJump, page, end), end - page);
}

TEST(AddressStep, SmallDocumentAlwaysEndsAtZero) {
    CFormat_4SNES snes; // 8192-byte pages
    for (int32_t code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 16, 17, 64})
        EXPECT_EQ(StepAndClamp(snes, nullptr, 0, StepValue(code, 0, 3000, 1) + 5, code, 8192, 3000),
                  0)
            << code;
}

} // namespace
} // namespace tavrin
