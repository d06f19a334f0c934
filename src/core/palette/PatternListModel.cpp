#include "core/palette/PatternListModel.h"

#include "core/platform/Cp932.h"

#include <algorithm>
#include <cstdio>

namespace tavrin {

namespace {

// Bytes of the UTF-8 character that starts with lead; a stray byte counts as one.
size_t Utf8CharLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

} // namespace

void PatternListModel::Show() {
    m_selected = -1;
    m_editSlot = -1;
}

std::vector<std::string> PatternListModel::ListItems() const {
    return m_patterns ? m_patterns->NameList() : std::vector<std::string>{};
}

int PatternListModel::ItemCount() const {
    return m_patterns ? m_patterns->Count() : 0;
}

int PatternListModel::Listed(int index) const {
    return index >= 0 && index < ItemCount() ? index : -1;
}

void PatternListModel::Select(int index) {
    m_selected = Listed(index);
    if (m_selected >= 0)
        ShowEntry(m_patterns->GetPattern(m_selected));
}

void PatternListModel::ShowEntry(const AdfEntry& entry) {
    m_working = entry;
    m_nameText = CAdfPattern::IsEmpty(m_working) ? std::string() : m_working.Name();
}

std::string PatternListModel::CellText(int column, int row) const {
    if (column < 0 || column > 15 || row < 0 || row > 15 || CAdfPattern::IsEmpty(m_working))
        return {};
    char text[4];
    std::snprintf(text, sizeof text, "%02X", m_working.tiles[row * 16 + column]);
    return text;
}

std::string PatternListModel::LimitCp932(std::string_view utf8, size_t maxBytes) {
    size_t used = 0;
    size_t end = 0;
    while (end < utf8.size()) {
        const size_t length =
            std::min(Utf8CharLength(static_cast<unsigned char>(utf8[end])), utf8.size() - end);
        // A character cp932 lacks is stored as '?', one byte.
        const size_t bytes = Utf8ToCp932(utf8.substr(end, length)).size();
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        end += length;
    }
    return std::string(utf8.substr(0, end));
}

const std::string& PatternListModel::SetNameText(std::string_view utf8) {
    m_nameText = LimitCp932(utf8, NameMaxBytes);
    return m_nameText;
}

int PatternListModel::BeginCellEdit(int column, int row) {
    if (column < 0 || column > 15 || row < 0 || row > 15) {
        m_editSlot = -1;
        return -1;
    }
    m_editSlot = row * 16 + column;
    return m_working.tiles[m_editSlot];
}

bool PatternListModel::CommitCellEdit(int value) {
    if (m_editSlot < 0)
        return false;
    const int slot = m_editSlot;
    m_editSlot = -1;
    if (value < 0 || value > 255)
        return false;
    m_working.tiles[slot] = static_cast<uint8_t>(value);
    return true;
}

void PatternListModel::SetSizeX(int size) {
    m_sizeX = std::clamp(size, MinSize, MaxSize);
    Generate();
}

void PatternListModel::SetSizeY(int size) {
    m_sizeY = std::clamp(size, MinSize, MaxSize);
    Generate();
}

void PatternListModel::SetVertical(bool vertical) {
    m_vertical = vertical;
    Generate();
}

void PatternListModel::Generate() {
    m_selected = -1;
    ShowEntry(GenerateCharacterPattern(m_sizeX, m_sizeY, m_vertical));
}

bool PatternListModel::AddOrUpdate() {
    if (!m_patterns)
        return true;
    const int target = m_patterns->AddOrUpdate(m_selected, m_working, m_nameText);
    if (target < 0)
        return false;
    // An entry stored empty ends the list, so it may not be listed to select.
    m_selected = Listed(target);
    ShowEntry(m_patterns->GetPattern(target));
    return true;
}

void PatternListModel::MoveUp() {
    if (m_patterns)
        m_selected = Listed(m_patterns->MoveUp(m_selected));
}

void PatternListModel::MoveDown() {
    if (m_patterns)
        m_selected = Listed(m_patterns->MoveDown(m_selected));
}

void PatternListModel::Delete() {
    m_working.Clear();
    m_nameText.clear();
    if (!m_patterns)
        return;
    m_selected = Listed(m_patterns->Delete(m_selected));
    if (m_selected >= 0)
        ShowEntry(m_patterns->GetPattern(m_selected));
}

} // namespace tavrin
