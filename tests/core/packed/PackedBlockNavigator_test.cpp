#include "core/document/RecoveryFile.h"
#include "core/packed/PackedBlockNavigator.h"
#include "support/WorkspaceAccess.h"

#include "core/editor/RecordingView.h"

#include <gtest/gtest.h>

// Packed blocks opened as the document through the Editor: found from the current place,
// shown under their own name, saved back into the ROM, reloaded.

namespace tavrin {
namespace {

class PackedBlockNavigatorTest : public EditorTest {
protected:
    // A ROM of 0xAA with two LZ10 blocks of 2048 tile-like bytes, and one pointer to the first.
    std::string MakeRom() {
        rom.assign(0x8000, 0xAA);
        // Noise in the first tiles, which a clear of the edit area makes pack smaller.
        for (size_t i = 0; i < 2048; ++i)
            tiles.push_back(static_cast<uint8_t>(i < 1024 ? (i * 2654435761u) >> 27
                                                          : i / 32 % 2 * 0x11 * (i % 3)));
        const auto packed = *Pack(PackedCodec::Lz10, tiles);
        std::copy(packed.begin(), packed.end(), rom.begin() + 0x1000);
        std::copy(packed.begin(), packed.end(), rom.begin() + 0x4000);
        packedSize = packed.size();
        rom[0x20] = 0x00, rom[0x21] = 0x10, rom[0x22] = 0x00, rom[0x23] = 0x08;
        return WriteFile("rom.gba", rom);
    }
    std::vector<uint8_t> rom;
    std::vector<uint8_t> tiles;
    size_t packedSize = 0;
};

TEST_F(PackedBlockNavigatorTest, FindsOpensSavesInPlaceAndMovesABlockThatGrew) {
    const std::string path = MakeRom();
    Editor& e = Start({path});
    PackedBlockNavigator nav(*workspace, e);
    nav.Options().codecs = {PackedCodec::Lz10};

    // From the start of the ROM, then from the open block.
    const auto first = nav.FindNext();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->address, 0x1000u);
    ASSERT_TRUE(nav.Open(*first));
    EXPECT_TRUE(nav.IsBlockOpen());
    EXPECT_EQ(nav.BlockLabel(), "rom.gba [LZ10 @ 0x001000]");
    EXPECT_NE(view.caption.find("rom.gba [LZ10 @ 0x001000]"), std::string::npos);
    EXPECT_EQ(std::vector<uint8_t>(e.Space().Document().Data(), e.Space().Document().Data() + 2048),
              tiles);
    EXPECT_EQ(e.Space().Document().DataSize(), 2048);
    const auto second = nav.FindNext();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->address, 0x4000u);
    EXPECT_EQ(nav.ListBlocks().size(), 2u);

    // A change that packs smaller goes back in place; a reload shows it.
    e.EditClear();
    e.FileSave();
    std::vector<uint8_t> after = ReadFile("rom.gba");
    ASSERT_EQ(after.size(), rom.size());
    const Unpacked back = Unpack(PackedCodec::Lz10, std::span(after).subspan(0x1000));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.bytes, std::vector<uint8_t>(e.Space().Document().Data(),
                                               e.Space().Document().Data() + 2048));
    EXPECT_FALSE(workspace->IsModified());
    e.FileReload();
    EXPECT_EQ(std::vector<uint8_t>(e.Space().Document().Data(), e.Space().Document().Data() + 2048),
              back.bytes);

    // Noise does not fit: cancelled first (nothing written), then appended and repointed.
    for (size_t i = 0; i < 2048; ++i)
        WorkspaceTestAccess::Bytes(*workspace)[i] = static_cast<uint8_t>(i * 2654435761u >> 13);
    int asked = 0;
    nav.Origin().SetDecider([&](const WriteBackPlan& plan) -> std::optional<WriteBackChoice> {
        EXPECT_EQ(plan.pointers, std::vector<size_t>{0x20});
        if (++asked == 1)
            return std::nullopt;
        return WriteBackChoice{true, true};
    });
    e.FileSave();
    EXPECT_EQ(ReadFile("rom.gba"), after);
    e.FileSave();
    EXPECT_EQ(asked, 2);
    const std::vector<uint8_t> moved = ReadFile("rom.gba");
    ASSERT_GT(moved.size(), rom.size());
    EXPECT_EQ(nav.BlockLabel(), "rom.gba [LZ10 @ 0x008000]");
    EXPECT_EQ(std::vector<uint8_t>(moved.begin() + 0x20, moved.begin() + 0x24),
              (std::vector<uint8_t>{0x00, 0x80, 0x00, 0x08}));
    // Only the pointer changed in the old part of the file.
    std::vector<uint8_t> oldPart(moved.begin(), moved.begin() + 0x8000);
    oldPart[0x21] = 0x10;
    EXPECT_EQ(oldPart, after);
    EXPECT_EQ(
        Unpack(PackedCodec::Lz10, std::span(moved).subspan(0x8000)).bytes,
        std::vector<uint8_t>(e.Space().Document().Data(), e.Space().Document().Data() + 2048));

    // Save As makes the unpacked bytes a plain file, and the block is no longer open.
    e.FileSaveAs(PathOf("tiles.bin"));
    EXPECT_FALSE(nav.IsBlockOpen());
    const std::vector<uint8_t> plain = ReadFile("tiles.bin");
    ASSERT_GE(plain.size(), 2048u);
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 2048, e.Space().Document().Data()));
}

