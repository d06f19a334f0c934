#include "core/set/SetWorkspaceLink.h"
#include "support/WorkspaceAccess.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(SetWorkspaceLink, AShownSetWindowTakesEveryNewPagePictureAndAHiddenOneNone) {
    Workspace ws;
    ws.NewDocument();
    WorkspaceTestAccess::Bytes(ws)[0] = 0xFF; // the first tile's top row in colour 1
    SetComposer composer;
    int repaints = 0;
    SetWorkspaceLink link(ws, composer, [&](const SetRedraw& redraw) { repaints += redraw.chr; });
    Image8::Palette colours{};
    colours[1] = MakeColour(10, 20, 30);

    ws.DecodePage(); // hidden: nothing taken
    EXPECT_EQ(repaints, 0);
    EXPECT_NE(composer.TileSource().Pixel(0, 0), 1);

    link.SetShown(true);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(composer.TileSource().Pixel(0, 0), 1);

    // A page setting alone changes no picture; the decode and new colours that follow do.
    ws.SetAddress(16);
    EXPECT_EQ(repaints, 1);
    ws.SetTileColours(colours);
    EXPECT_EQ(repaints, 2);
    EXPECT_EQ(composer.TileSource().Colours()[1], colours[1]);
    ws.DecodePage();
    EXPECT_EQ(repaints, 3);
    EXPECT_EQ(composer.TileSource().Pixel(0, 0), 0);

    link.SetShown(false);
    ws.SetAddress(0);
    ws.DecodePage();
    EXPECT_EQ(repaints, 3);
}

} // namespace
} // namespace tavrin
