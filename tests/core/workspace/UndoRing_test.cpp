#include "core/workspace/UndoRing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace tavrin {
namespace {

// A ROM buffer with guard bytes on both sides, so a write outside the span shows.
class GuardedRom {
public:
    static constexpr size_t Guard = 64;
    static constexpr uint8_t GuardByte = 0xA5;

    explicit GuardedRom(size_t size) : m_bytes(size + 2 * Guard, GuardByte), m_size(size) {
        std::fill(m_bytes.begin() + Guard, m_bytes.begin() + Guard + static_cast<ptrdiff_t>(size),
                  0);
    }
    std::span<uint8_t> Span() { return {m_bytes.data() + Guard, m_size}; }
    uint8_t& operator[](size_t i) { return m_bytes[Guard + i]; }
    std::vector<uint8_t> Bytes() const {
        return {m_bytes.begin() + Guard, m_bytes.begin() + Guard + static_cast<ptrdiff_t>(m_size)};
    }
    bool GuardsIntact() const {
        for (size_t i = 0; i < Guard; ++i)
            if (m_bytes[i] != GuardByte || m_bytes[m_bytes.size() - 1 - i] != GuardByte)
                return false;
        return true;
    }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_size;
};

// One commit as the editor makes it: the snapshot first, then the change inside the range.
void Commit(UndoRing& ring, GuardedRom& rom, int address, int length, uint8_t value) {
    ring.Record(rom.Span(), address, length);
    for (int i = 0; i < length; i += 7)
        rom[static_cast<size_t>(address + i)] = value;
}

TEST(UndoRing, StartsEmpty) {
    UndoRing ring;
    GuardedRom rom(100);
    int address = -1;
    EXPECT_FALSE(ring.CanUndo());
    EXPECT_FALSE(ring.CanRedo());
    EXPECT_FALSE(ring.Undo(rom.Span(), address));
    EXPECT_FALSE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(address, -1);
    EXPECT_EQ(rom.Bytes(), std::vector<uint8_t>(100, 0));
}

TEST(UndoRing, UndoAndRedoOneCommit) {
    UndoRing ring;
    GuardedRom rom(64);
    Commit(ring, rom, 16, 32, 0x11);
    const std::vector<uint8_t> after = rom.Bytes();
    EXPECT_TRUE(ring.CanUndo());
    EXPECT_FALSE(ring.CanRedo());
    int address = -1;
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(address, 16);
    EXPECT_EQ(rom.Bytes(), std::vector<uint8_t>(64, 0));
    EXPECT_FALSE(ring.CanUndo());
    EXPECT_TRUE(ring.CanRedo());
    address = -1;
    ASSERT_TRUE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(address, 16);
    EXPECT_EQ(rom.Bytes(), after);
    EXPECT_FALSE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(rom.Bytes(), after);
}

TEST(UndoRing, ThirtyThreeCommitsGiveThirtyTwoUndos) {
    UndoRing ring;
    GuardedRom rom(16);
    for (int k = 1; k <= 33; ++k) {
        ring.Record(rom.Span(), 0, 16);
        rom[0] = static_cast<uint8_t>(k);
    }
    EXPECT_EQ(ring.UndoSteps(), 32);
    int address = 0;
    for (int k = 32; k >= 1; --k) {
        ASSERT_TRUE(ring.Undo(rom.Span(), address)) << k;
        EXPECT_EQ(rom[0], k);
    }
    EXPECT_FALSE(ring.CanUndo());
    EXPECT_FALSE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(rom[0], 1) << "a failed undo changes nothing";
    for (int k = 2; k <= 33; ++k) {
        ASSERT_TRUE(ring.Redo(rom.Span(), address)) << k;
        EXPECT_EQ(rom[0], k);
    }
    EXPECT_FALSE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(rom[0], 33);
}

TEST(UndoRing, ACommitAfterUndoDropsTheRedoSteps) {
    UndoRing ring;
    GuardedRom rom(16);
    Commit(ring, rom, 0, 16, 1);
    Commit(ring, rom, 0, 16, 2);
    int address = 0;
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(rom[0], 1);
    EXPECT_TRUE(ring.CanRedo());
    Commit(ring, rom, 0, 16, 3);
    EXPECT_FALSE(ring.CanRedo());
    EXPECT_FALSE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(rom[0], 3);
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(rom[0], 1);
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(rom[0], 0);
    EXPECT_FALSE(ring.Undo(rom.Span(), address));
}

TEST(UndoRing, RedoBringsBackChangesMadeAtOtherAddresses) {
    // Two commits at different pages, both undone: each redo restores its own page.
    UndoRing ring;
    GuardedRom rom(0x3000);
    Commit(ring, rom, 0x0000, 0x1000, 0x11);
    const std::vector<uint8_t> first = rom.Bytes();
    Commit(ring, rom, 0x2000, 0x1000, 0x22);
    const std::vector<uint8_t> second = rom.Bytes();
    int address = -1;
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(address, 0x2000);
    EXPECT_EQ(rom.Bytes(), first);
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(address, 0x0000);
    EXPECT_EQ(rom.Bytes(), std::vector<uint8_t>(0x3000, 0));
    ASSERT_TRUE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(address, 0x0000) << "the redone change's address";
    EXPECT_EQ(rom.Bytes(), first);
    ASSERT_TRUE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(address, 0x2000);
    EXPECT_EQ(rom.Bytes(), second);
}

// The model: every state the ROM went through, the current one, and at most 32 steps back.
struct HistoryModel {
    std::vector<std::vector<uint8_t>> states;
    std::vector<int> addresses; // addresses[k]: the address of the commit that made state k
    size_t current = 0;
};

TEST(UndoRing, RandomCommitsUndosAndRedosReproduceEarlierStates) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        const int size = 3 * 8192 + 100;
        GuardedRom rom(static_cast<size_t>(size));
        UndoRing ring;
        HistoryModel model;
        model.states.push_back(rom.Bytes());
        model.addresses.push_back(-1);
        // Few distinct pages, so ranges both repeat and overlap.
        const int pages[] = {0, 0, 4096, 6000, 8192, 3 * 8192 + 100 - 4096};
        for (int op = 0; op < 600; ++op) {
            const int kind = static_cast<int>(random() % 4);
            int address = -1;
            if (kind <= 1) {
                const int page = pages[random() % 6];
                const int length = random() % 3 == 0 ? 8192 : 4096;
                const int usable = std::min(length, size - page);
                ring.Record(rom.Span(), page, length);
                for (int n = 0; n < 20; ++n)
                    rom[static_cast<size_t>(page + static_cast<int>(random() % usable))] =
                        static_cast<uint8_t>(random());
                model.states.resize(model.current + 1);
                model.addresses.resize(model.current + 1);
                model.states.push_back(rom.Bytes());
                model.addresses.push_back(page);
                ++model.current;
                if (model.states.size() > 33) {
                    model.states.erase(model.states.begin());
                    model.addresses.erase(model.addresses.begin());
                    --model.current;
                }
            } else if (kind == 2) {
                const bool expected = model.current > 0;
                ASSERT_EQ(ring.Undo(rom.Span(), address), expected) << seed << " op " << op;
                if (expected) {
                    EXPECT_EQ(address, model.addresses[model.current]) << seed << " op " << op;
                    --model.current;
                }
            } else {
                const bool expected = model.current + 1 < model.states.size();
                ASSERT_EQ(ring.Redo(rom.Span(), address), expected) << seed << " op " << op;
                if (expected) {
                    ++model.current;
                    EXPECT_EQ(address, model.addresses[model.current]) << seed << " op " << op;
                }
            }
            ASSERT_EQ(rom.Bytes(), model.states[model.current]) << seed << " op " << op;
            ASSERT_EQ(ring.UndoSteps(), static_cast<int>(model.current));
            ASSERT_EQ(ring.RedoSteps(), static_cast<int>(model.states.size() - 1 - model.current));
        }
        EXPECT_TRUE(rom.GuardsIntact());
    }
}

