#include "core/formats/BuiltinFormats.h"
#include "core/formats/CFormatUtil.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavrin {
namespace {

class InfoFormat : public CFormat {
public:
    InfoFormat() {
        m_info.bitsPerPixel = 3;
        m_info.width = 16;
        m_info.height = 8;
        m_info.autoPaletteMode = 2;
        m_info.defaultPaletteMode = -4;
        m_info.disableAdfPattern = 1;
        m_info.indexMode = 1;
        m_info.maxIndex = 1234;
        m_info.compress = 2;
        m_info.loadOnly = 1;
        CopyText(m_info.name, "Test \x83\x65\x83\x58\x83\x67"); // "Test テスト" in cp932
        CopyText(m_info.extensions, "abc,def");
        m_header.version = 3;
        CopyText(m_header.author, "\x8e\x52\x93\x63"); // "山田"
        CopyText(m_header.url, "http://example.invalid/");
    }
    const FormatInfo* GetInfo() override {
        if (failing)
            throw std::runtime_error("no info");
        return nullInfo ? nullptr : &m_info;
    }
    bool nullInfo = false;
    bool failing = false;
};

TEST(CFormatUtil, InfoTextOfABuiltinFormat) {
    CFormat_2NES nes;
    EXPECT_EQ(CFormatUtil::InfoText(&nes), "Format name           \t: 2BPP NES\n"
                                           "\n"
                                           "Bit Per Pixel         \t: 2\n"
                                           "Color                 \t: 4\n"
                                           "Charactor width       \t: 8\n"
                                           "Charactor height      \t: 8\n"
                                           "Compress              \t: false\n"
                                           "Load only             \t: false\n"
                                           "\n"
                                           "Auto palette mode     \t: true\n"
                                           "Default palette mode  \t: 0\n"
                                           "Disable ADF pattern   \t: false\n"
                                           "\n"
                                           "Index mode            \t: false\n"
                                           "Max index             \t: 0\n"
                                           "\n"
                                           "Extensions           \t: chr,nes,fds,fam\n"
                                           "\n"
                                           "Plugin author         \t: -\n"
                                           "Plugin URL            \t: -\n");
}

TEST(CFormatUtil, InfoTextShowsTruthOnlyForOneAndConvertsTexts) {
    InfoFormat f;
    EXPECT_EQ(CFormatUtil::InfoText(&f), "Format name           \t: Test テスト\n"
                                         "\n"
                                         "Bit Per Pixel         \t: 3\n"
                                         "Color                 \t: 8\n"
                                         "Charactor width       \t: 16\n"
                                         "Charactor height      \t: 8\n"
                                         "Compress              \t: false\n"
                                         "Load only             \t: true\n"
                                         "\n"
                                         "Auto palette mode     \t: false\n"
                                         "Default palette mode  \t: -4\n"
                                         "Disable ADF pattern   \t: true\n"
                                         "\n"
                                         "Index mode            \t: true\n"
                                         "Max index             \t: 1234\n"
                                         "\n"
                                         "Extensions           \t: abc,def\n"
                                         "\n"
                                         "Plugin author         \t: 山田\n"
                                         "Plugin URL            \t: http://example.invalid/\n");
}

TEST(CFormatUtil, NoInfoWithoutAFormatOrRecord) {
    EXPECT_EQ(CFormatUtil::InfoText(nullptr), "* NO INFO *");
    InfoFormat f;
    f.nullInfo = true;
    EXPECT_EQ(CFormatUtil::InfoText(&f), "* NO INFO *");
    f.nullInfo = false;
    f.failing = true;
    EXPECT_EQ(CFormatUtil::InfoText(&f), "* NO INFO *");
}

} // namespace
} // namespace tavrin
