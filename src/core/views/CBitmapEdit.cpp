#include "core/views/CBitmapEdit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace tavrin {

namespace {

constexpr DashPattern AllOn{true, true, true, true};

// Ellipse arithmetic squares the box sides twice; beyond this side the products would not
// fit in 64 bits, and no image comes near it.
constexpr int64_t MaxEllipseSide = 32767;

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

int64_t CeilDiv(int64_t a, int64_t b) {
    return -FloorDiv(-a, b);
}

void HorizontalRun(Image8& image, int x0, int x1, int y, uint8_t index) {
    if (y < 0 || y >= image.Height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image.Width() - 1);
    if (x0 > x1)
        return;
    std::fill(image.ScanLine(y) + x0, image.ScanLine(y) + x1 + 1, index);
}

// The span [left, right] of pixels whose centres lie inside the ellipse inscribed in the box
// on row y; false when the row has none. Works in doubled coordinates to stay integral.
bool EllipseSpan(const PixelRect& box, int64_t y, int64_t& left, int64_t& right) {
    const int64_t w = box.Width();
    const int64_t h = box.Height();
    const int64_t cx2 = static_cast<int64_t>(box.left) + box.right;
    const int64_t cy2 = static_cast<int64_t>(box.top) + box.bottom;
    const int64_t dy2 = 2 * y + 1 - cy2;
    const int64_t rest = w * w * (h * h - dy2 * dy2);
    if (rest < 0)
        return false;
    // The largest u with u^2 h^2 <= rest.
    int64_t u =
        static_cast<int64_t>(std::sqrt(static_cast<double>(rest) / static_cast<double>(h * h)));
    while (u > 0 && u * u * h * h > rest)
        --u;
    while ((u + 1) * (u + 1) * h * h <= rest)
        ++u;
    left = CeilDiv(cx2 - 1 - u, 2);
    right = FloorDiv(cx2 - 1 + u, 2);
    return left <= right;
}

bool EllipseBoxUsable(const Image8& image, const PixelRect& box) {
    return !image.IsEmpty() && !box.IsEmpty() && box.Width() <= MaxEllipseSide &&
           box.Height() <= MaxEllipseSide;
}

} // namespace

PixelRect CBitmapEdit::ClampRect(const Image8& image, const PixelRect& rect) {
    const int w = image.Width();
    const int h = image.Height();
    return {std::clamp(rect.left, 0, w), std::clamp(rect.top, 0, h), std::clamp(rect.right, 0, w),
            std::clamp(rect.bottom, 0, h)};
}

bool CBitmapEdit::PatternLine(Image8& image, uint8_t index, const DashPattern* pattern, int x0,
                              int y0, int x1, int y1) {
    if (image.IsEmpty())
        return false;
    const DashPattern& p = pattern ? *pattern : AllOn;
    const int w = image.Width();
    const int h = image.Height();
    x0 = std::clamp(x0, 0, w);
    x1 = std::clamp(x1, 0, w);
    y0 = std::clamp(y0, 0, h);
    y1 = std::clamp(y1, 0, h);
    if (x0 == x1 && y0 == y1)
        return false;
    // Clamping lets a coordinate equal the width or height; SetPixel drops those pixels.
    if (y0 == y1) {
        for (int x = x0; x < x1; ++x)
            if (p[x % 4])
                image.SetPixel(x, y0, index);
    } else if (x0 == x1) {
        for (int y = y0; y < y1; ++y)
            if (p[y % 4])
                image.SetPixel(x0, y, index);
    } else {
        const int dx = x1 - x0;
        const int dy = y1 - y0;
        if (std::abs(dy) < std::abs(dx)) {
            for (int k = 0; k < dx; ++k)
                if (p[k % 4])
                    image.SetPixel(x0 + k, y0 + k * dy / dx, index);
        } else {
            for (int k = 0; k < dy; ++k)
                if (p[k % 4])
                    image.SetPixel(x0 + k * dx / dy, y0 + k, index);
        }
    }
    return true;
}

void CBitmapEdit::CopyRectAnd(Image8& dst, int dx, int dy, const Image8& src, const PixelRect& rect,
                              uint8_t mask) {
    const PixelRect r = ClampRect(src, rect);
    // Clip the destination, moving the source origin along.
    int sx = r.left + (dx < 0 ? -dx : 0);
    int sy = r.top + (dy < 0 ? -dy : 0);
    const int tx = std::max(dx, 0);
    const int ty = std::max(dy, 0);
    const int64_t w64 = std::min<int64_t>(static_cast<int64_t>(r.right) - sx, dst.Width() - tx);
    const int64_t h64 = std::min<int64_t>(static_cast<int64_t>(r.bottom) - sy, dst.Height() - ty);
    if (w64 <= 0 || h64 <= 0)
        return;
    const int w = static_cast<int>(w64);
    const int h = static_cast<int>(h64);
    for (int j = 0; j < h; ++j) {
        const uint8_t* s = src.ScanLine(sy + j) + sx;
        uint8_t* d = dst.ScanLine(ty + j) + tx;
        for (int i = 0; i < w; ++i)
            d[i] = static_cast<uint8_t>(s[i] & mask);
    }
}