TEST(UndoRing, PagesLargerThanTheUsualSnapshotAreCoveredWhole) {
    UndoRing ring;
    GuardedRom rom(3 * 8192);
    std::mt19937 random(5);
    for (size_t i = 0; i < 3 * 8192; ++i)
        rom[i] = static_cast<uint8_t>(random());
    const std::vector<uint8_t> before = rom.Bytes();
    ring.Record(rom.Span(), 100, 16384);
    // Change the first and the last byte of the page, and one far inside.
    rom[100] ^= 0xFF;
    rom[100 + 12000] ^= 0xFF;
    rom[100 + 16383] ^= 0xFF;
    const std::vector<uint8_t> after = rom.Bytes();
    int address = 0;
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(rom.Bytes(), before);
    ASSERT_TRUE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(rom.Bytes(), after);
    // A later small page reuses the slots without losing the large one's bytes.
    ring.Record(rom.Span(), 0, 4096);
    rom[1] ^= 0x0F;
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(rom.Bytes(), before);
    EXPECT_TRUE(rom.GuardsIntact());
}

TEST(UndoRing, RangesOutsideTheBufferNeverWriteOutsideIt) {
    struct Range {
        int address;
        int length;
    };
    const Range ranges[] = {{900, 8192}, {-50, 100},     {1024, 10},      {5000, 4096},
                            {0, 0},      {1000, -5},     {INT32_MAX, 10}, {INT32_MIN, INT32_MAX},
                            {1023, 2},   {-1, INT32_MAX}};
    for (const Range& r : ranges) {
        UndoRing ring;
        GuardedRom rom(1024);
        ring.Record(rom.Span(), r.address, r.length);
        // Change the whole buffer, then undo and redo.
        for (size_t i = 0; i < 1024; ++i)
            rom[i] = 0x5A;
        int address = 0;
        ASSERT_TRUE(ring.Undo(rom.Span(), address)) << r.address << "," << r.length;
        EXPECT_GE(address, 0);
        EXPECT_LE(address, 1024);
        EXPECT_TRUE(rom.GuardsIntact()) << r.address << "," << r.length;
        // Whatever lay inside both the range and the buffer came back.
        const long long from = std::max<long long>(r.address, 0);
        const long long to =
            std::min<long long>(static_cast<long long>(r.address) + r.length, 1024);
        for (long long i = from; i < to; ++i)
            ASSERT_EQ(rom[static_cast<size_t>(i)], 0)
                << r.address << "," << r.length << " at " << i;
        ASSERT_TRUE(ring.Redo(rom.Span(), address));
        EXPECT_EQ(rom.Bytes(), std::vector<uint8_t>(1024, 0x5A)) << r.address << "," << r.length;
        EXPECT_TRUE(rom.GuardsIntact());
    }
}

