#pragma once

#include "core/platform/Colour.h"
#include "core/platform/Image8.h"
#include "core/views/ImageRgb.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace tavrin {

// What the colour-reducing paste dialog's controls say. The palette-count and merge options
// are shown but not implemented, so their values are carried without changing the result.
struct ColourOptimizeOptions {
    bool srcReduce = false;   // CheckBoxSrcReduce
    int srcBits = 8;          // TrackBarSrcBit, bits kept per channel, 1-8
    bool setPalNum = false;   // CheckBoxSetPalNum (no effect)
    int destColorNum = 16;    // TrackBarDestColorNum, 2-16 (no effect)
    bool byUsedNum = false;   // CheckBoxByUsedNum
    bool lessPalUnit = false; // CheckBoxLessPalUnit (no effect)

    bool operator==(const ColourOptimizeOptions&) const = default;
};

struct ColourEntry {
    int32_t useCount = 0;
    Colour colour = 0;

    bool operator==(const ColourEntry&) const = default;
};

// The distinct colours of a picture in order of first appearance, each with its use count.
// Only the first 255 are numbered; every further new colour lands in the last slot, which is
// never matched, so its pixels fall back to number 0.
class ColourList {
public:
    static constexpr int Size = 256;
    static constexpr int MaxValid = 255;

    // Scans the top-left width x height of the picture (clipped to it) row by row.
    void Build(const ImageRgb& picture, int width, int height);
    // Most used first; equal counts keep their scan order.
    void SortByUseCount();

    int Count() const { return m_count; }
    // Entries outside 0..Size-1 read as empty.
    ColourEntry Entry(int index) const;
    // The number of the first valid entry holding the colour, or -1.
    int Find(Colour colour) const;

private:
    void IndexValidEntries();

    std::array<ColourEntry, Size> m_entries{};
    int m_count = 0;
    std::unordered_map<Colour, int> m_index; // cache of Find over the valid entries
};

// The source picture as 24-bit colours through its palette, cut or extended with white to
// width x height, then, if asked, each channel cut to its srcBits highest bits.
ImageRgb MakeBeforeBmp(const Image8& source, int width, int height,
                       const ColourOptimizeOptions& options);
// A copy of the destination (pixels and palette) whose area shared with the before picture
// holds the list's number of each before colour, 0 where the colour has none.
Image8 MakeAfterBmp(const ImageRgb& before, const Image8& destination, const ColourList& list);
// 128 x 16: entries 0-31 as 8 x 8 squares, 16 to a row; black where an entry holds no colour.
ImageRgb MakeColourStrip(const ColourList& list);
// The after picture's values replace the source's over the area both cover; the rest of a
// larger source keeps its values, and the source's palette stays.
void ApplyAfterBmp(Image8& source, const Image8& after);

// The colour-reducing paste's working state: the before and after pictures and the colour
// list, rebuilt from a source and a destination picture whenever an option changes.
class ColourOptimizer {
public:
    ColourOptimizeOptions& Options() { return m_options; }
    const ColourOptimizeOptions& Options() const { return m_options; }

    // The before picture takes the destination's size.
    void MakeBeforeBmp(const Image8& source, const Image8& destination);
    // Rebuilds the colour list from the before picture, then the after picture.
    void MakeAfterBmp(const Image8& destination);
    // Both steps, as on showing the dialog or changing a source option.
    void Recompute(const Image8& source, const Image8& destination);

    const ImageRgb& Before() const { return m_before; }
    const Image8& After() const { return m_after; }
    const ColourList& List() const { return m_list; }
    ImageRgb ColourStrip() const { return MakeColourStrip(m_list); }

    void Apply(Image8& source) const { ApplyAfterBmp(source, m_after); }

private:
    ColourOptimizeOptions m_options;
    ImageRgb m_before;
    Image8 m_after;
    ColourList m_list;
};

} // namespace tavrin
