#include "core/compress/PackedWriteBack.h"

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

namespace tavrin {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Tiles(size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes data(size);
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<uint8_t>(i / 16 % 3 == 0 ? rng() % 4 : 0x11 * (i / 64 % 4));
    return data;
}

void PutLe32(Bytes& file, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        file[at + k] = static_cast<uint8_t>(v >> (8 * k));
}

// A 64 KiB ROM of noise with a packed block at 0x2000 and pointers to it: two aligned, one
// unaligned (not a pointer) and one to the byte after it.
struct Rom {
    Bytes file;
    PackedSource source;
    Bytes data;
};

Rom MakeRom(PackedCodec codec, size_t fileSize = 0x10001) {
    Rom rom;
    std::mt19937 rng(9);
    rom.file.resize(fileSize);
    for (auto& b : rom.file)
        b = static_cast<uint8_t>(rng() % 0xF0);
    rom.data = Tiles(2048, 1);
    const Bytes packed = *Pack(codec, rom.data);
    std::copy(packed.begin(), packed.end(), rom.file.begin() + 0x2000);
    rom.source = {codec, 0x2000, packed, packed.size()};
    PutLe32(rom.file, 0x100, 0x08002000);
    PutLe32(rom.file, 0xF000, 0x08002000);
    PutLe32(rom.file, 0x203, 0x08002000);
    PutLe32(rom.file, 0x300, 0x08002001);
    return rom;
}

// The bytes of a and b that differ, as index ranges [from, to).
std::vector<std::pair<size_t, size_t>> Changes(const Bytes& a, const Bytes& b) {
    std::vector<std::pair<size_t, size_t>> ranges;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const bool same = i < a.size() && i < b.size() && a[i] == b[i];
        if (same)
            continue;
        if (!ranges.empty() && ranges.back().second == i)
            ++ranges.back().second;
        else
            ranges.push_back({i, i + 1});
    }
    return ranges;
}

TEST(PackedWriteBack, WritesInPlaceWhenItFitsAndLeavesTheRestOfTheOldBlock) {
    for (const PackedCodec codec : AllPackedCodecs) {
        Rom rom = MakeRom(codec);
        Bytes smaller = rom.data;
        std::fill(smaller.begin() + 512, smaller.end(), 0); // packs smaller
        WriteBackPlan plan;
        ASSERT_EQ(PlanWriteBack(rom.file, rom.source, smaller, {}, plan), WriteBackProblem::None);
        ASSERT_TRUE(plan.fits);
        ASSERT_LT(plan.packed.size(), rom.source.packed.size());
        const Bytes before = rom.file;
        const size_t room = rom.source.room;
        ASSERT_TRUE(ApplyWriteBack(rom.file, rom.source, plan, {}));
        for (const auto& [from, to] : Changes(before, rom.file)) {
            EXPECT_GE(from, 0x2000u);
            EXPECT_LE(to, 0x2000 + plan.packed.size());
        }
        EXPECT_EQ(Unpack(codec, std::span(rom.file).subspan(0x2000)).bytes, smaller);
        EXPECT_EQ(rom.source.address, 0x2000u);
        EXPECT_EQ(rom.source.packed, plan.packed);
        EXPECT_EQ(rom.source.room, room); // the old block's bytes stay free for the next save
        // The next save of the original bytes fits again.
        ASSERT_EQ(PlanWriteBack(rom.file, rom.source, rom.data, {}, plan), WriteBackProblem::None);
        EXPECT_TRUE(plan.fits) << CodecName(codec);
    }
}

TEST(PackedWriteBack, AppendsAlignedAndMovesOnlyTheAlignedPointers) {
    struct Case {
        PackedCodec codec;
        bool repoint;
        size_t pointersMoved;
    } cases[] = {
        {PackedCodec::Lz10, true, 2},   {PackedCodec::Lz11, true, 2},
        {PackedCodec::Rle30, true, 2},  {PackedCodec::Lz10, false, 0},
        {PackedCodec::SnesBe, true, 0}, // no pointers of this form for SNES blocks
    };
    for (const Case& c : cases) {
        Rom rom = MakeRom(c.codec);
        const Bytes larger = Tiles(4096, 2);
        WriteBackPlan plan;
        ASSERT_EQ(PlanWriteBack(rom.file, rom.source, larger, {}, plan), WriteBackProblem::None);
        ASSERT_FALSE(plan.fits);
        EXPECT_EQ(plan.appendAddress, 0x10004u);
        EXPECT_EQ(plan.pointers.size(), IsHandheldCodec(c.codec) ? 2u : 0u);
        const Bytes before = rom.file;
        EXPECT_FALSE(ApplyWriteBack(rom.file, rom.source, plan, {false, true}));
        EXPECT_EQ(rom.file, before);
        ASSERT_TRUE(ApplyWriteBack(rom.file, rom.source, plan, {true, c.repoint}));
        EXPECT_EQ(rom.file.size(), 0x10004 + plan.packed.size());
        EXPECT_EQ(Unpack(c.codec, std::span(rom.file).subspan(0x10004)).bytes, larger);
        std::vector<std::pair<size_t, size_t>> want;
        if (c.pointersMoved) // 0x08002000 becomes 0x08010004: bytes 0 to 2 of each change
            want = {{0x100, 0x103}, {0xF000, 0xF003}};
        want.push_back({0x10001, 0x10004 + plan.packed.size()});
        EXPECT_EQ(Changes(before, rom.file), want) << CodecName(c.codec);
        EXPECT_TRUE(std::all_of(rom.file.begin() + 0x10001, rom.file.begin() + 0x10004,
                                [](uint8_t b) { return b == 0xFF; }));
        EXPECT_EQ(rom.source.address, 0x10004u);
        EXPECT_EQ(rom.source.room, plan.packed.size());
    }
}

