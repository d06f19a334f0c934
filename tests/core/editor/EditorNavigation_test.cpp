#include "core/editor/Editor.h"
#include "core/nav/AddressParse.h"

#include "RecordingView.h"

#include <gtest/gtest.h>

using namespace tavrin;

namespace {

using EditorNavigation = EditorTest;

struct StepCase {
    int code;
    int from;
    int expected;
};

TEST_F(EditorNavigation, EveryStepOnAPlainFile) {
    // 64 KiB shown as "2BPP NES": tile 16 bytes, row 256, page 4096.
    const std::string rom = WriteFile("plain.chr", Counting(65536));
    Editor& e = Start({rom});
    ASSERT_EQ(e.Space().FormatIndex(), 1);
    const StepCase cases[] = {
        {StepFirst, 0x5000, 0},
        {StepMinus100Blocks, 0x5000, 0x4000},
        {StepMinus100Blocks, 0x0800, 0},
        {StepMinus10Blocks, 0x5000, 0x4F00},
        {StepMinus1Block, 0x5000, 0x4FF0},
        {StepMinus1, 0x5000, 0x4FFF},
        {StepMinus1, 0, 0},
        {StepPlus1, 0x5000, 0x5001},
        {StepPlus1Block, 0x5000, 0x5010},
        {StepPlus10Blocks, 0x5000, 0x5100},
        {StepPlus100Blocks, 0x5000, 0x6000},
        {StepPlus100Blocks, 0xE800, 0xF000},
        {StepLast, 0x5000, 0xF000},
        {StepWheelUp, 0x5000, 0x5000 - 3 * 256},
        {StepWheelDown, 0x5000, 0x5000 + 3 * 256},
    };
    for (const StepCase& c : cases) {
        e.AddrJump(c.from);
        ASSERT_EQ(e.Space().Address(), c.from);
        e.AddrStep(c.code);
        EXPECT_EQ(e.Space().Address(), c.expected) << "code " << c.code << " from " << c.from;
        EXPECT_EQ(view.positions[ScrollBarId::Chr], c.expected / 256);
    }
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(EditorNavigation, StepsFollowTheFormatsTileSize) {
    const std::string rom = WriteFile("four.bin", Counting(0x20000));
    Editor& e = Start({rom});
    e.ActFormat(8); // 4BPP GBA: tile 32, row 512, page 8192
    e.AddrJump(0x8000);
    e.AddrStep(StepPlus1Block);
    EXPECT_EQ(e.Space().Address(), 0x8020);
    e.AddrStep(StepPlus10Blocks);
    EXPECT_EQ(e.Space().Address(), 0x8220);
    e.AddrStep(StepPlus100Blocks);
    EXPECT_EQ(e.Space().Address(), 0xA220);
    e.AddrStep(StepLast);
    EXPECT_EQ(e.Space().Address(), 0x20000 - 8192);
    // 1BPP (16x16): a hundred blocks are 256 tiles of 32 bytes, four pages.
    e.SelectFormat(12);
    e.AddrJump(0);
    e.AddrStep(StepPlus100Blocks);
    EXPECT_EQ(e.Space().Address(), 0x2000);
}

TEST_F(EditorNavigation, EveryStepOnAnINesImage) {
    // 2 program banks, 1 character bank: header offset 16, start 32784, end 40976.
    const std::string rom = WriteFile("game.nes", INes(2, 1, false));
    Editor& e = Start({rom});
    EXPECT_EQ(e.Space().Address(), 32784);
    EXPECT_EQ(view.caption, "Tavrin ( 008010 / 00A010 ) game.nes");
    EXPECT_EQ(view.positions[ScrollBarId::Chr], (32784 - 16) / 256);

    e.AddrStep(StepLast);
    EXPECT_EQ(e.Space().Address(), 40976 - 4096);
    e.AddrStep(StepPlus1);
    EXPECT_EQ(e.Space().Address(), 40976 - 4096);
    e.AddrStep(StepFirst);
    EXPECT_EQ(e.Space().Address(), 32784);
    // Below the character data is still reachable.
    e.AddrStep(StepMinus100Blocks);
    EXPECT_EQ(e.Space().Address(), 32784 - 4096);
    e.AddrStep(StepMinus1);
    EXPECT_EQ(e.Space().Address(), 32784 - 4097);
    // The scroll bar puts the address back on the row grid, counted from the header.
    e.ScrollBarChange(ScrollBarId::Chr, 100);
    EXPECT_EQ(e.Space().Address(), 100 * 256 + 16);
    e.AddrStep(StepPlus1Block);
    EXPECT_EQ(e.Space().Address(), 100 * 256 + 32);
}

TEST_F(EditorNavigation, AnINesImageWithoutCharacterBanksStartsAfterItsTrainer) {
    const std::string rom = WriteFile("prg.nes", INes(1, 0, true));
    Editor& e = Start({rom});
    EXPECT_EQ(e.Space().Address(), 528);
    e.AddrStep(StepLast);
    EXPECT_EQ(e.Space().Address(), e.Space().Document().DataSize() - 4096);
    e.AddrStep(StepFirst);
    EXPECT_EQ(e.Space().Address(), 528);
}

TEST_F(EditorNavigation, ADocumentSmallerThanAPageStaysAtZero) {
    const std::string rom = WriteFile("tiny.chr", Counting(1000));
    Editor& e = Start({rom});
    for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 16, 17, 64}) {
        e.AddrStep(code);
        EXPECT_EQ(e.Space().Address(), 0) << code;
    }
    e.AddrJump(0x7FFFFFFF);
    EXPECT_EQ(e.Space().Address(), 0);
}

