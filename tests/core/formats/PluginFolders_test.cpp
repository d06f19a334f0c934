#include "core/formats/PluginFolder.h"
#include "core/formats/PluginFolders.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::PluginFolder;
using test::SamplePlugin;

// The names after the built-in formats.
std::vector<std::string> PluginNames(const CFormatTable& table) {
    std::vector<std::string> names;
    std::stringstream list(table.NameList());
    std::string name;
    for (int i = 0; std::getline(list, name); ++i)
        if (i >= CFormatTable::BuiltinCount)
            names.push_back(name);
    return names;
}

// Beside the program, the prefix's lib folder, the user's data folder: the first found
// first, and at most three in all, the rest of the search stopping at the full table.
TEST(PluginFolders, FoldersAreSearchedInOrderUntilTheTableIsFull) {
    PluginFolder beside, system, user;
    beside.Copy(SamplePlugin("8bpp_snes"), "a.so");
    system.Copy(SamplePlugin("2bpp_packed"), "a.so");
    system.Copy(SamplePlugin("8bpp_linear"), "b.so");
    user.Copy(SamplePlugin("8bpp_snes"), "z.so");
    std::vector<std::string> reports;
    CFormatTable table;
    EXPECT_FALSE(LoadPluginFolders(
        table,
        {beside.Path(), "/nonexistent/tavrin/plugins/", system.Path(), beside.Path(), user.Path()},
        [&reports](const std::string& m) { reports.push_back(m); }));
    EXPECT_EQ(PluginNames(table),
              (std::vector<std::string>{"8BPP SNES", "2BPP packed", "8BPP linear"}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(user.PathOf("z.so")), std::string::npos) << reports[0];
}

TEST(PluginFolders, NoFoldersOrEmptyOnesLeaveTheBuiltinsAlone) {
    PluginFolder empty;
    CFormatTable table;
    EXPECT_TRUE(LoadPluginFolders(table, {}));
    EXPECT_TRUE(LoadPluginFolders(table, {"", empty.Path()}));
    EXPECT_EQ(table.Count(), CFormatTable::BuiltinCount);
}

} // namespace
} // namespace tavrin
