#include "core/formats/CFormatTable.h"
#include "core/formats/PageCodec.h"
#include "core/formats/PluginFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::PluginFolder;
using test::SamplePlugin;
using test::TestPlugin;

// Whether the process has the library mapped (a look that does not load it).
bool IsMapped(const std::string& path) {
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr)
        ::dlclose(handle);
    return handle != nullptr;
}

struct Loaded {
    std::vector<std::string> reports; // outlives the table, which reports until its end
    CFormatTable table;
    bool result = false;

    explicit Loaded(const std::string& folder) {
        result = table.LoadPlugins(folder, [this](const std::string& m) { reports.push_back(m); });
    }
    // The one report naming the file, or "" (several fail the test).
    std::string ReportFor(const std::string& file) const {
        std::string found;
        for (const std::string& r : reports) {
            if (r.find("/" + file + ":") == std::string::npos)
                continue;
            EXPECT_TRUE(found.empty()) << "reported twice: " << r;
            found = r;
        }
        return found;
    }
};

void SamplesInto(PluginFolder& folder) {
    for (const char* name : {"2bpp_packed", "8bpp_linear", "8bpp_snes"})
        folder.Copy(SamplePlugin(name), std::string(name) + ".so");
}

TEST(CFormat_plugin, FolderYieldsExactlyTheAcceptedFormatsInNameOrder) {
    PluginFolder folder;
    SamplesInto(folder);
    const struct {
        const char* file;
        const char* built; // test plug-in to copy, or null for a text file
        const char* reason;
        size_t cut = 0; // bytes kept of the copy (an interrupted copy), or 0 for all
    } broken[] = {
        {"a_version2.so", "version2", "interface version 2, not 3"},
        {"a_version4.so", "version4", "interface version 4, not 3"},
        {"b_text.so", nullptr, "not a loadable library"},
        {"c_no_symbols.so", "no_symbols", "no PluginHeaderProc"},
        {"d_no_object_proc.so", "no_object_proc", "no PluginObjectProc"},
        {"e_null_object.so", "null_object", "PluginObjectProc returned no format object"},
        {"f_null_info.so", "null_info", "GetInfo returned no format information"},
        {"g_bad_depth.so", "bad_depth", "bits per pixel 9 outside 1 to 8"},
        {"h_bad_size.so", "bad_size", "tiles of 24 x 8 pixels do not tile 128 x 128"},
        {"i_throws_header.so", "throws_header", "PluginHeaderProc threw an exception"},
        {"k_cut.so", "counting", "not a loadable library (cut short: ", 1000},
        {"l_cut.so", "counting", "not a loadable library (cut short: ", 8192},
    };
    for (const auto& b : broken) {
        if (b.built != nullptr) {
            const std::string path = folder.Copy(TestPlugin(b.built), b.file);
            if (b.cut != 0)
                std::filesystem::resize_file(path, b.cut);
        } else
            folder.Write(b.file, "not a library\n");
    }
    folder.MakeFolder("j_folder.so");
    folder.Copy(TestPlugin("counting"), "counting.so.txt");

    Loaded loaded(folder.Path());
    EXPECT_TRUE(loaded.result);
    ASSERT_EQ(loaded.table.Count(), 16);
    EXPECT_EQ(loaded.table.Get(13)->Name(), "2BPP packed");
    EXPECT_EQ(loaded.table.Get(14)->Name(), "8BPP linear");
    EXPECT_EQ(loaded.table.Get(15)->Name(), "8BPP SNES");
    for (const auto& b : broken) {
        const std::string report = loaded.ReportFor(b.file);
        EXPECT_EQ(report.rfind("plug-in " + folder.PathOf(b.file) + ": ", 0), 0u) << report;
        EXPECT_NE(report.find(b.reason), std::string::npos) << report;
    }
    EXPECT_EQ(loaded.reports.size(), std::size(broken));
}

TEST(CFormat_plugin, FourthGoodPluginIsRefusedAndTheScanStops) {
    PluginFolder folder;
    SamplesInto(folder);
    folder.Copy(TestPlugin("counting"), "9_counting.so");
    folder.Copy(TestPlugin("version2"), "z_version2.so");
    Loaded loaded(folder.Path());
    EXPECT_FALSE(loaded.result);
    EXPECT_EQ(loaded.table.Count(), 16);
    EXPECT_EQ(loaded.table.Get(15)->Name(), "8BPP SNES");
    ASSERT_EQ(loaded.reports.size(), 1u);
    EXPECT_NE(loaded.ReportFor("9_counting.so").find("the format list is full"), std::string::npos);
    EXPECT_FALSE(IsMapped(folder.PathOf("9_counting.so")));
}