TEST_F(PackedBlockNavigatorTest, AChangedRomIsNotOverwritten) {
    const std::string path = MakeRom();
    Editor& e = Start({path});
    PackedBlockNavigator nav(*workspace, e);
    ASSERT_TRUE(nav.Open(*nav.FindNext()));
    rom[0x1008] ^= 0xFF; // another program changed the block meanwhile
    WriteFile("rom.gba", rom);
    e.EditClear();
    e.FileSave();
    EXPECT_EQ(ReadFile("rom.gba"), rom);
    EXPECT_TRUE(workspace->IsModified());
    EXPECT_EQ(view.failures.size(), 1u);
}

TEST_F(PackedBlockNavigatorTest, ABlockComingBackFromARecoveryFileIsSavedIntoItsRom) {
    const std::string path = MakeRom();
    using A = PackedBlockOrigin::Adoption;
    const struct {
        std::string name;
        bool block;
    } names[] = {
        {PackedBlockOrigin::BlockPath(path, PackedCodec::SnesLe, 0x123456), true},
        {path, false},
        {path + " [LZ10 @ 0x1000]", false}, // not the form the program writes
        {path + " [LZ12 @ 0x001000]", false},
        {path + " [LZ10 @ 0x00100G]", false},
        {"[LZ10 @ 0x001000]", false},
    };
    for (const auto& n : names)
        EXPECT_EQ(PackedBlockOrigin::ParseBlockPath(n.name).has_value(), n.block) << n.name;

    Editor& e = Start({path});
    PackedBlockNavigator nav(*workspace, e);
    RecoveryRecord record;
    record.dataSize = 2048;
    record.bytes.assign(2048, 0x11);
    // The block at 0x7000 is gone (the ROM holds 0xAA there): restored, but not as a block.
    record.documentPath = PackedBlockOrigin::BlockPath(path, PackedCodec::Lz10, 0x7000);
    A adoption = A::Adopted;
    ASSERT_TRUE(nav.RestoreRecovery(record, adoption));
    EXPECT_EQ(adoption, A::Missing);
    EXPECT_FALSE(nav.IsBlockOpen());

    record.documentPath = PackedBlockOrigin::BlockPath(path, PackedCodec::Lz10, 0x4000);
    ASSERT_TRUE(nav.RestoreRecovery(record, adoption));
    EXPECT_EQ(adoption, A::Adopted);
    EXPECT_TRUE(nav.IsBlockOpen());
    EXPECT_TRUE(workspace->IsModified());
    e.FileSave();
    const std::vector<uint8_t> after = ReadFile("rom.gba");
    ASSERT_EQ(after.size(), rom.size());
    EXPECT_EQ(Unpack(PackedCodec::Lz10, std::span(after).subspan(0x4000)).bytes, record.bytes);
    EXPECT_EQ(Unpack(PackedCodec::Lz10, std::span(after).subspan(0x1000)).bytes, tiles);
    EXPECT_FALSE(workspace->IsModified());
}

} // namespace
} // namespace tavrin
