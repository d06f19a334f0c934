#include "core/formats/CellTransform.h"
#include "support/RandomBytes.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tavrin {
namespace {

// The cell transforms as first stated: scatter pixel (r, c) into work[k(c, r)], then copy
// the work cell back; decoding rotates then mirrors, encoding mirrors then rotates.
int RotationIndex(int code, int c, int r, int w, int h) {
    switch (code) {
    case 1:
        return c * w + (w - 1 - r);
    case 2:
        return (h - 1 - r) * w + (w - 1 - c);
    default:
        return (h - 1 - c) * w + r;
    }
}

int MirrorIndex(int code, int c, int r, int w, int h) {
    switch (code) {
    case 1:
        return r * w + (w - 1 - c);
    case 2:
        return (h - 1 - r) * w + c;
    default:
        return (h - 1 - r) * w + (w - 1 - c);
    }
}

// cell is w x h, row-major with stride w.
void ReferencePass(std::vector<uint8_t>& cell, int w, int h, int code, bool rotation) {
    if (code == 0)
        return;
    std::vector<uint8_t> work(cell.size());
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            const int k =
                rotation ? RotationIndex(code, c, r, w, h) : MirrorIndex(code, c, r, w, h);
            work[static_cast<size_t>(k)] = cell[static_cast<size_t>(r * w + c)];
        }
    cell = work;
}

std::vector<uint8_t> RandomCell(int w, int h, uint32_t seed) {
    return test::RandomBytes(static_cast<size_t>(w * h), seed);
}

// Applies a transform to a cell placed inside a wider image, checking the border stays.
std::vector<uint8_t> Apply(const std::vector<uint8_t>& cell, int w, int h, CellTransform t) {
    const int stride = w + 5;
    std::vector<uint8_t> image(static_cast<size_t>(stride * (h + 2)), 0xEE);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            image[static_cast<size_t>((r + 1) * stride + c + 2)] =
                cell[static_cast<size_t>(r * w + c)];
    std::vector<uint8_t> work(static_cast<size_t>(w * h));
    ApplyCellTransform(image.data() + stride + 2, stride, w, h, t, work.data());
    std::vector<uint8_t> out(cell.size());
    for (int r = 0; r < h + 2; ++r)
        for (int c = 0; c < stride; ++c) {
            const uint8_t v = image[static_cast<size_t>(r * stride + c)];
            if (r >= 1 && r <= h && c >= 2 && c < w + 2)
                out[static_cast<size_t>((r - 1) * w + c - 2)] = v;
            else
                EXPECT_EQ(v, 0xEE) << "outside the cell at " << r << "," << c;
        }
    return out;
}

TEST(CellTransform, EveryCodePairMatchesTheTwoPassRule) {
    for (int size : {8, 16, 4, 32}) {
        for (int rotate = 0; rotate < 4; ++rotate)
            for (int mirror = 0; mirror < 4; ++mirror) {
                SCOPED_TRACE(testing::Message()
                             << size << " rotate " << rotate << " mirror " << mirror);
                const std::vector<uint8_t> cell =
                    RandomCell(size, size, static_cast<uint32_t>(size * 16 + rotate * 4 + mirror));
                std::vector<uint8_t> decoded = cell;
                ReferencePass(decoded, size, size, rotate, true);
                ReferencePass(decoded, size, size, mirror, false);
                EXPECT_EQ(Apply(cell, size, size,
                                Then(RotationTransform(rotate), MirrorTransform(mirror))),
                          decoded);
                std::vector<uint8_t> encoded = cell;
                ReferencePass(encoded, size, size, mirror, false);
                ReferencePass(encoded, size, size, rotate, true);
                EXPECT_EQ(Apply(cell, size, size,
                                Then(MirrorTransform(mirror), RotationTransform(rotate))),
                          encoded);
            }
    }
}

TEST(CellTransform, MirrorsOfNonSquareCells) {
    for (int mirror = 1; mirror < 4; ++mirror) {
        const std::vector<uint8_t> cell = RandomCell(16, 8, static_cast<uint32_t>(mirror));
        std::vector<uint8_t> expected = cell;
        ReferencePass(expected, 16, 8, mirror, false);
        EXPECT_EQ(Apply(cell, 16, 8, MirrorTransform(mirror)), expected) << mirror;
    }
    // A transpose cannot apply to a non-square cell: the cell stays.
    const std::vector<uint8_t> cell = RandomCell(16, 8, 9);
    EXPECT_EQ(Apply(cell, 16, 8, RotationTransform(1)), cell);
}

TEST(CellTransform, CodesComposeIntoOneTransform) {
    EXPECT_TRUE(RotationTransform(0).IsIdentity());
    EXPECT_TRUE(RotationTransform(4).IsIdentity());
    EXPECT_TRUE(MirrorTransform(255).IsIdentity());
    // A quarter turn and its inverse cancel, as do two equal mirrors.
    EXPECT_TRUE(Then(RotationTransform(1), RotationTransform(3)).IsIdentity());
    EXPECT_TRUE(Then(MirrorTransform(3), MirrorTransform(3)).IsIdentity());
    // Two quarter turns are a half turn; a half turn is both mirrors.
    EXPECT_EQ(Then(RotationTransform(1), RotationTransform(1)), RotationTransform(2));
    EXPECT_EQ(RotationTransform(2), MirrorTransform(3));
}

} // namespace
} // namespace tavrin
