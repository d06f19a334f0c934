#pragma once

#include "core/palette/CAdfPattern.h"
#include "core/platform/Text.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// What the pattern dialog ("表示パターン") edits and by which rules: the pattern table in
// place, the working entry shown in the grid (kept between showings), the list selection,
// the text of the name box, the one-cell editor and the character-pattern generator. The
// dialog shows what the model holds and hands it the user's clicks.
class PatternListModel {
public:
    static constexpr int MinSize = 1;
    static constexpr int MaxSize = 16;
    // The name box holds at most this many bytes of cp932 text.
    static constexpr size_t NameMaxBytes = 24;
    static constexpr const char* FullTableMessage =
        TAVRIN_TR_NOOP("Patterns", "ADFパターン数が多すぎるため、項目を追加できません。\n"
                                   "不要なパターンを削除したあとに追加してください。");

    // Working entry empty, no table, generator at 2 x 3 horizontal.
    PatternListModel() = default;

    // The table the dialog edits in place. Without one every edit does nothing.
    void SetPatterns(CAdfPattern& patterns) { m_patterns = &patterns; }
    CAdfPattern* Patterns() const { return m_patterns; }

    // The dialog is being shown: the list is filled anew with no selection, and a cell edit
    // still open is dropped. The working entry and the name box keep what they held.
    void Show();

    // The lines of the list: the names of the listed entries.
    std::vector<std::string> ListItems() const;
    int ItemCount() const;
    // The selected list item, -1 for none.
    int Selected() const { return m_selected; }
    // A click on a list item: that entry becomes the working entry and is shown. An index
    // outside the list only clears the selection.
    void Select(int index);

    const AdfEntry& Working() const { return m_working; }
    // What grid cell (column, row) shows: blank while the working entry is empty, else the
    // tile number r x 16 + c as "%02X". Blank outside the 16 x 16 grid.
    std::string CellText(int column, int row) const;

    // The text of the name box (UTF-8).
    const std::string& NameText() const { return m_nameText; }
    // The user typed into the name box: the text is kept up to the last whole character
    // within 24 cp932 bytes. Returns what the box holds now.
    const std::string& SetNameText(std::string_view utf8);
    // The longest start of the text that fits in maxBytes of cp932, cut between characters.
    static std::string LimitCp932(std::string_view utf8, size_t maxBytes);

    // The one-cell editor. Starting it on a cell returns the tile number it shows first, or
    // -1 (and no edit) for a cell outside the grid.
    int BeginCellEdit(int column, int row);
    bool Editing() const { return m_editSlot >= 0; }
    int EditColumn() const { return m_editSlot < 0 ? -1 : m_editSlot % 16; }
    int EditRow() const { return m_editSlot < 0 ? -1 : m_editSlot / 16; }
    // Enter, or the editor lost the focus: the tile number goes into the cell and the edit
    // ends. False (nothing stored) when no edit is open, so that the focus leaving an
    // editor already closed by Esc stores nothing; a value outside 0-255 only ends the edit.
    bool CommitCellEdit(int value);
    // Esc: the edit ends without storing.
    void CancelCellEdit() { m_editSlot = -1; }

    // "キャラクターパターン作成". Each change clears the list selection and generates the
    // pattern into the working entry, which is shown. Sizes are held within 1-16.
    int SizeX() const { return m_sizeX; }
    int SizeY() const { return m_sizeY; }
    bool Vertical() const { return m_vertical; }
    void SetSizeX(int size);
    void SetSizeY(int size);
    // Choosing a direction generates even when it is the one already chosen.
    void SetVertical(bool vertical);
    void Generate();

    // "追加・更新(&U)": the working entry, named from the name box, goes into the selected
    // entry or else the first empty one, which is then selected and shown. False when there
    // is no selection and no empty entry: nothing is stored and the dialog shows
    // FullTableMessage.
    bool AddOrUpdate();
    // "上へ移動(&P)", "下へ移動(&L)": the selected entry swaps with its neighbour and stays
    // selected. Moving down with no selection only selects item 0.
    void MoveUp();
    void MoveDown();
    // "削除(&D)": the working entry is cleared; the selected entry (or, with no selection,
    // the last listed one) is removed and the entries after it close the gap. The item now
    // at the selection, if any, is selected and shown.
    void Delete();

private:
    // The entry becomes the working entry; the name box shows its name.
    void ShowEntry(const AdfEntry& entry);
    // A selection the list no longer has becomes none.
    int Listed(int index) const;

    CAdfPattern* m_patterns = nullptr;
    AdfEntry m_working;
    std::string m_nameText;
    int m_selected = -1;
    int m_editSlot = -1;
    int m_sizeX = 2;
    int m_sizeY = 3;
    bool m_vertical = false;
};

} // namespace tavrin