// A block fits exactly when its packed bytes are no more than the room of the old one.
TEST(PackedWriteBack, FitsUpToTheLastByteOfTheOldBlock) {
    Rom rom = MakeRom(PackedCodec::Lz11);
    const Bytes larger = Tiles(3000, 5);
    WriteBackPlan plan;
    ASSERT_EQ(PlanWriteBack(rom.file, rom.source, larger, {}, plan), WriteBackProblem::None);
    const size_t size = plan.packed.size();
    ASSERT_GT(size, rom.source.packed.size());
    for (const size_t room : {size - 1, size, size + 1}) {
        rom.source.room = room;
        ASSERT_EQ(PlanWriteBack(rom.file, rom.source, larger, {}, plan), WriteBackProblem::None);
        EXPECT_EQ(plan.fits, room >= size) << room;
    }
}

TEST(PackedWriteBack, RefusesAFileThatNoLongerHoldsTheBlock) {
    Rom rom = MakeRom(PackedCodec::Lz10);
    WriteBackPlan plan;
    Bytes changed = rom.file;
    changed[0x2005] ^= 1;
    EXPECT_EQ(PlanWriteBack(changed, rom.source, rom.data, {}, plan),
              WriteBackProblem::SourceChanged);
    changed.resize(0x2010);
    EXPECT_EQ(PlanWriteBack(changed, rom.source, rom.data, {}, plan),
              WriteBackProblem::SourceChanged);
    rom.source.address = 0x20000;
    EXPECT_EQ(PlanWriteBack(rom.file, rom.source, rom.data, {}, plan),
              WriteBackProblem::SourceChanged);
}

class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/tavrin-writeback-XXXXXX";
        m_path = mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

TEST(PackedWriteBack, SavesThroughTheFileAndAsksOnlyWhenTheBlockMoves) {
    TempDir dir;
    const std::string path = dir.File("rom.gba");
    Rom rom = MakeRom(PackedCodec::Lz10);
    ASSERT_TRUE(WriteFileSafely(path, rom.file));
    struct Step {
        const char* what;
        Bytes data;
        std::optional<WriteBackChoice> answer;
        WriteBackProblem problem;
        bool asked;
        bool appended;
    } steps[] = {
        {"same bytes in place", rom.data, std::nullopt, WriteBackProblem::None, false, false},
        {"larger, cancelled", Tiles(4096, 3), std::nullopt, WriteBackProblem::Cancelled, true,
         false},
        {"larger, not moved", Tiles(4096, 3), WriteBackChoice{false, false},
         WriteBackProblem::DoesNotFit, true, false},
        {"larger, appended", Tiles(4096, 3), WriteBackChoice{true, true}, WriteBackProblem::None,
         true, true},
    };
    for (const Step& s : steps) {
        Bytes before;
        ReadWholeFile(path, before);
        bool asked = false;
        const WriteBackResult r =
            WriteBackBlock(path, rom.source, s.data, {}, [&](const WriteBackPlan& plan) {
                asked = true;
                EXPECT_EQ(plan.pointers.size(), 2u);
                return s.answer;
            });
        EXPECT_EQ(r.problem, s.problem) << s.what;
        EXPECT_EQ(asked, s.asked) << s.what;
        EXPECT_EQ(r.appended, s.appended) << s.what;
        Bytes after;
        ReadWholeFile(path, after);
        if (s.problem != WriteBackProblem::None) {
            EXPECT_EQ(after, before) << s.what;
            continue;
        }
        EXPECT_EQ(Unpack(PackedCodec::Lz10, std::span(after).subspan(r.address)).bytes, s.data)
            << s.what;
        EXPECT_EQ(r.pointersMoved, s.appended ? 2u : 0u) << s.what;
    }
    EXPECT_EQ(rom.source.address, 0x10004u);
    EXPECT_EQ(WriteBackBlock(dir.File("missing"), rom.source, rom.data, {}, {}).problem,
              WriteBackProblem::FileFailed);
}

} // namespace
} // namespace tavrin
