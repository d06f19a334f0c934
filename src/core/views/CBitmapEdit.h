#pragma once

#include "core/platform/Image8.h"

#include <array>
#include <cstdint>

namespace tavrin {

// A rectangle of image pixels; right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect&) const = default;
};

// Four on/off flags repeated along a line: the grid's dots and dashes.
using DashPattern = std::array<bool, 4>;

enum class MirrorAxis { Horizontal, Vertical };
enum class ShiftDirection { Up, Down, Left, Right };

// The image toolbox: stateless operations on 8-bit indexed images. Every operation is
// clipped to the image, so no coordinate can reach outside its pixel buffer.
class CBitmapEdit {
public:
    // Each coordinate clamped to 0..width and 0..height. The result may be empty.
    static PixelRect ClampRect(const Image8& image, const PixelRect& rect);

    // A line of pixels in index, drawn where pattern[position mod 4] is on (all on without a
    // pattern). The end point is left out. False when both ends are the same point (nothing
    // is drawn) or the image is empty. Coordinates are clamped to 0..width and 0..height.
    static bool PatternLine(Image8& image, uint8_t index, const DashPattern* pattern, int x0,
                            int y0, int x1, int y1);

    // dst(dx + i, dy + j) := src(rect.left + i, rect.top + j) AND mask, clipped to both images.
    static void CopyRectAnd(Image8& dst, int dx, int dy, const Image8& src, const PixelRect& rect,
                            uint8_t mask);

    // A quarter turn of the clamped rectangle in place; false (and nothing changes) when it is
    // not square.
    static bool Rotate(Image8& image, const PixelRect& rect, bool clockwise);
    // Mirrors the clamped rectangle as one image.
    static void Mirror(Image8& image, const PixelRect& rect, MirrorAxis axis);
    // Moves the clamped rectangle's pixels by one; the row or column pushed out comes back on
    // the opposite side.
    static void Shift(Image8& image, const PixelRect& rect, ShiftDirection direction);

    // Every pixel p of the clamped rectangle becomes table[p]; returns how many changed.
    static int ReplacePixels(Image8& image, const PixelRect& rect,
                             const std::array<uint8_t, 256>& table);
    // The table that turns colour number k (pixel AND colourMask) into map[k], keeping the
    // palette-group bits (pixel AND NOT colourMask).
    static std::array<uint8_t, 256> ColourMapTable(const std::array<uint8_t, 256>& map,
                                                   uint8_t colourMask);

    // Raster operations of the pens. Boxes exclude their right and bottom edges.
    static void SetPixel(Image8& image, int x, int y, uint8_t index);
    // A solid 1-pixel line that leaves out its end point; nothing when both ends are equal.
    static void Line(Image8& image, int x0, int y0, int x1, int y1, uint8_t index);
    static void FillBox(Image8& image, const PixelRect& box, uint8_t index);
    static void BoxOutline(Image8& image, const PixelRect& box, uint8_t index);
    // The outline drawn with dots: every other pixel around the border, starting on.
    static void DottedBoxOutline(Image8& image, const PixelRect& box, uint8_t index);
    // The ellipse inscribed in the box, filled, and its closed 1-pixel outline (the outline is
    // the border of the filled shape, so both cover the same pixels at the edge).
    static void FillEllipse(Image8& image, const PixelRect& box, uint8_t index);
    static void EllipseOutline(Image8& image, const PixelRect& box, uint8_t index);
    // Every pixel 4-connected to (x, y) through pixels of its colour takes index; returns the
    // number of pixels changed (0 when the seed already has the colour or lies outside).
    static int FloodFill(Image8& image, int x, int y, uint8_t index);
};

} // namespace tavrin