TEST(CFormat_plugin, MissingOrEmptyFolderAddsNothingSilently) {
    PluginFolder folder;
    for (const std::string& path : {folder.PathOf("none"), folder.Path(), std::string()}) {
        Loaded loaded(path);
        EXPECT_TRUE(loaded.result);
        EXPECT_EQ(loaded.table.Count(), 13);
        EXPECT_TRUE(loaded.reports.empty());
    }
}

TEST(CFormat_plugin, RecordIsThereFromRegistrationAndTheLibraryOnlyWhileActive) {
    PluginFolder folder;
    const std::string path = folder.Copy(TestPlugin("counting"), "counting.so");
    Loaded loaded(folder.Path());
    ASSERT_EQ(loaded.table.Count(), 14);
    CFormat& plugin = *loaded.table.Get(13);
    CFormat& builtin = *loaded.table.Get(1);
    EXPECT_FALSE(IsMapped(path));
    ASSERT_NE(plugin.GetInfo(), nullptr);
    EXPECT_EQ(plugin.GetInfo()->bitsPerPixel, 2);
    EXPECT_EQ(plugin.BitsPerPixel(), 2);
    EXPECT_EQ(plugin.Name(), "Counting");
    EXPECT_EQ(plugin.GetHeader().revision, 7);
    EXPECT_EQ(plugin.StepAddress(nullptr, 0, 0, StepPlus10Blocks), 256);
    EXPECT_EQ(loaded.table.FindByExtension("game.nes"), 13);
    EXPECT_EQ(loaded.table.ListLine(13), "Ver.3  Counting ( cnt,nes )  by Test author  ( "
                                         "https://tavrin.example.org/plugins/test ) ");

    Image8 image(128, 128);
    std::vector<uint8_t> bytes(32, 0);
    PageSettings page;
    page.address = 5;
    // The window's change of format: the old one is deactivated, the new one activated.
    for (int round = 0; round < 2; ++round) {
        plugin.Activate();
        EXPECT_TRUE(IsMapped(path));
        image.Fill(0xEE);
        DecodePage(plugin, bytes.data(), page, image);
        EXPECT_EQ(image.Pixel(0, 0), 1) << "a fresh library makes its first object";
        EXPECT_EQ(image.Pixel(1, 0), 1) << "and activates it once";
        EXPECT_EQ(image.Pixel(3, 0), 5);
        EXPECT_EQ(image.Pixel(4, 0), 0xEE);
        image.SetPixel(0, 0, 0x3C);
        EncodePage(plugin, bytes.data(), page, image);
        EXPECT_EQ(bytes[5], 0x3C);
        bytes[5] = 0;

        plugin.Deactivate();
        EXPECT_FALSE(IsMapped(path));
        builtin.Activate();
        EXPECT_EQ(plugin.GetInfo(), loaded.table.Get(13)->GetInfo());
        EXPECT_EQ(plugin.Name(), "Counting");
        builtin.Deactivate();
    }
}

TEST(CFormat_plugin, TileSidesZeroAndOneStepLikeEight) {
    PluginFolder folder;
    folder.Copy(TestPlugin("counting"), "a_eight.so");
    folder.Copy(TestPlugin("zero_tiles"), "b_zero.so");
    Loaded loaded(folder.Path());
    ASSERT_EQ(loaded.table.Count(), 15);
    for (int index : {13, 14}) {
        CFormat& format = *loaded.table.Get(index);
        for (const auto& [code, step] : {std::pair{StepPlus1Block, 16},
                                         {StepPlus10Blocks, 256},
                                         {StepPlus100Blocks, 4096},
                                         {StepMinus1Block, -16}})
            EXPECT_EQ(format.StepAddress(nullptr, 4096, 0, code), 4096 + step)
                << index << " " << code;
    }
}

TEST(CFormat_plugin, PatternIsDroppedWhenAPageHasFewerThan256Tiles) {
    PluginFolder folder;
    folder.Copy(TestPlugin("big_tiles"), "a_big.so");
    folder.Copy(TestPlugin("counting"), "b_small.so");
    Loaded loaded(folder.Path());
    ASSERT_EQ(loaded.table.Count(), 15);
    std::vector<uint8_t> pattern(256, 255);
    std::vector<uint8_t> bytes(16);
    PageSettings page;
    page.pattern = pattern.data();
    for (const auto& [index, passed] : {std::pair{13, 0}, std::pair{14, 1}}) {
        CFormat& format = *loaded.table.Get(index);
        format.Activate();
        Image8 image(128, 128);
        DecodePage(format, bytes.data(), page, image);
        EXPECT_EQ(image.Pixel(2, 0), passed) << index;
        format.Deactivate();
    }
}

