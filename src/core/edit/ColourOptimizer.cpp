#include "core/edit/ColourOptimizer.h"

#include <algorithm>

namespace tavrin {

namespace {

constexpr Colour White = MakeColour(0xFF, 0xFF, 0xFF);
constexpr int StripWidth = 128;
constexpr int StripHeight = 16;
constexpr int StripSquare = 8;
constexpr int StripEntries = 32;

// The mask keeping the highest bits of one channel; bits outside 1-8 are held to that range
// so the shift stays within the byte.
Colour ChannelMask(int bits) {
    const int kept = std::clamp(bits, 1, 8);
    const int m = (0xFF << (8 - kept)) & 0xFF;
    return MakeColour(m, m, m);
}

} // namespace

void ColourList::Build(const ImageRgb& picture, int width, int height) {
    m_entries.fill(ColourEntry{});
    m_count = 0;
    m_index.clear();
    const int w = std::clamp(width, 0, picture.Width());
    const int h = std::clamp(height, 0, picture.Height());
    for (int y = 0; y < h; ++y) {
        const Colour* row = picture.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const Colour c = row[x];
            if (auto found = m_index.find(c); found != m_index.end()) {
                ++m_entries[static_cast<size_t>(found->second)].useCount;
                continue;
            }
            m_entries[static_cast<size_t>(m_count)] = {1, c};
            if (m_count < MaxValid) {
                m_index.emplace(c, m_count);
                ++m_count;
            }
        }
    }
}

void ColourList::SortByUseCount() {
    std::stable_sort(
        m_entries.begin(), m_entries.begin() + m_count,
        [](const ColourEntry& a, const ColourEntry& b) { return a.useCount > b.useCount; });
    IndexValidEntries();
}

ColourEntry ColourList::Entry(int index) const {
    if (index < 0 || index >= Size)
        return {};
    return m_entries[static_cast<size_t>(index)];
}

int ColourList::Find(Colour colour) const {
    const auto found = m_index.find(colour);
    return found == m_index.end() ? -1 : found->second;
}

void ColourList::IndexValidEntries() {
    m_index.clear();
    for (int i = 0; i < m_count; ++i)
        m_index.emplace(m_entries[static_cast<size_t>(i)].colour, i);
}

ImageRgb MakeBeforeBmp(const Image8& source, int width, int height,
                       const ColourOptimizeOptions& options) {
    ImageRgb before(width, height);
    before.Fill(White);
    const int w = std::min(source.Width(), before.Width());
    const int h = std::min(source.Height(), before.Height());
    const Image8::Palette& palette = source.Colours();
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = source.ScanLine(y);
        for (int x = 0; x < w; ++x)
            before.SetPixel(x, y, palette[row[x]] & 0xFFFFFF);
    }
    if (options.srcReduce) {
        const Colour mask = ChannelMask(options.srcBits);
        for (int y = 0; y < before.Height(); ++y)
            for (int x = 0; x < before.Width(); ++x)
                before.SetPixel(x, y, before.Pixel(x, y) & mask);
    }
    return before;
}

Image8 MakeAfterBmp(const ImageRgb& before, const Image8& destination, const ColourList& list) {
    Image8 after = destination;
    const int w = std::min(before.Width(), after.Width());
    const int h = std::min(before.Height(), after.Height());
    for (int y = 0; y < h; ++y) {
        const Colour* in = before.ScanLine(y);
        uint8_t* out = after.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int number = list.Find(in[x]);
            out[x] = static_cast<uint8_t>(number < 0 ? 0 : number);
        }
    }
    return after;
}

ImageRgb MakeColourStrip(const ColourList& list) {
    ImageRgb strip(StripWidth, StripHeight);
    const int perRow = StripWidth / StripSquare;
    for (int k = 0; k < StripEntries; ++k) {
        const Colour colour = k < list.Count() ? list.Entry(k).colour : 0;
        const int left = StripSquare * (k % perRow);
        const int top = StripSquare * (k / perRow);
        strip.FillRect({left, top, left + StripSquare, top + StripSquare}, colour);
    }
    return strip;
}

void ApplyAfterBmp(Image8& source, const Image8& after) {
    const int w = std::min(source.Width(), after.Width());
    const int h = std::min(source.Height(), after.Height());
    for (int y = 0; y < h; ++y)
        std::copy_n(after.ScanLine(y), w, source.ScanLine(y));
}

void ColourOptimizer::MakeBeforeBmp(const Image8& source, const Image8& destination) {
    m_before = tavrin::MakeBeforeBmp(source, destination.Width(), destination.Height(), m_options);
}

void ColourOptimizer::MakeAfterBmp(const Image8& destination) {
    m_list.Build(m_before, destination.Width(), destination.Height());
    if (m_options.byUsedNum)
        m_list.SortByUseCount();
    m_after = tavrin::MakeAfterBmp(m_before, destination, m_list);
}

void ColourOptimizer::Recompute(const Image8& source, const Image8& destination) {
    MakeBeforeBmp(source, destination);
    MakeAfterBmp(destination);
}

} // namespace tavrin