TEST_F(EditorNavigation, AnUnknownStepCodeShowsAMessageAndStays) {
    const std::string rom = WriteFile("u.chr", Counting(65536));
    Editor& e = Start({rom});
    e.AddrJump(0x1234);
    for (int code : {0, 11, 15, 18, 63, 65, -1}) {
        e.AddrStep(code);
        EXPECT_EQ(e.Space().Address(), 0x1234);
    }
    EXPECT_EQ(view.messages, std::vector<std::string>(7, "Unknown Address Type."));
}

TEST_F(EditorNavigation, EveryAddressActionEndsInShowPage) {
    const std::string rom = WriteFile("s.chr", Counting(65536));
    Editor& e = Start({rom});
    view.ClearLog();
    e.AddrStep(StepPlus10Blocks);
    EXPECT_EQ(view.Steps(), "T E");
    EXPECT_EQ(view.Count("caption"), 1);
    EXPECT_EQ(view.Count("status"), 1);
}

TEST_F(EditorNavigation, TheJumpTakesHexadecimalTextAndIgnoresBadText) {
    const std::string rom = WriteFile("j.chr", Counting(65536));
    Editor& e = Start({rom});
    // The dialog parses through the core's address parser and jumps with what it gives.
    const auto jumpText = [&e](const std::string& text) {
        const std::optional<int32_t> address = ParseAddress(text);
        if (address)
            e.AddrJump(*address);
        return address.has_value();
    };
    EXPECT_EQ(FormatAddressText(e.Space().Address()), "00000000");
    EXPECT_TRUE(jumpText("1F"));
    EXPECT_EQ(e.Space().Address(), 0x1F);
    EXPECT_EQ(FormatAddressText(e.Space().Address()), "0000001f");
    EXPECT_FALSE(jumpText("g"));
    EXPECT_FALSE(jumpText(""));
    EXPECT_FALSE(jumpText("80000000"));
    EXPECT_EQ(e.Space().Address(), 0x1F);
    EXPECT_TRUE(jumpText("FFFFFF"));
    EXPECT_EQ(e.Space().Address(), 65536 - 4096);
}

