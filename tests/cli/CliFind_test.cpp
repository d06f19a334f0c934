#include "cli/CliCommands.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

// find both ways and for bytes, bookmarks and --address @NAME on the command line.

using namespace tavrin;

namespace {

using test::Cli;
using test::CliRun;

class CliFind : public test::TempFolderTest {
protected:
    void SetUp() override {
        std::vector<uint8_t> rom(0x4000);
        for (size_t i = 0; i < rom.size(); ++i)
            rom[i] = static_cast<uint8_t>(i % 251 + 1);
        std::fill_n(rom.begin() + 0x1000, 0x40, uint8_t{0});
        std::fill_n(rom.begin() + 0x2000, 0x40, uint8_t{0});
        const std::string text = "\x82\xE4\x82\xA4HERO"; // "ゆう" in cp932, then ASCII
        std::copy(text.begin(), text.end(), rom.begin() + 0x3003);
        const std::string hero = "HERO";
        std::copy(hero.begin(), hero.end(), rom.begin() + 5);
        m_rom = Write("r.chr", rom);
    }
    std::string m_rom;
};

TEST_F(CliFind, BackwardBytesAndText) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"--from", "0x100"}, CliOk, "0x001040\n", ""},
        {{"--backward", "--from", "0x2041"}, CliOk, "0x002040\n", ""}, // undoes the step
        {{"--backward"}, CliOk, "0x002040\n", ""},
        {{"--backward", "--from", "0x1040"}, CliNotFound, "", "not found.\n"},
        {{"--text", "ゆうHERO"}, CliOk, "0x003003\n", ""},
        {{"--text", "HERO", "--from", "6"}, CliOk, "0x003007\n", ""},
        {{"--text", "HERO", "--backward"}, CliOk, "0x003007\n", ""},
        {{"--bytes", "48 ?? 52 4F"}, CliOk, "0x000005\n", ""},
        {{"--bytes=00 00 ?? 00", "--from", "0x1040"}, CliOk, "0x002000\n", ""},
        {{"--bytes", "48 4"}, CliBadInput, "", "tavrin-cli: --bytes '48 4': "},
        {{"--text", "😀"}, CliBadInput, "", "tavrin-cli: --text '😀': "},
        {{"--bytes", "48", "--text", "H"},
         CliBadInput,
         "",
         "tavrin-cli: options --bytes and --text do not go together\n"},
        {{"--backward=yes"}, CliBadInput, "", "tavrin-cli: option --backward takes no value\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"find", m_rom};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[0];
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.args[0];
        EXPECT_EQ(r.err.empty(), c.err.empty()) << r.err;
    }
}

TEST_F(CliFind, BookmarksListedAndTakenByExport) {
    EXPECT_EQ(Cli({"bookmarks", m_rom}).out, ""); // no file yet
    WriteText("r.chr.bookmarks", "# notes\n"
                                 "001000 | 2BPP GB | 0 | 90 | both | 1 | Logo\n"
                                 "damaged\n"
                                 "002000 | NO SUCH FORMAT | 0 | 0 | none | 0 | Other\n");
    const CliRun list = Cli({"bookmarks", m_rom});
    EXPECT_EQ(list.status, CliOk);
    EXPECT_EQ(list.out, "0x001000\t2BPP GB\t0\t90\tboth\t1\tLogo\n"
                        "0x002000\tNO SUCH FORMAT\t0\t0\tnone\t0\tOther\n");
    EXPECT_EQ(list.err, "tavrin-cli: " + m_rom + ".bookmarks:3: not a bookmark, skipped\n");

    // @NAME takes the bookmark's place: the same export as with the options written out,
    // and an option given wins over the bookmark's.
    const std::string a = Path("a.bmp");
    const std::string b = Path("b.bmp");
    const std::vector<std::string> spelled = {"--address", "0x1000", "--format", "2BPP GB",
                                              "--rotate",  "90",     "--mirror", "both",
                                              "--entry",   "4"};
    struct Case {
        std::vector<std::string> withBookmark;
        std::vector<std::string> written;
    } cases[] = {
        {{"--address", "@Logo"}, spelled},
        {{"--address=@Logo", "--rotate", "0"},
         {"--address", "0x1000", "--format", "2BPP GB", "--mirror", "both", "--entry", "4"}},
        {{"--address", "@Logo", "--entry", "0", "--format", "1"},
         {"--address", "0x1000", "--format", "1", "--rotate", "90", "--mirror", "both"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> one = {"export", m_rom, a};
        one.insert(one.end(), c.withBookmark.begin(), c.withBookmark.end());
        std::vector<std::string> two = {"export", m_rom, b};
        two.insert(two.end(), c.written.begin(), c.written.end());
        const CliRun r = Cli(one);
        ASSERT_EQ(r.status, CliOk) << r.err;
        EXPECT_EQ(r.err, "");
        ASSERT_EQ(Cli(two).status, CliOk);
        EXPECT_EQ(Read(a), Read(b)) << c.withBookmark.size();
    }
    // The bookmark's rotation really was taken: without it the page differs.
    ASSERT_EQ(Cli({"export", m_rom, b, "--address", "0x1000", "--format", "2BPP GB"}).status,
              CliOk);
    EXPECT_NE(Read(a), Read(b));

    const CliRun missing = Cli({"export", m_rom, a, "--address", "@Nope"});
    EXPECT_EQ(missing.status, CliBadInput);
    EXPECT_EQ(missing.err, "tavrin-cli: " + m_rom +
                               ".bookmarks: no bookmark named 'Nope' (see "
                               "'tavrin-cli bookmarks " +
                               m_rom + "')\n");
    const CliRun unknownFormat = Cli({"export", m_rom, a, "--address", "@Other"});
    EXPECT_EQ(unknownFormat.status, CliOk);
    EXPECT_NE(unknownFormat.err.find("warning: the format 'NO SUCH FORMAT'"), std::string::npos);
    const CliRun help = Cli({"bookmarks", "--help"});
    EXPECT_EQ(help.out.rfind("Usage: tavrin-cli bookmarks ROM", 0), 0u);
    EXPECT_NE(Cli({"export", "--help"}).out.find("--address @NAME"), std::string::npos);
}

} // namespace