TEST(UndoRing, AShorterBufferAtUndoTimeIsNotWrittenPast) {
    UndoRing ring;
    GuardedRom big(8192);
    ring.Record(big.Span(), 4096, 4096);
    // The document was replaced by a shorter one without a reset: nothing is written.
    GuardedRom small(1000);
    int address = 0;
    EXPECT_TRUE(ring.Undo(small.Span(), address));
    EXPECT_TRUE(small.GuardsIntact());
    EXPECT_EQ(small.Bytes(), std::vector<uint8_t>(1000, 0));
}

TEST(UndoRing, AStepThatChangedNothingIsToldAndPositionsRepeat) {
    UndoRing ring;
    GuardedRom rom(64);
    EXPECT_FALSE(ring.LastStepChangedNothing(rom.Span())) << "no step yet";
    const struct {
        uint8_t value; // written by the commit; 0 leaves the bytes as they were
        bool nothing;
    } commits[] = {{0, true}, {1, false}, {1, true}, {2, false}};
    int steps = 0;
    for (const auto& c : commits) {
        Commit(ring, rom, 0, 64, c.value);
        EXPECT_EQ(ring.LastStepChangedNothing(rom.Span()), c.nothing) << int{c.value};
        EXPECT_EQ(ring.UndoSteps(), ++steps) << "a step all the same";
        EXPECT_EQ(ring.Position(), steps);
    }
    // Only the newest step is looked at, and only while nothing is undone.
    int address = 0;
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(ring.Position(), 3);
    EXPECT_FALSE(ring.LastStepChangedNothing(rom.Span()));
    ASSERT_TRUE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(ring.Position(), 4);
    EXPECT_FALSE(ring.LastStepChangedNothing(rom.Span())) << "the step changed its bytes";
    EXPECT_TRUE(rom.GuardsIntact());
}

TEST(UndoRing, ResetForgetsEveryStep) {
    UndoRing ring;
    GuardedRom rom(32);
    Commit(ring, rom, 0, 32, 1);
    Commit(ring, rom, 0, 32, 2);
    int address = 0;
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    ASSERT_TRUE(ring.CanUndo());
    ASSERT_TRUE(ring.CanRedo());
    ring.Reset();
    EXPECT_FALSE(ring.CanUndo());
    EXPECT_FALSE(ring.CanRedo());
    EXPECT_EQ(ring.UndoSteps(), 0);
    EXPECT_EQ(ring.RedoSteps(), 0);
    const std::vector<uint8_t> now = rom.Bytes();
    EXPECT_FALSE(ring.Undo(rom.Span(), address));
    EXPECT_FALSE(ring.Redo(rom.Span(), address));
    EXPECT_EQ(rom.Bytes(), now);
    // The ring works as new afterwards.
    Commit(ring, rom, 0, 32, 9);
    ASSERT_TRUE(ring.Undo(rom.Span(), address));
    EXPECT_EQ(rom.Bytes(), now);
}

} // namespace
} // namespace tavrin
