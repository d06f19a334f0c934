#include "core/document/RomDocument.h"
#include "core/platform/ZeroedBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavrin;

namespace {

// The address sanitizer stops the program on an impossible allocation instead of failing it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool AddressSanitizer = true;
#else
constexpr bool AddressSanitizer = false;
#endif
#else
constexpr bool AddressSanitizer = false;
#endif

bool AllZero(const uint8_t* p, size_t from, size_t to) {
    return std::all_of(p + from, p + to, [](uint8_t b) { return b == 0; });
}

} // namespace

TEST(ZeroedBuffer, AllocatesZerosAndGrowsKeepingTheBytes) {
    ZeroedBuffer b;
    EXPECT_EQ(b.size(), 0u);
    ASSERT_TRUE(b.Allocate(100));
    ASSERT_EQ(b.size(), 100u);
    EXPECT_TRUE(AllZero(b.data(), 0, 100));
    b.data()[0] = 1;
    b.data()[99] = 2;
    ASSERT_TRUE(b.Grow(5000));
    ASSERT_EQ(b.size(), 5000u);
    EXPECT_EQ(b.data()[0], 1);
    EXPECT_EQ(b.data()[99], 2);
    EXPECT_TRUE(AllZero(b.data(), 100, 5000));
    // Growing to less changes nothing.
    ASSERT_TRUE(b.Grow(10));
    EXPECT_EQ(b.size(), 5000u);
    ASSERT_TRUE(b.Allocate(0));
    EXPECT_EQ(b.size(), 0u);
    EXPECT_NE(b.data(), nullptr);
}

TEST(ZeroedBuffer, CopiesAreIndependentAndMovesEmptyTheSource) {
    ZeroedBuffer a;
    ASSERT_TRUE(a.Allocate(16));
    a.data()[3] = 0x33;
    ZeroedBuffer copy(a);
    copy.data()[3] = 0x44;
    EXPECT_EQ(a.data()[3], 0x33);
    ZeroedBuffer assigned;
    assigned = a;
    EXPECT_EQ(assigned.size(), 16u);
    EXPECT_EQ(assigned.data()[3], 0x33);
    ZeroedBuffer moved(std::move(a));
    EXPECT_EQ(moved.size(), 16u);
    EXPECT_EQ(moved.data()[3], 0x33);
    EXPECT_EQ(a.size(), 0u);
}

TEST(ZeroedBuffer, RefusesWhatCannotBeHad) {
    if (AddressSanitizer)
        GTEST_SKIP() << "impossible allocations abort under the address sanitizer";
    ZeroedBuffer b;
    ASSERT_TRUE(b.Allocate(8));
    b.data()[0] = 9;
    EXPECT_FALSE(b.Allocate(SIZE_MAX / 2));
    EXPECT_FALSE(b.Grow(SIZE_MAX / 2));
    EXPECT_EQ(b.size(), 8u);
    EXPECT_EQ(b.data()[0], 9);
}

TEST(RomDocument, CopiesOwnTheirBytes) {
    const uint8_t bytes[3] = {1, 2, 3};
    RomDocument doc;
    ASSERT_TRUE(doc.LoadBytes(bytes, 3, "a.chr"));
    RomDocument copy = doc;
    copy.Data()[0] = 9;
    EXPECT_EQ(doc.Data()[0], 1);
    EXPECT_EQ(copy.DataSize(), 3);
    EXPECT_EQ(copy.FileName(), "a.chr");
    EXPECT_EQ(copy.BufferSize(), doc.BufferSize());
}
