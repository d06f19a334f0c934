#pragma once

#include <array>
#include <string>
#include <vector>

namespace tavrin {

class CFormatTable;
class CIniInfo;

// The rules of the settings dialog "設定": which setting each control of the page "Main"
// shows and stores, the wheel list, and what the page "Plug-in" lists and opens. The dialog
// only shows a State and hands it back.
class ConfigDialogModel {
public:
    // The check boxes of the page "Main", top to bottom.
    enum Check {
        AddressInTitle, // DispTitleAddr
        AutoFormat,     // AutoFormat
        AutoPalette,    // AutoPalette
        PopupMenu,      // UsePopupMenu
        SaveSmallSize,  // SaveSmallSize
        SavePosition,   // SavePosition
        CheckCount
    };

    // What the controls of the page "Main" show. A new choice of the page gets a field here
    // and one line each in Load and Store.
    struct State {
        // The wheel list's item; -1 when the setting matches none of them.
        int wheelIndex = 0;
        std::array<bool, CheckCount> checks{};
        // The language list (LanguageCodes) and the view-scale list (0 automatic, then
        // ViewScaleChoices); both take effect at the next start.
        int languageIndex = 0;
        int scaleIndex = 0;
    };

    // The language list as the settings store it: "" (automatic: the desktop's), "ja", "en".
    static const std::vector<std::string>& LanguageCodes();
    // The scale list's values: 0 (automatic), 100, 150, 200, 300, 400.
    static const std::vector<int>& ScaleValues();

    // systemWheelLines is the system's wheel-scroll-lines setting when the dialog is created
    // (0 counts as 1); the first wheel item shows it.
    explicit ConfigDialogModel(int systemWheelLines);

    // "Windws default : N", "1", "2", "4", "8", "16".
    const std::vector<std::string>& WheelItems() const { return m_wheelItems; }
    // The item a wheel count selects: the first whose text read as a number (0 when it is
    // not one) equals it, so 0 selects the first item; -1 when none does.
    int WheelIndexOf(int wheelCount) const;
    // The wheel count an item stands for: 0 for the first, else its number. An index outside
    // the list (no selection) keeps current, so a hand-written count survives OK.
    int WheelCountOf(int index, int current) const;

    // FormShow: the controls from the settings.
    State Load(const CIniInfo& settings) const;
    // ButtonOKClick: the controls into the settings. Cancel stores nothing.
    void Store(const State& state, CIniInfo& settings) const;

    // The page "Plug-in": one line per table entry, in table order.
    static std::vector<std::string> FormatLines(const CFormatTable& formats);
    // The entry's web address when it begins with "http://" or "https://", else "" (Open URL
    // stays disabled and opens nothing).
    static std::string WebAddress(const CFormatTable& formats, int index);
    // "Plugin info": the entry's information text, "" without an entry.
    static std::string InfoText(const CFormatTable& formats, int index);

private:
    std::vector<std::string> m_wheelItems;
};

} // namespace tavrin
