#include "core/platform/FileIO.h"
#include "core/platform/IniFile.h"
#include "core/platform/SafeFileWriter.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

std::string RoundTrip(const std::string& text) {
    IniFile ini;
    EXPECT_TRUE(ini.LoadFromText(text));
    return ini.SaveToText();
}

} // namespace

TEST(IniFileComments, CommentsAfterTheLastEntryAreKept) {
    EXPECT_EQ(RoundTrip("[S]\na=1\n; last words\n"), "[S]\na = 1\n\n; last words\n");
    EXPECT_EQ(RoundTrip("[S]\r\na=1\r\n# one\r\n\r\n; two\r\n"), "[S]\na = 1\n\n# one\n\n; two\n");
    EXPECT_EQ(RoundTrip("[S]\na=1\n[Empty]\n; under an empty section\n"),
              "[S]\na = 1\n\n\n[Empty]\n\n; under an empty section\n");
}

TEST(IniFileComments, ALoneCarriageReturnEndsALine) {
    // "Top=5" is a key after "#c", not part of a comment, and must not come back twice.
    const std::string once = RoundTrip("[Tavrin]\nLeft=1\n#c\rTop=5\n");
    EXPECT_EQ(once, "[Tavrin]\nLeft = 1\n\n#c\nTop = 5\n");
    EXPECT_EQ(RoundTrip(once), once);
    EXPECT_EQ(RoundTrip("[S]\ra=1\r; end\r"), "[S]\na = 1\n\n; end\n");
}

TEST(IniFileComments, NothingAfterANulIsRead) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText(std::string("[S]\na=1\n\0[S]\nb=2\n; hidden\n", 26)));
    EXPECT_FALSE(ini.HasKey("S", "b"));
    EXPECT_EQ(ini.SaveToText(), "[S]\na = 1\n");
}

TEST(IniFileComments, AFileOfCommentsOnlyKeepsThemAll) {
    EXPECT_EQ(RoundTrip("; one\n"), "; one\n");
    EXPECT_EQ(RoundTrip("; one\n\n; two\n"), "; one\n\n; two\n");
    EXPECT_EQ(RoundTrip("\n\n; one\n\n; two\n"), "; one\n\n; two\n");
}

TEST(IniFileComments, CommentsAreNeitherDoubledNorLostOverRoundTrips) {
    const std::string text = "; head\n\n[A]\n; before k\nk=v\n[B]\nx=1\n; tail one\n; tail two\n";
    const std::string once = RoundTrip(text);
    EXPECT_EQ(RoundTrip(once), once);
    for (const char* comment : {"; head", "; before k", "; tail one", "; tail two"}) {
        const size_t at = once.find(comment);
        EXPECT_NE(at, std::string::npos) << comment;
        EXPECT_EQ(once.find(comment, at + 1), std::string::npos) << comment;
    }
}

TEST(IniFileComments, AKeyAddedLaterStaysInItsSection) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[S]\na=1\n; end\n"));
    ini.WriteInteger("S", "b", 2);
    ini.WriteInteger("T", "c", 3);
    EXPECT_EQ(ini.SaveToText(), "[S]\na = 1\nb = 2\n\n\n[T]\nc = 3\n\n; end\n");
    IniFile back;
    ASSERT_TRUE(back.LoadFromText(ini.SaveToText()));
    EXPECT_EQ(back.ReadInteger("S", "b", 0), 2);
    EXPECT_EQ(back.ReadInteger("T", "c", 0), 3);
}

TEST(IniFileComments, ReloadingForgetsTheOldTail) {
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromText("[S]\na=1\n; old\n"));
    ASSERT_TRUE(ini.LoadFromText("[S]\na=2\n"));
    EXPECT_EQ(ini.SaveToText(), "[S]\na = 2\n");
}

TEST(IniFileSave, ReplacesTheFileWholeAndLeavesNoTemporary) {
    const tavrin::test::TempFolder folder;
    const std::string path = folder.File("save.ini");
    const std::string longer(4000, ';');
    ASSERT_TRUE(tavrin::WriteFileSafely(path, longer.data(), longer.size()));
    tavrin::IniFile ini;
    ini.WriteInteger("Tavrin", "ZoomType", 2);
    ASSERT_TRUE(ini.Save(path));
    std::vector<uint8_t> back;
    ASSERT_TRUE(tavrin::ReadWholeFile(path, back));
    EXPECT_EQ(std::string(back.begin(), back.end()), ini.SaveToText());
    EXPECT_FALSE(tavrin::FileExists(path + ".tmp"));
    EXPECT_FALSE(ini.Save("/nonexistent-dir/x.ini"));
    std::remove(path.c_str());
}