bool CBitmapEdit::Rotate(Image8& image, const PixelRect& rect, bool clockwise) {
    const PixelRect r = ClampRect(image, rect);
    const int n = r.Width();
    if (n != r.Height())
        return false;
    const Image8 copy = image;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const uint8_t v = clockwise ? copy.ScanLine(r.bottom - 1 - j)[r.left + i]
                                        : copy.ScanLine(r.top + j)[r.right - 1 - i];
            image.ScanLine(r.top + i)[r.left + j] = v;
        }
    return true;
}

void CBitmapEdit::Mirror(Image8& image, const PixelRect& rect, MirrorAxis axis) {
    const PixelRect r = ClampRect(image, rect);
    if (r.IsEmpty())
        return;
    if (axis == MirrorAxis::Horizontal) {
        for (int y = r.top; y < r.bottom; ++y)
            std::reverse(image.ScanLine(y) + r.left, image.ScanLine(y) + r.right);
    } else {
        for (int a = r.top, b = r.bottom - 1; a < b; ++a, --b)
            std::swap_ranges(image.ScanLine(a) + r.left, image.ScanLine(a) + r.right,
                             image.ScanLine(b) + r.left);
    }
}

void CBitmapEdit::Shift(Image8& image, const PixelRect& rect, ShiftDirection direction) {
    const PixelRect r = ClampRect(image, rect);
    if (r.IsEmpty())
        return;
    switch (direction) {
    case ShiftDirection::Left:
        for (int y = r.top; y < r.bottom; ++y)
            std::rotate(image.ScanLine(y) + r.left, image.ScanLine(y) + r.left + 1,
                        image.ScanLine(y) + r.right);
        break;
    case ShiftDirection::Right:
        for (int y = r.top; y < r.bottom; ++y)
            std::rotate(image.ScanLine(y) + r.left, image.ScanLine(y) + r.right - 1,
                        image.ScanLine(y) + r.right);
        break;
    case ShiftDirection::Up:
        for (int y = r.top; y + 1 < r.bottom; ++y)
            std::swap_ranges(image.ScanLine(y) + r.left, image.ScanLine(y) + r.right,
                             image.ScanLine(y + 1) + r.left);
        break;
    case ShiftDirection::Down:
        for (int y = r.bottom - 1; y > r.top; --y)
            std::swap_ranges(image.ScanLine(y) + r.left, image.ScanLine(y) + r.right,
                             image.ScanLine(y - 1) + r.left);
        break;
    }
}

int CBitmapEdit::ReplacePixels(Image8& image, const PixelRect& rect,
                               const std::array<uint8_t, 256>& table) {
    const PixelRect r = ClampRect(image, rect);
    int changed = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (int x = r.left; x < r.right; ++x) {
            const uint8_t v = table[row[x]];
            if (v != row[x]) {
                row[x] = v;
                ++changed;
            }
        }
    }
    return changed;
}

std::array<uint8_t, 256> CBitmapEdit::ColourMapTable(const std::array<uint8_t, 256>& map,
                                                     uint8_t colourMask) {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const int k = c & colourMask;
        table[c] = map[k] == k ? static_cast<uint8_t>(c)
                               : static_cast<uint8_t>(map[k] | (c & ~colourMask));
    }
    return table;
}

void CBitmapEdit::SetPixel(Image8& image, int x, int y, uint8_t index) {
    image.SetPixel(x, y, index);
}

void CBitmapEdit::Line(Image8& image, int x0, int y0, int x1, int y1, uint8_t index) {
    const int64_t dx = static_cast<int64_t>(x1) - x0;
    const int64_t dy = static_cast<int64_t>(y1) - y0;
    const int64_t adx = dx < 0 ? -dx : dx;
    const int64_t ady = dy < 0 ? -dy : dy;
    const int64_t n = std::max(adx, ady);
    if (n == 0 || image.IsEmpty())
        return;
    const bool xMajor = adx >= ady;
    const int64_t major0 = xMajor ? x0 : y0;
    const int64_t minor0 = xMajor ? y0 : x0;
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t minorDelta = xMajor ? ady : adx;
    const int64_t majorLimit = xMajor ? image.Width() : image.Height();
    const int64_t minorLimit = xMajor ? image.Height() : image.Width();
    // Only the steps whose major coordinate lies inside the image are walked, so a line with
    // far-away ends costs no more than one across the image.
    int64_t kFirst = 0;
    int64_t kLast = n - 1;
    if (majorStep > 0) {
        kFirst = std::max(kFirst, -major0);
        kLast = std::min(kLast, majorLimit - 1 - major0);
    } else {
        kFirst = std::max(kFirst, major0 - (majorLimit - 1));
        kLast = std::min(kLast, major0);
    }
    for (int64_t k = kFirst; k <= kLast; ++k) {
        const int64_t major = major0 + majorStep * k;
        const int64_t minor = minor0 + minorStep * ((2 * k * minorDelta + n) / (2 * n));
        if (minor < 0 || minor >= minorLimit)
            continue;
        if (xMajor)
            image.ScanLine(static_cast<int>(minor))[major] = index;
        else
            image.ScanLine(static_cast<int>(major))[minor] = index;
    }
}

