#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrin {

// What a pen says about itself: where it draws and its name (cp932, zero-terminated).
struct PenInfo {
    uint8_t mode = 0; // 0: into the working copy, 1: straight into the tile image
    char name[40] = {};
};
static_assert(sizeof(PenInfo) == 41);
static_assert(offsetof(PenInfo, name) == 1);

// One mouse event over the edit view, in tile-image pixels.
struct PenEvent {
    int32_t button = 0; // 0 none (or middle, or a cancelled drag), 1 left, 2 right
    int32_t x = 0;
    int32_t y = 0;
    // The rectangle spanned by the start point and the current point, inclusive.
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t startX = 0;
    int32_t startY = 0;
    int32_t prevX = 0;
    int32_t prevY = 0;
    // The edit area, right and bottom exclusive.
    int32_t viewLeft = 0;
    int32_t viewTop = 0;
    int32_t viewRight = 0;
    int32_t viewBottom = 0;
};
static_assert(sizeof(PenEvent) == 15 * 4);
static_assert(offsetof(PenEvent, viewBottom) == 14 * 4);

// What the caller does after a pen call; zeroed before each call.
struct PenResult {
    uint8_t redraw = 0;   // show the working copy
    uint8_t commit = 0;   // copy the working copy into the tile image at once
    uint8_t picked = 0;   // the colour byte was replaced by a picked colour
    uint8_t showRect = 0; // show the drag rectangle as a marquee
};
static_assert(sizeof(PenResult) == 4);

} // namespace tavrin
