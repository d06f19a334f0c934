#include "core/formats/CFormatTable.h"
#include "core/formats/CFormatUtil.h"
#include "core/formats/PageCodec.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace tavrin {
namespace {

// A format that changes its record or starts throwing after it has been added.
class UnsteadyFormat : public CFormat {
public:
    UnsteadyFormat(const char* name, const char* extensions, const char* author = "-",
                   const char* url = "-") {
        m_header.version = 3;
        CopyText(m_header.author, author);
        CopyText(m_header.url, url);
        m_info.bitsPerPixel = 2;
        m_info.width = 8;
        m_info.height = 8;
        CopyText(m_info.name, name);
        CopyText(m_info.extensions, extensions);
    }
    const FormatInfo* GetInfo() override {
        if (throws)
            throw std::runtime_error("broken");
        return &m_info;
    }
    void DecodeBlock(Image8&, const BlockParams&) override { throw std::runtime_error("decode"); }
    void EncodeBlock(Image8&, const BlockParams&) override { throw 1; }
    FormatInfo& Info() { return m_info; }
    bool throws = false;
};

TEST(CFormatTableRecords, TableKeepsTheRecordItCheckedWhenTheFormatWasAdded) {
    CFormatTable table;
    auto format = std::make_unique<UnsteadyFormat>("Original", "abc");
    UnsteadyFormat* f = format.get();
    ASSERT_TRUE(table.Add(std::move(format)));
    f->Info().bitsPerPixel = 9;
    CopyText(f->Info().name, "Changed");
    CopyText(f->Info().extensions, "xyz");

    ASSERT_NE(table.Info(13), nullptr);
    EXPECT_NE(table.Info(13), f->GetInfo());
    EXPECT_EQ(table.Info(13)->bitsPerPixel, 2);
    EXPECT_EQ(table.FindByExtension("a.abc"), 13);
    EXPECT_EQ(table.FindByExtension("a.xyz"), 0);
    EXPECT_EQ(table.NameList().substr(table.NameList().rfind('\n')), "\nOriginal");
    EXPECT_EQ(table.ListLine(13), "Ver.3  Original ( abc ) ");
    EXPECT_EQ(table.Info(14), nullptr);
    EXPECT_EQ(table.Info(-1), nullptr);
    EXPECT_EQ(table.ListLine(14), "");

    table.Remove(0);
    EXPECT_EQ(table.Info(12)->bitsPerPixel, 2);
    EXPECT_EQ(table.Info(0)->bitsPerPixel, 2); // "2BPP NES" moved down
    EXPECT_EQ(table.Info(13), nullptr);
}

TEST(CFormatTableRecords, NothingAFormatThrowsLeavesTheTableOrThePageCodec) {
    CFormatTable table;
    auto format = std::make_unique<UnsteadyFormat>("Thrower", "abc");
    UnsteadyFormat* f = format.get();
    ASSERT_TRUE(table.Add(std::move(format)));
    f->throws = true;
    EXPECT_EQ(table.FindByExtension("a.abc"), 0);
    EXPECT_EQ(table.ExtensionPatterns().find("abc"), std::string::npos);
    EXPECT_EQ(table.ListLine(13), "Ver.3  Thrower ");
    EXPECT_EQ(CFormatUtil::InfoText(f), "* NO INFO *");
    Image8 image(128, 128);
    std::vector<uint8_t> bytes(8192);
    EXPECT_NO_THROW(DecodePage(*f, bytes.data(), PageSettings{}, image));
    EXPECT_NO_THROW(EncodePage(*f, bytes.data(), PageSettings{}, image));
}

TEST(CFormatTableRecords, ListLinesShowOnlyTextsLongEnough) {
    CFormatTable table;
    EXPECT_EQ(table.ListLine(0), "Ver.3  1BPP ( bin ) ");
    EXPECT_EQ(table.ListLine(1), "Ver.3  2BPP NES ( chr,nes,fds,fam ) ");
    EXPECT_EQ(table.ListLine(5), "Ver.3  2BPP MSX ");
    EXPECT_EQ(table.ListLine(12), "Ver.3  1BPP (16x16) ");
    const struct {
        const char* extensions;
        const char* author;
        const char* url;
        const char* line;
    } cases[] = {
        {"z", "a", "http://x", "Ver.3  F "},
        {"zz", "ab", "https://x", "Ver.3  F ( zz )  by ab  ( https://x ) "},
        {"", "", "", "Ver.3  F "},
        // Texts are cp932 in the record and UTF-8 in the line.
        {"", "\x93\x63\x92\x86", "", "Ver.3  F  by 田中 "},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(
            table.Add(std::make_unique<UnsteadyFormat>("F", c.extensions, c.author, c.url)));
        EXPECT_EQ(table.ListLine(13), c.line);
        table.Remove(13);
    }
}

} // namespace
} // namespace tavrin
