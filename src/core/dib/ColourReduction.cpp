#include "core/dib/ColourReduction.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace tavrin {

namespace {

constexpr int CellCount = 32 * 64 * 32;
constexpr int SplitDepth = 8;

constexpr int CellOf(int red, int green, int blue) {
    return (red >> 3) * 2048 + (green >> 2) * 32 + (blue >> 3);
}

struct Cell {
    uint64_t count = 0;
    // The low bits a cell drops, summed; 64-bit so that no pixel count can overflow them.
    uint64_t sumRed = 0;
    uint64_t sumGreen = 0;
    uint64_t sumBlue = 0;
};

struct Entry {
    int value[3]; // red, green, blue
    uint64_t count;
    int cell;
};

class Splitter {
public:
    explicit Splitter(std::vector<int>& cellIndex) : m_cellIndex(cellIndex) {}

    void Split(std::span<Entry> range, int depth) {
        if (range.empty()) {
            return;
        }
        double total = 0;
        double mean[3] = {0, 0, 0};
        for (const Entry& e : range) {
            total += static_cast<double>(e.count);
            for (int c = 0; c < 3; ++c) {
                mean[c] += static_cast<double>(e.count) * e.value[c];
            }
        }
        for (double& m : mean) {
            m /= total;
        }
        if (depth == SplitDepth) {
            const int index = static_cast<int>(m_table.size());
            m_table.push_back(
                RgbQuad{RoundChannel(mean[2]), RoundChannel(mean[1]), RoundChannel(mean[0]), 0});
            for (const Entry& e : range) {
                m_cellIndex[e.cell] = index;
            }
            return;
        }
        double variance[3] = {0, 0, 0};
        for (const Entry& e : range) {
            for (int c = 0; c < 3; ++c) {
                const double d = e.value[c] - mean[c];
                variance[c] += static_cast<double>(e.count) * d * d;
            }
        }
        for (double& v : variance) {
            v /= total;
        }
        const int axis = ChooseAxis(variance[0], variance[1], variance[2]);
        const double m = mean[axis];
        auto below = std::stable_partition(range.begin(), range.end(),
                                           [&](const Entry& e) { return e.value[axis] > m; });
        const auto aboveCount = static_cast<size_t>(below - range.begin());
        Split(range.first(aboveCount), depth + 1);
        Split(range.subspan(aboveCount), depth + 1);
    }

    std::vector<RgbQuad> TakeTable() { return std::move(m_table); }

private:
    // 0 red, 1 green, 2 blue.
    static int ChooseAxis(double vr, double vg, double vb) {
        if (!(4 * vg > 3 * vr) && !(3 * vr < 2 * vb)) {
            return 0;
        }
        if (4 * vg < 3 * vr || 2 * vb > 3 * vg) {
            return 2;
        }
        return 1;
    }

    static uint8_t RoundChannel(double v) {
        return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    }

    std::vector<int>& m_cellIndex;
    std::vector<RgbQuad> m_table;
};

} // namespace

std::vector<RgbQuad> ReduceColours24(const uint8_t* src, ptrdiff_t srcStride, int width, int rows,
                                     uint8_t* dst, ptrdiff_t dstStride) {
    std::vector<Cell> cells(CellCount);
    for (int y = 0; y < rows; ++y) {
        const uint8_t* p = src + y * srcStride;
        for (int x = 0; x < width; ++x, p += 3) {
            const int blue = p[0];
            const int green = p[1];
            const int red = p[2];
            Cell& cell = cells[CellOf(red, green, blue)];
            ++cell.count;
            cell.sumRed += red & 7;
            cell.sumGreen += green & 3;
            cell.sumBlue += blue & 7;
        }
    }

    std::vector<Entry> entries;
    for (int i = 0; i < CellCount; ++i) {
        const Cell& cell = cells[i];
        if (cell.count == 0) {
            continue;
        }
        Entry e{};
        e.value[0] = static_cast<int>(cell.sumRed / cell.count) + (i >> 11) * 8;
        e.value[1] = static_cast<int>(cell.sumGreen / cell.count) + ((i >> 5) & 63) * 4;
        e.value[2] = static_cast<int>(cell.sumBlue / cell.count) + (i & 31) * 8;
        e.count = cell.count;
        e.cell = i;
        entries.push_back(e);
    }

    std::vector<int> cellIndex(CellCount, 0);
    Splitter splitter(cellIndex);
    splitter.Split(entries, 0);

    for (int y = 0; y < rows; ++y) {
        const uint8_t* p = src + y * srcStride;
        uint8_t* out = dst + y * dstStride;
        for (int x = 0; x < width; ++x, p += 3) {
            out[x] = static_cast<uint8_t>(cellIndex[CellOf(p[2], p[1], p[0])]);
        }
    }
    return splitter.TakeTable();
}

} // namespace tavrin
