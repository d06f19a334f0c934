#include "core/edit/ReplaceColourModel.h"

#include "core/palette/CPalette.h"
#include "core/platform/Image8.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace tavrin {

namespace {

constexpr Colour White = MakeColour(255, 255, 255);

std::array<uint8_t, 256> IdentityMap() {
    std::array<uint8_t, 256> map{};
    std::iota(map.begin(), map.end(), uint8_t{0});
    return map;
}

} // namespace

ReplaceColourModel::ReplaceColourModel() : m_map(IdentityMap()) {}

void ReplaceColourModel::SetColourCount(int n) {
    m_count = std::clamp(n, 1, 256);
    m_cursor = std::min(m_cursor, m_count - 1);
}

void ReplaceColourModel::Prepare(const uint8_t* groupEntries) {
    if (groupEntries != nullptr)
        std::memcpy(m_groupEntries.data(), groupEntries, m_groupEntries.size());
    else
        m_groupEntries.fill(0);
    m_map = IdentityMap();
}

void ReplaceColourModel::Show() {
    m_cursor = 0;
    m_dragging = {};
}

int ReplaceColourModel::ImageWidth() const {
    return SquareSize * std::min(m_count, SquaresPerRow);
}

int ReplaceColourModel::ImageHeight() const {
    return SquareSize * ((m_count + SquaresPerRow - 1) / SquaresPerRow);
}

int ReplaceColourModel::ClientWidth(int panelLeft, int imageLeft) const {
    return std::max(MinClientWidth, ImageWidth() + 2 * (panelLeft + imageLeft + 4));
}

int ReplaceColourModel::SquareAt(int x, int y) const {
    x = std::clamp(x, 0, ImageWidth() - 1);
    y = std::clamp(y, 0, ImageHeight() - 1);
    const int k = SquaresPerRow * (y / SquareSize) + x / SquareSize;
    return k < m_count ? k : -1;
}

bool ReplaceColourModel::Press(Row row, int button, int x, int y) {
    if (button != 0) {
        m_dragging[Index(row)] = false;
        return false;
    }
    m_dragging[Index(row)] = true;
    return Move(row, x, y);
}

bool ReplaceColourModel::Move(Row row, int x, int y) {
    if (!m_dragging[Index(row)])
        return false;
    const int k = SquareAt(x, y);
    if (k < 0)
        return false;
    if (row == Row::After) {
        if (k == m_cursor)
            return false;
        m_cursor = k;
        return true;
    }
    if (m_map[m_cursor] == k)
        return false;
    m_map[m_cursor] = static_cast<uint8_t>(k);
    return true;
}

Colour ReplaceColourModel::SquareColour(Row row, int k) const {
    if (k < 0 || k > 255 || m_palette == nullptr)
        return 0;
    const int entry = row == Row::Before ? k : m_map[k];
    return m_palette->GetColor(m_groupEntries[entry]);
}

PixelRect ReplaceColourModel::SquareRect(int k) const {
    const int x = SquareSize * (k % SquaresPerRow);
    const int y = SquareSize * (k / SquaresPerRow);
    return {x, y, x + SquareSize, y + SquareSize};
}

ImageRgb ReplaceColourModel::RenderRow(Row row) const {
    ImageRgb picture(ImageWidth(), ImageHeight());
    for (int k = 0; k < m_count; ++k)
        picture.FillRect(SquareRect(k), SquareColour(row, k));
    const int framed = row == Row::Before ? m_map[m_cursor] : m_cursor;
    picture.BoxOutline(SquareRect(framed), White);
    return picture;
}

int ApplyColourMap(Image8& image, const PixelRect& area, const std::array<uint8_t, 256>& map,
                   uint8_t colourMask) {
    return CBitmapEdit::ReplacePixels(image, area, CBitmapEdit::ColourMapTable(map, colourMask));
}

int ReplaceColourModel::Apply(Image8& image, const PixelRect& area) const {
    return ApplyColourMap(image, area, m_map, static_cast<uint8_t>(ColourMask()));
}

} // namespace tavrin