void CBitmapEdit::FillBox(Image8& image, const PixelRect& box, uint8_t index) {
    const PixelRect r = ClampRect(image, box);
    for (int y = r.top; y < r.bottom; ++y)
        std::fill(image.ScanLine(y) + r.left, image.ScanLine(y) + r.right, index);
}

void CBitmapEdit::BoxOutline(Image8& image, const PixelRect& box, uint8_t index) {
    if (box.IsEmpty())
        return;
    HorizontalRun(image, box.left, box.right - 1, box.top, index);
    HorizontalRun(image, box.left, box.right - 1, box.bottom - 1, index);
    const int y0 = std::max(box.top, 0);
    const int y1 = std::min(box.bottom, image.Height());
    for (int y = y0; y < y1; ++y) {
        image.SetPixel(box.left, y, index);
        image.SetPixel(box.right - 1, y, index);
    }
}

void CBitmapEdit::DottedBoxOutline(Image8& image, const PixelRect& box, uint8_t index) {
    if (box.IsEmpty())
        return;
    const int phase = (box.left + box.top) & 1;
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == phase)
            image.SetPixel(x, y, index);
    };
    const int x0 = std::max(box.left, 0);
    const int x1 = std::min(box.right, image.Width());
    for (int x = x0; x < x1; ++x) {
        dot(x, box.top);
        dot(x, box.bottom - 1);
    }
    const int y0 = std::max(box.top, 0);
    const int y1 = std::min(box.bottom, image.Height());
    for (int y = y0; y < y1; ++y) {
        dot(box.left, y);
        dot(box.right - 1, y);
    }
}

void CBitmapEdit::FillEllipse(Image8& image, const PixelRect& box, uint8_t index) {
    if (!EllipseBoxUsable(image, box))
        return;
    const int y0 = std::max(box.top, 0);
    const int y1 = std::min(box.bottom, image.Height());
    for (int y = y0; y < y1; ++y) {
        int64_t left = 0;
        int64_t right = 0;
        if (!EllipseSpan(box, y, left, right))
            continue;
        const int64_t l = std::max<int64_t>(left, 0);
        const int64_t r = std::min<int64_t>(right, image.Width() - 1);
        if (l <= r)
            HorizontalRun(image, static_cast<int>(l), static_cast<int>(r), y, index);
    }
}

void CBitmapEdit::EllipseOutline(Image8& image, const PixelRect& box, uint8_t index) {
    if (!EllipseBoxUsable(image, box))
        return;
    const int y0 = std::max(box.top, 0);
    const int y1 = std::min(box.bottom, image.Height());
    for (int y = y0; y < y1; ++y) {
        int64_t left = 0;
        int64_t right = 0;
        if (!EllipseSpan(box, y, left, right))
            continue;
        // A pixel is inside the outline when its four neighbours all belong to the shape.
        int64_t innerLeft = left + 1;
        int64_t innerRight = right - 1;
        int64_t l = 0;
        int64_t r = 0;
        for (int64_t ny : {static_cast<int64_t>(y) - 1, static_cast<int64_t>(y) + 1}) {
            if (EllipseSpan(box, ny, l, r)) {
                innerLeft = std::max(innerLeft, l);
                innerRight = std::min(innerRight, r);
            } else {
                innerLeft = 1;
                innerRight = 0;
                break;
            }
        }
        auto run = [&](int64_t a, int64_t b) {
            a = std::max<int64_t>(a, 0);
            b = std::min<int64_t>(b, image.Width() - 1);
            if (a <= b)
                HorizontalRun(image, static_cast<int>(a), static_cast<int>(b), y, index);
        };
        if (innerLeft > innerRight) {
            run(left, right);
        } else {
            run(left, innerLeft - 1);
            run(innerRight + 1, right);
        }
    }
}

int CBitmapEdit::FloodFill(Image8& image, int x, int y, uint8_t index) {
    if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height())
        return 0;
    const uint8_t seed = image.ScanLine(y)[x];
    if (seed == index)
        return 0;
    const int w = image.Width();
    const int h = image.Height();
    int count = 0;
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
        auto [sx, sy] = stack.back();
        stack.pop_back();
        uint8_t* row = image.ScanLine(sy);
        if (row[sx] != seed)
            continue;
        int l = sx;
        while (l > 0 && row[l - 1] == seed)
            --l;
        int r = sx;
        while (r + 1 < w && row[r + 1] == seed)
            ++r;
        std::fill(row + l, row + r + 1, index);
        count += r - l + 1;
        // One seed per run of the seed colour on the rows above and below.
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            const uint8_t* nrow = image.ScanLine(ny);
            for (int i = l; i <= r; ++i)
                if (nrow[i] == seed && (i == l || nrow[i - 1] != seed))
                    stack.emplace_back(i, ny);
        }
    }
    return count;
}

} // namespace tavrin