TEST(CFormat_plugin, ThrowingPluginIsReportedOnceAndGoesInertUntilActivatedAgain) {
    PluginFolder folder;
    folder.Copy(TestPlugin("throws"), "throws.so");
    Loaded loaded(folder.Path());
    ASSERT_EQ(loaded.table.Count(), 14);
    auto& plugin = dynamic_cast<CFormat_plugin&>(*loaded.table.Get(13));
    Image8 image(128, 128);
    std::vector<uint8_t> bytes(8192, 0);
    BlockParams p{};
    p.bytes = bytes.data();
    for (int round = 0; round < 2; ++round) {
        plugin.Activate();
        EXPECT_TRUE(plugin.IsLive());
        EXPECT_NO_THROW(plugin.DecodeBlock(image, p));
        EXPECT_EQ(image.Pixel(0, 0), 0x5A);
        EXPECT_FALSE(plugin.IsLive());
        image.SetPixel(0, 0, 0);
        plugin.DecodeBlock(image, p);
        plugin.EncodeBlock(image, p);
        EXPECT_EQ(image.Pixel(0, 0), 0) << "not called again after throwing";
        EXPECT_EQ(bytes[0], 0);
        plugin.Deactivate();
    }
    ASSERT_EQ(loaded.reports.size(), 1u);
    EXPECT_EQ(loaded.reports[0], "plug-in " + folder.PathOf("throws.so") +
                                     ": DecodeBlock threw an exception (decode failed)");
}

TEST(CFormat_plugin, LibraryBrokenAfterStartUpLeavesTheFormatSelectableButInert) {
    const struct {
        const char* replacement; // null: the file is removed
        const char* reason;
    } cases[] = {
        {nullptr, "cannot be loaded"},
        {"null_object", "PluginObjectProc returned no format object"},
        {"no_object_proc", "no PluginObjectProc"},
        {"bad_size", "its format information changed since start-up"},
    };
    for (const auto& c : cases) {
        PluginFolder folder;
        const std::string path = folder.Copy(TestPlugin("counting"), "counting.so");
        Loaded loaded(folder.Path());
        ASSERT_EQ(loaded.table.Count(), 14);
        if (c.replacement != nullptr)
            folder.Copy(TestPlugin(c.replacement), "counting.so");
        else
            std::filesystem::remove(path);
        auto& plugin = dynamic_cast<CFormat_plugin&>(*loaded.table.Get(13));
        plugin.Activate();
        plugin.Activate(); // reported once only
        EXPECT_FALSE(plugin.IsLive());
        EXPECT_FALSE(IsMapped(path));
        Image8 image(128, 128);
        image.Fill(7);
        std::vector<uint8_t> bytes(4096, 0x11);
        DecodePage(plugin, bytes.data(), PageSettings{}, image);
        EncodePage(plugin, bytes.data(), PageSettings{}, image);
        EXPECT_EQ(image.Pixel(0, 0), 7);
        EXPECT_EQ(bytes[0], 0x11);
        ASSERT_NE(plugin.GetInfo(), nullptr);
        EXPECT_EQ(plugin.Name(), "Counting");
        ASSERT_EQ(loaded.reports.size(), 1u) << c.reason;
        EXPECT_NE(loaded.reports[0].find(c.reason), std::string::npos) << loaded.reports[0];
        plugin.Deactivate();
    }
}

TEST(CFormat_plugin, PathOf1024CharactersIsRefusedWithoutLoading) {
    CFormat_plugin plugin;
    EXPECT_FALSE(plugin.SetPath("/" + std::string(1023, 'a')));
    EXPECT_EQ(plugin.Problem(), "path longer than 1023 characters");
    EXPECT_FALSE(plugin.IsLoaded());
    EXPECT_EQ(plugin.GetInfo(), nullptr);
    EXPECT_FALSE(plugin.SetPath("/" + std::string(1022, 'a')));
    EXPECT_NE(plugin.Problem().find("not a loadable library"), std::string::npos);
    EXPECT_TRUE(plugin.SetPath(TestPlugin("counting")));
    EXPECT_TRUE(plugin.IsLoaded());
}

TEST(CFormat_plugin, DestroyingAnActiveFormatUnloadsItsLibrary) {
    PluginFolder folder;
    const std::string path = folder.Copy(TestPlugin("counting"), "counting.so");
    {
        Loaded loaded(folder.Path());
        loaded.table.Get(13)->Activate();
        EXPECT_TRUE(IsMapped(path));
    }
    EXPECT_FALSE(IsMapped(path));
}

} // namespace
} // namespace tavrin
