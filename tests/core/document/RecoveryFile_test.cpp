#include "core/document/RecoveryFile.h"

#include "core/document/RomDocument.h"
#include "core/platform/FileIO.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace tavrin {
namespace {

namespace fs = std::filesystem;

class RecoveryFolder : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tavrin_recovery_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Folder() const { return m_dir.string() + "/"; }

    fs::path m_dir;
};

RecoveryRecord Sample() {
    RecoveryRecord r;
    r.documentPath = "/home/ann/games/a.nes";
    r.address = 0x1010;
    r.format = 7;
    r.dataSize = 40;
    for (int i = 0; i < 48; ++i)
        r.bytes.push_back(static_cast<uint8_t>(i * 5 + 1));
    return r;
}

TEST(RecoveryFile, RecordsComeBackExactlyAndDamagedOnesAreRefused) {
    const RecoveryRecord sample = Sample();
    const std::vector<uint8_t> file = EncodeRecovery(sample);
    RecoveryRecord back;
    ASSERT_TRUE(DecodeRecovery(file, back));
    EXPECT_EQ(back.documentPath, sample.documentPath);
    EXPECT_EQ(back.address, sample.address);
    EXPECT_EQ(back.format, sample.format);
    EXPECT_EQ(back.dataSize, sample.dataSize);
    EXPECT_EQ(back.bytes, sample.bytes);

    // Offsets of the head: magic 0-15, path length 16, address 20, format 24, data size 28,
    // byte count 32, reserved 36, path from 40.
    const struct {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> damage;
    } damaged[] = {
        {"empty", [](auto& f) { f.clear(); }},
        {"cut in the head", [](auto& f) { f.resize(30); }},
        {"one byte short", [](auto& f) { f.pop_back(); }},
        {"one byte more", [](auto& f) { f.push_back(0); }},
        {"other magic", [](auto& f) { f[15] = '2'; }},
        {"no path", [](auto& f) { f[16] = 0; }},
        {"path past the end", [](auto& f) { f[17] = 0x10; }},
        {"negative data size", [](auto& f) { f[31] = 0x80; }},
        {"data larger than the bytes", [](auto& f) { f[28] = 49; }},
        {"byte count past the end", [](auto& f) { f[35] = 0x7F; }},
        {"a NUL in the path", [](auto& f) { f[41] = 0; }},
        {"a reserved word of a later layout", [](auto& f) { f[38] = 0x74; }},
    };
    for (const auto& d : damaged) {
        std::vector<uint8_t> bad = file;
        d.damage(bad);
        RecoveryRecord kept = sample;
        kept.address = -5;
        EXPECT_FALSE(DecodeRecovery(bad, kept)) << d.name;
        EXPECT_EQ(kept.address, -5) << d.name << ": a refused file leaves the record";
    }
}

TEST_F(RecoveryFolder, TheKeeperWritesOnlyAfterAChangeAndForgetsASavedDocument) {
    RomDocument doc;
    std::vector<uint8_t> bytes(5000, 0x11);
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size(), "/x/game.chr"));
    RecoveryKeeper keeper(Folder());
    const std::string file = RecoveryFilePath(Folder(), "/x/game.chr");
    EXPECT_EQ(file.rfind(Folder() + "recovery-", 0), 0u);
    EXPECT_NE(file, RecoveryFilePath(Folder(), "/x/game2.chr"));

    const struct {
        const char* step;
        bool modified;
        int generation;
        bool written; // the file was (re)written by this step
        bool present;
    } steps[] = {
        {"unchanged", false, 0, false, false},       {"a change", true, 1, true, true},
        {"no new change", true, 1, false, true},     {"another", true, 2, true, true},
        {"undone to saved", false, 1, false, false}, {"changed again", true, 3, true, true},
    };
    for (const auto& s : steps) {
        if (fs::exists(file))
            fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(1));
        const auto before = fs::exists(file) ? fs::last_write_time(file) : fs::file_time_type{};
        doc.Data()[0] = static_cast<uint8_t>(s.generation);
        EXPECT_TRUE(keeper.Keep(doc, s.modified, s.generation, 0x40, 2)) << s.step;
        ASSERT_EQ(fs::exists(file), s.present) << s.step;
        if (s.present) {
            EXPECT_EQ(fs::last_write_time(file) != before, s.written) << s.step;
        }
    }
    std::vector<uint8_t> kept;
    ASSERT_TRUE(ReadWholeFile(file, kept));
    RecoveryRecord record;
    ASSERT_TRUE(DecodeRecovery(kept, record));
    EXPECT_EQ(record.documentPath, "/x/game.chr");
    EXPECT_EQ(record.address, 0x40);
    EXPECT_EQ(record.format, 2);
    EXPECT_EQ(record.dataSize, 5000);
    ASSERT_EQ(record.bytes.size(), static_cast<size_t>(doc.BufferSize()));
    EXPECT_EQ(record.bytes[0], 3);
    EXPECT_EQ(record.bytes[4999], 0x11);

    // A save leaves nothing to recover; a close removes the file whatever the document.
    keeper.ForgetIfSaved(doc, true);
    EXPECT_TRUE(fs::exists(file));
    keeper.ForgetIfSaved(doc, false);
    EXPECT_FALSE(fs::exists(file));
    ASSERT_TRUE(keeper.Keep(doc, true, 3, 0, 1)) << "written again after a forget";
    EXPECT_TRUE(fs::exists(file));
    keeper.Forget("/x/game.chr");
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(RecoveryFolder, FilesAreListedNewestFirstAndOthersLeftOut) {
    EXPECT_TRUE(RecoveryFilesIn(Folder()).empty()) << "no folder";
    fs::create_directories(m_dir / "recovery-folder.bin");
    const auto now = fs::file_time_type::clock::now();
    const char* names[] = {"recovery-1.bin", "recovery-2.bin", "other.bin", "recovery-3.txt"};
    for (size_t i = 0; i < std::size(names); ++i) {
        std::ofstream(m_dir / names[i]) << "x";
        fs::last_write_time(m_dir / names[i], now - std::chrono::minutes(10 - static_cast<int>(i)));
    }
    EXPECT_EQ(RecoveryFilesIn(Folder()),
              (std::vector<std::string>{Folder() + "recovery-2.bin", Folder() + "recovery-1.bin"}));
}

TEST_F(RecoveryFolder, AnUnwritableFolderIsReported) {
    fs::create_directories(m_dir);
    std::ofstream(m_dir / "file") << "x";
    RecoveryKeeper keeper((m_dir / "file").string() + "/");
    RomDocument doc;
    doc.New();
    EXPECT_FALSE(keeper.Keep(doc, true, 1, 0, 1));
    EXPECT_TRUE(RecoveryKeeper("").Keep(doc, true, 1, 0, 1)) << "no folder keeps nothing";
}

} // namespace
} // namespace tavrin