TEST_F(EditorNavigation, TheImageSearchMovesToTheEndOfTheNextBlankRun) {
    std::vector<uint8_t> bytes = Counting(0x8000);
    // A blank area from 0x1003 to 0x1233; graphics follow.
    for (int i = 0x1003; i < 0x1233; ++i)
        bytes[static_cast<size_t>(i)] = 0;
    const std::string rom = WriteFile("find.chr", bytes);
    Editor& e = Start({rom});
    e.AddrJump(0x0F00);
    view.ClearLog();
    e.AddrFind();
    EXPECT_EQ(e.Space().Address(), 0x1230);
    EXPECT_EQ(view.Steps(), "T E T E");
    // Inside the blank area the search goes to its end as well.
    e.AddrJump(0x1100);
    e.AddrFind();
    EXPECT_EQ(e.Space().Address(), 0x1230);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(EditorNavigation, TheImageSearchReportsNotFound) {
    const std::string rom = WriteFile("none.chr", Counting(0x3000));
    Editor& e = Start({rom});
    e.AddrJump(0x100);
    e.AddrFind();
    EXPECT_EQ(view.messages, std::vector<std::string>{"not found."});
    EXPECT_EQ(e.Space().Address(), 0x100);
}

// The clamp the window applies to the tile view's scroll bar while it is dragged.
int ClampChrScrollOf(const Editor& e, int position) {
    const Workspace& ws = e.Space();
    return ClampChrScrollPosition(position, ChrScrollRange(ws.Document().DataSize(), ws.Page()),
                                  ws.Page());
}

TEST_F(EditorNavigation, TheScrollBarClampWhileDragging) {
    const std::string rom = WriteFile("bar.chr", Counting(65536));
    Editor& e = Start({rom});
    EXPECT_EQ(view.ranges[ScrollBarId::Chr], (ScrollRange{0, 256, 17, 1, 16}));
    EXPECT_EQ(ClampChrScrollOf(e, -5), 0);
    EXPECT_EQ(ClampChrScrollOf(e, 300), 240);
    EXPECT_EQ(ClampChrScrollOf(e, 17), 17);
    e.ScrollBarChange(ScrollBarId::Chr, 240);
    EXPECT_EQ(e.Space().Address(), 0xF000);
    // A position past the last page is pulled back by ShowPage.
    e.ScrollBarChange(ScrollBarId::Chr, 250);
    EXPECT_EQ(e.Space().Address(), 0xF000);
    EXPECT_EQ(view.positions[ScrollBarId::Chr], 240);
}

// ---- Mouse wheel ----

TEST_F(EditorNavigation, WithThreeWheelLinesOnlyEveryThirdNotchActs) {
    const std::string rom = WriteFile("w.chr", Counting(0x40000));
    Editor& e = Start({rom}, 3);
    e.AddrJump(0x10000);
    std::vector<int> addresses;
    for (int notch = 0; notch < 7; ++notch) {
        e.MouseWheel(+1, WheelTarget::Other);
        addresses.push_back(e.Space().Address());
    }
    // Notches 1, 4 and 7 act, each moving 3 rows of 256 bytes.
    EXPECT_EQ(addresses,
              (std::vector<int>{0x10300, 0x10300, 0x10300, 0x10600, 0x10600, 0x10600, 0x10900}));
    e.MouseWheel(-1, WheelTarget::Other);
    e.MouseWheel(-1, WheelTarget::Other);
    e.MouseWheel(-1, WheelTarget::Other);
    EXPECT_EQ(e.Space().Address(), 0x10600);
}

TEST_F(EditorNavigation, ZeroWheelLinesCountAsOne) {
    const std::string rom = WriteFile("w.chr", Counting(0x40000));
    Editor& e = Start({rom}, 0);
    EXPECT_EQ(e.WheelLines(), 1);
    for (int notch = 0; notch < 4; ++notch)
        e.MouseWheel(+1, WheelTarget::Other);
    EXPECT_EQ(e.Space().Address(), 4 * 256);
}

TEST_F(EditorNavigation, TheWheelCountSettingSetsTheRowsPerStep) {
    WriteText("tavrin.ini", "[Tavrin]\nWheelCount=5\n");
    const std::string rom = WriteFile("w.chr", Counting(0x40000));
    Editor& e = Start({rom}, 1);
    e.MouseWheel(+1, WheelTarget::Other);
    EXPECT_EQ(e.Space().Address(), 5 * 256);
}

TEST_F(EditorNavigation, TheWheelOverThePalettePanelsMovesTheirBars) {
    Editor& e = Start({}, 1);
    for (int i = 0; i < 20; ++i)
        e.MouseWheel(+1, WheelTarget::DatPanel);
    EXPECT_EQ(e.DatView().TopRow(), 14);
    EXPECT_EQ(view.positions[ScrollBarId::Dat], 14);
    for (int i = 0; i < 20; ++i)
        e.MouseWheel(+1, WheelTarget::PalPanel);
    EXPECT_EQ(e.PalView().TopRow(), 12);
    e.MouseWheel(-1, WheelTarget::PalPanel);
    EXPECT_EQ(e.PalView().TopRow(), 11);
    EXPECT_EQ(e.Space().Address(), 0);
    for (int i = 0; i < 20; ++i)
        e.MouseWheel(-1, WheelTarget::DatPanel);
    EXPECT_EQ(e.DatView().TopRow(), 0);
}

} // namespace
